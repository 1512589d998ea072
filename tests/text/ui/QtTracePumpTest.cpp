// Tests of the trace animation's pump over Qt's event loop: Escape and Space reach the
// animation before any shortcut, a key it does not consume goes on to the widget, pauses
// serve the queue, and a quit request ends the pump and still ends the main loop.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include "text/QtTracePump.h"

namespace {

class KeyWidget : public QWidget {
public:
    std::vector<int> keys;

protected:
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};

void Press(QWidget* w, int key) {
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

TEST(QtTracePump, TheAnimationTakesEscapeAndSpaceBeforeTheirShortcuts) {
    KeyWidget w;
    QAction cancel(&w);
    cancel.setShortcut(Qt::Key_Escape);
    cancel.setShortcutContext(Qt::ApplicationShortcut);
    w.addAction(&cancel);
    int cancels = 0;
    QObject::connect(&cancel, &QAction::triggered, [&] { ++cancels; });
    w.show();
    w.activateWindow();
    w.setFocus();

    QtTracePump pump;
    std::vector<NcTracePump::Key> seen;
    bool consumeEscape = true;
    pump.Begin([&](NcTracePump::Key k) {
        seen.push_back(k);
        return k == NcTracePump::Key::Space || consumeEscape;
    });
    Press(&w, Qt::Key_Space);
    Press(&w, Qt::Key_Escape);
    EXPECT_TRUE(pump.Pump());
    EXPECT_EQ(seen,
              (std::vector<NcTracePump::Key>{NcTracePump::Key::Space, NcTracePump::Key::Escape}));
    EXPECT_TRUE(w.keys.empty());
    // An Escape the animation leaves (on an arc) goes on to the widget, not to the shortcut.
    consumeEscape = false;
    Press(&w, Qt::Key_Escape);
    pump.Pump();
    EXPECT_EQ(w.keys, std::vector<int>{Qt::Key_Escape});
    EXPECT_EQ(cancels, 0);
    // Other keys pass untouched.
    Press(&w, Qt::Key_A);
    pump.Pump();
    EXPECT_EQ(w.keys.back(), Qt::Key_A);
    pump.End();

    // After the animation the keys are the program's again.
    seen.clear();
    Press(&w, Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(w.keys.back(), Qt::Key_Space);
}

TEST(QtTracePump, APauseServesTheQueue) {
    QtTracePump pump;
    pump.Begin([](NcTracePump::Key) { return true; });
    bool served = false;
    QTimer::singleShot(0, [&] { served = true; });
    pump.Pause(5);
    EXPECT_TRUE(served);
    pump.End();
}

TEST(QtTracePump, AQuitRequestEndsThePumpAndStillReachesTheMainLoop) {
    QtTracePump pump;
    bool pumped = true;
    bool lost = false;
    QTimer::singleShot(0, [&] {
        pump.Begin([](NcTracePump::Key) { return true; });
        QTimer::singleShot(0, [] { QCoreApplication::quit(); });
        pumped = pump.Pump();
        pump.End();
    });
    // Were the request lost, the loop would run on: this ends it with another code.
    QObject guard;
    QTimer::singleShot(5000, &guard, [&] {
        lost = true;
        QCoreApplication::exit(1);
    });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(pumped);
    EXPECT_FALSE(lost);
}

}  // namespace
