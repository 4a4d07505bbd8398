// Helpers of the storage tests: a reporter that keeps the messages, a scratch folder, raw file
// access for checking and damaging containers, and a file system whose calls fail on demand.
#pragma once

#include <sys/stat.h>
#include <unistd.h>
#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "storage/file_system.h"
#include "storage/storage_reporter.h"

class TRecordingReporter final : public TStorageReporter {
  public:
    void Report(const std::string& text) override {
        messages.push_back(text);
        if (whileShown) whileShown();
    }
    std::vector<std::string> messages;
    // Runs while a message is up: what a game killed at that moment would leave.
    std::function<void()> whileShown;
};

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder per test, removed afterwards.
class TScratchFolder {
  public:
    std::string Path(const std::string& name) const {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path().toStdString()))
            names.push_back(entry.path().filename().string());
        return names;
    }

  private:
    QTemporaryDir dir_;
};

// The system's calls, except that one kind of call fails with a given error number from its
// n-th use on (counting from 0). A failing Write first writes half of what it is given, as a
// disk that fills up does; a failing Close closes all the same. It also keeps the permission
// bits that every new file has when it is flushed.
class TFaultyFileSystem final : public TFileSystem {
  public:
    enum class TCall { None, CreateNew, Write, Sync, Close, Link, Rename };

    TFaultyFileSystem(TCall call = TCall::None, int error = 0, int from = 0)
        : call_(call), error_(error), from_(from) {}

    int CreateNew(const std::string& path, mode_t mode, int& fd) override {
        return Fails(TCall::CreateNew) ? error_ : TFileSystem::CreateNew(path, mode, fd);
    }
    int Write(int fd, const std::uint8_t* data, std::size_t size, std::size_t& written) override {
        if (!Fails(TCall::Write)) return TFileSystem::Write(fd, data, size, written);
        written = 0;
        if (halfWritten_ || size < 2) return error_;
        halfWritten_ = true;
        return TFileSystem::Write(fd, data, size / 2, written);
    }
    int Sync(int fd) override {
        struct stat status {};
        if (::fstat(fd, &status) == 0) modesAtSync.push_back(status.st_mode & 07777);
        return Fails(TCall::Sync) ? error_ : TFileSystem::Sync(fd);
    }
    int Close(int fd) override {
        const int result = TFileSystem::Close(fd);
        return Fails(TCall::Close) ? error_ : result;
    }
    int Link(const std::string& from, const std::string& to) override {
        return Fails(TCall::Link) ? error_ : TFileSystem::Link(from, to);
    }
    int Rename(const std::string& from, const std::string& to) override {
        return Fails(TCall::Rename) ? error_ : TFileSystem::Rename(from, to);
    }

    std::vector<mode_t> modesAtSync;

  private:
    bool Fails(TCall call) { return call == call_ && used_++ >= from_; }

    TCall call_;
    int error_;
    int from_;
    int used_ = 0;
    bool halfWritten_ = false;
};
