// The statistics window of one player: the figures of their records (rounds and successes by
// level and by technique, best and median times by kind, runs, journeys finished) and three
// charts: the success share per technique, the time of each of the last 100 rounds, and the
// stations of the current journey.
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
    QLabel& Summary() { return *summary_; }
    QTabWidget& Charts() { return *charts_; }

  private:
    QLabel* summary_ = nullptr;
    QTabWidget* charts_ = nullptr;
    TPlayerStatistics statistics_;
};
