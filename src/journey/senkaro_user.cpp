// Players: the data-file line, moves along the road, and the players' section of the data file.
#include "journey/senkaro_user.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>

#include "journey/comma_text.h"
#include "logic/random.h"
#include "storage/data_file.h"
#include "storage/storage_reporter.h"

namespace {

// The item as an int; nothing when it is no whole number or lies beyond int.
std::optional<int> WholeNumber(const QString& item) {
    bool ok = false;
    const int value = item.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The checkpoint items that name a post station, in stored order, as comma text; nothing when
// an item is no whole number.
std::optional<QString> PostStationsOnly(const QString& checkpoints) {
    std::vector<int> stations;
    for (const QString& item : comma_text::Split(checkpoints)) {
        const std::optional<int> value = WholeNumber(item);
        if (!value) return std::nullopt;
        if (*value >= kFirstPostStation && *value <= kLastPostStation) stations.push_back(*value);
    }
    return CheckpointText(stations);
}

constexpr int kLinesNamed = 10;  // in the message about lines that are no player

// The message about the section's lines that are no player: Japanese, a blank line, English,
// each naming the lines (the first kLinesNamed of them).
std::string NotUnderstoodMessage(const std::string& fileName, const std::string& section,
                                 const QStringList& lines) {
    std::string named;
    for (qsizetype i = 0; i < lines.size() && i < kLinesNamed; ++i)
        named += "\r\n  " + lines[i].toStdString();
    const std::string more = std::to_string(lines.size() - kLinesNamed);
    const bool cut = lines.size() > kLinesNamed;
    return fileName + " の [" + section +
           "] の次の行は、読み取れないか、前の行と同じ名前のため、プレイヤーとして出さずに"
           "そのまま残しました。" +
           named + (cut ? "\r\n  ほか " + more + " 行" : std::string()) +
           "\r\n\r\nThese lines of [" + section + "] in " + fileName +
           " could not be read, or name a player already read; they are not offered as players "
           "and are kept in the file as they are:" +
           named + (cut ? "\r\n  and " + more + " more" : std::string());
}

// Passes each message on to the player and to standard error, unless the same text was given
// since the last good save.
class TToldOnce final : public TStorageReporter {
  public:
    TToldOnce(TStorageReporter& target, std::set<std::string>& told)
        : target_(target), told_(told) {}
    void Report(const std::string& text) override {
        if (!told_.insert(text).second) return;
        std::cerr << text << '\n';
        target_.Report(text);
    }

  private:
    TStorageReporter& target_;
    std::set<std::string>& told_;
};

}  // namespace

QString TSenkaroUser::ToText() const {
    const QStringList items{QString::number(Level), QString::number(Station), Checkpoints,
                            date_time::Format(Updated), QString::number(Character)};
    return Name + u'=' + comma_text::Join(items);
}

bool TSenkaroUser::FromText(const QString& line) {
    const qsizetype equals = line.indexOf(u'=');
    *this = TSenkaroUser{};
    Name = equals < 0 ? line : line.left(equals);
    if (equals <= 0) return false;
    const QStringList items = comma_text::Split(line.mid(equals + 1));
    if (items.size() != 4 && items.size() != 5) return false;
    const std::optional<int> level = WholeNumber(items[0]);
    const std::optional<int> station = WholeNumber(items[1]);
    const std::optional<QString> checkpoints = PostStationsOnly(items[2]);
    const std::optional<date_time::TDateTime> updated = date_time::Parse(items[3]);
    const std::optional<int> character = items.size() > 4 ? WholeNumber(items[4]) : 0;
    if (!level || !station || !checkpoints || !updated || !character) return false;
    Level = std::clamp(*level, 0, kLevelCount - 1);
    Station = std::clamp(*station, kFirstStation, kLastStation);
    Checkpoints = *checkpoints;
    Updated = *updated;
    Character = std::clamp(*character, 0, kCharacterCount - 1);
    if (!Checkpoints.isEmpty()) Character = std::clamp(Character, 3 * Level, 3 * Level + 2);
    return true;
}

// Both moves clamp before they count, so no station value can overflow.
void TSenkaroUser::Advance() {
    Station = std::clamp(Station, kFirstStation, kLastStation - 1) + 1;
    Updated = date_time::Now();
}

void TSenkaroUser::StepBack() {
    Updated = date_time::Now();
    if (!IsCheckpoint(Station)) Station = std::clamp(Station, kFirstStation + 1, kLastStation) - 1;
}

std::vector<int> TSenkaroUser::GetCheckpoints() const {
    std::vector<int> stations;
    for (const QString& item : comma_text::Split(Checkpoints)) {
        bool ok = false;
        const int value = item.toInt(&ok);
        if (ok && value >= 0) stations.push_back(value);
    }
    return stations;
}

bool TSenkaroUser::IsCheckpoint(int station) const {
    const std::vector<int> stations = GetCheckpoints();
    return std::find(stations.begin(), stations.end(), station) != stations.end();
}

int TSenkaroUsers::Add(const QString& name) {
    for (int i = 0; i < Count(); ++i)
        if (users_[static_cast<std::size_t>(i)].Name == name) return i;
    TSenkaroUser user;
    user.Name = name;
    user.Updated = date_time::Now();
    users_.push_back(user);
    return Count() - 1;
}

QStringList TSenkaroUsers::ToStrings() const {
    QStringList lines;
    auto kept = keptLines_.begin();
    for (int i = 0; i < Count(); ++i) {
        for (; kept != keptLines_.end() && kept->PlayersBefore <= i; ++kept)
            lines << kept->Text;
        lines << users_[static_cast<std::size_t>(i)].ToText();
    }
    for (; kept != keptLines_.end(); ++kept)
        lines << kept->Text;
    return lines;
}

void TSenkaroUsers::FromStrings(const QStringList& lines) {
    Clear();
    std::set<QString> names;
    for (const QString& line : lines) {
        if (line.isEmpty()) continue;
        TSenkaroUser user;
        if (user.FromText(line) && names.insert(user.Name).second) {
            users_.push_back(user);
        } else {
            keptLines_.push_back({Count(), line});
        }
    }
}

QStringList TSenkaroUsers::NotUnderstood() const {
    QStringList lines;
    for (const TKeptLine& kept : keptLines_)
        lines << kept.Text;
    return lines;
}

bool TSenkaroUsers::LoadFromFile(const std::string& fileName, const std::string& section,
                                 TStorageReporter& reporter, TFileSystem& files) {
    return LoadFromFile(fileName, section, reporter, TOtherSectionsRead(), files);
}

bool TSenkaroUsers::LoadFromFile(const std::string& fileName, const std::string& section,
                                 TStorageReporter& reporter, const TOtherSectionsRead& others,
                                 TFileSystem& files, const TSectionCaps& caps) {
    std::error_code error;
    if (!std::filesystem::exists(fileName, error)) return false;
    TToldOnce toldOnce(reporter, told_);
    TDataFile file(fileName, toldOnce, SystemDriveTypes(), files, caps);
    QStringList lines;
    file.ReadSection(section, lines);
    FromStrings(lines);
    if (others) others(file);
    // Closing writes the file back; a file that could not be read is kept aside first.
    if (file.Close() == 0) told_.clear();
    if (!keptLines_.empty())
        toldOnce.Report(NotUnderstoodMessage(fileName, section, NotUnderstood()));
    return true;
}

bool TSenkaroUsers::SaveToFile(const std::string& fileName, const std::string& section,
                               TStorageReporter& reporter, TFileSystem& files) {
    return SaveToFile(fileName, section, reporter, TOtherSections(), files);
}

bool TSenkaroUsers::SaveToFile(const std::string& fileName, const std::string& section,
                               TStorageReporter& reporter, const TOtherSections& others,
                               TFileSystem& files) {
    TToldOnce toldOnce(reporter, told_);
    TDataFile file(fileName, toldOnce, SystemDriveTypes(), files);
    file.WriteSection(section, ToStrings());
    if (others) others(file);
    const bool saved = file.Close() == 0;
    if (saved) told_.clear();
    return saved;
}

std::vector<int> DrawCheckpoints(int level, TRandom& random) {
    const int a = 14 - 3 * std::clamp(level, 0, kLevelCount - 1);
    std::vector<int> counters(static_cast<std::size_t>(a + 1), 1);
    for (int i = 0; i < 51 - a; ++i)
        ++counters[static_cast<std::size_t>(random.Below(a + 1))];
    for (std::size_t i = 1; i < counters.size(); ++i)
        counters[i] += counters[i - 1];
    return counters;
}

QString CheckpointText(const std::vector<int>& stations) {
    QStringList items;
    for (const int station : stations)
        items << QString::number(station);
    return comma_text::Join(items);
}

void StartNewJourney(TSenkaroUser& user) {
    user.Level = std::clamp(user.Level, 0, kLevelCount - 2) + 1;
    user.Station = kFirstStation;
    user.Checkpoints.clear();
    user.Updated = date_time::Now();
}

bool CharacterBelongsToLevel(int character, int level) {
    return level >= 0 && level < kLevelCount && character >= 3 * level &&
           character <= 3 * level + 2;
}
