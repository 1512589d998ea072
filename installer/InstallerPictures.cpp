// Pictures of the installer, painted at the size they are shown.
#include "installer/InstallerPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace installer {

namespace {

const QColor kBlue(0x1f, 0x5f, 0xa8);
const QColor kLightBlue(0x9c, 0xc3, 0xef);
const QColor kCardboard(0xd9, 0xa5, 0x5b);
const QColor kCardboardDark(0xa8, 0x73, 0x30);

// A box seen from the front-left, its lid open when open is true; s is the picture's size.
void DrawBox(QPainter& p, int s, bool open) {
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = s / 16.0;
    QPolygonF front({{2 * u, 7 * u}, {10 * u, 7 * u}, {10 * u, 15 * u}, {2 * u, 15 * u}});
    QPolygonF side({{10 * u, 7 * u}, {14 * u, 5 * u}, {14 * u, 13 * u}, {10 * u, 15 * u}});
    QPolygonF top({{2 * u, 7 * u}, {6 * u, 5 * u}, {14 * u, 5 * u}, {10 * u, 7 * u}});
    p.setPen(QPen(kCardboardDark, u * 0.5));
    p.setBrush(kCardboard);
    p.drawPolygon(front);
    p.setBrush(kCardboardDark.lighter(130));
    p.drawPolygon(side);
    if (open) {
        p.setBrush(kCardboard.lighter(115));
        p.drawPolygon(
            QPolygonF({{2 * u, 7 * u}, {0.5 * u, 3 * u}, {4.5 * u, 1 * u}, {6 * u, 5 * u}}));
        p.drawPolygon(
            QPolygonF({{14 * u, 5 * u}, {15.5 * u, 1.5 * u}, {11.5 * u, 3 * u}, {10 * u, 7 * u}}));
        // The program coming out of the box.
        p.setBrush(kBlue);
        p.setPen(QPen(kBlue.darker(130), u * 0.4));
        p.drawRoundedRect(QRectF(5 * u, 0.5 * u, 5 * u, 5 * u), u, u);
        p.setPen(QPen(Qt::white, u * 0.6));
        p.drawLine(QPointF(6.2 * u, 2.2 * u), QPointF(8.8 * u, 2.2 * u));
        p.drawLine(QPointF(6.2 * u, 3.6 * u), QPointF(8 * u, 3.6 * u));
    } else {
        p.setBrush(kCardboard.lighter(115));
        p.drawPolygon(top);
        p.setPen(QPen(kCardboardDark, u * 0.8));
        p.drawLine(QPointF(4 * u, 6 * u), QPointF(12 * u, 6 * u));
    }
}

}  // namespace

QPixmap HeaderPicture() {
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 64, 64);
    g.setColorAt(0, kLightBlue.lighter(120));
    g.setColorAt(1, kLightBlue);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1, 1, 62, 62), 8, 8);
    p.translate(8, 8);
    DrawBox(p, 48, true);
    return pm;
}

QPixmap StandardPicture() {
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    DrawBox(p, 48, false);
    return pm;
}

QPixmap CustomPicture() {
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::darkGray, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6, 3, 36, 42), 3, 3);
    for (int i = 0; i < 4; ++i) {
        const qreal y = 9 + i * 9;
        p.setPen(QPen(Qt::darkGray, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(11, y, 6, 6));
        if (i != 2) {
            p.setPen(QPen(kBlue, 2));
            QPainterPath tick;
            tick.moveTo(11.5, y + 3);
            tick.lineTo(13.5, y + 5.5);
            tick.lineTo(17.5, y - 0.5);
            p.drawPath(tick);
        }
        p.setPen(QPen(Qt::gray, 2));
        p.drawLine(QPointF(21, y + 3), QPointF(36, y + 3));
    }
    return pm;
}

QIcon AppIcon() {
    QIcon icon;
    for (int s : {16, 32, 48, 64}) {
        QPixmap pm(s, s);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        DrawBox(p, s, true);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

}  // namespace installer
