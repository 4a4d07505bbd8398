#include "journey/round_records.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "storage/data_file.h"

namespace {

constexpr std::array<const char*, 4> kResultNames = {"ok", "wrong", "timeout", "gaveup"};

std::optional<std::int64_t> Number(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
    return value;
}

int Clamped(std::int64_t value, int low, int high) {
    return static_cast<int>(std::clamp<std::int64_t>(value, low, high));
}

}  // namespace

QString ResultName(TRoundResult result) {
    return QString::fromLatin1(kResultNames[static_cast<std::size_t>(result)]);
}

std::optional<TRoundResult> ResultFromName(const QString& name) {
    for (std::size_t i = 0; i < kResultNames.size(); ++i)
        if (name == QLatin1String(kResultNames[i])) return static_cast<TRoundResult>(i);
    return std::nullopt;
}

QString TRoundRecord::ToText() const {
    return QStringLiteral("%1=%2,%3,%4,%5,%6,%7,%8")
        .arg(Name, date_time::Format(When))
        .arg(Level)
        .arg(Station)
        .arg(Kind)
        .arg(Technique)
        .arg(ResultName(Result))
        .arg(Ms);
}

std::optional<TRoundRecord> TRoundRecord::FromText(const QString& line) {
    // The name is everything before the last "=": names never hold one, but be generous.
    const qsizetype equals = line.lastIndexOf(QLatin1Char('='));
    if (equals <= 0) return std::nullopt;
    const QStringList items = line.mid(equals + 1).split(QLatin1Char(','));
    if (items.size() != 7) return std::nullopt;
    const std::optional<date_time::TDateTime> when = date_time::Parse(items[0]);
    const std::optional<TRoundResult> result = ResultFromName(items[5].trimmed());
    std::array<std::optional<std::int64_t>, 5> numbers = {
        Number(items[1]), Number(items[2]), Number(items[3]), Number(items[4]), Number(items[6])};
    if (!when || !result) return std::nullopt;
    for (const auto& n : numbers)
        if (!n) return std::nullopt;
    TRoundRecord record;
    record.Name = line.left(equals);
    record.When = *when;
    record.Level = Clamped(*numbers[0], 0, 2);
    record.Station = Clamped(*numbers[1], 0, 54);
    record.Kind = Clamped(*numbers[2], 1, 6);
    record.Technique = Clamped(*numbers[3], 0, 9);
    record.Result = *result;
    record.Ms = std::clamp<std::int64_t>(*numbers[4], 0, 24LL * 3600 * 1000);
    return record;
}

void TRoundRecords::Add(const TRoundRecord& record) {
    lines_.append(record.ToText());
    if (Count() > kMaxRecords) lines_.remove(0, Count() - kMaxRecords);
}

std::vector<TRoundRecord> TRoundRecords::OfPlayer(const QString& name) const {
    std::vector<TRoundRecord> found;
    const QString prefix = name + QLatin1Char('=');
    for (const QString& line : lines_) {
        if (!line.startsWith(prefix)) continue;
        std::optional<TRoundRecord> record = TRoundRecord::FromText(line);
        if (record && record->Name == name) found.push_back(std::move(*record));
    }
    return found;
}

void TRoundRecords::FromStrings(const QStringList& lines) {
    lines_ = lines.size() > kMaxRecords ? lines.mid(lines.size() - kMaxRecords) : lines;
}

void TRoundRecords::ReadFrom(const TDataFile& file) {
    QStringList lines;
    file.ReadSection(kRecordsSection, lines);
    FromStrings(lines);
}

void TRoundRecords::WriteTo(TDataFile& file) const {
    file.WriteSection(kRecordsSection, lines_);
}

bool TRoundRecords::LoadFromFile(const std::string& fileName, TStorageReporter& reporter) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) return false;
    ReadFrom(TDataFile(fileName, reporter));
    return true;
}

bool TRoundRecords::SaveToFile(const std::string& fileName, TStorageReporter& reporter) const {
    TDataFile file(fileName, reporter);
    WriteTo(file);
    return file.Close() == 0;
}
