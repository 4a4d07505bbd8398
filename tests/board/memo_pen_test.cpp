// The memo pen on the board: strokes under the grid, seen over it while drawn; the eraser; the
// cursors; the memo and the marks put away under an explanation. Board 576 x 480, empty: the thin
// grey grid line of column B runs at x = 156.
#include <QPixmap>

#include "board/explanation_drawing.h"
#include "board/explanation_overlay.h"
#include "board_widget_fixture.h"
#include "resource_names.h"

namespace {

// A short stroke across the grey line at x = 156, in row 0 of the grid.
const QPoint kFrom(136, 45);
const QPoint kTo(176, 45);
const QPoint kOnLine(156, 45);
const QPoint kBesideLine(146, 45);

}  // namespace

TEST_F(BoardWidgetTest, StrokeShowsOverTheGridWhileDrawnAndUnderItAfter) {
    ASSERT_EQ(SeenAt(kOnLine), kGridGrey);
    Press(board, kFrom);
    MoveHeld(board, kTo);
    EXPECT_EQ(SeenAt(kOnLine), kRed);
    EXPECT_EQ(SeenAt(kBesideLine), kRed);
    Release(board, kTo);
    EXPECT_EQ(SeenAt(kOnLine), kGridGrey);
    EXPECT_EQ(SeenAt(kBesideLine), kRed);
}

TEST_F(BoardWidgetTest, EraserTrackTakesThePenAwayAndLeavesTheGrid) {
    Press(board, kFrom);
    Release(board, kTo);
    board.SetPenMode(1);
    Press(board, kFrom + QPoint(0, 2));
    MoveHeld(board, kTo + QPoint(0, 2));
    Release(board, kTo + QPoint(0, 2));
    const QColor background = board.palette().color(QPalette::Button);
    EXPECT_EQ(SeenAt(kBesideLine), background);
    EXPECT_EQ(SeenAt(kOnLine), kGridGrey);
    // The track is 6 pixels wide: no red is left of the 2-pixel line.
    const QImage seen = Seen();
    for (int y = 40; y <= 50; ++y)
        for (int x = kFrom.x(); x <= kTo.x(); ++x)
            ASSERT_NE(seen.pixelColor(x, y), kRed) << x << "," << y;
}

TEST_F(BoardWidgetTest, OnlyTheLeftButtonDrawsWhateverElseIsHeld) {
    Press(board, kFrom, Qt::RightButton);
    MoveHeld(board, kTo, Qt::RightButton);
    Release(board, kTo, Qt::RightButton);
    EXPECT_NE(SeenAt(kBesideLine), kRed);
    Press(board, kFrom, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    MoveHeld(board, kTo, Qt::LeftButton, Qt::ShiftModifier);
    Release(board, kTo);
    EXPECT_EQ(SeenAt(kBesideLine), kRed);
}

TEST_F(BoardWidgetTest, ANewPenColourDrawsOnlyLaterSegments) {
    Press(board, kFrom);
    MoveHeld(board, kOnLine);
    board.SetPenColor(QColor(0, 128, 0));
    MoveHeld(board, kTo);
    Release(board, kTo);
    EXPECT_EQ(SeenAt(kBesideLine), kRed);
    EXPECT_EQ(SeenAt(QPoint(166, 45)), QColor(0, 128, 0));
}

TEST_F(BoardWidgetTest, EraseMemoLeavesGridMarksAndPieces) {
    const QImage fresh = Seen();
    Drag(44, CellMiddle(1, 0));
    board.ShowCandidates(3);
    const QImage before = Seen();
    Press(board, QPoint(110, 60));
    MoveHeld(board, QPoint(560, 460));
    Release(board, QPoint(560, 460));
    ASSERT_NE(Seen(), before);
    board.EraseMemo();
    EXPECT_EQ(Seen(), before);

    // Clearing the board for the next puzzle wipes the memo with everything else.
    Press(board, QPoint(110, 60));
    Release(board, QPoint(560, 460));
    board.Clear();
    EXPECT_EQ(Seen(), fresh);
}

TEST_F(BoardWidgetTest, AStrokeEndsWhenTheBoardIsDisabledOrHidden) {
    Press(board, kFrom);
    MoveHeld(board, kTo);
    board.setEnabled(false);
    // The live layers are back: the line lies under the grid.
    EXPECT_EQ(SeenAt(kOnLine), kGridGrey);
    board.setEnabled(true);
    // Moves of the next round do not go on drawing from the old stroke.
    MoveHeld(board, QPoint(176, 100));
    EXPECT_NE(SeenAt(QPoint(176, 70)), kRed);

    board.show();
    Press(board, kFrom + QPoint(0, 100));
    MoveHeld(board, kTo + QPoint(0, 100));
    board.hide();
    EXPECT_EQ(SeenAt(kOnLine + QPoint(0, 100)), kGridGrey);
}

TEST_F(BoardWidgetTest, AnExplanationPutsTheMemoAndTheMarksAwayAndGivesThemBackExactly) {
    Drag(44, CellMiddle(1, 0));
    const QImage bare = Seen();
    RightClick(44);  // the 5's marks
    Press(board, QPoint(110, 60));
    MoveHeld(board, QPoint(560, 460));
    Release(board, QPoint(560, 460));
    const QImage marked = Seen();
    ASSERT_NE(marked, bare);

    // An empty drawing paints nothing of its own: what shows is the board without the player's
    // marks and memo, and a stroke tried meanwhile writes nothing.
    board.ShowExplanation(TExplanationDrawing{});
    EXPECT_EQ(Seen(), bare);
    Press(board, kFrom);
    MoveHeld(board, kTo);
    Release(board, kTo);
    EXPECT_EQ(Seen(), bare);

    board.HideExplanation();
    EXPECT_EQ(Seen(), marked);
}

TEST_F(BoardWidgetTest, AHintLiesOverALiveRoundAndPutsNothingAway) {
    // The top row shaded, two of its cells outlined.
    const TExplanationDrawing hint =
        DrawingOf(TPracticeHint{2, 4, TUnit{TUnitKind::Row, 0}, {2, 3}});
    Drag(44, CellMiddle(1, 0));
    board.ShowHint(hint);
    const QImage hinted = Seen();
    EXPECT_NE(hinted, (board.HideExplanation(), Seen()));

    // The marks show under it, a stroke under it writes, a piece dropped under it lands.
    RightClick(44);
    board.ShowHint(hint);
    const QImage marked = Seen();
    EXPECT_NE(marked, hinted);
    Press(board, kFrom + QPoint(0, 100));
    MoveHeld(board, kTo + QPoint(0, 100));
    Release(board, kTo + QPoint(0, 100));
    EXPECT_NE(Seen(), marked);
    const int piece = model.NextFreePiece(7);
    Drag(piece, CellMiddle(5, 0));
    EXPECT_EQ(model.PieceAt(5, 0), piece);
    ASSERT_NE(board.ExplanationOverlay(), nullptr);
    EXPECT_FALSE(board.ExplanationOverlay()->isHidden());
}

TEST_F(BoardWidgetTest, PenModeChoosesTheCursor) {
    const auto cursorImage = [this] { return board.cursor().pixmap().toImage(); };
    EXPECT_EQ(board.cursor().hotSpot(), QPoint(1, 30));
    EXPECT_EQ(cursorImage(), QPixmap(assets::PenCursor()).toImage());
    board.SetPenMode(1);
    EXPECT_EQ(board.cursor().hotSpot(), QPoint(1, 30));
    EXPECT_EQ(cursorImage(), QPixmap(assets::EraserCursor()).toImage());
    board.SetPenMode(0);
    EXPECT_EQ(cursorImage(), QPixmap(assets::PenCursor()).toImage());
}
