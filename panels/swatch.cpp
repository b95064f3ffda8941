#include "panels/swatch.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "scene/material.h"

namespace {

int Channel(float value) {
    if (!(value > 0.0f)) {  // also NaN
        return 0;
    }
    return static_cast<int>(std::min(value, 1.0f) * 255.0f);
}

}  // namespace

QColor SwatchColour(const CMaterial& material) {
    return QColor(Channel(material.red), Channel(material.green), Channel(material.blue));
}

void PaintSwatchBox(QPainter& painter, const QRect& box, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(box, Qt::black);
    painter.fillRect(box.adjusted(1, 1, -1, -1), colour);
    painter.restore();
}
