// Tests of the DXF entity subset and the binary drawing layouts on our own fixture files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "kernel/io/DxfEntityParser.h"
#include "kernel/io/HndDrawingParser.h"

namespace {

std::string Fixture(const char* name) {
    std::ifstream in(std::string(MORVALEN_TEST_DATA) + "/kernel/io/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using Kind = DrawingEntity::Kind;

void ExpectLine(const DrawingEntity& e, double x1, double y1, double x2, double y2) {
    EXPECT_EQ(e.kind, Kind::Line);
    EXPECT_DOUBLE_EQ(e.x1, x1);
    EXPECT_DOUBLE_EQ(e.y1, y1);
    EXPECT_DOUBLE_EQ(e.x2, x2);
    EXPECT_DOUBLE_EQ(e.y2, y2);
}

void ExpectArc(const DrawingEntity& e, double cx, double cy, double r, double a0, double a1) {
    EXPECT_EQ(e.kind, Kind::Arc);
    EXPECT_DOUBLE_EQ(e.x1, cx);
    EXPECT_DOUBLE_EQ(e.y1, cy);
    EXPECT_DOUBLE_EQ(e.radius, r);
    EXPECT_DOUBLE_EQ(e.startAngle, a0);
    EXPECT_DOUBLE_EQ(e.endAngle, a1);
}

std::vector<DrawingEntity> Dxf(std::string_view text) {
    std::vector<DrawingEntity> out;
    ParseDxfEntities(text, out);
    return out;
}

}  // namespace

// The same drawing written plainly (LF) and as CAD programs write it (CR LF, Z groups, handles,
// subclass markers, extrusion): both read as the same four entities.
TEST(DxfEntityParserTest, ReadsTheSameDrawingWithAndWithoutZGroups) {
    for (const char* name : {"no_z.dxf", "with_z.dxf"}) {
        SCOPED_TRACE(name);
        const auto es = Dxf(Fixture(name));
        ASSERT_EQ(es.size(), 4u);
        ExpectLine(es[0], 1.5, 2.5, 11.5, -2.5);
        ExpectArc(es[1], 5, 6, 2.25, 10, 350);
        ExpectArc(es[2], -3, 4, 1, 0, 360);  // CIRCLE
        ExpectLine(es[3], 0, 0, 7, 0);       // after a dropped TEXT whose value is "LINE"
    }
}

TEST(DxfEntityParserTest, TruncatedFileKeepsTheEntitiesBeforeTheCut) {
    const auto es = Dxf(Fixture("truncated.dxf"));
    ASSERT_EQ(es.size(), 3u);  // the LINE cut in the middle is still open: dropped
    ExpectLine(es[0], 1.5, 2.5, 11.5, -2.5);
}

TEST(DxfEntityParserTest, SectionSearchAndPairRules) {
    struct Case {
        const char* name;
        std::string text;
        bool hasSection;
        size_t count;
    };
    const std::string open = "0\nSECTION\n2\nENTITIES\n";
    const Case cases[] = {
        {"no ENTITIES section", Fixture("no_entities.dxf"), false, 0},
        {"code line with leading blanks and tabs",
         " \t 0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  0\nEOF\n", true, 1},
        {"trailing blank on the section name", "0\nSECTION \n2\nENTITIES\n0\nLINE\n0\nEOF\n", false,
         0},
        {"lower case section name", "0\nsection\n2\nENTITIES\n0\nLINE\n0\nEOF\n", false, 0},
        {"value LINE with a trailing blank is dropped", open + "0\nLINE \n10\n1\n0\nEOF\n", true,
         0},
        {"open entity at the end of the text is dropped", open + "0\nLINE\n10\n1\n", true, 0},
        {"reading stops at ENDSEC", open + "0\nLINE\n0\nENDSEC\n0\nLINE\n0\nEOF\n", true, 1},
        {"a second ENTITIES section is not read",
         open + "0\nARC\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLINE\n0\nEOF\n", true, 1},
        {"mismatch restarts after the mismatching line",
         "0\n0\nSECTION\n2\nENTITIES\n0\nLINE\n0\nEOF\n", false, 0},
        {"infinite number drops the entity", open + "0\nLINE\n10\n1e999\n0\nLINE\n0\nEOF\n", true,
         1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Dxf(c.text).size(), c.count) << c.name;
        EXPECT_EQ(HasDxfEntitiesSection(c.text), c.hasSection) << c.name;
    }
}

TEST(DxfEntityParserTest, NumbersInCNotationStopAtTheFirstStrangeCharacter) {
    const auto es =
        Dxf("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n  +1.5e1mm\n20\n2,5\n11\nabc\n"
            "21\n-.25\n0\nEOF\n");
    ASSERT_EQ(es.size(), 1u);
    ExpectLine(es[0], 15, 2, 0, -0.25);
}

// An ARC written 10, 20, 30, 40, 50, 51 keeps its centre: the Z group is skipped.
TEST(DxfEntityParserTest, ZGroupAfterTheCentreKeepsTheCentre) {
    const auto es =
        Dxf("0\nSECTION\n2\nENTITIES\n0\nARC\n10\n3\n20\n4\n30\n9\n40\n2\n50\n0\n"
            "51\n90\n0\nEOF\n");
    ASSERT_EQ(es.size(), 1u);
    ExpectArc(es[0], 3, 4, 2, 0, 90);
}

TEST(HndDrawingParserTest, ReadsEachLayout) {
    struct Case {
        const char* file;
        bool statusA525Read;
    };
    for (const Case& c :
         {Case{"layout1.hnd", true}, Case{"layout2.hnd", true}, Case{"layout3.hnd", false}}) {
        SCOPED_TRACE(c.file);
        std::vector<DrawingEntity> es;
        ParseHndDrawing(Fixture(c.file), es);
        ASSERT_EQ(es.size(), c.statusA525Read ? 4u : 3u);
        ExpectLine(es[0], 10, 10, 20, 10);
        ExpectArc(es[1], 15, 15, 5, 0, 90);
        ExpectLine(es[2], 1, 1, 2, 2);  // hidden layer, but the current one
        if (c.statusA525Read) ExpectLine(es[3], 3, 3, 4, 4);
    }
}

TEST(HndDrawingParserTest, LayoutByteAndProductChooseTheLayout) {
    EXPECT_EQ(HndLayoutOf(HndProduct::Rimbleton, 79).number, 2);
    EXPECT_EQ(HndLayoutOf(HndProduct::Rimbleton, 80).number, 3);
    EXPECT_EQ(HndLayoutOf(HndProduct::ZedPlint, 79).number, 1);
    EXPECT_EQ(HndLayoutOf(HndProduct::ZedPlint, 255).number, 3);
    EXPECT_EQ(HndProductOf(Fixture("layout1.hnd")), HndProduct::ZedPlint);
    EXPECT_EQ(HndProductOf(Fixture("layout2.hnd")), HndProduct::Rimbleton);
    EXPECT_EQ(HndProductOf("RMBTRimble"), HndProduct::None);
}

// Short, cut and lying files give nothing and are never read past their end (ASan build).
TEST(HndDrawingParserTest, ShortAndTruncatedFilesGiveNothing) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::string l1 = Fixture("layout1.hnd");
    const std::string l2 = Fixture("layout2.hnd");
    const std::string l3 = Fixture("layout3.hnd");
    std::string lying = l2;
    lying[242] = 10;  // ten records promised, nine held
    std::string unknown = l2;
    unknown[4] = 'X';
    const Case cases[] = {
        {"1023 bytes", l1.substr(0, 1023)},
        {"layout 1 cut inside its last record", l1.substr(0, l1.size() - 1)},
        {"layout 2 cut before its first record", l2.substr(0, 12703)},
        {"layout 3 header fields beyond a 2000-byte file", l3.substr(0, 2000)},
        {"layout 3 cut inside its records", l3.substr(0, l3.size() - 100)},
        {"count promises more records than the file holds", lying},
        {"unknown product", unknown},
        {"empty", std::string()},
    };
    for (const Case& c : cases) {
        // Copy into an exactly sized heap block so that ASan sees any read past the end.
        std::vector<char> block(c.bytes.begin(), c.bytes.end());
        std::vector<DrawingEntity> es;
        ParseHndDrawing(std::string_view(block.data(), block.size()), es);
        EXPECT_TRUE(es.empty()) << c.name;
    }
}
