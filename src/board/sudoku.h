// TSudoku: the on-screen board. It draws a board model (position, pieces, history) that its
// owner keeps, owns the 81 number piece widgets and the picture layers, draws what the model
// tells it and turns the player's mouse and keys into the model's calls.
//
// What the player sees, bottom to top: the board's background (the button-face colour), the memo
// layer, the grid layer (lines, column letters, row numbers; drawn once by Start), the hint layer
// (status text, candidate marks) and, only while a pen stroke is drawn, the snapshot layer in
// place of the three below it; the pieces are child widgets and always lie on top, and an
// explanation's drawing over them (the memo and the marks put away meanwhile). The pieces
// take their own mouse (drag with the left button, marks with the right); everywhere else the
// mouse goes to the memo pen.
//
// Conventions: cell = (col, row), index = col + 9 * row; piece i carries digit i / 9 + 1; all
// pixel positions are board client pixels.
#pragma once

#include <QColor>
#include <QCursor>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "board/board.h"
#include "board/board_geometry.h"
#include "board/cell_cursor.h"
#include "board/memo_pen.h"
#include "board/shown_marks.h"

class TBeep;
class TKeyState;
class TExplanationOverlay;
class TNumberPiece;
struct TExplanationDrawing;

class TSudoku final : public QWidget, private TBoardView, private TMemoPenHost {
    Q_OBJECT
    Q_PROPERTY(int FixedPos READ FixedPos)
    Q_PROPERTY(int Count READ Count)
    Q_PROPERTY(QColor PenColor READ PenColor WRITE SetPenColor)
    Q_PROPERTY(int PenMode READ PenMode WRITE SetPenMode)

  public:
    // The widget becomes the board's view and takes over its OnChanged, until it is destroyed;
    // the board must stay alive as long as the widget exists, and may outlive it.
    explicit TSudoku(TBoard& board, QWidget* parent = nullptr);
    ~TSudoku() override;

    // --- Published ------------------------------------------------------------------------

    // Lays out the grid and the status for the board's present size and creates the 81 pieces
    // digit by digit: paced, one piece a timer tick while the window goes on working, and
    // OnStarted is raised once the last piece stands; unpaced, straight through. Call once the
    // board has its final size. It does not touch the position, the history or the memo.
    void Start();
    bool Starting() const { return starting_; }
    std::function<void()> OnStarted;
    void Fix() { board_.Fix(); }
    void UnFix() { board_.UnFix(); }
    void Clear() { board_.Clear(); }
    void Undo() { board_.Undo(); }
    void Redo() { board_.Redo(); }
    void UndoAll() { board_.UndoAll(); }
    void RedoAll() { board_.RedoAll(); }
    int FixedPos() const { return board_.FixedPos(); }
    int Count() const { return board_.Count(); }
    QColor PenColor() const { return pen_.PenColor(); }
    void SetPenColor(const QColor& colour) { pen_.SetPenColor(colour); }
    // 0 pen, 1 eraser; the board's cursor follows.
    int PenMode() const { return pen_.PenMode(); }
    void SetPenMode(int mode);
    // Raised after a recorded placement onto a cell, with the board as sender and the whole
    // move; empty when disconnected.
    std::function<void(TSudoku* sender, const TPlacedMove& move)> OnChanged;

    // --- The model, for the round -----------------------------------------------------------

    TBoard& Board() { return board_; }
    const TBoard& Board() const { return board_; }
    const THistories& Histories() const { return board_.Histories(); }
    const TPiece& Pieces(int index) const { return board_.Pieces(index); }
    void MakePuzzle(std::string& text) { board_.MakePuzzle(text); }
    TMatrixState PlayNextMove(bool deep) { return board_.PlayNextMove(deep); }
    // The solver's basic moves one by one, a timer tick apart, until none is left or the
    // position is solved or contradictory; then `done`. The board is disabled meanwhile.
    // Unpaced, straight through.
    void PlayForcedMovesVisibly(std::function<void()> done);
    // The widget of piece i; null before Start.
    TNumberPiece* NumberPiece(int index) const;
    const TBoardGeometry& Geometry() const { return geometry_; }

    // --- Layers ---------------------------------------------------------------------------

    // "-- n --" at the top left, n the count of placed digits.
    void DrawStatus() override;
    // Wipes the candidate marks; the status stays.
    void ClearHintLayer() override;
    void EraseMemo() override { pen_.EraseMemo(); }
    // The marks of digit d; they add to those shown while Tab is held, else replace them.
    void ShowCandidates(int d);
    // Status and marks over transparent pixels, as last drawn (null before Start).
    const QImage& HintLayer() const { return hintLayer_; }
    // The digits the hint layer shows in each cell.
    const TShownMarks& ShownMarks() const { return shownMarks_; }

    // --- Keyboard play ----------------------------------------------------------------------
    // While the board is enabled a frame marks the cursor's cell. Arrow keys, Home and End move
    // it; a digit key plays that digit's top free piece onto it exactly as a drop would; Space
    // or Enter on a cell with a piece shows that digit's candidate marks.

    const TCellCursor& Cursor() const { return cursor_; }
    // The cursor on the first empty cell, as a round begins; from then on its frame shows
    // whenever the board is enabled.
    void ResetCursor();
    // The frame over the cursor's cell (null before Start).
    QWidget* CursorFrame() const { return cursorFrame_; }

    // --- The explanation of an answer ------------------------------------------------------

    // Drawn over the pieces until hidden; neither touches the model, the memo or the marks.
    // While it is shown the memo and the candidate marks are put away (the status stays), and
    // hiding it brings them back as they were.
    void ShowExplanation(const TExplanationDrawing& drawing);
    // A hint over a live round, the same way drawn, but the memo, the marks and the drags go
    // on under it. HideExplanation takes it away too.
    void ShowHint(const TExplanationDrawing& drawing);
    void HideExplanation();
    // Null before Start.
    const TExplanationOverlay* ExplanationOverlay() const { return overlay_; }

    // --- Seams for tests and tools --------------------------------------------------------

    // Unpaced, Start and the solver's visible play run straight through, without timers.
    void SetPaced(bool paced) { paced_ = paced; }
    // Null restores the system's.
    void SetBeep(TBeep* beep);
    void SetKeyState(const TKeyState* keys);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab is held for the candidate marks, never a move of the focus (Ctrl+Tab is).
    bool focusNextPrevChild(bool) override { return false; }
    void hideEvent(QHideEvent* event) override;

  private:
    // TBoardView
    void PieceMoved(int index) override;
    void PieceFixedChanged(int index) override;
    void PieceSnappedBack(int index) override;
    void Beep() override;
    // The model's continuous play runs straight through; visible play is paced by a timer.
    void PauseBetweenMoves(int /*milliseconds*/) override { update(); }
    // TMemoPenHost
    QSize LayerSize() const override { return size(); }
    QColor BackgroundColor() const override;
    QImage CaptureBoard() override { return grab().toImage(); }
    void LayersChanged(const QRect& area) override;

    void LayOutNextPiece();
    void DeletePieces();
    void PlayNextVisibleMove();
    void FinishVisiblePlay();
    void PieceMouseDown(TNumberPiece& piece, const QMouseEvent& event);
    void PieceMouseMove(TNumberPiece& piece, const QMouseEvent& event);
    void PieceMouseUp(TNumberPiece& piece, const QMouseEvent& event);
    // A drag that ends without a drop: the piece goes back to where it was before the drag.
    void CancelDrag();
    // Disabled or hidden: no drag and no stroke may hang over.
    void PutOverlay(const TExplanationDrawing& drawing);
    void EndMouseWork();
    void PlayDigitAtCursor(int digit);
    void ShowCursor();

    TBoard& board_;
    TMemoPen pen_{*this};
    TBoardGeometry geometry_;
    std::array<TNumberPiece*, TBoard::kPieceCount> pieces_{};
    QImage gridLayer_;
    QImage hintLayer_;
    TShownMarks shownMarks_;
    QCursor penCursor_;
    QCursor eraserCursor_;
    std::unique_ptr<TBeep> systemBeep_;
    TBeep* beep_ = nullptr;
    std::unique_ptr<TKeyState> ownKeys_;
    const TKeyState* keys_ = nullptr;
    bool paced_ = true;
    bool starting_ = false;
    int nextPiece_ = 0;
    QTimer layoutTimer_;
    QTimer playTimer_;
    std::function<void()> playDone_;
    bool enabledBeforePlay_ = false;
    int dragged_ = TBoard::kNoPiece;
    TCellCursor cursor_;
    bool cursorShown_ = false;
    QWidget* cursorFrame_ = nullptr;
    TExplanationOverlay* overlay_ = nullptr;
    bool explaining_ = false;
    QPoint grab_;
};
