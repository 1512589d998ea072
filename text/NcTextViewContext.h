// NcTextViewContext: what the NC line list, the NC editor and the switch form reach of the
// application, the document and the frame. The program fills it from the frame; tests fill it
// with fakes.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QPoint>

#include "text/core/NcTextRules.h"

class NcOpsHost;
class NcTraceHost;
class EditChangeList;
class QAction;
class QDialog;
class QMenu;
class QObject;
class QWidget;

struct NcTextViewContext {
    // The system settings file ([NcTextView], [NcElemView], [Trace]).
    std::filesystem::path IniPath;
    // The document's lines (null: no document). Read at every fill and for every row shown.
    std::function<const std::vector<std::string>*()> Lines;
    // The machine settings' text rules with AppMachineType, read at every fill.
    std::function<NcTextRules()> Rules;
    // CTessmarkApp::TraceActive.
    std::function<int()> TraceActive;
    // CMainFrame::ToggleEditMode with the switch form's guard set around it. The list queues
    // the call: the swap destroys the list.
    std::function<void()> ToggleEditMode;
    // CMainFrame::HighlightLineInViews (1-based line, 0 none).
    std::function<void(int lineNo)> HighlightLineInViews;
    // CMainFrame::NotifyModelessDialogs with the first selected row (-1 none).
    std::function<void(int row)> NotifyModelessDialogs;
    // The Space key: one trace step in step mode.
    std::function<void()> StepKey;
    // CMainFrame::RouteMouseWheel; 0 when no pane took the turn.
    std::function<int(unsigned keyFlags, int delta, QPoint screen)> RouteMouseWheel;
    // The frame's action of a command (null when it has none), for the context menu.
    std::function<QAction*(int command)> Action;
    // An information message box (UTF-8 text); unset: a QMessageBox over the given widget.
    std::function<void(const std::string& text)> Message;
    // Queued calls run in this object's thread and are dropped when it is gone (the frame);
    // null: the application object.
    QObject* Owner = nullptr;

    // --- the editor ---------------------------------------------------------------------------
    // The program's change records, which outlive the editor pane (null: the editor keeps a
    // list of its own).
    EditChangeList* ChangeRecords = nullptr;
    // Fixed phrase n (0-7): [InsertStr] String<n+1> of the machine file, CP932 bytes.
    std::function<std::string(int n)> InsertString;
    // The editor's text back into the document: the lines replaced, the elements rebuilt, the
    // document marked modified, the views' main layer rebuilt, the recovery log written.
    std::function<void(std::vector<std::string>&& lines)> CommitLines;
    // After every change of the editor's text (typing, undo, redo, replace, phrases), before
    // it is committed: where the crash-recovery log can follow the typing.
    std::function<void()> TextChanged;
    // A context menu of the frame's menu resource (162 for the editor) owned by the caller;
    // null when there is none.
    std::function<QMenu*(int menuId, QWidget* parent)> PopupMenu;
    // The document and application as the NC operations reach them (null: they do nothing).
    NcOpsHost* Ops = nullptr;
    // The application's trace flags, the frame and its views as the trace reaches them; the
    // trace reads the document through Ops (either null: the list has no trace).
    NcTraceHost* Trace = nullptr;
    // The document's update of every view (the NC pane and the element views read their
    // settings again and show the document); unset: the list updates itself.
    std::function<void()> UpdateAllViews;
    // Runs a modal dialog of the NC operations and returns its result; unset: exec(). The
    // program runs them where every modal dialog runs; tests answer them here.
    std::function<int(QDialog& dialog)> RunModal;
};

// The context's RunModal, or dialog.exec().
int RunModalDialog(const NcTextViewContext& ctx, QDialog& dialog);

// Runs fn after the current event handler has returned, in the context's owner (a pane swap
// destroys the pane whose handler asked for it).
void QueueInOwner(const NcTextViewContext& ctx, std::function<void()> fn);
