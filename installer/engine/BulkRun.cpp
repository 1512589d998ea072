// The bulk installation run, module by module.
#include "installer/engine/BulkRun.h"

#include "installer/engine/InstallerText.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupInfo.h"

namespace installer {

namespace fs = std::filesystem;

BulkRun::BulkRun(SetupEngine& engine, const FileSystemProbe& probe)
    : engine_(engine), state_(engine.State), probe_(probe) {
    ModuleCount = static_cast<int>(state_.Modules.size());
    for (const ModuleRecord& m : state_.Modules) ChosenCount += m.Selected ? 1 : 0;
}

bool BulkRun::TakesPart(const ComponentRecord& c) const {
    if (!state_.UpdateInstall) return c.Standard != 0;
    return c.Selected != 0 || CountAllComponents != 0;
}

void BulkRun::BeforeCommand(const ComponentRecord& c) {
    if (!state_.UpdateInstall) return;
    state_.CustomInstall = c.Selected ? 1 : 0;
    // TYPE_SELECT follows the component being run, not the previous module's last one.
    engine_.Macros.Set("TYPE_SELECT", state_.CustomInstall ? "1" : "0");
}

bool BulkRun::FolderUsable() {
    const std::string& target = state_.TargetDir;
    unsigned refusal = 0;
    // An empty APPBASE_PATH without a stored folder, or a folder that is the root or the home
    // folder itself, is never installed into.
    if (target.empty() || engine_.Platform.IsRefusedFolder(target) || target.front() != '/') {
        refusal = msg::kRootFolder;
    } else {
        switch (probe_.KindOf(target)) {
            case DriveKind::None:
                refusal = msg::kUnknownDrive;
                break;
            case DriveKind::ReadOnly:
                refusal = msg::kReadOnlyDrive;
                break;
            case DriveKind::Remote:
                refusal = msg::kUnusableDrive;
                break;
            case DriveKind::Usable:
                break;
        }
    }
    if (!refusal) return true;
    engine_.Ui().Message(msg::kModuleStops, {}, PromptButtons::Ok, PromptIcon::None,
                         target + "\n" + InstallerString(refusal) + "\n" + state_.ProductName);
    return false;
}

BulkRun::Start BulkRun::StartNextModule() {
    run_.reset();
    while (ModuleIndex < ModuleCount) {
        state_.ComponentTable.clear();
        ModuleRecord& m = state_.Modules[static_cast<size_t>(ModuleIndex)];
        CurrentModule = &m;
        auto passOver = [&] {
            ++ModulesPassed;
            ++ModuleIndex;
        };
        if (!m.Selected) {
            ++ModuleIndex;
            continue;
        }
        if (m.IsProductModule && SkipProductModules) {
            passOver();
            continue;
        }
        state_.SetupFilePath = m.SetupFilePath;
        if (!ReadModuleSetupFile(state_)) {
            passOver();
            continue;
        }
        // The module's folder settings.
        SetupFile f(m.SetupFilePath);
        FolderSpecify = f.GetInt("SETUPINFO", "BINSTALL_FOLDER_SPECIFY");
        InitTargetDir(state_, f.Get("APPINFO", "GETREG_APPBASE_PATH", readsize::kPath),
                      engine_.Keys, engine_.Platform);
        if (FolderSpecify) {
            bool asked = true;
            if (state_.UpdateInstall && m.IsMainProgram &&
                engine_.Ui().Message(msg::kBulkFolderQuestion, {state_.ProgramFolderName},
                                     PromptButtons::YesNo, PromptIcon::Question,
                                     state_.TargetDir) == PromptAnswer::Yes)
                asked = false;
            if (asked && !(AskFolder && AskFolder())) {
                if (m.IsMainProgram) SkipProductModules = 1;
                passOver();
                continue;
            }
        }
        if (!FolderUsable()) {
            passOver();
            continue;
        }
        // Only the user's own program in the folder being replaced stops the run: one that
        // runs from elsewhere or belongs to another user is no concern of this installation.
        if (IsProcessRunning(state_.ProductKey, state_.TargetDir)) {
            engine_.Ui().Message(msg::kProgramRunning, {state_.ProductKey}, PromptButtons::Ok,
                                 PromptIcon::Warning);
            return Start::RunEnded;
        }
        // Start the module.
        CountAllComponents = m.IsMainProgram;
        engine_.CurrentFolder = fs::path(state_.InstallerPath) / "Setup";
        engine_.InitMacroValues();
        run_ = std::make_unique<CommandRun>(engine_, CommandRun::Kind::Install);
        run_->TakesPart = [this](const ComponentRecord& c) { return TakesPart(c); };
        run_->BeforeCommand = [this](const ComponentRecord& c) { BeforeCommand(c); };
        run_->TotalCommands = run_->CountCommands();
        ++ModulesPassed;
        ++ModuleIndex;
        return Start::Started;
    }
    CurrentModule = nullptr;
    return Start::AllDone;
}

CommandRun::Status BulkRun::Step() {
    if (!run_ || run_->Done()) return CommandRun::Status::Finished;
    CommandRun::Status s = run_->Step();
    if (s == CommandRun::Status::Finished && CurrentModule) CurrentModule->Succeeded = 1;
    return s;
}

}  // namespace installer
