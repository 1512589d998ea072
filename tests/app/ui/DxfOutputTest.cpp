// The frame's DXF output (one program, a batch), the CAD program after it, the external
// applications, the sheet file and the help pages, with stand-in scripts for the outside
// programs and a fake desktop opener. Every DXF file written is read back with ezdxf.
#include <QDesktopServices>
#include <QKeyEvent>
#include <QTest>
#include <QUrl>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "AppFixture.h"
#include "EnvVar.h"
#include "TestFiles.h"
#include "app/core/CommandIds.h"
#include "platform/Profile.h"

namespace fs = std::filesystem;
using platform::PromptIcon;

namespace {

// Takes the URLs the desktop would open.
class FakeOpener : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

// The LINE, ARC and CIRCLE entities of a DXF text.
size_t CountEntities(const std::string& text) {
    size_t n = 0;
    for (const char* kind : {"\r\nLINE\r\n", "\r\nARC\r\n", "\r\nCIRCLE\r\n"})
        for (size_t at = text.find(kind); at != std::string::npos; at = text.find(kind, at + 1))
            ++n;
    return n;
}

class DxfOutput : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        QDesktopServices::setUrlHandler("file", &opener_, "open");
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler("file");
        AppFixture::TearDown();
    }
    std::string Ini() const { return app_->Paths.IniPath; }
    void Set(const char* section, const char* key, const std::string& value) {
        platform::WriteProfileString(section, key, value, Ini());
    }
    std::string Get(const char* section, const char* key) {
        return platform::GetProfileString(section, key, "", Ini());
    }
    // A stand-in program that writes its arguments, a line each, to "<itself>.args".
    std::string StandIn(const std::string& name) {
        const fs::path p = dir_.path() / "bin" / name;
        test::WriteFile(p,
                        "#!/bin/sh\n"
                        "out=\"$0.args\"\n"
                        ": > \"$out.tmp\"\n"
                        "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.tmp\"; done\n"
                        "mv \"$out.tmp\" \"$out\"\n");
        fs::permissions(p, fs::perms::owner_all);
        return p.string();
    }
    // The arguments the stand-in received, once it has run.
    std::string ArgsOf(const std::string& standIn) {
        const fs::path args = standIn + ".args";
        EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(args); }, 10000)) << standIn;
        return test::ReadFile(args);
    }
    std::string Copy(const std::string& from, const fs::path& to) {
        test::WriteFile(to, test::ReadFile(from));
        return to.string();
    }
    static std::string Punch() {
        return std::string(MORVALEN_SOURCE_DIR) + "/examples/punch-sample.nc";
    }
    // ezdxf reads the file and finds the entities we wrote.
    void ExpectReadsBack(const fs::path& dxf) {
        ASSERT_TRUE(fs::exists(dxf)) << dxf;
        const std::string text = test::ReadFile(dxf);
        const size_t written = CountEntities(text);
        EXPECT_GT(written, 0u) << dxf;
        if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0) return;
        const std::string command = "/usr/bin/python3 '" MORVALEN_TEST_DATA
                                    "/kernel/io/read_dxf_extents.py' '" +
                                    dxf.string() + "'";
        FILE* pipe = ::popen(command.c_str(), "r");
        ASSERT_TRUE(pipe);
        char buf[512] = {};
        const size_t got = std::fread(buf, 1, sizeof buf - 1, pipe);
        ASSERT_EQ(::pclose(pipe), 0) << command;
        EXPECT_EQ(std::stoul(std::string(buf, got)), written) << dxf;
    }
    const platform::ScriptedPrompt::Asked* Last() const {
        return prompt_->asked.empty() ? nullptr : &prompt_->asked.back();
    }

    FakeOpener opener_;
};

TEST_F(DxfOutput, NoElementsSaysSo) {
    ASSERT_TRUE(Start({"/US"}));
    Frame()->OnCommand(cmd::OutputDxf);
    ASSERT_TRUE(Last());
    EXPECT_EQ(Last()->text, "No element data exist");
    EXPECT_EQ(Last()->icon, PromptIcon::Warning);
}

TEST_F(DxfOutput, FixedNameWritesWithoutAskingAndStartsTheCadProgram) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    const fs::path out = dir_.path() / "out" / "fixed.dxf";
    fs::create_directories(out.parent_path());
    const std::string cad = StandIn("cad");
    Set("Dxf", "SpecifyDxfFileNameFlag", "1");
    Set("Dxf", "SpecifyDxfFileName", out.string());
    Set("Dxf", "ExecCad", "1");
    Set("Dxf", "CadProgramName", cad);
    Set("Dxf", "CadProgramOption", "-a \"two words\"");
    prompt_->asked.clear();
    Frame()->OnCommand(cmd::OutputDxf);
    EXPECT_TRUE(prompt_->asked.empty());
    ExpectReadsBack(out);
    // The option's words, then the file as one argument: no shell in between.
    EXPECT_EQ(ArgsOf(cad), "-a\ntwo words\n" + out.string() + "\n");
    EXPECT_EQ(Get("Dxf", "OutDxfFilePath"), out.parent_path().string() + "/");
}

TEST_F(DxfOutput, SaveQuestionStartsInTheLastFolder) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    const fs::path last = dir_.path() / "last";
    const fs::path chosen = dir_.path() / "chosen" / "part";
    fs::create_directories(chosen.parent_path());
    Set("Dxf", "OutDxfFilePath", last.string() + "/");
    prompt_->fileNames = {chosen.string()};
    Frame()->OnCommand(cmd::OutputDxf);
    ASSERT_FALSE(prompt_->asked.empty());
    EXPECT_TRUE(prompt_->asked.front().fileQuestion);
    // The program's name with ".dxf" is proposed, as the batch names its files.
    EXPECT_EQ(prompt_->asked.front().initial, last.string() + "/laser-sample.dxf");
    // A name without an extension gets ".dxf".
    ExpectReadsBack(chosen.string() + ".dxf");
    EXPECT_EQ(Get("Dxf", "OutDxfFilePath"), chosen.parent_path().string() + "/");

    // Before any output (and with a folder written without its '/'), beside the program.
    for (const auto& [stored, expected] :
         {std::pair<std::string, std::string>{"", std::string(MORVALEN_SOURCE_DIR) + "/examples/"},
          {last.string(), last.string() + "/"}}) {
        Set("Dxf", "OutDxfFilePath", stored);
        prompt_->asked.clear();
        Frame()->OnCommand(cmd::OutputDxf);  // cancelled
        ASSERT_EQ(prompt_->asked.size(), 1u);
        EXPECT_EQ(prompt_->asked[0].initial, expected + "laser-sample.dxf");
    }
}

TEST_F(DxfOutput, CancelledOrFailedOutputStartsNoCadAndKeepsTheFolder) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    // A CAD program that cannot start would say so if it were tried.
    Set("Dxf", "ExecCad", "1");
    Set("Dxf", "CadProgramName", (dir_.path() / "no-such-cad").string());
    Set("Dxf", "OutDxfFilePath", "/kept/");
    prompt_->asked.clear();
    Frame()->OnCommand(cmd::OutputDxf);  // the save question is cancelled
    EXPECT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(Get("Dxf", "OutDxfFilePath"), "/kept/");

    // The writer cannot create the file: its own message, and nothing after it.
    Set("Dxf", "SpecifyDxfFileNameFlag", "1");
    Set("Dxf", "SpecifyDxfFileName", (dir_.path() / "no-folder" / "x.dxf").string());
    prompt_->asked.clear();
    Frame()->OnCommand(cmd::OutputDxf);
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_NE(prompt_->asked[0].text.find("Failure to create DXF file"), std::string::npos);
    EXPECT_EQ(Get("Dxf", "OutDxfFilePath"), "/kept/");

    // Written, but the CAD program does not start: 61633 with its name.
    Set("Dxf", "SpecifyDxfFileName", (dir_.path() / "x.dxf").string());
    prompt_->asked.clear();
    Frame()->OnCommand(cmd::OutputDxf);
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].text, "Failure to start up CAD program   \n\n[" +
                                          (dir_.path() / "no-such-cad").string() + "]");
    EXPECT_EQ(Get("Dxf", "OutDxfFilePath"), dir_.path().string() + "/");
}

TEST_F(DxfOutput, BatchConvertsReportsAndSkipsWhatIsUpToDate) {
    ASSERT_TRUE(Start({"/US"}));
    const fs::path nc = dir_.path() / "nc";
    const fs::path out = dir_.path() / "out";
    fs::create_directories(out);
    const std::string a = Copy(Sample(), nc / "a.nc");
    const std::string b = Copy(Punch(), nc / "b.nc");
    Set("System", "BeforeOpenFileName", "/before/");
    Set("Dxf", "OutDxfFilePath", "/last/");
    prompt_->asked.clear();
    prompt_->fileLists = {{a, b}};
    prompt_->folders = {out.string()};
    Frame()->OnCommand(cmd::BatchOutputDxf);
    // (The punch sample's load may report die files this configuration lacks.)
    ASSERT_GE(prompt_->asked.size(), 3u);
    EXPECT_EQ(prompt_->asked[0].text, "Nc file");
    EXPECT_EQ(prompt_->asked[0].initial, "/before/");
    EXPECT_EQ(prompt_->asked[1].text, "Select folder to output");
    EXPECT_EQ(prompt_->asked[1].initial, "/last/");
    EXPECT_EQ(prompt_->asked.back().text, "2 files were converted");
    EXPECT_EQ(prompt_->asked.back().caption, "Report");
    EXPECT_EQ(prompt_->asked.back().icon, PromptIcon::Information);
    ExpectReadsBack(out / "a.dxf");
    ExpectReadsBack(out / "b.dxf");
    EXPECT_EQ(Get("System", "BeforeOpenFileName"), nc.string() + "/");
    EXPECT_EQ(Get("Dxf", "OutDxfFilePath"), out.string() + "/");
    // The batch leaves an empty document and no progress window.
    EXPECT_TRUE(app_->Document->GetPathName().empty());
    EXPECT_FALSE(app_->LoadingDlg);
    EXPECT_FALSE(Frame()->BatchRunning());

    // Again: both are newer than their programs.
    prompt_->asked.clear();
    prompt_->fileLists = {{a, b}};
    prompt_->folders = {out.string()};
    Frame()->OnCommand(cmd::BatchOutputDxf);
    EXPECT_EQ(prompt_->asked.back().text, "All 2 files already had been converted");
    EXPECT_EQ(prompt_->asked.back().caption, "");

    // A DXF file exactly as old as its program is made again.
    fs::last_write_time(out / "a.dxf", fs::last_write_time(a));
    prompt_->fileLists = {{a, b}};
    prompt_->folders = {out.string()};
    Frame()->OnCommand(cmd::BatchOutputDxf);
    EXPECT_EQ(prompt_->asked.back().text,
              "1 file was converted\n1 file already had been converted");
    EXPECT_EQ(prompt_->asked.back().icon, PromptIcon::Information);
}

TEST_F(DxfOutput, BatchIntoTheFixedFolderAndItsFailures) {
    ASSERT_TRUE(Start({"/US"}));
    const fs::path nc = dir_.path() / "nc";
    const fs::path fixed = dir_.path() / "fixed";
    fs::create_directories(fixed);
    Set("Dxf", "SpecifyDxfFileNameFlag", "1");
    Set("Dxf", "SpecifyDxfFileName", (fixed / "ignored.dxf").string());
    const std::string a = Copy(Sample(), nc / "a.nc");
    const std::string a2 = Copy(Punch(), nc / "a.ncd");
    // Two programs for one DXF name: the second is a failure, not "already converted".
    prompt_->asked.clear();
    prompt_->fileLists = {{a, a2}};
    Frame()->OnCommand(cmd::BatchOutputDxf);
    EXPECT_EQ(prompt_->asked.size(), 2u);  // no folder question
    EXPECT_EQ(prompt_->asked.back().text, "Failure to output DXF file\n\n[" + a2 + "]");
    ExpectReadsBack(fixed / "a.dxf");
    EXPECT_FALSE(fs::exists(fixed / "ignored.dxf"));

    // A program that cannot be opened ends the batch on it.
    const fs::path dir = nc / "folder.nc";
    fs::create_directories(dir);
    prompt_->asked.clear();
    prompt_->fileLists = {{dir.string(), a}};
    Frame()->OnCommand(cmd::BatchOutputDxf);
    EXPECT_EQ(prompt_->asked.back().text, "Failure to output DXF file\n\n[" + dir.string() + "]");
}

// A read-only DXF file is never replaced, by a fixed name, a chosen name or a batch: the output
// says it failed, with the file, and the file keeps every byte and its mode. A link is written
// through to the file it names and stays a link.
TEST_F(DxfOutput, ReadOnlyFilesAreRefusedAndLinksWrittenThrough) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    const fs::path out = dir_.path() / "out";
    const fs::path protectedDxf = out / "protected.dxf";
    const fs::perms ro = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    test::WriteFile(protectedDxf, "the user's drawing");
    fs::permissions(protectedDxf, ro);
    test::WriteFile(out / "parts" / "real.dxf", "old");
    fs::create_symlink("parts/real.dxf", out / "link.dxf");
    const std::string refused =
        "Failure to output DXF file\n\nThe file might be used by other "
        "application\n\n[" +
        protectedDxf.string() + "]";
    auto expectKept = [&] {
        EXPECT_EQ(test::ReadFile(protectedDxf), "the user's drawing");
        EXPECT_EQ(fs::status(protectedDxf).permissions() & fs::perms::all, ro);
    };

    Set("Dxf", "SpecifyDxfFileNameFlag", "1");
    Set("Dxf", "SpecifyDxfFileName", protectedDxf.string());
    prompt_->asked.clear();
    Frame()->OnCommand(cmd::OutputDxf);
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].text, refused);
    expectKept();

    Set("Dxf", "SpecifyDxfFileNameFlag", "0");
    prompt_->fileNames = {protectedDxf.string()};
    prompt_->asked.clear();
    Frame()->OnCommand(cmd::OutputDxf);
    ASSERT_EQ(prompt_->asked.size(), 2u);
    EXPECT_EQ(prompt_->asked[1].text, refused);
    expectKept();

    prompt_->fileNames = {(out / "link.dxf").string()};
    prompt_->asked.clear();
    Frame()->OnCommand(cmd::OutputDxf);
    EXPECT_EQ(prompt_->asked.size(), 1u);  // the question only
    EXPECT_TRUE(fs::is_symlink(out / "link.dxf"));
    ExpectReadsBack(out / "parts" / "real.dxf");

    // A batch whose program is newer than the read-only file tries it, and keeps it.
    const std::string protectedNc = Copy(Sample(), dir_.path() / "nc" / "protected.nc");
    fs::last_write_time(protectedDxf, fs::last_write_time(protectedNc) - std::chrono::hours(1));
    prompt_->asked.clear();
    prompt_->fileLists = {{protectedNc}};
    prompt_->folders = {out.string()};
    Frame()->OnCommand(cmd::BatchOutputDxf);
    bool told = false;
    for (const auto& asked : prompt_->asked) told = told || asked.text == refused;
    EXPECT_TRUE(told);
    expectKept();
}

TEST_F(DxfOutput, BatchEscapeBeforeTheFirstFile) {
    ASSERT_TRUE(Start({"/US"}));
    const fs::path out = dir_.path() / "out";
    fs::create_directories(out);
    const std::string a = Copy(Sample(), dir_.path() / "nc" / "a.nc");
    prompt_->fileLists = {{a}};
    prompt_->folders = {out.string()};
    // Escape is waiting when the batch starts; a click meanwhile does nothing.
    QCoreApplication::postEvent(Frame(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
    Frame()->OnCommand(cmd::BatchOutputDxf);
    EXPECT_EQ(prompt_->asked.back().text, "Transaction interrupted");
    EXPECT_EQ(prompt_->asked.back().icon, PromptIcon::Warning);
    EXPECT_FALSE(fs::exists(out / "a.dxf"));
    // The Escape went to the batch, not to anything else.
    QCoreApplication::processEvents();
    EXPECT_FALSE(Frame()->BatchRunning());
}

TEST_F(DxfOutput, BatchEndsWhenTheDocumentIsKept) {
    ASSERT_TRUE(Start({"/US", Copy(Sample(), dir_.path() / "open.nc")}));
    app_->Document->SetModifiedFlag(true);
    prompt_->asked.clear();
    prompt_->answers = {platform::PromptAnswer::Cancel};
    Frame()->OnCommand(cmd::BatchOutputDxf);
    // Only the save question: no file question follows.
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_FALSE(prompt_->asked[0].fileQuestion);
    EXPECT_TRUE(app_->Document->IsModified());
}

TEST_F(DxfOutput, ExternalApplicationsGetTheirArguments) {
    const std::string app1 = StandIn("app1");
    const std::string app2 = StandIn("app2");
    ASSERT_TRUE(Start({"/US"}));
    Set("OutAppli", "ApplicationName", app1);
    Set("OutAppli", "ApplicationOption", "-r");
    Set("OutAppli", "ApplicationName2", app2);
    // Without a file: 61654, nothing started.
    prompt_->asked.clear();
    Frame()->RunExternalApp(0, std::nullopt, std::nullopt);
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].text, "Please try again after opening NC file");
    EXPECT_EQ(prompt_->asked[0].icon, PromptIcon::Warning);

    const std::string nc = Copy(Sample(), dir_.path() / "my files" / "A01.nc");
    ASSERT_TRUE(app_->OpenDocumentFile(nc));
    Frame()->RunExternalApp(0, std::nullopt, std::nullopt);
    EXPECT_EQ(ArgsOf(app1), "-r\n" + nc + "\n");
    // An empty option: only the file.
    Frame()->RunExternalApp(1, std::nullopt, std::nullopt);
    EXPECT_EQ(ArgsOf(app2), nc + "\n");

    // A header directive adds its words before the file.
    fs::remove(app1 + ".args");
    const std::string withExe = (dir_.path() / "exe.nc").string();
    test::WriteFile(withExe, "(EXE1=--view \"two words\")\r\nG00X10.Y10.\r\nM30\r\n");
    ASSERT_TRUE(app_->OpenDocumentFile(withExe));
    EXPECT_EQ(ArgsOf(app1), "-r\n--view\ntwo words\n" + withExe + "\n");

    // An application that cannot start: 61651 with its name.
    Set("OutAppli", "ApplicationName2", (dir_.path() / "missing-app").string());
    prompt_->asked.clear();
    Frame()->RunExternalApp(1, std::nullopt, std::nullopt);
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].text, "Failure to start up application \n\n[" +
                                          (dir_.path() / "missing-app").string() + "]");
    // So does the menu command with no application at all.
    Set("OutAppli", "ApplicationName2", "");
    prompt_->asked.clear();
    Frame()->RunExternalApp(1, std::nullopt, std::nullopt);
    EXPECT_EQ(prompt_->asked.size(), 1u);
}

TEST_F(DxfOutput, SheetFileByProgramOrDesktop) {
    const fs::path folder = dir_.path() / "my.dir";
    const std::string nc = Copy(Sample(), folder / "A01.nc");
    test::WriteFile(folder / "A01.pdf", "%PDF");
    ASSERT_TRUE(Start({"/US", nc}));
    // No program: the desktop opens the sheet, found whatever the case of its extension.
    Frame()->OnCommand(cmd::OpenSheet);
    ASSERT_EQ(opener_.opened.size(), 1);
    EXPECT_EQ(opener_.opened[0],
              QUrl::fromLocalFile(QString::fromStdString((folder / "A01.pdf").string())));

    // A sheet that is not there is reported, not handed to the desktop.
    Set("System", "SheetExt", "DXF");
    prompt_->asked.clear();
    Frame()->OnCommand(cmd::OpenSheet);
    EXPECT_EQ(opener_.opened.size(), 1);
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].text,
              "The file cannot be opened:\n" + (folder / "A01.DXF").string());

    const std::string viewer = StandIn("viewer");
    Set("System", "SheetProgram", viewer);
    Set("System", "SheetExt", "DWG");
    Frame()->OnCommand(cmd::OpenSheet);
    EXPECT_EQ(ArgsOf(viewer), (folder / "A01.DWG").string() + "\n");

    Set("System", "SheetProgram", (dir_.path() / "no-viewer").string());
    prompt_->asked.clear();
    Frame()->OnCommand(cmd::OpenSheet);
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].text, "Program excute failure");
    EXPECT_EQ(prompt_->asked[0].icon, PromptIcon::Error);
}

// F1 and the help commands open our page with xdg-open; when that finds no browser (or the
// page is not there) a message names the page instead of the error output alone.
TEST_F(DxfOutput, HelpOpensOurPagesOrSaysWhyNot) {
    ASSERT_TRUE(Start({"/US"}));
    const std::string page = app_->HelpFilePath;
    ASSERT_TRUE(fs::exists(page));
    const std::string cannot = "The help pages cannot be opened:\n" + page;
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    // Stand-ins for xdg-open first on the PATH: one opens, one finds no browser (exit 3).
    const std::string opens = StandIn("xdg-open");
    const fs::path noBrowser = dir_.path() / "no-browser" / "xdg-open";
    test::WriteFile(noBrowser, "#!/bin/sh\necho 'xdg-open: no method available' >&2\nexit 3\n");
    fs::permissions(noBrowser, fs::perms::owner_all);
    prompt_->asked.clear();
    {
        test::EnvVar env("PATH", fs::path(opens).parent_path().string() + ":" + path);
        Frame()->OnCommand(cmd::HelpContents);
        EXPECT_EQ(ArgsOf(opens), page + "\n");
    }
    for (int command : {int(cmd::HelpContents), 57669, 57670, 57671}) {
        test::EnvVar env("PATH", noBrowser.parent_path().string() + ":" + path);
        prompt_->asked.clear();
        Frame()->OnCommand(command);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !prompt_->asked.empty(); }, 10000)) << command;
        ASSERT_EQ(prompt_->asked.size(), 1u) << command;
        EXPECT_EQ(prompt_->asked[0].text, cannot);
        EXPECT_EQ(prompt_->asked[0].icon, PromptIcon::Warning);
    }
    EXPECT_TRUE(opener_.opened.isEmpty());
    {
        // Without xdg-open the desktop services open it.
        test::EnvVar env("PATH", (dir_.path() / "nothing").string());
        prompt_->asked.clear();
        Frame()->OnCommand(cmd::HelpContents);
        ASSERT_EQ(opener_.opened.size(), 1);
        EXPECT_EQ(opener_.opened[0].toLocalFile().toStdString(), page);
        EXPECT_TRUE(prompt_->asked.empty());
    }
    // A page that is not there is said at once, without asking the desktop.
    app_->HelpFilePath = (dir_.path() / "help" / "index.html").string();
    prompt_->asked.clear();
    Frame()->OnCommand(cmd::HelpContents);
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].text, "The help pages cannot be opened:\n" + app_->HelpFilePath);
    EXPECT_EQ(opener_.opened.size(), 1);
    // With the "Help" display flags at 0 nothing happens.
    Frame()->Flags.Set(cmd::HelpContents, 0);
    prompt_->asked.clear();
    Frame()->OnCommand(cmd::HelpContents);
    EXPECT_TRUE(prompt_->asked.empty());
    EXPECT_EQ(opener_.opened.size(), 1);
}

}  // namespace

#include "DxfOutputTest.moc"
