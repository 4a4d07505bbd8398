#include "board/board_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "board/sudoku.h"

namespace board_accessible {

namespace {

QString CellName(int index) {
    return QStringLiteral("%1%2").arg(QChar('A' + index % 9)).arg(index / 9 + 1);
}

bool IsCell(int item) {
    return item >= 0 && item < kCellItems;
}

class TBoardItem;

// The board itself: a table whose children are the cells and the stacks.
class TBoardAccessible final : public QAccessibleWidget {
  public:
    explicit TBoardAccessible(TSudoku* board)
        : QAccessibleWidget(board, QAccessible::Table, QStringLiteral("盤 board")),
          ids_(kItems, 0) {}
    ~TBoardAccessible() override {
        for (const QAccessible::Id id : ids_)
            if (id != 0) QAccessible::deleteAccessibleInterface(id);
    }

    TSudoku* Board() const { return static_cast<TSudoku*>(widget()); }

    int childCount() const override { return kItems; }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override {
        return Board()->hasFocus() ? child(Board()->Cursor().Index()) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < kCellItems; ++i) {
            QAccessibleInterface* item = child(i);
            if (item->rect().contains(x, y)) return item;
        }
        return nullptr;
    }

  private:
    mutable std::vector<QAccessible::Id> ids_;
};

// One cell or one stack; it has no object of its own and asks the board for everything.
class TBoardItem final : public QAccessibleInterface {
  public:
    TBoardItem(TSudoku* board, int item) : board_(board), item_(item) {}

    int Item() const { return item_; }

    bool isValid() const override { return !board_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return board_ && board_->window() ? board_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(board_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
    QString text(QAccessible::Text t) const override {
        if (!board_) return {};
        if (t == QAccessible::Name) return ItemName(*board_, item_);
        if (t == QAccessible::Description) return ItemDescription(*board_, item_);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!board_) return {};
        const TBoardGeometry& g = board_->Geometry();
        const QRect local =
            IsCell(item_)
                ? QRect(g.CellOrigin(item_ % 9, item_ / 9), QSize(g.CellWidth, g.CellHeight))
                : QRect(g.Home(9 * (item_ - kCellItems)), QSize(g.CellWidth * 2, g.CellHeight));
        return QRect(board_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override {
        return IsCell(item_) ? QAccessible::Cell : QAccessible::ListItem;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!board_) return s;
        s.disabled = !board_->isEnabled();
        s.focusable = IsCell(item_);
        s.focused = IsCell(item_) && board_->hasFocus() && board_->Cursor().Index() == item_;
        s.readOnly = true;
        return s;
    }

  private:
    QPointer<TSudoku> board_;
    int item_;
};

QAccessibleInterface* TBoardAccessible::child(int index) const {
    if (index < 0 || index >= kItems) return nullptr;
    QAccessible::Id& id = ids_[static_cast<std::size_t>(index)];
    if (id == 0) id = QAccessible::registerAccessibleInterface(new TBoardItem(Board(), index));
    return QAccessible::accessibleInterface(id);
}

int TBoardAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* item = dynamic_cast<const TBoardItem*>(child);
    return item ? item->Item() : -1;
}

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("TSudoku"))
        if (auto* board = qobject_cast<TSudoku*>(object)) return new TBoardAccessible(board);
    return nullptr;
}

}  // namespace

QString ItemName(const TSudoku& board, int item) {
    const TBoard& model = board.Board();
    if (!IsCell(item)) {
        const int digit = item - kCellItems + 1;
        int left = 0;
        for (int i = 9 * (digit - 1); i < 9 * digit; ++i)
            left += model.Pieces(i).OnGrid() ? 0 : 1;
        return QStringLiteral("%1, %2 left in the stack").arg(digit).arg(left);
    }
    const int value = model.Matrix().ValueAt(item);
    if (value == 0) {
        QString name = CellName(item) + QStringLiteral(": empty");
        const std::vector<int> marks = board.ShownMarks().Digits(item);
        if (!marks.empty()) name += QStringLiteral(", marks");
        for (const int d : marks)
            name += QStringLiteral(" %1").arg(d);
        return name;
    }
    const int piece = model.PieceAt(item % 9, item / 9);
    const bool given = piece != TBoard::kNoPiece && model.Pieces(piece).Fixed;
    return QStringLiteral("%1: %2%3").arg(CellName(item)).arg(value).arg(given ? " (given)" : "");
}

QString ItemDescription(const TSudoku& board, int item) {
    if (!IsCell(item))
        return QStringLiteral(
                   "数字 %1 のコマ drag one onto a cell, or press %1 on the cursor's cell")
            .arg(item - kCellItems + 1);
    const bool cursor = board.isEnabled() && board.Cursor().Index() == item;
    return QStringLiteral("%1列 %2行 column %1, row %2%3")
        .arg(QChar('A' + item % 9))
        .arg(item / 9 + 1)
        .arg(cursor ? QStringLiteral(" (cursor)") : QString());
}

void InstallFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}

void CursorMoved(TSudoku& board) {
    if (!board.hasFocus()) return;
    QAccessibleInterface* boardInterface = QAccessible::queryAccessibleInterface(&board);
    if (!boardInterface) return;
    QAccessibleEvent event(boardInterface->child(board.Cursor().Index()), QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void CellsRenamed(TSudoku& board, const std::vector<int>& cells) {
    if (cells.empty()) return;
    QAccessibleInterface* boardInterface = QAccessible::queryAccessibleInterface(&board);
    if (!boardInterface) return;
    for (const int cell : cells) {
        QAccessibleEvent event(boardInterface->child(cell), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void MarksShown(TSudoku& board, int d) {
    int cells = 0;
    for (int i = 0; i < kCellItems; ++i) {
        const std::vector<int> marks = board.ShownMarks().Digits(i);
        cells += std::find(marks.begin(), marks.end(), d) != marks.end() ? 1 : 0;
    }
    // Told each time, so the same digit's marks shown twice are told twice.
    board.setAccessibleDescription(QStringLiteral("%1 の候補 %2 マス marks of %1 in %2 cell%3")
                                       .arg(d)
                                       .arg(cells)
                                       .arg(cells == 1 ? "" : "s"));
    QAccessibleEvent event(&board, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

}  // namespace board_accessible
