#include "journey/statistics_window.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "journey/route_tables.h"
#include "logic/technique_names.h"
#include "platform/fonts.h"

namespace {

const QColor kIndigo(38, 62, 110);
const QColor kVermilion(200, 60, 40);

QString Seconds(std::optional<std::int64_t> ms) {
    if (!ms) return QStringLiteral("—");
    return QStringLiteral("%1 s").arg(*ms / 1000.0, 0, 'f', 1);
}

QString Percent(const TTally& t) {
    if (t.Rounds == 0) return QStringLiteral("—");
    return QStringLiteral("%1 / %2 (%3%)")
        .arg(t.Successes)
        .arg(t.Rounds)
        .arg(qRound(100 * t.Share()));
}

QString SummaryHtml(const TPlayerStatistics& s) {
    // The figures at the left, the times by kind at the right.
    QString html = QStringLiteral(
        "<table cellspacing=0 cellpadding=0><tr><td valign=top>"
        "<table cellspacing=0 cellpadding=3>");
    const auto row = [&html](const QString& label, const QString& value) {
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(label, value);
    };
    row(QStringLiteral("全体 all rounds"), Percent(s.All));
    for (int level = 0; level < 3; ++level)
        row(LevelName(level), Percent(s.PerLevel[static_cast<std::size_t>(level)]));
    row(QStringLiteral("連続正解 run of successes"),
        QStringLiteral("いま now %1 · 最長 longest %2").arg(s.CurrentRun).arg(s.LongestRun));
    row(QStringLiteral("京に着いた旅 journeys finished"), QString::number(s.JourneysFinished));
    html += QStringLiteral(
        "</table></td><td width=32></td><td valign=top>"
        "<table cellspacing=0 cellpadding=3><tr><th>種類<br>kind</th><th>局<br>rounds</th>"
        "<th>正解<br>successes</th><th>最速<br>best</th><th>中央<br>median</th></tr>");
    for (int kind = 1; kind <= 6; ++kind) {
        const TKindTimes& t = s.PerKind[static_cast<std::size_t>(kind)];
        html += QStringLiteral(
                    "<tr><td align=center>%1</td><td align=center>%2</td><td align=center>%3</td>"
                    "<td align=right>%4</td><td align=right>%5</td></tr>")
                    .arg(kind)
                    .arg(t.Rounds)
                    .arg(t.Successes)
                    .arg(Seconds(t.BestMs), Seconds(t.MedianMs));
    }
    return html + QStringLiteral("</table></td></tr></table>");
}

QChart* NewChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setBackgroundBrush(QColor(250, 244, 228));
    QFont font(fonts::kWindowFace);
    font.setPixelSize(13);
    chart->setTitleFont(font);
    return chart;
}

// Ticks at whole numbers for counts, at nice steps for times; labels as precise as the step.
QValueAxis* Axis(const QString& title, double low, double high, bool whole, Qt::Alignment side,
                 QChart* chart) {
    const TAxisTicks ticks = NiceTicks(low, high, whole);
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(ticks.Low, ticks.High);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(ticks.Low);
    axis->setTickInterval(ticks.Step);
    axis->setMinorTickCount(0);
    const bool wholeSteps = ticks.Step == std::floor(ticks.Step);
    const bool halfSteps = ticks.Step * 2 == std::floor(ticks.Step * 2);
    axis->setLabelFormat(wholeSteps  ? QStringLiteral("%d")
                         : halfSteps ? QStringLiteral("%.1f")
                                     : QStringLiteral("%.2f"));
    chart->addAxis(axis, side);
    return axis;
}

QChart* TechniqueChart(const TPlayerStatistics& s) {
    QChart* chart = NewChart(QStringLiteral("手筋ごとの正解率 success share per technique (%)"));
    auto* set = new QBarSet(QStringLiteral("share"));
    set->setColor(kIndigo);
    // Technique 0: the answer was where the units agreed on one last place. Under each bar its
    // share; a technique never played has no bar and a dash, a share of 0 % a sliver of a bar.
    QStringList names;
    for (int t = 0; t <= 9; ++t) {
        const TTally& tally = s.PerTechnique[static_cast<std::size_t>(t)];
        const double share = 100 * tally.Share();
        *set << (tally.Rounds == 0 ? 0.0 : std::max(share, 0.8));
        names << (tally.Rounds == 0 ? QStringLiteral("%1\n—").arg(t)
                                    : QStringLiteral("%1\n%2%").arg(t).arg(qRound(share)));
    }
    auto* series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis;
    categories->append(names);
    categories->setTitleText(QStringLiteral("手筋 technique level"));
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    series->attachAxis(Axis(QStringLiteral("%"), 0, 100, true, Qt::AlignLeft, chart));
    return chart;
}

QChart* LineChart(const QString& title, const std::vector<TChartPoint>& points,
                  const QString& xTitle, const QString& yTitle, double yHigh, bool wholeY) {
    QChart* chart = NewChart(title);
    auto* series = new QLineSeries;
    series->setPen(QPen(kVermilion, 2));
    series->setPointsVisible(points.size() < 40);
    double top = yHigh;
    for (const TChartPoint& p : points) {
        series->append(p.X, p.Y);
        top = std::max(top, p.Y);
    }
    chart->addSeries(series);
    series->attachAxis(Axis(xTitle, 1, std::max<double>(2, static_cast<double>(points.size())),
                            true, Qt::AlignBottom, chart));
    series->attachAxis(Axis(yTitle, 0, top, wholeY, Qt::AlignLeft, chart));
    return chart;
}

QChartView* View(QChart* chart) {
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

const QString kNoRoundsYet = QStringLiteral("まだ記録がありません no rounds yet");

// Instead of bare axes: a player with no rounds is told so.
QWidget* NoRoundsYet() {
    auto* label = new QLabel(kNoRoundsYet);
    label->setAlignment(Qt::AlignCenter);
    QFont font(fonts::kWindowFace);
    font.setPixelSize(18);
    label->setFont(font);
    return label;
}

}  // namespace

TStatisticsWindow::TStatisticsWindow(QWidget* parent) : QDialog(parent) {
    setFixedSize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setTextFormat(Qt::RichText);
    layout->addWidget(summary_);
    charts_ = new QTabWidget(this);
    layout->addWidget(charts_, 1);
    auto* close = new QPushButton(QStringLiteral("とじる close"), this);
    close->setToolTip(QStringLiteral("Enter / Esc"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void TStatisticsWindow::ShowPlayer(const QString& name, const std::vector<TRoundRecord>& records,
                                   int level, int stationNow) {
    setWindowTitle(QStringLiteral("記録 records — %1").arg(name));
    statistics_ = ComputeStatistics(records, level, stationNow);
    summary_->setText(
        (records.empty() ? QStringLiteral("<p><b>%1</b></p>").arg(kNoRoundsYet) : QString()) +
        SummaryHtml(statistics_));
    while (charts_->count() > 0) {
        QWidget* page = charts_->widget(0);
        charts_->removeTab(0);
        delete page;
    }
    const bool none = records.empty();
    charts_->addTab(none ? NoRoundsYet() : View(TechniqueChart(statistics_)),
                    QStringLiteral("手筋 techniques"));
    charts_->addTab(none ? NoRoundsYet()
                         : View(LineChart(QStringLiteral("最近100局の時間 time per round (s)"),
                                          RoundTimes(records), QStringLiteral("局 round"),
                                          QStringLiteral("秒 s"), 10, false)),
                    QStringLiteral("時間 times"));
    charts_->addTab(
        none ? NoRoundsYet()
             : View(LineChart(QStringLiteral("この旅の宿 stations of this journey"),
                              JourneyStations(records, level, stationNow),
                              QStringLiteral("局 round"), QStringLiteral("宿 station"), 54, true)),
        QStringLiteral("旅 journey"));
    // Over the middle of the game's window, at its own size.
    if (const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr)
        move(over->geometry().center() - rect().center());
}
