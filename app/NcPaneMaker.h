// Makers of the NC text panes for the main frame: the line list, the editor and the switch
// form wired to the frame and the application.
#pragma once

#include <functional>

class CMainFrame;
class INcPane;
class QWidget;

// The NC line list as the frame's NC pane in list mode.
INcPane* MakeNcTextView(QWidget* parent, CMainFrame* frame);
// The NC editor as the frame's NC pane in edit mode.
INcPane* MakeNcTextEdit(QWidget* parent, CMainFrame* frame);
// The Trace/Edit switch form of the frame's left splitter.
QWidget* MakeNcTextSwitch(QWidget* parent, CMainFrame* frame);
// The line list's block search for the element views (false while the editor is shown).
std::function<bool(int mode, int line, int* first, int* last, int* seq)> NcListBlockSearch(
    CMainFrame* frame);
// True while the frame swaps the NC pane (the switch form's guard), for the element views.
std::function<bool()> NcPaneSwitching(CMainFrame* frame);
