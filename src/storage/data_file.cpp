// TDataFile: section lookup and the save decision of Close.
#include "storage/data_file.h"

#include <QFile>
#include <QString>

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

TDataFile::TDataFile(std::string FileName, TStorageReporter& reporter, const TDriveTypes& drives)
    : TCompressStringList(reporter), fileName_(std::move(FileName)), drives_(drives) {
    if (!fileName_.empty() && QFile::exists(QString::fromStdString(fileName_)))
        loadFailed_ = !LoadFromFile(fileName_);
}

int TDataFile::FindHeader(std::string_view Name) const {
    const auto& lines = Lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
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
    const int header = FindHeader(Name);
    if (header < 0) return;
    const auto& lines = Lines();
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (!lines[i].empty()) body.push_back(lines[i]);
}

void TDataFile::ReadSection(std::string_view Name, QStringList& Lines) const {
    std::vector<std::string> lines;
    ReadSection(Name, lines);
    Lines.clear();
    for (const auto& line : lines)
        Lines.append(QString::fromStdString(line));
}

void TDataFile::EraseSection(std::string_view Name) {
    const int header = FindHeader(Name);
    if (header < 0) return;
    auto& lines = Lines();
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

bool TDataFile::KeepDamagedFile() {
    const QString original = QString::fromStdString(fileName_);
    if (!QFile::exists(original)) return true;  // gone meanwhile: nothing to keep
    for (int number = 1;; ++number) {
        const QString kept =
            original + ".damaged" + (number == 1 ? QString() : QString::number(number));
        if (QFile::exists(kept)) continue;
        if (!QFile::rename(original, kept)) {
            Reporter().Report(fileName_ +
                              " を読み込めず、別の名前で残すこともできなかったため、保存しませんで"
                              "した。\r\n\r\n" +
                              "The data file " + fileName_ +
                              " could not be read nor set aside; nothing was saved.");
            return false;
        }
        const std::string keptName = kept.toStdString();
        Reporter().Report(fileName_ + " を読み込めなかったため、" + keptName +
                          " として残しました。\r\n\r\nThe data file " + fileName_ +
                          " could not be read; it was kept as " + keptName + ".");
        loadFailed_ = false;
        return true;
    }
}

void TDataFile::Close() {
    if (!SaveAllowed()) return;
    if (loadFailed_ && !KeepDamagedFile()) return;
    SaveToFile(fileName_);
}
