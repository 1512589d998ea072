// The setup engine's file commands: copies by mode, deletions and the undo of copies.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "installer/engine/FileOps.h"
#include "installer/engine/SetupEngine.h"
#include "platform/Numbers.h"

namespace installer {

namespace fs = std::filesystem;

namespace {

bool HasPattern(const std::string& name) {
    return name.find('*') != std::string::npos;
}

// Splits a path at its last '/' into the folder (with the '/', or empty) and the name.
std::pair<std::string, std::string> SplitLast(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {std::string(), path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// Reads the numbers of a C: line after the comma that follows its quoted source.
int NextNumber(const std::string& text, size_t& pos, bool& found) {
    size_t comma = text.find(',', pos);
    found = comma != std::string::npos;
    if (!found) return 1;
    long long v = platform::ParseLeadingInt(std::string_view(text).substr(comma + 1));
    pos = comma + 1;
    return v == -1 ? 1 : static_cast<int>(v);
}

// The entries name stands for in folder: the matches of a pattern, else the name itself
// when it exists.
std::vector<FolderEntry> EntriesOf(const fs::path& folder, const std::string& name) {
    if (HasPattern(name)) return ListFolder(folder, name);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(folder / name, ec))) return {};
    FolderEntry e;
    e.Name = name;
    e.IsFolder = IsRealFolder(folder / name);
    return {e};
}

// A link to a folder: never walked into.
bool IsLinkToFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(p, ec)) && fs::is_directory(fs::status(p, ec));
}

}  // namespace

int SetupEngine::CopyCommand(const std::string& args) {
    if (args.empty() || args.front() != '"') return 0;
    size_t close = args.find('"', 1);
    if (close == std::string::npos) return 0;
    std::string source = args.substr(1, close - 1);
    // The numbers start after the quoted source: a comma inside it belongs to the name.
    size_t pos = close + 1;
    bool found = false;
    int first = NextNumber(args, pos, found);
    if (!found) return 0;
    int second = NextNumber(args, pos, found);
    int third = found ? NextNumber(args, pos, found) : 1;
    return CopyFiles(source, first, second, third);
}

int SetupEngine::CopyFiles(const std::string& source, int standardMode, int, int customMode) {
    int mode = State.CustomInstall ? customMode : standardMode;
    auto [dir, name] = SplitLast(NormalSeparators(source));
    if (HasPattern(name) &&
        (mode == 2 || mode == 4 || mode == 5 || mode == 12 || mode == 14 || mode == 15))
        return 0;
    return CopyEntries(dir, name, mode, HasPattern(name));
}

int SetupEngine::CopyFolderTree(const std::string& pattern, int mode) {
    auto [dir, name] = SplitLast(NormalSeparators(pattern));
    return CopyEntries(dir, name, mode, true);
}

int SetupEngine::CopyEntries(const std::string& dir, const std::string& name, int mode,
                             bool enumerate) {
    const std::string& target = Macros.Get("TARGETDIR");
    // No copy ever lands in the root, the home folder itself or beside the source.
    if (target.empty() || Platform.IsRefusedFolder(target)) return -1;
    std::vector<FolderEntry> entries;
    if (enumerate) {
        entries = ListFolder(Resolve(dir.empty() ? "." : dir), name);
        if (entries.empty()) return 0;
    } else {
        FolderEntry e;
        e.Name = name;
        e.IsFolder = IsRealFolder(Resolve(dir + name));
        entries.push_back(e);
    }
    for (const FolderEntry& e : entries) {
        if (e.Name.empty() || e.Name.front() == '.') continue;
        if (e.IsFolder) {
            if (mode >= 10 && CopyFolderTree(dir + e.Name + "/" + name, mode) == -1) return -1;
            continue;
        }
        if (IsLinkToFolder(Resolve(dir + e.Name))) continue;
        if (CopyOne(dir + e.Name, target + dir + e.Name, mode) == -1) return -1;
    }
    return 0;
}

int SetupEngine::CopyOne(const std::string& source, const std::string& target, int mode) {
    fs::path src = Resolve(source);
    fs::path dst = Resolve(NormalSeparators(target));
    if (Platform.IsProtected(dst)) return -1;
    int rule = (mode == 1 || mode == 11)   ? 1
               : (mode == 2 || mode == 12) ? 2
               : (mode == 3 || mode == 13) ? 3
                                           : 0;
    std::error_code ec;
    bool exists = fs::exists(fs::symlink_status(dst, ec));
    bool copy = rule == 1 || (rule == 2 && !exists);
    if (rule == 3) {
        if (!exists || ::access(dst.c_str(), R_OK) != 0) {
            copy = true;  // a target that cannot be read is replaced
        } else {
            // Whole seconds of UTC: local fields misorder the repeated hour of a clock change.
            // A source without a time is tried, and its copy fails.
            auto t = ModifiedSeconds(dst);
            auto s = ModifiedSeconds(src);
            copy = !t || !s || *t < *s;
        }
    }
    if (!copy) return 0;
    CreateFolderPath(dst.string());
    return CopyFileClearReadOnly(src.string(), dst.string()) == -1 ? -1 : 0;
}

int SetupEngine::CopyFileClearReadOnly(const std::string& source, const std::string& target) {
    fs::path dst = Resolve(target);
    if (Platform.IsProtected(dst) || !CopyFileKeepTimes(Resolve(source), dst)) return -1;
    Record.AddFile(dst);
    return 1;
}

int SetupEngine::DeleteFiles(const std::string& path, int option) {
    std::string p = NormalSeparators(path);
    if (p.empty()) return 1;
    auto [dir, name] = SplitLast(p);
    fs::path folder = Resolve(dir.empty() ? "." : dir);
    if (Platform.IsRefusedFolder(folder)) return 1;
    bool pattern = HasPattern(name);
    for (const FolderEntry& e : EntriesOf(folder, name)) {
        if (pattern && e.Name.front() == '.') continue;
        fs::path full = folder / e.Name;
        if (Platform.IsProtected(full)) continue;
        std::error_code ec;
        if (e.IsFolder) {
            if (pattern && option == 10) DeleteFiles(dir + e.Name + "/" + name, 10);
            ::rmdir(full.c_str());  // only an empty folder goes
        } else {
            fs::remove(full, ec);  // a link goes as a link
        }
    }
    return 1;
}

int SetupEngine::UndoCopyCommand(const std::string& args) {
    if (args.empty() || args.front() != '"') return 1;
    size_t close = args.find('"', 1);
    if (close == std::string::npos) return 1;
    UndoCopyFiles(args.substr(1, close - 1));
    return 1;
}

void SetupEngine::UndoCopyFiles(const std::string& source) {
    const std::string& target = Macros.Get("TARGETDIR");
    auto [dir, name] = SplitLast(NormalSeparators(source));
    fs::path folder = Resolve(dir.empty() ? "." : dir);
    if (target.empty() || Platform.IsRefusedFolder(target) || Platform.IsRefusedFolder(folder))
        return;
    for (const FolderEntry& e : EntriesOf(folder, name)) {
        if (e.Name.empty() || e.Name.front() == '.') continue;
        if (e.IsFolder) {
            UndoCopyFiles(dir + e.Name + "/" + name);
            RemoveIfRecordedFolder(folder / e.Name);
            continue;
        }
        // Only what the installation put there goes: a file the user added stays.
        fs::path installed = Resolve(target + dir + e.Name);
        std::error_code ec;
        if (Record.HasFile(installed) && !Platform.IsProtected(installed))
            fs::remove(installed, ec);
    }
    RemoveIfRecordedFolder(Resolve(target + dir));
}

bool SetupEngine::RemoveIfRecordedFolder(const fs::path& folder) {
    if (!Record.HasFolder(folder) || Platform.IsRefusedFolder(folder)) return false;
    return ::rmdir(NormalFolder(folder).c_str()) == 0;
}

int SetupEngine::RemoveEmptyFolders(const std::string& folder) {
    fs::path f = Resolve(folder);
    if (Platform.IsRefusedFolder(f)) return 0;
    for (const FolderEntry& e : ListFolder(f, "*"))
        if (e.IsFolder && RemoveEmptyFolders((f / e.Name).string()) == 0) return 0;
    return RemoveIfRecordedFolder(f) ? 1 : 0;
}

void SetupEngine::RemoveCreatedFolders() {
    std::vector<std::string> folders;
    for (const std::string& key : Record.Folders())
        if (!key.empty() && key.front() == '/') folders.push_back(key);  // outside its folder
    // A folder's path is longer than its parent's: children go first.
    std::sort(folders.begin(), folders.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& f : folders)
        if (!Platform.IsRefusedFolder(f)) ::rmdir(f.c_str());  // only an empty folder goes
}

}  // namespace installer
