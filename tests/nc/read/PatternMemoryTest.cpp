// Tests of the pattern memory (U, V, W lines), the G75/G76 repetitions and the G98 grids.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "NcReadFixture.h"

namespace {

using nctest::Program;

// The feed lines of the top level as "x0,y0>x1,y1" (lengths in whole units).
std::string Feeds(const CDtbEngine& db) {
    std::string out;
    for (const CDtbElement* e = db.GetFirstElement(); e; e = e->link.next) {
        const auto* l = DtbCast<CDtbLine>(e);
        if (!l || l->info.classBits == kDtbClassRapid) continue;
        if (!out.empty()) out += " ";
        out += nctest::Num(l->start.x) + "," + nctest::Num(l->start.y) + ">" +
               nctest::Num(l->end.x) + "," + nctest::Num(l->end.y);
    }
    return out;
}

TEST(PatternMemory, DefinitionsAndRecalls) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        const char* feeds;
    };
    const std::vector<Case> cases = {
        {"stored only", {"U65", "G01 X10.", "V65", "G01 Y10."}, "0.000,0.000>0.000,10.000"},
        {"in place and recalled",
         {"U10", "G91 G01 X10.", "V10", "W10", "G01 Y5."},
         "0.000,0.000>10.000,0.000 10.000,0.000>20.000,0.000 20.000,0.000>20.000,5.000"},
        // A nested definition runs in place; its V does not end the recall, the outer V does.
        {"nested",
         {"U1", "G91 G01 X1.", "U20", "G01 Y1.", "V20", "V1", "W1", "M30"},
         "0.000,0.000>1.000,0.000 1.000,0.000>1.000,1.000 1.000,1.000>2.000,1.000 "
         "2.000,1.000>2.000,2.000"},
        // A recalled pattern numbered 90 or more draws only what its recalls draw.
        {"pattern 95",
         {"U10", "G91 G01 Y1.", "V10", "U95", "G01 X1.", "W10", "V95", "W95", "M30"},
         "0.000,0.000>0.000,1.000 0.000,1.000>1.000,1.000 1.000,1.000>1.000,2.000 "
         "1.000,2.000>1.000,3.000"},
        // A recall whose definition is missing is an ordinary block.
        {"recall missing", {"W7", "G01 X1."}, "0.000,0.000>1.000,0.000"},
    };
    for (const Case& c : cases) {
        Program p(c.lines);
        EXPECT_EQ(Feeds(p.elements), c.feeds) << c.name;
        EXPECT_EQ(p.reader.State.RecallDepth, 0) << c.name;
    }
}

TEST(PatternMemory, MissingEndWhileGridSetEndsProgram) {
    Program p({"G98 X0. Y0. I10. P1", "U3", "G01 X1."});
    EXPECT_EQ(p.summary.End, NcRunnerEnd::EndOfProgram);
    EXPECT_EQ(p.summary.LastLine, 1);
    EXPECT_TRUE(p.elements.IsEmpty());
}

struct Cell {
    double x, y;
    uint32_t xCounter, yCounter, copy;
};

// The cells of the grid copies of the feed line of a pattern, in the order appended.
std::vector<Cell> Cells(const std::string& repeat) {
    Program p({"G98 X0. Y0. I100. J50. P2 K1", "U1", "G00 X10. Y10.", "G01 X20.", "V1", repeat,
               "G98 X0. Y0. I0. J0. P0 K0", "G01 X30.", "M30"});
    std::vector<Cell> cells;
    for (const CDtbElement* e = p.elements.GetFirstElement(); e; e = e->link.next) {
        const auto* l = DtbCast<CDtbLine>(e);
        if (!l || l->info.classBits != kDtbClassCut || l->end.x - l->start.x != 10.0) continue;
        cells.push_back(
            {l->start.x - 10.0, l->start.y - 10.0, l->option[1], l->option[2], l->option[5]});
    }
    return cells;
}

TEST(PatternMemory, GridWalks) {
    struct Case {
        const char* repeat;
        std::vector<std::array<double, 2>> offsets;
    };
    const std::vector<Case> cases = {
        {"G75 W1 Q1", {{0, 0}, {100, 0}, {200, 0}, {200, 50}, {100, 50}, {0, 50}}},
        {"G75 W1 Q4", {{200, 50}, {100, 50}, {0, 50}, {0, 0}, {100, 0}, {200, 0}}},
        {"G76 W1 Q1", {{0, 0}, {0, 50}, {100, 50}, {100, 0}, {200, 0}, {200, 50}}},
        {"G76 W1 Q4", {{200, 50}, {200, 0}, {100, 0}, {100, 50}, {0, 50}, {0, 0}}},
        {"G75 W1 Q2", {{200, 0}, {100, 0}, {0, 0}, {0, 50}, {100, 50}, {200, 50}}},
    };
    for (const Case& c : cases) {
        const std::vector<Cell> cells = Cells(c.repeat);
        ASSERT_EQ(cells.size(), c.offsets.size()) << c.repeat;
        for (size_t i = 0; i < cells.size(); ++i) {
            EXPECT_DOUBLE_EQ(cells[i].x, c.offsets[i][0]) << c.repeat << " cell " << i;
            EXPECT_DOUBLE_EQ(cells[i].y, c.offsets[i][1]) << c.repeat << " cell " << i;
            const bool origin = c.offsets[i][0] == 0 && c.offsets[i][1] == 0;
            EXPECT_EQ(cells[i].copy, origin ? 0u : 1u) << c.repeat << " cell " << i;
        }
    }
    // G76 Q4: the x counter is the outer (column) counter, the y counter the inner one.
    const std::vector<Cell> g76 = Cells("G76 W1 Q4");
    EXPECT_EQ(g76[2].xCounter, 1u);
    EXPECT_EQ(g76[2].yCounter, 0u);
}

TEST(PatternMemory, GridCopiesHideRapidsAndCarryRecord) {
    Program p({"G98 X0. Y0. I100. J50. P2 K1", "U1", "G00 X10. Y10.", "V1", "G75 W1 Q1",
               "G98 X0. Y0. I0. J0. P0 K0", "G00 X0. Y0.", "M30"});
    int rapids = 0, hidden = 0;
    const CDtbElement* last = nullptr;
    for (const CDtbElement* e = p.elements.GetFirstElement(); e; e = e->link.next) {
        ++rapids;
        if (e->noDisplay) ++hidden;
        last = e;
    }
    EXPECT_EQ(rapids, 7);  // six copies and the move after the grid ended
    EXPECT_EQ(hidden, 5);
    // After the grid is cleared a block is drawn once, without a copy record.
    EXPECT_EQ(last->option[3], 0u);
    const CDtbElement* first = p.elements.GetFirstElement();
    EXPECT_EQ(first->option[0], 2u);  // the block's line
    EXPECT_EQ(first->option[3], 2u);
    EXPECT_EQ(first->option[4], 1u);
    EXPECT_EQ(first->option[7], 4u);  // the G75 line
    EXPECT_DOUBLE_EQ(first->optionValue[0], 100.0);
    EXPECT_DOUBLE_EQ(first->optionValue[1], 50.0);
}

// Every element of a copy gets its texts moved, nodes and chords included.
TEST(PatternMemory, EveryCopiedTextFollowsItsCell) {
    Program p({"G98 X0. Y0. I100. P1", "G08 D10.", "M30"});
    std::vector<std::string> infos;
    std::function<void(const CDtbElement*)> walk = [&](const CDtbElement* e) {
        for (; e; e = e->link.next) {
            for (std::string_view t : e->attributes) {
                if (t.starts_with("ElmInfo=")) infos.emplace_back(t);
            }
            if (auto* n = DtbCast<CDtbNode>(e)) walk(n->firstChild);
        }
    };
    walk(p.elements.GetFirstElement());
    ASSERT_EQ(infos.size(), 2u * (1 + 1 + 72 + 2));  // approach, node, chords, retreat (2 texts)
    const std::string secondNode = infos[(1 + 1 + 72 + 2) + 1];
    EXPECT_EQ(secondNode,
              "ElmInfo=4 105.000 0.000 0.000 105.000 0.000 0.000 100.000 0.000 0.000 5.000 "
              "31.406 0 0.000 0.000");
    const std::string secondRetreatOwn = infos.back();
    EXPECT_EQ(secondRetreatOwn, "ElmInfo=3 105.000 0.000 0.000 100.000 0.000 0.000 5.000 0.000");
}

TEST(PatternMemory, MultiPartBlockEdges) {
    CNcReadInfo s = nctest::LaserSettings();
    s.G92BaseInit = {-0.0, -0.0, 50.0};
    // Absent words keep the position: z stays at the work origin, however many G98 blocks.
    Program twice({"G98 I10. P1", "G98 I10. P1", "G00 X1."}, s);
    EXPECT_DOUBLE_EQ(twice.reader.State.CurrentPos.z, -50.0);
    EXPECT_DOUBLE_EQ(twice.reader.State.PartOrigin.z, 0.0);

    // Counts of 0 or less make no copies.
    Program negative({"G98 X0. Y0. I10. P-3 K-1", "G01 X1."});
    EXPECT_EQ(negative.reader.State.PartCountX, 0);
    EXPECT_EQ(negative.elements.GetCount(), 1u);

    // A grid beyond the bound stops the program with an error.
    Program huge({"G98 X0. Y0. I1. J1. P10000 K10000", "G01 X1."});
    EXPECT_EQ(huge.summary.End, NcRunnerEnd::CountLimit);
    EXPECT_TRUE(huge.summary.Failed());
    EXPECT_EQ(huge.reader.State.PartCountX, 0);
    EXPECT_TRUE(huge.elements.IsEmpty());
}

TEST(PatternMemory, IncrementalRepetition) {
    CNcReadInfo s = nctest::LaserSettings();
    s.In_AbsInc = 1;
    Program p(
        {"G98 X0. Y0. I100. P1", "U1", "G01 X10.", "G01 X10.", "V1", "G75 W1 Q1", "G01 X5.", "M30"},
        s);
    EXPECT_EQ(p.reader.State.Incremental, 0);
    EXPECT_DOUBLE_EQ(p.reader.State.CurrentPos.x, 5.0);
    EXPECT_EQ(Feeds(p.elements),
              "0.000,0.000>10.000,0.000 100.000,0.000>110.000,0.000 10.000,0.000>20.000,0.000 "
              "110.000,0.000>120.000,0.000 20.000,0.000>5.000,0.000 120.000,0.000>105.000,0.000");
}

}  // namespace
