// senkaro-data: the game's data files from the command line: code bytes into the container,
// decode a container back to its bytes, show a data file's text as UTF-8. Containers carry a
// check of their text; decode and show refuse one that fails it. Only regular files are read.
#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "output_check.h"
#include "senkaro_version.h"
#include "storage/delta_code.h"
#include "storage/file_system.h"
#include "storage/text_form.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kUsageError = 1;
constexpr int kDataError = 2;

void PrintHelp(std::ostream& out) {
    out << "usage: senkaro-data COMMAND ARGUMENTS\n"
           "  encode IN OUT   code the bytes of IN into the container OUT\n"
           "  decode IN OUT   decode the container IN into the bytes OUT\n"
           "  show FILE       print the text of the data file FILE as UTF-8\n"
           "  --help          this text\n"
           "  --version       the program's version\n"
           "Exit status: 0 done, 1 usage or file error, 2 a container that does not decode\n"
           "or fails its check.\n";
}

// A FIFO or a device is refused before it is opened, so the tool never waits for a writer.
std::optional<Bytes> ReadFile(const std::string& name) {
    TReadResult file = ReadRegularFile(name, std::numeric_limits<std::uint64_t>::max());
    if (file.Ok()) return std::move(file.Bytes);
    std::cerr << "senkaro-data: cannot read " << name << ": "
              << (file.Status == TReadResult::TStatus::NotRegular ? "not a regular file"
                                                                  : std::strerror(file.Error))
              << "\n";
    return std::nullopt;
}

bool WriteFile(const std::string& name, const Bytes& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::cerr << "senkaro-data: cannot write " << name << "\n";
    return static_cast<bool>(out);
}

// Decodes the container in name into data: 0, or the exit status that ends the command (the
// decoder's stage message on standard error).
int DecodeFile(const std::string& name, Bytes& data) {
    const auto file = ReadFile(name);
    if (!file) return kUsageError;
    TDeltaCode codec;
    codec.CodeStream() = *file;
    if (!codec.Decode()) {
        std::cerr << "senkaro-data: " << name << ": " << codec.LastError() << "\n";
        return kDataError;
    }
    data = std::move(codec.DataStream());
    return 0;
}

int Encode(const std::string& in, const std::string& out) {
    const auto data = ReadFile(in);
    if (!data) return kUsageError;
    TDeltaCode codec;
    codec.DataStream() = *data;
    codec.Encode();
    return WriteFile(out, codec.CodeStream()) ? 0 : kUsageError;
}

int Decode(const std::string& in, const std::string& out) {
    Bytes data;
    if (const int status = DecodeFile(in, data)) return status;
    return WriteFile(out, data) ? 0 : kUsageError;
}

int Show(const std::string& name) {
    Bytes data;
    if (const int status = DecodeFile(name, data)) return status;
    const auto lines = text_form::Decode(data);
    if (!lines) {
        std::cerr << "senkaro-data: " << name << ": the text is not CP932 (Shift-JIS)\n";
        return kDataError;
    }
    for (std::size_t i = 0; i < lines->size() && std::cout; ++i)
        std::cout << (*lines)[i] << '\n';
    return 0;
}

int Run(const std::vector<std::string>& args) {
    if (args.size() == 1 && args[0] == "--help") {
        PrintHelp(std::cout);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "senkaro-data " SENKARO_VERSION "\n";
        return 0;
    }
    const std::string command = args.empty() ? "" : args[0];
    if (command == "encode" && args.size() == 3) return Encode(args[1], args[2]);
    if (command == "decode" && args.size() == 3) return Decode(args[1], args[2]);
    if (command == "show" && args.size() == 2) return Show(args[1]);

    if (command == "encode" || command == "decode" || command == "show")
        std::cerr << "senkaro-data: wrong number of arguments for " << command << "\n";
    else if (!command.empty())
        std::cerr << "senkaro-data: unknown command " << command << "\n";
    PrintHelp(std::cerr);
    return kUsageError;
}

}  // namespace

int main(int argc, char* argv[]) {
    int status = kUsageError;
    try {
        status = Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {  // data beyond the container's 32-bit lengths, memory
        std::cerr << "senkaro-data: " << error.what() << "\n";
    }
    return OutputReached(std::cout, "senkaro-data", std::cerr) ? status : kUsageError;
}
