// TDataFile: section lookup, the save decision of Close, the two backups, and the repair of a
// file that could not be read. Messages give the file's name as it was given, and the folder as
// an absolute path.
#include "storage/data_file.h"

#include <QByteArrayView>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <limits>
#include <utility>

#include "storage/data_file_messages.h"
#include "storage/delta_code.h"
#include "storage/section_header.h"
#include "storage/set_aside.h"
#include "storage/text_form.h"

namespace {

// An MD5 of the lines, each with its length (fast, and ample against chance; no forger is at
// work): what tells Close whether they changed, without a second copy of them.
std::vector<std::uint8_t> Digest(const std::vector<std::string>& lines) {
    QCryptographicHash hash(QCryptographicHash::Md5);
    for (const std::string& line : lines) {
        const std::uint64_t size = line.size();
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(&size), sizeof size));
        hash.addData(QByteArrayView(line.data(), static_cast<qsizetype>(line.size())));
    }
    const QByteArray result = hash.result();
    return {result.begin(), result.end()};
}

}  // namespace

TDataFile::TDataFile(std::string FileName, TStorageReporter& reporter, const TDriveTypes& drives,
                     TFileSystem& files, const TSectionCaps& caps)
    : TCompressStringList(reporter, files),
      fileName_(std::move(FileName)),
      drives_(drives),
      loadedDigest_(Digest({})) {
    if (fileName_.empty() || !QFile::exists(QString::fromStdString(fileName_))) return;
    std::size_t dropped = 0;
    loadedGood_ = LoadFromFile(fileName_, caps, dropped);
    loadFailed_ = !loadedGood_;
    if (loadedGood_) {
        loadCut_ = dropped > 0;
        loadedDigest_ = Digest(Lines());
        return;
    }
    for (const std::string& backup : {BackupName(), OlderBackupName()}) {
        if (!QFile::exists(QString::fromStdString(backup))) continue;
        TCompressStringList list(reporter, files);
        if (list.LoadFromFile(backup, caps, dropped)) {
            Lines() = std::move(list.Lines());
            restoredFrom_ = backup;
            return;
        }
        unreadableBackups_.push_back(backup);
    }
}

int TDataFile::FindHeader(std::string_view Name, int from) const {
    const auto& lines = Lines();
    for (std::size_t i = static_cast<std::size_t>(from); i < lines.size(); ++i)
        if (IsSectionHeader(lines[i], Name)) return static_cast<int>(i);
    return -1;
}

int TDataFile::SectionEnd(int header) const {
    const auto& lines = Lines();
    int end = header + 1;
    while (end < static_cast<int>(lines.size()) && !StartsSection(lines[end]))
        ++end;
    return end;
}

void TDataFile::ReadSection(std::string_view Name, std::vector<std::string>& body) const {
    body.clear();
    const auto& lines = Lines();
    for (int header = FindHeader(Name); header >= 0;) {
        const int end = SectionEnd(header);
        for (int i = header + 1; i < end; ++i)
            if (!lines[i].empty()) body.push_back(lines[i]);
        header = FindHeader(Name, end);
    }
}

void TDataFile::ReadSection(std::string_view Name, QStringList& Lines) const {
    std::vector<std::string> lines;
    ReadSection(Name, lines);
    Lines.clear();
    for (const auto& line : lines)
        Lines.append(QString::fromStdString(line));
}

void TDataFile::EraseSection(std::string_view Name) {
    auto& lines = Lines();
    for (int header = FindHeader(Name); header >= 0; header = FindHeader(Name, header))
        lines.erase(lines.begin() + header, lines.begin() + SectionEnd(header));
}

void TDataFile::WriteSection(std::string_view Name, const std::vector<std::string>& body) {
    EraseSection(Name);
    auto& lines = Lines();
    lines.push_back("[" + std::string(Name) + "]");
    lines.insert(lines.end(), body.begin(), body.end());
}

void TDataFile::WriteSection(std::string_view Name, const QStringList& Lines) {
    std::vector<std::string> lines;
    lines.reserve(Lines.size());
    for (const auto& line : Lines)
        lines.push_back(line.toStdString());
    WriteSection(Name, lines);
}

bool TDataFile::SaveAllowed() const {
    if (fileName_.size() >= 2 && fileName_[1] == ':') {
        const char first = fileName_[0];
        const char letter =
            first >= 'A' && first <= 'Z' ? static_cast<char>(first - 'A' + 'a') : first;
        if (letter >= 'a' && letter <= 'z') {
            const TDriveType type = drives_.DriveType(letter);
            return type == TDriveType::Removable || type == TDriveType::Fixed ||
                   type == TDriveType::Remote;
        }
    }
    return !fileName_.empty();
}

std::string TDataFile::Folder() const {
    return QFileInfo(QString::fromStdString(fileName_)).absolutePath().toStdString();
}

bool TDataFile::BackupWorthKeeping() {
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
    TReadResult backup = ReadRegularFile(BackupName(), kLargest);
    if (!backup.Ok()) return false;
    // The same bytes hold the same lines; since the game writes the same lines as the same
    // bytes, other bytes mean other lines (but for a backup an earlier program wrote).
    if (const TReadResult file = ReadRegularFile(fileName_, kLargest);
        file.Ok() && file.Bytes == backup.Bytes)
        return false;
    TDeltaCode codec;
    codec.CodeStream() = std::move(backup.Bytes);
    return codec.Decode() && !text_form::NulBeforeEnd(codec.DataStream());
}

void TDataFile::ReportSaveFailure(int error, const std::string& failed) {
    Reporter().Report(data_file_messages::SaveFailed(fileName_, Folder(), failed, error));
}

int TDataFile::Save(const std::vector<std::uint8_t>& image) {
    TBackupNames backups;
    if (loadedGood_)
        backups = {BackupName(), BackupWorthKeeping() ? OlderBackupName() : std::string()};
    std::string failed;
    if (const int error = ReplaceFile(Files(), fileName_, image, backups, &failed); error != 0) {
        ReportSaveFailure(error, failed);
        return error;
    }
    return 0;
}

// The damaged file stays in place until its repaired successor is written over it, and the
// player is told only once everything is written: a game killed while the message is up leaves
// a good data file.
int TDataFile::Repair(const std::vector<std::uint8_t>& image) {
    const bool present = QFileInfo::exists(QString::fromStdString(fileName_)) ||
                         QFileInfo(QString::fromStdString(fileName_)).isSymLink();
    const std::string kept = present ? set_aside::FreeName(fileName_) : std::string();
    if (const int error = present ? set_aside::Keep(Files(), fileName_, kept) : 0; error != 0) {
        Reporter().Report(data_file_messages::NotSetAside(fileName_, Folder(), kept, error));
        return error;
    }
    std::string failed;
    if (const int error = ReplaceFile(Files(), fileName_, image, {}, &failed); error != 0) {
        ReportSaveFailure(error, failed);
        return error;
    }
    // A backup that could not be read either is kept too: the next save would replace it.
    std::vector<std::pair<std::string, std::string>> keptBackups;
    for (const std::string& backup : unreadableBackups_) {
        const std::string keptBackup = set_aside::FreeName(backup);
        if (Files().Rename(backup, keptBackup) == 0) keptBackups.emplace_back(backup, keptBackup);
    }
    unreadableBackups_.clear();
    if (present) Reporter().Report(data_file_messages::KeptAside(fileName_, kept, restoredFrom_));
    for (const auto& [backup, keptBackup] : keptBackups)
        Reporter().Report(data_file_messages::BackupKeptAside(backup, keptBackup));
    return 0;
}

int TDataFile::Close() {
    if (!SaveAllowed()) return 0;
    // The file holds these lines already.
    if (!loadFailed_ && !loadCut_ && Digest(Lines()) == loadedDigest_) return 0;
    int error = 0;
    const auto image = Image(fileName_, error);  // a failure here is told already
    if (!image) return error;
    error = loadFailed_ ? Repair(*image) : Save(*image);
    if (error != 0) return error;
    loadedGood_ = true;
    loadFailed_ = false;
    loadCut_ = false;
    loadedDigest_ = Digest(Lines());
    return 0;
}
