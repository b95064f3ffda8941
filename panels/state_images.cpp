#include "panels/state_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPalette>

namespace {

constexpr int kButtonWidth = kStateImageWidth / 2;
constexpr int kCellMargin = 2;

bool IsVisible(int state) {
    return state == 0 || state == 1;
}
bool IsLocked(int state) {
    return state == 1 || state == 2;
}

void PaintButton(QPainter& painter, const QRectF& button, const QPalette& palette) {
    painter.setPen(QPen(palette.color(QPalette::Mid), 1.0));
    painter.setBrush(palette.color(QPalette::Button));
    painter.drawRoundedRect(button.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

void PaintEye(QPainter& painter, const QRectF& button) {
    const QPointF centre = button.center();
    const qreal half = button.width() * 0.36;
    QPainterPath outline;
    outline.moveTo(centre.x() - half, centre.y());
    outline.quadTo(centre.x(), centre.y() - half * 1.1, centre.x() + half, centre.y());
    outline.quadTo(centre.x(), centre.y() + half * 1.1, centre.x() - half, centre.y());
    painter.setPen(QPen(QColor(20, 20, 20), 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 70, 160));
    painter.drawEllipse(centre, half * 0.42, half * 0.42);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, half * 0.18, half * 0.18);
}

void PaintKey(QPainter& painter, const QRectF& button) {
    const QPointF centre = button.center();
    const qreal unit = button.width() / 20.0;
    const QColor brass(170, 120, 20);
    painter.setPen(QPen(brass, 1.6 * unit, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const QPointF bow(centre.x() - 4.0 * unit, centre.y());
    painter.drawEllipse(bow, 2.8 * unit, 2.8 * unit);
    const QPointF shaftStart(bow.x() + 2.8 * unit, centre.y());
    const QPointF shaftEnd(centre.x() + 6.5 * unit, centre.y());
    painter.drawLine(shaftStart, shaftEnd);
    painter.drawLine(QPointF(shaftEnd.x(), centre.y()),
                     QPointF(shaftEnd.x(), centre.y() + 3 * unit));
    painter.drawLine(QPointF(shaftEnd.x() - 2.5 * unit, centre.y()),
                     QPointF(shaftEnd.x() - 2.5 * unit, centre.y() + 2.2 * unit));
}

}  // namespace

QRect StateImageRect(const QRect& cell) {
    return QRect(cell.left() + kCellMargin, cell.top() + (cell.height() - kStateImageHeight) / 2,
                 kStateImageWidth, kStateImageHeight);
}

StateZone StateZoneAt(const QRect& cell, int x) {
    const QRect image = StateImageRect(cell);
    if (x < image.left() || x > image.right()) {
        return StateZone::None;
    }
    return x < image.left() + kButtonWidth ? StateZone::Visibility : StateZone::Lock;
}

void PaintStateImage(QPainter& painter, const QRect& image, int state, const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF visibility(image.left(), image.top(), kButtonWidth, image.height());
    const QRectF lock(image.left() + kButtonWidth, image.top(), kButtonWidth, image.height());
    PaintButton(painter, visibility, palette);
    PaintButton(painter, lock, palette);
    if (IsVisible(state)) {
        PaintEye(painter, visibility);
    }
    if (IsLocked(state)) {
        PaintKey(painter, lock);
    }
    painter.restore();
}
