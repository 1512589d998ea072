// A program linked with the application code, for the recovery test across processes: it starts
// as the program does on the NC file of its argument, shifts X of every line by 10 through the
// frame's NC operations, says "changed" on its output and runs until it is killed.
#include <QApplication>
#include <clocale>
#include <cstdio>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/ViewPanes.h"
#include "nc/machine/CNcReadInfo.h"
#include "text/core/CoordShift.h"
#include "text/core/NcOpsHost.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc < 2) return 4;
    InstallViewPanes();
    CTessmarkApp theApp;
    if (!theApp.InitInstance({"/US", argv[1]})) return 3;
    NcOpsHost& ops = theApp.MainFrame()->NcOps();
    CNcReadInfo& shift = ops.Machine();
    shift.Permit = {};
    shift.Permit[0] = 1;
    shift.Offset = {};
    shift.Offset[0] = 10;
    shift.ZeroTimes = 1;
    shift.StartLineNo = 1;
    shift.EndLineNo = 30000;
    if (ShiftCoordinateLines(ops, shift, nullptr) <= 0) return 2;
    std::printf("changed\n");
    std::fflush(stdout);
    return app.exec();
}
