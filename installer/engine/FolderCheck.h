// The check of an installation folder the user typed: the kind of file system it lies on,
// its form, a creation test, the free space, then (single installation) the component table,
// the file that must exist and the program that must not run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "installer/engine/SetupEngine.h"

namespace installer {

// What the drive types of Windows become: the file system of the nearest existing folder.
enum class DriveKind {
    None,      // no existing folder found: message 148
    Usable,    // a local, writable file system
    ReadOnly,  // mounted read-only, or an optical disc: message 163
    Remote,    // a network or memory file system: message 164
};

class FileSystemProbe {
public:
    virtual ~FileSystemProbe() = default;
    virtual DriveKind KindOf(const std::filesystem::path& folder) const = 0;
    virtual std::uint64_t FreeBytes(const std::filesystem::path& folder) const = 0;
};

// The running system's file systems (/proc/self/mounts and statvfs).
class SystemFileSystemProbe : public FileSystemProbe {
public:
    DriveKind KindOf(const std::filesystem::path& folder) const override;
    std::uint64_t FreeBytes(const std::filesystem::path& folder) const override;
};
// The kind of a file-system type name as /proc/mounts gives it.
DriveKind KindOfFileSystemType(const std::string& type, bool readOnly);

enum class FolderCheckResult { Stay, Accept, EndSetup };

// Checks text as the new TARGETDIR. Steps 1 to 5 (kind, form, creation test, free space)
// always; with wholeCheck also the component table, TARGET_EXISTFILE and its process. Each
// refusal shows its message; "No" to the free-space question restores the old TARGETDIR.
// On Accept state.TargetDir holds the folder with its trailing '/'.
FolderCheckResult CheckInstallFolder(const std::string& text, SetupEngine& engine,
                                     const FileSystemProbe& probe, bool wholeCheck);

// 100 MiB: below it the user is asked.
inline constexpr std::uint64_t kLowSpaceBytes = 104857600;

}  // namespace installer
