// Every folder the installer touches, resolved once, so that tests can point all of them
// into a temporary tree.
#pragma once

#include <filesystem>
#include <string>

namespace installer {

struct SetupPlatform {
    std::filesystem::path Home;             // the user's home folder
    std::filesystem::path ProgramsBase;     // "{PROGRAM_FILES}": ~/.local/opt
    std::filesystem::path RelativeBase;     // base of a relative APPBASE_PATH: the home folder
    std::filesystem::path ApplicationsDir;  // "Common Programs": $XDG_DATA_HOME/applications
    std::filesystem::path MimeDir;          // $XDG_DATA_HOME/mime
    std::filesystem::path KeyStoreDir;      // $XDG_DATA_HOME/Haldimon/registry
    std::filesystem::path TempDir;          // SUPPORTDIR and the uninstaller's copy
    std::filesystem::path UserSettingsDir;  // $XDG_DATA_HOME/Morvalen: never touched
    std::string WinDir;                     // nominal WINDIR ($XDG_DATA_HOME)
    std::string WinSysDir;                  // nominal WINSYSDIR (~/.local/lib)
    std::string DiskRoot = "/";             // SRCDISK, TARGETDISK, WINDISK, WINSYSDISK

    // The folders of the running user: $HOME (else the password database), $XDG_DATA_HOME
    // (default ~/.local/share) and $TMPDIR. Also as root the user's own folders.
    static SetupPlatform FromEnvironment();
    // Every folder below root (what a test asks before it runs anything).
    static SetupPlatform Below(const std::filesystem::path& root);
    // True when every folder of the record lies inside root.
    bool AllInside(const std::filesystem::path& root) const;

    // Folders that no copy, deletion or undo walk may take as its folder: the empty path, the
    // file-system root and the home folder themselves.
    bool IsRefusedFolder(const std::filesystem::path& folder) const;
    // Paths that are never written or removed: the user's settings folder and what it holds.
    bool IsProtected(const std::filesystem::path& path) const;
};

// The path made absolute and lexically normal, without a trailing separator ("/" stays).
std::filesystem::path NormalFolder(const std::filesystem::path& p);
// True when path is base or lies below it (both normalised lexically).
bool IsSameOrBelow(const std::filesystem::path& path, const std::filesystem::path& base);

}  // namespace installer
