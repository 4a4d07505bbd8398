#include "journey/senkaro_user.h"

#include <algorithm>
#include <filesystem>

#include "journey/comma_text.h"
#include "logic/random.h"
#include "storage/data_file.h"

namespace {

int ToIntOrZero(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

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
    Level = ToIntOrZero(items[0]);
    Station = ToIntOrZero(items[1]);
    Checkpoints = items[2];
    // A date that cannot be read leaves the time unknown (0) and keeps everything else.
    Updated = date_time::Parse(items[3]).value_or(0);
    Character = items.size() > 4 ? ToIntOrZero(items[4]) : 0;
    return true;
}

void TSenkaroUser::Advance() {
    Station = std::min(kLastStation, Station + 1);
    Updated = date_time::Now();
}

void TSenkaroUser::StepBack() {
    Updated = date_time::Now();
    if (!IsCheckpoint(Station)) Station = std::max(kFirstStation, Station - 1);
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
                                 TStorageReporter& reporter) {
    std::error_code error;
    if (!std::filesystem::exists(fileName, error)) return false;
    TDataFile file(fileName, reporter);
    QStringList lines;
    file.ReadSection(section, lines);
    FromStrings(lines);
    // Closing writes the file back; a file that could not be read is kept aside first.
    file.Close();
    return true;
}

bool TSenkaroUsers::SaveToFile(const std::string& fileName, const std::string& section,
                               TStorageReporter& reporter) const {
    TDataFile file(fileName, reporter);
    file.WriteSection(section, ToStrings());
    file.Close();
    return true;
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
    user.Level += 1;
    user.Station = kFirstStation;
    user.Checkpoints.clear();
    user.Updated = date_time::Now();
}

bool CharacterBelongsToLevel(int character, int level) {
    return character >= 3 * level && character <= 3 * level + 2;
}
