// Playing the board with the keyboard, through real key events: the cell cursor and its frame,
// digits played onto the cursor's cell under the move rule, marks from Space or Enter; and what
// assistive technology reads of the board.
#include <QAccessible>
#include <QTest>

#include "board/board_accessible.h"
#include "board_widget_fixture.h"

namespace {

struct BoardKeysTest : BoardWidgetTest {
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&board, key, modifiers);
    }
    TCell Cursor() const { return board.Cursor().Cell(); }
};

}  // namespace

TEST_F(BoardKeysTest, TheCursorStartsOnTheFirstEmptyCellAndWrapsAtTheEdges) {
    Put(1, 0, 0);
    Put(2, 1, 0);
    board.ResetCursor();
    EXPECT_EQ(Cursor(), (TCell{2, 0}));
    struct Step {
        Qt::Key key;
        TCell after;
    };
    const Step steps[] = {
        {Qt::Key_Up, {2, 8}},   {Qt::Key_Down, {2, 0}}, {Qt::Key_Left, {1, 0}},
        {Qt::Key_Left, {0, 0}}, {Qt::Key_Left, {8, 0}}, {Qt::Key_Right, {0, 0}},
        {Qt::Key_Down, {0, 1}}, {Qt::Key_End, {8, 1}},  {Qt::Key_Home, {0, 1}},
    };
    for (const Step& s : steps) {
        Key(s.key);
        EXPECT_EQ(Cursor(), s.after) << s.key;
    }
    // The frame lies over the cursor's cell, above the pieces.
    ASSERT_NE(board.CursorFrame(), nullptr);
    EXPECT_TRUE(board.CursorFrame()->isVisibleTo(&board));
    EXPECT_TRUE(board.CursorFrame()->geometry().contains(CellMiddle(0, 1)));
    Key(Qt::Key_Up);  // over the 1 in (0, 0): the frame lets the mouse through to it
    EXPECT_EQ(board.childAt(CellMiddle(0, 0)), &Piece(board.Board().PieceAt(0, 0)));

    board.setEnabled(false);
    EXPECT_FALSE(board.CursorFrame()->isVisibleTo(&board));
    Key(Qt::Key_Right);
    EXPECT_EQ(Cursor(), (TCell{0, 0}));  // a disabled board takes no keys
}

TEST_F(BoardKeysTest, ADigitKeyPlaysTheDigitsTopPieceAsADropWould) {
    board.ResetCursor();
    Key(Qt::Key_Right);
    Key(Qt::Key_5);
    EXPECT_EQ(board.Board().Matrix().GetValue(1, 0), 5);
    EXPECT_EQ(board.Pieces(44).Cell(), (TCell{1, 0}));
    EXPECT_EQ(Piece(44).pos(), board.Geometry().PieceOnCell(1, 0));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(lastMove, (TPlacedMove{44, {1, 0, 5}, TMoveOrigin::Player}));
    EXPECT_EQ(board.Histories().Count(), 1);

    // Refused: another 5 in the row, and any digit on the taken cell.
    Key(Qt::Key_Right);
    Key(Qt::Key_5);
    Key(Qt::Key_Left);
    Key(Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(beep.count, 2);
    EXPECT_EQ(board.Board().Matrix().GetValue(2, 0), 0);
    EXPECT_EQ(board.Board().Matrix().GetValue(1, 0), 5);
    EXPECT_EQ(board.Pieces(43).Col, -1);
    EXPECT_EQ(Piece(43).pos(), board.Geometry().Home(43));
    EXPECT_EQ(board.Pieces(62).Col, -1);
    EXPECT_EQ(changes, 1);

    // A digit whose nine pieces all stand on cells beeps: the other eight 5s, one per row,
    // column and box.
    for (int row = 1; row < 9; ++row)
        ASSERT_TRUE(Put(5, (1 + 3 * row + row / 3) % 9, row)) << row;
    ASSERT_EQ(board.Board().NextFreePiece(5), TBoard::kNoPiece);
    Key(Qt::Key_Down);
    Key(Qt::Key_5);
    EXPECT_EQ(beep.count, 3);
    EXPECT_EQ(changes, 9);
}

TEST_F(BoardKeysTest, SpaceOrEnterOnAPieceShowsItsDigitsMarks) {
    Put(5, 3, 4);
    board.ResetCursor();  // (0, 0), empty: nothing to show
    Key(Qt::Key_Space);
    EXPECT_EQ(MarkAt({0, 0}, 5), "");
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Right);
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_EQ(MarkAt({0, 0}, 5), "blue");
    EXPECT_EQ(MarkAt({3, 0}, 5), "") << "the 5's column";
    keys.tab = true;  // Tab held adds, as with the mouse
    Put(7, 3, 5);
    Key(Qt::Key_Down);
    Key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(MarkAt({0, 0}, 5), "blue");
    EXPECT_EQ(MarkAt({0, 0}, 7), "blue");
    // Tab stays with the board.
    Key(Qt::Key_Tab);
    EXPECT_EQ(Cursor(), (TCell{3, 5}));
}

TEST_F(BoardKeysTest, MarkedCellsSayTheirMarksAndTheBoardSaysWhereTheyStand) {
    Put(5, 3, 4);
    Put(2, 0, 4);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&board);
    auto name = [&](int col, int row) {
        return table->child(col + 9 * row)->text(QAccessible::Name);
    };
    auto cellsWith = [&](int d) {
        int n = 0;
        for (int i = 0; i < 81; ++i)
            n += MarkAt({i % 9, i / 9}, d).empty() ? 0 : 1;
        return n;
    };
    board.ResetCursor();
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_Down);
    Key(Qt::Key_Space);  // on the 2 in A5
    EXPECT_EQ(name(1, 0), QStringLiteral("B1: empty, marks 2"));
    EXPECT_EQ(name(0, 0), QStringLiteral("A1: empty")) << "the 2's column";
    // The board says as many cells as the picture shows marks in.
    EXPECT_EQ(table->text(QAccessible::Description),
              QStringLiteral("2 の候補 %1 マス marks of 2 in %1 cells").arg(cellsWith(2)));

    keys.tab = true;  // Tab held: the 5's marks join the 2's, in digit order
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Right);
    Key(Qt::Key_Space);
    EXPECT_EQ(name(1, 0), QStringLiteral("B1: empty, marks 2 5"));
    keys.tab = false;
    Key(Qt::Key_Space);  // shown alone, the 5's marks replace the 2's
    EXPECT_EQ(name(1, 0), QStringLiteral("B1: empty, marks 5"));
    board.ClearHintLayer();
    EXPECT_EQ(name(1, 0), QStringLiteral("B1: empty"));
}

TEST_F(BoardKeysTest, AssistiveTechnologyReadsEveryCellAndStack) {
    Put(7, 1, 2);
    board.Fix();
    Put(7, 5, 6);
    Put(7, 8, 0);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&board);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    ASSERT_EQ(table->childCount(), board_accessible::kItems);
    std::vector<QString> names;
    for (int i = 0; i < table->childCount(); ++i) {
        QAccessibleInterface* item = table->child(i);
        ASSERT_NE(item, nullptr) << i;
        EXPECT_EQ(table->indexOfChild(item), i);
        EXPECT_EQ(item->parent(), table);
        EXPECT_FALSE(item->text(QAccessible::Description).isEmpty()) << i;
        names.push_back(item->text(QAccessible::Name));
    }
    EXPECT_EQ(names[1 + 9 * 2], QStringLiteral("B3: 7 (given)"));
    EXPECT_EQ(names[5 + 9 * 6], QStringLiteral("F7: 7"));
    EXPECT_EQ(names[3 + 9 * 3], QStringLiteral("D4: empty"));
    EXPECT_EQ(names[81 + 6], QStringLiteral("7, 6 left in the stack"));
    EXPECT_EQ(names[81 + 0], QStringLiteral("1, 9 left in the stack"));
    // Each cell lies where the board draws it.
    const QRect b3 = table->child(1 + 9 * 2)->rect();
    EXPECT_TRUE(b3.contains(board.mapToGlobal(CellMiddle(1, 2))));
    EXPECT_EQ(table->childAt(b3.center().x(), b3.center().y()), table->child(1 + 9 * 2));
}
