// QtTracePump: the animation's pauses and event serving over Qt's event loop.
#include "text/QtTracePump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QTimer>

namespace {

// Escape or Space without Ctrl, Alt or Meta: the animation's keys.
std::optional<NcTracePump::Key> TraceKey(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    if (key->key() == Qt::Key_Escape) return NcTracePump::Key::Escape;
    if (key->key() == Qt::Key_Space) return NcTracePump::Key::Space;
    return std::nullopt;
}

}  // namespace

QtTracePump::~QtTracePump() {
    End();
}

void QtTracePump::Begin(KeyHandler handler) {
    handler_ = std::move(handler);
    quit_ = false;
    escape_ = false;
    if (!installed_ && QCoreApplication::instance()) {
        QCoreApplication::instance()->installEventFilter(this);
        installed_ = true;
    }
}

void QtTracePump::End() {
    if (installed_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    installed_ = false;
    handler_ = nullptr;
}

void QtTracePump::Pause(int ms) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (ms <= 0 || !dispatcher || quit_ || escape_) return;
    const QDeadlineTimer deadline(ms, Qt::PreciseTimer);
    // The timer wakes the wait at the deadline; events that come earlier are served at once.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    wake.start(ms);
    // What is queued is served even when the system ran other work until past the deadline.
    do dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    while (!deadline.hasExpired() && !quit_ && !escape_);
}

bool QtTracePump::Pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !quit_;
}

bool QtTracePump::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Taken here, the key is not a shortcut (Escape would be Cancel again, Space a
            // step): it comes as a key press, below.
            if (handler_ && TraceKey(event)) {
                event->accept();
                return true;
            }
            break;
        case QEvent::KeyPress:
            if (const auto key = handler_ ? TraceKey(event) : std::nullopt) {
                // An Escape not consumed (on an arc) reaches the filter again on its way to
                // the widget and its parents: the trace has ended by then, and a second
                // Cancel changes nothing.
                if (*key == Key::Escape) escape_ = true;
                // The handler may end the trace; the copy keeps it alive meanwhile.
                const KeyHandler handler = handler_;
                if (handler(*key)) return true;
            }
            break;
        case QEvent::Quit:
            if (watched == QCoreApplication::instance()) quit_ = true;
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}
