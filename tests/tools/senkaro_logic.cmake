# senkaro-logic: inspect on a good line, a blank line and a bad line (one JSON object per
# position line with every field in its shape, an error object for the bad line, the exit
# status); templates; make with a seed; the command line. Run with -DTOOL=<senkaro-logic>
# -DWORK_DIR=<a folder to write the input to>.
cmake_minimum_required(VERSION 3.25)

set(kind4 "205670340000000000000000000100000000000000000080000000006000000007000000008000000")

function(fail message)
  message(FATAL_ERROR "${message}")
endfunction()

# Runs the tool with `input` on standard input; sets `out_lines` (a list) and `out_rc`.
function(run_tool input)
  set(file "${WORK_DIR}/inspect_input.txt")
  file(WRITE "${file}" "${input}")
  execute_process(COMMAND "${TOOL}" ${ARGN} INPUT_FILE "${file}"
    OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  string(STRIP "${out}" out)
  # JSON text holds no semicolons here, so lines become a list safely.
  string(REPLACE "\n" ";" lines "${out}")
  set(out_lines "${lines}" PARENT_SCOPE)
  set(out_rc "${rc}" PARENT_SCOPE)
endfunction()

# string(JSON <mode>) of the member at the path must equal `expected`; mode is TYPE, LENGTH or GET.
function(expect_json mode json expected)
  string(JSON actual ${mode} "${json}" ${ARGN})
  if(NOT actual STREQUAL expected)
    fail("${ARGN}: expected ${mode} ${expected}, got ${actual}")
  endif()
endfunction()

macro(expect_type json type)
  expect_json(TYPE "${json}" ${type} ${ARGN})
endmacro()

macro(expect_length json length)
  expect_json(LENGTH "${json}" ${length} ${ARGN})
endmacro()

macro(expect_value json expected)
  expect_json(GET "${json}" "${expected}" ${ARGN})
endmacro()

function(expect_elimination json)
  expect_type("${json}" BOOLEAN ${ARGN} changed)
  expect_length("${json}" 81 ${ARGN} masks)
  expect_type("${json}" NUMBER ${ARGN} masks 80)
endfunction()

function(expect_move_or_null json)
  string(JSON type TYPE "${json}" ${ARGN})
  if(type STREQUAL "OBJECT")
    foreach(key col row digit)
      expect_type("${json}" NUMBER ${ARGN} ${key})
    endforeach()
  elseif(NOT type STREQUAL "NULL")
    fail("${ARGN}: expected a move or null, got ${type}")
  endif()
endfunction()

# A good line, a blank line, a bad line, and a good line ended by CR LF.
run_tool("${kind4}\n\n12x45\n${kind4}\r\n" inspect)
if(NOT out_rc EQUAL 1)
  fail("exit status ${out_rc} with a bad line, expected 1")
endif()
list(LENGTH out_lines count)
if(NOT count EQUAL 3)
  fail("expected 3 output lines, got ${count}: ${out_lines}")
endif()
list(GET out_lines 0 good)
list(GET out_lines 1 bad)
list(GET out_lines 2 crlf)

expect_value("${good}" "${kind4}" position)
expect_value("${good}" open state)
expect_value("${good}" 70 empty)
foreach(field L1 L3 any L7 L8)
  expect_move_or_null("${good}" ${field})
endforeach()
expect_type("${good}" NULL any)  # no move of levels 1-3 in this template
expect_length("${good}" 9 L2)
expect_move_or_null("${good}" L2 8)
foreach(field L4 L5 L6 L9)
  expect_elimination("${good}" ${field})
endforeach()
expect_length("${good}" 9 L4d)
expect_elimination("${good}" L4d 8)
expect_length("${good}" 81 all masks)
expect_length("${good}" 9 blocked)
expect_type("${good}" BOOLEAN blocked 0)
# Level 4 leaves 9 as the only candidate of (1, 0); a given keeps mask 0.
expect_value("${good}" ON L4 changed)
expect_value("${good}" 256 L4 masks 1)
expect_value("${good}" 0 L4 masks 0)
# The board's view: a level 4 move, the same without levels 7-9, and the answer.
foreach(field next next_basic)
  expect_value("${good}" 4 ${field} level)
  expect_value("${good}" 1 ${field} col)
  expect_value("${good}" 0 ${field} row)
  expect_value("${good}" 9 ${field} digit)
endforeach()
expect_move_or_null("${good}" answer)
expect_value("${good}" 9 answer digit)
string(JSON keys LENGTH "${good}")
if(NOT keys EQUAL 19)
  fail("expected 19 fields, got ${keys}")
endif()
# string(JSON) sorts members by name, so the order is read from the text itself.
if(NOT good MATCHES "\"blocked\": \\[[^]]*\\], \"next\": {[^}]*}, \"next_basic\": {[^}]*}, \"answer\": {[^}]*}}$")
  fail("next, next_basic and answer do not close the object in this order: ${good}")
endif()

expect_value("${bad}" 3 line)
expect_type("${bad}" STRING error)
expect_value("${crlf}" "${kind4}" position)

# Only good lines: status 0.
run_tool("${kind4}\n" inspect)
if(NOT out_rc EQUAL 0)
  fail("exit status ${out_rc} with good lines, expected 0")
endif()

# A position that breaks the rule: the board cannot hold it, so it has no next move or answer.
run_tool("110000000000000000000000000000000000000000000000000000000000000000000000000000000\n"
  inspect)
foreach(field next next_basic answer)
  expect_type("${out_lines}" NULL ${field})
endforeach()

# templates: the 46 stored texts in stored order.
run_tool("" templates)
list(LENGTH out_lines count)
if(NOT out_rc EQUAL 0 OR NOT count EQUAL 46)
  fail("templates: status ${out_rc}, ${count} lines, expected 0 and 46")
endif()
list(GET out_lines 0 first)
list(GET out_lines 45 last)
expect_value("${first}" 1 kind)
expect_value("${first}" 0 row)
expect_value("${last}" 6 kind)
expect_value("${last}" 8 row)
list(GET out_lines 29 kind5)
expect_value("${kind5}" 5 kind)
expect_value("${kind5}" 0 row)
expect_value("${kind5}"
  "003004000078200600000050080000009000000000300000000000000090000000000030000000000" template)

# make: the same seed makes the same puzzles; each answer comes at the kind's level.
run_tool("" make 5 3 --seed 42)
set(made "${out_lines}")
list(LENGTH made count)
if(NOT out_rc EQUAL 0 OR NOT count EQUAL 3)
  fail("make: status ${out_rc}, ${count} lines, expected 0 and 3")
endif()
run_tool("" make --seed 42 5 3)
if(NOT out_lines STREQUAL made)
  fail("make with one seed made different puzzles")
endif()
foreach(line IN LISTS made)
  expect_value("${line}" 5 kind)
  expect_value("${line}" 5 level)
  string(JSON puzzle GET "${line}" puzzle)
  if(NOT puzzle MATCHES "^[0-9]+$")
    fail("make: puzzle ${puzzle} is no puzzle text")
  endif()
  string(LENGTH "${puzzle}" length)
  if(NOT length EQUAL 81)
    fail("make: puzzle ${puzzle} has ${length} characters")
  endif()
  expect_move_or_null("${line}" answer)
  expect_type("${line}" OBJECT answer)
  string(JSON row GET "${line}" row)
  if(row LESS 0 OR row GREATER 7)
    fail("make: row ${row} outside the group of kind 5")
  endif()
endforeach()
run_tool("" make 2)
list(LENGTH out_lines count)
if(NOT out_rc EQUAL 0 OR NOT count EQUAL 1)
  fail("make 2: status ${out_rc}, ${count} lines, expected 0 and 1")
endif()
expect_value("${out_lines}" 0 level)

# Wrong command lines: status 2.
foreach(arguments "make" "make;0" "make;7" "make;x" "make;3;0" "make;3;1;2" "make;3;--seed"
    "make;3;--seed;-1" "make;3;--seed;1;--seed;2" "templates;1" "inspect;1")
  run_tool("" ${arguments})
  if(NOT out_rc EQUAL 2)
    fail("senkaro-logic ${arguments} exits with ${out_rc}, expected 2")
  endif()
endforeach()

# The command line.
run_tool("" --help)
if(NOT out_rc EQUAL 0)
  fail("--help exits with ${out_rc}")
endif()
run_tool("" no-such-command)
if(NOT out_rc EQUAL 2)
  fail("an unknown command exits with ${out_rc}, expected 2")
endif()
