// CNcTextView: the NC line list, the NC pane of the main frame outside edit mode. One row per
// document line with its breakpoint image, line number and text; colour classes, error marks,
// find, the row services other parts call, and the pane hand-over.
#pragma once

#include <QPointer>
#include <QString>
#include <QTableView>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "text/FindReplaceDialog.h"
#include "text/INcPane.h"
#include "text/NcTextViewContext.h"
#include "text/core/NcTextViewSettings.h"

class NcLineModel;
class NcTraceEngine;
class NcTraceRows;
class QtTracePump;
struct SmoothParams;

class CNcTextView : public QTableView, public INcPane {
    Q_OBJECT
public:
    CNcTextView(QWidget* parent, NcTextViewContext context);
    ~CNcTextView() override;

    // --- settings and state ---------------------------------------------------------------
    NcTextViewSettings Settings;
    QString FindText;  // as the user typed it
    QString ReplaceText;
    QPointer<CCustomFind> FindDlg;
    int SearchDown = 1;
    int MatchCase = 0;
    int EchoSelection = 1;  // selection changes are shown in the element views
    int PendingSelection = 0;
    int PendingRow = 0;
    int PendingTopRow = 0;

    NcLineModel* Model() const { return model_; }
    // A selection shows rows: the horizontal position stays as it is (the line numbers stay in
    // sight when the text of a long line is clicked).
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    NcTextViewContext& Context() { return ctx_; }

    // --- INcPane ----------------------------------------------------------------------------
    QWidget* Widget() override { return this; }
    bool IsEditor() const override { return false; }
    // The fill: settings, font, columns and rows from the document's current lines.
    void UpdateFromDocument() override;
    // Every view of the document updated (after the settings dialogs' OK).
    void RefreshAllViews();
    void SaveViewState(PaneHandOver& out) override;
    // Takes the hand-over block as the pending selection and applies it at once.
    void RestoreViewState(const PaneHandOver& in) override;
    // Scrolls by the wheel turn (120 per notch, three rows each).
    void DefaultMouseWheel(int delta) override;

    // --- row services -----------------------------------------------------------------------
    // select 0: *row becomes the next selected row after it (-1 none), returns 1. Otherwise
    // selects *row alone (0 when it is out of range), focuses and scrolls it a third down the
    // page. echo 0 keeps the selection from the element views until the call ends.
    int SelectLine(int select, int* row, int echo);
    // The block around row (see FindBlockRange of text/core); 1 found, 0 not.
    int FindBlockRange(int mode, int row, int* first, int* last, int* info) const;
    // The value of the row's line-number column (0 for a blank or a row out of range).
    int GetLineNumberOfRow(int row) const;
    // The selected row (-1 none), the top row, the column widths (also written to the
    // settings) and the row height; closes the find dialog.
    void SaveViewState(int* selectedRow, int* topRow, int widths[3], int* rowHeight);
    int LoadSettings();
    int FirstSelectedRow() const;
    int TopRow() const;

    // --- find -------------------------------------------------------------------------------
    void Find();
    int FindNext();
    int FindPrevious();

    // The NC-text helpers of the NC operations, under the names they call them by.
    static void AppendAxisWord(int axis, int decimals, std::string& out, double value, int feed);
    static int ScanNumberEnd(std::string_view text, int start);

    // --- NC operations (CNcTextViewOps.cpp); each does nothing while a trace is active ----
    // Check NC with the internal rules: the report dialog, and the rows' error marks.
    void CheckNcProgram();
    // Check NC with the outside checker: the document saved when the user wants it, the
    // checker run on its file, its report shown (the rows are not marked).
    void RunExternalCheck(const std::filesystem::path& checkerPath);
    // The Shift Coordinate command: the range from the selection, the dialog, the shift, the
    // list refilled.
    void ShiftCoordinate();
    // One axis word (0-4: X, Y, Z, C, A) of a line (0-based) moved by step: when the line
    // changed the list is refilled and the line selected without echo; 1. Else 0.
    int ManualMove(int axis, int line, double step);
    // The sub-program around row written to a file of its own, between the expanded header
    // and footer of [ExtractSub]: 0 written, 1 cancelled, -1 no sub-program or the file
    // cannot be written.
    int ExtractSubProgram(int row);
    // The G12-to-G08 conversion: its dialog, the run, the list refilled.
    void ConvertG08();
    // The five-axis smoothing of the parameters' line range into out (the range's new lines);
    // 1 done, 0 failed or during a trace. The document is not changed here.
    int Smooth06R(const SmoothParams& params, std::vector<std::string>& out);

    // The column-0 header click (tests call it as the header does).
    void OnHeaderClicked(int section);

    // --- trace (CNcTextViewTrace.cpp) ----------------------------------------------------------
    // The list owns the trace; it runs when the context has a trace host and a document host
    // (else these do nothing and return 0). See NcTraceEngine for each operation.
    NcTraceEngine* Trace() const { return trace_.get(); }
    int TraceStep();
    int StartTrace();
    int StopTrace();
    int CancelTrace();
    int UpdateTraceDisplay();
    int SetBreakpointOnSelection(int state);
    int SetAllBreakpoints(int state);
    // Rows that fit the viewport (at least 1).
    int RowsPerPage() const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyFont();
    void ApplyColumns();
    void ApplyPending();
    void QueueEditMode();
    int SearchFrom(int start, bool down);
    void OnSelectionChanged();
    void OnFindDialogNext();
    void OnFindDialogClosing();
    void CloseFindDialog();
    void CreateTrace();

    NcTextViewContext ctx_;
    NcLineModel* model_ = nullptr;
    int trackedColumn_ = -1;  // the column whose divider is being dragged
    // The trace and what it reaches of the list and the event loop (the engine goes first).
    std::unique_ptr<NcTraceRows> traceRows_;
    std::unique_ptr<QtTracePump> tracePump_;
    std::unique_ptr<NcTraceEngine> trace_;
};
