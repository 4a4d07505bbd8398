// Points in time as the player records keep them: days since 30 December 1899 as a double, the
// fraction being the time of day (local time).
//
// Written as "yyyy/mm/dd h:nn:ss" (the hour without a leading zero); read leniently: one- or
// two-digit fields, "/" or "-" in the date, with or without the time or its seconds.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace date_time {

using TDateTime = double;

TDateTime FromQDateTime(const QDateTime& moment);
QDateTime ToQDateTime(TDateTime value);
TDateTime Now();

QString Format(TDateTime value);
std::optional<TDateTime> Parse(const QString& text);

}  // namespace date_time
