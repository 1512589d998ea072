// Route layers of the process-start modes, the skip-log route and the outside start position.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "ViewTestSupport.h"
#include "platform/Library.h"
#include "views/model/ElemViewModel.h"

using viewtest::Info;
using viewtest::Lines;

namespace {

// A line of the document carrying its NC line and part number.
std::unique_ptr<CDtbLine> NcLine(int lineNo, int classBits = 4, int prtNo = 0) {
    auto l = std::make_unique<CDtbLine>(CxyzData(lineNo, 0, 0), CxyzData(lineNo + 1, 1, 0),
                                        Info(classBits));
    l->attributes.Add("LineNo=" + std::to_string(lineNo));
    l->attributes.Add("PrtNo=" + std::to_string(prtNo));
    return l;
}

// LineNo of each top-level element of a layer (-1 for none).
std::vector<int> LineNos(const ViewLayer& layer) {
    std::vector<int> out;
    for (const CDtbElement* e = layer.GetFirstElement(); e; e = e->link.next) {
        const int i = e->attributes.FindPrefix("LineNo=");
        out.push_back(i < 0 ? -1 : std::stoi(std::string(e->attributes.GetAt(i).substr(7))));
    }
    return out;
}

struct Block {
    int start, end, seq;
};

class RouteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ctx.IniPath = dir.path() / "MV_System.ini";
        ctx.Elements = &doc;
        ctx.FindBlockRange = [this](int mode, int line, int* start, int* end, int* seq) {
            modes.push_back(mode);
            for (const Block& b : blocks) {
                if (line >= b.start && line <= b.end) {
                    *start = b.start, *end = b.end, *seq = b.seq;
                    return true;
                }
            }
            return false;
        };
        view.SetClientRect(0, 0, 400, 300);
        view.LoadSettings();
    }

    void Project() { view.SetViewType(kViewTop, 0, 0, 0); }

    test::TempDir dir;
    CDtbEngine doc;
    ElemViewContext ctx;
    viewtest::RecordingPainter painter;
    ElemViewModel view{&ctx, &painter};
    std::vector<Block> blocks;
    std::vector<int> modes;
};

TEST_F(RouteTest, PickedBlockIsSelectedAndTheRestIsIncomplete) {
    for (int n : {3, 4}) doc.Append(NcLine(n));
    doc.Append(NcLine(5, 1));  // a rapid move
    CDtbNode* arc = doc.Append(std::make_unique<CDtbNode>("Tessmark", "Punch", "PunchInfo"));
    arc->attributes.Add("LineNo=5");
    arc->attributes.Add("PrtNo=0");
    doc.NodeUp(arc);
    doc.Append(std::make_unique<CDtbArc>(CxyzData(), 5, 0, 90, 0, Info(8)));
    doc.NodeDown();
    for (int n : {6, 7}) doc.Append(NcLine(n));
    blocks = {{0, 3, 10}, {4, 5, 40}, {6, 7, 60}};
    Project();

    int seq = -1;
    EXPECT_EQ(view.BuildRouteLayers(0, 0, 5, &seq), 0);
    EXPECT_EQ(seq, 40);
    EXPECT_EQ(LineNos(view.Layer(LayerSelectedRoute)), (std::vector<int>{4, 5, 5}));
    EXPECT_EQ(LineNos(view.Layer(LayerIncompleteRoute)), (std::vector<int>{6, 7}));
    const auto selected = Lines(view.Layer(LayerSelectedRoute));
    EXPECT_EQ(selected[0]->info.red, 255);
    EXPECT_EQ(selected[0]->info.green, 128);
    EXPECT_EQ(selected[0]->noDisplay, 0);
    EXPECT_EQ(selected[1]->noDisplay, 1);  // selected rapid moves are hidden
    // The group's arc (already a DevideArc group in LayerMain) comes as pieces.
    const CDtbNode* group = DtbCast<CDtbNode>(selected[1]->link.next);
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->Is("Tessmark", "Punch"));
    EXPECT_TRUE(DtbCast<CDtbNode>(group->firstChild)->Is("Tessmark", "DevideArc"));
    EXPECT_EQ(Lines(view.Layer(LayerIncompleteRoute))[0]->info.green, 255);
    EXPECT_EQ(Lines(view.Layer(LayerIncompleteRoute))[0]->info.blue, 0);
    EXPECT_EQ(modes.back(), 0);
}

TEST_F(RouteTest, Failures) {
    for (int n : {3, 4, 5}) doc.Append(NcLine(n, 4, 1));
    blocks = {{3, 4, 30}, {5, 5, -1}};
    Project();
    struct Case {
        int prtNo, lineNo, result;
    } cases[] = {
        {-1, 3, -1}, {1, -1, -1},  // negative arguments
        {1, 9, -1},                // no block
        {1, 5, -1},                // a block without a sequence number
        {0, 3, -2},                // another part
        {1, 4, 0},
    };
    for (const Case& c : cases) {
        view.Layer(LayerSelectedRoute).Append(std::make_unique<CDtbLine>());
        int seq = -7;
        EXPECT_EQ(view.BuildRouteLayers(1, c.prtNo, c.lineNo, &seq), c.result) << c.lineNo;
        if (c.result != 0) {
            EXPECT_TRUE(view.Layer(LayerSelectedRoute).IsEmpty());
            EXPECT_TRUE(view.Layer(LayerIncompleteRoute).IsEmpty());
        }
    }
    EXPECT_EQ(modes.back(), 1);
    // The line of a block that made no element: nothing selected.
    blocks = {{3, 4, 30}, {8, 9, 80}};
    int seq = -1;
    doc.Append(NcLine(8, 4, 1));
    Project();
    EXPECT_EQ(view.BuildRouteLayers(1, 1, 9, &seq), -2);
}

TEST_F(RouteTest, BlockStartsAtItsOwnFirstElement) {
    // Line 4 made two elements; line 6 none; a sub-program called before the block (lines
    // 20, 21) lies between the blocks.
    doc.Append(NcLine(3));
    doc.Append(NcLine(20));
    doc.Append(NcLine(21));
    doc.Append(NcLine(4));
    doc.Append(NcLine(4));
    doc.Append(NcLine(5));
    doc.Append(NcLine(7));
    blocks = {{0, 3, 1}, {4, 5, 40}, {6, 7, 60}};
    Project();
    int seq = 0;
    EXPECT_EQ(view.BuildRouteLayers(0, 0, 5, &seq), 0);
    EXPECT_EQ(LineNos(view.Layer(LayerSelectedRoute)), (std::vector<int>{4, 4, 5}));
    EXPECT_EQ(view.BuildRouteLayers(0, 0, 7, &seq), 0);
    EXPECT_EQ(LineNos(view.Layer(LayerSelectedRoute)), (std::vector<int>{7}));
    // The block ran to the end of the list: nothing is left incomplete.
    EXPECT_TRUE(view.Layer(LayerIncompleteRoute).IsEmpty());
}

TEST_F(RouteTest, LineNumbersRunningBackwardsEndTheSelection) {
    for (int n : {10, 11, 12, 3, 4}) doc.Append(NcLine(n));
    blocks = {{10, 30, 100}, {0, 9, 1}};
    Project();
    int seq = 0;
    EXPECT_EQ(view.BuildRouteLayers(0, 0, 11, &seq), 0);
    EXPECT_EQ(LineNos(view.Layer(LayerSelectedRoute)), (std::vector<int>{10, 11, 12}));
    EXPECT_EQ(LineNos(view.Layer(LayerIncompleteRoute)), (std::vector<int>{3, 4}));
}

TEST_F(RouteTest, ViewChangesRebuildTheRoutesOfTheirProcessMode) {
    for (int n : {3, 4, 5}) doc.Append(NcLine(n));
    blocks = {{3, 3, 30}, {4, 5, 40}};
    ctx.PickPos[0] = 0;
    ctx.PickPos[1] = 4;
    ctx.ProcessMode = 31;
    view.SetViewType(kViewFront, 0, 0, 0);
    EXPECT_EQ(LineNos(view.Layer(LayerSelectedRoute)), (std::vector<int>{4, 5}));
    EXPECT_EQ(modes.back(), 1);
    // A rotation rebuilds them too, in the new projection.
    view.SetRotationAngles({0, 0, 90}, 4);
    const auto selected = Lines(view.Layer(LayerSelectedRoute));
    const auto main = Lines(view.Layer(LayerMain));
    EXPECT_NEAR(selected[0]->end.x, main[1]->end.x, 1e-12);
    EXPECT_NEAR(selected[0]->end.y, main[1]->end.y, 1e-12);

    // Until a pick is made the layers stay empty.
    ctx.PickPos[0] = ctx.PickPos[1] = -1;
    ctx.ProcessMode = 30;
    view.SetViewType(kViewTop, 0, 0, 0);
    EXPECT_TRUE(view.Layer(LayerSelectedRoute).IsEmpty());
}

TEST_F(RouteTest, SkipLogRouteIsProjectedAndDrawn) {
    CDtbEngine route;
    route.Append(std::make_unique<CDtbLine>(CxyzData(1, 2, 3), CxyzData(4, 5, 6), Info(4)));
    route.Append(std::make_unique<CDtbArc>(CxyzData(), 5, 0, 90, 0, Info(4)));
    view.SetViewType(kViewFront, 0, 0, 0);
    EXPECT_EQ(view.SetSkipLogRoute(route), 2);
    const auto lines = Lines(view.Layer(LayerSkipLogRoute));
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0]->start.y, 3);  // front: z
    ASSERT_EQ(painter.calls.size(), 1u);
    EXPECT_EQ(painter.calls[0].layer, LayerSkipLogRoute);
    EXPECT_EQ(painter.calls[0].colour, (ViewRgb{255, 255, 255}));
    EXPECT_EQ(painter.calls[0].width, 2);
    EXPECT_EQ(painter.calls[0].mask, 4095);
    EXPECT_TRUE(view.Layer(LayerAcAxis).IsEmpty());

    CDtbEngine empty;
    EXPECT_EQ(view.SetSkipLogRoute(empty), 0);
    EXPECT_TRUE(view.Layer(LayerSkipLogRoute).IsEmpty());
    EXPECT_EQ(painter.calls.size(), 1u);

    // In process mode 4 a view change re-projects the document's route and moves the torch.
    ctx.ProcessMode = 4;
    ctx.SkipLogElements = &route;
    ctx.SkipLogStart = CxyzData(7, 8, 9);
    view.SetViewType(kViewTop, 0, 0, 0);
    EXPECT_EQ(Lines(view.Layer(LayerSkipLogRoute)).size(), 9u);
    EXPECT_EQ(Lines(view.Layer(LayerSkipLogRoute))[0]->start.y, 2);
    ASSERT_EQ(painter.torch.size(), 1u);
    EXPECT_EQ(painter.torch[0].stepKind, 4);
    EXPECT_EQ(painter.torch[0].moveKind, 200);
    EXPECT_EQ(painter.torch[0].position.z, 9);
}

TEST_F(RouteTest, ProcessStartPositionGoesToTheOutsideLibrary) {
    EXPECT_EQ(view.CallSetProcStartPos(1, 40), 0);  // no library
    platform::Library lib;
    ctx.DerOre = &lib;
    EXPECT_EQ(view.CallSetProcStartPos(1, 40), 0);  // not loaded
    const std::filesystem::path folder =
        std::filesystem::path(MORVALEN_BINARY_DIR) / "stubs/derore";
    ASSERT_TRUE(lib.Open(folder, "derore.dll")) << lib.Error();
    int* lastSeq = static_cast<int*>(lib.Symbol("LastSeq"));
    ASSERT_NE(lastSeq, nullptr);
    EXPECT_EQ(view.CallSetProcStartPos(1, 40), 1);
    EXPECT_EQ(*lastSeq, 40);
    EXPECT_EQ(view.CallSetProcStartPos(-1, 41), 0);  // refused
    EXPECT_EQ(*lastSeq, 41);
    ctx.EditMode = 1;
    EXPECT_EQ(view.CallSetProcStartPos(2, 42), 0);  // the editor holds the pane: no call
    EXPECT_EQ(*lastSeq, 41);
}

}  // namespace
