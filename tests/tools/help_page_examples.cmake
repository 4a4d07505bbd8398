# Compares `senkaro-logic examples` with the worked explanations the help page was made from.
execute_process(COMMAND ${TOOL} examples OUTPUT_FILE ${WORK_DIR}/examples.jsonl RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "senkaro-logic examples failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/examples.jsonl ${EXPECTED}
  RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "the help page's worked explanations are out of date: run "
                      "assets/generator/examples.sh, then assets/generator/rebuild.sh")
endif()
