// The setup engine: command parsing, folders, the key store and programs.
#include "installer/engine/SetupEngine.h"

#include <sys/stat.h>
#include <unistd.h>

#include "installer/engine/DesktopEntry.h"
#include "installer/engine/FileOps.h"
#include "installer/engine/FileTypes.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupInfo.h"
#include "platform/Numbers.h"

namespace installer {

namespace fs = std::filesystem;

SetupEngine::SetupEngine(SetupState& state, const SetupPlatform& platform, InstallerUi& ui,
                         ProcessRunner& runner)
    : State(state), Platform(platform), Keys(platform.KeyStoreDir), ui_(ui), runner_(runner) {}

void SetupEngine::InitMacroValues() {
    Macros = installer::InitMacroValues(State, Platform);
    const std::string& target = Macros.Get("TARGETDIR");
    if (!target.empty() && !State.SetupFileName.empty() &&
        (!Record.IsOpen() || NormalFolder(Record.Folder()) != NormalFolder(target)))
        Record.Open(target, State.SetupFileName + ".files");
}

int SetupEngine::ParseCommand(std::string& text) {
    static constexpr std::pair<std::string_view, int> kPrefixes[] = {
        {"MD:", kMakeDir}, {"C:", kCopy},   {"R:", kRegistry},
        {"E:", kExecute},  {"D:", kDelete}, {"I:", kShortcut}};
    for (const auto& [prefix, kind] : kPrefixes) {
        if (text.compare(0, prefix.size(), prefix) == 0) {
            text.erase(0, prefix.size());
            return kind;
        }
    }
    return kUnknownCommand;
}

int SetupEngine::RunCommand(int kind, const std::string& args) {
    switch (kind) {
        case kMakeDir:
            return MakeDirCommand(args);
        case kCopy:
            return CopyCommand(args);
        case kRegistry:
            return RegistryCommand(args);
        case kExecute:
            return ExecuteCommand(args);
        case kDelete:
            return DeleteCommand(args);
        case kShortcut:
            return CreateShortcut(args);
        default:
            return 0;
    }
}

fs::path SetupEngine::Resolve(const std::string& path) const {
    fs::path p(NormalSeparators(path));
    if (p.is_absolute() || CurrentFolder.empty()) return p;
    return CurrentFolder / p;
}

fs::path SetupEngine::CommonPrograms() const {
    if (!State.CommonProgramsFolder.empty()) return State.CommonProgramsFolder;
    return Platform.ApplicationsDir;
}

int SetupEngine::MakeDirCommand(const std::string& args) {
    std::string path = args;
    ExpandMacros(path);
    CreateFolderPath(AddBackslash(path));
    return 1;
}

int SetupEngine::CreateFolderPath(const std::string& path) {
    // The folders up to the last '/': what follows it names a file.
    std::string p = Resolve(path).string();
    size_t last = p.rfind('/');
    if (last == std::string::npos || p.front() != '/') return CreateOneFolder(AddBackslash(p));
    for (size_t i = p.find('/', 1); i != std::string::npos && i <= last; i = p.find('/', i + 1))
        if (!CreateOneFolder(p.substr(0, i + 1))) return 0;
    return 1;
}

int SetupEngine::CreateOneFolder(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    if (p == "/" || p.empty()) return p == "/" ? 1 : 0;
    fs::path folder = Resolve(p);
    std::error_code ec;
    fs::file_status st = fs::status(folder, ec);
    if (fs::is_directory(st)) return 1;
    if (fs::exists(st) || fs::is_symlink(fs::symlink_status(folder, ec))) {
        ui_.Message(msg::kFileInTheWay, {folder.string()}, PromptButtons::Ok, PromptIcon::None);
        return 0;
    }
    if (Platform.IsProtected(folder) || ::mkdir(folder.c_str(), 0755) != 0) {
        ui_.Message(msg::kFolderNotCreated, {folder.string()}, PromptButtons::Ok, PromptIcon::None);
        return 0;
    }
    Record.AddFolder(folder);
    return 1;
}

bool SetupEngine::ParseRegistry(const std::string& args, RegistryFields& out, bool wantData) {
    // Each quoted field must be followed by at least one more character.
    size_t pos = 0;
    std::string* fields[] = {&out.Root, &out.Subkey, &out.Name};
    for (int i = 0; i < 3; ++i) {
        size_t open = args.find('"', pos);
        if (open == std::string::npos) return false;
        size_t close = args.find('"', open + 1);
        if (close == std::string::npos || close + 1 >= args.size()) return false;
        *fields[i] = args.substr(open + 1, close - open - 1);
        pos = close + 1;
        if (i == 0 && !KeyStore::IsRootName(out.Root)) return false;
    }
    if (!wantData) return true;
    size_t colon = args.find(':', pos - 1);
    if (colon == std::string::npos) return false;
    out.Data = args.substr(colon + 1);
    return true;
}

int SetupEngine::RegistryCommand(const std::string& args) {
    RegistryFields f;
    if (!ParseRegistry(args, f, true)) return 1;
    ExpandBraceMacros(f.Data);
    MakeKeyStoreFolder();
    Keys.SetString(f.Root, f.Subkey, f.Name, f.Data);
    AfterClassesChange(f.Root);
    return 1;
}

int SetupEngine::UndoRegistryCommand(const std::string& args) {
    RegistryFields f;
    if (!ParseRegistry(args, f, false)) return 1;
    DeleteRegistryTree(f.Root, f.Subkey);
    return 1;
}

void SetupEngine::MakeKeyStoreFolder() {
    std::error_code ec;
    if (Keys.Folder().empty() || fs::is_directory(Keys.Folder(), ec)) return;
    CreateFolderPath(Keys.Folder().string() + "/");
}

void SetupEngine::DeleteRegistryTree(std::string_view root, std::string_view subkey) {
    Keys.DeleteTree(root, subkey);
    AfterClassesChange(root);
}

void SetupEngine::AfterClassesChange(std::string_view root) {
    if (root == "HKEY_CLASSES_ROOT")
        SyncFileTypes(Keys, Platform, Record.IsOpen() ? &Record : nullptr);
}

int SetupEngine::ExecuteCommand(const std::string& args) {
    std::string program = args;
    if (!ExpandMacros(program)) program = args.substr(0, args.find(','));
    size_t comma = args.find(',');
    if (comma == std::string::npos) return 0;
    // The parameters follow the first ':' after the comma (a ':' in the program is its own).
    std::string params;
    size_t colon = args.find(':', comma);
    if (colon != std::string::npos) params = args.substr(colon + 1);
    ExpandBraceMacros(params);
    fs::path path = Resolve(program);
    if (program.empty() || !IsFileExist(path)) {
        ui_.Message(msg::kMissingFile, {path.string()}, PromptButtons::Ok, PromptIcon::Error);
        return -1;
    }
    bool started =
        ::access(path.c_str(), X_OK) == 0
            ? runner_.RunAndWait(path.string(), SplitCommandLine(params), CurrentFolder.string())
            : runner_.OpenDocument(path.string());
    if (!started) {
        ui_.Message(msg::kRunFailed, {path.string()}, PromptButtons::Ok, PromptIcon::None);
        return -1;
    }
    return 0;
}

int SetupEngine::DeleteCommand(const std::string& args) {
    std::string path = args;
    // A token that does not expand names nothing: never delete what the raw text might name.
    if (!ExpandMacros(path)) return 1;
    int option = 0;
    if (size_t comma = args.find(','); comma != std::string::npos)
        option =
            static_cast<int>(platform::ParseLeadingInt(std::string_view(args).substr(comma + 1)));
    DeleteFiles(path, option);
    return 1;
}

void SetupEngine::ScheduleDeleteOnReboot(const std::string& path) {
    State.DeleteAtExit.push_back(path);
}

std::uint64_t SetupEngine::GetTargetFreeBytes() const {
    return FreeBytesAt(State.TargetDir);
}

}  // namespace installer
