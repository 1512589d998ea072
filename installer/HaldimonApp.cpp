// Start-up of haldimon: mode, names and setup file, title, the launcher's relaunch, the
// wizard, and the deletions when the program ends.
#include "installer/HaldimonApp.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <cstdlib>

#include "installer/CInstallWizard.h"
#include "installer/QtInstallerUi.h"
#include "installer/QtProcessRunner.h"
#include "installer/SetupPage.h"
#include "installer/engine/InstallerText.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/Startup.h"

namespace installer {

int RunHaldimon(const QStringList& arguments) {
    std::vector<std::string> args;
    for (const QString& a : arguments) args.push_back(a.toStdString());
    StartArguments start = ParseStartArguments(JoinArguments(args));

    SetupState state;
    state.Mode = start.Mode;
    state.UninstallPath = start.UninstallPath;
    SetupPlatform platform = SetupPlatform::FromEnvironment();
    QtInstallerUi ui;
    const bool unattended = qEnvironmentVariableIsSet("HALDIMON_UNATTENDED");
    if (unattended)
        ui.SetUnattended(qEnvironmentVariable("HALDIMON_ANSWERS").split(',', Qt::SkipEmptyParts));
    QtProcessRunner runner;
    SetupEngine engine(state, platform, ui, runner);

    if (!PrepareWizard(engine, QCoreApplication::applicationFilePath().toStdString())) return 0;

    SystemFileSystemProbe probe;
    WizardContext context{state, engine, probe, unattended};
    CInstallWizard wizard(context);
    wizard.setWindowTitle(Q(WizardTitle(state)));
    // The wizard opens from the event loop, once the application runs.
    QTimer::singleShot(0, &wizard, [&wizard] { wizard.open(); });
    QObject::connect(&wizard, &QDialog::finished, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    RunExitDeletions(state);
    return 0;
}

}  // namespace installer
