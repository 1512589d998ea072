// Tests of the DXF output's results, messages, file names and layer table.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/io/CDxfCtrl.h"
#include "platform/ScriptedPrompt.h"

namespace {

const std::string kShipped = std::string(MORVALEN_SOURCE_DIR) + "/resources/shipped";

CDtbLine* Line(CDtbEngine& db, double x1, double y1, double x2, double y2, int cls) {
    CDtbInfo info;
    info.classBits = cls;
    auto* l = new CDtbLine(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0), info);
    db.AppendDtb(l);
    return l;
}

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

size_t FileCount(const std::filesystem::path& dir) {
    size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        (void)entry;
        ++n;
    }
    return n;
}

// Also counts the files of the output folder at each message: what the user sees there while
// the message waits.
struct CountingPrompt : platform::ScriptedPrompt {
    std::filesystem::path folder;
    std::vector<size_t> filesAtMessage;
    platform::PromptAnswer Message(std::string_view text, platform::PromptIcon icon,
                                   platform::PromptButtons buttons) override {
        filesAtMessage.push_back(FileCount(folder));
        return ScriptedPrompt::Message(text, icon, buttons);
    }
};

struct Fixture {
    CDtbEngine db;
    CountingPrompt prompt;
    test::TempDir dir;
    CDxfCtrl ctrl;

    Fixture() {
        prompt.folder = dir.path();
        DxfAppServices s;
        s.ProgramFolder = kShipped;
        s.IniPath = dir.path() / "MV_System.ini";
        s.NcName = "N1";
        s.Prompt = &prompt;
        ctrl = CDxfCtrl(&db, s);
        ctrl.ReadSettings();
    }
    int Output(std::string& path) { return ctrl.OutputDxf(1, path); }
};

}  // namespace

TEST(CDxfCtrlResultTest, NothingToWrite) {
    struct Case {
        const char* name;
        bool flagsOff;
        bool hiddenNodeOnly;
    };
    for (const Case& c : {Case{"all output flags 0", true, false},
                          Case{"only a rapid line with rapid output off", false, false},
                          Case{"only a hidden group", false, true}}) {
        Fixture f;
        if (c.flagsOff) {
            f.ctrl.settings.cut.output = f.ctrl.settings.mark.output =
                f.ctrl.settings.rapid.output = 0;
            Line(f.db, 0, 0, 1, 1, 4);
        } else if (c.hiddenNodeOnly) {
            auto* node = new CDtbNode("Tessmark", "Punch1", "");
            f.db.AppendDtb(node);
            f.db.NodeUp(node);
            Line(f.db, 0, 0, 1, 1, 4);
            f.db.NodeDown();
            node->noDisplay = 1;
        } else {
            f.ctrl.settings.rapid.output = 0;
            Line(f.db, 0, 0, 1, 1, 1);
        }
        std::string path = (f.dir.path() / "out.dxf").string();
        EXPECT_EQ(f.Output(path), -1) << c.name;
        ASSERT_EQ(f.prompt.asked.size(), 1u) << c.name;
        EXPECT_EQ(f.prompt.asked[0].text.rfind("No element data to output exist", 0), 0u);
        EXPECT_EQ(f.prompt.asked[0].icon, platform::PromptIcon::Warning);
        EXPECT_EQ(FileCount(f.dir.path()), 0u) << c.name;  // no file, no temporary left
    }
}

// A visible empty group is "something written": the file has an empty entity list and zero
// extents (not the untouched +-1e15 box).
TEST(CDxfCtrlResultTest, VisibleEmptyGroupGivesAnEmptyEntityList) {
    Fixture f;
    f.db.AppendDtb(new CDtbNode("Tessmark", "Punch1", ""));
    std::string path = (f.dir.path() / "out.dxf").string();
    ASSERT_EQ(f.Output(path), 0);
    const std::string text = ReadFile(path);
    const std::string tail = "ENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_NE(text.find("$EXTMIN\r\n 10\r\n0.000000\r\n 20\r\n0.000000\r\n"), std::string::npos);
    EXPECT_NE(text.find("$EXTMAX\r\n 10\r\n0.000000\r\n 20\r\n0.000000\r\n"), std::string::npos);
}

TEST(CDxfCtrlResultTest, GivenNamesAndTheExtension) {
    struct Case {
        const char* given;
        const char* written;
    };
    const Case cases[] = {
        {"part", "part.dxf"},
        {"old.parts/part", "old.parts/part"},  // a dot anywhere keeps the name as given
        {"part.DXF", "part.DXF"},
    };
    for (const Case& c : cases) {
        Fixture f;
        std::filesystem::create_directory(f.dir.path() / "old.parts");
        Line(f.db, 0, 0, 1, 1, 4);
        std::string path = (f.dir.path() / c.given).string();
        ASSERT_EQ(f.Output(path), 0) << c.given;
        EXPECT_EQ(path, (f.dir.path() / c.written).string());
        EXPECT_TRUE(std::filesystem::is_regular_file(path)) << c.given;
    }
}

TEST(CDxfCtrlResultTest, SaveDialog) {
    {
        Fixture f;
        Line(f.db, 0, 0, 1, 1, 4);
        std::string path = f.dir.path().string();
        EXPECT_EQ(f.ctrl.OutputDxf(0, path), 1);  // cancelled: no message
        ASSERT_EQ(f.prompt.asked.size(), 1u);
        EXPECT_TRUE(f.prompt.asked[0].fileQuestion);
        EXPECT_EQ(f.prompt.asked[0].text, "Save dxf file");
        EXPECT_EQ(path, f.dir.path().string());
    }
    {
        Fixture f;
        Line(f.db, 0, 0, 1, 1, 4);
        f.prompt.fileNames.push_back((f.dir.path() / "chosen").string());
        std::string path = f.dir.path().string();
        EXPECT_EQ(f.ctrl.OutputDxf(0, path), 0);
        EXPECT_EQ(path, (f.dir.path() / "chosen.dxf").string());
        EXPECT_TRUE(std::filesystem::is_regular_file(path));
    }
}

TEST(CDxfCtrlResultTest, FileErrors) {
    {  // the template cannot be read: nothing stays behind
        Fixture f;
        Line(f.db, 0, 0, 1, 1, 4);
        f.ctrl.templatePath = f.dir.path() / "missing" / "MVDXF.HED";
        std::string path = (f.dir.path() / "out.dxf").string();
        EXPECT_EQ(f.Output(path), -3);
        ASSERT_EQ(f.prompt.asked.size(), 1u);
        EXPECT_NE(f.prompt.asked[0].text.find("missing/MVDXF.HED"), std::string::npos);
        EXPECT_EQ(FileCount(f.dir.path()), 0u);
    }
    {  // the folder does not exist: cannot create
        Fixture f;
        Line(f.db, 0, 0, 1, 1, 4);
        std::string path = (f.dir.path() / "nofolder" / "out.dxf").string();
        EXPECT_EQ(f.Output(path), -2);
        ASSERT_EQ(f.prompt.asked.size(), 1u);
        EXPECT_EQ(f.prompt.asked[0].text.rfind("Failure to create DXF file", 0), 0u);
    }
    {  // the target is a folder: cannot move; the temporary file is removed
        Fixture f;
        Line(f.db, 0, 0, 1, 1, 4);
        std::filesystem::create_directory(f.dir.path() / "busy.dxf");
        std::string path = (f.dir.path() / "busy.dxf").string();
        EXPECT_EQ(f.Output(path), -6);
        ASSERT_EQ(f.prompt.asked.size(), 1u);
        EXPECT_NE(f.prompt.asked[0].text.find("[" + path + "]"), std::string::npos);
        EXPECT_EQ(FileCount(f.dir.path()), 1u);
    }
    {  // an existing file is replaced
        Fixture f;
        Line(f.db, 0, 0, 1, 1, 4);
        std::string path = (f.dir.path() / "old.dxf").string();
        std::ofstream(path) << "old";
        EXPECT_EQ(f.Output(path), 0);
        EXPECT_NE(ReadFile(path).find("ENTITIES"), std::string::npos);
        EXPECT_EQ(FileCount(f.dir.path()), 1u);
    }
    {  // a read-only file is refused as a failed move (also for the super-user): it stays
        Fixture f;
        Line(f.db, 0, 0, 1, 1, 4);
        std::string path = (f.dir.path() / "protected.dxf").string();
        std::ofstream(path) << "old";
        std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::group_read |
                                               std::filesystem::perms::others_read);
        EXPECT_EQ(f.Output(path), -6);
        ASSERT_EQ(f.prompt.asked.size(), 1u);
        EXPECT_EQ(f.prompt.filesAtMessage, std::vector<size_t>{1});  // no temporary file
        EXPECT_EQ(f.prompt.asked[0].text.rfind("Failure to output DXF file", 0), 0u);
        EXPECT_NE(f.prompt.asked[0].text.find("[" + path + "]"), std::string::npos);
        EXPECT_EQ(ReadFile(path), "old");
        EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                      std::filesystem::perms::others_read);
        EXPECT_EQ(FileCount(f.dir.path()), 1u);
    }
    {  // a link is written through: it stays a link, the file it names gets the drawing
        Fixture f;
        Line(f.db, 0, 0, 1, 1, 4);
        std::filesystem::create_directory(f.dir.path() / "parts");
        std::ofstream(f.dir.path() / "parts" / "real.dxf") << "old";
        std::filesystem::create_symlink("parts/real.dxf", f.dir.path() / "link.dxf");
        std::string path = (f.dir.path() / "link.dxf").string();
        EXPECT_EQ(f.Output(path), 0);
        EXPECT_TRUE(f.prompt.asked.empty());
        EXPECT_TRUE(std::filesystem::is_symlink(path));
        EXPECT_NE(ReadFile(f.dir.path() / "parts" / "real.dxf").find("ENTITIES"),
                  std::string::npos);
        EXPECT_EQ(FileCount(f.dir.path()), 2u);
        EXPECT_EQ(FileCount(f.dir.path() / "parts"), 1u);
    }
}

// The temporary file's ".tmp" and hidden name must not make a long name unwritable: every name
// the file system takes is written, and nothing else stays behind.
TEST(CDxfCtrlResultTest, NamesUpToTheLimitOfTheFileSystem) {
    for (size_t size : {240u, 244u, 250u, 255u}) {
        Fixture f;
        Line(f.db, 0, 0, 1, 1, 4);
        std::string path = (f.dir.path() / (std::string(size - 4, 'd') + ".dxf")).string();
        EXPECT_EQ(f.Output(path), 0) << size;
        EXPECT_TRUE(f.prompt.asked.empty()) << size;
        EXPECT_NE(ReadFile(path).find("ENTITIES"), std::string::npos) << size;
        EXPECT_EQ(FileCount(f.dir.path()), 1u) << size;
    }
}

TEST(CDxfCtrlResultTest, LayerTableFollowsTheOutputsAndTheirNames) {
    struct Case {
        const char* cut;
        const char* mark;
        const char* rapid;
        int markOutput;
        std::vector<std::string> layers;
    };
    const Case cases[] = {
        {"1", "1", "2", 1, {"1", "2"}},  // the defaults
        {"A", "a", "B", 1, {"A", "B"}},  // names compare ASCII-case-insensitively
        {"A", "B", "C", 1, {"A", "B", "C"}},
        {"A", "B", "A", 0, {"A"}},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.ctrl.settings.cut.layer = c.cut;
        f.ctrl.settings.mark.layer = c.mark;
        f.ctrl.settings.rapid.layer = c.rapid;
        f.ctrl.settings.mark.output = c.markOutput;
        EXPECT_EQ(f.ctrl.LayerList(), c.layers);
        Line(f.db, 0, 0, 1, 1, 4);
        std::string path = (f.dir.path() / "out.dxf").string();
        ASSERT_EQ(f.Output(path), 0);
        const std::string text = ReadFile(path);
        const std::string count = "LAYER\r\n 70\r\n     " + std::to_string(c.layers.size());
        EXPECT_NE(text.find(count), std::string::npos) << text;
        size_t entries = 0;
        for (size_t at = text.find("\r\n  0\r\nLAYER\r\n"); at != std::string::npos;
             at = text.find("\r\n  0\r\nLAYER\r\n", at + 1))
            ++entries;
        EXPECT_EQ(entries, c.layers.size());
        EXPECT_NE(text.find("\r\n  0\r\nENDTAB\r\n  0\r\nENDSEC"), std::string::npos);
    }
}

// A line-type index outside the table (a hand-edited settings file) writes CONTINUOUS.
TEST(CDxfCtrlResultTest, StylesByClassAndOption) {
    Fixture f;
    f.ctrl.settings.cut.lineTypeNo = 9;
    std::string out;
    CDtbEngine db;
    CDtbLine* cut = Line(db, 0, 0, 1, 1, 4);
    CDtbLine* punch = Line(db, 0, 0, 1, 1, 8);
    CDtbLine* both = Line(db, 0, 0, 1, 1, 6);  // not exactly 2, 4 or 8: rapid settings
    CDtbLine* joint = Line(db, 0, 0, 1, 1, 2);
    joint->SetOption(7, 999);
    const std::string head = "  0\r\nLINE\r\n  8\r\n";
    f.ctrl.WriteEntity(out, cut, 4);
    const std::string first = head + "1\r\n  6\r\nCONTINUOUS\r\n 62\r\n     1\r\n";
    EXPECT_EQ(out.substr(0, first.size()), first);
    out.clear();
    f.ctrl.WriteEntity(out, punch, 8);
    EXPECT_NE(out.find(" 62\r\n     1\r\n"), std::string::npos);
    out.clear();
    f.ctrl.WriteEntity(out, both, 6);
    EXPECT_NE(out.find("2\r\n  6\r\nDASHED\r\n 62\r\n     2\r\n"), std::string::npos);
    out.clear();
    f.ctrl.WriteEntity(out, joint, 2);
    EXPECT_NE(out.find(" 62\r\n     7\r\n"), std::string::npos);

    CDtbInfo info;
    info.classBits = 4;
    for (double end : {360.0, 90.0}) {
        CDtbArc arc(CxyzData(1, 2, 0), 3, end == 90.0 ? 90.0 : 0.0, end, 0, info);
        out.clear();
        f.ctrl.WriteEntity(out, &arc, 4);
        EXPECT_EQ(out.find("  0\r\nCIRCLE\r\n"), 0u) << end;
        EXPECT_EQ(out.find(" 50\r\n"), std::string::npos);
    }
}

// An arc whose sweep is within 0.001 degrees of none or of a whole turn, either way round, is
// written as a CIRCLE without angles; any other as an ARC with its two angles.
TEST(CDxfCtrlResultTest, FullTurnsInEitherDirectionAreCircles) {
    Fixture f;
    CDtbInfo info;
    info.classBits = 4;
    struct Case {
        double start, end;
        bool circle;
    };
    const Case cases[] = {
        {360, 0, true},      {0, 360, true},      {-180, 180, true},   {90, -270, true},
        {45, 45, true},      {0, 359.9995, true}, {360, 0.0005, true}, {0, 359.998, false},
        {360, 0.002, false}, {10, 350, false},    {350, 10, false},
    };
    for (const Case& c : cases) {
        CDtbArc arc(CxyzData(1, 2, 0), 3, c.start, c.end, 0, info);
        std::string out;
        EXPECT_EQ(f.ctrl.WriteEntity(out, &arc, 4), 1);
        const std::string kind = c.circle ? "  0\r\nCIRCLE\r\n" : "  0\r\nARC\r\n";
        EXPECT_EQ(out.find(kind), 0u) << c.start << ".." << c.end;
        EXPECT_NE(out.find(" 40\r\n3.000000\r\n"), std::string::npos) << c.start << ".." << c.end;
        EXPECT_EQ(out.find(" 50\r\n") != std::string::npos, !c.circle) << c.start << ".." << c.end;
        EXPECT_EQ(out.find(" 51\r\n") != std::string::npos, !c.circle) << c.start << ".." << c.end;
    }
}

// The approach processing works on a copy: the source keeps every element as it was.
TEST(CDxfCtrlResultTest, SourceIsNeverChanged) {
    Fixture f;
    Line(f.db, 5, 5, 10, 5, 4);
    Line(f.db, 10, 5, 30, 5, 4);
    Line(f.db, 30, 5, 30, 25, 4);
    Line(f.db, 30, 25, 10, 25, 4);
    Line(f.db, 10, 25, 10, 5.5, 4);
    f.ctrl.settings.aprProc = 1;
    const size_t count = f.db.GetCount();
    std::string path = (f.dir.path() / "out.dxf").string();
    ASSERT_EQ(f.Output(path), 0);
    EXPECT_EQ(f.db.GetCount(), count);
    EXPECT_EQ(f.db.GetFirstElement()->GetOption(7), 0u);
    EXPECT_DOUBLE_EQ(DtbCast<CDtbLine>(f.db.GetFirstElement())->start.x, 5);
    EXPECT_TRUE(f.ctrl.WorkCopy().IsEmpty());
}
