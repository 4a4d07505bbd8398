// The move history: recording, the redo tail, the cursor and its notification.
#include "board/histories.h"

#include <gtest/gtest.h>

namespace {

struct CountingHistories {
    THistories histories;
    int notifications = 0;
    CountingHistories() {
        histories.OnFloaterChange = [this] { ++notifications; };
    }
};

}  // namespace

TEST(Histories, EntryKeepsSevenFieldsWithSignedCoordinates) {
    const THistory entry(35, kStack, {8, 0}, 9);
    EXPECT_EQ(entry.Digit(), 4);
    EXPECT_EQ(entry.Index(), 35);
    EXPECT_EQ(entry.FromCol(), -1);
    EXPECT_EQ(entry.FromRow(), -1);
    EXPECT_EQ(entry.ToCol(), 8);
    EXPECT_EQ(entry.ToRow(), 0);
    EXPECT_EQ(entry.Technique(), 9);
    EXPECT_EQ(THistory(80, {2, 3}, kStack, 0).Digit(), 9);
}

TEST(Histories, AddIgnoresMovesThatGoNowhere) {
    CountingHistories h;
    EXPECT_EQ(h.histories.Count(), 0);
    EXPECT_EQ(h.histories.Floater(), -1);
    h.histories.Add(3, {1, 1}, {1, 1}, 0);
    h.histories.Add(3, kStack, kStack, 0);
    EXPECT_EQ(h.histories.Count(), 0);
    EXPECT_EQ(h.histories.Floater(), -1);
    EXPECT_EQ(h.notifications, 0);
}

TEST(Histories, NewMoveDropsTheRedoTail) {
    CountingHistories h;
    for (int i = 0; i < 3; ++i)
        h.histories.Add(i, kStack, {i, 0}, 0);
    h.histories.SetFloater(0);
    h.notifications = 0;
    h.histories.Add(40, kStack, {5, 5}, 2);
    ASSERT_EQ(h.histories.Count(), 2);
    EXPECT_EQ(h.histories.Floater(), 1);
    EXPECT_EQ(h.histories.Items(0).Index(), 0);
    EXPECT_EQ(h.histories.Items(1).Index(), 40);
    EXPECT_EQ(h.histories.Items(1).Technique(), 2);
    EXPECT_EQ(h.notifications, 1);
}

TEST(Histories, DeleteFromClampsAndMovesTheCursor) {
    CountingHistories h;
    for (int i = 0; i < 4; ++i)
        h.histories.Add(i, kStack, {i, 0}, 0);
    h.histories.DeleteFrom(4);  // nothing after the end
    EXPECT_EQ(h.histories.Count(), 4);
    EXPECT_EQ(h.histories.Floater(), 3);
    h.histories.DeleteFrom(2);
    EXPECT_EQ(h.histories.Count(), 2);
    EXPECT_EQ(h.histories.Floater(), 1);
    h.histories.DeleteFrom(-5);
    EXPECT_EQ(h.histories.Count(), 0);
    EXPECT_EQ(h.histories.Floater(), -1);
}

TEST(Histories, CursorNotifiesOnlyOnChange) {
    CountingHistories h;
    h.histories.SetFloater(-1);
    EXPECT_EQ(h.notifications, 0);
    h.histories.Add(1, kStack, {0, 0}, 0);
    h.histories.SetFloater(0);
    EXPECT_EQ(h.notifications, 1);
    h.histories.Clear();
    EXPECT_EQ(h.notifications, 2);
    h.histories.Clear();
    EXPECT_EQ(h.notifications, 2);
}
