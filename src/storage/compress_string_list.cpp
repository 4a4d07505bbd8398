// TCompressStringList: whole-file reading of the container, and writing it atomically.
#include "storage/compress_string_list.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <exception>
#include <filesystem>
#include <utility>

#include "storage/delta_code.h"
#include "storage/text_form.h"

namespace {

// The error number of the last failed system call, never 0.
int LastSystemError() {
    return errno != 0 ? errno : EIO;
}

// Writes bytes to path through a temporary file in the same folder that is flushed to disk and
// then renamed over the old file, so a failure leaves the old file as it was. An existing file
// keeps its permission bits; missing folders are made.
int WriteAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target(path);
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), error);
        if (error) return error.value();
    }

    // A file without write permission cannot be replaced by a save file: allow writing for the
    // time of the save and put the old bits back whatever happens.
    const fs::file_status status = fs::status(target, error);
    const bool existed = fs::exists(status);
    const fs::perms permissions = status.permissions();
    if (existed && (permissions & fs::perms::owner_write) == fs::perms::none) {
        fs::permissions(target, permissions | fs::perms::owner_write, error);
        if (error) return error.value();
    }

    QSaveFile file(QString::fromStdString(path));
    errno = 0;
    const auto size = static_cast<qint64>(bytes.size());
    bool written = file.open(QIODevice::WriteOnly) &&
                   file.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
    int result = 0;
    if (written) {
        errno = 0;
        written = file.commit();
        if (!written) result = LastSystemError();
    } else {
        result = LastSystemError();
        file.cancelWriting();
    }
    if (existed) {
        fs::permissions(target, permissions, error);
        if (error && result == 0) result = error.value();
    }
    return result;
}

}  // namespace

TCompressStringList::TCompressStringList(TStorageReporter& reporter) : reporter_(reporter) {}

bool TCompressStringList::LoadFromFile(const std::string& FileName) {
    QFile file(QString::fromStdString(FileName));
    if (!file.exists()) {
        reporter_.Report(FileName + " がありません");
        return false;
    }
    try {
        if (!file.open(QIODevice::ReadOnly)) return false;
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) return false;

        TDeltaCode codec;
        codec.CodeStream().assign(bytes.begin(), bytes.end());
        if (!codec.Decode()) return false;
        auto lines = text_form::Decode(codec.DataStream());
        if (!lines) return false;
        lines_ = std::move(*lines);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

int TCompressStringList::SaveToFile(const std::string& FileName) {
    if (FileName.empty()) return 1;
    try {
        TDeltaCode codec(&reporter_);
        codec.DataStream() = text_form::Encode(lines_);
        codec.Encode();

        return WriteAtomically(FileName, codec.CodeStream());
    } catch (const text_form::TUnencodableLine& error) {
        const std::string line = std::to_string(error.Index() + 1);
        reporter_.Report(
            FileName + " の " + line +
            " 行目に Shift-JIS で書けない文字があるため、保存しませんでした。\r\n\r\n" + "Line " +
            line + " of " + FileName +
            " holds a character that Shift-JIS cannot store; the file was not saved.");
        return EILSEQ;
    } catch (const std::exception&) {
        reporter_.Report("TCompressStringList.SaveToFile 2003.02.10");
        return 1;
    }
}
