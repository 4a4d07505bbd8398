// Players: the data-file line, moves along the road, and the players' section of the data file.
#include "journey/senkaro_user.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "journey/comma_text.h"
#include "logic/random.h"
#include "storage/data_file.h"
#include "storage/storage_reporter.h"

namespace {

int ToIntOrZero(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

// The checkpoint items that name a post station, in stored order, as comma text.
QString PostStationsOnly(const QString& checkpoints) {
    std::vector<int> stations;
    for (const QString& item : comma_text::Split(checkpoints)) {
        bool ok = false;
        const int value = item.toInt(&ok);
        if (ok && value >= kFirstPostStation && value <= kLastPostStation)
            stations.push_back(value);
    }
    return CheckpointText(stations);
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
    if (equals < 0) return false;
    const QStringList items = comma_text::Split(line.mid(equals + 1));
    if (items.size() < 4) return false;
    Level = std::clamp(ToIntOrZero(items[0]), 0, kLevelCount - 1);
    Station = std::clamp(ToIntOrZero(items[1]), kFirstStation, kLastStation);
    Checkpoints = PostStationsOnly(items[2]);
    // A date that cannot be read leaves the time unknown (0) and keeps everything else.
    Updated = date_time::Parse(items[3]).value_or(0);
    Character = std::clamp(items.size() > 4 ? ToIntOrZero(items[4]) : 0, 0, kCharacterCount - 1);
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
    for (const TSenkaroUser& user : users_)
        lines << user.ToText();
    return lines;
}

void TSenkaroUsers::FromStrings(const QStringList& lines) {
    users_.clear();
    for (const QString& line : lines) {
        TSenkaroUser user;
        user.FromText(line);
        users_.push_back(user);
    }
}

bool TSenkaroUsers::LoadFromFile(const std::string& fileName, const std::string& section,
                                 TStorageReporter& reporter, TFileSystem& files) {
    std::error_code error;
    if (!std::filesystem::exists(fileName, error)) return false;
    TToldOnce toldOnce(reporter, told_);
    TDataFile file(fileName, toldOnce, SystemDriveTypes(), files);
    QStringList lines;
    file.ReadSection(section, lines);
    FromStrings(lines);
    // Closing writes the file back; a file that could not be read is kept aside first.
    if (file.Close() == 0) told_.clear();
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
