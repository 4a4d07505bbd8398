// TDataFile: section lookup, the save decision of Close, the backup, and damaged files set
// aside. Messages give the file's name as it was given, and the folder as an absolute path.
#include "storage/data_file.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstring>
#include <utility>

namespace {

bool IsHeaderOf(const std::string& line, std::string_view name) {
    if (line.size() != name.size() + 2 || line.front() != '[' || line.back() != ']') return false;
    return QString::compare(QString::fromUtf8(line.data() + 1, static_cast<qsizetype>(name.size())),
                            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                            Qt::CaseInsensitive) == 0;
}

bool StartsSection(const std::string& line) {
    return !line.empty() && line.front() == '[';
}

}  // namespace

TDataFile::TDataFile(std::string FileName, TStorageReporter& reporter, const TDriveTypes& drives,
                     TFileSystem& files)
    : TCompressStringList(reporter, files), fileName_(std::move(FileName)), drives_(drives) {
    if (fileName_.empty() || !QFile::exists(QString::fromStdString(fileName_))) return;
    loadedGood_ = LoadFromFile(fileName_);
    loadFailed_ = !loadedGood_;
    if (!loadFailed_ || !QFile::exists(QString::fromStdString(BackupName()))) return;
    TCompressStringList backup(reporter, files);
    restoredFromBackup_ = backup.LoadFromFile(BackupName());
    backupFailed_ = !restoredFromBackup_;
    if (restoredFromBackup_) Lines() = std::move(backup.Lines());
}

int TDataFile::FindHeader(std::string_view Name, int from) const {
    const auto& lines = Lines();
    for (std::size_t i = static_cast<std::size_t>(from); i < lines.size(); ++i)
        if (IsHeaderOf(lines[i], Name)) return static_cast<int>(i);
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

int TDataFile::SetAside(const std::string& name, std::string& kept) {
    const QString original = QString::fromStdString(name);
    for (int number = 1;; ++number) {
        const QString candidate =
            original + ".damaged" + (number == 1 ? QString() : QString::number(number));
        if (QFile::exists(candidate)) continue;
        kept = candidate.toStdString();
        return Files().Rename(name, kept);
    }
}

int TDataFile::SetAsideDamagedFiles() {
    std::string kept;
    if (!QFile::exists(QString::fromStdString(fileName_))) return 0;  // gone meanwhile
    if (const int error = SetAside(fileName_, kept); error != 0) {
        Reporter().Report(fileName_ +
                          " を読み込めず、別の名前で残すこともできなかったため、保存しませんで"
                          "した。\r\n\r\nThe data file " +
                          fileName_ + " in the folder " + Folder() +
                          " could not be read nor set aside; nothing was saved.");
        return error;
    }
    loadFailed_ = false;
    if (restoredFromBackup_) {
        Reporter().Report(fileName_ + " を読み込めなかったため、" + kept + " として残し、" +
                          BackupName() + " から元に戻しました。\r\n\r\nThe data file " + fileName_ +
                          " could not be read; it was kept as " + kept +
                          ", and its content was restored from the backup " + BackupName() + ".");
    } else {
        Reporter().Report(fileName_ + " を読み込めなかったため、" + kept +
                          " として残しました。\r\n\r\nThe data file " + fileName_ +
                          " could not be read; it was kept as " + kept + ".");
    }
    // A backup that could not be read either is kept too: the next save would replace it.
    if (backupFailed_ && SetAside(BackupName(), kept) == 0) {
        backupFailed_ = false;
        Reporter().Report(BackupName() + " も読み込めなかったため、" + kept +
                          " として残しました。\r\n\r\nThe backup " + BackupName() +
                          " could not be read either; it was kept as " + kept + ".");
    }
    return 0;
}

void TDataFile::ReportSaveFailure(int error) {
    const std::string folder = Folder();
    Reporter().Report("フォルダー " + folder + " に " + fileName_ +
                      " を保存できませんでした。このまま遊べますが、保存できるようになるまで進み"
                      "具合は残りません。\r\n\r\nThe data file " +
                      fileName_ + " could not be saved in the folder " + folder + " (" +
                      std::strerror(error) +
                      "). You can go on playing, but your progress is not kept until saving "
                      "works again.");
}

int TDataFile::Close() {
    if (!SaveAllowed()) return 0;
    if (loadFailed_) {
        if (const int error = SetAsideDamagedFiles(); error != 0) return error;
    }
    int error = 0;
    const auto image = Image(fileName_, error);  // a failure here is told already
    if (!image) return error;
    error = ReplaceFile(Files(), fileName_, *image, loadedGood_ ? BackupName() : std::string());
    if (error != 0) {
        ReportSaveFailure(error);
        return error;
    }
    loadedGood_ = true;
    return 0;
}
