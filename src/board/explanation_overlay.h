// The explanation of an answer drawn over the board: a transparent widget on top of the pieces
// that paints one TExplanationDrawing (shaded units, outlined cells, small and struck-out
// candidates, supposed digits, chain arrows, a dead end, the ringed placement). It takes no
// mouse and never touches the board's model.
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
    static constexpr QColor Supposed{0x40, 0x80, 0xC0};
    static constexpr QColor Arrow{0x20, 0x60, 0xD0};
    static constexpr QColor Ring{0xD0, 0x10, 0x10};
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

    TBoardGeometry geometry_;
    QColor background_;
    TExplanationDrawing drawing_;
};
