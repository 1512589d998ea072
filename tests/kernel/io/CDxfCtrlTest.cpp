// Tests of the DXF output: golden files, results and messages, and reading the output back.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "TempDir.h"
#include "TestFiles.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"
#include "kernel/io/CDxfCtrl.h"
#include "kernel/io/DrawingFileRead.h"
#include "platform/ScriptedPrompt.h"

namespace {

const std::string kData = std::string(MORVALEN_TEST_DATA) + "/kernel/io/";
const std::string kShipped = std::string(MORVALEN_SOURCE_DIR) + "/resources/shipped";

CDtbInfo Info(int classBits) {
    CDtbInfo i;
    i.red = i.green = i.blue = 200;
    i.penWidth = 1;
    i.penKind = 1;
    i.classBits = classBits;
    return i;
}

CDtbLine* Line(CDtbEngine& db, double x1, double y1, double x2, double y2, int cls) {
    auto* l = new CDtbLine(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0), Info(cls));
    db.AppendDtb(l);
    return l;
}

CDtbArc* Arc(CDtbEngine& db, double cx, double cy, double r, double a0, double a1, int dir,
             int cls) {
    auto* a = new CDtbArc(CxyzData(cx, cy, 0), r, a0, a1, dir, Info(cls));
    db.AppendDtb(a);
    return a;
}

// A laser program's tool path: a square after a 5 mm approach with a lead-out, a second square
// ending at a 0.5 mm joint, a circle cut as a 358-degree arc after an approach, a punch figure
// in a group, a marking line, a hidden line, a point, and an arc of 10 to 350 degrees.
void BuildPart(CDtbEngine& db) {
    Line(db, 0, 0, 5, 5, 1);   // rapid to the first pierce point
    Line(db, 5, 5, 10, 5, 4);  // approach
    Line(db, 10, 5, 30, 5, 4);
    Line(db, 30, 5, 30, 25, 4);
    Line(db, 30, 25, 10, 25, 4);
    Line(db, 10, 25, 10, 5, 4);
    Line(db, 10, 5, 12, 7, 4);  // lead-out
    Line(db, 12, 7, 45, 5, 1);
    Line(db, 45, 5, 40, 5, 4);  // approach of the joint square
    Line(db, 40, 5, 40, 25, 4);
    Line(db, 40, 25, 35, 25, 4);
    Line(db, 35, 25, 35, 5, 4);
    Line(db, 35, 5, 39.5, 5, 4);  // stops 0.5 short of the corner
    Line(db, 39.5, 5, 50, 15, 1);
    Line(db, 50, 15, 52, 15, 4);          // approach of the circle
    Arc(db, 60, 15, 8, -180, 178, 0, 4);  // 358 degrees from (52, 15)
    auto* group = new CDtbNode("Tessmark", "Punch1", "");
    db.AppendDtb(group);
    db.NodeUp(group);
    Arc(db, 80, 15, 3, 0, 360, 0, 8);
    Line(db, 77, 15, 83, 15, 8);
    db.NodeDown();
    Line(db, 0, 40, 20, 40, 2);  // marking
    Line(db, 1, 1, 2, 2, 4)->noDisplay = 1;
    db.AppendDtb(new CDtbPoint(CxyzData(3, 3, 0), 1, Info(4)));
    Arc(db, 100, 15, 5, 10, 350, 1, 4);
}

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

DxfAppServices Services(platform::UserPrompt* prompt) {
    DxfAppServices s;
    s.ProgramFolder = kShipped;
    s.IniPath = "/nonexistent/MV_System.ini";
    s.NcName = "PART01.NC";
    s.Prompt = prompt;
    return s;
}

struct Mode {
    const char* golden;
    int aprProc;
    int aprMode;
};
const Mode kModes[] = {
    {"golden_plain.dxf", 0, 0},
    {"golden_approach_deleted.dxf", 1, 0},
    {"golden_approach_marked.dxf", 1, 1},
};

// Writes the part in the given mode to dir/name and returns the path.
std::filesystem::path WritePart(const test::TempDir& dir, const Mode& mode, const char* name,
                                bool viaDialog = false) {
    CDtbEngine db;
    BuildPart(db);
    platform::ScriptedPrompt prompt;
    CDxfCtrl ctrl(&db, Services(&prompt));
    ctrl.ReadSettings();
    ctrl.settings.aprProc = mode.aprProc;
    ctrl.settings.aprMode = mode.aprMode;
    ctrl.settings.cut.layer = "CUT";
    ctrl.settings.mark.layer = "MARK";
    ctrl.settings.rapid.layer = "FF";
    ctrl.settings.approach.layer = "APR";
    ctrl.settings.joint.layer = "JNT";
    std::string path = (dir.path() / name).string();
    if (viaDialog) {
        prompt.fileNames.push_back(path);
        std::string folder = dir.path().string();
        EXPECT_EQ(ctrl.OutputDxf(0, folder), 0);
        EXPECT_EQ(folder, path);
        EXPECT_EQ(prompt.asked.size(), 1u);
    } else {
        EXPECT_EQ(ctrl.OutputDxf(1, path), 0);
        EXPECT_TRUE(prompt.asked.empty());
    }
    EXPECT_TRUE(ctrl.WorkCopy().IsEmpty());
    return path;
}

class ScopedNumericLocale {
public:
    explicit ScopedNumericLocale(const char* name) {
        const char* old = std::setlocale(LC_ALL, nullptr);
        saved_ = old ? old : "C";
        ok_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ScopedNumericLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string saved_;
    bool ok_ = false;
};

}  // namespace

// The output of every mode (plain, approaches deleted, approaches marked), byte for byte, under the
// C locale and a decimal-comma locale. MORVALEN_UPDATE_GOLDENS=1 rewrites the golden files instead
// and fails.
TEST(CDxfCtrlTest, OutputMatchesTheGoldenFiles) {
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        ScopedNumericLocale scoped(locale);
        if (!scoped.ok()) {
            ADD_FAILURE() << "locale " << locale << " missing (locale-gen)";
            continue;
        }
        for (const Mode& mode : kModes) {
            SCOPED_TRACE(std::string(locale) + " " + mode.golden);
            test::TempDir dir;
            const std::string out = ReadFile(WritePart(dir, mode, "part.dxf"));
            if (test::UpdateGolden(kData + mode.golden, out)) continue;
            EXPECT_EQ(out, ReadFile(kData + mode.golden));
            // A name chosen in the save dialog gives the same bytes.
            EXPECT_EQ(ReadFile(WritePart(dir, mode, "chosen.dxf", true)), out);
        }
    }
}

namespace {

struct Box {
    double minX = 1e15, minY = 1e15, maxX = -1e15, maxY = -1e15;
};

size_t CountEntities(const std::string& text) {
    size_t n = 0;
    for (const char* kind : {"\r\nLINE\r\n", "\r\nARC\r\n", "\r\nCIRCLE\r\n"}) {
        for (size_t at = text.find(kind); at != std::string::npos; at = text.find(kind, at + 1))
            ++n;
    }
    return n;
}

}  // namespace

// Every file the writer makes is read back by ezdxf (Debian's python3-ezdxf) and by our own
// reader: the same entity count, the same extents, and the header extents as written.
TEST(CDxfCtrlTest, OutputReadsBackWithEzdxfAndOurReader) {
    const std::string script = kData + "read_dxf_extents.py";
    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "/usr/bin/python3 cannot import ezdxf";
    for (const Mode& mode : kModes) {
        SCOPED_TRACE(mode.golden);
        test::TempDir dir;
        const auto path = WritePart(dir, mode, "part.dxf");
        const std::string text = ReadFile(path);
        const size_t written = CountEntities(text);

        const std::string command = "/usr/bin/python3 '" + script + "' '" + path.string() + "'";
        FILE* pipe = ::popen(command.c_str(), "r");
        ASSERT_TRUE(pipe);
        char buf[512] = {};
        const size_t got = std::fread(buf, 1, sizeof buf - 1, pipe);
        ASSERT_EQ(::pclose(pipe), 0) << command;
        std::istringstream line(std::string(buf, got));
        line.imbue(std::locale::classic());
        size_t count = 0;
        Box ez, header;
        line >> count >> ez.minX >> ez.minY >> ez.maxX >> ez.maxY >> header.minX >> header.minY >>
            header.maxX >> header.maxY;
        ASSERT_FALSE(line.fail()) << buf;
        EXPECT_EQ(count, written);

        CDtbEngine back;
        ASSERT_EQ(FileRead(back, path), 0);
        EXPECT_EQ(back.GetCount(), written);
        CxyData min(1e15, 1e15), max(-1e15, -1e15);
        back.MinMax(&min, &max);
        EXPECT_NEAR(min.x, ez.minX, 1e-5);
        EXPECT_NEAR(min.y, ez.minY, 1e-5);
        EXPECT_NEAR(max.x, ez.maxX, 1e-5);
        EXPECT_NEAR(max.y, ez.maxY, 1e-5);

        // The header holds the extents of the unprocessed drawing widened by 3 %.
        CDtbEngine source;
        BuildPart(source);
        CxyData smin(1e15, 1e15), smax(-1e15, -1e15);
        source.MinMaxMask(&smin, &smax, 15);
        const double w = smax.x - smin.x, h = smax.y - smin.y;
        EXPECT_NEAR(header.minX, smin.x - 0.03 * w, 1e-6);
        EXPECT_NEAR(header.minY, smin.y - 0.03 * h, 1e-6);
        EXPECT_NEAR(header.maxX, smax.x + 0.03 * w, 1e-6);
        EXPECT_NEAR(header.maxY, smax.y + 0.03 * h, 1e-6);
    }
}
