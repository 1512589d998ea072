// The program's QApplication: exceptions that leave event handlers are logged, not fatal.
#include "app/MorvalenApplication.h"

#include <QMessageBox>
#include <QTimer>

#include "app/core/ExceptionLog.h"

MorvalenApplication::MorvalenApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool MorvalenApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportException("QApplication::notify");
        return false;
    }
}

void MorvalenApplication::ReportException(const char* functionName) {
    ++reported_;
    std::filesystem::path log;
    std::string ncFile;
    try {
        if (ExceptionLogFile) log = ExceptionLogFile();
        if (NcFileName) ncFile = NcFileName();
    } catch (...) {
    }
    const QString text = QString::fromStdString(LogCaughtException(log, functionName, ncFile));
    // Told after the event, so that no window opens inside the handler that failed.
    QTimer::singleShot(0, this, [text] {
        QMessageBox::warning(activeWindow(), QApplication::applicationName(), text);
    });
}
