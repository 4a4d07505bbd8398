// Every judged round, remembered: who played it, when, at which level and station, the kind
// of puzzle, the technique level of its answer, how it ended and how long it took.
//
// A record is a line of the data file's section "records":
//   name=yyyy/MM/dd H:mm:ss,level,station,kind,technique,result,ms
// with ms the time played (pauses not counted). A journey round has kind 1-6 and ends "ok",
// "wrong", "timeout" or "gaveup". A practice round has kind 0, the technique practised (1-9),
// and ends "ok", "wrong" or "hinted" (solved after a hint); it keeps the level and station the
// player stood at, which it did not change. No other pairing of kind and result is a record.
//
// At most kMaxRecords are kept, the oldest dropped first. The lines are kept as they were read
// and parsed only when asked for, so a file with thousands of them loads and saves fast; a line
// that is no record, or whose numbers lie outside their ranges, is kept in the file but counts
// for nothing.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "journey/date_time.h"
#include "storage/section_caps.h"

class TStorageReporter;

inline constexpr char kRecordsSection[] = "records";
// The kind of a practice round's record: no journey puzzle has it.
inline constexpr int kPracticeKind = 0;
// The longest time played a record holds: a day.
inline constexpr std::int64_t kLongestRecordedMs = 24LL * 3600 * 1000;

enum class TRoundResult { Ok, Wrong, Timeout, GaveUp, Hinted };

QString ResultName(TRoundResult result);
std::optional<TRoundResult> ResultFromName(const QString& name);

struct TRoundRecord {
    QString Name;
    date_time::TDateTime When = 0;
    int Level = 0;
    int Station = 0;    // before the round
    int Kind = 1;       // 1-6, or kPracticeKind
    int Technique = 0;  // the level of the technique that found the answer, 0-9; or practised
    TRoundResult Result = TRoundResult::Ok;
    std::int64_t Ms = 0;

    bool IsPractice() const { return Kind == kPracticeKind; }

    QString ToText() const;
    // Nothing for a line that is not a record (no name, a field missing or not a number, an
    // unknown result, a number outside its range, a kind and result no round ends with).
    static std::optional<TRoundRecord> FromText(const QString& line);
    // A round could have made it: a name, every number within its range (level 0-2, station 0-54,
    // kind 0-6, technique 0-9, 0 to 24 hours played), and a journey round (kind 1-6) ended ok,
    // wrong, timeout or gaveup, a practice round (kind 0) of technique 1-9 ok, wrong or hinted.
    bool Valid() const;
    friend bool operator==(const TRoundRecord&, const TRoundRecord&) = default;
};

class TDataFile;

class TRoundRecords {
  public:
    static constexpr int kMaxRecords = 20000;

    // What a data file that holds records keeps of their section, so that a section of a
    // million lines is never read whole; given to the data file where records are read.
    static TSectionCaps Caps() { return {{kRecordsSection, kMaxRecords}}; }

    // The lines kept, records or not.
    int Count() const { return static_cast<int>(lines_.size()); }
    // Line i read as a record; nothing when it is none.
    std::optional<TRoundRecord> Items(int index) const {
        return TRoundRecord::FromText(lines_.at(index));
    }
    // Adds at the end; the oldest goes when more than kMaxRecords are kept. A record that is
    // not Valid() is not added (it would read back as nothing): false.
    bool Add(const TRoundRecord& record);
    // The records of one player, oldest first.
    std::vector<TRoundRecord> OfPlayer(const QString& name) const;

    const QStringList& ToStrings() const { return lines_; }
    // Replaces the lines by these, the last kMaxRecords of them.
    void FromStrings(const QStringList& lines);

    // The section of an open data file, its last kMaxRecords lines. A file opened with Caps()
    // never held more of it, however long the section written by another tool.
    void ReadFrom(const TDataFile& file);
    void WriteTo(TDataFile& file) const;

    // The records of the data file's section, when the file exists; the file's other sections
    // are kept when saving. Storage problems are told to the reporter.
    bool LoadFromFile(const std::string& fileName, TStorageReporter& reporter);
    bool SaveToFile(const std::string& fileName, TStorageReporter& reporter) const;

  private:
    QStringList lines_;
};
