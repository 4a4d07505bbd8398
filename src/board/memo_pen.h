// The memo pen: the player's strokes on the board's memo layer, which lies under the grid lines,
// the candidate marks and the pieces.
//
// While a stroke is drawn the board shows a frozen picture of itself (the snapshot layer) and
// the stroke is drawn on that picture as well as on the memo, so the player sees the line over
// everything; when the stroke ends the live layers come back and the line lies under the grid.
// Layers are images of the board's client size in board pixels; untouched memo pixels are
// transparent.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

// What the pen needs of its board.
class TMemoPenHost {
  public:
    virtual ~TMemoPenHost() = default;
    virtual QSize LayerSize() const = 0;
    // The board's own background, which the eraser paints.
    virtual QColor BackgroundColor() const = 0;
    // The board as the player sees it now: background, memo, grid, marks and pieces.
    virtual QImage CaptureBoard() = 0;
    // The layers changed in the area (or which layers are shown changed, for a null area).
    virtual void LayersChanged(const QRect& area) = 0;
};

class TMemoPen {
  public:
    static constexpr int kPenWidth = 2;
    static constexpr int kEraserWidth = 6;

    explicit TMemoPen(TMemoPenHost& host) : host_(host) {}

    QColor PenColor() const { return penColor_; }
    void SetPenColor(const QColor& colour) { penColor_ = colour; }
    // 0 pen, 1 eraser; any value other than 0 erases.
    int PenMode() const { return penMode_; }
    void SetPenMode(int mode) { penMode_ = mode; }

    // 0 no stroke, 1 pen stroke, -1 eraser stroke. While not 0 the snapshot is shown instead of
    // the memo, grid and hint layers.
    int StrokeState() const { return strokeState_; }
    bool SnapshotShown() const { return strokeState_ != 0; }

    const QImage& MemoLayer() const { return memo_; }
    const QImage& SnapshotLayer() const { return snapshot_; }

    // The board's mouse where no piece covers it. A press ends any open stroke and, with the
    // left button among the held ones (whatever else is held), begins one.
    void MouseDown(Qt::MouseButtons held, QPoint p);
    void MouseMove(QPoint p);
    void MouseUp(QPoint p);

    // Ends (0) or begins (1, -1) a stroke; nothing when the state is already s.
    void SetStroke(int s);
    void EraseMemo();

  private:
    void StrokeTo(QPoint p);
    // The memo is made when first drawn on, and grows with the board.
    void EnsureMemo();

    TMemoPenHost& host_;
    QColor penColor_{255, 0, 0};
    int penMode_ = 0;
    int strokeState_ = 0;
    QPoint lastPenPoint_;
    QImage memo_;
    QImage snapshot_;
};
