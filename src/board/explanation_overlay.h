// The explanation of an answer drawn over the board: a transparent widget on top of the pieces
// that paints one TExplanationDrawing (shaded units, outlined cells, small, struck-out and faint
// candidates, the reasons' rings, lines and hatching, supposed digits, chain arrows, a dead end,
// the ringed placement, the boxes' names). It takes no mouse and never touches the board's
// model.
//
// Conventions: cell index = col + 9 * row; pixel positions are board client pixels.
#pragma once

#include <QColor>
#include <QWidget>

#include "board/board_geometry.h"
#include "board/explanation_drawing.h"

// The colours of the explanation's marks, for the board and for the legend beside it. Shades are
// translucent: they lie over the pieces.
struct TExplanationColours {
    static constexpr QColor Unit{0xFF, 0xD8, 0x40, 110};
    static constexpr QColor Crossing{0x60, 0xB0, 0xFF, 80};
    static constexpr QColor DeadEnd{0xFF, 0x30, 0x30, 90};
    static constexpr QColor KeyCell{0xE0, 0x70, 0x00};
    static constexpr QColor Candidate{0x30, 0x30, 0x90};
    static constexpr QColor Struck{0xD0, 0x10, 0x10};
    static constexpr QColor StruckSpare{0xE0, 0x74, 0x74};
    static constexpr QColor Supposed{0x40, 0x80, 0xC0};
    static constexpr QColor Arrow{0x20, 0x60, 0xD0};
    static constexpr QColor Ring{0xD0, 0x10, 0x10};
    static constexpr QColor Reason{0x18, 0x88, 0x38};
    static constexpr QColor Hatch{0x18, 0x88, 0x38, 80};
    static constexpr QColor Gone{0x98, 0x98, 0x98};
    static constexpr QColor BoxName{0x80, 0x68, 0x48};
};

class TExplanationOverlay final : public QWidget {
  public:
    explicit TExplanationOverlay(QWidget* board);

    // The board's layout and its background colour (for the answer's covered cell).
    void SetGeometry(const TBoardGeometry& geometry, QColor background);
    void Show(TExplanationDrawing drawing);
    const TExplanationDrawing& Drawing() const { return drawing_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect CellRect(int cell) const;
    QPoint CellCentre(int cell) const;
    QRect Slot(TCandidate c) const;
    // Where a supposed candidate is drawn small.
    QRect SupposedMark(TCandidate c) const;
    void PaintShades(QPainter& painter) const;
    void PaintHatching(QPainter& painter) const;
    void PaintBoxNames(QPainter& painter) const;
    void PaintReasons(QPainter& painter) const;
    void PaintCandidates(QPainter& painter) const;
    void PaintArrows(QPainter& painter) const;
    void PaintRing(QPainter& painter) const;

    TBoardGeometry geometry_;
    QColor background_;
    TExplanationDrawing drawing_;
};
