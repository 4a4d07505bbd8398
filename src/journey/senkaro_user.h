// The players and their progress along the road.
//
// A player line of the data file reads  name=level,station,"checkpoints","date time",character
// (comma text, see comma_text.h). Stations are 0 (the start) to 54 (the destination); levels are
// 0 beginner, 1 intermediate, 2 advanced; the characters of level L are 3L, 3L + 1 and 3L + 2.
// Numbers read from the file are brought into these ranges, so no value from a damaged or
// edited file can reach the countdown or the pictures unchecked. A line that does not read
// whole (a field missing or not understood) is no player: it stays in the section as it was,
// so that no save turns it into a player with fields lost.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "journey/date_time.h"
#include "storage/file_system.h"
#include "storage/section_caps.h"

class TDataFile;
class TRandom;
class TStorageReporter;

// Where the players live: this section of this data file, in the folder the game started in.
inline constexpr char kUsersFileName[] = "senkaro.ini";
inline constexpr char kUsersSection[] = "userdata";

constexpr int kFirstStation = 0;
constexpr int kLastStation = 54;
constexpr int kLevelCount = 3;
constexpr int kCharacterCount = 3 * kLevelCount;
// Checkpoints lie on the post stations between the start and the destination.
constexpr int kFirstPostStation = 1;
constexpr int kLastPostStation = 53;

class TSenkaroUser {
  public:
    QString Name;
    int Level = 0;
    int Station = 0;
    QString Checkpoints;  // comma text of station numbers; empty until drawn
    date_time::TDateTime Updated = 0;
    int Character = 0;

    QString ToText() const;
    // Fills the record from a data-file line; false when the line does not read whole, and then
    // the record is no player. Reading whole: a name before the first "=", then four or five
    // items (a line without the character is an older one: the level's first character): the
    // level and the station whole numbers, the checkpoints whole numbers or none, a date that
    // reads, and the character a whole number. Numbers are brought into range: the level to
    // 0-2, the station to 0-54, checkpoint items outside 1-53 left out, the character to 0-8
    // and, once the journey's checkpoints are drawn, into the level's three (before that, the
    // next selection asks for a character of the level).
    bool FromText(const QString& line);

    void Advance();
    void StepBack();
    // The checkpoint stations as numbers, in stored order; items that are no number are left out.
    std::vector<int> GetCheckpoints() const;
    bool IsCheckpoint(int station) const;
};

class TSenkaroUsers {
  public:
    int Count() const { return static_cast<int>(users_.size()); }
    TSenkaroUser& Items(int index) { return users_.at(static_cast<std::size_t>(index)); }
    const TSenkaroUser& Items(int index) const {
        return users_.at(static_cast<std::size_t>(index));
    }

    // The index of the player with exactly that name; a new player (updated now) when none has it.
    int Add(const QString& name);
    void Clear() {
        users_.clear();
        keptLines_.clear();
    }

    // The players' lines, with the lines that are no player back in their places.
    QStringList ToStrings() const;
    // Replaces every player by one per line that reads whole and names no player read before;
    // every other line but an empty one is kept as it is, for ToStrings, and listed by
    // NotUnderstood.
    void FromStrings(const QStringList& lines);
    // The lines of the last FromStrings that are no player, in their order.
    QStringList NotUnderstood() const;

    // Reads the players from the section when the file exists (false, and the list unchanged,
    // when it does not); the file is then written back. Storage problems are told to the
    // reporter and on standard error, and so are, in one message, the lines that are no player.
    bool LoadFromFile(const std::string& fileName, const std::string& section,
                      TStorageReporter& reporter, TFileSystem& files = SystemFileSystem());
    // The same, with other sections read from the file in the same read (the game's start reads
    // its records so, rather than reading a large file twice).
    // The sections in caps keep only their last lines as the file is read.
    using TOtherSectionsRead = std::function<void(const TDataFile& file)>;
    bool LoadFromFile(const std::string& fileName, const std::string& section,
                      TStorageReporter& reporter, const TOtherSectionsRead& others,
                      TFileSystem& files = SystemFileSystem(), const TSectionCaps& caps = {});
    // Writes every player into the section, keeping the file's other sections; true when the
    // file was written. A failing save is told once, not at every round: a message already
    // given is not given again until a save has succeeded.
    bool SaveToFile(const std::string& fileName, const std::string& section,
                    TStorageReporter& reporter, TFileSystem& files = SystemFileSystem());
    // The same, with other sections written into the file in the same save.
    using TOtherSections = std::function<void(TDataFile& file)>;
    bool SaveToFile(const std::string& fileName, const std::string& section,
                    TStorageReporter& reporter, const TOtherSections& others,
                    TFileSystem& files = SystemFileSystem());

  private:
    // A line of the section that is no player, with the number of players read before it.
    struct TKeptLine {
        int PlayersBefore;
        QString Text;
    };

    std::vector<TSenkaroUser> users_;
    std::vector<TKeptLine> keptLines_;
    std::set<std::string> told_;  // storage messages given since the last good save
};

// The checkpoint stations of a new journey at a level: 15 - 3 * level stations, strictly
// increasing, the first at least 1, the last 52. Levels outside 0..2 count as the nearest level.
std::vector<int> DrawCheckpoints(int level, TRandom& random);
QString CheckpointText(const std::vector<int>& stations);

// The record on arrival when the player sets out again: the next level (never beyond the last),
// station 0, checkpoints to be drawn at the next selection.
void StartNewJourney(TSenkaroUser& user);

// The characters of a level; false for any level outside 0-2.
bool CharacterBelongsToLevel(int character, int level);
