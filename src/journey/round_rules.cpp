#include "journey/round_rules.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "logic/random.h"

namespace {

constexpr std::array<int, 18> kKindTable = {1, 2, 2, 3, 3, 4, 4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6};

// Whole seconds as "h:mm:ss", "m:ss", or below a minute "s" unless `minutes` keeps "0:ss".
QString ClockText(std::int64_t seconds, bool minutes) {
    const std::int64_t h = seconds / 3600;
    const std::int64_t m = (seconds / 60) % 60;
    const std::int64_t s = seconds % 60;
    if (h > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(h)
            .arg(m, 2, 10, QChar(u'0'))
            .arg(s, 2, 10, QChar(u'0'));
    if (m > 0 || minutes) return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QChar(u'0'));
    return QString::number(s);
}

}  // namespace

int KindAt(int index) {
    return kKindTable.at(static_cast<std::size_t>(index));
}

int ChooseKind(int level, int station, TRandom& random) {
    int index = 0;
    if (level == 1) {
        index = station < 5 ? random.Below(10) : 1 + random.Below(9);
    } else if (level == 2) {
        index = 5 + random.Below(13);
    } else if (station <= 1) {
        index = random.Below(1);
    } else if (station <= 5) {
        index = random.Below(3);
    } else if (station <= 9) {
        index = random.Below(5);
    } else {
        index = 1 + random.Below(4);
    }
    return KindAt(index);
}

std::int64_t TimeLimitMs(int kind, int level) {
    // 8000 scaled by 2^(kind + 1) and then by 2^(2 - level), truncated.
    const long double scaled = std::ldexp(std::ldexp(8000.0L, kind + 1), 2 - level);
    return static_cast<std::int64_t>(scaled);
}

QString CountdownCaption(std::int64_t remainingMs) {
    if (remainingMs <= 0) return QStringLiteral("0");
    return ClockText(remainingMs / 1000, false);
}

QString ElapsedCaption(std::int64_t playedMs) {
    return ClockText(std::max<std::int64_t>(0, playedMs) / 1000, true);
}
