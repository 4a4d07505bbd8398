// TSudoku at work: laying out the pieces and layers, passing on what the model tells, and the
// mouse and keys of the board.
#include "board/sudoku.h"

#include <algorithm>
#include <utility>

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWindow>

#include "board/board_accessible.h"
#include "board/candidate_marks.h"
#include "board/explanation_overlay.h"
#include "board/layer_images.h"
#include "board/number_piece.h"
#include "pictures.h"
#include "platform/beep.h"
#include "platform/key_state.h"
#include "resource_names.h"

using layer_images::TransparentLayer;
using layer_images::Wipe;

namespace {

constexpr int kPieceDelayMs = 7;
constexpr int kSolverDelayMs = 10;

QColor MarkColour(TMarkColour colour) {
    switch (colour) {
        case TMarkColour::Red:
            return {255, 0, 0};
        case TMarkColour::Maroon:
            return {128, 0, 0};
        case TMarkColour::Green:
            return {0, 128, 0};
        case TMarkColour::Blue:
            break;
    }
    return {0, 0, 255};
}

// Each kind of mark has its own shape besides its colour: a candidate is the digit alone, one
// of three places is underlined with dots, one of two with a line, the only place is boxed.
void DrawMarkShape(QPainter& painter, QPoint origin, TMarkColour colour) {
    const QColor ink = painter.pen().color();
    const int left = origin.x() - 1;
    const int right = origin.x() + 10;
    const int base = origin.y() + 13;
    switch (colour) {
        case TMarkColour::Blue:
            return;
        case TMarkColour::Green:
            for (int x = left; x <= right; x += 3)
                painter.fillRect(QRect(x, base, 2, 1), ink);
            return;
        case TMarkColour::Maroon:
            painter.fillRect(QRect(left, base, right - left + 1, 1), ink);
            return;
        case TMarkColour::Red:
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRect(QPoint(left - 1, origin.y() - 1), QPoint(right + 1, base)));
            return;
    }
}

// Labels, status and marks: small text in the board's face.
QFont LayerFont(const QFont& boardFont) {
    QFont font = boardFont;
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    return font;
}

// Text with its top left at p.
void WriteAt(QPainter& painter, QPoint p, const QString& text) {
    painter.drawText(QRect(p, QSize(200, 40)), Qt::AlignLeft | Qt::AlignTop, text);
}

// Grid lines (grey, then the box lines in black over them), column letters and row numbers.
void DrawGrid(QImage& layer, const TBoardGeometry& g, const QFont& font) {
    QPainter painter(&layer);
    const int right = g.GridLeft + 9 * g.CellWidth;
    const int bottom = g.GridTop + 9 * g.CellHeight;
    const auto lines = [&](const QPen& pen, int step) {
        painter.setPen(pen);
        for (int i = 0; i <= 9; i += step) {
            const int x = g.GridLeft + i * g.CellWidth;
            painter.drawLine(x, g.GridTop, x, bottom);
        }
        for (int i = 0; i <= 9; i += step) {
            const int y = g.GridTop + i * g.CellHeight;
            painter.drawLine(g.GridLeft, y, right, y);
        }
    };
    lines(QPen(QColor(0x80, 0x80, 0x80), 1), 1);
    lines(QPen(Qt::black, 2), 3);

    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int i = 0; i < 9; ++i) {
        const QPoint letter(g.GridLeft + i * g.CellWidth + (g.CellWidth - 8) / 2, g.GridTop - 16);
        WriteAt(painter, letter, QString(QChar('A' + i)));
    }
    for (int n = 1; n <= 9; ++n) {
        const QPoint number(g.GridLeft - 12,
                            g.GridTop + n * g.CellHeight - (g.CellHeight + 12) / 2);
        WriteAt(painter, number, QString::number(n));
    }
}

// The cursor's frame: a dark band with a light line inside, so it shows on any cell and never
// by its colour alone. It lies over the pieces and lets the mouse through.
class TCursorFrame final : public QWidget {
  public:
    explicit TCursorFrame(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(QColor(0, 0, 96), 4));
        painter.drawRect(rect().adjusted(2, 2, -2, -2));
        painter.setPen(QPen(QColor(255, 255, 160), 1));
        painter.drawRect(rect().adjusted(5, 5, -6, -6));
    }
};

}  // namespace

TSudoku::TSudoku(TBoard& board, QWidget* parent)
    : QWidget(parent),
      board_(board),
      penCursor_(assets::LoadPixmap(assets::PenCursor()), assets::kCursorHotSpot.x(),
                 assets::kCursorHotSpot.y()),
      eraserCursor_(assets::LoadPixmap(assets::EraserCursor()), assets::kCursorHotSpot.x(),
                    assets::kCursorHotSpot.y()),
      systemBeep_(std::make_unique<TSystemBeep>()),
      beep_(systemBeep_.get()),
      ownKeys_(std::make_unique<TKeyStateTracker>()),
      keys_(ownKeys_.get()) {
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setCursor(penCursor_);
    setFocusPolicy(Qt::StrongFocus);
    board_accessible::InstallFactory();
    board_.SetView(this);
    board_.OnChanged = [this](const TPlacedMove& move) {
        if (OnChanged) OnChanged(this, move);
    };
    connect(&layoutTimer_, &QTimer::timeout, this, [this] { LayOutNextPiece(); });
    connect(&playTimer_, &QTimer::timeout, this, [this] { PlayNextVisibleMove(); });
}

TSudoku::~TSudoku() {
    // The board may outlive the widget: nothing it raises later may reach this one.
    board_.SetView(nullptr);
    board_.OnChanged = nullptr;
    // The pieces go while the widget they report to is still whole.
    DeletePieces();
}

void TSudoku::DeletePieces() {
    for (TNumberPiece*& piece : pieces_) {
        delete piece;
        piece = nullptr;
    }
}

TNumberPiece* TSudoku::NumberPiece(int index) const {
    return pieces_.at(static_cast<std::size_t>(index));
}

void TSudoku::SetPenMode(int mode) {
    pen_.SetPenMode(mode);
    setCursor(mode == 1 ? eraserCursor_ : penCursor_);
}

void TSudoku::SetBeep(TBeep* beep) {
    beep_ = beep ? beep : systemBeep_.get();
}

void TSudoku::SetKeyState(const TKeyState* keys) {
    keys_ = keys ? keys : ownKeys_.get();
}

// --- Layout ----------------------------------------------------------------------------------

void TSudoku::Start() {
    // The pieces are made anew: none may be held by a drag.
    EndMouseWork();
    layoutTimer_.stop();
    starting_ = true;

    geometry_ = TBoardGeometry::ForSize(size());
    gridLayer_ = TransparentLayer(size());
    DrawGrid(gridLayer_, geometry_, LayerFont(font()));
    hintLayer_ = TransparentLayer(size());
    HideExplanation();
    DeletePieces();
    DrawStatus();
    update();

    nextPiece_ = 0;
    if (!paced_) {
        while (starting_)
            LayOutNextPiece();
        return;
    }
    // The grid shows first; then the stacks fill one piece a tick while the window works.
    layoutTimer_.start(kPieceDelayMs);
}

void TSudoku::LayOutNextPiece() {
    const int index = nextPiece_++;
    auto* piece = new TNumberPiece(index, this);
    pieces_[static_cast<std::size_t>(index)] = piece;
    piece->resize(geometry_.PieceSize());
    piece->SetHome(geometry_.Home(index));
    piece->SetDragFrom(piece->Home());
    // A board laid out again shows its pieces where the model has them.
    PieceMoved(index);
    PieceFixedChanged(index);
    piece->installEventFilter(this);
    piece->show();
    if (nextPiece_ < TBoard::kPieceCount) return;
    if (!cursorFrame_) cursorFrame_ = new TCursorFrame(this);
    ShowCursor();
    layoutTimer_.stop();
    starting_ = false;
    if (OnStarted) OnStarted();
}

void TSudoku::PlayForcedMovesVisibly(std::function<void()> done) {
    EndMouseWork();
    playDone_ = std::move(done);
    // No hand may move a piece between the solver's moves.
    enabledBeforePlay_ = isEnabled();
    setEnabled(false);
    if (!paced_) {
        board_.PlayForcedMoves(true);
        FinishVisiblePlay();
        return;
    }
    playTimer_.start(kSolverDelayMs);
}

void TSudoku::PlayNextVisibleMove() {
    const bool played = board_.PlayForcedMoves(false);
    const TMatrixState state = board_.Matrix().GetState();
    if (played && state != msSolved && state != msContradiction) return;
    FinishVisiblePlay();
}

void TSudoku::FinishVisiblePlay() {
    playTimer_.stop();
    setEnabled(enabledBeforePlay_);
    if (const std::function<void()> done = std::exchange(playDone_, nullptr)) done();
}

// --- What the model tells ----------------------------------------------------------------------

void TSudoku::PieceMoved(int index) {
    TNumberPiece* piece = NumberPiece(index);
    if (!piece) return;
    if (cursorFrame_) cursorFrame_->raise();
    const TPiece& p = board_.Pieces(index);
    piece->move(p.OnGrid() ? geometry_.PieceOnCell(p.Col, p.Row) : piece->Home());
    piece->SetRaised(!p.OnGrid());
}

void TSudoku::PieceFixedChanged(int index) {
    if (TNumberPiece* piece = NumberPiece(index)) piece->SetFixed(board_.Pieces(index).Fixed);
}

void TSudoku::PieceSnappedBack(int index) {
    TNumberPiece* piece = NumberPiece(index);
    if (!piece) return;
    piece->move(piece->DragFrom());
    piece->SetRaised(!board_.Pieces(index).OnGrid());
}

void TSudoku::Beep() {
    beep_->Beep();
}

void TSudoku::DrawStatus() {
    if (hintLayer_.isNull()) return;
    Wipe(hintLayer_, QRect(0, 0, 2 * geometry_.CellWidth, 20));
    QPainter painter(&hintLayer_);
    painter.setFont(LayerFont(font()));
    painter.setPen(QColor(0, 0, 0x80));
    WriteAt(painter, QPoint(8, 4), QStringLiteral("-- %1 --").arg(Count()));
    update();
}

void TSudoku::ClearHintLayer() {
    if (hintLayer_.isNull()) return;
    const int left = 2 * geometry_.CellWidth;
    Wipe(hintLayer_, QRect(left, 0, hintLayer_.width() - left, hintLayer_.height()));
    board_accessible::CellsRenamed(*this, shownMarks_.Clear());
    update();
}

void TSudoku::ShowCandidates(int d) {
    if (hintLayer_.isNull()) return;
    if (!keys_->IsDown(Qt::Key_Tab)) ClearHintLayer();
    QPainter painter(&hintLayer_);
    painter.setFont(LayerFont(font()));
    const QString digit = QString::number(d);
    std::vector<int> marked;
    for (const TCandidateMark& mark : CandidateMarks(board_.Matrix(), d)) {
        if (shownMarks_.Add(mark.Cell, d)) marked.push_back(mark.Cell.Col + 9 * mark.Cell.Row);
        // A mark written again covers the earlier one wholly, soft edges included.
        const QPoint origin = geometry_.MarkOrigin(mark.Cell, d);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(QRect(origin - QPoint(2, 2), QSize(16, 16)), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setPen(MarkColour(mark.Colour));
        WriteAt(painter, origin, digit);
        DrawMarkShape(painter, origin, mark.Colour);
    }
    board_accessible::CellsRenamed(*this, marked);
    board_accessible::MarksShown(*this, d);
    update();
}

// --- The explanation of an answer ---------------------------------------------------------

void TSudoku::ShowExplanation(const TExplanationDrawing& drawing) {
    // No stroke may go on over the explanation; the memo and the marks wait beneath it.
    EndMouseWork();
    explaining_ = true;
    update();
    PutOverlay(drawing);
}

void TSudoku::ShowHint(const TExplanationDrawing& drawing) {
    if (explaining_) return;  // the explanation has the board
    PutOverlay(drawing);
}

void TSudoku::PutOverlay(const TExplanationDrawing& drawing) {
    if (!overlay_) overlay_ = new TExplanationOverlay(this);
    overlay_->setGeometry(rect());
    overlay_->SetGeometry(geometry_, BackgroundColor());
    overlay_->Show(drawing);
    overlay_->show();
    overlay_->raise();
}

void TSudoku::HideExplanation() {
    if (overlay_) overlay_->hide();
    if (!std::exchange(explaining_, false)) return;
    update();
}

// --- Painting ------------------------------------------------------------------------------

QColor TSudoku::BackgroundColor() const {
    return palette().color(backgroundRole());
}

void TSudoku::LayersChanged(const QRect& area) {
    if (area.isNull())
        update();
    else
        update(area);
}

void TSudoku::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    const auto layer = [&](const QImage& image) {
        if (!image.isNull()) painter.drawImage(area, image, area);
    };
    if (pen_.SnapshotShown()) {
        layer(pen_.SnapshotLayer());
        return;
    }
    if (explaining_) {
        // The player's memo and marks are put away while an explanation is shown; the status
        // stays.
        layer(gridLayer_);
        const QRect status = area & QRect(0, 0, 2 * geometry_.CellWidth, geometry_.GridTop);
        if (!hintLayer_.isNull() && !status.isEmpty())
            painter.drawImage(status, hintLayer_, status);
        return;
    }
    layer(pen_.MemoLayer());
    layer(gridLayer_);
    layer(hintLayer_);
}

// --- The memo pen's mouse ----------------------------------------------------------------

void TSudoku::mousePressEvent(QMouseEvent* event) {
    // The memo is put away under an explanation: nothing is written on it unseen.
    if (explaining_) return;
    pen_.MouseDown(event->buttons(), event->position().toPoint());
}

void TSudoku::mouseMoveEvent(QMouseEvent* event) {
    pen_.MouseMove(event->position().toPoint());
}

void TSudoku::mouseReleaseEvent(QMouseEvent* event) {
    pen_.MouseUp(event->position().toPoint());
}

// --- The pieces' mouse -------------------------------------------------------------------

namespace {

bool NoModifierKey(const QMouseEvent& event) {
    return (event.modifiers() &
            (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
}

bool Exactly(const QMouseEvent& event, Qt::MouseButton button) {
    return event.buttons() == button && NoModifierKey(event);
}

}  // namespace

bool TSudoku::eventFilter(QObject* watched, QEvent* event) {
    auto* piece = dynamic_cast<TNumberPiece*>(watched);
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                       type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
    if (!piece || !mouse || piece->parentWidget() != this)
        return QWidget::eventFilter(watched, event);
    // Event filters see the mouse even of a disabled widget; a disabled board takes none.
    if (!piece->isEnabled()) return true;
    const auto& mouseEvent = static_cast<const QMouseEvent&>(*event);
    if (type == QEvent::MouseButtonPress)
        PieceMouseDown(*piece, mouseEvent);
    else if (type == QEvent::MouseMove)
        PieceMouseMove(*piece, mouseEvent);
    else if (type == QEvent::MouseButtonRelease)
        PieceMouseUp(*piece, mouseEvent);
    // A double-click neither drags nor shows marks, and no mouse event of a piece reaches the
    // memo pen beneath it.
    event->accept();
    return true;
}

void TSudoku::PieceMouseDown(TNumberPiece& piece, const QMouseEvent& event) {
    if (dragged_ != TBoard::kNoPiece) return;
    if (Exactly(event, Qt::LeftButton)) {
        if (board_.Pieces(piece.Index()).Fixed) return;
        grab_ = event.position().toPoint();
        piece.SetDragFrom(piece.pos());
        piece.raise();
        dragged_ = piece.Index();
    } else if (Exactly(event, Qt::RightButton)) {
        ShowCandidates(piece.Digit());
    }
}

void TSudoku::PieceMouseMove(TNumberPiece& piece, const QMouseEvent& event) {
    if (dragged_ != piece.Index()) return;
    // A modifier key or another button ends the drag on the spot, without a drop.
    if (!Exactly(event, Qt::LeftButton)) {
        CancelDrag();
        return;
    }
    const QPoint delta = event.position().toPoint() - grab_;
    const int left = std::min(width() - piece.width(), std::max(0, piece.x() + delta.x()));
    const int top = std::min(height() - piece.height(), std::max(0, piece.y() + delta.y()));
    piece.move(left, top);
    piece.SetRaised(true);
    board_.LiftPiece(piece.Index());
}

void TSudoku::PieceMouseUp(TNumberPiece& piece, const QMouseEvent& event) {
    if (dragged_ != piece.Index()) return;
    // Letting go of another button while the left is still held drops nothing.
    if (event.button() != Qt::LeftButton) {
        CancelDrag();
        return;
    }
    dragged_ = TBoard::kNoPiece;
    // The drop target is the cell under the pointer, not under the piece's outline.
    const QPoint pointer = piece.mapToParent(event.position().toPoint());
    if (const auto cell = geometry_.DropCell(pointer, size()))
        board_.PlacePiece(piece.Index(), cell->Col, cell->Row, true, TMoveOrigin::Player);
    else
        board_.ReturnPiece(piece.Index(), true);
}

void TSudoku::CancelDrag() {
    const int index = dragged_;
    if (index == TBoard::kNoPiece) return;
    dragged_ = TBoard::kNoPiece;
    board_.SnapBack(index);
}

void TSudoku::EndMouseWork() {
    CancelDrag();
    pen_.SetStroke(0);
}

void TSudoku::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) EndMouseWork();
        ShowCursor();
        // A round started from the keyboard: the pointer resting over the board shows the pen
        // at once, not only after it has left and come back.
        if (isEnabled() && isVisible() && rect().contains(mapFromGlobal(QCursor::pos())))
            if (QWindow* shown = window()->windowHandle()) shown->setCursor(cursor());
    }
    QWidget::changeEvent(event);
}

// --- Keyboard play -----------------------------------------------------------------------------

void TSudoku::ResetCursor() {
    cursor_.ToFirstEmpty(board_.Matrix());
    cursorShown_ = true;
    ShowCursor();
}

void TSudoku::ShowCursor() {
    if (!cursorFrame_) return;
    const TCell c = cursor_.Cell();
    cursorFrame_->setGeometry(QRect(geometry_.CellOrigin(c.Col, c.Row),
                                    QSize(geometry_.CellWidth + 1, geometry_.CellHeight + 1)));
    cursorFrame_->setVisible(cursorShown_ && isEnabled());
    cursorFrame_->raise();
    board_accessible::CursorMoved(*this);
}

void TSudoku::keyPressEvent(QKeyEvent* event) {
    if (!isEnabled() || starting_) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    // Tab is held for the marks, so the window must not take it for a move of the focus;
    // Ctrl+Tab leaves the board for the tool bands.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        if (event->modifiers() & Qt::ControlModifier)
            QWidget::focusNextPrevChild(key == Qt::Key_Tab &&
                                        !(event->modifiers() & Qt::ShiftModifier));
        event->accept();
        return;
    }
    switch (key) {
        case Qt::Key_Left:
            cursor_.Move(-1, 0);
            break;
        case Qt::Key_Right:
            cursor_.Move(1, 0);
            break;
        case Qt::Key_Up:
            cursor_.Move(0, -1);
            break;
        case Qt::Key_Down:
            cursor_.Move(0, 1);
            break;
        case Qt::Key_Home:
            cursor_.Home();
            break;
        case Qt::Key_End:
            cursor_.End();
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const TCell c = cursor_.Cell();
            const int piece = board_.PieceAt(c.Col, c.Row);
            if (piece != TBoard::kNoPiece) ShowCandidates(board_.Pieces(piece).Digit());
            break;
        }
        default:
            if (key >= Qt::Key_1 && key <= Qt::Key_9 &&
                (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                PlayDigitAtCursor(key - Qt::Key_0);
                break;
            }
            QWidget::keyPressEvent(event);
            return;
    }
    ShowCursor();
    event->accept();
}

void TSudoku::PlayDigitAtCursor(int digit) {
    // The same way onto the cell as a drop: the move rule, the history and the judge.
    EndMouseWork();
    const int index = board_.NextFreePiece(digit);
    if (index == TBoard::kNoPiece) {
        Beep();
        return;
    }
    if (TNumberPiece* piece = NumberPiece(index)) piece->SetDragFrom(piece->Home());
    const TCell c = cursor_.Cell();
    board_.PlacePiece(index, c.Col, c.Row, true, TMoveOrigin::Player);
}

void TSudoku::hideEvent(QHideEvent* event) {
    EndMouseWork();
    QWidget::hideEvent(event);
}
