// The projected form of LayerMain paints exactly the pixels of the projected element tree.
#include <QImage>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "ElemViewFixture.h"
#include "kernel/db/CDtbPoint.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcProgramRunner.h"

namespace {

// Renders with the view's state as set, once from the projected form and once from the tree
// (asking for LayerMain's tree for change makes the view draw the tree).
struct TwoPictures {
    QImage projected, tree;
};

}  // namespace

class ProjectedDrawing : public ElemViewFixture {
protected:
    void SetUp() override {
        ElemViewFixture::SetUp();
        view->RenderAll();
        blank = view->BackBuffer().copy();
    }

    TwoPictures Render(const std::function<void()>& place) {
        view->OnUpdate();
        place();
        TwoPictures p;
        p.projected = view->BackBuffer().copy();
        (void)view->Model().Layer(LayerMain);
        (void)view->Model().Layer(LayerAcAxis);
        view->RenderAll();
        p.tree = view->BackBuffer().copy();
        return p;
    }

    void ExpectSame(const std::string& what, const std::function<void()>& place) {
        for (int state = 0; state < 6; ++state) {
            view->FrameState().TraceActive = state == 1;
            view->FrameState().EdgeDisp = state == 2 || state == 5;
            view->FrameState().ACAxis = state == 3 || state == 5;
            view->FrameState().Pens.drawShavColor = state == 4;
            // Dashed rapid moves go through the painter, solid ones straight into the image.
            view->FrameState().Pens.entries[kPenFF].style = state == 5 ? 1 : 0;
            view->FrameState().Pens.entries[kPenCut].width = state == 5 ? 3 : 1;
            view->FrameState().Pens.entries[kPenMark].style = state == 5 ? 1 : 0;
            view->FrameState().Pens.entries[kPenMark].width = state == 5 ? 2 : 1;
            const TwoPictures p = Render(place);
            ASSERT_NE(p.tree, blank) << what << ", state " << state;
            int differ = 0;
            for (int y = 0; y < p.tree.height(); ++y)
                for (int x = 0; x < p.tree.width(); ++x)
                    differ += p.tree.pixel(x, y) != p.projected.pixel(x, y);
            EXPECT_EQ(differ, 0) << what << ", state " << state;
        }
    }

    void ReadProgram(const char* file) {
        std::ifstream in(std::string(MORVALEN_SOURCE_DIR) + "/examples/" + file, std::ios::binary);
        ASSERT_TRUE(in) << file;
        std::vector<std::string> lines;
        for (std::string l; std::getline(in, l);) {
            if (!l.empty() && l.back() == '\r') l.pop_back();
            lines.push_back(l);
        }
        CNcRead reader;
        reader.SetProgram(lines, &machine, nullptr, 0);
        (void)NcProgramRunner(reader).Run(doc);
        ASSERT_FALSE(doc.IsEmpty());
        view->Context().Machine = &machine;
    }

    CNcReadInfo machine;
    QImage blank;
};

TEST_F(ProjectedDrawing, TheSamplePrograms) {
    for (const char* file : {"laser-sample.nc", "punch-sample.nc"}) {
        doc.Empty();
        ReadProgram(file);
        for (int type : {kViewTop, kViewIso}) {
            view->SetViewType(type, type == kViewIso ? 10 : 0, 0, type == kViewIso ? 30 : 0);
            const std::string name = std::string(file) + (type ? " iso" : " top");
            ExpectSame(name + " fitted", [] {});
            // Zoomed in beyond one pixel per unit: long lines are clamped.
            ExpectSame(name + " zoomed", [&] {
                for (int i = 0; i < 6; ++i) view->ZoomIn();
            });
        }
    }
}

TEST_F(ProjectedDrawing, GroupsHiddenElementsMarksAndColours) {
    auto info = [](ViewRgb c, int cls, int start = 0, int end = 0) {
        CDtbInfo i = Info(c, cls);
        i.startMark = start;
        i.endMark = end;
        return i;
    };
    auto line = [&](double x1, double y1, double x2, double y2, const CDtbInfo& i) {
        return std::make_unique<CDtbLine>(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0), i);
    };
    doc.Append(line(0, 0, 50, 40, info({1, 2, 3}, kDtbClassRapid)));
    doc.Append(line(50, 40, 120, 40, info({255, 0, 0}, kDtbClassCut, 1, 2)));
    doc.Append(std::make_unique<CDtbArc>(CxyzData(120, 80, 0), 40, 270, 90, 0,
                                         info({0, 255, 0}, kDtbClassCut, 2, 1)));
    doc.Append(std::make_unique<CDtbArc>(CxyzData(200, 80, 0), 30, 0, 360, 1,
                                         info({0, 0, 255}, kDtbClassMark, 7, 1)));
    CDtbLine* hidden = doc.Append(line(0, 200, 300, 250, info({9, 9, 9}, kDtbClassCut)));
    hidden->noDisplay = 1;
    // A punch group with a hidden arc last, a plain group ending in a point, a hidden group.
    CDtbNode* punch = doc.Append(std::make_unique<CDtbNode>("Tessmark", "Punch", ""));
    doc.NodeUp(punch);
    doc.Append(line(250, 150, 300, 150, info({255, 0, 0}, kDtbClassPunch)));
    doc.Append(line(300, 150, 300, 200, info({0, 255, 0}, kDtbClassCut, 0, 1)));
    CDtbArc* hiddenArc = doc.Append(std::make_unique<CDtbArc>(CxyzData(300, 220, 0), 20, 0, 180, 0,
                                                              info({0, 0, 255}, kDtbClassCut)));
    hiddenArc->noDisplay = 1;
    doc.NodeDown();
    CDtbNode* plain = doc.Append(std::make_unique<CDtbNode>("Other", "Kind", ""));
    doc.NodeUp(plain);
    doc.Append(line(20, 120, 80, 160, info({0, 255, 0}, kDtbClassCut)));
    CDtbNode* inner = doc.Append(std::make_unique<CDtbNode>("Tessmark", "DevideArc", ""));
    doc.NodeUp(inner);
    doc.Append(line(80, 160, 90, 180, info({0, 255, 0}, kDtbClassCut)));
    doc.Append(line(90, 180, 95, 200, info({0, 255, 0}, kDtbClassMark)));
    doc.NodeDown();
    doc.Append(std::make_unique<CDtbPoint>(CxyzData(10, 10, 0), 0u, CDtbInfo{}));
    doc.NodeDown();
    CDtbNode* gone = doc.Append(std::make_unique<CDtbNode>("Tessmark", "Punch2", ""));
    gone->noDisplay = 1;
    doc.NodeUp(gone);
    doc.Append(line(0, 290, 400, 290, info({255, 255, 255}, kDtbClassCut)));
    doc.NodeDown();
    doc.Append(line(95, 200, 95, 200, info({255, 0, 0}, kDtbClassCut, 1, 1)));
    CDtbNode* last = doc.Append(std::make_unique<CDtbNode>("Other", "Kind", ""));
    doc.NodeUp(last);
    doc.Append(line(330, 20, 380, 20, info({0, 255, 0}, kDtbClassCut)));
    CDtbArc* hiddenLast = doc.Append(std::make_unique<CDtbArc>(
        CxyzData(380, 40, 0), 20, 270, 90, 0, info({0, 255, 0}, kDtbClassCut)));
    hiddenLast->noDisplay = 1;
    doc.NodeDown();
    // Dotted mark lines in one polyline but for the group that ends at a rapid move between.
    doc.Append(line(150, 250, 170, 262, info({0, 0, 255}, kDtbClassMark)));
    CDtbNode* between = doc.Append(std::make_unique<CDtbNode>("Other", "Kind", ""));
    doc.NodeUp(between);
    doc.Append(line(170, 262, 170, 262, info({1, 2, 3}, kDtbClassRapid)));
    doc.NodeDown();
    doc.Append(line(170, 262, 190, 250, info({0, 0, 255}, kDtbClassMark)));
    doc.Append(line(190, 250, 210, 262, info({0, 0, 255}, kDtbClassMark)));
    ExpectSame("handmade", [] {});
    ExpectSame("handmade zoomed", [&] {
        for (int i = 0; i < 4; ++i) view->ZoomIn();
    });
}
