// CTessmarkApp: the application object: start-up, settings objects, folders, New/Open/About.
#pragma once

#include <QObject>
#include <QSize>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/core/AppPaths.h"
#include "app/core/ApplyNcHeaderDirectives.h"
#include "app/core/CNcLog.h"
#include "app/core/CTessmarkDoc.h"
#include "app/core/StartSwitches.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/CSystemData.h"
#include "platform/StringTable.h"
#include "settings/DieDialogs.h"
#include "text/core/EditChangeRecords.h"

class CLoadingDlg;
class CMainFrame;
class QLockFile;
class QtUserPrompt;

// What a start-up may be given besides the arguments.
struct AppStartOptions {
    // Questions go here instead of message boxes (tests script them).
    platform::UserPrompt* Prompt = nullptr;
    // The screen size the first-start placement is computed from; the primary screen's when
    // not given.
    std::optional<QSize> ScreenSize;
};

// One instance lives while the program runs (tests make one per case, one at a time). Made
// after the QApplication; InitInstance runs the start-up.
class CTessmarkApp : public QObject {
    Q_OBJECT
public:
    CTessmarkApp();
    ~CTessmarkApp() override;
    CTessmarkApp(const CTessmarkApp&) = delete;
    CTessmarkApp& operator=(const CTessmarkApp&) = delete;

    // The running application object (null before one is made).
    static CTessmarkApp* Instance();

    // The start-up with the arguments after the program name. False when the program must end
    // (no program folder, a file on the command line that cannot be opened, or a second
    // instance that handed its file over).
    bool InitInstance(const std::vector<std::string>& args, const AppStartOptions& options = {});

    // --- members ----------------------------------------------------------------------------
    NcAppContext Context;  // what the machine data, the reader and the document reach
    AppPaths Paths;        // ProgramFolder, ConfigFolder, IniPath
    std::unique_ptr<CSystemData> SystemData;
    CPunchTool PunchTool;
    // The die dialogs the die-data drivers of PunchTool run.
    DieDialogs PunchDialogs;
    std::string NcFileName;  // the document's file, empty for a new one
    int TraceActive = 0;
    int RunMode = 0;
    int StepPending = 0;
    int InstanceNumber = 0;
    int ProcessMode = 0;
    std::string ConvTableName;
    int ConvTableAskSave = 0;
    CNcLog NcLog;
    CLoadingDlg* LoadingDlg = nullptr;
    // True while a file is opened or the elements are rebuilt: the window paints meanwhile,
    // but nothing may close it.
    bool Loading = false;
    NcHeaderHost HeaderHost;
    std::unique_ptr<CTessmarkDoc> Document;
    // The NC editor's change records: one list for the program, outliving the editor pane.
    EditChangeList EditRecords;
    StartSwitches Switches;
    platform::Language Language = platform::Language::English;
    bool OtherInstanceRunning = false;
    std::string FirstInstancePath;  // what this instance hands to the first one
    std::string HelpFilePath;

    CMainFrame* MainFrame() const { return frame_.get(); }
    platform::UserPrompt& Prompt() const { return *prompt_; }
    bool IsJapanese() const { return Language == platform::Language::Japanese; }

    // --- commands ---------------------------------------------------------------------------
    // Both do nothing in edit mode. New: true when the document was emptied (false in edit
    // mode or when the save question was cancelled).
    bool OnFileNew();
    void OnFileOpen();
    void OnAppAbout();
    // The framework's save commands: Save asks for a name when the document has none. True
    // when the file was written; the document tells why a save failed.
    bool OnFileSave();
    bool OnFileSaveAs();
    // Opens a file into the document after asking to save a modified one; shows 29002 when
    // the file cannot be read. False when nothing was opened; during a trace step the open
    // waits for the step (false now, the open follows).
    // New and Open wait for a trace step in the same way.
    bool OpenDocumentFile(const std::string& path);
    // Takes a recovered text that could not be written back to its file as a new document
    // without a file name, marked modified (CTessmarkDoc::OpenRecovered): Save asks where.
    // False when the save question of the document it replaces was cancelled.
    bool OpenRecoveredText(const std::string& path, std::vector<std::string> lines);

    // --- per-user profile ("Holbrine") --------------------------------------------------------
    // The recent-file list, newest first, at most four entries.
    QStringList RecentFiles() const;
    void AddToRecentFiles(const std::string& path);
    // The placement file "Morvalen.ini" in the configuration folder.
    std::string PlacementFilePath() const;

private:
    void SetUpDocument();
    // The document's progress: the loading window's text, and the window painted now and then.
    void ShowProgress(int percent);
    bool SingleInstanceCheck();
    void ApplyStartPlacement(const std::optional<QSize>& screen);

    std::unique_ptr<QtUserPrompt> ownPrompt_;
    platform::UserPrompt* prompt_ = nullptr;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<QLockFile> instanceLock_;
    // The loading window ShowProgress opened for a long rebuild (not one a caller opened).
    CLoadingDlg* progressDlg_ = nullptr;
    std::int64_t progressStart_ = 0;  // ms of the monotonic clock when the work began
    std::int64_t progressShown_ = 0;  // ms when the window was last painted
    // The rebuild's start set Loading (no file load had): its end clears it again.
    bool progressSetLoading_ = false;
};

// The per-user profile of the program (recent files, tool-bar state): QSettings under
// "Holbrine".
#define MORVALEN_PROFILE_ORG "Holbrine"
#define MORVALEN_PROFILE_APP "Morvalen"
