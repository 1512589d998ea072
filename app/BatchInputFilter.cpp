// The batch's input filter: Escape noted, other input dropped, a modal question left alone.
#include "app/BatchInputFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace {

// The event goes to the modal window shown now (a message box of the batch) or into it.
bool ForModalWindow(QObject* watched) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return false;
    if (auto* w = qobject_cast<QWidget*>(watched)) return w == modal || modal->isAncestorOf(w);
    if (auto* window = qobject_cast<QWindow*>(watched)) return window == modal->windowHandle();
    return false;
}

}  // namespace

bool BatchInputFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            break;
        default:
            return QObject::eventFilter(watched, event);
    }
    // Without this a box shown during the batch could be neither clicked nor answered by a
    // key, and the batch waited for it for ever.
    if (ForModalWindow(watched)) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed, so no shortcut (Escape's Cancel among them) fires.
        event->accept();
    } else if (event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        escape = true;
    }
    return true;
}
