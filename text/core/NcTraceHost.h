// What the trace reaches outside itself: the application's trace flags, the frame and its
// forwarders to the element views and the information list (NcTraceHost), the rows of the NC
// line list (NcTraceRows), and the event loop that its animation serves (NcTracePump). The
// program implements them over its frame, list and Qt's event loop; tests record the calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CDtbEngine;
class CNcRead;
struct CxyzData;

class NcTraceHost {
public:
    virtual ~NcTraceHost() = default;

    // --- the application's trace flags ---------------------------------------------------------
    // TraceActive: a trace is open. RunMode: 1 run (keep stepping), 0 single step.
    // StepPending: a step was asked for and has not finished.
    virtual int& TraceActive() = 0;
    virtual int& RunMode() = 0;
    virtual int& StepPending() = 0;

    // --- the frame -----------------------------------------------------------------------------
    // The trace speed: 0 High, 1 Normal, 2 Low. Read at every pause of the animation.
    virtual int TraceTime() const = 0;
    // Queues the next step of a run (command 32802) behind the events waiting now; never a
    // direct call.
    virtual void PostNextStep() = 0;
    // Ends the "Get Sub Program" picking mode.
    virtual void EndGetSubProgMode() = 0;
    // Closes the axis-rotation dialog when it is open.
    virtual void CloseAxisRotateDlg() = 0;
    virtual void UpdateToolBarStates() = 0;
    // Enables (1) or locks (0) the list/editor switch form.
    virtual void EnableSwitchButtons(int enable) = 0;
    virtual void FocusActiveElemView() = 0;

    // --- the element views (the frame's forwarders) ----------------------------------------------
    // The current step's path moves into the traced path.
    virtual void CommitTraceStepInViews() = 0;
    // The clamp danger zones for the tool (-999: erased).
    virtual void BuildDangerZonesInViews(int toolNo) = 0;
    // The block's path in the current-step pen; the views project the elements at once.
    virtual void DrawTraceStepInViews(CDtbEngine* step) = 0;
    // Sheet offset x, y and the X word of the block (0, 0, 0: the base position).
    virtual void MoveSheetInViews(const double offset[3]) = 0;
    // Empties the trace's layers (current step, traced path, tool, moved sheet, danger zones).
    virtual void ClearTraceInViews() = 0;
    virtual void FitAspectInViews() = 0;
    virtual int HideElemTipInViews() = 0;
    // The tool outline (class 512) at its new place: the old one is erased first.
    virtual void SetToolLayerInViews(CDtbEngine* tool, int unused) = 0;
    // The torch mark moved to a followed position: stepKind is the position's type (4 for a
    // skip-log start), moveKind its mark kind (200: the opaque skip-log mark).
    virtual void MoveTorchMarkInViews(int stepKind, const CxyzData* position, int moveKind) = 0;
    // The route rebuilt from the skip log, drawn in its own layer.
    virtual void SetSkipLogRouteInViews(CDtbEngine* route) = 0;

    // --- the document's skip-log route ----------------------------------------------------------
    virtual CDtbEngine& SkipLogElements() = 0;
    virtual void SetSkipLogStart(const CxyzData& start) = 0;
    // The main window painted anew, background included.
    virtual void InvalidateFrame() = 0;
    // A warning box with an OK button (UTF-8 text). It shows once the event under way has been
    // handled: an outside driver whose request failed gets its answer first.
    virtual void ShowWarning(const std::string& text) = 0;

    // --- the information list -------------------------------------------------------------------
    // Shows the reader's position, lengths, counts and cutting time.
    virtual void ShowTraceStatus(const CNcRead& reader) = 0;
};

// The rows of the NC line list as the trace uses them. A row is a document line index.
class NcTraceRows {
public:
    virtual ~NcTraceRows() = default;
    virtual int RowCount() const = 0;
    // Rows that fit the list's page (at least 1).
    virtual int RowsPerPage() const = 0;
    // The row's NcRowParam; false when the row cannot be read.
    virtual bool ReadRowParam(int row, uint32_t& param) const = 0;
    // Writes the breakpoint state (0 none, 1 on, 2 disabled); false when it cannot be written.
    virtual bool WriteBreakpoint(int row, int state) = 0;
    // The selected rows in list order.
    virtual std::vector<int> SelectedRows() const = 0;
    // Every selected row loses its selected and focused states.
    virtual void ClearSelection() = 0;
    // Row becomes selected and focused (the others keep their states).
    virtual void SelectRow(int row) = 0;
    // The drop-highlighted (and focused) trace row; -1: none.
    virtual void SetTraceRow(int row) = 0;
    // Scrolls row into view: fully, or partly visible being enough.
    virtual void EnsureVisible(int row, bool partialOk) = 0;
    // The image of the column-0 header (1, 2 or 3).
    virtual void SetHeaderImage(int image) = 0;
};

// The event loop while a block is animated. The animation pauses and serves the waiting events
// after every point; the keys Escape and Space go to the key handler first.
class NcTracePump {
public:
    enum class Key { Escape, Space };
    // Called for Escape and Space while the animation runs; returns true when the key is
    // consumed (it goes no further).
    using KeyHandler = std::function<bool(Key)>;

    virtual ~NcTracePump() = default;
    // The animation of a block begins (keys go to handler) and ends.
    virtual void Begin(KeyHandler handler) = 0;
    virtual void End() = 0;
    // A pause of ms milliseconds (ms > 0). The window keeps painting meanwhile.
    virtual void Pause(int ms) = 0;
    // Serves the events that are waiting, without waiting for more. False when a quit request
    // came: the animation ends; the request itself still reaches the main loop.
    virtual bool Pump() = 0;
};
