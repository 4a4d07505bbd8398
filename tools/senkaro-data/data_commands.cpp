// senkaro-data's commands. Input is read only from regular files, and output goes only to
// regular files, replaced whole or not at all as the game saves its data file: the old file at
// OUT stays as it was when the disk is full. A FIFO or a device is refused on either side
// before it is opened, so the tool never waits for a reader or a writer.
#include "data_commands.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <limits>
#include <optional>
#include <ostream>
#include <utility>

#include "senkaro_version.h"
#include "storage/delta_code.h"
#include "storage/file_system.h"
#include "storage/text_form.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kUsageError = 1;
constexpr int kDataError = 2;
// The container records the length of its text in 32 bits.
constexpr std::uint64_t kLargestText = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kAnySize = std::numeric_limits<std::uint64_t>::max();

void PrintHelp(std::ostream& out) {
    out << "usage: senkaro-data COMMAND ARGUMENTS\n"
           "  encode IN OUT   code the bytes of IN into the container OUT\n"
           "  decode IN OUT   decode the container IN into the bytes OUT\n"
           "  show FILE       print the text of the data file FILE as UTF-8\n"
           "  --help          this text\n"
           "  --version       the program's version\n"
           "Exit status: 0 done, 1 usage or file error, 2 a container that does not decode,\n"
           "fails its check, or (show) holds a NUL byte before the end of its text.\n";
}

class TDataTool {
  public:
    TDataTool(std::ostream& out, std::ostream& err, TFileSystem& files)
        : out_(out), err_(err), files_(files) {}

    int Encode(const std::string& in, const std::string& out) {
        const auto data = ReadFile(in, kLargestText);
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
            err_ << "senkaro-data: " << name << ": the text is not CP932 (Shift-JIS)\n";
            return kDataError;
        }
        for (std::size_t i = 0; i < lines->size() && out_; ++i)
            out_ << (*lines)[i] << '\n';
        return ReportNul(name, data);
    }

  private:
    // A NUL byte with text after it ends the text for the game, which then takes the file as
    // damaged: where it lies, as kDataError; 0 when there is none.
    int ReportNul(const std::string& name, const Bytes& data) {
        const auto nul = text_form::NulBeforeEnd(data);
        if (!nul) return 0;
        err_ << "senkaro-data: " << name << ": the text stops at a NUL byte at offset " << *nul
             << " (line " << text_form::LineOfOffset(data, *nul)
             << "); what follows is not shown, and the game takes the file as damaged\n";
        return kDataError;
    }

    std::optional<Bytes> ReadFile(const std::string& name, std::uint64_t maxSize) {
        TReadResult file = ReadRegularFile(name, maxSize);
        if (file.Ok()) return std::move(file.Bytes);
        err_ << "senkaro-data: cannot read " << name << ": ";
        if (file.Status == TReadResult::TStatus::NotRegular) {
            err_ << "not a regular file";
        } else if (file.Status == TReadResult::TStatus::TooLarge) {
            err_ << "too large for a container, which holds at most " << maxSize << " bytes";
        } else {
            err_ << std::strerror(file.Error);
        }
        err_ << "\n";
        return std::nullopt;
    }

    // Why OUT must not be written, or nothing: only a regular file is replaced, and only in a
    // folder that exists.
    static std::optional<std::string> Refusal(const std::string& name) {
        struct stat status {};
        if (::stat(name.c_str(), &status) == 0) {
            if (S_ISREG(status.st_mode)) return std::nullopt;
            return "not a regular file";
        }
        if (errno != ENOENT) return std::strerror(errno);
        const std::filesystem::path folder = std::filesystem::path(name).parent_path();
        if (folder.empty()) return std::nullopt;
        if (::stat(folder.c_str(), &status) != 0) return std::strerror(errno);
        if (!S_ISDIR(status.st_mode)) return std::strerror(ENOTDIR);
        return std::nullopt;
    }

    bool WriteFile(const std::string& name, const Bytes& bytes) {
        std::optional<std::string> refusal = Refusal(name);
        if (!refusal) {
            const int error = ReplaceFile(files_, name, bytes);
            if (error == 0) return true;
            refusal = std::strerror(error);
        }
        err_ << "senkaro-data: cannot write " << name << ": " << *refusal << "\n";
        return false;
    }

    // Decodes the container in name into data: 0, or the exit status that ends the command
    // (the decoder's stage message on err).
    int DecodeFile(const std::string& name, Bytes& data) {
        const auto file = ReadFile(name, kAnySize);
        if (!file) return kUsageError;
        TDeltaCode codec;
        codec.CodeStream() = *file;
        if (!codec.Decode()) {
            err_ << "senkaro-data: " << name << ": " << codec.LastError() << "\n";
            return kDataError;
        }
        data = std::move(codec.DataStream());
        return 0;
    }

    std::ostream& out_;
    std::ostream& err_;
    TFileSystem& files_;
};

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        TFileSystem& files) {
    if (args.size() == 1 && args[0] == "--help") {
        PrintHelp(out);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "senkaro-data " SENKARO_VERSION "\n";
        return 0;
    }
    TDataTool tool(out, err, files);
    const std::string command = args.empty() ? "" : args[0];
    if (command == "encode" && args.size() == 3) return tool.Encode(args[1], args[2]);
    if (command == "decode" && args.size() == 3) return tool.Decode(args[1], args[2]);
    if (command == "show" && args.size() == 2) return tool.Show(args[1]);

    if (command == "encode" || command == "decode" || command == "show")
        err << "senkaro-data: wrong number of arguments for " << command << "\n";
    else if (!command.empty())
        err << "senkaro-data: unknown command " << command << "\n";
    PrintHelp(err);
    return kUsageError;
}

}  // namespace

int RunDataTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                TFileSystem& files) {
    try {
        return Run(args, out, err, files);
    } catch (const std::exception& error) {  // data beyond the container's 32-bit lengths, memory
        err << "senkaro-data: " << error.what() << "\n";
        return kUsageError;
    }
}
