// Setting aside files that could not be read.
#include "storage/set_aside.h"

#include <sys/stat.h>

#include <filesystem>

namespace set_aside {
namespace {

namespace fs = std::filesystem;

bool Taken(const std::string& name) {
    std::error_code error;
    return fs::exists(fs::symlink_status(name, error));
}

}  // namespace

std::string FreeName(const std::string& name) {
    for (int number = 1;; ++number) {
        const std::string candidate =
            name + ".damaged" + (number == 1 ? std::string() : std::to_string(number));
        if (!Taken(candidate)) return candidate;
    }
}

int Keep(TFileSystem& files, const std::string& name, const std::string& kept) {
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return files.Rename(name, kept);
    std::error_code error;
    const fs::path target = fs::canonical(name, error);
    return KeepCopy(files, error ? name : target.string(), kept);
}

}  // namespace set_aside
