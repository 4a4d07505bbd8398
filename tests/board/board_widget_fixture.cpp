#include "board_widget_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <cmath>
#include <map>

#include "platform/fonts.h"

BoardWidgetTest::BoardWidgetTest() {
    board.setFont(QFont(fonts::kWindowFace, 9));
    board.resize(576, 480);
    board.SetPaced(false);
    board.SetBeep(&beep);
    board.SetKeyState(&keys);
    board.OnChanged = [this](TSudoku* sender, const TPlacedMove& move) {
        EXPECT_EQ(sender, &board);
        ++changes;
        lastMove = move;
    };
    board.Start();
}

bool BoardWidgetTest::Put(int digit, int col, int row) {
    return model.PlacePiece(model.NextFreePiece(digit), col, row, true);
}

void BoardWidgetTest::Send(QWidget& target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                           Qt::MouseButtons held, Qt::KeyboardModifiers modifiers) {
    const QPointF local = &target == &board ? at : target.mapFromParent(at);
    QMouseEvent event(type, local, target.mapToGlobal(local), button, held, modifiers);
    QApplication::sendEvent(&target, &event);
}

void BoardWidgetTest::Press(QWidget& target, QPoint at, Qt::MouseButton button,
                            Qt::KeyboardModifiers modifiers) {
    Send(target, QEvent::MouseButtonPress, at, button, button, modifiers);
}

void BoardWidgetTest::MoveHeld(QWidget& target, QPoint at, Qt::MouseButtons held,
                               Qt::KeyboardModifiers modifiers) {
    Send(target, QEvent::MouseMove, at, Qt::NoButton, held, modifiers);
}

void BoardWidgetTest::Release(QWidget& target, QPoint at, Qt::MouseButton button) {
    Send(target, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void BoardWidgetTest::Drag(int index, QPoint to) {
    TNumberPiece& piece = Piece(index);
    const QPoint from = piece.geometry().center();
    Press(piece, from);
    MoveHeld(piece, (from + to) / 2);
    MoveHeld(piece, to);
    Release(piece, to);
}

void BoardWidgetTest::RightClick(int index) {
    TNumberPiece& piece = Piece(index);
    Press(piece, piece.geometry().center(), Qt::RightButton);
    Release(piece, piece.geometry().center(), Qt::RightButton);
}

std::string BoardWidgetTest::MarkAt(TCell cell, int d) const {
    static const std::map<std::string, QColor> kColours = {
        {"blue", QColor(0, 0, 255)},
        {"red", QColor(255, 0, 0)},
        {"maroon", QColor(128, 0, 0)},
        {"green", QColor(0, 128, 0)},
    };
    const QImage& hint = board.HintLayer();
    const QRect slot(board.Geometry().MarkOrigin(cell, d) - QPoint(2, 2), QSize(16, 16));
    std::string found;
    for (int y = slot.top(); y <= slot.bottom(); ++y) {
        for (int x = slot.left(); x <= slot.right(); ++x) {
            const QColor c = hint.pixelColor(x, y);
            // Soft edges of the glyph are too faint to tell their colour.
            if (c.alpha() < 160) continue;
            std::string name = "other";
            for (const auto& [n, colour] : kColours) {
                if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                        std::abs(c.blue() - colour.blue()) <
                    24)
                    name = n;
            }
            if (found.empty())
                found = name;
            else if (found != name)
                return "mixed";
        }
    }
    return found;
}

std::string BoardWidgetTest::MarkShapeAt(TCell cell, int d) const {
    const QPoint o = board.Geometry().MarkOrigin(cell, d);
    const QImage& hint = board.HintLayer();
    const auto inked = [&](int x, int y) { return hint.pixelColor(x, y).alpha() > 160; };
    int under = 0;
    for (int x = o.x() - 1; x <= o.x() + 10; ++x)
        under += inked(x, o.y() + 13) ? 1 : 0;
    if (inked(o.x() - 2, o.y() + 6)) return "box";
    if (under >= 10) return "line";
    return under > 0 ? "dots" : "plain";
}
