// CTessmarkApp: the start-up, the settings objects and the New, Open and About commands.
#include "app/CTessmarkApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLockFile>
#include <QScreen>
#include <QSettings>

#include "app/CAboutDlg.h"
#include "app/CLoadingDlg.h"
#include "app/CMainFrame.h"
#include "app/QtUserPrompt.h"
#include "app/core/CConfigFolder.h"
#include "app/core/WindowPlacement.h"
#include "app/ipc/IpcClient.h"
#include "platform/Profile.h"
#include "platform/TextCodec.h"
#include "settings/CSetMachinePage5.h"
#include "settings/CSetMachineSheet.h"
#include "settings/DialogTemplate.h"

namespace {

CTessmarkApp* g_app = nullptr;

std::string Text(unsigned id, const char* fallback) {
    std::string s = platform::LoadString(id);
    return s.empty() ? std::string(fallback) : s;
}

// "%s" of a string-table text filled with a value taken as text, never as a format.
std::string Fill(std::string text, const std::string& value) {
    size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}

constexpr int kRecentFileCount = 4;

}  // namespace

CTessmarkApp::CTessmarkApp() : PunchTool(&Context) {
    g_app = this;
    Context.PunchTool = &PunchTool;
    Context.ConvertLocalAppPath = [this](int expand, std::string& path) {
        return Paths.ConvertLocalAppPath(expand, path);
    };
    SystemData = std::make_unique<CSystemData>(&Context);
    PunchTool.MachineFileName = [this] {
        return SystemData->NcReadInfo.MachineFilePath().string();
    };
    HeaderHost.Ctx = &Context;
    HeaderHost.SystemData = SystemData.get();
}

CTessmarkApp::~CTessmarkApp() {
    frame_.reset();
    if (g_app == this) g_app = nullptr;
}

CTessmarkApp* CTessmarkApp::Instance() {
    return g_app;
}

void CTessmarkApp::SetUpDocument() {
    CTessmarkDoc::Services s;
    s.Ctx = &Context;
    s.SystemData = SystemData.get();
    s.NcLog = &NcLog;
    s.Header = &HeaderHost;
    // A load or a new document ends a running trace, with its layers, buttons and switch.
    s.BeforeLoad = [this] {
        if (frame_) frame_->EndTraceForLoad();
        TraceActive = 0;
    };
    s.AfterLoad = [this] {
        if (frame_) frame_->ResetPivotInViews();
    };
    s.ElementsGoing = [this] {
        if (frame_) frame_->ReleaseDocumentInViews();
    };
    s.DropEditRecords = [this] {
        EditRecords.Free(0);
        EditRecords.Reset();
    };
    s.SaveCommand = [this] { return OnFileSave(); };
    s.ViewsUpdate = [this] {
        if (frame_) frame_->OnDocumentChanged();
    };
    s.Progress = [this](int percent) { ShowProgress(percent); };
    Document = std::make_unique<CTessmarkDoc>(std::move(s));
}

namespace {

std::int64_t NowMs() {
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return clock.elapsed();
}

}  // namespace

void CTessmarkApp::ShowProgress(int percent) {
    if (!frame_ || !frame_->isVisible()) return;
    const std::int64_t now = NowMs();
    if (percent == 0) {
        progressStart_ = progressShown_ = now;
        progressSetLoading_ = !Loading;
        Loading = true;
        // The text and name are in: a long program's name and line count show in the title
        // and status bar while its elements are made, not only after.
        frame_->ShowDocumentInfo();
        return;
    }
    if (percent >= 100) {
        // The end of a load's rebuild is not the end of the load: the views are brought up
        // to date after it.
        if (progressSetLoading_) Loading = false;
        progressSetLoading_ = false;
        if (progressDlg_) {
            if (LoadingDlg == progressDlg_) LoadingDlg = nullptr;
            delete progressDlg_;
            progressDlg_ = nullptr;
            frame_->activateWindow();
        }
        return;
    }
    // A tenth of a second between paints: the window stays live at little cost to the work.
    if (now - progressShown_ < 100) return;
    progressShown_ = now;
    // A rebuild that takes a while gets a loading window of its own.
    if (!LoadingDlg && now - progressStart_ >= 300) {
        progressDlg_ = new CLoadingDlg(0, frame_.get());
        LoadingDlg = progressDlg_;
    }
    if (LoadingDlg)
        LoadingDlg->SetMessage(QStringLiteral("%1 %2%")
                                   .arg(QString::fromStdString(platform::LoadString(20072)))
                                   .arg(percent));
    // Paint events and timers only: no input reaches the program while its elements are made.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool CTessmarkApp::InitInstance(const std::vector<std::string>& args,
                                const AppStartOptions& options) {
    if (options.Prompt) {
        prompt_ = options.Prompt;
    } else {
        ownPrompt_ = std::make_unique<QtUserPrompt>();
        prompt_ = ownPrompt_.get();
    }
    Context.Prompt = prompt_;
    // The program's die dialogs, before any of them can run; the machine sheet gets its punch
    // page.
    PunchDialogs.Prompt = prompt_;
    PunchTool.Dialogs = &PunchDialogs;
    CSetMachineSheet::SetPunchPageMaker(
        [](SettingsContext& ctx, QWidget* parent) { return new CSetMachinePage5(ctx, parent); });

    // Start switches, each a whole argument.
    Switches = ParseStartSwitches(args);
    InstanceNumber = Switches.InstanceNumber;
    Language = platform::ChooseLanguage(Switches.Japanese, Switches.English,
                                        platform::MessageLocaleName());
    platform::SetLanguage(Language);
    // Dialog captions and Qt's standard buttons follow the interface language.
    SyncTemplateLanguage();
    if (Switches.HasProcessMode) ProcessMode = Switches.ProcessMode;

    // Program folder.
    if (!Paths.InitProgramFolder()) {
        const std::string dir = QCoreApplication::applicationDirPath().toStdString();
        if (dir.empty()) {
            prompt_->Message(Text(61447, "Exec file name error"), platform::PromptIcon::Error,
                             platform::PromptButtons::Ok);
            return false;
        }
        Paths.SetProgramFolder(dir);
    }
    Context.ProgramFolder = Paths.ProgramFolder;
    // The help pages ship beside the program, a page per language.
    HelpFilePath = Paths.MakeProgramPath(IsJapanese() ? "help/index.ja.html" : "help/index.html");

    // Configuration folder and the move of older settings.
    {
        ConfigEnvironment env = ConfigEnvironment::FromProcess(Paths.ProgramFolder);
        env.Prompt = prompt_;
        CConfigFolder folder(std::move(env));
        SettleConfigFolder(folder, prompt_);
        Paths.SetConfigFolder(folder.ConfigFolder.string());
    }
    Context.ConfigFolder = Paths.ConfigFolder;
    Context.IniPath = Paths.IniPath;

    // Settings objects and die files.
    SystemData->Load();
    // An installation without any die file (a laser-only machine, or a first start before
    // settings were made) is not told at every start that they are missing.
    std::error_code ec;
    if (std::filesystem::exists(PunchTool.PossessedPath(), ec) ||
        std::filesystem::exists(PunchTool.ArrangementPath(), ec)) {
        PunchTool.ReadWritePossessed(1);
        PunchTool.ReadWriteArrangement(1);
    }
    SetUpDocument();

    // Single instance. The check comes before the file is opened: an instance that hands its
    // file over must not run the file's header directives (external programs) first.
    if (!SingleInstanceCheck()) return false;

    frame_ = std::make_unique<CMainFrame>(this);
    if (ownPrompt_) ownPrompt_->SetParent(frame_.get());
    Document->OnNewDocument();
    frame_->OnDocumentChanged();

    if (ProcessMode != 0 && ProcessMode != 1 && ProcessMode != 11) frame_->SetProcMode(ProcessMode);
    ApplyStartPlacement(options.ScreenSize);
    // The bars are laid out (with their button texts on a first start) before the file is
    // read: a large program's load shows the same bars as the window after it.
    if (ProcessMode == 0 || ProcessMode == 1 || ProcessMode == 11) {
        frame_->RestoreToolBars();
        frame_->RefreshToolBars();
    }
    // The file of the command line is opened in the shown window: a large program shows its
    // progress in the loading window while the window stays painted. A file that cannot be
    // opened (missing, a folder, a device) has been reported; the program runs on with an
    // empty document.
    if (!Switches.File.empty() && !OpenDocumentFile(Switches.File)) {
        Document->OnNewDocument();
        frame_->OnDocumentChanged();
    }
    frame_->ZoomFitInViews();

    // Crash recovery: only the first instance offers it.
    NcLog.Init(Paths.IniPath, CNcLog::DefaultLogFolder(Paths.ConfigFolder));
    if (!OtherInstanceRunning) {
        std::string recovered;
        std::vector<std::string> unsaved;
        NcFileSettings settings;
        settings.ignorePercent = SystemData->NcReadInfo.IgnorePercent != 0;
        settings.deleteBlankLines = SystemData->DeleteBlankForSave != 0;
        const int restored = NcLog.Recover(&recovered, *prompt_, &unsaved, settings);
        if (restored == 1 && !recovered.empty())
            OpenDocumentFile(recovered);
        else if (restored == 2 && !recovered.empty())
            OpenRecoveredText(recovered, std::move(unsaved));
    }
    frame_->UpdateCommandStates();
    // The first instance can now be found by a later one.
    if (!OtherInstanceRunning) frame_->SetInstanceMark();
    return true;
}

bool CTessmarkApp::SingleInstanceCheck() {
    // A lock file in the configuration folder marks the first instance; a crashed instance's
    // stale lock is taken over.
    instanceLock_ =
        std::make_unique<QLockFile>(QString::fromStdString(Paths.MakeConfigPath("Morvalen.lock")));
    instanceLock_->setStaleLockTime(0);
    if (instanceLock_->tryLock(0)) return true;
    instanceLock_.reset();
    if (SystemData->ForbidDuplicateApp) {
        // The first instance opens the file in its own working folder: the path goes absolute.
        FirstInstancePath.clear();
        if (!Switches.File.empty()) {
            std::error_code ec;
            const std::filesystem::path full = std::filesystem::absolute(Switches.File, ec);
            FirstInstancePath = ec ? Switches.File : full.lexically_normal().string();
        }
        // Waits while the first instance asks its questions; this instance ends whatever the
        // answer, and also when no first instance could be reached.
        HandOverToFirstInstance(InstanceNumber, FirstInstancePath);
        ProcessMode = -1;
        InstanceNumber = -1;
        return false;
    }
    OtherInstanceRunning = true;
    return true;
}

void CTessmarkApp::ApplyStartPlacement(const std::optional<QSize>& screenSize) {
    QSize screen = screenSize.value_or(QSize(1024, 768));
    if (!screenSize)
        if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->geometry().size();
    std::optional<WindowPlacementRecord> stored;
    if (ProcessMode <= 0) stored = ReadPlacement(PlacementFilePath());
    StartPlacement p = ChooseStartPlacement(ProcessMode, stored, screen.width(), screen.height());
    const bool embedded =
        ProcessMode == 2 || ProcessMode == 4 || ProcessMode == 30 || ProcessMode == 31;
    if (!embedded)
        frame_->setGeometry(p.normal.left, p.normal.top, p.normal.Width(), p.normal.Height());
    if (p.maximized)
        frame_->showMaximized();
    else
        frame_->showNormal();
}

std::string CTessmarkApp::PlacementFilePath() const {
    return Paths.MakeConfigPath(Text(61446, "Morvalen.ini"));
}

bool CTessmarkApp::OnFileNew() {
    if (!frame_ || frame_->EditMode == 1) return false;
    // A trace step under way animates the block of the old document: New waits for it.
    if (frame_->DeferUntilStepDone([this] { OnFileNew(); })) return false;
    if (!Document->SaveModified()) return false;
    Document->OnNewDocument();
    NcFileName.clear();
    frame_->OnDocumentChanged();
    return true;
}

void CTessmarkApp::OnFileOpen() {
    if (!frame_ || frame_->EditMode == 1) return;
    if (frame_->DeferUntilStepDone([this] { OnFileOpen(); })) return;
    std::string folder =
        platform::GetProfileString("System", "BeforeOpenFileName", "", Paths.IniPath);
    if (folder.size() > 259) folder.resize(259);
    std::string start = platform::Cp932ToUtf8(folder);
    std::string dir, name;
    // Until a file is chosen here, beside the open program (one named on the command line
    // sets no folder) rather than in the process's current folder.
    if (start.empty() && AppPaths::SplitPath(Document->GetPathName(), dir, name)) start = dir;
    auto chosen =
        prompt_->AskFileName(Text(61535, "open"), platform::LoadString(61536), start, false);
    if (!chosen) return;
    OpenDocumentFile(*chosen);
    if (AppPaths::SplitPath(*chosen, dir, name))
        platform::WriteProfileString("System", "BeforeOpenFileName",
                                     platform::Utf8ToCp932(dir).bytes, Paths.IniPath);
}

void CTessmarkApp::OnAppAbout() {
    CAboutDlg dlg(frame_.get());
    dlg.exec();
}

bool CTessmarkApp::OnFileSave() {
    if (Document->GetPathName().empty()) return OnFileSaveAs();
    // A failed save has told the user why.
    if (!Document->OnSaveDocument(Document->GetPathName())) return false;
    if (frame_) frame_->OnDocumentChanged();
    return true;
}

bool CTessmarkApp::OnFileSaveAs() {
    std::string start = Document->GetPathName();
    // A recovered text starts in the folder it came from; its file's name is not offered, as
    // that file holds other work.
    std::string name;
    if (start.empty()) AppPaths::SplitPath(Document->RecoveredFrom(), start, name);
    auto chosen =
        prompt_->AskFileName(Text(29017, "Save As"), platform::LoadString(61536), start, true);
    if (!chosen) return false;
    if (!Document->OnSaveDocument(*chosen)) return false;
    NcFileName = Document->GetPathName();
    AddToRecentFiles(NcFileName);
    if (frame_) frame_->OnDocumentChanged();
    return true;
}

bool CTessmarkApp::OpenDocumentFile(const std::string& path) {
    // Not while a trace step animates the old document's block: the open follows the step.
    if (frame_ && frame_->DeferUntilStepDone([this, path] { OpenDocumentFile(path); }))
        return false;
    // In edit mode (an outside driver's open) the editor's text is the document's first, so
    // the save question sees it.
    if (frame_ && !frame_->CommitEditorText()) return false;
    if (!Document->SaveModified()) return false;
    CLoadingDlg* own = nullptr;
    if (!LoadingDlg && frame_ && frame_->isVisible()) {
        own = new CLoadingDlg(0, frame_.get());
        own->SetMessage(QString::fromStdString(platform::LoadString(20072)));
        LoadingDlg = own;
        // The window and the loading window are painted before the file is read.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    Loading = true;
    const int ok = Document->OnOpenDocument(path);
    Loading = false;
    if (own) {
        LoadingDlg = nullptr;
        delete own;
        // The loading window had the focus: it goes back to the main window.
        frame_->activateWindow();
    }
    if (!ok) {
        prompt_->Message(Fill(Text(29002, "The file cannot be opened:\n%s"), path),
                         platform::PromptIcon::Error, platform::PromptButtons::Ok);
        return false;
    }
    NcFileName = Document->GetPathName();
    ConvTableName = HeaderHost.ConvTableName;
    ConvTableAskSave = HeaderHost.ConvTableAskSave;
    AddToRecentFiles(NcFileName);
    if (frame_) {
        frame_->OnDocumentChanged();
        frame_->ZoomFitInViews();
    }
    return true;
}

bool CTessmarkApp::OpenRecoveredText(const std::string& path, std::vector<std::string> lines) {
    if (frame_ && !frame_->CommitEditorText()) return false;
    if (!Document->SaveModified()) return false;
    Loading = true;
    Document->OpenRecovered(path, std::move(lines));
    Loading = false;
    NcFileName = Document->GetPathName();
    ConvTableName = HeaderHost.ConvTableName;
    ConvTableAskSave = HeaderHost.ConvTableAskSave;
    if (frame_) {
        frame_->OnDocumentChanged();
        frame_->ZoomFitInViews();
    }
    return true;
}

QStringList CTessmarkApp::RecentFiles() const {
    QSettings profile(MORVALEN_PROFILE_ORG, MORVALEN_PROFILE_APP);
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        QString f = profile.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!f.isEmpty()) files << f;
    }
    return files;
}

void CTessmarkApp::AddToRecentFiles(const std::string& path) {
    QStringList files = RecentFiles();
    const QString p = QString::fromStdString(path);
    files.removeAll(p);
    files.prepend(p);
    QSettings profile(MORVALEN_PROFILE_ORG, MORVALEN_PROFILE_APP);
    for (int i = 1; i <= kRecentFileCount; ++i)
        profile.setValue(QStringLiteral("Recent File List/File%1").arg(i),
                         i <= files.size() ? files[i - 1] : QString());
    if (frame_) frame_->RebuildRecentFileMenu();
}
