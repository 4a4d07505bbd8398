#include "journey/date_time.h"

#include <QRegularExpression>
#include <cmath>
#include <utility>

namespace date_time {
namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kSecondsPerDay = 86400.0;

}  // namespace

TDateTime FromQDateTime(const QDateTime& moment) {
    const QDateTime local = moment.toLocalTime();
    const double days = static_cast<double>(kEpoch.daysTo(local.date()));
    const double seconds = local.time().msecsSinceStartOfDay() / 1000.0;
    return days + seconds / kSecondsPerDay;
}

namespace {

// The day and the second of that day, rounded to the second: the stored form has no finer
// precision.
std::pair<QDate, int> DayAndSecond(TDateTime value) {
    const double wholeDays = std::floor(value);
    qint64 seconds = std::llround((value - wholeDays) * kSecondsPerDay);
    qint64 days = static_cast<qint64>(wholeDays);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    return {kEpoch.addDays(days), static_cast<int>(seconds)};
}

}  // namespace

QDateTime ToQDateTime(TDateTime value) {
    const auto [date, seconds] = DayAndSecond(value);
    return QDateTime(date, QTime(0, 0).addSecs(seconds));
}

TDateTime Now() {
    return FromQDateTime(QDateTime::currentDateTime());
}

QString Format(TDateTime value) {
    // Plain arithmetic on the date and the time of day: no time zone is consulted, so tens of
    // thousands of records format quickly.
    const auto [date, seconds] = DayAndSecond(value);
    return QStringLiteral("%1/%2/%3 %4:%5:%6")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

std::optional<TDateTime> Parse(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{1,4})[/-](\d{1,2})[/-](\d{1,2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid()) return std::nullopt;
    QTime time(0, 0);
    if (m.hasCaptured(4)) {
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(),
                     m.hasCaptured(6) ? m.captured(6).toInt() : 0);
        if (!time.isValid()) return std::nullopt;
    }
    const double days = static_cast<double>(kEpoch.daysTo(date));
    return days + time.msecsSinceStartOfDay() / 1000.0 / kSecondsPerDay;
}

}  // namespace date_time
