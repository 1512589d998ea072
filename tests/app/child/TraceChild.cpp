// A program linked with the application code, for the trace tests across processes: it starts
// as the program does (its arguments are the program's), serves the outside drivers, and says
// on its output what the trace shows whenever that changes:
//   trace=<open> row=<selected row> type=<type> x=<x> y=<y> kind=<mark kind> route=<elements of
//   the document's skip-log route> layer=<elements of the view's skip-log layer> torch=<shown>
// The first line is "ready".
#include <QApplication>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <string>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/ViewPanes.h"
#include "text/CNcTextView.h"
#include "text/core/NcTraceEngine.h"
#include "views/CNcElemView.h"

namespace {

std::string State(CTessmarkApp& app) {
    CMainFrame* frame = app.MainFrame();
    CNcTextView* list = frame ? frame->NcList() : nullptr;
    const NcTraceEngine* trace = list ? list->Trace() : nullptr;
    auto* view = frame && !frame->ElemViews().empty()
                     ? dynamic_cast<CNcElemView*>(frame->ElemViews().front())
                     : nullptr;
    const size_t route = app.Document ? app.Document->SkipLogElements.GetCount() : 0;
    char line[400];
    std::snprintf(line, sizeof line,
                  "trace=%d row=%d type=%d x=%.3f y=%.3f kind=%d route=%zu layer=%zu torch=%d",
                  app.TraceActive, list ? list->FirstSelectedRow() : -1,
                  trace ? trace->TraceType : -1, trace ? trace->TargetX : 0.0,
                  trace ? trace->TargetY : 0.0, trace ? trace->TargetMoveKind : -1, route,
                  view ? view->Model().Layer(LayerSkipLogRoute).GetCount() : 0,
                  view ? view->TorchShown : -1);
    return line;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    InstallViewPanes();
    CTessmarkApp theApp;
    if (!theApp.InitInstance(args)) return 3;
    std::printf("ready\n");
    std::fflush(stdout);
    std::string last;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!theApp.MainFrame()) return;
        const std::string now = State(theApp);
        if (now == last) return;
        last = now;
        std::printf("%s\n", now.c_str());
        std::fflush(stdout);
    });
    watch.start(20);
    return app.exec();
}
