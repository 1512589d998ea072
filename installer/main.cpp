// Entry point of the installer haldimon.
#include <QApplication>
#include <QFile>
#include <clocale>

#include "installer/HaldimonApp.h"
#include "installer/engine/InstallerText.h"
#include "platform/StringTable.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Haldimon");
    platform::SetLanguage(platform::ChooseLanguage(false, false, platform::MessageLocaleName()));
    // The string table travels inside the program: a copy of it runs from any folder.
    QFile table(":/haldimon/strings.tsv");
    if (table.open(QIODevice::ReadOnly))
        installer::UseInstallerStrings(table.readAll().toStdString());
    QStringList args = QApplication::arguments();
    args.removeFirst();
    return installer::RunHaldimon(args);
}
