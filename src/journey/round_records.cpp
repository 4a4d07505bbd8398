// Round records: their data-file line, the cap on how many are kept, and their section of the
// data file.
#include "journey/round_records.h"

#include <array>
#include <filesystem>

#include "storage/data_file.h"
#include "storage/section_caps.h"

namespace {

constexpr std::array<const char*, 5> kResultNames = {"ok", "wrong", "timeout", "gaveup", "hinted"};

std::optional<std::int64_t> Number(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
    return value;
}

struct TRange {
    std::int64_t Low;
    std::int64_t High;
    bool Holds(std::int64_t value) const { return value >= Low && value <= High; }
};

constexpr TRange kLevels{0, 2};
constexpr TRange kStations{0, 54};
constexpr TRange kKinds{0, 6};
constexpr TRange kTechniques{0, 9};
constexpr TRange kPracticed{1, 9};
constexpr TRange kTimes{0, kLongestRecordedMs};

// Whether a round of the kind can end so: a journey round is never hinted, a practice round
// never runs out of time nor is given up.
bool EndsSo(int kind, TRoundResult result) {
    switch (result) {
        case TRoundResult::Ok:
        case TRoundResult::Wrong:
            return true;
        case TRoundResult::Timeout:
        case TRoundResult::GaveUp:
            return kind != kPracticeKind;
        case TRoundResult::Hinted:
            break;
    }
    return kind == kPracticeKind;
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
    const std::array<std::optional<std::int64_t>, 5> numbers = {
        Number(items[1]), Number(items[2]), Number(items[3]), Number(items[4]), Number(items[6])};
    // Checked before they are narrowed, so that no number beyond int wraps into its range.
    constexpr std::array<TRange, 5> ranges = {kLevels, kStations, kKinds, kTechniques, kTimes};
    if (!when || !result) return std::nullopt;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        if (!numbers[i] || !ranges[i].Holds(*numbers[i])) return std::nullopt;
    TRoundRecord record;
    record.Name = line.left(equals);
    record.When = *when;
    record.Level = static_cast<int>(*numbers[0]);
    record.Station = static_cast<int>(*numbers[1]);
    record.Kind = static_cast<int>(*numbers[2]);
    record.Technique = static_cast<int>(*numbers[3]);
    record.Result = *result;
    record.Ms = *numbers[4];
    if (!record.Valid()) return std::nullopt;
    return record;
}

bool TRoundRecord::Valid() const {
    return !Name.isEmpty() && kLevels.Holds(Level) && kStations.Holds(Station) &&
           kKinds.Holds(Kind) && kTechniques.Holds(Technique) && kTimes.Holds(Ms) &&
           EndsSo(Kind, Result) && (!IsPractice() || kPracticed.Holds(Technique));
}

bool TRoundRecords::Add(const TRoundRecord& record) {
    if (!record.Valid()) return false;
    lines_.append(record.ToText());
    if (Count() > kMaxRecords) lines_.remove(0, Count() - kMaxRecords);
    return true;
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
    // The data file holds no more of the section than Caps() lets it keep, when given them.
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
    ReadFrom(TDataFile(fileName, reporter, SystemDriveTypes(), SystemFileSystem(), Caps()));
    return true;
}

bool TRoundRecords::SaveToFile(const std::string& fileName, TStorageReporter& reporter) const {
    TDataFile file(fileName, reporter);
    WriteTo(file);
    return file.Close() == 0;
}
