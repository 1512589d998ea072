// Keys an NC pane takes before the frame's accelerators.
#include "text/PaneKeys.h"

#include <QKeyEvent>

bool ClaimPlainKey(QEvent* event, int key) {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto* k = static_cast<QKeyEvent*>(event);
    if (k->key() != key || k->modifiers() != Qt::NoModifier) return false;
    event->accept();
    return true;
}
