// Condition table: row order, default rows, round trip and the safe rewrite.
#include "nc/machine/CToolData.h"

#include <gtest/gtest.h>

#include "MachineTestSupport.h"

using machine_test::ConfigFixture;
using machine_test::Fixture;
using machine_test::ReadAll;
using machine_test::WriteAll;
namespace fs = std::filesystem;

namespace {

void ExpectTenDefaultRows(const CToolData& t) {
    ASSERT_EQ(t.RowCount(), 10u);
    ASSERT_EQ(t.ToolNo.size(), 10u);
    const char* names[10] = {"Low", "Middle", "High", "", "", "", "Marking", "", "", ""};
    const uint32_t colours[10] = {255,      65535,    16776960, 16776960, 16776960,
                                  16776960, 16777215, 16776960, 16776960, 16776960};
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(t.ToolNo[i], i + 1);
        EXPECT_EQ(t.ToolName[i], names[i]);
        EXPECT_EQ(t.ToolColorRGB[i], colours[i]);
        EXPECT_TRUE(t.ToolHigh[i].empty());
        EXPECT_TRUE(t.ToolDiameter[i].empty());
    }
}

}  // namespace

TEST(CToolData, RowsSortByUnsignedNumberKeepingFileOrderOfEqualNumbers) {
    CToolData t;
    t.LoadFrom(Fixture("tools.ntd"));
    EXPECT_EQ(t.ToolNo, (std::vector<uint32_t>{2, 5, 5, 9, 4294967295u}));
    EXPECT_EQ(t.ToolName,
              (std::vector<std::string>{"Two", "Five A", "Five B", "\x90\xd8\x92\x66", "Last"}));
    EXPECT_EQ(t.ToolHigh, (std::vector<std::string>{"2.0", "1.0", "3.0", "", "4.0"}));
    EXPECT_EQ(t.ToolColorRGB, (std::vector<uint32_t>{65280, 255, 16711680, 0, 16776960}));
    EXPECT_EQ(t.DrawShavColor, 1);
    EXPECT_EQ(t.ShavString1, "E");
    EXPECT_EQ(t.ShavString3, "#600=2");
    EXPECT_EQ(t.OtherHigh, "0.8");
    EXPECT_EQ(t.OtherName, "Other");
    EXPECT_EQ(t.OtherColorRGB, 128u);
}

TEST(CToolData, DefaultRows) {
    struct Case {
        const char* text;  // nullptr: no file at all
        size_t rows;       // 10: the default rows
    } cases[] = {
        {nullptr, 10},
        {"", 10},
        {"[TOOL000]\r\nToolNo=0\r\nToolHigh=1\r\nToolDiameter=2\r\n", 10},
        {"[TOOL000]\r\nToolNo=3\r\nToolHigh=1\r\nToolDiameter=2\r\n", 1},
        {"[TOOL001]\r\nToolNo=3\r\n", 10},  // no TOOL000: no rows
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        fs::path file = dir.path() / "Za_Reve.ntd";
        if (c.text) WriteAll(file, c.text);
        CToolData t;
        t.LoadFrom(file);
        if (c.rows == 10) {
            ExpectTenDefaultRows(t);
        } else {
            ASSERT_EQ(t.RowCount(), 1u);
            EXPECT_EQ(t.ToolNo[0], 3u);
            EXPECT_EQ(t.ToolHigh[0], "1");
        }
        EXPECT_EQ(t.DrawShavColor, 0);
        EXPECT_EQ(t.ShavString1, "A");
        EXPECT_EQ(t.ShavString2, "W");
        EXPECT_EQ(t.ShavString3, "#501=1");
        EXPECT_EQ(t.OtherColorRGB, CToolData::kDefaultColour);
        EXPECT_FALSE(c.text == nullptr && fs::exists(file));  // a load never writes
    }
}

TEST(CToolData, RoundTripKeepsRowsWithEmptyHeights) {
    ConfigFixture f;
    fs::copy_file(Fixture("tools.ntd"), f.dir.path() / "Za_Reve.ntd");
    CToolData a(&f.ctx);
    EXPECT_EQ(a.FilePath(), f.dir.path() / "Za_Reve.ntd");
    ASSERT_EQ(a.Load(), 1);
    ASSERT_EQ(a.Save(), 1);
    CToolData b(&f.ctx);
    b.Load();
    EXPECT_EQ(b.ToolNo, a.ToolNo);
    EXPECT_EQ(b.ToolHigh, a.ToolHigh);
    EXPECT_EQ(b.ToolDiameter, a.ToolDiameter);
    EXPECT_EQ(b.ToolName, a.ToolName);
    EXPECT_EQ(b.ToolColorRGB, a.ToolColorRGB);
    EXPECT_EQ(b.ShavString2, "S");
    EXPECT_EQ(b.OtherDiameter, "0.1");
    const std::string text = ReadAll(f.dir.path() / "Za_Reve.ntd");
    EXPECT_EQ(text.rfind("[TITLE]\r\nTitle=Tool Data\r\n", 0), 0u);
    EXPECT_NE(text.find("[TOOL004]\r\nToolNo=-1\r\n"), std::string::npos);

    // The default rows, named and recoloured but without heights, survive a save.
    test::TempDir other;
    CToolData d;
    d.LoadFrom(other.path() / "none.ntd");
    d.ToolName[4] = "Fine";
    d.ToolColorRGB[4] = 42;
    ASSERT_EQ(d.SaveTo(other.path() / "t.ntd"), 1);
    CToolData e;
    e.LoadFrom(other.path() / "t.ntd");
    ASSERT_EQ(e.RowCount(), 10u);
    EXPECT_EQ(e.ToolName[4], "Fine");
    EXPECT_EQ(e.ToolColorRGB[4], 42u);
    EXPECT_EQ(e.ToolName[0], "Low");
}

TEST(CToolData, SaveDropsRowsOfALongerTable) {
    ConfigFixture f;
    fs::copy_file(Fixture("tools.ntd"), f.dir.path() / "Za_Reve.ntd");
    CToolData t(&f.ctx);
    t.Load();
    for (auto* list : {&t.ToolHigh, &t.ToolDiameter, &t.ToolName}) list->resize(2);
    t.ToolNo.resize(2);
    t.ToolColorRGB.resize(2);
    ASSERT_EQ(t.Save(), 1);
    CToolData r(&f.ctx);
    r.Load();
    EXPECT_EQ(r.ToolNo, (std::vector<uint32_t>{2, 5}));
    EXPECT_EQ(ReadAll(f.dir.path() / "Za_Reve.ntd").find("[TOOL002]"), std::string::npos);
}

TEST(CToolData, SaveFailureIsReportedAndLeavesTheTable) {
    test::TempDir dir;
    CToolData t;
    t.LoadFrom(dir.path() / "none.ntd");
    EXPECT_EQ(t.SaveTo(dir.path() / "missing" / "Za_Reve.ntd"), 0);
    // A folder in the way of the rename: the write fails, the folder and its content stay.
    fs::create_directory(dir.path() / "Za_Reve.ntd");
    WriteAll(dir.path() / "Za_Reve.ntd" / "keep", "x");
    EXPECT_EQ(t.SaveTo(dir.path() / "Za_Reve.ntd"), 0);
    EXPECT_EQ(ReadAll(dir.path() / "Za_Reve.ntd" / "keep"), "x");
    // No temporary file is left behind.
    size_t entries = 0;
    for (auto& e : fs::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
    CToolData noContext;
    EXPECT_EQ(noContext.Load(), 0);
    EXPECT_EQ(noContext.Save(), 0);
}

TEST(CToolData, RoundTripUnderDecimalCommaLocale) {
    machine_test::DecimalCommaLocale locale;
    if (!locale.active()) GTEST_SKIP() << "no decimal-comma locale installed";
    test::TempDir dir;
    CToolData t;
    t.LoadFrom(Fixture("tools.ntd"));
    ASSERT_EQ(t.SaveTo(dir.path() / "t.ntd"), 1);
    CToolData r;
    r.LoadFrom(dir.path() / "t.ntd");
    EXPECT_EQ(r.ToolNo, t.ToolNo);
    EXPECT_EQ(r.ToolHigh, t.ToolHigh);
    EXPECT_EQ(r.ToolColorRGB, t.ToolColorRGB);
}
