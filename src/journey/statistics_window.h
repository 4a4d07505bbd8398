// The statistics window of one player: the figures of their journey rounds (rounds and
// successes by level and by technique, best and median times by kind, runs, journeys finished),
// three charts of them (the success share per technique, the time of each of the last 100
// rounds, the stations of the current journey), and on a tab of its own their practice, apart
// from the journey: per technique the rounds, how they ended, and the median time unaided.
#pragma once

#include <QDialog>

#include "journey/round_statistics.h"

class QLabel;
class QChartView;
class QTabWidget;

class TStatisticsWindow final : public QDialog {
  public:
    static constexpr int kWidth = 760;
    static constexpr int kHeight = 600;

    explicit TStatisticsWindow(QWidget* parent);

    // The records of the player (oldest first), their level and the station they stand at.
    void ShowPlayer(const QString& name, const std::vector<TRoundRecord>& records, int level,
                    int stationNow);

    const TPlayerStatistics& Statistics() const { return statistics_; }
    const TPracticeStatistics& Practice() const { return practice_; }
    QLabel& Summary() { return *summary_; }
    QTabWidget& Charts() { return *charts_; }
    // The practice tab's page (once a player is shown): the table, or the word that the player
    // has not practised yet.
    QLabel& PracticeTable() { return *practiceTable_; }

  private:
    QLabel* summary_ = nullptr;
    QTabWidget* charts_ = nullptr;
    QLabel* practiceTable_ = nullptr;
    TPlayerStatistics statistics_;
    TPracticeStatistics practice_{};
};
