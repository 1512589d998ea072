// The longest stall of the user-interface thread while a widget benchmark works: the gaps
// between the ticks of a 1 ms timer.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

class StallMeter {
public:
    StallMeter() {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            longest_ = std::max(longest_, now - last_);
            last_ = now;
        });
        clock_.start();
        timer_.start();
    }
    double LongestMs() const { return longest_ / 1e6; }

    // Lets the meter tick once more after the work, so that its last gap counts.
    static void Settle() {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5) QApplication::processEvents(QEventLoop::AllEvents, 1);
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0, longest_ = 0;
};
