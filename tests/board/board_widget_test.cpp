// The board on screen: the laid-out pieces, dragging them onto cells, and the candidate marks.
// Board 576 x 480: cells 52 x 50, grid at (104, 20). Piece i carries digit i / 9 + 1; piece 44
// lies on top of the 5s' stack at (32, 222).
#include <QFontInfo>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "board_widget_fixture.h"
#include "support/known_positions.h"

namespace {

constexpr int kTopFive = 44;

}  // namespace

TEST_F(BoardWidgetTest, StartLaysOutEveryPieceInItsStack) {
    for (int i = 0; i < TBoard::kPieceCount; ++i) {
        const TNumberPiece* piece = board.NumberPiece(i);
        ASSERT_NE(piece, nullptr);
        EXPECT_EQ(piece->geometry(), QRect(board.Geometry().Home(i), QSize(49, 47))) << i;
        EXPECT_TRUE(piece->isVisibleTo(&board));
        EXPECT_TRUE(piece->Raised());
        EXPECT_FALSE(piece->Fixed());
        EXPECT_EQ(piece->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(piece->toolTip(), QStringLiteral("移動先のマス目にＤ＆Ｄ to cell"));
    }
    // 22 points in the board's face, which it has from the window.
    EXPECT_EQ(Piece(0).font().pointSize(), 22);
    EXPECT_EQ(QFontInfo(Piece(0).font()).family(), QStringLiteral("IPAPGothic"));
    // The 4-pixel edge of a lower piece belongs to that piece; the rest to the top one.
    EXPECT_EQ(board.childAt(29, 240), &Piece(kTopFive - 1));
    EXPECT_EQ(board.childAt(40, 240), &Piece(kTopFive));
}

TEST(BoardWidgetStart, PacedLayoutRunsFromATimerAndSaysWhenItIsDone) {
    TBoard model;
    TSudoku board(model);
    board.resize(580, 480);
    const auto shownPieces = [&board] {
        int n = 0;
        for (int i = 0; i < TBoard::kPieceCount; ++i)
            if (board.NumberPiece(i) && board.NumberPiece(i)->isVisibleTo(&board)) ++n;
        return n;
    };
    int started = 0;
    board.OnStarted = [&] { ++started; };
    board.Start();
    // Start returns at once; the stacks fill while the event loop runs, in order.
    EXPECT_TRUE(board.Starting());
    EXPECT_LT(shownPieces(), 81);
    std::vector<int> seen;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { seen.push_back(shownPieces()); });
    timer.start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return started > 0; }, 5000));
    timer.stop();
    EXPECT_EQ(started, 1);
    EXPECT_FALSE(board.Starting());
    EXPECT_EQ(shownPieces(), 81);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](int n) { return n > 0 && n < 81; }));
    EXPECT_EQ(board.Geometry().GridLeft, 104);
}

TEST(BoardWidgetStart, VisibleSolverPlayRunsFromATimerWithTheBoardDisabled) {
    TBoard model;
    TSudoku board(model);
    board.resize(580, 480);
    board.SetPaced(false);
    board.Start();
    board.SetPaced(true);
    // One hole in each of six rows, none on the diagonal, so a column told for a row shows.
    const std::string solved = known::kSolvedGrid;
    std::string text = solved;
    for (const int i : {1, 12, 23, 34, 45, 56})
        text[static_cast<std::size_t>(i)] = '0';
    model.LayOutPuzzle(text);
    std::vector<TPlacedMove> placed;
    board.OnChanged = [&](TSudoku*, const TPlacedMove& move) { placed.push_back(move); };
    bool done = false;
    board.PlayForcedMovesVisibly([&] { done = true; });
    EXPECT_FALSE(board.isEnabled());
    EXPECT_FALSE(done);
    EXPECT_LT(board.Count(), 81);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
    EXPECT_EQ(board.Count(), 81);
    EXPECT_TRUE(board.isEnabled());
    // Each move told is the program's, names the solution's digit, and its piece stands there.
    ASSERT_EQ(placed.size(), 6u);
    for (const TPlacedMove& m : placed) {
        const std::size_t cell = static_cast<std::size_t>(m.Move.Col + 9 * m.Move.Row);
        EXPECT_EQ(text[cell], '0') << m.Move.Col << "," << m.Move.Row;
        EXPECT_EQ(m.Move.Digit, solved[cell] - '0') << m.Move.Col << "," << m.Move.Row;
        EXPECT_EQ(model.Pieces(m.Piece).Cell(), m.Move.Cell()) << m.Piece;
        EXPECT_EQ(model.Pieces(m.Piece).Digit(), m.Move.Digit) << m.Piece;
        EXPECT_EQ(m.Origin, TMoveOrigin::Program);
    }
}

TEST_F(BoardWidgetTest, StatusShowsTheCountInNavy) {
    const auto navyPixels = [this] {
        int n = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 104; ++x)
                if (const QColor c = board.HintLayer().pixelColor(x, y);
                    c.alpha() > 160 && c.red() == 0 && c.green() == 0 && c.blue() > 120 &&
                    c.blue() < 136)
                    ++n;
        return n;
    };
    const int empty = navyPixels();
    EXPECT_GT(empty, 0);
    Put(1, 0, 0);
    Put(2, 1, 0);
    Put(3, 2, 0);
    Put(4, 3, 0);
    Put(5, 4, 0);
    Put(6, 5, 0);
    Put(7, 6, 0);
    Put(8, 7, 0);
    Put(9, 8, 0);
    Put(1, 3, 1);
    // "-- 0 --" became "-- 10 --".
    EXPECT_GT(navyPixels(), empty);
    board.ClearHintLayer();
    EXPECT_GT(navyPixels(), empty) << "clearing the marks keeps the status";
}

TEST_F(BoardWidgetTest, DragFromStackToCell) {
    Drag(kTopFive, CellMiddle(2, 3));
    const TPiece& p = board.Pieces(kTopFive);
    EXPECT_EQ(p.Cell(), (TCell{2, 3}));
    EXPECT_EQ(board.Board().Matrix().GetValue(2, 3), 5);
    EXPECT_EQ(Piece(kTopFive).pos(), QPoint(104 + 104 + 3, 20 + 150 + 3));
    EXPECT_FALSE(Piece(kTopFive).Raised());
    EXPECT_EQ(board.Histories().Count(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(lastMove, (TPlacedMove{kTopFive, {2, 3, 5}, TMoveOrigin::Player}));
    EXPECT_EQ(beep.count, 0);
    // The next piece of the stack is the top one now.
    EXPECT_EQ(board.Board().NextFreePiece(5), kTopFive - 1);
}

TEST_F(BoardWidgetTest, RefusedDropBeepsAndSnapsBack) {
    Put(5, 0, 3);
    const int entries = board.Histories().Count();
    changes = 0;
    // Another 5 into the same row.
    Drag(kTopFive - 1, CellMiddle(4, 3));
    EXPECT_EQ(beep.count, 1);
    EXPECT_EQ(board.Pieces(kTopFive - 1).Col, -1);
    EXPECT_EQ(Piece(kTopFive - 1).pos(), board.Geometry().Home(kTopFive - 1));
    EXPECT_TRUE(Piece(kTopFive - 1).Raised());
    EXPECT_EQ(board.Board().Matrix().GetValue(4, 3), 0);
    EXPECT_EQ(board.Histories().Count(), entries);
    EXPECT_EQ(board.Count(), 1);
    EXPECT_EQ(changes, 0);

    // A movable piece from a cell snaps back onto it, its digit back in the position.
    Put(5, 4, 0);
    Drag(kTopFive, CellMiddle(4, 5));
    EXPECT_EQ(beep.count, 2);
    EXPECT_EQ(board.Pieces(kTopFive).Cell(), (TCell{0, 3}));
    EXPECT_EQ(Piece(kTopFive).pos(), board.Geometry().PieceOnCell(0, 3));
    EXPECT_FALSE(Piece(kTopFive).Raised());
    EXPECT_EQ(board.Board().Matrix().GetValue(0, 3), 5);
}

TEST_F(BoardWidgetTest, DropsRightOfAndBelowTheGridLandInTheLastColumnAndRow) {
    // 2 pixels right of the grid's right edge, in row 4.
    Drag(kTopFive, QPoint(104 + 468 + 2, CellMiddle(0, 4).y()));
    EXPECT_EQ(board.Pieces(kTopFive).Cell(), (TCell{8, 4}));
    // The board's own right edge still counts.
    Drag(8, QPoint(576, CellMiddle(0, 2).y()));
    EXPECT_EQ(board.Pieces(8).Cell(), (TCell{8, 2}));
    // Below the grid.
    Drag(17, QPoint(CellMiddle(3, 0).x(), 20 + 450 + 5));
    EXPECT_EQ(board.Pieces(17).Cell(), (TCell{3, 8}));
    EXPECT_EQ(changes, 3);
}

TEST_F(BoardWidgetTest, DropOverTheStacksSendsThePieceHome) {
    Drag(kTopFive, QPoint(60, 100));
    EXPECT_EQ(board.Pieces(kTopFive).Col, -1);
    EXPECT_EQ(Piece(kTopFive).pos(), board.Geometry().Home(kTopFive));
    EXPECT_EQ(board.Histories().Count(), 0);
    EXPECT_EQ(changes, 0);

    // From a cell it is a recorded return, still without an event.
    Drag(kTopFive, CellMiddle(6, 6));
    changes = 0;
    Drag(kTopFive, QPoint(300, 10));  // above the grid
    EXPECT_EQ(board.Pieces(kTopFive).Col, -1);
    EXPECT_EQ(board.Board().Matrix().GetValue(6, 6), 0);
    ASSERT_EQ(board.Histories().Count(), 2);
    EXPECT_EQ(board.Histories().Items(1).ToCol(), -1);
    EXPECT_EQ(changes, 0);
}

TEST_F(BoardWidgetTest, ShiftEndsADragWithoutADrop) {
    TNumberPiece& piece = Piece(kTopFive);
    const QPoint home = piece.pos();
    Press(piece, piece.geometry().center());
    MoveHeld(piece, CellMiddle(3, 3));
    MoveHeld(piece, CellMiddle(4, 3), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(piece.pos(), home);
    EXPECT_TRUE(piece.Raised());
    // The drag is over: further moves and the release do nothing.
    MoveHeld(piece, CellMiddle(5, 3));
    Release(piece, CellMiddle(5, 3));
    EXPECT_EQ(piece.pos(), home);
    EXPECT_EQ(board.Pieces(kTopFive).Col, -1);
    EXPECT_EQ(board.Histories().Count(), 0);
    EXPECT_EQ(changes, 0);
    // And it can be dragged again.
    Drag(kTopFive, CellMiddle(5, 3));
    EXPECT_EQ(board.Pieces(kTopFive).Cell(), (TCell{5, 3}));
}

TEST_F(BoardWidgetTest, AnEndedDragOfACellPiecePutsItsDigitBack) {
    Drag(kTopFive, CellMiddle(5, 3));
    TNumberPiece& piece = Piece(kTopFive);
    // Lifting the piece empties its cell...
    Press(piece, piece.geometry().center());
    MoveHeld(piece, CellMiddle(7, 7));
    EXPECT_EQ(board.Board().Matrix().GetValue(5, 3), 0);
    // ...and a second button ends the drag: the piece and its digit are back on the cell.
    Send(piece, QEvent::MouseButtonPress, CellMiddle(7, 7), Qt::RightButton,
         Qt::LeftButton | Qt::RightButton);
    Send(piece, QEvent::MouseButtonRelease, CellMiddle(7, 7), Qt::RightButton, Qt::LeftButton);
    EXPECT_EQ(piece.pos(), board.Geometry().PieceOnCell(5, 3));
    EXPECT_FALSE(piece.Raised());
    EXPECT_EQ(board.Board().Matrix().GetValue(5, 3), 5);
    Release(piece, CellMiddle(7, 7));
    EXPECT_EQ(board.Pieces(kTopFive).Cell(), (TCell{5, 3}));
    EXPECT_EQ(board.Histories().Count(), 1);

    // Disabling the board in the middle of a drag ends it the same way.
    Press(piece, piece.geometry().center());
    MoveHeld(piece, CellMiddle(7, 7));
    board.setEnabled(false);
    EXPECT_EQ(piece.pos(), board.Geometry().PieceOnCell(5, 3));
    EXPECT_EQ(board.Board().Matrix().GetValue(5, 3), 5);
    // A disabled board takes no drag at all.
    Drag(kTopFive - 1, CellMiddle(0, 0));
    EXPECT_EQ(Piece(kTopFive - 1).pos(), board.Geometry().Home(kTopFive - 1));
    board.setEnabled(true);
    Drag(kTopFive - 1, CellMiddle(0, 0));
    EXPECT_EQ(board.Pieces(kTopFive - 1).Cell(), (TCell{0, 0}));
}

TEST_F(BoardWidgetTest, FixedPiecesRefuseTheLeftButtonButShowMarks) {
    Put(5, 4, 4);
    board.Fix();
    const int fixed = board.Board().PieceAt(4, 4);
    TNumberPiece& piece = Piece(fixed);
    EXPECT_TRUE(piece.Fixed());
    EXPECT_EQ(piece.cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(piece.toolTip().isEmpty());
    Drag(fixed, CellMiddle(0, 0));
    EXPECT_EQ(piece.pos(), board.Geometry().PieceOnCell(4, 4));
    EXPECT_EQ(board.Board().Matrix().GetValue(4, 4), 5);
    EXPECT_EQ(beep.count, 0);

    RightClick(fixed);
    EXPECT_EQ(MarkAt({0, 0}, 5), "blue");
    EXPECT_EQ(MarkAt({3, 4}, 5), "") << "the 5's row";
}

TEST_F(BoardWidgetTest, TabHeldAddsAnotherDigitsMarks) {
    RightClick(2 * 9);  // a 3
    EXPECT_EQ(MarkAt({6, 6}, 3), "blue");
    RightClick(6 * 9);  // a 7, without Tab: only the 7s
    EXPECT_EQ(MarkAt({6, 6}, 3), "");
    EXPECT_EQ(MarkAt({6, 6}, 7), "blue");
    keys.tab = true;
    RightClick(2 * 9);
    EXPECT_EQ(MarkAt({6, 6}, 3), "blue");
    EXPECT_EQ(MarkAt({6, 6}, 7), "blue");
    // Other slots of the cell stay empty.
    EXPECT_EQ(MarkAt({6, 6}, 5), "");
}

TEST_F(BoardWidgetTest, MarksSitInTheirSlotsInTheColourAndShapeOfTheirBox) {
    struct Step {
        TCell put;  // a 1 placed before the marks are shown
        TCell cell;
        const char* colour;
        const char* shape;  // colour never tells alone
    };
    const Step steps[] = {
        {{3, 1}, {4, 6}, "blue", "plain"},   //
        {{6, 2}, {0, 0}, "green", "dots"},   // box 0 keeps row 0
        {{6, 2}, {2, 0}, "green", "dots"},   //
        {{0, 4}, {0, 0}, "", "plain"},       // column 0 is taken
        {{0, 4}, {1, 0}, "maroon", "line"},  //
        {{1, 7}, {2, 0}, "red", "box"},      // the box's last place
        {{1, 7}, {4, 6}, "blue", "plain"},   //
    };
    for (const Step& s : steps) {
        if (board.Board().Matrix().GetValue(s.put.Col, s.put.Row) == 0) {
            ASSERT_TRUE(Put(1, s.put.Col, s.put.Row));
        }
        board.ShowCandidates(1);
        EXPECT_EQ(MarkAt(s.cell, 1), s.colour) << s.cell.Col << "," << s.cell.Row;
        EXPECT_EQ(MarkShapeAt(s.cell, 1), s.shape) << s.cell.Col << "," << s.cell.Row;
        // Only the slot of 1 is written.
        EXPECT_EQ(MarkAt(s.cell, 2), "");
    }
}
