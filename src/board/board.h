// The board's model: the position, the 81 number pieces, the move history and the move rule.
// It draws nothing and needs no QApplication; whoever plays owns one, and the board widget draws
// what it says and turns mouse input into its calls. What the screen must do is told to a
// TBoardView.
//
// Conventions: cell = (col, row), cell index = col + 9 * row; piece i carries digit i / 9 + 1,
// so pieces 9(d - 1) .. 9(d - 1) + 8 are the nine pieces of digit d, and piece 9d - 1 lies on
// top of digit d's stack. A piece in its stack has cell (-1, -1).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "board/histories.h"
#include "logic/cells.h"
#include "logic/matrix.h"

// What the board's screen is told. Every call has a default that does nothing.
class TBoardView {
  public:
    virtual ~TBoardView() = default;
    // The piece now stands on its cell, or in its stack when its cell is (-1, -1).
    virtual void PieceMoved(int /*index*/) {}
    virtual void PieceFixedChanged(int /*index*/) {}
    // The piece goes back to where its last drag began.
    virtual void PieceSnappedBack(int /*index*/) {}
    virtual void Beep() {}
    // The count of placed digits changed or must be redrawn.
    virtual void DrawStatus() {}
    virtual void ClearHintLayer() {}
    virtual void EraseMemo() {}
    // The pause between two moves of the continuous solver: let the window breathe, then wait.
    virtual void PauseBetweenMoves(int /*milliseconds*/) {}
};

// Who made a recorded move: the player's hand, or the program (loading a puzzle, the solver).
enum class TMoveOrigin { Player, Program };

// A recorded placement onto a cell, whole: whoever judges it needs nothing else of the board.
struct TPlacedMove {
    int Piece = -1;
    TMove Move;
    TMoveOrigin Origin = TMoveOrigin::Program;
    friend bool operator==(const TPlacedMove&, const TPlacedMove&) = default;
};

// A move the board's search names, with the level of the technique that found it: 4-9 from the
// next-move search, 0 when the units' agreement or the last fallback (a cell that sees eight
// digits) found it.
struct TFoundAnswer {
    TMove Move;
    int Technique = 0;
};

struct TPiece {
    int Index = 0;
    int Col = -1;
    int Row = -1;
    bool Fixed = false;
    int Digit() const { return Index / 9 + 1; }
    TCell Cell() const { return {Col, Row}; }
    bool OnGrid() const { return Col >= 0; }
};

class TBoard {
  public:
    static constexpr int kPieceCount = 81;
    static constexpr int kNoPiece = -1;

    TBoard();
    TBoard(const TBoard&) = delete;
    TBoard& operator=(const TBoard&) = delete;

    void SetView(TBoardView* view) { view_ = view ? view : &silent_; }

    const TMatrix& Matrix() const { return matrix_; }
    const THistories& Histories() const { return histories_; }
    const TPiece& Pieces(int index) const { return pieces_.at(static_cast<std::size_t>(index)); }

    int FixedPos() const { return fixedPos_; }
    int Count() const;
    int CurrentTechnique() const { return currentTechnique_; }
    void SetCurrentTechnique(int level) { currentTechnique_ = level; }

    // The single way onto a cell: checks the move rule, updates the position, records the move
    // when asked, and raises OnChanged with the whole move for a recorded placement onto a cell.
    // An index that is no piece (kNoPiece) places nothing and gives false.
    bool PlacePiece(int index, int col, int row, bool record,
                    TMoveOrigin origin = TMoveOrigin::Program);
    void ReturnPiece(int index, bool record);
    bool CanPlace(int col, int row, int digit) const;

    // The piece with the highest index standing on the cell, or kNoPiece.
    int PieceAt(int col, int row) const;
    // The top free piece of the digit's stack, or kNoPiece (also for digits outside 1-9).
    int NextFreePiece(int digit) const;

    // A drag of a piece that stands on a cell lifts its digit out of the position; the piece
    // keeps its cell so that it knows where it came from.
    void LiftPiece(int index);
    // Back to where the drag began: a piece with a cell writes its digit into it again.
    void SnapBack(int index);

    void Fix();
    void UnFix();
    void Clear();
    void Undo();
    void Redo();
    void UndoAll();
    void RedoAll();

    // --- The board's solver ---------------------------------------------------------------
    // Moves are played as recorded placements of the digit's top free piece, with
    // CurrentTechnique set to the level of the technique that found them.

    // Levels 1 up to `level` (1, 2, 3 or 4) for digit d; true when a piece was placed.
    bool PlaceBasicMove(int d, int level);
    // The next move of levels 4-6 (with `advanced` also 7-9), searched on copies of the
    // position. Report mode (apply false) names it in digit and cell and sets CurrentTechnique to
    // its level; apply mode plays it, going on to the next technique when the piece is refused.
    bool FindNextMove(bool apply, bool advanced, int& digit, TCell& cell);
    // One basic move, or with `continuous` basic moves until none is left or the position is
    // solved or contradictory, pausing between moves.
    bool PlayForcedMoves(bool continuous);
    // Plays the next move of any level (7-9 only when deep); the state after it, or msStuck.
    TMatrixState PlayNextMove(bool deep);

    // --- Puzzles ------------------------------------------------------------------------------

    // Disguises the template text in place (shuffles, rotation, mirror, relabelling, drawn from
    // the program's random generator) and lays it out as recorded placements. An invalid text
    // (not 81 characters "0"-"9") leaves the board as it was.
    void MakePuzzle(std::string& text);
    // Lays a valid puzzle text out as it stands: the board cleared, every given placed as a
    // recorded move. An invalid text leaves the board as it was.
    void LayOutPuzzle(const std::string& text);
    // The forced move of a freshly made puzzle and the level that found it, or nothing. It only
    // reads: CurrentTechnique, the position and the history stay as they are.
    std::optional<TFoundAnswer> FindAnswer() const;

    // Raised after a recorded placement onto a cell; empty when disconnected.
    std::function<void(const TPlacedMove&)> OnChanged;

  private:
    static bool IsPiece(int index) { return index >= 0 && index < kPieceCount; }
    TPiece& piece(int index) { return pieces_.at(static_cast<std::size_t>(index)); }
    void StandPiece(int index, int col, int row);
    // Sets CurrentTechnique and places the digit's top free piece on the cell, recorded.
    bool PlayMove(int level, const TMove& move);
    // The move and level that FindNextMove's report mode names; it only reads the position.
    std::optional<TFoundAnswer> SearchNextMove(bool advanced) const;

    TMatrix matrix_;
    THistories histories_;
    std::array<TPiece, kPieceCount> pieces_{};
    int fixedPos_ = 0;
    int currentTechnique_ = 0;
    TBoardView silent_;
    TBoardView* view_ = &silent_;
};
