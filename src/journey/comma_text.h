// Comma text: a list of items in one line, as the data file stores a player's fields.
//
// Writing: items are joined by ","; an item holding a blank, a control character, a comma or a
// double quote is enclosed in double quotes, with every inner double quote doubled; an empty
// item is written as nothing. Reading: items are separated by "," and also by blanks outside
// double quotes; a quoted item ends at its closing quote ("" stands for one quote inside).
#pragma once

#include <QString>
#include <QStringList>

namespace comma_text {

QString Join(const QStringList& items);
QStringList Split(const QString& text);

}  // namespace comma_text
