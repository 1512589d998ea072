// The element view model: document updates, view changes, fitting and its own client diagonal.
#include "views/model/ElemViewModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

#include "TempDir.h"
#include "ViewTestSupport.h"
#include "nc/machine/CNcReadInfo.h"

using viewtest::Info;
using viewtest::Lines;

namespace {

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ctx.IniPath = dir.path() / "MV_System.ini";
        ctx.Elements = &doc;
        ctx.Machine = &machine;
        machine.HeadType = 0;
        doc.Append(std::make_unique<CDtbLine>(CxyzData(0, 0, 0), CxyzData(100, 50, 10), Info(4)));
        doc.Append(std::make_unique<CDtbArc>(CxyzData(100, 0, 0), 50, 0, 90, 0, Info(4)));
        view.SetClientRect(0, 0, 400, 200);
    }

    test::TempDir dir;
    CNcReadInfo machine;
    CDtbEngine doc;
    ElemViewContext ctx;
    viewtest::RecordingPainter painter;
    ElemViewModel view{&ctx, &painter};
};

TEST_F(ModelTest, UpdateProjectsTheDocumentAndFitsTheWindow) {
    ASSERT_TRUE(view.SetViewType(kViewTop, 0, 0, 0));
    view.Layer(LayerSecond).Append(std::make_unique<CDtbLine>());
    view.Update();
    EXPECT_TRUE(view.Layer(LayerSecond).IsEmpty());
    EXPECT_EQ(viewtest::TopCount(view.Layer(LayerMain)), 2);
    EXPECT_EQ(Lines(view.Layer(LayerMain)).size(), 1u + 14u);
    EXPECT_EQ(viewtest::TopCount(view.Layer(LayerAcAxis)), 2);
    EXPECT_EQ(Lines(view.Layer(LayerGrid)).size(), 34u);
    EXPECT_TRUE(view.Layer(LayerSheetFrame).IsEmpty());  // FrameDisp 0
    // Box 0..150 x 0..50 with 0.15 margins, then widened to the 2:1 client.
    const ViewWindow& w = view.Window();
    EXPECT_DOUBLE_EQ(w.xmin, -22.5);
    EXPECT_DOUBLE_EQ(w.xmax, 172.5);
    EXPECT_DOUBLE_EQ(w.scaleX, 400 / 195.0);
    EXPECT_DOUBLE_EQ(w.ymin + w.ymax, 50);
    EXPECT_GE(painter.repaints, 1);
    EXPECT_TRUE(std::filesystem::exists(ctx.IniPath));  // the settings were read
}

TEST_F(ModelTest, ViewTypeChangeRebuildsButKeepsTheWindow) {
    view.SetViewType(kViewTop, 0, 0, 0);
    view.Update();
    const ViewWindow before = view.Window();
    const unsigned generation = view.MainLayerGeneration();
    ASSERT_TRUE(view.SetViewType(kViewFront, 0, 0, 0));
    EXPECT_NE(view.MainLayerGeneration(), generation);
    EXPECT_DOUBLE_EQ(view.Window().xmin, before.xmin);
    const CDtbLine* line = DtbCast<CDtbLine>(view.Layer(LayerMain).GetFirstElement());
    EXPECT_DOUBLE_EQ(line->end.y, 10);  // front: z up

    // A type above 3 changes nothing at all.
    const CDtbElement* first = view.Layer(LayerMain).GetFirstElement();
    EXPECT_FALSE(view.SetViewType(4, 1, 2, 3));
    EXPECT_EQ(view.ViewType(), kViewFront);
    EXPECT_EQ(view.Layer(LayerMain).GetFirstElement(), first);
    EXPECT_EQ(view.Projection().RotateAngles().x, 0);
}

TEST_F(ModelTest, RotationRebuildsAndFits) {
    view.SetViewType(kViewTop, 0, 0, 0);
    view.Update();
    painter.repaints = 0;
    view.SetRotationAngles({0, 0, 90}, 4);
    const CDtbLine* line = DtbCast<CDtbLine>(view.Layer(LayerMain).GetFirstElement());
    // Rotations are converted with 6.283185308 / 360, a little short of pi / 180.
    EXPECT_NEAR(line->end.x, -50, 1e-6);
    EXPECT_NEAR(line->end.y, 100, 1e-6);
    EXPECT_EQ(painter.repaints, 1);
    // The rotation drag: half the client height turns the first view angle by 90.
    view.DragRotate(0, 100);
    EXPECT_DOUBLE_EQ(view.Projection().ViewAngle(0), 180);
    EXPECT_EQ(painter.repaints, 2);
}

TEST_F(ModelTest, ZoomFitHoldsWhileThePaneSwitchesAndForEmptyLayers) {
    view.SetViewType(kViewTop, 0, 0, 0);
    bool switching = true;
    ctx.PaneSwitching = [&] { return switching; };
    view.Update();
    EXPECT_DOUBLE_EQ(view.Window().xmin, -1000);
    switching = false;
    doc.Empty();
    view.Update();
    EXPECT_DOUBLE_EQ(view.Window().ymin, -1000);  // nothing to fit: the window stays
    EXPECT_DOUBLE_EQ(view.Window().xmin, -2000);  // only matched to the client
}

TEST_F(ModelTest, ZoomFitOfASinglePointGivesAUsableWindow) {
    doc.Empty();
    doc.Append(std::make_unique<CDtbLine>(CxyzData(5, 5, 0), CxyzData(5, 5, 30), Info(4)));
    view.SetViewType(kViewTop, 0, 0, 0);
    view.Update();
    // In the top view the z move projects to rounding noise, not to an exact point.
    EXPECT_NEAR(view.Window().ymin, 4, 1e-9);
    EXPECT_NEAR(view.Window().ymax, 6, 1e-9);
    EXPECT_NEAR(view.Window().scaleX, 100, 1e-6);
}

TEST_F(ModelTest, EachViewKeepsItsOwnClientDiagonal) {
    ElemViewModel small(&ctx);
    small.SetClientRect(0, 0, 30, 40);
    view.SetViewType(kViewTop, 0, 0, 0);
    small.SetViewType(kViewIso, 0, 0, 0);
    view.Update();
    small.Update();
    EXPECT_DOUBLE_EQ(small.Window().clientDiagonal, 50);
    EXPECT_DOUBLE_EQ(view.Window().clientDiagonal, std::hypot(400, 200));
}

TEST_F(ModelTest, NavigationEndsWithAFittedWindowAndARepaint) {
    view.SetViewType(kViewTop, 0, 0, 0);
    view.MutableWindow() = ViewWindow{0, 0, 200, 100};
    ASSERT_EQ(view.FitAspect(), 1);
    painter.repaints = 0;
    view.ZoomIn();
    EXPECT_NEAR(view.Window().Width(), 132, 1e-9);
    view.ZoomOut();
    EXPECT_NEAR(view.Window().Width(), 198, 1e-9);
    EXPECT_EQ(view.ScrollUp(), 1);
    EXPECT_EQ(view.ScrollLeft(), 1);
    view.MutableSettings().Values[kMoveDirection] = 0;
    EXPECT_EQ(view.ScrollDown(), 1);
    EXPECT_EQ(view.ScrollRight(), 1);
    EXPECT_EQ(view.WheelZoom(0, 120, 200, 100), 0);
    view.DragZoom(100, 90);
    view.DragPan({0, 0}, 10, 10);
    EXPECT_NEAR(view.ClientToWorldX(10), 0, 1e-9);
    EXPECT_EQ(painter.repaints, 9);
    // A client without area: nothing changes and nothing is repainted.
    view.SetClientRect(0, 0, 0, 0);
    const ViewWindow before = view.Window();
    view.ZoomIn();
    EXPECT_EQ(painter.repaints, 9);
    view.SetClientRect(0, 0, 400, 200);
    EXPECT_EQ(view.FitAspect(), 1);
    EXPECT_NEAR(view.Window().Width(), before.Width() * 0.66, 1e-9);
}

}  // namespace

namespace {

// Every way LayerMain is made anew, and the window changes that repaint: the hovered element
// (a pointer into the old elements) is forgotten; a rebuild tells the painter first.
TEST_F(ModelTest, EveryRebuildAndWindowChangeForgetsTheHoveredElement) {
    view.SetViewType(kViewTop, 0, 0, 0);
    view.Update();
    struct Change {
        const char* name;
        bool rebuilds;
        std::function<void()> run;
    };
    const Change changes[] = {
        {"view type", true, [&] { view.SetViewType(kViewIso, 0, 0, 0); }},
        {"rotation dialog", true, [&] { view.SetRotationAngles(CxyzData(10, 0, 0), 1); }},
        {"rotation drag", true, [&] { view.DragRotate(5, 7); }},
        {"document update", true, [&] { view.Update(); }},
        {"editor commit", true, [&] { view.RebuildMainLayer(); }},
        {"tree handed out", false, [&] { (void)view.Layer(LayerMain); }},
        {"zoom", false, [&] { view.ZoomIn(); }},
        {"pan", false, [&] { view.DragPan(CxyData(0, 0), 10, 10); }},
        {"fit", false, [&] { view.ZoomFit(); }},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.name);
        const ProjectedLayer& main = view.MainDrawing();
        ASSERT_FALSE(main.IsEmpty());
        view.SetHover(RunsOf(main, 0, main.Runs()[0].source));
        ASSERT_NE(view.Hover().element, nullptr);
        const int before = painter.rebuilds;
        c.run();
        EXPECT_EQ(view.Hover().element, nullptr);
        EXPECT_EQ(painter.rebuilds - before, c.rebuilds ? 1 : 0);
    }
}

}  // namespace

namespace {

// The document frees its elements before it rebuilds them: nothing of the view may point into
// them meanwhile, and nothing is made from them until the view's own rebuild.
TEST_F(ModelTest, ReleasingTheDocumentDropsEverythingThatPointsIntoIt) {
    view.SetViewType(kViewTop, 0, 0, 0);
    view.Update();
    const ProjectedLayer& main = view.MainDrawing();
    view.SetHover(RunsOf(main, 0, main.Runs()[0].source));
    const unsigned generation = view.MainLayerGeneration();
    const int rebuilds = painter.rebuilds;
    view.ReleaseDocument();
    doc.Empty();  // what the document does next
    EXPECT_EQ(view.Hover().element, nullptr);
    EXPECT_EQ(painter.rebuilds, rebuilds + 1);
    EXPECT_NE(view.MainLayerGeneration(), generation);
    EXPECT_TRUE(view.MainDrawing().IsEmpty());
    ASSERT_NE(view.MainArrows(), nullptr);
    EXPECT_TRUE(view.MainArrows()->empty());
    EXPECT_TRUE(std::as_const(view).Layer(LayerMain).IsEmpty());
    doc.Append(std::make_unique<CDtbLine>(CxyzData(0, 0, 0), CxyzData(10, 0, 0), Info(4)));
    view.RebuildMainLayer();
    EXPECT_EQ(view.MainDrawing().Runs().size(), 1u);
}

}  // namespace
