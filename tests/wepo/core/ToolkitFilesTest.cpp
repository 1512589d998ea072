// The toolkit's files, open command and shared instance counter.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "TempDir.h"
#include "wepo/core/OpenCommand.h"
#include "wepo/core/SharedCounter.h"
#include "wepo/core/TempName.h"

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

TEST(ToolkitFilesTest, TempFileHasTheAtPrefixAndExists) {
    std::string path;
    ASSERT_EQ(wepo::MakeTempFileName(&path), 1);
    fs::path p(path);
    EXPECT_EQ(p.filename().string().substr(0, 3), "@@@");
    EXPECT_TRUE(fs::is_regular_file(p));
    std::string second;
    ASSERT_EQ(wepo::MakeTempFileName(&second), 1);
    EXPECT_NE(second, path);
    fs::remove(p);
    fs::remove(second);
    EXPECT_EQ(wepo::MakeTempFileName(nullptr), 0);
}

// Sets the XDG variables to a temporary tree for one test and puts them back afterwards.
class XdgTree : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* v : kVariables) {
            const char* value = std::getenv(v);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
        ::setenv("XDG_DATA_HOME", (dir_.path() / "home/share").c_str(), 1);
        ::setenv("XDG_DATA_DIRS", (dir_.path() / "usr/share").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (dir_.path() / "home/config").c_str(), 1);
        ::setenv("XDG_CONFIG_DIRS", (dir_.path() / "etc/xdg").c_str(), 1);
    }
    void TearDown() override {
        for (size_t i = 0; i < std::size(kVariables); ++i) {
            if (saved_[i])
                ::setenv(kVariables[i], saved_[i]->c_str(), 1);
            else
                ::unsetenv(kVariables[i]);
        }
    }
    fs::path Root() const { return dir_.path(); }

private:
    static constexpr const char* kVariables[] = {"XDG_DATA_HOME", "XDG_DATA_DIRS",
                                                 "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"};
    test::TempDir dir_;
    std::vector<std::optional<std::string>> saved_;
};

TEST_F(XdgTree, OpenCommandFollowsGlobsMimeappsAndTheDesktopEntry) {
    Write(Root() / "usr/share/mime/globs2",
          "# comment\n50:image/vnd.dxf:*.dxf\n50:text/x-nc:*.nc\n10:text/plain:*.txt\n");
    Write(Root() / "usr/share/applications/cad.desktop",
          "[Desktop Entry]\nName=CAD\nExec=\"/opt/My CAD/bin/cad\" --open %f\n[Desktop Action "
          "x]\nExec=other\n");
    Write(Root() / "usr/share/applications/edit.desktop", "[Desktop Entry]\nExec=  nc-edit %U\n");
    Write(Root() / "home/config/mimeapps.list",
          "[Added Associations]\ntext/plain=edit.desktop;\n[Default Applications]\n"
          "image/vnd.dxf=missing.desktop;cad.desktop;\n");
    Write(Root() / "etc/xdg/mimeapps.list", "[Default Applications]\ntext/x-nc=edit.desktop\n");
    std::string out;
    ASSERT_EQ(wepo::GetOpenCommand(".dxf", &out), 1);
    EXPECT_EQ(out, "/opt/My CAD/bin/cad");             // the quoted program stays whole
    ASSERT_EQ(wepo::GetOpenCommand(".DXF", &out), 1);  // globs match without letter case
    ASSERT_EQ(wepo::GetOpenCommand(".nc", &out), 1);
    EXPECT_EQ(out, "nc-edit");
    ASSERT_EQ(wepo::GetOpenCommand(".txt", &out), 1);  // only an added association
    EXPECT_EQ(out, "nc-edit");
    out = "unchanged";
    EXPECT_EQ(wepo::GetOpenCommand(".zzz", &out), 0);  // no type
    EXPECT_EQ(out, "unchanged");
    Write(Root() / "usr/share/mime/globs2", "50:application/x-none:*.none\n");
    EXPECT_EQ(wepo::GetOpenCommand(".none", &out), 0);  // no application
    EXPECT_EQ(wepo::GetOpenCommand(nullptr, &out), 0);
    EXPECT_EQ(wepo::GetOpenCommand(".dxf", nullptr), 0);
}

TEST(ToolkitFilesTest, SharedCounterIsSeenFromASecondProcess) {
    const std::string name = "/morvalen-wepo-test-" + std::to_string(::getpid());
    wepo::SharedCounter::Unlink(name);
    wepo::SharedCounter counter(name);
    ASSERT_TRUE(counter.IsOpen());
    EXPECT_EQ(counter.Get(), 0);
    EXPECT_EQ(counter.Increment(), 1);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A mapping of its own, as another process loading the library would have.
        wepo::SharedCounter other(name);
        int seen = other.Get();
        other.Increment();
        other.Increment();
        ::_exit(seen == 1 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(counter.Get(), 3);
    EXPECT_EQ(counter.Decrement(), 2);
    wepo::SharedCounter::Unlink(name);
}

TEST(ToolkitFilesTest, LibraryInstanceCounter) {
    int before = wepo::GetInstanceCount();
    EXPECT_EQ(wepo::IncrementInstanceCount(), 1);
    EXPECT_EQ(wepo::GetInstanceCount(), before + 1);
    EXPECT_EQ(wepo::DecrementInstanceCount(), 1);
    EXPECT_EQ(wepo::GetInstanceCount(), before);
}

}  // namespace
