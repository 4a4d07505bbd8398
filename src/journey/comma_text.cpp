#include "journey/comma_text.h"

namespace comma_text {
namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kDelimiter = u',';

// Blanks and control characters: what ends an unquoted item and what is skipped between items.
bool IsBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 0x20;
}

bool NeedsQuotes(const QString& item) {
    for (const QChar c : item)
        if (c.unicode() <= 0x20 || c == kQuote || c == kDelimiter ||
            c.category() == QChar::Other_Control)
            return true;
    return false;
}

}  // namespace

QString Join(const QStringList& items) {
    QStringList parts;
    parts.reserve(items.size());
    for (const QString& item : items) {
        if (!NeedsQuotes(item)) {
            parts << item;
            continue;
        }
        QString quoted = item;
        quoted.replace(kQuote, QStringLiteral("\"\""));
        parts << kQuote + quoted + kQuote;
    }
    return parts.join(kDelimiter);
}

QStringList Split(const QString& text) {
    QStringList items;
    const qsizetype n = text.size();
    qsizetype p = 0;
    auto skipBlanks = [&] {
        while (p < n && IsBlank(text[p]))
            ++p;
    };
    skipBlanks();
    while (p < n) {
        QString item;
        if (text[p] == kQuote) {
            ++p;
            while (p < n) {
                if (text[p] == kQuote) {
                    if (p + 1 < n && text[p + 1] == kQuote) {
                        item += kQuote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            const qsizetype start = p;
            while (p < n && !IsBlank(text[p]) && text[p] != kDelimiter)
                ++p;
            item = text.mid(start, p - start);
        }
        items << item;
        skipBlanks();
        if (p < n && text[p] == kDelimiter) {
            // A delimiter at the very end stands for one more, empty item.
            if (p + 1 == n) items << QString();
            ++p;
            skipBlanks();
        }
    }
    return items;
}

}  // namespace comma_text
