// QtTracePump: the trace animation's event pump over Qt's event loop. While a block is
// animated an application event filter takes Escape and Space to the animation first (their
// shortcuts do not fire), and a quit request is noted (and passed on, so it still reaches the
// main loop). Pauses serve events until their deadline, so the window keeps painting.
#pragma once

#include <QObject>
#include <optional>

#include "text/core/NcTraceHost.h"

class QtTracePump : public QObject, public NcTracePump {
    Q_OBJECT
public:
    using QObject::QObject;
    ~QtTracePump() override;

    void Begin(KeyHandler handler) override;
    void End() override;
    // Ends early when Escape was handled or a quit request came.
    void Pause(int ms) override;
    bool Pump() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyHandler handler_;
    bool installed_ = false;
    bool quit_ = false;
    bool escape_ = false;
};
