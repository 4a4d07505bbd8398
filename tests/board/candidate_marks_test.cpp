// The candidate marks of a digit and the colour each cell ends with. Cells are (col, row).
#include "board/candidate_marks.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

using Colours = std::map<std::pair<int, int>, TMarkColour>;

// The colour each marked cell shows: the last mark drawn there.
Colours Shown(const std::vector<TCandidateMark>& marks) {
    Colours shown;
    for (const TCandidateMark& m : marks)
        shown[{m.Cell.Col, m.Cell.Row}] = m.Colour;
    return shown;
}

}  // namespace

TEST(CandidateMarks, EveryEmptyCellOfAFreshGridIsBlue) {
    const TMatrix m;
    const auto marks = CandidateMarks(m, 4);
    ASSERT_EQ(marks.size(), 81u);
    EXPECT_EQ(marks[9], (TCandidateMark{{0, 1}, TMarkColour::Blue})) << "rows outer";
    EXPECT_TRUE(CandidateMarks(m, 0).empty());
    EXPECT_TRUE(CandidateMarks(m, 10).empty());
}

TEST(CandidateMarks, ALineSingleIsRedOverItsBoxColour) {
    // Row 0 holds 2-9, so (0, 0) is the row's one place for 1; box 0 keeps three places.
    TMatrix m;
    for (int col = 1; col < 9; ++col)
        m.SetValue(col, 0, col + 1);
    m.SetValue(1, 1, 4);
    m.SetValue(2, 1, 5);
    m.SetValue(1, 2, 6);
    m.SetValue(2, 2, 7);
    const auto marks = CandidateMarks(m, 1);
    const Colours shown = Shown(marks);
    EXPECT_EQ(shown.at({0, 0}), TMarkColour::Red);
    EXPECT_EQ(shown.at({0, 1}), TMarkColour::Green);
    EXPECT_EQ(shown.at({0, 2}), TMarkColour::Green);
    EXPECT_EQ(shown.at({5, 5}), TMarkColour::Blue);
    // (0, 0) was written green first, then red.
    std::vector<TMarkColour> order;
    for (const TCandidateMark& mark : marks)
        if (mark.Cell == TCell{0, 0}) order.push_back(mark.Colour);
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order[0], TMarkColour::Blue);
    EXPECT_EQ(order[1], TMarkColour::Green);
    EXPECT_EQ(order[2], TMarkColour::Red);
}
