// Centring, re-layout, control lookup and 3-D frames on Qt widgets.
#include "wepo/util/WindowUtil.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <deque>

namespace wepo {

int GetPlatformCode() {
    return 8;
}

int CenterWindow(QWidget* window, const QRect* rect) {
    if (!window) return 0;
    QRect place =
        rect ? *rect : (window->isWindow() ? window->frameGeometry() : window->geometry());
    if (!window->isWindow()) {
        QWidget* parent = window->parentWidget();
        if (!parent) return 1;
        int left = parent->width() / 2 - place.width() / 2;
        int top = parent->height() / 2 - place.height() / 2;
        window->setGeometry(qMax(0, left), qMax(0, top), place.width(), place.height());
        return 1;
    }
    QWidget* parent = window->parentWidget();
    QScreen* screen = nullptr;
    QRect reference;
    if (parent && !parent->window()->isMinimized()) {
        reference = parent->window()->frameGeometry();
        screen = parent->window()->screen();
    } else {
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (screen) reference = screen->availableGeometry();
    }
    int left = (reference.left() + reference.left() + reference.width()) / 2 - place.width() / 2;
    int top = (reference.top() + reference.top() + reference.height()) / 2 - place.height() / 2;
    place.moveTo(left, top);
    if (screen) {
        QRect area = screen->availableGeometry();
        if (place.left() < area.left())
            place.moveLeft(area.left());
        else if (place.right() > area.right())
            place.moveRight(area.right());
        if (place.top() < area.top())
            place.moveTop(area.top());
        else if (place.bottom() > area.bottom())
            place.moveBottom(area.bottom());
        if (place.left() < area.left()) place.moveLeft(area.left());
        if (place.top() < area.top()) place.moveTop(area.top());
    }
    // frameGeometry includes the window frame; move() places the frame, resize() the client.
    QSize frameExtra = window->frameGeometry().size() - window->size();
    window->move(place.topLeft());
    if (rect) window->resize(place.size() - frameExtra);
    return 1;
}

int RelayoutDialogControls(QWidget* dialog, LayoutRecord* records, int count, int dx, int dy) {
    if (!dialog || !records || count < 1) return 0;
    for (int i = 0; i < count; ++i) {
        LayoutRecord& r = records[i];
        QWidget* control = FindControl(dialog, r.controlId);
        if (!control) continue;
        if (dx == 0 && dy == 0) {
            QRect g(control->mapTo(dialog, QPoint(0, 0)), control->size());
            r.rect = {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
            continue;
        }
        IntRect n = RelayoutRect(r.rect, r.flags, r.shares, dx, dy);
        QPoint origin = control->parentWidget()
                            ? control->parentWidget()->mapTo(dialog, QPoint(0, 0))
                            : QPoint(0, 0);
        control->setGeometry(n.left - origin.x(), n.top - origin.y(), n.Width(), n.Height());
    }
    return 1;
}

int GetWindowPosSize(QWidget* window, QPoint* position, QSize* size) {
    if (!window || (!position && !size)) return 0;
    QRect frame = window->frameGeometry();
    if (position) *position = frame.topLeft();
    if (size) *size = frame.size();
    return 1;
}

QList<QWidget*> FormControls(QWidget* root) {
    QList<QWidget*> out;
    if (!root) return out;
    std::deque<QObject*> queue(root->children().begin(), root->children().end());
    while (!queue.empty()) {
        QObject* o = queue.front();
        queue.pop_front();
        auto* w = qobject_cast<QWidget*>(o);
        if (!w) continue;
        out.append(w);
        if (w->property("wepoForm").toBool()) continue;
        for (QObject* c : w->children()) queue.push_back(c);
    }
    return out;
}

unsigned ControlIdOf(const QObject* control) {
    if (!control) return 0;
    const QString name = control->objectName();
    if (!name.startsWith(QLatin1String("id"))) return 0;
    bool ok = false;
    unsigned id = name.mid(2).toUInt(&ok);
    return ok ? id : 0;
}

QWidget* FindControl(QWidget* root, unsigned controlId) {
    const QString name = QStringLiteral("id%1").arg(controlId);
    for (QWidget* w : FormControls(root))
        if (w->objectName() == name) return w;
    return nullptr;
}

void SetControlText(QWidget* control, const QString& text) {
    if (auto* b = qobject_cast<QAbstractButton*>(control))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(control))
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(control))
        g->setTitle(text);
    else if (auto* e = qobject_cast<QLineEdit*>(control))
        e->setText(text);
}

int Draw3DFrame(QPainter* painter, const QRect& rect, int thickness, const QBrush* fill,
                bool sunken) {
    if (!painter) return 0;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    if (fill) painter->fillRect(rect, *fill);
    const QPen white(Qt::white, 0), shadow(QApplication::palette().color(QPalette::Dark), 0);
    int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    for (int i = 0; i < thickness && l <= r && t <= b; ++i, ++l, ++t, --r, --b) {
        if (sunken) {
            painter->setPen(shadow);
            painter->drawLine(l, b, l, t);
            painter->drawLine(l, t, r, t);
            painter->setPen(white);
            if (b - 1 >= t + 1) painter->drawLine(r, t + 1, r, b - 1);
            painter->drawLine(r, b, l + 1, b);
        } else {
            painter->setPen(white);
            painter->drawLine(l, b - 1, l, t);
            painter->drawLine(l, t, r - 1, t);
            painter->setPen(shadow);
            painter->drawLine(r, t, r, b - 1);
            painter->drawLine(r, b, l, b);
        }
    }
    painter->restore();
    return 1;
}

}  // namespace wepo
