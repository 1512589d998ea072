// Special dies drawn from their figure files: the folder of the settings, missing and
// unreadable figures, and figures that change on disk during a run.
#include <gtest/gtest.h>

#include <fstream>

#include "nc/read/punch/PunchFigureCache.h"
#include "nc/read/punch/PunchStatus.h"
#include "tests/TempDir.h"
#include "tests/nc/read/punch/PunchTestSupport.h"

namespace {

namespace fs = std::filesystem;
using punchtest::Die;
using punchtest::Lines;

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// A DXF figure holding one line from (x0, y0) to (x1, y1).
std::string LineFigure(int x0, int y0, int x1, int y1) {
    return "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLINE\r\n8\r\n0\r\n10\r\n" + std::to_string(x0) +
           "\r\n20\r\n" + std::to_string(y0) + "\r\n11\r\n" + std::to_string(x1) + "\r\n21\r\n" +
           std::to_string(y1) + "\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n";
}

// A reader whose configuration folder, settings file and local application folder lie in a
// temporary folder; station 1 holds a special die with the given figure file.
struct Figures {
    test::TempDir dir;
    CNcReadInfo settings = punchtest::PunchSettings();
    CPunchTool tool;
    NcAppContext app;
    CNcRead reader{&app};
    CDtbEngine sink;

    explicit Figures(const std::string& shapeFile, int shape = kShapeSpecial) {
        app.ConfigFolder = dir.path() / "config";
        app.IniPath = app.ConfigFolder / "MV_System.ini";
        const std::string local = (dir.path() / "local").string();
        app.ConvertLocalAppPath = [local](int expand, std::string& path) {
            const std::string token = "<LOCAL_APP_NAME>";
            if (!expand || path.compare(0, token.size(), token) != 0) return 0;
            path = local + path.substr(token.size());
            return 1;
        };
        punchtest::SetDies(tool, {Die(104, shape, 10.0, 10.0, 0.0, 0.0, shapeFile)});
        app.PunchTool = &tool;
        reader.SetProgram({}, &settings, nullptr, 1);
    }
    std::string Hit(double x, double y, double angle) {
        sink.Empty();
        reader.State.LastElementEnd = CxyzData(x, y, 1.0);
        EXPECT_EQ(reader.PunchHit(0, CxyzData(x, y, 1.0), angle, &sink), kPunchDone);
        return punchtest::Dump(sink);
    }
};

// Where the figure files lie: the folder of the settings (the local application-data placeholder
// expanded, backslashes as separators, relative folders in the configuration folder) or, without
// the key, TOOL in the configuration folder. Each row writes a one-line figure there and hits
// with it: the figure is turned about the die's centre by the hit angle, recoloured and moved.
TEST(PunchFigure, FolderOfTheFigureFiles) {
    struct Case {
        const char* name;
        const char* setting;    // the value of PunchTool_SpcialFolder; null: no settings file
        const char* shapeFile;  // the die's figure name
        const char* placed;     // where the figure is written, below the temporary folder
        const char* folder;     // FigureFolder, below the temporary folder
        int shape;
        double x, y, angle;
        std::string figure;
        std::string drawn;  // the figure's line as drawn
    };
    const Case cases[] = {
        {"placeholder and backslashes", "<LOCAL_APP_NAME>\\figs", "sub\\key.dxf",
         "local/figs/sub/key.dxf", "local/figs/", kShapeStamping, 100.0, 50.0, 90.0,
         LineFigure(-5, 0, 5, 0), "(100.000,45.000,1.000)->(100.000,55.000,1.000)"},
        {"relative folder", "Dies\\Special\\", "key.dxf", "config/Dies/Special/key.dxf",
         "config/Dies/Special/", kShapeForming, 10.0, 0.0, 0.0, LineFigure(0, 0, 3, 4),
         "(10.000,0.000,1.000)->(13.000,4.000,1.000)"},
        {"default folder", nullptr, "key.dxf", "config/TOOL/key.dxf", "config/TOOL/", kShapeSpecial,
         -20.0, 5.0, 180.0, LineFigure(1, 2, 4, 2), "(-21.000,3.000,1.000)->(-24.000,3.000,1.000)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Figures f(c.shapeFile, c.shape);
        if (c.setting) {
            Write(f.app.IniPath,
                  std::string("[NcRead]\r\nPunchTool_SpcialFolder=") + c.setting + "\r\n");
        }
        Write(f.dir.path() / c.placed, c.figure);
        EXPECT_EQ(PunchFigureCache::FigureFolder(&f.app), (f.dir.path() / c.folder).string());
        const std::string at = punchtest::Num(c.x) + "," + punchtest::Num(c.y) + ",1.000";
        EXPECT_EQ(f.Hit(c.x, c.y, c.angle),
                  Lines({"L 1 10,20,30/1/1 (" + at + ")->(" + at + ")",
                         "G Tessmark/Punch1 | LineNo=0", "  L 8 200,0,0/2/3 " + c.drawn}));
    }
}

TEST(PunchFigure, MissingOrUnreadableFigureLeavesTheGroupEmpty) {
    const std::string empty = Lines({"L 1 10,20,30/1/1 (0.000,0.000,1.000)->(0.000,0.000,1.000)",
                                     "G Tessmark/Punch1 | LineNo=0"});
    Figures missing("none.dxf");
    EXPECT_EQ(missing.Hit(0.0, 0.0, 0.0), empty);
    Figures garbage("bad.dxf");
    Write(garbage.app.ConfigFolder / "TOOL" / "bad.dxf", "not a drawing\r\n");
    EXPECT_EQ(garbage.Hit(0.0, 0.0, 0.0), empty);
    Figures folder("");  // a die without a figure name names the folder itself
    fs::create_directories(folder.app.ConfigFolder / "TOOL");
    EXPECT_EQ(folder.Hit(0.0, 0.0, 0.0), empty);
}

TEST(PunchFigure, FigureChangedOnDiskIsReadAgain) {
    Figures f("key.dxf");
    const fs::path file = f.app.ConfigFolder / "TOOL" / "key.dxf";
    Write(file, LineFigure(0, 0, 1, 0));
    EXPECT_NE(f.Hit(0.0, 0.0, 0.0).find("(1.000,0.000,1.000)"), std::string::npos);
    EXPECT_NE(f.Hit(0.0, 0.0, 0.0).find("(1.000,0.000,1.000)"), std::string::npos);
    Write(file, LineFigure(0, 0, 22, 0));
    EXPECT_NE(f.Hit(0.0, 0.0, 0.0).find("(22.000,0.000,1.000)"), std::string::npos);
    fs::remove(file);
    EXPECT_EQ(f.Hit(0.0, 0.0, 0.0).find("  L 8"), std::string::npos);
}

}  // namespace
