// File types registered by R: lines under HKEY_CLASSES_ROOT become the desktop's, as a Qt
// program started in the temporary tree sees them, and go with the undo.
#include <gtest/gtest.h>

#include <cstdio>

#include "InstallerTestSupport.h"
#include "installer/engine/FileTypes.h"

namespace installer::test {
namespace {

class FileTypesTest : public EngineFixture {
protected:
    // The MIME type the probe program gives name, with the sandbox as its data folder.
    std::string QtTypeOf(const std::string& name) {
#ifdef HALDIMON_MIME_PROBE
        fs::path data = box.platform.MimeDir.parent_path();
        std::string cmd = "env HOME='" + box.platform.Home.string() + "' XDG_DATA_HOME='" +
                          data.string() + "' XDG_DATA_DIRS=/usr/share '" HALDIMON_MIME_PROBE "' '" +
                          name + "'";
        FILE* p = ::popen(cmd.c_str(), "r");
        if (!p) return "no probe";
        char buf[256] = {};
        std::string out = std::fgets(buf, sizeof buf, p) ? buf : "";
        ::pclose(p);
        while (!out.empty() && out.back() == '\n') out.pop_back();
        return out;
#else
        (void)name;
        return {};
#endif
    }
    void Register() {
        const char* lines[] = {
            "\"HKEY_CLASSES_ROOT\",\".zq\",\"\":ZqTool.Program",
            "\"HKEY_CLASSES_ROOT\",\".ZQX\",\"\":ZqTool.Program",
            "\"HKEY_CLASSES_ROOT\",\"ZqTool.Program\",\"\":Zq program",
            "\"HKEY_CLASSES_ROOT\",\"ZqTool.Program\\Shell\\Open\\Command\",\"\":"
            "\"{TARGETDIR}bin/zq tool\" --open \"%1\"",
        };
        for (const char* l : lines) engine.RegistryCommand(l);
    }
    fs::path Package() const {
        return MimePackageOf(box.platform, "ZqTool.Program");
    }
    fs::path Entry() const {
        return TypeEntryOf(box.platform, "ZqTool.Program");
    }
};

TEST_F(FileTypesTest, ACompleteClassBecomesAPackageAndAHiddenEntry) {
    engine.RegistryCommand("\"HKEY_CLASSES_ROOT\",\".zq\",\"\":ZqTool.Program");
    EXPECT_FALSE(fs::exists(Package()));  // no open command yet: not a file type
    Register();
    ASSERT_TRUE(fs::exists(Package()));
    EXPECT_EQ(box.platform.MimeDir / "packages" / "haldimon-zqtool.program.xml", Package());
    std::string pkg = Read(Package());
    EXPECT_NE(std::string::npos, pkg.find("<mime-type type=\"application/x-zqtool.program\">"));
    EXPECT_NE(std::string::npos, pkg.find("<comment>Zq program</comment>"));
    EXPECT_NE(std::string::npos, pkg.find("<glob pattern=\"*.zq\"/>"));
    EXPECT_NE(std::string::npos, pkg.find("<glob pattern=\"*.ZQX\"/>"));
    std::string entry = Read(Entry());
    EXPECT_NE(std::string::npos, entry.find("NoDisplay=true\n"));
    EXPECT_NE(std::string::npos, entry.find("MimeType=application/x-zqtool.program;\n"));
    EXPECT_NE(std::string::npos,
              entry.find("Exec=\"" + box.Target() + "bin/zq tool\" --open %f\n"));
    EXPECT_TRUE(engine.Record.HasFile(Package()));
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") == 0) {
        EXPECT_EQ(0, std::system(("desktop-file-validate '" + Entry().string() + "'").c_str()));
    }
}

TEST_F(FileTypesTest, QtSeesTheTypeAndLosesItWithTheUndo) {
#ifndef HALDIMON_MIME_PROBE
    GTEST_SKIP() << "built without Qt";
#endif
    if (std::system("command -v update-mime-database >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "shared-mime-info is not installed";
    EXPECT_NE("application/x-zqtool.program", QtTypeOf("part.zq"));
    Register();
    EXPECT_EQ("application/x-zqtool.program", QtTypeOf("part.zq"));
    EXPECT_EQ("application/x-zqtool.program", QtTypeOf("PART.ZQX"));
    EXPECT_TRUE(fs::exists(box.platform.MimeDir / "mime.cache"));
    // The uninstallation undoes the R: lines: the class is no longer complete.
    engine.UndoRegistryCommand("\"HKEY_CLASSES_ROOT\",\"ZqTool.Program\",\"\":x");
    EXPECT_FALSE(fs::exists(Package()));
    EXPECT_FALSE(fs::exists(Entry()));
    EXPECT_NE("application/x-zqtool.program", QtTypeOf("part.zq"));
    engine.UndoRegistryCommand("\"HKEY_CLASSES_ROOT\",\".zq\",\"\":x");
    engine.UndoRegistryCommand("\"HKEY_CLASSES_ROOT\",\".ZQX\",\"\":x");
    EXPECT_TRUE(ReadFileClasses(engine.Keys).empty());
}

TEST_F(FileTypesTest, OtherFilesOfTheFoldersAreLeftAlone) {
    Write(box.platform.MimeDir / "packages" / "other.xml", "<mime-info/>");
    Write(box.platform.ApplicationsDir / "other.desktop", "[Desktop Entry]\n");
    Register();
    engine.UndoRegistryCommand("\"HKEY_CLASSES_ROOT\",\"ZqTool.Program\",\"\":x");
    EXPECT_TRUE(fs::exists(box.platform.MimeDir / "packages" / "other.xml"));
    EXPECT_TRUE(fs::exists(box.platform.ApplicationsDir / "other.desktop"));
}

}  // namespace
}  // namespace installer::test
