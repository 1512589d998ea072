// MorvalenApplication: the program's QApplication, which keeps an exception from ending the
// program when it leaves an event handler.
#pragma once

#include <QApplication>
#include <filesystem>
#include <functional>
#include <string>

class MorvalenApplication : public QApplication {
    Q_OBJECT
public:
    MorvalenApplication(int& argc, char** argv);

    // Where the exception log goes (the configuration folder's) and the open NC file it names;
    // unset while the start-up has not settled them.
    std::function<std::filesystem::path()> ExceptionLogFile;
    std::function<std::string()> NcFileName;

    // Qt does not let an exception pass through its event loop: one that leaves a handler is
    // caught here, appended to the exception log, and the user is told after the event; the
    // event counts as not handled and the program runs on.
    bool notify(QObject* receiver, QEvent* event) override;

    // Records the exception being handled (call inside a catch block) under functionName and
    // tells the user once the event loop runs again. Used by notify and by the start-up.
    void ReportException(const char* functionName);

    // How many exceptions were reported (tests).
    int ReportedExceptions() const { return reported_; }

private:
    int reported_ = 0;
};
