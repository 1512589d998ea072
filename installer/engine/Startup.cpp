// Command line, names and folders of the installer, and the uninstall launcher.
#include "installer/engine/Startup.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "installer/engine/FileOps.h"
#include "installer/engine/InstallerText.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupEngine.h"
#include "installer/engine/SetupFile.h"
#include "installer/engine/SetupInfo.h"

namespace installer {

namespace fs = std::filesystem;

std::string JoinArguments(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& a : args) {
        if (!text.empty()) text += ' ';
        text += a;
    }
    return text;
}

StartArguments ParseStartArguments(std::string_view text) {
    StartArguments a;
    if (!text.empty() && text.front() == '/') text.remove_prefix(1);
    char c = text.empty() ? '\0' : text.front();
    switch (c) {
        case 'B':
        case 'b':
            a.Mode = 1;
            break;
        case 'D':
        case 'd':
            a.Mode = 2;
            break;
        case 'X':
        case 'x':
            a.Mode = 3;
            if (text.size() > 2) a.UninstallPath = std::string(text.substr(2));
            break;
        default:
            a.Mode = 0;
    }
    return a;
}

namespace {

// Qt's options that take a value, and those that stand alone (either with one or two dashes).
constexpr std::string_view kQtValueOptions[] = {
    "-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
    "-qwindowgeometry", "-qwindowicon",        "-qwindowtitle",  "-session",
    "-style",           "-stylesheet",         "-display",       "-geometry"};
constexpr std::string_view kQtFlagOptions[] = {"-reverse", "-widgetcount", "-nograb", "-dograb",
                                               "-sync"};

template <size_t N>
bool IsOneOf(std::string_view word, const std::string_view (&list)[N]) {
    for (std::string_view w : list)
        if (w == word) return true;
    return false;
}

}  // namespace

CommandLineUse CheckCommandLine(const std::vector<std::string>& args) {
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view w = args[i];
        if (w == "--help" || w == "-h" || w == "-?" || w == "/?") return CommandLineUse::Help;
        std::string_view qt = w.substr(0, 2) == "--" ? w.substr(1) : w;
        if (IsOneOf(qt, kQtValueOptions)) {
            ++i;
            continue;
        }
        if (IsOneOf(qt, kQtFlagOptions)) continue;
        words.push_back(args[i]);
    }
    if (words.empty()) return CommandLineUse::Run;
    std::string first = words.front();
    if (first.size() == 2 && first.front() == '/') first.erase(0, 1);
    if (first.size() != 1) return CommandLineUse::Wrong;
    switch (first.front()) {
        case 'B':
        case 'b':
        case 'D':
        case 'd':
            return words.size() == 1 ? CommandLineUse::Run : CommandLineUse::Wrong;
        case 'X':
        case 'x':
            return CommandLineUse::Run;  // the path may hold blanks: every word after it
        default:
            return CommandLineUse::Wrong;
    }
}

std::string UsageText(std::string_view programName) {
    std::string name(programName);
    return InstallerMessage(msg::kUsage, {name, SetupFileNameFor(name)}) + "\n";
}

bool InitInstallerPaths(SetupState& s, const std::string& installerPath) {
    s.InstallerPath = installerPath;
    s.RunningInstaller = installerPath;
    const std::string& from = s.Mode == 3 ? s.UninstallPath : installerPath;
    size_t slash = from.rfind('/');
    if (slash == std::string::npos || slash + 1 >= from.size()) return false;
    s.InstallerName = from.substr(slash + 1);
    s.SourceFolder = from.substr(0, slash + 1);
    s.SetupFileName = SetupFileNameFor(s.InstallerName);
    fs::path found = FindNoCase(s.SourceFolder, s.SetupFileName);
    s.SetupFilePath = found.empty() ? s.SourceFolder + s.SetupFileName : found.string();
    if (s.Mode == 3) s.TargetDir = s.SourceFolder;
    return true;
}

bool RelaunchForUninstall(const SetupState& s, const SetupPlatform& platform, ProcessRunner& runner,
                          std::string* folderOut) {
    std::string tmpl = (platform.TempDir / "haldimon-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) return false;
    fs::path folder = tmpl;
    fs::path copy = folder / s.InstallerName;
    std::error_code ec;
    // A fresh folder only we can write: nobody can put a file of their own in the copy's place.
    bool ok = CopyFileKeepTimes(s.InstallerPath, copy) &&
              fs::file_size(copy, ec) == fs::file_size(s.InstallerPath, ec) && !ec &&
              ::access(copy.c_str(), X_OK) == 0 &&
              runner.StartDetached(copy.string(), {"/x", s.InstallerPath}, folder.string());
    if (!ok) {
        fs::remove_all(folder, ec);
        return false;
    }
    if (folderOut) *folderOut = folder.string();
    return true;
}

bool PrepareWizard(SetupEngine& engine, const std::string& installerPath) {
    SetupState& s = engine.State;
    // The uninstall switch without a path names no installation.
    if ((s.Mode == 3 && s.UninstallPath.empty()) || !InitInstallerPaths(s, installerPath)) {
        engine.Ui().Message(msg::kSetupFileBroken, {}, PromptButtons::Ok, PromptIcon::None);
        return false;
    }
    if (s.Mode != 1 && !ReadSetupFile(s, engine.Keys, engine.Platform, engine.Ui())) return false;
    if (s.Mode == 2) {
        if (!RelaunchForUninstall(s, engine.Platform, engine.Runner()))
            engine.Ui().Message(msg::kUninstallStartFailed, {}, PromptButtons::Ok,
                                PromptIcon::None);
        return false;
    }
    engine.CurrentFolder = s.SourceFolder;
    return true;
}

std::string WizardTitle(const SetupState& s) {
    switch (s.Mode) {
        case 1:
            return InstallerString(msg::kBulkTitle);
        case 3:
            return InstallerMessage(msg::kUninstallTitle, {s.ProgramFolderName});
        default:
            return InstallerMessage(msg::kInstallTitle, {s.ProgramFolderName, ""});
    }
}

void RunExitDeletions(SetupState& s) {
    std::error_code ec;
    for (const std::string& p : s.DeleteAtExit)
        if (!IsRealFolder(p)) fs::remove(p, ec);
    for (const std::string& p : s.DeleteAtExit)
        if (IsRealFolder(p)) ::rmdir(p.c_str());
    s.DeleteAtExit.clear();
}

}  // namespace installer
