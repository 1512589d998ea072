// Entry point of the installer haldimon.
#include <QApplication>
#include <QFile>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "installer/HaldimonApp.h"
#include "installer/engine/InstallerText.h"
#include "installer/engine/Startup.h"
#include "platform/StringTable.h"

int main(int argc, char* argv[]) {
    platform::SetLanguage(platform::ChooseLanguage(false, false, platform::MessageLocaleName()));
    // The string table travels inside the program: a copy of it runs from any folder.
    QFile table(":/haldimon/strings.tsv");
    if (table.open(QIODevice::ReadOnly))
        installer::UseInstallerStrings(table.readAll().toStdString());
    // The switches before any window: the usage needs no display, and a command line the
    // program does not know opens none.
    const std::vector<std::string> words(argv + 1, argv + argc);
    const installer::CommandLineUse use = installer::CheckCommandLine(words);
    if (use != installer::CommandLineUse::Run) {
        std::string name = argc > 0 ? argv[0] : "haldimon";
        name.erase(0, name.rfind('/') + 1);
        // Asked for, the usage is the output; after a wrong switch it is the error.
        const bool asked = use == installer::CommandLineUse::Help;
        std::fputs(installer::UsageText(name).c_str(), asked ? stdout : stderr);
        return asked ? 0 : 2;
    }
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Haldimon");
    QStringList args = QApplication::arguments();
    args.removeFirst();
    return installer::RunHaldimon(args);
}
