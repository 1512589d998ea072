// Folders of the user and of the program, temporary files, and extension tests.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The user's local application-data folder: $XDG_DATA_HOME when it is an absolute path, else
// ~/.local/share (home from $HOME, else from the password database). Not created here.
// Empty when no home folder can be found at all.
std::filesystem::path LocalDataFolder();

// The running executable (/proc/self/exe); nothing when it cannot be read.
std::optional<std::filesystem::path> ExecutablePath();
// The folder of the running executable, without a trailing separator; empty when unknown.
std::filesystem::path ProgramFolder();

// True when file does not exist, or exists and may be replaced: the process may write it and
// its mode has a write bit (a read-only file stays read-only, also for the super-user).
bool MayReplaceFile(const std::filesystem::path& file);

// The file that a write of file replaces: the file a symbolic link names (also through further
// links; it need not exist yet), else file itself. A write through a link keeps the link.
std::filesystem::path FileToReplace(const std::filesystem::path& file);

// Writes bytes as the whole file through a temporary file in its folder and a rename, so that
// readers see either the old or the whole new file (data flushed before the rename, the folder
// after it: see DiskSyncCalls). Writes through a symbolic link to the file it names; keeps the
// file's permissions (a new file gets 0666 less the umask) and refuses a file that may not be
// replaced (MayReplaceFile). False on any error; the old file is then untouched.
bool WriteFileAtomic(const std::filesystem::path& file, std::string_view bytes);

// The calls that put an atomic write on disk in order: the data is flushed before the rename
// and the folder after it, so that after a crash the file is either the old one or the whole
// new one, and a rename that was reported stays done. Each returns 0, or -1 with errno set.
// Tests put recording or failing stand-ins in place; nothing else changes them.
struct DiskSyncCalls {
    int (*syncFile)(int fd);                          // flushes an open file's data (fsync)
    int (*rename)(const char* from, const char* to);  // puts a file in place of another
    int (*syncFolder)(const char* folder);            // flushes a folder's entries
};
// The calls in force: the system's unless a test has changed them.
DiskSyncCalls& CurrentDiskSyncCalls();

// The temporary folder ($TMPDIR, else /tmp).
std::filesystem::path TempFolder();

// A new file made with mkstemp (mode 0600, never a predictable name, never an existing file),
// open for writing. It is removed when the object dies unless Commit or Keep was called.
class TempFile {
public:
    // A file "<prefix>XXXXXX<suffix>" in folder; nothing when it cannot be made.
    static std::optional<TempFile> Create(const std::filesystem::path& folder,
                                          std::string_view prefix, std::string_view suffix = {});
    // A file ".<name>.XXXXXX<suffix>" in the folder of target, named after it; when that name
    // passes the file system's limit of a name (a name near 255 bytes), the short
    // ".MorvXXXXXX<suffix>" in the same folder, so that the rename stays within one folder.
    static std::optional<TempFile> CreateBeside(const std::filesystem::path& target,
                                                std::string_view suffix = {});
    TempFile(TempFile&& other) noexcept;
    TempFile& operator=(TempFile&& other) noexcept;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();

    const std::filesystem::path& Path() const { return path_; }
    int Fd() const { return fd_; }
    // Writes all bytes (retrying short writes); false on any error.
    bool Write(std::string_view bytes);
    // Flushes to disk and closes; false on any error. Idempotent.
    bool Close();
    // Closes the file, gives it the permissions the target has (or those of a new file under
    // the process umask) and renames it over target, so that readers see either the old or
    // the whole new file; then flushes target's folder. False on any error before the rename
    // is done; the temporary file is then removed. A folder that cannot be flushed (some file
    // systems refuse) is no error: the new file is in place.
    bool CommitTo(const std::filesystem::path& target);
    // Leaves the file on disk when the object dies.
    void Keep() { keep_ = true; }

private:
    TempFile(std::filesystem::path path, int fd) : path_(std::move(path)), fd_(fd) {}
    void Discard();

    std::filesystem::path path_;
    int fd_ = -1;
    bool keep_ = false;
};

// The extension of the last path component, with its dot ("a.b/c.NC" -> ".NC"); empty when
// the name has none.
std::string ExtensionOf(std::string_view path);
// True when the extension of path equals ext, ASCII case ignored; ext with or without its
// dot ("a.NMD" has the extension "nmd" and ".nmd").
bool HasExtensionNoCase(std::string_view path, std::string_view ext);

}  // namespace platform
