// CMainFrame: DXF output of the open program and of a batch of files, the CAD program after
// it, the two external applications, the sheet file and the help pages.
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <functional>

#include "app/BatchInputFilter.h"
#include "app/CLoadingDlg.h"
#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/core/AppMessages.h"
#include "app/core/CommandIds.h"
#include "app/core/DxfBatch.h"
#include "app/core/ExternalPrograms.h"
#include "kernel/io/CDxfCtrl.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

using platform::PromptButtons;
using platform::PromptIcon;

namespace {

// A settings value as a native string (the file holds CP932 bytes).
std::string ReadSetting(const std::string& ini, const char* section, const char* key,
                        const char* def = "") {
    return platform::Cp932ToUtf8(platform::GetProfileString(section, key, def, ini));
}

void WriteSetting(const std::string& ini, const char* section, const char* key,
                  const std::string& value) {
    platform::WriteProfileString(section, key, platform::Utf8ToCp932(value).bytes, ini);
}

QStringList Words(const std::string& text) {
    return QProcess::splitCommand(QString::fromStdString(text));
}

// Settings copied from Windows name programs with ".exe"; the Linux program has no extension.
QString ProgramName(const std::string& configured) {
    QString name = QString::fromStdString(configured);
    if (name.endsWith(".exe", Qt::CaseInsensitive) && !QFileInfo::exists(name)) name.chop(4);
    return name;
}

// Started on its own, as an argument list (never through a shell); false when it cannot run.
bool StartProgram(const QString& program, const QStringList& args) {
    return !program.isEmpty() && QProcess::startDetached(program, args);
}

// Opens a local file with the desktop's program for it (the browser for a page); onFailure
// runs when that fails. xdg-open is run and watched here: QDesktopServices starts it detached
// and reports success also when it finds no program, which it then says only on the error
// output (exit codes 1 to 4). Without xdg-open the desktop services decide.
void OpenOnDesktop(const QString& file, std::function<void()> onFailure) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) onFailure();
        return;
    }
    // Owned by nobody: closing the program must not end an xdg-open that waits for the
    // browser it started.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    auto done = [process, onFailure](bool failed) {
        process->deleteLater();
        if (failed) onFailure();
    };
    QObject::connect(process, &QProcess::finished, process,
                     [done](int code, QProcess::ExitStatus status) {
                         done(status != QProcess::NormalExit || code != 0);
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [done](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) done(true);
                     });
    process->start(opener, {file});
}

// Where the DXF save question starts: the program's name with ".dxf", as the batch names its
// files, in the last output folder (beside the program until there is one).
std::string SaveQuestionStart(std::string folder, const std::string& ncPath) {
    if (const size_t slash = ncPath.rfind('/'); folder.empty() && slash != std::string::npos)
        folder = ncPath.substr(0, slash + 1);
    if (ncPath.empty()) return folder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return BatchDxfPath(folder, ncPath);
}

}  // namespace

void CMainFrame::OnOutputDxf() {
    CTessmarkDoc* doc = app_->Document.get();
    platform::UserPrompt& prompt = app_->Prompt();
    if (!doc || doc->Elements.IsEmpty()) {
        prompt.Message(AppMessage(61618), PromptIcon::Warning, PromptButtons::Ok);
        return;
    }
    const std::string& ini = app_->Paths.IniPath;
    const int execCad = platform::GetProfileInt("Dxf", "ExecCad", 0, ini);
    const std::string cadName = ReadSetting(ini, "Dxf", "CadProgramName");
    const std::string cadOption = ReadSetting(ini, "Dxf", "CadProgramOption");
    // Only 1 names the fixed file; another value would write to the folder's own name.
    const bool fixedName = platform::GetProfileInt("Dxf", "SpecifyDxfFileNameFlag", 0, ini) == 1;
    const std::string fixedPath = ReadSetting(ini, "Dxf", "SpecifyDxfFileName");
    const std::string folder = ReadSetting(ini, "Dxf", "OutDxfFilePath");

    DxfAppServices services{app_->Paths.ProgramFolder, ini, doc->GetTitle(), &prompt};
    CDxfCtrl dxf(&doc->Elements, services);
    dxf.ReadSettings();
    std::string path = fixedName ? fixedPath : SaveQuestionStart(folder, doc->GetPathName());
    if (dxf.OutputDxf(fixedName ? 1 : 0, path) != CDxfCtrl::kWritten) return;

    if (execCad &&
        !StartProgram(ProgramName(cadName), Words(cadOption) << QString::fromStdString(path)))
        prompt.Message(FillMessage(AppMessage(61633), {cadName}), PromptIcon::Warning,
                       PromptButtons::Ok);
    WriteSetting(ini, "Dxf", "OutDxfFilePath", FolderKeptAfterOutput(path));
}

void CMainFrame::OnOutputDxfBatch() {
    CTessmarkDoc* doc = app_->Document.get();
    platform::UserPrompt& prompt = app_->Prompt();
    const std::string& ini = app_->Paths.IniPath;
    const std::string before = ReadSetting(ini, "System", "BeforeOpenFileName");
    const bool fixedName = platform::GetProfileInt("Dxf", "SpecifyDxfFileNameFlag", 0, ini) == 1;
    const std::string fixedPath = ReadSetting(ini, "Dxf", "SpecifyDxfFileName");
    const std::string lastFolder = ReadSetting(ini, "Dxf", "OutDxfFilePath");

    // A document that could not be emptied (Cancel at its save question) ends the command,
    // rather than being asked about again at every file.
    if (!doc || !app_->OnFileNew()) return;
    const std::optional<std::vector<std::string>> files =
        prompt.AskFileNames(platform::LoadString(61690), platform::LoadString(61536), before);
    if (!files || files->empty()) return;

    std::string outFolder;
    if (fixedName) {
        const size_t slash = fixedPath.rfind('/');
        outFolder = slash == std::string::npos ? std::string() : fixedPath.substr(0, slash + 1);
    } else {
        std::optional<std::string> chosen =
            prompt.AskFolder(platform::LoadString(20096), lastFolder);
        if (!chosen || chosen->empty()) return;
        outFolder = *chosen;
        if (outFolder.back() != '/') outFolder += '/';
    }
    const std::string ncFolder = FolderKeptAfterOutput(files->front());

    CLoadingDlg* own = nullptr;
    if (!app_->LoadingDlg) {
        own = new CLoadingDlg(1, this);
        own->EscNote->setText(QString::fromStdString(platform::LoadString(20100)));
        own->SetMessage(QString::fromStdString(FillMessage(AppMessage(20097), {"0", "0"})));
        app_->LoadingDlg = own;
    }

    struct Effects : DxfBatchEffects {
        CMainFrame* frame;
        BatchInputFilter input;
        bool EscapePressed() override {
            // What is waiting reaches the filter now; only Escape counts.
            QCoreApplication::processEvents();
            return input.escape;
        }
        void Progress(int position, int count) override {
            if (CLoadingDlg* dlg = frame->App()->LoadingDlg)
                dlg->SetMessage(QString::fromStdString(FillMessage(
                    AppMessage(20097), {std::to_string(position), std::to_string(count)})));
        }
        bool Open(const std::string& ncPath) override {
            return frame->App()->OpenDocumentFile(ncPath);
        }
        bool HasElements() override { return !frame->App()->Document->Elements.IsEmpty(); }
        bool WriteDxf(const std::string& dxfPath) override {
            CTessmarkApp* app = frame->App();
            CTessmarkDoc* d = app->Document.get();
            CDxfCtrl dxf(&d->Elements, {app->Paths.ProgramFolder, app->Paths.IniPath, d->GetTitle(),
                                        &app->Prompt()});
            dxf.ReadSettings();
            std::string path = dxfPath;
            return dxf.OutputDxf(1, path) == CDxfCtrl::kWritten;
        }
    } effects;
    effects.frame = this;
    batchRunning_ = true;
    qApp->installEventFilter(&effects.input);
    const DxfBatchResult result = RunDxfBatch(*files, outFolder, effects);
    qApp->removeEventFilter(&effects.input);
    batchRunning_ = false;

    if (own) {
        app_->LoadingDlg = nullptr;
        delete own;
    }
    app_->OnFileNew();
    const DxfBatchReport report = MakeDxfBatchReport(result);
    prompt.MessageTitled(report.reportTitle ? platform::LoadString(20104) : std::string(),
                         report.text, report.icon, PromptButtons::Ok);
    WriteSetting(ini, "System", "BeforeOpenFileName", ncFolder);
    WriteSetting(ini, "Dxf", "OutDxfFilePath", FolderKeptAfterOutput(outFolder));
}

void CMainFrame::OnOpenSheetFile() {
    CTessmarkDoc* doc = app_->Document.get();
    if (!doc || doc->GetPathName().empty()) return;
    const std::string& ini = app_->Paths.IniPath;
    const std::string program = ReadSetting(ini, "System", "SheetProgram");
    const std::string ext = ReadSetting(ini, "System", "SheetExt", "PDF");
    const QString sheet =
        QString::fromStdString(FindExtensionIgnoringCase(SheetFilePath(doc->GetPathName(), ext)));
    bool started = false;
    if (program.empty()) {
        // The desktop's opener fails out of sight on a missing file: say so here.
        if (!QFileInfo(sheet).isFile()) {
            app_->Prompt().Message(FillMessage(AppMessage(29002), {sheet.toStdString()}),
                                   PromptIcon::Error, PromptButtons::Ok);
            return;
        }
        started = QDesktopServices::openUrl(QUrl::fromLocalFile(sheet));
    } else {
        // A command line: the program, perhaps with options, unless it names a file as it is.
        QStringList words = QFileInfo::exists(QString::fromStdString(program))
                                ? QStringList{QString::fromStdString(program)}
                                : Words(program);
        const QString name =
            words.isEmpty() ? QString() : ProgramName(words.takeFirst().toStdString());
        started = StartProgram(name, words << sheet);
    }
    if (!started) app_->Prompt().Message(AppMessage(20068), PromptIcon::Error, PromptButtons::Ok);
}

void CMainFrame::RunExternalApp(int app, const std::optional<std::string>& extraArgs,
                                const std::optional<std::string>& filePath) {
    CTessmarkDoc* doc = app_->Document.get();
    const std::string file = filePath ? *filePath : doc ? doc->GetPathName() : std::string();
    platform::UserPrompt& prompt = app_->Prompt();
    if (file.empty()) {
        prompt.Message(AppMessage(61654), PromptIcon::Warning, PromptButtons::Ok);
        return;
    }
    const std::string& ini = app_->Paths.IniPath;
    const std::string name =
        ReadSetting(ini, "OutAppli", app == 0 ? "ApplicationName" : "ApplicationName2");
    const std::string option =
        ReadSetting(ini, "OutAppli", app == 0 ? "ApplicationOption" : "ApplicationOption2");
    QStringList args = Words(option);
    if (extraArgs) args << Words(*extraArgs);
    args << QString::fromStdString(file);
    if (!StartProgram(ProgramName(name), args))
        prompt.Message(FillMessage(AppMessage(61651), {name}), PromptIcon::Warning,
                       PromptButtons::Ok);
}

void CMainFrame::OnHelpContents() {
    if (Flags.FlagsOf(cmd::HelpContents) == 0) return;
    const std::string page = app_->HelpFilePath;
    QPointer<CMainFrame> self(this);
    auto cannotOpen = [self, page] {
        if (self)
            self->app_->Prompt().Message(FillMessage(AppMessage(29400), {page}),
                                         PromptIcon::Warning, PromptButtons::Ok);
    };
    // A missing page would only fail out of sight in the desktop's opener.
    if (!QFileInfo(QString::fromStdString(page)).isFile()) {
        cannotOpen();
        return;
    }
    OpenOnDesktop(QString::fromStdString(page), cannotOpen);
}

void CMainFrame::InstallShellHandlers() {
    handlers_[cmd::OutputDxf] = [this] { OnOutputDxf(); };
    handlers_[cmd::BatchOutputDxf] = [this] { OnOutputDxfBatch(); };
    handlers_[cmd::OpenSheet] = [this] { OnOpenSheetFile(); };
    handlers_[cmd::Boot] = [this] { RunExternalApp(0, std::nullopt, std::nullopt); };
    handlers_[cmd::Boot2] = [this] { RunExternalApp(1, std::nullopt, std::nullopt); };
    // The framework's other help commands open the same pages.
    for (int id : {cmd::HelpContents, 57669, 57670, 57671})
        handlers_[id] = [this] { OnHelpContents(); };
    handlers_[cmd::Split] = [this] { OnSplit(); };
    // "EXE1=" and "EXE2=" in a loaded program's header start the external applications.
    app_->HeaderHost.RunExternalApp = [this](int app, const std::optional<std::string>& value,
                                             const std::string& ncFile) {
        std::optional<std::string> extra;
        if (value) extra = platform::Cp932ToUtf8(*value);
        RunExternalApp(app, extra, ncFile);
    };
}
