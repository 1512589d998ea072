// BatchInputFilter: the input filter of the batch DXF output. While the batch runs, Escape is
// noted and other input is dropped, so no other command runs in the middle of the batch; a
// question the batch itself asks (a message of a load, a failed write) is answered as usual.
#pragma once

#include <QObject>

class BatchInputFilter : public QObject {
public:
    // Escape reached the program (not a question's window) since the filter was installed.
    bool escape = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
