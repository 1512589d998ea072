// The installation folder's check, in the order of the folder page.
#include "installer/engine/FolderCheck.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

#include "installer/engine/FileOps.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupInfo.h"

namespace installer {

namespace fs = std::filesystem;

namespace {

// /proc/mounts escapes blanks and other bytes as octal "\040".
std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() &&
            std::isdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 2])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 3]))) {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The type of the mount that holds folder: the longest mount point it lies below.
std::string MountTypeOf(const fs::path& folder) {
    std::ifstream in("/proc/self/mounts");
    std::string line, best, bestType;
    while (std::getline(in, line)) {
        std::istringstream ss(line);
        std::string dev, point, type;
        if (!(ss >> dev >> point >> type)) continue;
        point = Unescape(point);
        if (IsSameOrBelow(folder, point) && point.size() >= best.size()) {
            best = point;
            bestType = type;
        }
    }
    return bestType;
}

fs::path HomeRelative(const std::string& text, const fs::path& home) {
    if (text == "~") return home;
    if (text.size() > 1 && text[0] == '~' && text[1] == '/') return home / text.substr(2);
    return text;
}

}  // namespace

DriveKind KindOfFileSystemType(const std::string& type, bool readOnly) {
    static const char* const kRemote[] = {
        "nfs",       "nfs4",  "cifs",  "smb3",       "smbfs",       "9p",    "afs",  "ceph",
        "glusterfs", "davfs", "sshfs", "fuse.sshfs", "fuse.davfs2", "tmpfs", "ramfs"};
    static const char* const kOptical[] = {"iso9660", "udf", "squashfs"};
    if (readOnly) return DriveKind::ReadOnly;
    for (const char* t : kOptical)
        if (type == t) return DriveKind::ReadOnly;
    for (const char* t : kRemote)
        if (type == t) return DriveKind::Remote;
    return DriveKind::Usable;
}

DriveKind SystemFileSystemProbe::KindOf(const fs::path& folder) const {
    fs::path f = NearestExistingFolder(folder);
    struct statvfs sv {};
    if (f.empty() || ::statvfs(f.c_str(), &sv) != 0) return DriveKind::None;
    return KindOfFileSystemType(MountTypeOf(NormalFolder(f)), (sv.f_flag & ST_RDONLY) != 0);
}

std::uint64_t SystemFileSystemProbe::FreeBytes(const fs::path& folder) const {
    return FreeBytesAt(folder);
}

FolderCheckResult CheckInstallFolder(const std::string& typed, SetupEngine& engine,
                                     const FileSystemProbe& probe, bool wholeCheck) {
    SetupState& s = engine.State;
    InstallerUi& ui = engine.Ui();
    auto refuse = [&](unsigned id) {
        ui.Message(id, {}, PromptButtons::Ok, PromptIcon::Error);
        return FolderCheckResult::Stay;
    };
    // 1. The text with its trailing '/'; an empty text is "/", the root.
    std::string text = HomeRelative(typed.substr(0, 259), engine.Platform.Home).string();
    if (text.empty() || text.back() != '/') text += '/';
    // 2. The kind of file system (where Windows asked for the drive type).
    fs::path abs = fs::path(text).is_absolute() ? fs::path(text) : fs::absolute(text);
    switch (probe.KindOf(abs)) {
        case DriveKind::None:
            return refuse(msg::kUnknownDrive);
        case DriveKind::ReadOnly:
            return refuse(msg::kReadOnlyDrive);
        case DriveKind::Remote:
            return refuse(msg::kUnusableDrive);
        case DriveKind::Usable:
            break;
    }
    // 3. Length and form; the root, the home folder and the suite's settings are refused.
    if (text.size() <= 2 || engine.Platform.IsRefusedFolder(abs)) return refuse(msg::kRootFolder);
    if (text.front() != '/') return refuse(msg::kNotFullPath);
    // 4. Creation test: the folders it makes go again (when empty), so nothing is left.
    std::vector<fs::path> made;
    for (fs::path p = NormalFolder(text); !p.empty() && p != p.parent_path(); p = p.parent_path()) {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(p, ec))) break;
        made.push_back(p);
    }
    // A test, not part of the installation: nothing of it goes into the install record.
    InstallRecord record = std::move(engine.Record);
    engine.Record = InstallRecord();
    bool created = engine.CreateFolderPath(text) != 0;
    engine.Record = std::move(record);
    for (const fs::path& p : made) ::rmdir(p.c_str());  // deepest first
    if (!created) return FolderCheckResult::Stay;
    // 5. Free space.
    std::string old = s.TargetDir;
    s.TargetDir = text;
    std::uint64_t free = probe.FreeBytes(text);
    if (free < kLowSpaceBytes &&
        ui.Message(msg::kLowSpace, {std::to_string(free >> 20)}, PromptButtons::YesNo,
                   PromptIcon::Question) != PromptAnswer::Yes) {
        s.TargetDir = old;
        return FolderCheckResult::Stay;
    }
    if (!wholeCheck) return FolderCheckResult::Accept;
    // 6, 7. The component table, then TARGETDIR once more.
    ReadComponents(s, s.SetupFilePath);
    s.TargetDir = text;
    // 8, 9. The file an update needs, and its program must not run.
    if (!s.TargetExistFile.empty()) {
        if (!IsFileExist(text + s.TargetExistFile)) {
            ui.Message(msg::kMissingFile, {s.TargetExistFile}, PromptButtons::Ok,
                       PromptIcon::Error);
            return FolderCheckResult::EndSetup;
        }
        fs::path file = text + s.TargetExistFile;
        if (IsProcessRunning(file.filename().string(), file.parent_path().string())) {
            ui.Message(msg::kProgramRunning, {s.TargetExistFile}, PromptButtons::Ok,
                       PromptIcon::Warning);
            return FolderCheckResult::EndSetup;
        }
    }
    return FolderCheckResult::Accept;
}

}  // namespace installer
