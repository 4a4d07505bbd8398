// What the game's tests share: a clock the test sets, and a fresh folder for the data file and
// the help page, with the players' section written and read directly.
#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "storage/data_file.h"
#include "storage/storage_test_support.h"

class TManualClock final : public TClock {
  public:
    std::int64_t NowMs() const override { return now; }
    std::int64_t now = 5'000'000;
};

class TGameFolder {
  public:
    std::string DataFile() const {
        return folder_.filePath(QStringLiteral("senkaro.ini")).toStdString();
    }
    QString HelpFile() const { return folder_.filePath(QStringLiteral("senkaro.html")); }

    void WritePlayers(const QStringList& lines) const {
        TRecordingReporter reporter;
        TDataFile file(DataFile(), reporter);
        file.WriteSection("userdata", lines);
        file.Close();
    }

    QStringList ReadPlayers() const {
        TRecordingReporter reporter;
        TDataFile file(DataFile(), reporter);
        QStringList lines;
        file.ReadSection("userdata", lines);
        return lines;
    }

  private:
    QTemporaryDir folder_;
};
