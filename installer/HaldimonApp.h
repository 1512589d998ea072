// The program haldimon: start-up by mode, the wizard, and what is left to do at the end.
#pragma once

#include <QStringList>

namespace installer {

// Runs the installer with its command-line arguments (without the program name) inside an
// existing QApplication; returns the program's exit code.
int RunHaldimon(const QStringList& arguments);

}  // namespace installer
