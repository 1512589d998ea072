// Scene layers from small machine files: grid, sheet frame, moved sheet and danger zones.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TempDir.h"
#include "ViewTestSupport.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CPunchTool.h"
#include "views/model/ElemViewModel.h"

using viewtest::Info;
using viewtest::Lines;

namespace {

struct Segment {
    CxyzData a, b;
};

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        ctx.IniPath = dir.path() / "MV_System.ini";
        ctx.Elements = &doc;
        ctx.Machine = &machine;
        ctx.PunchTool = &punch;
        ASSERT_EQ(machine.LoadFrom(viewtest::CopyFixture("punch.nmd", dir.path())), 1);
        ASSERT_EQ(punch.ReadPossessedFile(viewtest::Fixture("dies.dat")), 0);
        ASSERT_EQ(punch.ReadArrangementFile(viewtest::Fixture("turret.arr")), 0);
        doc.Append(std::make_unique<CDtbLine>(CxyzData(10, 10, 0), CxyzData(110, 60, 5), Info(4)));
    }

    std::unique_ptr<ElemViewModel> View(int type, double rx = 0, double ry = 0, double rz = 0) {
        auto v = std::make_unique<ElemViewModel>(&ctx, &painter);
        v->SetClientRect(0, 0, 400, 300);
        v->LoadSettings();
        EXPECT_TRUE(v->SetViewType(type, rx, ry, rz));
        return v;
    }

    // Every line of a layer against world segments projected by the view.
    static void ExpectSegments(const ElemViewModel& v, ViewLayerId layer,
                               const std::vector<Segment>& world, CxyData shift = {}) {
        const auto lines = Lines(v.Layer(layer));
        ASSERT_EQ(lines.size(), world.size());
        for (size_t i = 0; i < world.size(); ++i) {
            const CxyzData a = v.Projection().Project(world[i].a);
            const CxyzData b = v.Projection().Project(world[i].b);
            EXPECT_NEAR(lines[i]->start.x, a.x + shift.x, 1e-9) << "line " << i;
            EXPECT_NEAR(lines[i]->start.y, a.y + shift.y, 1e-9) << "line " << i;
            EXPECT_NEAR(lines[i]->end.x, b.x + shift.x, 1e-9) << "line " << i;
            EXPECT_NEAR(lines[i]->end.y, b.y + shift.y, 1e-9) << "line " << i;
            EXPECT_EQ(lines[i]->start.z, 0.0);
        }
    }

    // The sheet (origin at -G92BaseInit = (-100, -50)) and its clamps at 300 and 700.
    static std::vector<Segment> SheetSegments() {
        std::vector<Segment> s = {
            {{-100, -50, 0}, {900, -50, 0}},
            {{900, -50, 0}, {900, 450, 0}},
            {{900, 450, 0}, {-100, 450, 0}},
            {{-100, 450, 0}, {-100, -50, 0}},
        };
        for (double clamp : {300.0, 700.0}) {
            const double x = -100 + clamp - 40;
            s.push_back({{x, -50, 0}, {x, -30, 0}});
            s.push_back({{x, -30, 0}, {x + 80, -30, 0}});
            s.push_back({{x + 80, -30, 0}, {x + 80, -50, 0}});
        }
        return s;
    }

    test::TempDir dir;
    CNcReadInfo machine;
    CPunchTool punch;
    CDtbEngine doc;
    ElemViewContext ctx;
    viewtest::RecordingPainter painter;
};

TEST_F(SceneTest, GridSpansProgramOriginAndReferencePointInEveryViewType) {
    // Box: x -100..110, y -50..60, z -20..5; widened by a tenth of each size.
    const double lo[3] = {-121, -61, -22.5};
    const double hi[3] = {131, 71, 7.5};
    struct Case {
        int type;
        Segment first;  // the first line of the first family, in world coordinates
    } cases[] = {
        {kViewTop, {{lo[0], lo[1], lo[2]}, {lo[0], hi[1], lo[2]}}},
        {kViewFront, {{lo[0], hi[1], lo[2]}, {lo[0], hi[1], hi[2]}}},
        {kViewLeft, {{hi[0], lo[1], lo[2]}, {hi[0], lo[1], hi[2]}}},
        {kViewIso, {{lo[0], lo[1], lo[2]}, {lo[0], hi[1], lo[2]}}},
    };
    for (const Case& c : cases) {
        auto v = View(c.type, 0, 0, c.type == kViewIso ? 15 : 0);
        const auto lines = Lines(v->Layer(LayerGrid));
        ASSERT_EQ(lines.size(), 34u) << c.type;
        for (const CDtbLine* l : lines) {
            EXPECT_EQ(l->info.classBits, 256);
            EXPECT_EQ(l->info.red, 95);
            EXPECT_EQ(l->info.penWidth, 1);
        }
        const CxyzData a = v->Projection().Project(c.first.a);
        const CxyzData b = v->Projection().Project(c.first.b);
        EXPECT_NEAR(lines[0]->start.x, a.x, 1e-9) << c.type;
        EXPECT_NEAR(lines[0]->start.y, a.y, 1e-9) << c.type;
        EXPECT_NEAR(lines[0]->end.x, b.x, 1e-9) << c.type;
        EXPECT_NEAR(lines[0]->end.y, b.y, 1e-9) << c.type;
        // Thirteen lines a tenth of the size apart: x steps of 21, y steps of 11.
        if (c.type != kViewIso) {
            const CxyzData first = lines[0]->start;
            const CxyzData last = lines[12]->start;
            EXPECT_NEAR(std::hypot(last.x - first.x, last.y - first.y),
                        c.type == kViewLeft ? 132 : 252, 1e-9);
        }
    }
    // In the top view the four edges between the faces are seen end on.
    auto top = View(kViewTop);
    const auto lines = Lines(top->Layer(LayerGrid));
    for (size_t i = 30; i < 34; ++i) {
        EXPECT_NEAR(lines[i]->start.x, lines[i]->end.x, 1e-12);
        EXPECT_NEAR(lines[i]->start.y, lines[i]->end.y, 1e-12);
    }
    // The outline of the opposite face lies over the grid's border lines.
    EXPECT_NEAR(lines[26]->start.x, lines[0]->start.x, 1e-12);
}

TEST_F(SceneTest, GridNeedsElements) {
    doc.Empty();
    auto v = View(kViewTop);
    EXPECT_EQ(v->BuildGrid(), 0);
    EXPECT_TRUE(v->Layer(LayerGrid).IsEmpty());
    EXPECT_EQ(Lines(v->Layer(LayerSheetFrame)).size(), 10u);  // the sheet is still built
}

TEST_F(SceneTest, SheetFrameAndClampsInEveryViewType) {
    for (int type : {kViewTop, kViewFront, kViewLeft, kViewIso}) {
        auto v = View(type, 10, 20, 30);
        EXPECT_EQ(v->MachineOrigin().x, -100);
        EXPECT_EQ(v->MachineOrigin().y, -50);
        ExpectSegments(*v, LayerSheetFrame, SheetSegments());
        for (const CDtbLine* l : Lines(v->Layer(LayerSheetFrame))) {
            EXPECT_EQ(l->info.classBits, 1024);
            EXPECT_EQ(l->info.penKind, 1);
            EXPECT_EQ(l->info.red, 255);
        }
    }
}

TEST_F(SceneTest, NoFrameDisplayLeavesTheSheetLayersEmpty) {
    ASSERT_EQ(machine.LoadFrom(viewtest::CopyFixture("noframe.nmd", dir.path())), 1);
    auto v = View(kViewTop);
    EXPECT_EQ(v->BuildSheetFrame(), 1);
    const double reset[3] = {0, 0, 0};
    const double step[3] = {5, 5, 100};
    EXPECT_EQ(v->MoveSheet(reset), 1);
    EXPECT_EQ(v->MoveSheet(step), 1);
    EXPECT_EQ(v->BuildDangerZones(1), 1);
    for (ViewLayerId id : {LayerSheetFrame, LayerMovedSheet, LayerDangerZone})
        EXPECT_TRUE(v->Layer(id).IsEmpty()) << id;
    EXPECT_TRUE(painter.calls.empty());
}

TEST_F(SceneTest, MovedSheetFollowsTheSheetInEveryProjection) {
    for (int type : {kViewTop, kViewFront, kViewLeft, kViewIso}) {
        auto v = View(type, 0, 0, type == kViewIso ? 20 : 0);
        painter.calls.clear();
        const double reset[3] = {0.0005, -0.0005, 0};
        EXPECT_EQ(v->MoveSheet(reset), 1);
        EXPECT_EQ(v->SheetPosition().x, -100);
        ExpectSegments(*v, LayerMovedSheet, SheetSegments());
        ASSERT_EQ(painter.calls.size(), 1u);
        EXPECT_EQ(painter.calls[0].layer, LayerMovedSheet);
        EXPECT_EQ(painter.calls[0].colour, (ViewRgb{255, 255, 255}));
        EXPECT_EQ(painter.calls[0].mask, 1024);

        const double first[3] = {500, 20, 100};
        const double second[3] = {600, 30, 50};
        v->MoveSheet(first);
        painter.calls.clear();
        v->MoveSheet(second);
        EXPECT_EQ(v->SheetPosition().x, 50);
        // Painted out, the sheet dimmed, the copy painted.
        ASSERT_EQ(painter.calls.size(), 3u);
        EXPECT_EQ(painter.calls[0].layer, LayerMovedSheet);
        EXPECT_EQ(painter.calls[0].colour, (ViewRgb{23, 26, 50}));
        EXPECT_EQ(painter.calls[1].layer, LayerSheetFrame);
        EXPECT_EQ(painter.calls[1].colour, (ViewRgb{123, 123, 123}));
        EXPECT_EQ(painter.calls[2].layer, LayerMovedSheet);
        EXPECT_EQ(painter.calls[2].colour, (ViewRgb{255, 255, 255}));

        // The copy sits 150 along world x, whatever the projection makes of that.
        std::vector<Segment> moved = SheetSegments();
        for (Segment& s : moved) s.a.x += 150, s.b.x += 150;
        const ViewLayer& layer = v->Layer(LayerMovedSheet);
        std::vector<const CDtbLine*> sheet;
        const CDtbElement* e = layer.GetFirstElement();
        for (size_t i = 0; i < 10; ++i, e = e->link.next) sheet.push_back(DtbCast<CDtbLine>(e));
        for (size_t i = 0; i < 10; ++i) {
            const CxyzData a = v->Projection().Project(moved[i].a);
            EXPECT_NEAR(sheet[i]->start.x, a.x, 1e-9) << type << " line " << i;
            EXPECT_NEAR(sheet[i]->start.y, a.y, 1e-9) << type << " line " << i;
        }
        // Two workholders of diameter 40 about (600 - 200, 30) and (600 + 200, 40).
        int circles = 0;
        for (; e; e = e->link.next) {
            const CDtbNode* g = DtbCast<CDtbNode>(e);
            ASSERT_NE(g, nullptr);
            EXPECT_TRUE(g->Is("Tessmark", "DevideArc"));
            const CDtbLine* piece = DtbCast<CDtbLine>(g->firstChild);
            const CxyzData at =
                v->Projection().Project(circles == 0 ? CxyzData(420, 30, 0) : CxyzData(820, 40, 0));
            EXPECT_NEAR(piece->start.x, at.x, 1e-9);
            EXPECT_NEAR(piece->start.y, at.y, 1e-9);
            EXPECT_EQ(piece->info.classBits, 1024);
            ++circles;
        }
        EXPECT_EQ(circles, 2);
    }
}

TEST_F(SceneTest, HolderCountIsHeldToTheThreeWorkholders) {
    for (auto [count, circles] : {std::pair{0, 0}, {3, 3}, {5, 3}, {-2, 0}}) {
        machine.HolderCount = count;
        auto v = View(kViewTop);
        const double step[3] = {0, 0, 10};
        v->MoveSheet(step);
        EXPECT_EQ(viewtest::TopCount(v->Layer(LayerMovedSheet)), 10 + circles) << count;
    }
}

TEST_F(SceneTest, DangerZonesSitOnTheClampsOfTheMovedSheet) {
    for (int type : {kViewTop, kViewFront, kViewLeft, kViewIso}) {
        auto v = View(type);
        const double reset[3] = {0, 0, 0};
        const double first[3] = {0, 0, 100};
        const double second[3] = {0, 0, 50};
        v->MoveSheet(reset);
        v->MoveSheet(first);
        v->MoveSheet(second);
        painter.calls.clear();
        ASSERT_EQ(v->BuildDangerZones(1), 1);  // station 1: 30 wide, 40 high
        std::vector<Segment> zones;
        for (double clamp : {300.0, 700.0}) {
            const double x = 50 + clamp - 15;
            zones.push_back({{x, -50, 0}, {x, -10, 0}});
            zones.push_back({{x, -10, 0}, {x + 30, -10, 0}});
            zones.push_back({{x + 30, -10, 0}, {x + 30, -50, 0}});
        }
        ExpectSegments(*v, LayerDangerZone, zones);
        EXPECT_EQ(Lines(v->Layer(LayerDangerZone))[0]->info.red, 255);
        EXPECT_EQ(Lines(v->Layer(LayerDangerZone))[0]->info.classBits, 1024);
        ASSERT_EQ(painter.calls.size(), 2u);
        EXPECT_EQ(painter.calls[0].colour, (ViewRgb{23, 26, 50}));
        EXPECT_EQ(painter.calls[1].colour, (ViewRgb{255, 0, 0}));
        EXPECT_EQ(painter.calls[1].style, 1);
    }
}

TEST_F(SceneTest, DangerZonesWithoutAStationOrSizeLeaveAnEmptyLayer) {
    auto v = View(kViewTop);
    struct Case {
        int tool;
        int result;
        size_t paints;
    } cases[] = {
        {2, 0, 1},     // a station without a zone size
        {7, 0, 1},     // a station whose die is not possessed
        {99, 0, 1},    // no station
        {-5, 0, 1},    // no tool
        {-999, 1, 0},  // only empties
    };
    for (const Case& c : cases) {
        ASSERT_EQ(v->BuildDangerZones(1), 1);
        ASSERT_FALSE(v->Layer(LayerDangerZone).IsEmpty());
        painter.calls.clear();
        EXPECT_EQ(v->BuildDangerZones(c.tool), c.result) << c.tool;
        EXPECT_TRUE(v->Layer(LayerDangerZone).IsEmpty()) << c.tool;
        EXPECT_EQ(painter.calls.size(), c.paints) << c.tool;
    }
    ctx.PunchTool = nullptr;
    EXPECT_EQ(v->BuildDangerZones(1), 0);
}

}  // namespace
