// senkaro-data: the game's data files from the command line: code bytes into the container,
// decode a container back to its bytes, show a data file's text as UTF-8. Containers carry a
// check of their text; decode and show refuse one that fails it. Only regular files are read
// and written (see data_commands.h).
#include <iostream>
#include <string>
#include <vector>

#include "data_commands.h"
#include "output_check.h"
#include "storage/file_system.h"

int main(int argc, char* argv[]) {
    const int status = RunDataTool(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                   std::cerr, SystemFileSystem());
    return OutputReached(std::cout, "senkaro-data", std::cerr) ? status : 1;
}
