// The step machine of the installation and uninstallation runs.
#include "installer/engine/CommandRun.h"

#include "installer/engine/FileOps.h"
#include "installer/engine/FileTypes.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupInfo.h"

namespace installer {

namespace fs = std::filesystem;

namespace {

std::vector<ComponentRecord> ComponentsOf(const SetupState& s, const SetupFile& f,
                                          CommandRun::Kind kind) {
    if (kind == CommandRun::Kind::Install) return s.ComponentTable;
    // The uninstallation walks every section the setup file counts.
    std::vector<ComponentRecord> all;
    for (int n = 1, count = CountComponents(f); n <= count; ++n) {
        ComponentRecord r;
        r.Number = n;
        all.push_back(r);
    }
    return all;
}

}  // namespace

CommandRun::CommandRun(SetupEngine& engine, Kind kind)
    : engine_(engine), kind_(kind), file_(engine.State.SetupFilePath) {
    components_ = ComponentsOf(engine.State, file_, kind);
    TotalCommands = CountCommands();
}

bool CommandRun::TakesPartNow(const ComponentRecord& c) const {
    if (kind_ == Kind::Uninstall) return true;
    if (TakesPart) return TakesPart(c);
    return engine_.State.CustomInstall ? c.Selected != 0 : c.Standard != 0;
}

int CommandRun::CountKeys(int section) const {
    int n = 0;
    while (!file_.Get(InstallSection(section), KeyNumberText(n + 1), readsize::kCommand).empty())
        ++n;
    return n;
}

int CommandRun::CountCommands() const {
    int total = 0;
    for (const ComponentRecord& c : components_)
        if (TakesPartNow(c)) total += CountKeys(c.Number);
    return total;
}

bool CommandRun::NextCommand(std::string& command, const ComponentRecord** component) {
    while (componentCursor_ < components_.size()) {
        const ComponentRecord& c = components_[componentCursor_];
        if (!TakesPartNow(c)) {
            ++componentCursor_;
            keyCursor_ = 1;
            continue;
        }
        command =
            file_.Get(InstallSection(c.Number), KeyNumberText(keyCursor_), readsize::kCommand);
        if (command.empty()) {  // a gap ends the component: later keys are never read
            ++componentCursor_;
            keyCursor_ = 1;
            continue;
        }
        ++keyCursor_;
        *component = &c;
        return true;
    }
    return false;
}

CommandRun::Status CommandRun::Step() {
    if (done_) return Status::Finished;
    if (RunStep == 0) {
        RangeMax = kind_ == Kind::Install ? TotalCommands + 3 : TotalCommands;
        if (kind_ == Kind::Install) engine_.CreateFolderPath(engine_.Macros.Get("TARGETDIR"));
        return Advance();
    }
    std::string command;
    const ComponentRecord* component = nullptr;
    // With the count taken from the same table this always finds one; were it not so, the
    // run goes on to its end instead of waiting for ever.
    if (!NextCommand(command, &component)) return Finish();
    if (BeforeCommand) BeforeCommand(*component);
    int kind = SetupEngine::ParseCommand(command);
    Shown = command;
    ++CommandsRun;
    if (kind_ == Kind::Uninstall) {
        if (kind == kCopy) engine_.UndoCopyCommand(command);
        if (kind == kRegistry) engine_.UndoRegistryCommand(command);
        return Advance();
    }
    if (engine_.RunCommand(kind, command) == -1 && (kind == kCopy || kind == kExecute)) {
        if (kind == kCopy)
            engine_.Ui().Message(msg::kCopyFailed, {engine_.State.ProductName}, PromptButtons::Ok,
                                 PromptIcon::None);
        done_ = true;
        return Status::Failed;
    }
    return Advance();
}

CommandRun::Status CommandRun::Advance() {
    ++Position;
    ++RunStep;
    if (RunStep <= TotalCommands) return Status::Continue;
    return Finish();
}

CommandRun::Status CommandRun::Finish() {
    done_ = true;
    return kind_ == Kind::Install ? FinishInstall() : FinishUninstall();
}

CommandRun::Status CommandRun::FinishInstall() {
    for (unsigned k = 1;; ++k) {
        std::string command = file_.Get("TERMEXEC", KeyNumberText(k), readsize::kCommand);
        if (command.empty()) break;
        int kind = SetupEngine::ParseCommand(command);
        if (kind != kCopy && kind != kRegistry && kind != kExecute && kind != kShortcut) continue;
        if (engine_.RunCommand(kind, command) == -1 && (kind == kCopy || kind == kExecute)) {
            if (kind == kCopy)
                engine_.Ui().Message(msg::kCopyFailed, {engine_.State.ProductName},
                                     PromptButtons::Ok, PromptIcon::None);
            return Status::Failed;
        }
    }
    if (!engine_.State.UninstallName.empty()) engine_.RegisterUninstall();
    return Status::Finished;
}

CommandRun::Status CommandRun::FinishUninstall() {
    SetupState& s = engine_.State;
    for (unsigned k = 1;; ++k) {
        std::string command = file_.Get("TERMEXEC", KeyNumberText(k), readsize::kCommand);
        if (command.empty()) break;
        int kind = SetupEngine::ParseCommand(command);
        if (kind == kCopy) engine_.UndoCopyCommand(command);
        if (kind == kRegistry) engine_.UndoRegistryCommand(command);
    }
    engine_.RemoveProgramFolder(s.ProgramFolderName);
    // The two files the registration kept, and the install record.
    fs::path folder = fs::path(s.SetupFilePath).parent_path();
    std::error_code ec;
    fs::remove(folder / s.SetupFileName, ec);
    if (fs::path(s.SetupFilePath).filename() != s.SetupFileName) fs::remove(s.SetupFilePath, ec);
    fs::remove(folder / s.InstallerName, ec);
    engine_.Record.Remove();
    engine_.RemoveEmptyFolders(folder.string());
    engine_.UnregisterUninstall();
    SyncFileTypes(engine_.Keys, engine_.Platform, nullptr);
    // Last, once the key store and the menu hold nothing of it: the folders the installation
    // made outside its folder (~/.local/opt, the menu and key-store folders) go when empty.
    engine_.RemoveCreatedFolders();
    // The running copy and its private folder go when the program ends.
    fs::path running = s.InstallerPath;
    engine_.ScheduleDeleteOnReboot(running.string());
    fs::path tmp = running.parent_path();
    if (IsSameOrBelow(tmp, engine_.Platform.TempDir) &&
        tmp.filename().string().rfind("haldimon-", 0) == 0)
        engine_.ScheduleDeleteOnReboot(tmp.string());
    return Status::Finished;
}

}  // namespace installer
