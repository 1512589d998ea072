// Entry point of the program morvalen.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <clocale>
#include <cstdlib>
#include <functional>

#include "app/CTessmarkApp.h"
#include "app/MorvalenApplication.h"
#include "app/ViewPanes.h"
#include "app/core/ExceptionLog.h"
#include "app/core/StartSwitches.h"
#include "platform/HugePageHeap.h"

int main(int argc, char* argv[]) {
    platform::UseHugePageHeap(argv);
    MorvalenApplication app(argc, argv);
    // Qt sets the C library's locale from the environment; every number in a file, an NC
    // line or a dialog field is written in C notation.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Morvalen");
    QApplication::setOrganizationName(MORVALEN_PROFILE_ORG);
    QApplication::setApplicationVersion("0.1");

    // Scripted runs (smoke tests, screenshots) close the program after a delay, also while a
    // message box of the start-up is open.
    static bool quitRequested = false;
    static std::function<void()> quit = [] {
        // Not in the middle of a load (the window paints then, but the program goes on),
        // unless a message of the load waits for an answer.
        if (CTessmarkApp::Instance() && CTessmarkApp::Instance()->Loading &&
            !QApplication::activeModalWidget()) {
            QTimer::singleShot(10, quit);
            return;
        }
        quitRequested = true;
        // What the user would have seen first is painted before the program closes.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) w->repaint();
        QApplication::closeAllWindows();
        QCoreApplication::exit(0);  // also leaves the loop of an open message box
    };
    if (const char* ms = std::getenv("MORVALEN_QUIT_AFTER_MS"))
        QTimer::singleShot(ReadLeadingInt(ms), &app, quit);

    std::vector<std::string> args;
    const QStringList list = QApplication::arguments();
    for (qsizetype i = 1; i < list.size(); ++i) args.push_back(list[i].toStdString());

    InstallViewPanes();
    CTessmarkApp theApp;
    app.ExceptionLogFile = [&theApp] {
        return theApp.Paths.ConfigFolder.empty() ? std::filesystem::path()
                                                 : ExceptionLogPath(theApp.Paths.ConfigFolder);
    };
    app.NcFileName = [&theApp] { return theApp.NcFileName; };
    // No exception may end the start-up either: it is logged, and the program runs on when its
    // window was made.
    bool started = false;
    try {
        started = theApp.InitInstance(args);
    } catch (...) {
        app.ReportException("InitInstance");
        started = theApp.MainFrame() != nullptr;
    }
    if (!started) return quitRequested ? 0 : 1;
    if (quitRequested) return 0;
    return app.exec();
}
