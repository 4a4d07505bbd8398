// senkaro-data's encode and decode writing their output: whole or not at all when the disk
// fails (through a file system whose calls fail on demand), and never to what is no regular
// file or into a folder that does not exist.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <sstream>

#include "data_commands.h"
#include "storage/storage_test_support.h"

namespace {

using TCall = TFaultyFileSystem::TCall;

struct TRun {
    int Status;
    std::string Err;
};

TRun RunTool(const std::vector<std::string>& args, TFileSystem& files) {
    std::ostringstream out, err;
    const int status = RunDataTool(args, out, err, files);
    return {status, err.str()};
}

TRun RunTool(const std::vector<std::string>& args) {
    TFileSystem files;
    return RunTool(args, files);
}

}  // namespace

// The old OUT stays byte for byte, and nothing half-written is left beside it.
TEST(SenkaroDataOutput, AFailingDiskLeavesTheOldFileAsItWas) {
    struct Case {
        const char* command;
        TCall call;
        int error;
        const char* reason;
    };
    const Case cases[] = {
        {"encode", TCall::Write, ENOSPC, "No space left on device"},
        {"decode", TCall::Write, ENOSPC, "No space left on device"},
        {"encode", TCall::Sync, EIO, "Input/output error"},
        {"decode", TCall::Rename, EACCES, "Permission denied"},
    };
    for (const Case& c : cases) {
        TScratchFolder folder;
        const std::string plain = folder.Path("plain"), coded = folder.Path("coded"),
                          out = folder.Path("out");
        WriteBytes(plain, Bytes(5000, 'x'));
        ASSERT_EQ(RunTool({"encode", plain, coded}).Status, 0);
        const Bytes old(3000, 'o');
        WriteBytes(out, old);

        TFaultyFileSystem failing(c.call, c.error);
        const TRun run =
            RunTool({c.command, std::string(c.command) == "encode" ? plain : coded, out}, failing);
        EXPECT_EQ(run.Status, 1) << c.command << " " << c.reason;
        EXPECT_EQ(run.Err, "senkaro-data: cannot write " + out + ": " + c.reason + "\n");
        EXPECT_EQ(ReadBytes(out), old) << c.command << " " << c.reason;
        EXPECT_EQ(folder.Names().size(), 3u) << "a file left beside: " << c.reason;
    }
}

TEST(SenkaroDataOutput, OutputReplacesTheOldFileWhole) {
    TScratchFolder folder;
    const std::string plain = folder.Path("plain"), out = folder.Path("out");
    WriteBytes(plain, Bytes(100, 'p'));
    WriteBytes(out, Bytes(70000, 'o'));
    ASSERT_EQ(RunTool({"encode", plain, out}).Status, 0);
    ASSERT_EQ(RunTool({"decode", out, out}).Status, 0);
    EXPECT_EQ(ReadBytes(out), Bytes(100, 'p'));
}

// A FIFO (opened here without blocking, so that a writer would not wait either) and a folder
// are refused as they stand; so is a folder that does not exist, which is not made.
TEST(SenkaroDataOutput, WhatIsNoRegularFileIsRefused) {
    TScratchFolder folder;
    const std::string plain = folder.Path("plain");
    WriteBytes(plain, Bytes(100, 'p'));
    const std::string fifo = folder.Path("fifo"), sub = folder.Path("sub");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::mkdir(sub.c_str(), 0700), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const struct {
        std::string out;
        std::string reason;
    } cases[] = {
        {fifo, "not a regular file"},
        {sub, "not a regular file"},
        {folder.Path("missing/out"), "No such file or directory"},
        {plain + "/out", "Not a directory"},
    };
    for (const auto& c : cases) {
        const TRun run = RunTool({"encode", plain, c.out});
        EXPECT_EQ(run.Status, 1) << c.out;
        EXPECT_EQ(run.Err, "senkaro-data: cannot write " + c.out + ": " + c.reason + "\n");
    }
    char byte = 0;
    EXPECT_EQ(::read(reader, &byte, 1), 0) << "nothing was written to the FIFO";
    ::close(reader);
    struct stat status {};
    ASSERT_EQ(::stat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("missing")));
}
