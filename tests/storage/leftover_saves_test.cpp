// The temporary files of killed saves: a start removes those of games no longer running and
// leaves those of running games and every other file.
#include "storage/leftover_saves.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "storage_test_support.h"

namespace {

// The ID of a process that has ended.
std::string EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return std::to_string(child);
}

TEST(LeftoverSaves, OnlyThoseOfGamesNoLongerRunningAreRemoved) {
    TScratchFolder folder;
    const std::string ended = EndedProcess();
    const std::string running = std::to_string(::getppid());
    const struct {
        std::string name;
        bool removed;
    } cases[] = {
        {"senkaro.ini.save-" + ended + "-0", true},
        {"senkaro.ini.save-" + ended + "-17", true},
        {"senkaro.ini.bak.save-" + ended + "-0", true},
        {"senkaro.ini.bak2.save-" + ended + "-3", true},
        {"senkaro.ini.damaged2.save-" + ended + "-0", true},
        {"senkaro.ini.save-" + running + "-0", false},
        {"senkaro.ini.bak.save-" + std::to_string(::getpid()) + "-0", false},
        {"other.ini.save-" + ended + "-0", false},
        {"senkaro.ini.notes.save-" + ended + "-0", false},
        {"senkaro.ini.save-" + ended, false},
        {"senkaro.ini.save-x-0", false},
        {"senkaro.ini", false},
        {"senkaro.ini.bak", false},
    };
    for (const auto& c : cases)
        WriteBytes(folder.Path(c.name), {'x'});
    std::filesystem::create_directory(folder.Path("senkaro.ini.save-" + ended + "-5"));

    EXPECT_EQ(leftover_saves::Remove(folder.Path("senkaro.ini")), 5);
    const std::vector<std::string> names = folder.Names();
    for (const auto& c : cases)
        EXPECT_EQ(std::count(names.begin(), names.end(), c.name), c.removed ? 0 : 1) << c.name;
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("senkaro.ini.save-" + ended + "-5")))
        << "only regular files are removed";
}

TEST(LeftoverSaves, ThoseBesideTheTargetOfALinkGoToo) {
    TScratchFolder folder;
    std::filesystem::create_directory(folder.Path("real"));
    WriteBytes(folder.Path("real/senkaro.ini"), {'x'});
    std::filesystem::create_symlink(folder.Path("real/senkaro.ini"), folder.Path("senkaro.ini"));
    const std::string leftover = folder.Path("real/senkaro.ini.save-" + EndedProcess() + "-0");
    WriteBytes(leftover, {'x'});
    EXPECT_EQ(leftover_saves::Remove(folder.Path("senkaro.ini")), 1);
    EXPECT_FALSE(std::filesystem::exists(leftover));
}

}  // namespace
