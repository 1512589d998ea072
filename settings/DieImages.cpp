// The die dialogs' images, painted at run time.
#include "settings/DieImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace {

constexpr int kState = 14;
constexpr int kButton = 24;

QPixmap Canvas(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

// The outline of a filter's shape in a 24-pixel square.
QPainterPath ShapePath(int filter) {
    QPainterPath p;
    const QPointF c(12, 12);
    switch (filter) {
        case 0:  // round
            p.addEllipse(c, 8, 8);
            break;
        case 1:  // square
            p.addRect(QRectF(4, 4, 16, 16));
            break;
        case 2:  // rectangle
            p.addRect(QRectF(2, 7, 20, 10));
            break;
        case 3:  // obround
            p.addRoundedRect(QRectF(2, 7, 20, 10), 5, 5);
            break;
        case 4:  // centre punch: a small point in a cross
            p.addEllipse(c, 3, 3);
            p.moveTo(12, 2);
            p.lineTo(12, 22);
            p.moveTo(2, 12);
            p.lineTo(22, 12);
            break;
        case 5: {  // double D: a circle with two flats
            QPainterPath circle, band;
            circle.addEllipse(c, 9, 9);
            band.addRect(QRectF(6, 2, 12, 20));
            p = circle.intersected(band);
            break;
        }
        case 6: {  // single D: one flat
            QPainterPath circle, band;
            circle.addEllipse(c, 9, 9);
            band.addRect(QRectF(2, 2, 16, 20));
            p = circle.intersected(band);
            break;
        }
        case 7:  // burring: a collar
            p.addEllipse(c, 9, 9);
            p.addEllipse(c, 5, 5);
            break;
        case 8:  // square with radius
            p.addRoundedRect(QRectF(4, 4, 16, 16), 5, 5);
            break;
        case 9: {  // special: a star
            for (int i = 0; i < 10; ++i) {
                const double a = -M_PI / 2 + i * M_PI / 5;
                const double r = i % 2 ? 4.0 : 10.0;
                const QPointF q(12 + r * std::cos(a), 12.5 + r * std::sin(a));
                if (i == 0)
                    p.moveTo(q);
                else
                    p.lineTo(q);
            }
            p.closeSubpath();
            break;
        }
        case 10:  // tapping: a thread
            p.addEllipse(c, 9, 9);
            for (int i = 0; i < 3; ++i) {
                p.moveTo(7 + 3 * i, 18 - i);
                p.lineTo(11 + 3 * i, 6 - i);
            }
            break;
        case 11:  // forming: a dome
            p.moveTo(3, 18);
            p.cubicTo(5, 3, 19, 3, 21, 18);
            p.closeSubpath();
            break;
        case 12:  // stamping: a letter
            p.addText(5, 19, QFont(QStringLiteral("Sans"), 14, QFont::Bold), QStringLiteral("A"));
            p.addRect(QRectF(2, 2, 20, 20));
            break;
        case 13:  // corner radius
            p.moveTo(4, 20);
            p.lineTo(4, 12);
            p.arcTo(QRectF(4, 4, 16, 16), 180, -90);
            p.lineTo(20, 4);
            p.lineTo(20, 20);
            p.closeSubpath();
            break;
        case 14:  // every die: four small shapes
            p.addEllipse(QPointF(7, 7), 4, 4);
            p.addRect(QRectF(13, 3, 8, 8));
            p.addRect(QRectF(3, 13, 8, 8));
            p.addRoundedRect(QRectF(13, 13, 8, 8), 3, 3);
            break;
        default:  // the automatic choice
            p.addText(2, 17, QFont(QStringLiteral("Sans"), 9, QFont::Bold), QStringLiteral("AUTO"));
            break;
    }
    return p;
}

QPixmap ShapePixmap(int filter, bool enabled) {
    QPixmap pm = Canvas(kButton);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor line = enabled ? QColor(20, 50, 120) : QColor(150, 150, 150);
    const QColor fill = enabled ? QColor(150, 190, 240) : QColor(225, 225, 225);
    p.setPen(QPen(line, 1.3));
    p.setBrush(filter == 4 || filter == 10 ? Qt::NoBrush : QBrush(fill));
    QPainterPath path = ShapePath(filter);
    path.setFillRule(Qt::OddEvenFill);
    p.drawPath(path);
    return pm;
}

}  // namespace

QIcon DieStateImage(int placed) {
    QPixmap pm = Canvas(kState);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (placed > 0) {
        p.setPen(QPen(QColor(20, 100, 30), 1.2));
        p.setBrush(QColor(70, 180, 80));
    } else {
        p.setPen(QPen(QColor(130, 130, 130), 1.2));
        p.setBrush(Qt::white);
    }
    p.drawEllipse(QPointF(7, 7), 5, 5);
    return QIcon(pm);
}

QIcon StationStateImage(int state) {
    QPixmap pm = Canvas(kState);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1.0));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(1.5, 1.5, 11, 11));
    if (state > 0) {
        p.setPen(QPen(QColor(20, 50, 120), 1.0));
        p.setBrush(QColor(60, 110, 200));
        p.drawEllipse(QPointF(7, 7), 3.5, 3.5);
    }
    return QIcon(pm);
}

QIcon ShapeButtonIcon(int filter) {
    QIcon icon;
    icon.addPixmap(ShapePixmap(filter, true), QIcon::Normal);
    icon.addPixmap(ShapePixmap(filter, false), QIcon::Disabled);
    return icon;
}
