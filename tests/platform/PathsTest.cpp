// Tests of the user and program folders, temporary files and extension tests.
#include "platform/Paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "EnvVar.h"
#include "TempDir.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {
std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

TEST(Paths, LocalDataFolderFollowsXdg) {
    struct Case {
        const char* xdg;
        const char* home;
        std::string expected;
    } cases[] = {
        {"/data/xdg", "/home/u", "/data/xdg"},
        {nullptr, "/home/u", "/home/u/.local/share"},
        {"", "/home/u", "/home/u/.local/share"},
        {"relative/dir", "/home/u", "/home/u/.local/share"},  // XDG ignores relative values
    };
    for (const Case& c : cases) {
        test::EnvVar xdg("XDG_DATA_HOME", c.xdg);
        test::EnvVar home("HOME", c.home);
        EXPECT_EQ(LocalDataFolder(), fs::path(c.expected));
    }
}

TEST(Paths, ProgramFolderIsFolderOfTestProgram) {
    auto exe = ExecutablePath();
    ASSERT_TRUE(exe);
    EXPECT_TRUE(fs::is_regular_file(*exe));
    EXPECT_EQ(ProgramFolder(), exe->parent_path());
    EXPECT_EQ(fs::weakly_canonical(ProgramFolder()),
              fs::weakly_canonical(fs::path(MORVALEN_BINARY_DIR) / "bin"));
}

TEST(Paths, TempFileIsUniquePrivateAndRemoved) {
    fs::path kept;
    {
        auto a = TempFile::Create(TempFolder(), "mvtest", ".tmp");
        auto b = TempFile::Create(TempFolder(), "mvtest", ".tmp");
        ASSERT_TRUE(a && b);
        EXPECT_NE(a->Path(), b->Path());
        EXPECT_EQ(a->Path().extension(), ".tmp");
        EXPECT_EQ(a->Path().filename().string().rfind("mvtest", 0), 0u);
        struct stat st;
        ASSERT_EQ(stat(a->Path().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);
        EXPECT_TRUE(a->Write("abc"));
        kept = a->Path();
        b->Keep();
        fs::remove(b->Path());
    }
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_FALSE(TempFile::Create("/nonexistent-folder-mv", "x"));
}

TEST(Paths, CommitReplacesTargetWhole) {
    const test::TempDir scratch;
    fs::path dir = scratch.path() / "mv_commit";
    fs::create_directories(dir);
    fs::path target = dir / "a.dat";
    std::ofstream(target) << "old";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    auto t = TempFile::Create(dir, ".a.dat.");
    ASSERT_TRUE(t);
    ASSERT_TRUE(t->Write("new\r\ntext"));
    EXPECT_TRUE(t->CommitTo(target));
    EXPECT_EQ(ReadAll(target), "new\r\ntext");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    // A failed rename (target is a folder) leaves no temporary file behind.
    fs::create_directories(dir / "sub");
    fs::create_directories(dir / "sub" / "x");
    auto u = TempFile::Create(dir / "sub", "t");
    ASSERT_TRUE(u);
    fs::path temp = u->Path();
    EXPECT_FALSE(u->CommitTo(dir / "sub" / "x"));
    EXPECT_FALSE(fs::exists(temp));

    // Beside a target: named after it, or short where the target's name leaves no room; always
    // in the target's folder, hidden, and with the suffix.
    const std::string longest(251, 'n');
    for (const std::string& name : {std::string("a.dat"), longest + ".dxf"}) {
        auto b = TempFile::CreateBeside(dir / name, ".tmp");
        ASSERT_TRUE(b) << name.size();
        const std::string made = b->Path().filename().string();
        EXPECT_EQ(b->Path().parent_path(), dir);
        EXPECT_EQ(made.rfind(name.size() < 100 ? ".a.dat." : ".Morv", 0), 0u) << made;
        EXPECT_EQ(b->Path().extension(), ".tmp");
        ASSERT_TRUE(b->Write("beside"));
        EXPECT_TRUE(b->CommitTo(dir / name));
        EXPECT_EQ(ReadAll(dir / name), "beside");
    }
    EXPECT_FALSE(TempFile::CreateBeside(dir / "none" / "a.dat"));
    fs::remove_all(dir);
}

// A read-only file is refused, also for the super-user; a writable one keeps its mode.
TEST(Paths, WriteFileAtomicRefusesReadOnlyFilesAndKeepsModes) {
    const test::TempDir scratch;
    fs::path dir = scratch.path() / "mv_readonly";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::perms ro = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const fs::perms rw = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    std::ofstream(dir / "ro.nc") << "old";
    fs::permissions(dir / "ro.nc", ro);
    std::ofstream(dir / "rw.nc") << "old";
    fs::permissions(dir / "rw.nc", rw);

    EXPECT_FALSE(MayReplaceFile(dir / "ro.nc"));
    EXPECT_FALSE(WriteFileAtomic(dir / "ro.nc", "new"));
    EXPECT_EQ(ReadAll(dir / "ro.nc"), "old");
    EXPECT_EQ(fs::status(dir / "ro.nc").permissions() & fs::perms::all, ro);

    EXPECT_TRUE(MayReplaceFile(dir / "rw.nc"));
    EXPECT_TRUE(WriteFileAtomic(dir / "rw.nc", "new"));
    EXPECT_EQ(ReadAll(dir / "rw.nc"), "new");
    EXPECT_EQ(fs::status(dir / "rw.nc").permissions() & fs::perms::all, rw);

    EXPECT_TRUE(MayReplaceFile(dir / "new.nc"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    fs::remove_all(dir);
}

// A link is written through: the link stays, the file it names gets the bytes and keeps its
// mode; a read-only file behind a link is refused like the file itself.
TEST(Paths, WriteFileAtomicWritesThroughLinks) {
    test::TempDir tmp;
    const fs::path dir = tmp.path();
    fs::create_directories(dir / "parts");
    const fs::perms rw = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    std::ofstream(dir / "parts" / "real.nc") << "old";
    fs::permissions(dir / "parts" / "real.nc", rw);
    fs::create_symlink("parts/real.nc", dir / "link.nc");
    fs::create_symlink("link.nc", dir / "chain.nc");

    EXPECT_EQ(FileToReplace(dir / "link.nc"), dir / "parts" / "real.nc");
    EXPECT_EQ(FileToReplace(dir / "chain.nc"), dir / "parts" / "real.nc");
    EXPECT_EQ(FileToReplace(dir / "plain.nc"), dir / "plain.nc");
    for (const char* name : {"link.nc", "chain.nc"}) {
        ASSERT_TRUE(WriteFileAtomic(dir / name, name));
        EXPECT_TRUE(fs::is_symlink(dir / name));
        EXPECT_EQ(ReadAll(dir / "parts" / "real.nc"), name);
        EXPECT_EQ(fs::status(dir / "parts" / "real.nc").permissions() & fs::perms::all, rw);
    }
    fs::permissions(dir / "parts" / "real.nc", fs::perms::owner_read);
    EXPECT_FALSE(WriteFileAtomic(dir / "link.nc", "new"));
    EXPECT_EQ(ReadAll(dir / "parts" / "real.nc"), "chain.nc");
    EXPECT_TRUE(fs::is_symlink(dir / "link.nc"));
}

namespace {

// Stands in for the disk calls of an atomic write: records each with what the target file (and,
// at the rename, the file being renamed) holds at that moment, passes it on to the system's
// call, or fails it with EIO when its name is `failing`. Restores the system's calls when it
// goes.
class DiskCallRecorder {
public:
    explicit DiskCallRecorder(fs::path target, std::string failing = {}) {
        target_ = std::move(target);
        failing_ = std::move(failing);
        log_.clear();
        saved_ = CurrentDiskSyncCalls();
        CurrentDiskSyncCalls() = {SyncFile, Rename, SyncFolder};
    }
    ~DiskCallRecorder() { CurrentDiskSyncCalls() = saved_; }
    const std::vector<std::string>& Log() const { return log_; }

private:
    static std::string Target() { return fs::exists(target_) ? ReadAll(target_) : "<none>"; }
    static bool Fails(const char* name) {
        if (failing_ != name) return false;
        errno = EIO;
        return true;
    }
    static int SyncFile(int fd) {
        log_.push_back("sync file; target " + Target());
        return Fails("sync file") ? -1 : saved_.syncFile(fd);
    }
    static int Rename(const char* from, const char* to) {
        log_.push_back("rename " + ReadAll(from) + " to " + fs::path(to).filename().string() +
                       "; target " + Target());
        return Fails("rename") ? -1 : saved_.rename(from, to);
    }
    static int SyncFolder(const char* folder) {
        log_.push_back("sync folder " + fs::path(folder).filename().string() + "; target " +
                       Target());
        return Fails("sync folder") ? -1 : saved_.syncFolder(folder);
    }
    static inline std::vector<std::string> log_;
    static inline fs::path target_;
    static inline std::string failing_;
    static inline DiskSyncCalls saved_;
};

size_t FilesIn(const fs::path& dir) {
    return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

}  // namespace

// The data reaches the disk before the rename puts it in place, and the folder holding the
// rename after it: a crash at any point leaves the old file or the whole new one.
TEST(WriteFileAtomic, FlushesTheDataBeforeTheRenameAndTheFolderAfterIt) {
    const test::TempDir scratch;
    const fs::path dir = scratch.path() / "mv_atomic_order";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path target = dir / "a.nc";
    std::ofstream(target) << "old";
    {
        DiskCallRecorder calls(target);
        ASSERT_TRUE(WriteFileAtomic(target, "new"));
        EXPECT_EQ(calls.Log(), (std::vector<std::string>{
                                   "sync file; target old", "rename new to a.nc; target old",
                                   "sync folder mv_atomic_order; target new"}));
    }
    EXPECT_EQ(ReadAll(target), "new");

    // A new file: the same order.
    const fs::path fresh = dir / "b.nc";
    {
        DiskCallRecorder calls(fresh);
        ASSERT_TRUE(WriteFileAtomic(fresh, "first"));
        EXPECT_EQ(calls.Log(),
                  (std::vector<std::string>{"sync file; target <none>",
                                            "rename first to b.nc; target <none>",
                                            "sync folder mv_atomic_order; target first"}));
    }
    fs::remove_all(dir);
}

// A failed flush of the data stops the write before the rename, a failed rename before the
// folder flush: either way false, the old file whole and no temporary file left. A folder that
// cannot be flushed comes after the rename: the new file is in place and the write succeeded.
TEST(WriteFileAtomic, FailuresOfTheDiskCalls) {
    const test::TempDir scratch;
    const fs::path dir = scratch.path() / "mv_atomic_fail";
    struct Case {
        const char* failing;
        bool result;
        const char* content;
        size_t calls;
    };
    const Case cases[] = {
        {"sync file", false, "old", 1},
        {"rename", false, "old", 2},
        {"sync folder", true, "new", 3},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        const fs::path target = dir / "a.nc";
        std::ofstream(target) << "old";
        DiskCallRecorder calls(target, c.failing);
        EXPECT_EQ(WriteFileAtomic(target, "new"), c.result) << c.failing;
        EXPECT_EQ(ReadAll(target), c.content) << c.failing;
        EXPECT_EQ(calls.Log().size(), c.calls) << c.failing;
        EXPECT_EQ(FilesIn(dir), 1u) << c.failing;
    }
    fs::remove_all(dir);
}

// A name up to the file system's limit (255 bytes) is written and written again, also 83 kanji
// (three bytes each in UTF-8) and ".nc"; no temporary file stays behind.
TEST(WriteFileAtomic, NamesUpToTheLimitOfTheFileSystem) {
    std::string kanji;
    for (int i = 0; i < 83; ++i) kanji += "\xe6\xbc\xa2";  // 漢
    for (const std::string& name :
         {std::string(250, 'a'), std::string(255, 'b'), kanji + ".nc", std::string(240, 'c')}) {
        test::TempDir tmp;
        const fs::path dir = tmp.path();
        ASSERT_TRUE(WriteFileAtomic(dir / name, "first")) << name.size();
        ASSERT_TRUE(WriteFileAtomic(dir / name, "second")) << name.size();
        EXPECT_EQ(ReadAll(dir / name), "second") << name.size();
        EXPECT_EQ(FilesIn(dir), 1u) << name.size();
    }
    // A name past the limit stays refused.
    EXPECT_FALSE(WriteFileAtomic(TempFolder() / std::string(256, 'd'), "x"));
}

TEST(Paths, ExtensionsCompareWithoutCase) {
    struct Case {
        const char* path;
        const char* ext;
        bool match;
    } cases[] = {
        {"/nc/A.NC", ".nc", true},        {"/nc/a.nc", "NC", true},
        {"/nc/a.nmd", ".nm", false},      {"/nc.d/a", ".d", false},
        {"/nc/a.tar.MPF", "mpf", true},   {"/nc/a", "", false},
        {"MV_Machine.nmd", ".NMD", true},
    };
    for (const Case& c : cases) EXPECT_EQ(HasExtensionNoCase(c.path, c.ext), c.match) << c.path;
    EXPECT_EQ(ExtensionOf("/x.y/z.Spf"), ".Spf");
    EXPECT_EQ(ExtensionOf("/x.y/z"), "");
}
