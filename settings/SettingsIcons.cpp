// The settings dialogs' images, painted at run time.
#include "settings/SettingsIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace {

constexpr int kIcon = 32;

QPixmap Canvas(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

// A folder, opening (an arrow out of it) or receiving a sheet (a disk in front of it).
QIcon Folder(bool save) {
    QPixmap pm = Canvas(kIcon);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath folder;
    folder.moveTo(3, 9);
    folder.lineTo(12, 9);
    folder.lineTo(15, 12);
    folder.lineTo(28, 12);
    folder.lineTo(28, 27);
    folder.lineTo(3, 27);
    folder.closeSubpath();
    p.setPen(QPen(QColor(150, 110, 20), 1.5));
    p.setBrush(QColor(240, 200, 90));
    p.drawPath(folder);
    if (!save) {
        p.setPen(QPen(QColor(30, 110, 30), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(16, 22), QPointF(24, 5));
        p.drawLine(QPointF(24, 5), QPointF(17, 7));
        p.drawLine(QPointF(24, 5), QPointF(26, 12));
    } else {
        const QRectF disk(14, 13, 15, 15);
        p.setPen(QPen(QColor(20, 40, 110), 1.2));
        p.setBrush(QColor(60, 90, 180));
        p.drawRect(disk);
        p.setBrush(QColor(235, 235, 235));
        p.drawRect(QRectF(17, 14, 9, 6));
        p.setBrush(QColor(40, 40, 40));
        p.drawRect(QRectF(18, 23, 7, 5));
    }
    return QIcon(pm);
}

}  // namespace

QIcon SettingsIcon(int id) {
    switch (id) {
        case 131:
            return Folder(false);
        case 132:
            return Folder(true);
        default:
            return QIcon();
    }
}

QSize CheckImageSize() {
    return QSize(12, 12);
}

QIcon CheckImage(bool checked) {
    static const std::array<QIcon, 2> images = [] {
        std::array<QIcon, 2> made;
        for (int on = 0; on < 2; ++on) {
            QPixmap pm(CheckImageSize());
            pm.fill(Qt::white);
            QPainter p(&pm);
            p.setPen(QColor(80, 80, 80));
            p.drawRect(0, 0, 11, 11);
            if (on) {
                p.setPen(QPen(Qt::black, 2));
                p.drawLine(QPointF(2.5, 6), QPointF(5, 8.5));
                p.drawLine(QPointF(5, 8.5), QPointF(9.5, 3));
            }
            made[size_t(on)] = QIcon(pm);
        }
        return made;
    }();
    return images[checked ? 1 : 0];
}
