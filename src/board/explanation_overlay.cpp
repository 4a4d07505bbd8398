// Painting one explanation page over the board, bottom to top: the covered answer, the shades,
// the hatching of shut cells, the boxes' names, the supposed digits, the reasons, the small
// candidates, the key cells' frames, the arrows and the ring.
#include "board/explanation_overlay.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <utility>

namespace {

using C = TExplanationColours;

QFont SmallFont(const QFont& boardFont) {
    QFont font = boardFont;
    font.setPixelSize(12);
    font.setWeight(QFont::Bold);
    return font;
}

QFont SupposedFont(const QFont& boardFont) {
    QFont font = boardFont;
    font.setPointSize(22);
    font.setItalic(true);
    return font;
}

QFont SmallSupposedFont(const QFont& boardFont) {
    QFont font = boardFont;
    font.setPixelSize(14);
    font.setWeight(QFont::Bold);
    font.setItalic(true);
    return font;
}

QFont BoxNameFont(const QFont& boardFont) {
    QFont font = boardFont;
    font.setPixelSize(9);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

template <typename T>
bool Has(const std::vector<T>& list, const T& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// The segment from a towards b with `trimFrom` cut off at a's end and `trimTo` at b's.
QLineF Trimmed(QPointF a, QPointF b, double trimFrom, double trimTo) {
    const QLineF line(a, b);
    const double length = line.length();
    if (length <= trimFrom + trimTo) return {};
    return {line.pointAt(trimFrom / length), line.pointAt(1 - trimTo / length)};
}

void DrawArrow(QPainter& painter, QPointF from, QPointF to, double trimFrom) {
    // The head stops short of the target's centre, so the digit there stays readable.
    const QLineF shaft = Trimmed(from, to, trimFrom, 14);
    if (shaft.isNull()) return;
    painter.drawLine(shaft);
    const double angle = qDegreesToRadians(-shaft.angle());
    const QPointF tip = shaft.p2();
    const double spread = qDegreesToRadians(25.0);
    QPainterPath head(tip);
    head.lineTo(tip - QPointF(std::cos(angle - spread), std::sin(angle - spread)) * 10);
    head.lineTo(tip - QPointF(std::cos(angle + spread), std::sin(angle + spread)) * 10);
    head.closeSubpath();
    painter.fillPath(head, painter.pen().color());
}

// Text centred in the rectangle with a halo of the background round it, so it reads over lines.
void DrawWithHalo(QPainter& painter, const QRect& rect, const QString& text, QColor ink,
                  QColor halo) {
    const QFontMetricsF metrics(painter.font());
    const QRectF bounds = metrics.tightBoundingRect(text);
    const QPointF origin = QRectF(rect).center() - bounds.center();
    QPainterPath path;
    path.addText(origin, painter.font(), text);
    painter.strokePath(path, QPen(halo, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, ink);
}

}  // namespace

TExplanationOverlay::TExplanationOverlay(QWidget* board) : QWidget(board) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TExplanationOverlay::SetGeometry(const TBoardGeometry& geometry, QColor background) {
    geometry_ = geometry;
    background_ = background;
    update();
}

void TExplanationOverlay::Show(TExplanationDrawing drawing) {
    drawing_ = std::move(drawing);
    update();
}

QRect TExplanationOverlay::CellRect(int cell) const {
    return {geometry_.CellOrigin(cell % 9, cell / 9),
            QSize(geometry_.CellWidth, geometry_.CellHeight)};
}

QPoint TExplanationOverlay::CellCentre(int cell) const {
    return CellRect(cell).center();
}

QRect TExplanationOverlay::Slot(TCandidate c) const {
    return {geometry_.MarkOrigin({c.Cell % 9, c.Cell / 9}, c.Digit) - QPoint(1, 1), QSize(14, 14)};
}

QRect TExplanationOverlay::SupposedMark(TCandidate c) const {
    const TExplanationDrawing& d = drawing_;
    if (!d.Circled || d.Circled->Cell != c.Cell) return Slot(c);
    // In the ringed cell the digit stands in the ring: the supposition takes the corner that
    // faces where its arrow goes, outside the ring.
    QPoint towards(1, -1);
    for (const TExplanationArrow& arrow : d.Arrows) {
        if (arrow.From != c.Cell || arrow.FromDigit != c.Digit) continue;
        const QPoint delta = CellCentre(arrow.To) - CellCentre(c.Cell);
        towards = {delta.x() < 0 ? -1 : 1, delta.y() > 0 ? 1 : -1};
    }
    const QRect cell = CellRect(c.Cell).adjusted(2, 2, -1, -1);
    const QSize size(14, 14);
    const int left = towards.x() < 0 ? cell.left() : cell.right() - size.width() + 1;
    const int top = towards.y() < 0 ? cell.top() : cell.bottom() - size.height() + 1;
    return {QPoint(left, top), size};
}

void TExplanationOverlay::paintEvent(QPaintEvent*) {
    if (geometry_.CellWidth == 0) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const TExplanationDrawing& d = drawing_;

    if (d.Covered >= 0) painter.fillRect(CellRect(d.Covered).adjusted(2, 2, -1, -1), background_);
    PaintShades(painter);
    PaintHatching(painter);
    PaintBoxNames(painter);

    painter.setFont(SupposedFont(font()));
    painter.setPen(C::Supposed);
    for (const TCandidate& c : d.Supposed)
        painter.drawText(CellRect(c.Cell), Qt::AlignCenter, QString::number(c.Digit));

    PaintReasons(painter);
    PaintCandidates(painter);

    painter.setBrush(Qt::NoBrush);
    for (const int cell : d.Outlined) {
        const bool dead = d.DeadEnd && d.DeadEnd->IsCell() && d.DeadEnd->Cell == cell;
        painter.setPen(QPen(dead ? C::Struck : C::KeyCell, 3));
        painter.drawRect(CellRect(cell).adjusted(2, 2, -1, -1));
    }
    PaintRing(painter);
    PaintArrows(painter);
}

void TExplanationOverlay::PaintShades(QPainter& painter) const {
    const TExplanationDrawing& d = drawing_;
    // A cell in two units of one colour is shaded once.
    std::vector<std::pair<int, QRgb>> done;
    for (std::size_t i = 0; i < d.Shaded.size(); ++i) {
        const bool dead = d.DeadEnd && !d.DeadEnd->IsCell() && d.Shaded[i] == d.DeadEnd->Unit;
        const QColor shade = dead                                    ? C::DeadEnd
                             : i < static_cast<std::size_t>(d.Units) ? C::Unit
                                                                     : C::Crossing;
        for (const int cell : CellsOf(d.Shaded[i])) {
            const std::pair<int, QRgb> key{cell, shade.rgba()};
            if (Has(done, key)) continue;
            done.push_back(key);
            painter.fillRect(CellRect(cell).adjusted(1, 1, 0, 0), shade);
        }
    }
}

void TExplanationOverlay::PaintHatching(QPainter& painter) const {
    painter.save();
    painter.setPen(QPen(C::Hatch, 1.5));
    for (const int cell : drawing_.Hatched) {
        const QRect r = CellRect(cell).adjusted(2, 2, -1, -1);
        painter.setClipRect(r);
        for (int x = r.left() - r.height(); x < r.right(); x += 9)
            painter.drawLine(QPoint(x, r.bottom()), QPoint(x + r.height(), r.top()));
    }
    painter.restore();
}

void TExplanationOverlay::PaintBoxNames(QPainter& painter) const {
    painter.setFont(BoxNameFont(font()));
    painter.setPen(C::BoxName);
    for (const TBoxLabel& label : drawing_.BoxLabels) {
        const QRect cell = CellRect(label.Cell).adjusted(4, 2, -3, -1);
        const QString number = QString::number(label.Box + 1);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("ブロック") + number);
        painter.drawText(cell, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("box ") + number);
    }
}

void TExplanationOverlay::PaintReasons(QPainter& painter) const {
    const TExplanationDrawing& d = drawing_;
    const double radius = std::min(geometry_.CellWidth, geometry_.CellHeight) * 0.36;
    painter.setPen(QPen(C::Reason, 1.5));
    for (const TShutLine& line : d.ReasonLines) {
        const QLineF segment = Trimmed(CellCentre(line.From), CellCentre(line.To), radius, 0);
        if (!segment.isNull()) painter.drawLine(segment);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(C::Reason, 2));
    for (const int cell : d.Reasons)
        painter.drawEllipse(QPointF(CellCentre(cell)), radius, radius);
}

void TExplanationOverlay::PaintCandidates(QPainter& painter) const {
    const TExplanationDrawing& d = drawing_;
    painter.setFont(SmallFont(font()));
    const auto strike = [&](const QRect& slot, const QPen& pen) {
        painter.setPen(pen);
        painter.drawLine(slot.bottomLeft() + QPoint(1, -1), slot.topRight() + QPoint(-1, 1));
    };
    for (const TCandidate& c : d.Gone) {
        painter.setPen(C::Gone);
        painter.drawText(Slot(c), Qt::AlignCenter, QString::number(c.Digit));
        strike(Slot(c), QPen(C::Gone, 1.2));
    }
    for (const TCandidate& c : d.Candidates) {
        if (!Has(d.Struck, c)) {
            painter.setPen(C::Candidate);
            painter.drawText(Slot(c), Qt::AlignCenter, QString::number(c.Digit));
            continue;
        }
        // What the later steps need stands out from the rest that goes.
        const bool matters = Has(d.Matters, c);
        const QColor ink = matters ? C::Struck : C::StruckSpare;
        painter.setPen(ink);
        painter.drawText(Slot(c), Qt::AlignCenter, QString::number(c.Digit));
        strike(Slot(c), QPen(ink, matters ? 1.8 : 1.2));
    }
}

void TExplanationOverlay::PaintArrows(QPainter& painter) const {
    const TExplanationDrawing& d = drawing_;
    painter.setPen(QPen(C::Arrow, 2.5));
    for (const TExplanationArrow& arrow : d.Arrows) {
        const bool fromDigit = arrow.FromDigit != 0;
        const QPointF from = fromDigit
                                 ? QRectF(SupposedMark({arrow.From, arrow.FromDigit})).center()
                                 : QPointF(CellCentre(arrow.From));
        DrawArrow(painter, from, CellCentre(arrow.To), fromDigit ? 7 : 0);
    }
    // The supposed candidates lie over the ring and the arrows' tails.
    painter.setFont(SmallSupposedFont(font()));
    for (const TCandidate& c : d.SupposedCandidates)
        DrawWithHalo(painter, SupposedMark(c), QString::number(c.Digit), C::Supposed, background_);
}

void TExplanationOverlay::PaintRing(QPainter& painter) const {
    if (!drawing_.Circled) return;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(C::Ring, 3));
    const QRect cell = CellRect(drawing_.Circled->Cell);
    // Round the digit, clear of the cell's corners.
    const int side = std::min(cell.width(), cell.height()) * 7 / 10;
    painter.drawEllipse(QRect(QPoint(0, 0), QSize(side, side))
                            .translated(cell.center() - QPoint(side / 2, side / 2)));
}
