// Entry point of the program morvalen.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <clocale>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Qt sets the C library's locale from the environment; every number in a file, an NC
    // line or a dialog field is written in C notation.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Morvalen");

    QMainWindow frame;
    frame.setWindowTitle("Morvalen");
    frame.resize(1024, 768);
    frame.show();

    // Scripted runs (smoke tests, screenshots) close the program after a delay.
    if (const char* ms = std::getenv("MORVALEN_QUIT_AFTER_MS")) {
        QTimer::singleShot(std::atoi(ms), &app, &QApplication::quit);
    }
    return app.exec();
}
