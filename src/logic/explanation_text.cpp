// One sentence template per step pattern and language. Lists read "B3 か C3" / "B3 or C3" for
// where a digit may go and "B3 と C3" / "B3 and C3" for cells or digits taken together; three or
// more items are joined by "、" / ", " before the last.
#include "logic/explanation_text.h"

#include <vector>

namespace {

constexpr bool kJa = true;

std::string Digit(int digit) {
    return std::to_string(digit);
}

std::string Join(const std::vector<std::string>& items, bool japanese, bool alternatives) {
    const std::string last =
        japanese ? (alternatives ? " か " : " と ") : (alternatives ? " or " : " and ");
    const std::string other = japanese ? "、" : ", ";
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? last : other;
        text += items[i];
    }
    return text;
}

std::string CellList(const std::vector<int>& cells, bool japanese, bool alternatives) {
    std::vector<std::string> names;
    for (const int cell : cells)
        names.push_back(CellName(cell));
    return Join(names, japanese, alternatives);
}

std::string DigitList(const std::vector<int>& digits, bool japanese) {
    std::vector<std::string> names;
    for (const int digit : digits)
        names.push_back(Digit(digit));
    return Join(names, japanese, false);
}

std::string Unit(TUnit unit, bool japanese) {
    return UnitName(unit, japanese ? TLanguage::Japanese : TLanguage::English);
}

// What a supposition ends in: "row 6 would have no room for 2" / "6行目に 2 の入る場所が
// なくなります".
std::string NoRoom(TUnit unit, int digit, bool ja) {
    if (ja) return Unit(unit, kJa) + "に " + Digit(digit) + " の入る場所がなくなります";
    return Unit(unit, false) + " would have no room for " + Digit(digit);
}

std::string LastCell(const TStep& s, bool ja) {
    const std::string cell = CellName(s.Cell), d = Digit(s.Digit);
    if (ja) {
        return Unit(s.Unit, kJa) + "で空いているマスは " + cell + " だけなので、" + cell +
               " に足りない " + d + " が入ります。";
    }
    return cell + " is the only empty cell of " + Unit(s.Unit, false) +
           ", so it takes the missing " + d + ".";
}

std::string LastPlace(const TStep& s, bool ja) {
    const std::string cell = CellName(s.Cell), d = Digit(s.Digit);
    if (ja) {
        return Unit(s.Unit, kJa) + "の " + d + " は " + cell + " にしか入らないので、" + cell +
               " は " + d + " です。";
    }
    return "In " + Unit(s.Unit, false) + " the " + d + " can only go in " + cell + ", so " + cell +
           " is " + d + ".";
}

std::string LastCandidate(const TStep& s, bool ja) {
    const std::string cell = CellName(s.Cell), d = Digit(s.Digit);
    if (ja) return cell + " に入る数字は " + d + " しかありません。";
    return cell + " can hold nothing but " + d + ".";
}

std::string Locked(const TStep& s, bool ja) {
    const std::string d = Digit(s.Digit);
    if (ja) {
        return Unit(s.Unit, kJa) + "の " + d + " は " + CellList(s.Cells, kJa, true) +
               " にしか入らないので、" + Unit(s.Other, kJa) + "のほかのマスには入りません。";
    }
    return "In " + Unit(s.Unit, false) + " the " + d + " can only go in " +
           CellList(s.Cells, false, true) + ", so " + Unit(s.Other, false) +
           "'s other cells lose " + d + ".";
}

std::string Naked(const TStep& s, bool ja) {
    const std::string digits = DigitList(s.Digits, ja);
    if (ja) {
        return Unit(s.Unit, kJa) + "の " + CellList(s.Cells, kJa, false) + " には " + digits +
               " しか入らないので、" + Unit(s.Unit, kJa) + "のほかのマスには入りません。";
    }
    const bool one = s.Cells.size() == 1;
    return "In " + Unit(s.Unit, false) + ", " + CellList(s.Cells, false, false) +
           (one ? " holds only " : " hold only ") + digits + ", so " + Unit(s.Unit, false) +
           "'s other cells lose " + (one ? "it." : "them.");
}

std::string Hidden(const TStep& s, bool ja) {
    const bool one = s.Cells.size() == 1;
    const std::string cells = CellList(s.Cells, ja, false), digits = DigitList(s.Digits, ja);
    if (ja) {
        const std::string those =
            one ? cells + " " : "その" + std::to_string(s.Cells.size()) + "マス";
        return Unit(s.Unit, kJa) + "の " + digits + " は " + cells + " にしか入らないので、" +
               those + "にはほかの数字が入りません。";
    }
    if (one) {
        return "In " + Unit(s.Unit, false) + " the " + digits + " can only go in " + cells +
               ", so " + cells + " loses its other candidates.";
    }
    return "In " + Unit(s.Unit, false) + ", " + digits + " can only go in " + cells +
           ", so those cells lose their other candidates.";
}

std::string Contradiction(const TStep& s, bool ja) {
    const std::string cell = CellName(s.Cell), a = Digit(s.Assumed), d = Digit(s.Digit);
    const std::string w = Digit(s.Blocked.Digit);
    std::vector<std::string> links;
    for (const TChainLink& link : s.Chain)
        links.push_back(CellName(link.Cell));
    std::string chain;
    for (std::size_t i = 0; i < links.size(); ++i)
        chain += (i == 0 ? "" : ja ? "、" : ", then ") + links[i];
    if (ja) {
        const std::string follows = links.empty() ? "" : w + " は " + chain + " に入ることになり、";
        return cell + " が " + a + " だとすると、" + follows +
               NoRoom(s.Blocked.Unit, s.Blocked.Digit, kJa) + "。だから " + cell + " は " + d +
               " です。";
    }
    const std::string follows =
        links.empty() ? ", then " : ", " + w + " would have to go in " + chain + ", and then ";
    return "If " + a + " were in " + cell + follows +
           NoRoom(s.Blocked.Unit, s.Blocked.Digit, false) + "; so " + cell + " is " + d + ".";
}

std::string Trial(const TStep& s, bool ja) {
    const std::string cell = CellName(s.Cell), a = Digit(s.Assumed);
    const TDeadEnd& end = s.Contradiction;
    if (ja) {
        const std::string broken = end.IsCell() ? CellName(end.Cell) + " に入る数字がなくなります"
                                                : NoRoom(end.Unit, end.Digit, kJa);
        return cell + " が " + a + " だとすると …、" + broken + "。だから " + cell + " は " + a +
               " ではありません。";
    }
    const std::string broken = end.IsCell() ? CellName(end.Cell) + " would have no digit left"
                                            : NoRoom(end.Unit, end.Digit, false);
    return "If " + a + " were in " + cell + " …, then " + broken + ", so " + cell + " is not " + a +
           ".";
}

}  // namespace

std::string CellName(int cell) {
    if (cell < 0 || cell >= 81) return "?";
    return std::string(1, static_cast<char>('A' + cell % 9)) + std::to_string(cell / 9 + 1);
}

std::string UnitName(TUnit unit, TLanguage language) {
    const bool ja = language == TLanguage::Japanese;
    switch (unit.Kind) {
        case TUnitKind::Row:
            return ja ? std::to_string(unit.Number + 1) + "行目"
                      : "row " + std::to_string(unit.Number + 1);
        case TUnitKind::Column: {
            const std::string letter(1, static_cast<char>('A' + unit.Number));
            return ja ? letter + "列" : "column " + letter;
        }
        case TUnitKind::Box:
            break;
    }
    return (ja ? "ブロック" : "box ") + std::to_string(unit.Number + 1);
}

std::string StepSentence(const TStep& step, TLanguage language) {
    const bool ja = language == TLanguage::Japanese;
    switch (step.Type) {
        case TStepType::LastCell:
            return LastCell(step, ja);
        case TStepType::LastPlace:
            return LastPlace(step, ja);
        case TStepType::LastCandidate:
            return LastCandidate(step, ja);
        case TStepType::Locked:
            return Locked(step, ja);
        case TStepType::Naked:
            return Naked(step, ja);
        case TStepType::Hidden:
            return Hidden(step, ja);
        case TStepType::Contradiction:
            return Contradiction(step, ja);
        case TStepType::Trial:
            break;
    }
    return Trial(step, ja);
}
