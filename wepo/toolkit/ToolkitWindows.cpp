// Window arrangement and lookup over a parent's child widgets.
#include <unistd.h>

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

#include "wepo/core/Layout.h"
#include "wepo/toolkit/Toolkit.h"

namespace wepo {

namespace {

// Direct child widgets that are no windows, from the bottom of the stacking order up.
QList<QWidget*> Children(QWidget* parent) {
    QList<QWidget*> out;
    if (!parent) return out;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow()) out.append(w);
    return out;
}

void Restore(QWidget* w) {
    if (w->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
        w->setWindowState(w->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
}

// Lines the minimised children up along the bottom of the parent; the height of that row.
int ArrangeIcons(QWidget* parent, const QList<QWidget*>& icons) {
    if (icons.isEmpty()) return 0;
    const int height = parent->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    const int width = 160;
    int x = 0;
    for (QWidget* w : icons) {
        w->setGeometry(x, parent->height() - height, width, height);
        x += width;
    }
    return height;
}

// The children to arrange (not minimised, from the bottom of the stacking order up) and the
// area above the row of minimised ones, which are lined up first. False when there is nothing.
bool PrepareArrangement(QWidget* parent, QList<QWidget*>& windows, QRect& area) {
    QList<QWidget*> icons;
    for (QWidget* w : Children(parent)) (w->isMinimized() ? icons : windows).append(w);
    int iconRow = ArrangeIcons(parent, icons);
    if (windows.isEmpty()) return false;
    area = parent->rect().adjusted(0, 0, 0, -iconRow);
    return !area.isEmpty();
}

}  // namespace

int CascadeChildWindows(QWidget* parent) {
    QList<QWidget*> windows;
    QRect area;
    if (!PrepareArrangement(parent, windows, area)) return 0;
    const QStyle* style = parent->style();
    int frame = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    int step = style->pixelMetric(QStyle::PM_TitleBarHeight) + frame;
    std::vector<IntRect> rects =
        CascadeRects(static_cast<int>(windows.size()), area.width(), area.height(), step, step);
    for (int i = 0; i < windows.size(); ++i) {
        Restore(windows[i]);
        const IntRect& r = rects[static_cast<size_t>(i)];
        windows[i]->setGeometry(r.left, r.top, r.Width(), r.Height());
    }
    return 1;
}

int TileChildWindows(QWidget* parent) {
    QList<QWidget*> windows;
    QRect area;
    if (!PrepareArrangement(parent, windows, area)) return 0;
    std::vector<IntRect> rects =
        TileRects(static_cast<int>(windows.size()), area.width(), area.height());
    // From the top of the stacking order down.
    for (int i = 0; i < windows.size(); ++i) {
        QWidget* w = windows[windows.size() - 1 - i];
        Restore(w);
        const IntRect& r = rects[static_cast<size_t>(i)];
        w->setGeometry(r.left, r.top, r.Width(), r.Height());
    }
    return 1;
}

int CountIconicChildren(QWidget* parent) {
    int n = 0;
    for (QWidget* w : Children(parent)) n += w->isMinimized() ? 1 : 0;
    return n;
}

int CountUnownedChildren(QWidget* parent) {
    return static_cast<int>(Children(parent).size());
}

int MinimizeOrRestoreChildren(QWidget* parent, bool minimise) {
    QList<QWidget*> children = Children(parent);
    // One turn per child: a child that keeps its state cannot hold the loop.
    for (int turn = 0; turn < children.size(); ++turn) {
        QWidget* target = nullptr;
        if (minimise) {
            for (int i = children.size() - 1; i >= 0 && !target; --i)
                if (!children[i]->isMinimized()) target = children[i];
        } else {
            for (int i = 0; i < children.size() && !target; ++i)
                if (children[i]->isMinimized()) target = children[i];
        }
        if (!target) break;
        target->setWindowState(minimise ? (target->windowState() | Qt::WindowMinimized)
                                        : (target->windowState() & ~Qt::WindowMinimized));
    }
    return 1;
}

int EnableOwnedWindows(QWidget* window, bool enable) {
    if (!window) return 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != window && w->parentWidget() == window) w->setEnabled(enable);
    return 0;
}

QWidget* GetTopParent(QWidget* window) {
    while (window && window->parentWidget()) window = window->parentWidget();
    return window;
}

int MoveWindowBy(QWidget* window, int dx, int dy) {
    if (!window) return 0;
    if (dx || dy) window->move(window->pos() + QPoint(dx, dy));
    return 1;
}

bool IsPointInWindow(QWidget* window, int x, int y) {
    if (!window) return false;
    QRect frame = window->isWindow() ? window->frameGeometry()
                                     : QRect(window->mapToGlobal(QPoint(0, 0)), window->size());
    return frame.contains(x, y);
}

int GetTextSize(QWidget* window, const QString* text, QSize* size) {
    if (!window || !size) return 0;
    QFontMetrics fm(window->font());
    *size = text ? QSize(fm.horizontalAdvance(*text), fm.height())
                 : QSize(fm.averageCharWidth(), fm.height() + fm.leading());
    return 1;
}

QWidget* RecreateWindow(QWidget* window, QWidget* newParent, Qt::WindowFlags flags) {
    if (!window) return nullptr;
    const QRect onScreen(window->mapToGlobal(QPoint(0, 0)), window->size());
    QWidget* made = nullptr;
    if (window->isWindow()) {
        QWidget* parent = newParent ? newParent : window->parentWidget();
        made = new QWidget(parent, flags & ~Qt::Window);
        QPoint at = parent ? parent->mapFromGlobal(onScreen.topLeft()) : onScreen.topLeft();
        made->setGeometry(QRect(at, onScreen.size()));
    } else {
        made = new QWidget(newParent, (flags ? flags : Qt::WindowFlags()) | Qt::Window);
        made->setGeometry(onScreen);
    }
    made->setObjectName(window->objectName());
    made->setWindowTitle(window->windowTitle());
    for (QObject* o : window->children()) {
        if (auto* child = qobject_cast<QWidget*>(o); child && !child->isWindow()) {
            QRect g = child->geometry();
            child->setParent(made);
            child->setGeometry(g);
            child->show();
        }
    }
    return made;
}

QWidget* FindProcessWindow(long pid) {
    if (pid != static_cast<long>(::getpid())) return nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget() && w->isVisible()) return w;
    return nullptr;
}

QWidget* FindThreadWindow(long tid) {
    if (tid != static_cast<long>(::getpid())) return nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget()) return w;
    return nullptr;
}

int CountClassWindows(QWidget* window) {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!window)
            ++n;
        else if (w != window &&
                 qstrcmp(w->metaObject()->className(), window->metaObject()->className()) == 0)
            ++n;
    }
    return n;
}

}  // namespace wepo
