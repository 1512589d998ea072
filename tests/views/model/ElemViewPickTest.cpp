// What a click on an element view picks: the nearest drawn element and its lines.
#include "views/model/ElemViewPick.h"

#include <gtest/gtest.h>

#include <memory>

#include "ViewTestSupport.h"
#include "views/model/ProjectedLayer.h"
#include "views/model/ViewWindow.h"

namespace {

using viewtest::Info;

std::unique_ptr<CDtbLine> Line(double x1, double y1, double x2, double y2, const char* line) {
    auto l = std::make_unique<CDtbLine>(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0), Info(4));
    l->attributes.Add({std::string("LineNo=") + line, "PrtNo=0"});
    return l;
}

TEST(ElemViewPick, NearestElementWithinTheTolerance) {
    CDtbEngine doc;
    doc.Append(Line(0, 0, 100, 0, "3"));
    doc.Append(Line(100, 0, 100, 100, "4"));
    doc.Append(std::make_unique<CDtbArc>(CxyzData(50, 50, 0), 10, 0, 360, 0, Info(4)));
    ViewProjection top;
    top.SetViewType(kViewTop, 0, 0, 0);
    ProjectedLayer layer;
    layer.Project(top, doc.GetFirstElement());
    // 0..100 shown on a client of 200 x 200 pixels: 2 pixels a unit, y up.
    ViewWindow w;
    w.xmin = 0;
    w.ymin = 0;
    w.xmax = 100;
    w.ymax = 100;
    FitAspect(w, 0, 0, 200, 200);

    const CDtbElement* bottom = ElementAtPoint(layer, w, 100, 198, 4);
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(ElementLines(*bottom), std::vector<int>{3});
    const CDtbElement* right = ElementAtPoint(layer, w, 197, 100, 4);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(ElementLines(*right), std::vector<int>{4});
    // The nearer of two within the tolerance; none beyond it.
    EXPECT_EQ(ElementAtPoint(layer, w, 197, 195, 6), right);
    EXPECT_EQ(ElementAtPoint(layer, w, 195, 197, 6), bottom);
    EXPECT_EQ(ElementAtPoint(layer, w, 150, 150, 4), nullptr);
    // The circle (no "LineNo=" text): picked, no lines.
    const CDtbElement* circle = ElementAtPoint(layer, w, 100 + 20, 100, 3);
    ASSERT_NE(circle, nullptr);
    EXPECT_TRUE(ElementLines(*circle).empty());
}

}  // namespace
