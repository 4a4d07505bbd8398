// Removing the temporary files of killed saves. A process ID that still runs (also one of
// another user's, which may not be signalled) keeps its files: that game may be saving now.
#include "storage/leftover_saves.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string_view>

namespace leftover_saves {
namespace {

namespace fs = std::filesystem;

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process ID in name = base + kind + ".save-<pid>-<n>", where kind is "", ".bak", ".bak2"
// or ".damaged" with or without a number; nothing for any other name.
std::optional<pid_t> SavingProcess(std::string_view name, std::string_view base) {
    if (!name.starts_with(base)) return std::nullopt;
    name.remove_prefix(base.size());
    const std::size_t save = name.rfind(".save-");
    if (save == std::string_view::npos) return std::nullopt;
    const std::string_view kind = name.substr(0, save);
    const bool known =
        kind.empty() || kind == ".bak" || kind == ".bak2" ||
        (kind.starts_with(".damaged") && (kind.size() == 8 || AllDigits(kind.substr(8))));
    const std::string_view numbers = name.substr(save + 6);
    const std::size_t dash = numbers.find('-');
    if (!known || dash == std::string_view::npos || !AllDigits(numbers.substr(0, dash)) ||
        !AllDigits(numbers.substr(dash + 1)) || dash > 9)
        return std::nullopt;
    return static_cast<pid_t>(std::stol(std::string(numbers.substr(0, dash))));
}

bool Running(pid_t pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

int RemoveBeside(const fs::path& dataFile) {
    const fs::path folder = dataFile.has_parent_path() ? dataFile.parent_path() : fs::path(".");
    const std::string base = dataFile.filename().string();
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const std::optional<pid_t> pid = SavingProcess(name, base);
        if (!pid || *pid == ::getpid() || Running(*pid)) continue;
        std::error_code status;
        if (!fs::is_regular_file(entry->symlink_status(status))) continue;
        if (::unlink(entry->path().c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace

int Remove(const std::string& dataFile) {
    int removed = RemoveBeside(dataFile);
    std::error_code error;
    if (fs::is_symlink(dataFile, error)) {
        const fs::path target = fs::canonical(dataFile, error);
        if (!error) removed += RemoveBeside(target);
    }
    return removed;
}

}  // namespace leftover_saves
