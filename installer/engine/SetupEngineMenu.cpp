// The setup engine's menu entries (I:), the program folder and the uninstall registration.
#include "installer/engine/DesktopEntry.h"
#include "installer/engine/FileOps.h"
#include "installer/engine/InstallerText.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupEngine.h"
#include "installer/engine/SetupFile.h"
#include "installer/engine/SetupInfo.h"
#include "platform/Paths.h"

namespace installer {

namespace fs = std::filesystem;

namespace {

// An icon file beside the target: "<target>.png", "<target>.svg", or the same with the
// target's extension replaced.
std::string IconBeside(const fs::path& target) {
    for (const char* ext : {".png", ".svg"}) {
        fs::path a = target.string() + ext;
        if (IsFileExist(a)) return a.string();
        fs::path b = target;
        b.replace_extension(ext);
        if (target.has_extension() && IsFileExist(b)) return b.string();
    }
    return {};
}

std::string WithoutSlash(std::string s) {
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

}  // namespace

int SetupEngine::CreateShortcut(const std::string& args) {
    size_t open = args.find('"');
    if (open == std::string::npos) return 1;
    size_t close = args.find('"', open + 1);
    if (close == std::string::npos) return 1;
    std::string name = args.substr(open + 1, close - open - 1);
    ExpandBraceMacros(name);
    // The fields start after the quoted name: a comma inside it belongs to the name.
    size_t c1 = args.find(',', close + 1);
    if (c1 == std::string::npos) return 1;
    std::string work = args.substr(c1 + 1);
    if (!ExpandMacros(work)) work.clear();
    size_t c2 = args.find(',', c1 + 1);
    if (c2 == std::string::npos) return 1;
    std::string rest = args.substr(c2 + 1);
    size_t to = rest.find('"');
    size_t tc = to == std::string::npos ? to : rest.find('"', to + 1);
    if (tc == std::string::npos) return 1;
    std::string target = rest.substr(to + 1, tc - to - 1);
    std::string arguments;
    if (size_t comma = target.find(','); comma != std::string::npos) {
        arguments = target.substr(comma + 1);
        target.resize(comma);
    }
    if (size_t colon = rest.find(':', tc + 1); colon != std::string::npos) {
        arguments = rest.substr(colon + 1);
        ExpandBraceMacros(arguments);
    }

    fs::path folder = CommonPrograms() / State.ProgramFolderName;
    if (!CreateFolderPath(folder.string() + "/")) return 1;
    fs::path targetPath = Resolve(Macros.Get("TARGETDIR") + target);
    DesktopEntry e;
    e.Name = name;
    e.Exec.push_back(targetPath.string());
    for (std::string& a : SplitCommandLine(arguments)) {
        // "%1", the file a Windows link passes on, is the desktop's file field code.
        if (a == "%1" && e.FileArgument < 0) e.FileArgument = static_cast<int>(e.Exec.size());
        e.Exec.push_back(std::move(a));
    }
    e.Path = work.empty() ? std::string() : WithoutSlash(Resolve(work).string());
    e.Icon = IconBeside(targetPath);
    e.Categories = State.MenuCategories;
    fs::path file = folder / (DesktopFileName(name) + ".desktop");
    if (platform::WriteFileAtomic(file, e.Text())) Record.AddFile(file);
    return 1;
}

void SetupEngine::RemoveProgramFolder(const std::string& name) {
    if (name.empty()) return;
    fs::path folder = NormalFolder(CommonPrograms() / name);
    if (Platform.IsRefusedFolder(folder)) return;
    for (const std::string& key : Record.Files()) {
        fs::path p = Record.PathOf(key);
        if (p.parent_path() != folder) continue;
        std::error_code ec;
        fs::remove(p, ec);
    }
    RemoveIfRecordedFolder(folder);
}

void SetupEngine::RegisterUninstall() {
    const std::string& src = Macros.Get("SRCDIR");
    const std::string& target = Macros.Get("TARGETDIR");
    if (target.empty()) return;
    // The setup file as it was found (its name's case may differ), kept under its own name.
    fs::path setupSource = !State.SetupFilePath.empty() && IsFileExist(State.SetupFilePath)
                               ? fs::path(State.SetupFilePath)
                               : FindNoCase(src, State.SetupFileName);
    CopyFileClearReadOnly(setupSource.string(), target + State.SetupFileName);
    // A module folder without an installer: the running one is kept instead.
    fs::path installer = fs::path(src) / State.InstallerName;
    if (!IsFileExist(installer)) installer = State.RunningInstaller;
    CopyFileClearReadOnly(installer.string(), target + State.InstallerName);

    fs::path kept = fs::path(State.TargetDir) / State.SetupFileName;
    if (IsFileExist(kept)) {
        SetupFile f(kept);
        f.Set("APPINFO", "PROGRAM_FOLDER_NAME", State.ProgramFolderName);
    }
    std::string key = std::string(kUninstallKey) + State.UninstallName;
    std::string command = "\"" + State.TargetDir + State.InstallerName + "\" /d";
    MakeKeyStoreFolder();
    Keys.SetString(kUninstallRoot, key, "DisplayName", State.UninstallName);
    Keys.SetString(kUninstallRoot, key, "UninstallString", command);

    // Linux desktops have no list of installed programs: an entry in the program folder
    // starts the uninstallation.
    fs::path folder = CommonPrograms() / State.ProgramFolderName;
    if (State.ProgramFolderName.empty() || !CreateFolderPath(folder.string() + "/")) return;
    DesktopEntry e;
    e.Name =
        InstallerMessage(msg::kUninstallTitle,
                         {State.ProductName.empty() ? State.UninstallName : State.ProductName});
    e.Exec = {State.TargetDir + State.InstallerName, "/d"};
    e.Path = WithoutSlash(State.TargetDir);
    // Beside the program's own entry: its icon and its menu sections.
    if (!State.MainProgram.empty()) e.Icon = IconBeside(State.TargetDir + State.MainProgram);
    e.Categories = State.MenuCategories;
    fs::path file = folder / ("uninstall-" + DesktopFileName(State.UninstallName) + ".desktop");
    if (platform::WriteFileAtomic(file, e.Text())) Record.AddFile(file);
}

void SetupEngine::UnregisterUninstall() {
    if (State.UninstallName.empty()) return;
    DeleteRegistryTree(kUninstallRoot, std::string(kUninstallKey) + State.UninstallName);
}

}  // namespace installer
