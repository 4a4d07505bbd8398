// senkaro-logic: the puzzle logic from the command line.
#include <cstring>
#include <iostream>

namespace {

void PrintHelp() {
    std::cout << "usage: senkaro-logic COMMAND\n"
                 "  --help   this text\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        PrintHelp();
        return argc < 2 ? 2 : 0;
    }
    std::cerr << "senkaro-logic: unknown command " << argv[1] << "\n";
    return 2;
}
