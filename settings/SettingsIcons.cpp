// The settings dialogs' images, painted at run time.
#include "settings/SettingsIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>
#include <functional>

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

QPixmap Glyph(const std::function<void(QPainter&)>& draw, int size = 24) {
    QPixmap pm = Canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return pm;
}

// An arrow: up 0, down 1, left-double 2, right-double 3; grey when disabled.
QPixmap Arrow(int kind, bool enabled) {
    const QColor fill = enabled ? QColor(30, 90, 180) : QColor(170, 170, 170);
    return Glyph([&](QPainter& p) {
        p.setPen(QPen(fill.darker(140), 1));
        p.setBrush(fill);
        auto triangle = [&](QPointF a, QPointF b, QPointF c) {
            const QPointF pts[3] = {a, b, c};
            p.drawPolygon(pts, 3);
        };
        switch (kind) {
            case 0:
                triangle({12, 4}, {21, 15}, {3, 15});
                p.drawRect(QRectF(9, 15, 6, 6));
                break;
            case 1:
                triangle({12, 20}, {21, 9}, {3, 9});
                p.drawRect(QRectF(9, 3, 6, 6));
                break;
            case 2:
                triangle({2, 12}, {11, 4}, {11, 20});
                triangle({11, 12}, {20, 4}, {20, 20});
                break;
            default:
                triangle({22, 12}, {13, 4}, {13, 20});
                triangle({13, 12}, {4, 4}, {4, 20});
                break;
        }
    });
}

}  // namespace

QIcon SettingsIcon(int id) {
    switch (id) {
        case 131:
            return Folder(false);
        case 132:
            return Folder(true);
        case 176:  // delete: a red cross
            return QIcon(Glyph([](QPainter& p) {
                p.setPen(QPen(QColor(200, 30, 30), 3.5, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(5, 5), QPointF(19, 19));
                p.drawLine(QPointF(19, 5), QPointF(5, 19));
            }));
        case 177:  // add: a green plus on a sheet
            return QIcon(Glyph([](QPainter& p) {
                p.setPen(QPen(QColor(110, 110, 110), 1));
                p.setBrush(Qt::white);
                p.drawRect(QRectF(3.5, 2.5, 13, 17));
                p.setPen(QPen(QColor(30, 150, 40), 3.5, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(16, 11), QPointF(16, 21));
                p.drawLine(QPointF(11, 16), QPointF(21, 16));
            }));
        case 178:
            return QIcon(Arrow(0, true));
        case 179:
            return QIcon(Arrow(1, true));
        case 180:  // edit: a pencil
            return QIcon(Glyph([](QPainter& p) {
                p.setPen(QPen(QColor(120, 80, 20), 1));
                p.setBrush(QColor(240, 190, 60));
                const QPointF body[4] = {{6, 15}, {16, 5}, {19, 8}, {9, 18}};
                p.drawPolygon(body, 4);
                p.setBrush(QColor(60, 60, 60));
                const QPointF tip[3] = {{6, 15}, {9, 18}, {4, 20}};
                p.drawPolygon(tip, 3);
            }));
        case 188:
            return QIcon(Arrow(2, true));
        case 189:
            return QIcon(Arrow(2, false));
        case 190:
            return QIcon(Arrow(3, true));
        case 191:
            return QIcon(Arrow(3, false));
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
