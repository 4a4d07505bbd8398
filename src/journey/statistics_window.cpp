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

QString SummaryHtml(const TPlayerStatistics& s) {
    // The figures at the left, the times by kind at the right.
    QString html = QStringLiteral(
        "<table cellspacing=0 cellpadding=0><tr><td valign=top>"
        "<table cellspacing=0 cellpadding=3>");
    const auto row = [&html](const QString& label, const QString& value) {
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(label, value);
    };
    row(QStringLiteral("旅の全体 all journey rounds"), ShareText(s.All));
    for (int level = 0; level < 3; ++level)
        row(LevelName(level), ShareText(s.PerLevel[static_cast<std::size_t>(level)]));
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

// Per technique the practice rounds, how they ended, and the median time of the unaided ones.
QString PracticeHtml(const TPracticeStatistics& p) {
    QString html = QStringLiteral(
        "<table cellspacing=0 cellpadding=4><tr><th align=left>手筋<br>technique</th>"
        "<th>局<br>rounds</th><th>正解<br>ok</th><th>不正解<br>wrong</th>"
        "<th>ヒントあり<br>hinted</th><th>中央<br>median</th></tr>");
    for (int t = 1; t <= 9; ++t) {
        const TPracticeTimes& times = p[static_cast<std::size_t>(t)];
        html += QStringLiteral(
                    "<tr><td>%1</td><td align=center>%2</td><td align=center>%3</td>"
                    "<td align=center>%4</td><td align=center>%5</td><td align=right>%6</td></tr>")
                    .arg(QString::fromUtf8(TechniqueLevelNames[static_cast<std::size_t>(t)].data()))
                    .arg(times.Rounds)
                    .arg(times.Ok)
                    .arg(times.Wrong)
                    .arg(times.Hinted)
                    .arg(Seconds(times.MedianMs));
    }
    return html + QStringLiteral("</table>");
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
const QString kNoPracticeYet = QStringLiteral("まだ修行していません no practice yet");

// Instead of bare axes or an empty table: a player with no rounds is told so.
QLabel* Note(const QString& text) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    QFont font(fonts::kWindowFace);
    font.setPixelSize(18);
    label->setFont(font);
    return label;
}

QWidget* NoRoundsYet() {
    return Note(kNoRoundsYet);
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
    practice_ = ComputePracticeStatistics(records);
    // Practice rounds are no journey rounds: a player who only practised has none.
    const bool none = statistics_.All.Rounds == 0;
    summary_->setText((none ? QStringLiteral("<p><b>%1</b></p>").arg(kNoRoundsYet) : QString()) +
                      SummaryHtml(statistics_));
    while (charts_->count() > 0) {
        QWidget* page = charts_->widget(0);
        charts_->removeTab(0);
        delete page;
    }
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
    const bool practised = std::any_of(practice_.begin(), practice_.end(),
                                       [](const TPracticeTimes& t) { return t.Rounds > 0; });
    if (practised) {
        practiceTable_ = new QLabel(PracticeHtml(practice_));
        practiceTable_->setTextFormat(Qt::RichText);
        practiceTable_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        practiceTable_->setMargin(8);
    } else {
        practiceTable_ = Note(kNoPracticeYet);
    }
    charts_->addTab(practiceTable_, QStringLiteral("修行 practice"));
    // Over the middle of the game's window, at its own size.
    if (const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr)
        move(over->geometry().center() - rect().center());
}
