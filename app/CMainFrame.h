// CMainFrame: the main window with its panes, tool bars, menus, command routing and modes.
#pragma once

#include <QMainWindow>
#include <QSize>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/FramePanes.h"
#include "app/core/CommandRules.h"
#include "app/core/DisplaySettings.h"
#include "app/core/FrameResources.h"

class CNcTextEdit;
class CNcTextView;
class CTessmarkApp;
class DdeEffects;
class DdeServer;
class NcOpsHost;
class NcTraceHost;
struct SmoothParams;
struct SettingsContext;
class Choosers;
class SettingsDialogRunner;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;

// The frame is the one object through which the panes find each other: the element views are
// reached only through its forwarders (the ...InViews operations), which act on the single view
// or on the four panes of the split view.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Reads the frame's settings from the application's system INI, then builds the panes, the
    // bars, the menus and the status bar. The application must have its folders set.
    explicit CMainFrame(CTessmarkApp* app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // --- state ------------------------------------------------------------------------------
    int ViewType = 0;    // 0 Top, 1 Front, 2 Left, 3 ISO, 4 Split by 4
    int TraceTime = 1;   // 0 High, 1 Normal, 2 Low
    int CtrlSwitch = 0;  // mouse drag: 0 Scroll, 1 Zoom
    int EdgeDisp = 0;
    int ACAxis = 0;
    int XYZAxis = 1;
    QSize InfoPaneSize{272, 155};
    QSize TextPaneSize{272, 25};
    std::array<int, 3> RotateAngles{};
    int ButtonText = 0;
    QWidget* AxisRotateDlg = nullptr;
    QWidget* SmoothDlg = nullptr;
    QWidget* ManMoveDlg = nullptr;
    int GetSubProgMode = 0;
    int EditMode = 0;
    PaneHandOver HandOver;
    int App1Configured = 0;
    int App2Configured = 0;
    std::string ToolBarTitle;   // UTF-8
    std::string ToolBarTitle2;  // UTF-8
    int OverwriteMode = 0;
    int SavedLeftWidth = -1;
    int WindowDivisionSize = 0;
    DisplayFlags Flags;

    static constexpr int kSwitchFormHeight = 65;

    // --- panes ------------------------------------------------------------------------------
    QSplitter* MainSplitter() const { return mainSplitter_; }
    QSplitter* LeftSplitter() const { return leftSplitter_; }
    QWidget* Split4() const { return split4_; }
    INcPane* NcPane() const { return ncPane_; }
    QWidget* InfoPane() const { return infoPane_; }
    QWidget* SwitchForm() const { return switchForm_; }
    // The element views in forwarding order: the four of the split view, or the single one.
    std::vector<IElemView*> ElemViews() const;
    // The single view, or the active pane of the split view (pane (1, 0), Top, when none is).
    IElemView* GetActiveElemView() const;
    void FocusActiveElemView();

    // Replaces the NC pane by the other kind (EditMode names the incoming kind). The new pane
    // is built first; when it cannot be made the old one stays and false is returned.
    bool SwapNcPane();
    // Re-creates the element views for viewType 0-4; the new views are built before the old
    // ones go. False when nothing changed.
    bool RebuildElemViews(int viewType);
    void ResizeLeftRows(int clientHeight);
    int RouteMouseWheel(unsigned keyFlags, int delta, QPoint screen);
    void EnableSwitchButtons(int enable);
    int AxisRotationProfile(int save);
    // The document's lines changed (a load, a new document): the panes show them again.
    void OnDocumentChanged();
    // The title, the line count of the status bar and the information pane's placeholder text
    // follow the document.
    void ShowDocumentInfo();

    // --- edit mode (CMainFrameEdit.cpp) -------------------------------------------------------
    // Switches the NC pane between the list and the editor: refused in process mode 11 and
    // during a trace; the switch form's guard is up while it runs and down whatever happens;
    // the editor's text goes into the document first; a progress window shows meanwhile.
    void ToggleEditMode();
    // Why the switch is refused now: process mode 11, or a trace under way. The one place that
    // decides it.
    bool EditModeSwitchRefused() const;
    // The editor, while it is the NC pane; null in list mode.
    CNcTextEdit* Editor() const;
    // Puts the editor's text into the document (the close, the outside driver, an open in
    // edit mode). 1 also when there is no editor; 0 when the text could not be committed.
    int CommitEditorText();
    // A menu of the resource file (its first pop-up), owned by the caller; null when the file
    // has no such menu.
    QMenu* CreateResourceMenu(int menuId, QWidget* parent, int popup = 0);

    // --- the element views' rotation dialog and context menu (CMainFrameViews.cpp) -------------
    // 32828: opens the rotation dialog, or closes it when it is open.
    void OnRotateView();
    // The rotation dialog's window is gone: unless the view type is "Split by 4" its angles
    // become RotateAngles and are saved; the frame forgets the dialog.
    void OnAxisRotateDlgClosed(const std::array<int, 3>& angles);
    // The open rotation dialog shows the active view's angles.
    void RefreshAxisRotateDlg();
    // The element views' context menu: menu 144, popup 0 (viewing) or 1 (tracing), at a screen
    // point; its commands come to the frame.
    void ShowElemViewMenu(int submenu, QPoint screen);

    // --- NC operations (CMainFrameNcOps.cpp) ---------------------------------------------------
    // What the NC operations reach of the document, the application and the frame.
    NcOpsHost& NcOps();
    // The NC line list while it is the NC pane; null in edit mode.
    CNcTextView* NcList() const;
    // The handlers of Check NC (32862), Shift Coordinate (32861), Manual movement (32907),
    // Get Sub Program (32863) and Convert G08 (32895).
    void OnCheckNc();
    void OnShiftCoordinate();
    void OnManualMove();
    void OnGetSubProgram();
    void OnConvertG08();
    // The manual-movement dialog's window is gone: its step is saved to the machine file, the
    // frame forgets it and refits the views.
    void OnManMoveDlgClosed();
    // A new line selection (0-based row, -1 none) from a list click or an element-view click:
    // the open manual-movement dialog takes it as its line.
    void NotifyModelessDialogs(int row);
    // Closes the smoothing and manual-movement dialogs, as Run and Step do before a trace
    // step.
    void CloseTraceDialogs();
    // 32906: the smoothing dialog opened or closed (refused in process mode 11; with
    // RERERAZOVU set, its folder must hold the library).
    void OnSmoothing();
    // The smoothing dialog's window is gone: [06R_Smoothing] written, the dialog forgotten,
    // the views refitted.
    void OnSmoothDlgClosed();
    // The smoothing the dialog's Execute asks for: the new lines computed with a progress
    // window, then put into the line range through the editor as one change (the list shown
    // again afterwards, the document committed and logged). 1 done; 0 with message 20089 when
    // the smoothing failed or the editor cannot be brought up (the text and the dialog stay);
    // 0 after the warning of a missing library, without 20089.
    int ApplySmoothing(SmoothParams* params);
    // A click on an element of document line line in an element view: in the "Get Sub
    // Program" mode the sub-program holding it is extracted, else the line is selected in the
    // list (not in edit mode); then the modeless dialogs hear of it. Nothing during a trace.
    void OnElementClicked(int line);

    // --- trace (CMainFrameTrace.cpp) ------------------------------------------------------------
    // What the list's trace reaches of the application, the frame and the views.
    NcTraceHost& TraceHost();
    // Run (32801): refused while a step is pending; the smoothing and manual-move dialogs
    // close, then the first step of the run.
    void OnTraceRun();
    // Step/Pause (32798, also the outside driver's STEP and the views' Space): refused in
    // process modes 2, 4, 30 and 31 and in edit mode; during a run it only pauses (the run
    // stops after the step under way).
    void OnTraceStep();
    // The posted next step of a run (32802). A step that throws is logged, ends the run and
    // leaves nothing pending (so for Run and Step).
    void OnTraceStepNocancel();
    // Cancel (32800) as the list's CancelTrace; with no list only the "Get Sub Program" mode
    // ends.
    void OnTraceCancel();
    // A load or a new document ends the trace (the layers, the buttons and the switch form).
    void EndTraceForLoad();
    // True while a trace step runs: its animation serves events, and nothing may destroy the
    // list or empty its block meanwhile (closing, New, Open, a pane swap wait for it).
    bool TraceStepUnderWay() const { return traceStepDepth_ > 0; }
    // Queues fn to run once the step under way has returned. False (fn not taken) when no
    // step runs: the caller goes on at once.
    bool DeferUntilStepDone(std::function<void()> fn);

    // --- process modes ----------------------------------------------------------------------
    void SetProcMode(int mode);
    void ApplyModeLayout();

    // --- forwarders -------------------------------------------------------------------------
    void CommitTraceStepInViews();
    int HideElemTipInViews();
    void FitAspectInViews();
    void ClearTraceInViews();
    void ZoomFitInViews();
    void HighlightLineInViews(int lineNo);
    void BuildDangerZonesInViews(int toolNo);
    void SetSkipLogRouteInViews(CDtbEngine* route);
    void MoveTorchMarkInViews(int stepKind, const CxyzData* position, int moveKind);
    void DrawTraceStepInViews(CDtbEngine* step);
    void SetToolLayerInViews(CDtbEngine* tool, int unused);
    void MoveSheetInViews(const double offset[3]);
    void RebuildMainLayerInViews();
    void ResetPivotInViews();
    // The document is about to free its elements: the views let go of them.
    void ReleaseDocumentInViews();

    // --- tool bars, menus and commands --------------------------------------------------------
    QToolBar* Bar(int index) const { return bars_[index]; }
    QAction* Action(int command) const;
    // 0 the saved bar state was restored, 1 the first-run layout was made (also when the saved
    // state does not fit the window: see ToolBarsFit).
    int RestoreToolBars();
    // True when every shown bar has the room its buttons need (no bar squeezed into its
    // extension menu) and no floating bar lies off every screen.
    bool ToolBarsFit();
    void RefreshToolBars();
    void UpdateToolBarStates();
    // Evaluates every command's rule (and the menu greying) and applies it to the actions.
    void UpdateCommandStates();
    // The state the rules read.
    FrameState CurrentState() const;
    // Runs a command as the menus and bars do. False when the command has no handler.
    bool OnCommand(int command);
    // Registers the handler of a command (later parts of the program add theirs).
    void SetHandler(int command, std::function<void()> handler);
    bool HasHandler(int command) const { return handlers_.count(command) != 0; }
    // Saves the bar state to the per-user profile ("Control Bars", "Tool Bars" "Version" 14).
    void SaveBarState();
    // Saves the window placement into "Morvalen.ini" of the configuration folder.
    void SavePlacement();
    void RebuildRecentFileMenu();
    // The frame's context menu (menu 143): the tool-bar items. The caller owns it.
    QMenu* createPopupMenu() override;
    QLabel* StatusMessage() const { return statusMessage_; }
    QLabel* OverwritePane() const { return overwritePane_; }

    CTessmarkApp* App() const { return app_; }
    // What the settings dialogs reach of the application, filled from it now.
    SettingsContext MakeSettingsContext() const;
    // The common dialogs the settings dialogs ask through; null: Qt's own (tests script them).
    Choosers* SettingsChoosers = nullptr;
    // The dialogs of the settings commands; null: the real ones (tests put a fake here).
    SettingsDialogRunner* SettingsDialogs = nullptr;
    // The document's update of every view: the NC pane and the element views read their
    // settings again and show the document (the list's RefreshAllViews).
    void UpdateAllViews();

    // --- outside drivers and second instances (CMainFrameIpc.cpp) -----------------------------
    // Starts this instance's local server (in place of the DDE server). When the socket cannot
    // be made, "DDE Initial Error" is shown and the program runs without it; when another live
    // instance already serves the name, it runs without it silently. True when it listens.
    bool StartDdeServer();
    // Stops the server and removes the instance mark this instance set.
    void StopDdeServer();
    DdeServer* Server() const { return ddeServer_.get(); }
    // What the drivers' commands do to this frame.
    DdeEffects& DriverEffects() { return *ddeEffects_; }
    // The first instance names its socket in the instance mark (the end of its start-up).
    void SetInstanceMark();
    // A file handed over by a second instance (its instance number must be this one's): an
    // empty path or the open file changes nothing; Cancel at the save question keeps the
    // document. 1 when the file was opened.
    int OnCopyData(int instanceNumber, const std::string& path);
    // Restored, raised and activated together with its open dialog; flagged for attention when
    // the window system refuses.
    void BringToFront();
    // [System] DdeWaitTime as read at the last accepted conversation (ms).
    int DdeWaitTime = 100;
    // The trace's answers to the drivers (TRACE_COD, TRACE_PRG, OPEN and PROC_MODE 4).
    int TraceToRequest(int type, int mainProgram, int subProgram, int mainSequence, int subSequence,
                       double x, double y, int moveKind);
    void ResumeFromSkipLog();

    // --- DXF output and outside programs (CMainFrameDxf.cpp) ----------------------------------
    void OnOutputDxf();
    void OnOutputDxfBatch();
    void OnOpenSheetFile();
    // Starts external application 0 or 1 with the option's words, extraArgs' words and the
    // file (the document's when not given) as one argument. 61654 without a file, 61651 when
    // it cannot be started.
    void RunExternalApp(int app, const std::optional<std::string>& extraArgs,
                        const std::optional<std::string>& filePath);
    // F1 and the help commands: the help page in the desktop's browser unless the "Help"
    // display flags are 0; message 29400 with the page when it is missing or nothing opens it.
    void OnHelpContents();
    // A batch DXF output is under way: only Escape is taken from the input.
    bool BatchRunning() const { return batchRunning_; }

    // --- frame timer and the keyboard split (CMainFrameTimer.cpp) -----------------------------
    // The single-shot timer of the file check: armed at 0 ms when the frame becomes active.
    QTimer* FrameTimer() const { return frameTimer_; }
    // The check: with a mouse button held it runs again 1000 ms later; while a trace step runs
    // it waits for the step; else the open file's change on disk (the editor's text committed
    // first when the file changed), then the save (or question 61614) after a load-time
    // conversion table, whose converted text goes into the recovery log. Each element view
    // calls it at the end of its update after a load.
    void OnFrameTimer();
    // 57653: the divider between the left column and the views follows the arrow keys; Enter
    // keeps it, Escape puts it back.
    void OnSplit();

    // --- close and exit (CMainFrameClose.cpp) ---------------------------------------------------
    // The first step of the close: the trace ends, or the editor's text goes into the document;
    // then, in process modes 0, 1 and 11, the window placement ("Morvalen.ini"), the sizes of
    // the information and NC panes ([NcInfoView]/[NcTextView] SizeX, SizeY) and the bar state.
    // False when the editor's text could not be taken back (the close stops, the text stays).
    bool SaveLayout();
    // The last step of an accepted close: the instance mark removed and the server stopped, the
    // editor's change records freed, the smoothing and manual-movement dialogs closed, and in
    // process modes 1 and above with a single element view its [Setting for 16ILB] values.
    void SaveSettingsOnExit();
    // The editor's text changed: it goes into the recovery log once the typing pauses.
    void EditorTextChanged();
    // Writes the editor's text, when it holds changes, into the recovery log now.
    void LogEditorText();
    // The single-shot timer of that log (EditorTextChanged arms it).
    QTimer* EditorLogTimer() const { return editorLogTimer_; }

protected:
    // The close in three steps, each taken once: SaveLayout (guarded as "OnClose"), the save
    // question (Cancel keeps the program open), SaveSettingsOnExit (guarded as
    // "DestroyWindow"). An exception in a guarded step is logged and the close goes on.
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ReadSettings();
    void CreateClient();
    QWidget* CreateElemViewArea(int viewType, std::vector<IElemView*>& views);
    IElemView* MakeElemView(QWidget* parent);
    INcPane* MakeNcPane(QWidget* parent, bool editor);
    void CreateActions();
    void CreateMenus();
    void BuildMenu(const std::vector<MenuNode>& nodes, QMenu* menu, int menuPosition);
    void CreateToolBars();
    void CreateStatusBar();
    void ApplyDisplaySettings();
    void InstallHandlers();
    void InstallNcOpsHandlers();
    void InstallEditHandlers();
    void InstallTraceHandlers();
    // One step of the list's trace inside the exception guard, under functionName.
    void RunTraceStep(const char* functionName);
    void FirstRunLayout();
    void SetToolBarButtonTexts(int bar);
    void NotYetAvailable();
    // The settings commands (CMainFrameSettings.cpp).
    void InstallSettingsHandlers();
    void RunSettingsCommandNow(int command);
    static const char* SettingsCommandName(int command);
    // The modified mark of the title: the document's, or the editor's uncommitted typing.
    void ShowModifiedMark();
    void ToggleBar(int bar);
    void OnViewType(int viewType);
    void WriteMainViewInt(const char* key, int value);
    void InstallShellHandlers();

    CTessmarkApp* app_ = nullptr;
    FrameResources resources_;
    std::map<int, QAction*> actions_;
    std::map<int, std::function<void()>> handlers_;
    std::array<QToolBar*, kBarCount> bars_{};
    std::vector<int> barTables_[kBarCount];
    std::vector<BarButtonPlan> barPlans_[kBarCount];
    QMenu* fileMenu_ = nullptr;
    QAction* recentAnchor_ = nullptr;  // "History of NC Data": stands for the list when empty
    std::vector<QAction*> recentActions_;
    std::vector<std::pair<int, int>> removedFromMenu_;  // (menu position, command)
    QSplitter* mainSplitter_ = nullptr;
    QSplitter* leftSplitter_ = nullptr;
    QWidget* split4_ = nullptr;
    QWidget* infoPane_ = nullptr;
    QWidget* switchForm_ = nullptr;
    INcPane* ncPane_ = nullptr;
    std::vector<IElemView*> views_;  // single view, or the four in pane order
    IElemView* activeView_ = nullptr;
    QLabel* statusMessage_ = nullptr;
    QLabel* overwritePane_ = nullptr;
    QTimer* idleTimer_ = nullptr;
    int infoRowHeight_ = 155;  // the information pane's height, as created or dragged
    // Outside drivers, the frame timer and the batch DXF output.
    std::unique_ptr<DdeEffects> ddeEffects_;
    std::unique_ptr<DdeServer> ddeServer_;
    QString instanceMark_;  // the socket this instance named in the mark
    QTimer* frameTimer_ = nullptr;
    QTimer* editorLogTimer_ = nullptr;
    bool inFrameTimer_ = false;
    bool batchRunning_ = false;
    int traceStepDepth_ = 0;                        // trace steps under way
    std::vector<std::function<void()>> afterStep_;  // what waits for the step
    bool closeDeferred_ = false;                    // a close waits for the step
};
