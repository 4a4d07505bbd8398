#include "board/explanation_overlay.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

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

void DrawArrow(QPainter& painter, QPointF from, QPointF to) {
    const QLineF line(from, to);
    if (line.length() < 1) return;
    // The head stops short of the target's centre, so the digit there stays readable.
    QLineF shaft(from, to);
    shaft.setLength(line.length() - 14);
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

void TExplanationOverlay::paintEvent(QPaintEvent*) {
    if (geometry_.CellWidth == 0) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const TExplanationDrawing& d = drawing_;

    if (d.Covered >= 0) painter.fillRect(CellRect(d.Covered).adjusted(2, 2, -1, -1), background_);

    for (std::size_t i = 0; i < d.Shaded.size(); ++i) {
        const bool dead = d.DeadEnd && !d.DeadEnd->IsCell() && d.Shaded[i] == d.DeadEnd->Unit;
        const QColor shade = dead ? C::DeadEnd : i == 0 ? C::Unit : C::Crossing;
        for (const int cell : CellsOf(d.Shaded[i]))
            painter.fillRect(CellRect(cell).adjusted(1, 1, 0, 0), shade);
    }

    painter.setFont(SupposedFont(font()));
    painter.setPen(C::Supposed);
    for (const TCandidate& c : d.Supposed)
        painter.drawText(CellRect(c.Cell), Qt::AlignCenter, QString::number(c.Digit));

    painter.setFont(SmallFont(font()));
    for (const TCandidate& c : d.Candidates) {
        const bool struck = std::find(d.Struck.begin(), d.Struck.end(), c) != d.Struck.end();
        const QRect slot(geometry_.MarkOrigin({c.Cell % 9, c.Cell / 9}, c.Digit) - QPoint(1, 1),
                         QSize(14, 14));
        painter.setPen(struck ? C::Struck : C::Candidate);
        painter.drawText(slot, Qt::AlignCenter, QString::number(c.Digit));
        if (struck) {
            painter.setPen(QPen(C::Struck, 1.6));
            painter.drawLine(slot.bottomLeft() + QPoint(1, -1), slot.topRight() + QPoint(-1, 1));
        }
    }

    painter.setPen(QPen(C::KeyCell, 3));
    painter.setBrush(Qt::NoBrush);
    for (const int cell : d.Outlined) {
        const bool dead = d.DeadEnd && d.DeadEnd->IsCell() && d.DeadEnd->Cell == cell;
        painter.setPen(QPen(dead ? C::Struck : C::KeyCell, 3));
        painter.drawRect(CellRect(cell).adjusted(2, 2, -1, -1));
    }

    painter.setPen(QPen(C::Arrow, 2.5));
    for (const TExplanationArrow& arrow : d.Arrows)
        DrawArrow(painter, CellCentre(arrow.From), CellCentre(arrow.To));

    if (d.Circled) {
        painter.setPen(QPen(C::Ring, 3));
        const QRect cell = CellRect(d.Circled->Cell);
        const int side = std::min(cell.width(), cell.height()) - 4;
        painter.drawEllipse(QRect(QPoint(0, 0), QSize(side, side))
                                .translated(cell.center() - QPoint(side / 2, side / 2)));
    }
}
