#include "journey/date_time.h"

#include <QRegularExpression>
#include <cmath>

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

QDateTime ToQDateTime(TDateTime value) {
    const double wholeDays = std::floor(value);
    // Rounded to the second: the stored form has no finer precision.
    qint64 seconds = std::llround((value - wholeDays) * kSecondsPerDay);
    qint64 days = static_cast<qint64>(wholeDays);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    return QDateTime(kEpoch.addDays(days), QTime(0, 0).addSecs(static_cast<int>(seconds)));
}

TDateTime Now() {
    return FromQDateTime(QDateTime::currentDateTime());
}

QString Format(TDateTime value) {
    const QDateTime moment = ToQDateTime(value);
    return moment.toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
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
