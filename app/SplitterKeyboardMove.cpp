// Moving a splitter's divider from the keyboard.
#include "app/SplitterKeyboardMove.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSplitter>
#include <algorithm>

namespace {

SplitterKeyboardMove* g_current = nullptr;

}  // namespace

SplitterKeyboardMove* SplitterKeyboardMove::Start(QSplitter* splitter) {
    if (g_current) return g_current;
    if (!splitter || splitter->count() < 2) return nullptr;
    g_current = new SplitterKeyboardMove(splitter);
    return g_current;
}

SplitterKeyboardMove* SplitterKeyboardMove::Current() {
    return g_current;
}

SplitterKeyboardMove::SplitterKeyboardMove(QSplitter* splitter)
    : QObject(splitter), splitter_(splitter), original_(splitter->sizes()) {
    QApplication::setOverrideCursor(splitter->orientation() == Qt::Horizontal ? Qt::SplitHCursor
                                                                              : Qt::SplitVCursor);
    qApp->installEventFilter(this);
}

SplitterKeyboardMove::~SplitterKeyboardMove() {
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    if (g_current == this) g_current = nullptr;
}

void SplitterKeyboardMove::Finish(bool keep) {
    if (!keep && splitter_) splitter_->setSizes(original_);
    qApp->removeEventFilter(this);
    if (g_current == this) g_current = nullptr;
    deleteLater();
}

void SplitterKeyboardMove::MoveBy(int delta) {
    if (!splitter_) return;
    QList<int> sizes = splitter_->sizes();
    const int pair = sizes[0] + sizes[1];
    const int first = std::clamp(sizes[0] + delta, 0, pair);
    sizes[1] = pair - first;
    sizes[0] = first;
    splitter_->setSizes(sizes);
}

bool SplitterKeyboardMove::eventFilter(QObject* watched, QEvent* event) {
    if (g_current != this) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // The keys belong to the move: no command's shortcut fires meanwhile.
            event->accept();
            return true;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const int step = key->modifiers() & Qt::ControlModifier ? 1 : 16;
            const bool horizontal = splitter_ && splitter_->orientation() == Qt::Horizontal;
            switch (key->key()) {
                case Qt::Key_Left:
                    if (horizontal) MoveBy(-step);
                    break;
                case Qt::Key_Right:
                    if (horizontal) MoveBy(step);
                    break;
                case Qt::Key_Up:
                    if (!horizontal) MoveBy(-step);
                    break;
                case Qt::Key_Down:
                    if (!horizontal) MoveBy(step);
                    break;
                case Qt::Key_Return:
                case Qt::Key_Enter:
                    Finish(true);
                    break;
                case Qt::Key_Escape:
                    Finish(false);
                    break;
                default:
                    break;
            }
            return true;
        }
        case QEvent::KeyRelease:
            return true;
        case QEvent::MouseButtonPress:
            Finish(true);
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}
