// The colour button's painting: the swatch, the focus rectangle and the two rings.
#include "settings/CColorButton.h"

#include <QPainter>

CColorButton::CColorButton(QWidget* parent) : QPushButton(parent) {}

QColor CColorButton::Swatch() const {
    return QColor(Red & 0xFF, Green & 0xFF, Blue & 0xFF);
}

void CColorButton::SetColour(const QColor& colour) {
    Red = colour.red();
    Green = colour.green();
    Blue = colour.blue();
    update();
}

namespace {

// A one-pixel frame: top and left in topLeft, right and bottom in bottomRight (the corners
// top-right and bottom-left belong to the bottom-right colour).
void Frame3d(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
    if (w <= 0 || h <= 0) return;
    p.fillRect(x, y, w - 1, 1, topLeft);
    p.fillRect(x, y, 1, h - 1, topLeft);
    p.fillRect(x + w - 1, y, 1, h, bottomRight);
    p.fillRect(x, y + h - 1, w, 1, bottomRight);
}

}  // namespace

void CColorButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor swatch = Swatch();
    QRect r = rect();
    p.fillRect(r, swatch);
    if (hasFocus()) {
        // A dotted rectangle 4 pixels in, in the colour that stands out on the swatch.
        QPen dots(swatch.lightness() < 128 ? Qt::white : Qt::black, 1, Qt::DotLine);
        p.setPen(dots);
        p.drawRect(r.adjusted(4, 4, -5, -5));
    }
    if (isDown()) {
        // Pressed: black outside, the swatch colour inside, so the swatch looks sunk.
        Frame3d(p, r, Qt::black, Qt::black);
        r.adjust(1, 1, -1, -1);
        Frame3d(p, r, swatch, swatch);
    } else {
        Frame3d(p, r, Qt::white, Qt::black);
        r.adjust(1, 1, -1, -1);
        Frame3d(p, r, Qt::white, Qt::black);
    }
}
