// Helpers of the storage tests: a reporter that keeps the messages, a scratch folder, and raw
// file access for checking and damaging containers.
#pragma once

#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "storage/storage_reporter.h"

class TRecordingReporter final : public TStorageReporter {
  public:
    void Report(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
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
