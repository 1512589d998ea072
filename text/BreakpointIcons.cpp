// The row images of the NC line list, painted once.
#include "text/BreakpointIcons.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace {

QIcon Make(const QColor& fill) {
    QPixmap pm(14, 14);
    pm.fill(Qt::transparent);
    if (fill.isValid()) {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(fill.darker(160), 1));
        p.setBrush(fill);
        p.drawEllipse(QRectF(1.5, 1.5, 11, 11));
    }
    return QIcon(pm);
}

}  // namespace

const QIcon& BreakpointIcon(int index) {
    static const std::array<QIcon, 4> icons = {Make(QColor()), Make(QColor(230, 0, 0)),
                                               Make(QColor(255, 210, 0)), Make(QColor())};
    return icons[size_t(index >= 0 && index < 4 ? index : 0)];
}
