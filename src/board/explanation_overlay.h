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

class TExplanationOverlay final : public QWidget {
  public:
    explicit TExplanationOverlay(QWidget* board);

    // The board's layout and its background colour (for the answer's covered cell).
    void SetGeometry(const TBoardGeometry& geometry, QColor background);
    void Show(TExplanationDrawing drawing);
    const TExplanationDrawing& Drawing() const { return drawing_; }

    // The colours, for tests that look at pixels.
    static QColor UnitShade();
    static QColor CrossingShade();
    static QColor DeadEndShade();
    static QColor StruckColour();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect CellRect(int cell) const;
    QPoint CellCentre(int cell) const;

    TBoardGeometry geometry_;
    QColor background_;
    TExplanationDrawing drawing_;
};
