// Tests of loading drawing files into an element database.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "TempDir.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/io/DrawingFileRead.h"

namespace {

std::string FixturePath(const char* name) {
    return std::string(MORVALEN_TEST_DATA) + "/kernel/io/" + name;
}

std::vector<const CDtbElement*> TopLevel(const CDtbEngine& engine) {
    std::vector<const CDtbElement*> out;
    for (const CDtbElement* e = engine.GetFirstElement(); e; e = e->link.next) out.push_back(e);
    return out;
}

}  // namespace

TEST(DrawingFileReadTest, FileTypes) {
    test::TempDir dir;
    const auto empty = dir.path() / "empty.dat";
    std::ofstream(empty).close();
    struct Case {
        std::string path;
        int type;
    };
    const Case cases[] = {
        {FixturePath("no_z.dxf"), 2},
        {FixturePath("with_z.dxf"), 2},
        {FixturePath("no_entities.dxf"), -2},
        {FixturePath("layout2.hnd"), 1},
        {FixturePath("layout3.hnd"), 1},
        {FixturePath("layout1.hnd"), 1},  // the older product's name is a drawing too
        {FixturePath("missing.dxf"), -1},
        {dir.path().string(), -1},
        {empty.string(), -2},
    };
    for (const Case& c : cases) EXPECT_EQ(CZkFile().GetFileType(c.path), c.type) << c.path;
}

TEST(DrawingFileReadTest, DxfElementsGetTheReaderAttributes) {
    CDtbEngine engine;
    ASSERT_EQ(FileRead(engine, FixturePath("with_z.dxf")), 0);
    const auto es = TopLevel(engine);
    ASSERT_EQ(es.size(), 4u);
    const CDtbLine* line = DtbCast<CDtbLine>(es[0]);
    ASSERT_TRUE(line);
    EXPECT_DOUBLE_EQ(line->start.x, 1.5);
    EXPECT_DOUBLE_EQ(line->end.y, -2.5);
    EXPECT_EQ(line->start.z, 0.0);
    const CDtbInfo expected{255, 255, 255, 1, 1, 1, 0, 0};
    EXPECT_EQ(line->info, expected);
    const CDtbArc* circle = DtbCast<CDtbArc>(es[2]);
    ASSERT_TRUE(circle);
    EXPECT_DOUBLE_EQ(circle->centre.x, -3);
    EXPECT_DOUBLE_EQ(circle->startAngle, 0);
    EXPECT_DOUBLE_EQ(circle->endAngle, 360);
    EXPECT_EQ(circle->direction, 0);
    EXPECT_EQ(circle->info, expected);
}

TEST(DrawingFileReadTest, ReadersAppendAtTheCurrentLevel) {
    CDtbEngine engine;
    auto* node = new CDtbNode("Tessmark", "Punch1", "");
    engine.AppendDtb(node);
    engine.NodeUp(node);
    EXPECT_EQ(FileReadHnd(engine, FixturePath("layout1.hnd")), 0);
    engine.NodeDown();
    EXPECT_EQ(FileReadDxf(engine, FixturePath("no_z.dxf")), 0);
    EXPECT_EQ(TopLevel(engine).size(), 5u);  // the group and four DXF entities
    size_t children = 0;
    for (const CDtbElement* e = node->firstChild; e; e = e->link.next) ++children;
    EXPECT_EQ(children, 4u);
}

TEST(DrawingFileReadTest, MissingShortAndTruncatedFiles) {
    test::TempDir dir;
    std::ifstream in(FixturePath("layout3.hnd"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const auto cut = dir.path() / "cut.hnd";
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, 2000);

    CDtbEngine engine;
    EXPECT_EQ(FileReadDxf(engine, FixturePath("missing.dxf")), -1);
    EXPECT_EQ(FileRead(engine, FixturePath("missing.dxf")), -1);
    EXPECT_EQ(FileReadHnd(engine, FixturePath("missing.hnd")), 0);
    EXPECT_EQ(FileRead(engine, cut), 0);  // a drawing by its name, too short for its header
    EXPECT_EQ(FileRead(engine, FixturePath("no_entities.dxf")), -2);
    EXPECT_EQ(FileReadDxf(engine, FixturePath("no_entities.dxf")), 0);
    EXPECT_EQ(FileRead(engine, FixturePath("truncated.dxf")), 0);
    EXPECT_EQ(TopLevel(engine).size(), 3u);  // only the complete entities of the cut DXF
}
