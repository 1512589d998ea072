// The NC document's loading, storing, change check and rebuild.
#include "app/core/CTessmarkDoc.h"

#include "app/core/AppMessages.h"
#include "app/core/ApplyNcHeaderDirectives.h"
#include "app/core/CNcLog.h"
#include "app/core/FileTimes.h"
#include "app/core/NcProgramFile.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CSystemData.h"
#include "nc/read/CNcRead.h"
#include "platform/Paths.h"

namespace fs = std::filesystem;
using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

CTessmarkDoc::CTessmarkDoc() = default;
CTessmarkDoc::CTessmarkDoc(Services services) : services_(std::move(services)) {}

platform::UserPrompt* CTessmarkDoc::Prompt() const {
    return services_.Ctx ? services_.Ctx->Prompt : nullptr;
}

std::string CTessmarkDoc::GetTitle() const {
    if (pathName_.empty()) return "Untitled";
    return fs::path(pathName_).filename().string();
}

int CTessmarkDoc::OnNewDocument() {
    if (services_.BeforeLoad) services_.BeforeLoad();
    // The text the log stood for was saved or given up at the save question.
    if (services_.NcLog) services_.NcLog->ClearLog();
    Lines.clear();
    if (services_.ElementsGoing) services_.ElementsGoing();
    Elements.Empty();
    FileTime = 0;
    if (services_.SystemData) ResetSheetFrame(services_.SystemData->NcReadInfo);
    if (services_.DropEditRecords) services_.DropEditRecords();
    if (services_.AfterLoad) services_.AfterLoad();
    if (services_.Ctx) services_.Ctx->NcFileName.clear();
    pathName_.clear();
    recoveredFrom_.clear();
    IsMpf = 0;
    FileFrame = {};
    SubPrograms.clear();
    modified_ = false;
    return 1;
}

int CTessmarkDoc::Load(const std::string& path) {
    const bool ignorePercent =
        services_.SystemData && services_.SystemData->NcReadInfo.IgnorePercent != 0;
    // Read before anything is dropped: a file that cannot be read leaves the open program as
    // it was (its lines emptied under its own name, a save would have wiped the file).
    // The time is taken before the text is read: a write that comes while it is read or
    // rebuilt is a change the check offers, and one that came before is not.
    const std::int64_t readTime = GetLastWriteTime(path).value_or(0);
    auto loaded = ReadNcFile(path, ignorePercent);
    if (!loaded) return 0;
    TakeText(path, std::move(loaded->lines), std::move(loaded->frame), readTime, &*loaded);
    return 1;
}

int CTessmarkDoc::OpenRecovered(const std::string& path, std::vector<std::string> lines) {
    // The recovered text already holds the merged sub-programs; the log stays, it stands for
    // this text until it is saved. No file holds the text, so no change on disk is offered.
    TakeText(path, std::move(lines), NcFileFrame{}, 0, nullptr);
    modified_ = true;
    return 1;
}

void CTessmarkDoc::TakeText(const std::string& path, std::vector<std::string> lines,
                            NcFileFrame frame, std::int64_t fileTime, const NcLoadResult* read) {
    // The rebuild lets timers run (the loading window paints): the frame's change check must
    // not see the new name with the old file's time, nor start a reload inside this load.
    loading_ = true;
    struct LoadingEnd {
        bool& flag;
        ~LoadingEnd() { flag = false; }
    } loadingEnd{loading_};
    if (services_.BeforeLoad) services_.BeforeLoad();
    // A text read from its file replaces the one the log stood for.
    if (read && services_.NcLog) services_.NcLog->ClearLog();
    if (services_.ElementsGoing) services_.ElementsGoing();
    Elements.Empty();
    SkipLogElements.Empty();
    Lines = std::move(lines);
    FileFrame = std::move(frame);
    // Long lines are kept and saved whole; the user hears of them once.
    if (read && read->firstLongLine && Prompt())
        Prompt()->Message(
            FillMessage(AppMessage(kMsgLongLine), {std::to_string(read->firstLongLine)}),
            PromptIcon::Warning, PromptButtons::Ok);

    std::error_code ec;
    fs::path full = fs::absolute(path, ec);
    const std::string program = ec ? path : full.lexically_normal().string();
    // A recovered text gets no file name: the file it came from holds other work (newer, or
    // the file could not take the text), and a plain save must not write over it. It is still
    // read, logged and split as that program.
    pathName_ = read ? program : std::string();
    recoveredFrom_ = read ? std::string() : program;
    FileTime = fileTime;
    if (services_.Ctx) services_.Ctx->NcFileName = program;
    IsMpf = IsMpfPath(program) ? 1 : 0;
    SubPrograms.clear();
    size_t hiddenAfterLine = read ? read->hiddenAfterLine : 0;
    if (IsMpf && read) SubPrograms = MergeSubPrograms(program, Lines, &hiddenAfterLine);
    // The merged sub-programs keep the names the main program calls them by.
    if (IsMpf && !read) SubPrograms = SubProgramsInText(program, Lines);
    // Everything the list, the drawing and the checks see ends at a 0x1A byte; the bytes after
    // it are kept and saved, but the user must know that part of the file is not shown.
    if (hiddenAfterLine && Prompt())
        Prompt()->Message(
            FillMessage(AppMessage(kMsgHiddenAfterEndMark), {std::to_string(hiddenAfterLine)}),
            PromptIcon::Warning, PromptButtons::Ok);

    if (services_.Header) ApplyNcHeaderDirectives(Lines, program, *services_.Header);
    RebuildElements();
    if (services_.DropEditRecords) services_.DropEditRecords();
    if (services_.AfterLoad) services_.AfterLoad();
}

int CTessmarkDoc::OnOpenDocument(const std::string& path) {
    if (!Load(path)) return 0;
    modified_ = false;
    return 1;
}

int CTessmarkDoc::Store(const std::string& path) {
    WriteRecoveryLog();
    NcStoreOptions options;
    options.deleteBlankLines =
        services_.SystemData && services_.SystemData->DeleteBlankForSave != 0;
    options.isMpf = IsMpf != 0;
    options.frame = FileFrame;
    options.knownSubPrograms = SubPrograms;
    NcStoreResult result = WriteNcFile(path, Lines, options, Prompt());
    // A sub-program file that failed has said so itself (the main file was written).
    if (!result.mainWritten) TellCannotWrite(path);
    if (result.split && result.ok) SubPrograms = std::move(result.subPrograms);
    if (!result.droppedLines.empty() && Prompt()) {
        std::string list;
        for (size_t i = 0; i < result.droppedLines.size() && i < 10; ++i)
            list += std::to_string(result.droppedLines[i] + 1) + ": " +
                    Lines[result.droppedLines[i]] + "\n";
        if (result.droppedLines.size() > 10) list += "...\n";
        Prompt()->Message(FillMessage(AppMessage(kMsgLostLinesOnSave), {list}), PromptIcon::Warning,
                          PromptButtons::Ok);
    }
    return result.ok ? 1 : 0;
}

int CTessmarkDoc::OnSaveDocument(const std::string& path) {
    // A file the user may not write is refused whole: no backup, no sub-program file.
    if (!platform::MayReplaceFile(path)) {
        TellCannotWrite(path);
        return 0;
    }
    std::error_code ec;
    if (modified_ && services_.SystemData && services_.SystemData->CreateBackupFile &&
        fs::exists(path, ec) && !MakeBackupCopy(path)) {
        // The backup was asked for: the file is not replaced without it, and the user hears
        // why the save did not happen.
        if (Prompt())
            Prompt()->Message(
                FillMessage(AppMessage(kMsgSaveBackupFailed), {path, BackupPathFor(path).string()}),
                PromptIcon::Error, PromptButtons::Ok);
        return 0;
    }
    int ok = Store(path);
    FileTime = GetLastWriteTime(path).value_or(0);
    if (ok) {
        // The file now holds the text: the recovery log no longer stands for unsaved work.
        if (services_.NcLog) services_.NcLog->ClearLog();
        pathName_ = path;
        recoveredFrom_.clear();
        if (services_.Ctx) services_.Ctx->NcFileName = path;
        modified_ = false;
    }
    return ok;
}

void CTessmarkDoc::TellCannotWrite(const std::string& path) const {
    if (Prompt())
        Prompt()->Message(FillMessage(AppMessage(kMsgCannotWrite), {path}), PromptIcon::Error,
                          PromptButtons::Ok);
}

bool CTessmarkDoc::SaveModified() {
    if (!modified_) return true;
    auto save = [this] {
        if (services_.SaveCommand) return services_.SaveCommand();
        return !pathName_.empty() && OnSaveDocument(pathName_) == 1;
    };
    platform::UserPrompt* prompt = Prompt();
    if (CloseRequested) {
        // The close goes on whatever happens. A save that fails (and has said so) leaves the
        // text in this run's recovery log, which the next start offers, instead of losing it.
        if (prompt &&
            prompt->Message(FillMessage(AppMessage(kMsgAskSaveOnClose), {GetTitle()}),
                            PromptIcon::Warning, PromptButtons::YesNo) == PromptAnswer::Yes &&
            !save()) {
            WriteRecoveryLog();
            if (services_.NcLog) services_.NcLog->KeepLog();
        }
        return true;
    }
    if (!prompt) return true;
    switch (prompt->Message(FillMessage(AppMessage(kMsgAskSaveChanges), {GetTitle()}),
                            PromptIcon::Warning, PromptButtons::YesNoCancel)) {
        case PromptAnswer::Yes:
            return save();
        case PromptAnswer::No:
            return true;
        default:
            return false;
    }
}

bool CTessmarkDoc::FileChangedOnDisk() const {
    if (pathName_.empty() || loading_) return false;
    auto now = GetLastWriteTime(pathName_);
    return now && *now > FileTime;
}

int CTessmarkDoc::CheckFileChanged() {
    if (!FileChangedOnDisk()) return 0;
    FileTime = GetLastWriteTime(pathName_).value_or(FileTime);  // asked once per change
    platform::UserPrompt* prompt = Prompt();
    if (!prompt) return 0;
    int id = modified_ ? kMsgFileChangedModified : kMsgFileChanged;
    if (prompt->Message(FillMessage(AppMessage(id), {pathName_}), PromptIcon::Question,
                        PromptButtons::YesNo) != PromptAnswer::Yes)
        return 0;
    const std::string path = pathName_;
    if (!OnOpenDocument(path)) return 0;
    if (services_.ViewsUpdate) services_.ViewsUpdate();
    return 1;
}

int CTessmarkDoc::RebuildElements() {
    if (services_.ElementsGoing) services_.ElementsGoing();
    Elements.Empty();
    CSystemData* sd = services_.SystemData;
    CNcRead reader(services_.Ctx);
    reader.SetProgramShared(Lines, sd ? &sd->NcReadInfo : nullptr, sd ? &sd->ToolData : nullptr, 0);
    NcProgramRunner runner(reader, RunLimits);
    if (services_.Progress) {
        services_.Progress(0);
        runner.SetProgress([this](int line, int lines) {
            if (lines > 0 && line >= 0 && line < lines)
                services_.Progress(static_cast<int>(static_cast<std::int64_t>(line) * 99 / lines));
        });
    }
    LastRun = runner.Run(Elements);
    if (services_.Progress) services_.Progress(100);
    LastState = reader.State;
    ConvertFaults = reader.ConvertFaults;
    if (platform::UserPrompt* prompt = Prompt()) {
        const std::string line = std::to_string(LastRun.LastLineNo + 1);
        if (LastRun.End == NcRunnerEnd::BlockLimit)
            prompt->Message(
                FillMessage(AppMessage(kMsgBlockLimit), {std::to_string(LastRun.Blocks), line}),
                PromptIcon::Warning, PromptButtons::Ok);
        else if (LastRun.End == NcRunnerEnd::CountLimit)
            prompt->Message(FillMessage(AppMessage(kMsgCountLimit), {line}), PromptIcon::Warning,
                            PromptButtons::Ok);
        if (!ConvertFaults.empty()) {
            std::string lines;
            for (const NcConvertFault& f : ConvertFaults) {
                if (!lines.empty()) lines += ", ";
                lines += std::to_string(f.LineNo + 1);
            }
            prompt->Message(FillMessage(AppMessage(kMsgConvertFaults), {lines}),
                            PromptIcon::Warning, PromptButtons::Ok);
        }
    }
    return 1;
}

int CTessmarkDoc::WriteRecoveryLog() {
    if (!services_.NcLog) return 1;
    std::string file = services_.Ctx       ? services_.Ctx->NcFileName.string()
                       : pathName_.empty() ? recoveredFrom_
                                           : pathName_;
    return services_.NcLog->WriteLog(Lines, file);
}

int CTessmarkDoc::ReplaceLinesFromEditor(std::vector<std::string> lines) {
    Lines = std::move(lines);
    RebuildElements();
    modified_ = true;
    return 1;
}

int CTessmarkDoc::LinesChangedOutsideEditor() {
    if (services_.DropEditRecords) services_.DropEditRecords();
    return WriteRecoveryLog();
}
