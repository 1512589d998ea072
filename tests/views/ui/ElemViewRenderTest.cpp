// Element view painting on the back buffer: XOR pairs, colours, culling, clamping, paint order.
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "ElemViewFixture.h"
#include "TempDir.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcProgramRunner.h"
#include "views/ElemViewDraw.h"

namespace {

constexpr ViewRgb kRed{255, 0, 0};
constexpr ViewRgb kGreen{0, 255, 0};
constexpr ViewRgb kBlue{0, 0, 255};

// The world window xmin..xmax by ymin..ymax fitted to a client area of 400 x 300 pixels.
ViewWindow Fitted(double xmin, double ymin, double xmax, double ymax) {
    ViewWindow w;
    w.xmin = xmin;
    w.ymin = ymin;
    w.xmax = xmax;
    w.ymax = ymax;
    EXPECT_EQ(FitAspect(w, 0, 0, 400, 300), 1);
    return w;
}

}  // namespace

// --- XOR marks ---------------------------------------------------------------------------------

TEST_F(ElemViewFixture, ToolOutlineXorPairDrawnAgainRestoresTheImageExactly) {
    SetWindow(0, 0, 400, 300);
    view->FrameState().TraceActive = 1;
    AddTo(view->Model().Layer(LayerTraced), 20, 150, 380, 150, kDtbClassCut);
    view->RenderAll();
    const QImage withoutTool = view->BackBuffer().copy();

    // Overlapping, crossing and wide lines over the traced path.
    ViewLayer& tool = view->Model().Layer(LayerTool);
    AddTo(tool, 50, 50, 350, 250, kDtbClassToolMark);
    AddTo(tool, 50, 250, 350, 50, kDtbClassToolMark);
    AddTo(tool, 40, 150, 360, 150, kDtbClassToolMark);
    AddTo(tool, 100, 150, 300, 150, kDtbClassToolMark);
    view->RenderAll();
    const QImage withTool = view->BackBuffer().copy();
    ASSERT_NE(withTool, withoutTool);
    EXPECT_EQ(Pixel(Px(50, 250).x(), Px(50, 250).y()),
              Rgb(view->Model().Settings().Colour(kTraceToolPen)));

    auto xorPair = [&] {
        const ElemViewSettings& s = view->Model().Settings();
        auto dc = view->GetViewDC();
        dc->Painter().setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        for (ElemViewSetting colour : {kBackGround, kTraceToolPen})
            dc->Draw().DrawLayer(tool.GetFirstElement(), s.Colour(colour), s[kTraceToolPenStyle],
                                 s[kTraceToolPenWide], kDtbClassToolMark, false);
    };
    xorPair();
    EXPECT_EQ(view->BackBuffer(), withoutTool);
    xorPair();
    EXPECT_EQ(view->BackBuffer(), withTool);
}

TEST_F(ElemViewFixture, TorchMarkXorPairDrawnAgainRestoresTheImageExactly) {
    SetWindow(0, 0, 400, 300);
    view->FrameState().TraceActive = 1;
    view->Context().ProcessMode = 2;
    AddTo(view->Model().Layer(LayerTraced), 0, 100, 400, 100, kDtbClassCut);
    view->RenderAll();
    const QImage without = view->BackBuffer().copy();

    view->TorchShown = 1;
    view->TorchPosition = CxyzData(200.4, 100.6, 0);
    view->TorchFillColour = {255, 255, 0};
    view->TorchOutlineColour = {127, 127, 0};
    view->RenderAll();
    const QImage with = view->BackBuffer().copy();
    ASSERT_NE(with, without);

    auto xorPair = [&] {
        const ViewRgb bg = view->Model().Settings().Colour(kBackGround);
        auto dc = view->GetViewDC();
        dc->Painter().setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        dc->Draw().DrawTorchMark(view->TorchPosition, 20, bg, bg);
        dc->Draw().DrawTorchMark(view->TorchPosition, 20, view->TorchOutlineColour,
                                 view->TorchFillColour);
    };
    xorPair();
    EXPECT_EQ(view->BackBuffer(), without);
    xorPair();
    EXPECT_EQ(view->BackBuffer(), with);
}

TEST_F(ElemViewFixture, ArrowsInXorTwiceLeaveTheImageUnchanged) {
    SetWindow(0, 0, 400, 300);
    ViewLayer& step = view->Model().Layer(LayerCurrentStep);
    AddTo(step, 50, 50, 200, 200, kDtbClassCut);
    AddTo(step, 200, 200, 350, 60, kDtbClassCut);
    view->RenderAll();
    const QImage before = view->BackBuffer().copy();
    for (int i = 0; i < 2; ++i) {
        auto dc = view->GetViewDC();
        dc->Painter().setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        dc->Draw().DrawEdgeArrows(step.GetFirstElement(), kRed, 40, false);
        if (i == 0) {
            dc.reset();
            EXPECT_NE(view->BackBuffer(), before);
        }
    }
    EXPECT_EQ(view->BackBuffer(), before);
}

// --- colours -------------------------------------------------------------------------------------

TEST_F(ElemViewFixture, ColoursComeFromTheStoredKeysCutToEightBits) {
    test::TempDir dir;
    const auto ini = dir.path() / "system.ini";
    std::ofstream(ini) << "[NcElemView]\r\nBackGroundR=300\r\nBackGroundG=-1\r\nBackGroundB=7\r\n"
                          "GridPenR=266\r\nGridPenG=20\r\nGridPenB=-226\r\n";
    view->Context().IniPath = ini;
    AddLine(10, 10, 90, 60, kDtbClassCut);
    view->OnUpdate();
    EXPECT_EQ(Pixel(1, 1), qRgb(44, 255, 7) & 0xFFFFFFu);
    bool gridSeen = false;
    const QImage& img = view->BackBuffer();
    for (int y = 0; y < img.height() && !gridSeen; ++y)
        for (int x = 0; x < img.width() && !gridSeen; ++x)
            gridSeen = (img.pixel(x, y) & 0xFFFFFFu) == (qRgb(10, 20, 30) & 0xFFFFFFu);
    EXPECT_TRUE(gridSeen);
}

TEST_F(ElemViewFixture, ProgramIsDrawnInPenTableOrConditionColours) {
    AddLine(0, 50, 100, 50, kDtbClassCut, {1, 2, 3});
    view->OnUpdate();
    view->Model().Layer(LayerGrid).Empty();
    SetWindow(-100, 0, 300, 300);
    const QPoint p = Px(50, 50);
    EXPECT_EQ(Pixel(p.x(), p.y()), Rgb(view->FrameState().Pens.entries[kPenCut].colour));
    view->FrameState().Pens.drawShavColor = 1;
    view->RenderAll();
    EXPECT_EQ(Pixel(p.x(), p.y()), qRgb(1, 2, 3) & 0xFFFFFFu);
}

// Each class of the program in its own pen of the machine's table (the fixture's colours), and
// with condition colours on only marking and cutting take the element's colour.
TEST_F(ElemViewFixture, EveryPenClassIsDrawnInItsOwnPenColour) {
    struct Case {
        const char* name;
        int classBits;
        QRgb penColour;        // condition colours off
        QRgb conditionColour;  // condition colours on
    };
    const QRgb element = qRgb(1, 2, 3) & 0xFFFFFFu;
    const Case cases[] = {
        {"rapid", kDtbClassRapid, qRgb(0, 0, 200) & 0xFFFFFFu, qRgb(0, 0, 200) & 0xFFFFFFu},
        {"mark", kDtbClassMark, qRgb(200, 0, 200) & 0xFFFFFFu, element},
        {"cut", kDtbClassCut, qRgb(0, 200, 0) & 0xFFFFFFu, element},
        {"punch", kDtbClassPunch, qRgb(200, 200, 0) & 0xFFFFFFu, qRgb(200, 200, 0) & 0xFFFFFFu},
    };
    for (const Case& c : cases) {
        doc.Empty();
        AddLine(0, 50, 100, 50, c.classBits, {1, 2, 3});
        view->FrameState().Pens.drawShavColor = 0;
        view->OnUpdate();
        view->Model().Layer(LayerGrid).Empty();
        SetWindow(-100, 0, 300, 300);
        const QPoint p = Px(50, 50);
        EXPECT_EQ(Pixel(p.x(), p.y()), c.penColour) << c.name;
        view->FrameState().Pens.drawShavColor = 1;
        view->RenderAll();
        EXPECT_EQ(Pixel(p.x(), p.y()), c.conditionColour) << c.name << " with condition colours";
    }
}

TEST_F(ElemViewFixture, ConditionColoursArePaintedInTheOrderTheyFirstOccur) {
    // Green occurs first, so red is painted after it and wins where they cross.
    AddLine(0, 100, 200, 100, kDtbClassCut, kGreen);
    AddLine(100, 0, 100, 200, kDtbClassMark, kRed);
    AddLine(0, 150, 200, 150, kDtbClassCut, kGreen);
    AddLine(50, 0, 50, 200, kDtbClassCut, kBlue);
    view->FrameState().Pens.drawShavColor = 1;
    view->OnUpdate();
    view->Model().Layer(LayerGrid).Empty();
    SetWindow(0, 0, 400, 300);
    const QPoint a = Px(100, 100), b = Px(50, 150);
    EXPECT_EQ(Pixel(a.x(), a.y()), Rgb(kRed));
    EXPECT_EQ(Pixel(b.x(), b.y()), Rgb(kBlue));
}

TEST_F(ElemViewFixture, HiddenElementsAreNotDrawnAndAddNoColour) {
    CDtbLine* hidden = AddLine(0, 100, 200, 100, kDtbClassCut, kGreen);
    hidden->noDisplay = 1;
    std::vector<unsigned> colours;
    ElemViewDraw::CollectColors(doc.GetFirstElement(), kDtbClassCut, colours);
    EXPECT_TRUE(colours.empty());
    view->FrameState().EdgeDisp = 1;
    view->OnUpdate();
    view->Model().Layer(LayerGrid).Empty();
    SetWindow(0, 0, 400, 300);
    const QImage& img = view->BackBuffer();
    for (int x = 5; x < 200; x += 7) EXPECT_EQ(img.pixel(Px(x, 100)) & 0xFFFFFFu, Background());
}

// --- culling and clamping ---------------------------------------------------------------------

TEST_F(ElemViewFixture, LinesWhollyOutsideTheWindowAreCulled) {
    SetWindow(0, 0, 100, 75);
    QImage& img = const_cast<QImage&>(view->BackBuffer());
    QPainter p(&img);
    ElemViewDraw draw(p, view->Model().Window());
    draw.SelectPen(kRed, 0, 1);
    CDtbLine outside(CxyzData(-50, 10, 0), CxyzData(-10, 10, 0), Info(kRed, kDtbClassCut));
    CDtbLine across(CxyzData(-50, 10, 0), CxyzData(10, 10, 0), Info(kRed, kDtbClassCut));
    EXPECT_EQ(draw.DrawElement(&outside), 0);
    EXPECT_EQ(draw.DrawElement(&across), 1);
    p.end();
    const QPoint in = Px(5, 10);
    EXPECT_EQ(Pixel(in.x(), in.y()), Rgb(kRed));
}

TEST(ElemViewClamp, LongLinesAreCutToTheClientDiagonalWhenZoomedIn) {
    const ViewWindow w = Fitted(0, 0, 100, 75);  // scale 4, diagonal 500
    ASSERT_DOUBLE_EQ(w.scaleX, 4.0);

    // Inside to 10000 pixels away, to the right and down: 500 pixels long, same direction.
    PixelSegment s = LinePixels(w, 50, 40, 50 + 2500.0 * 0.6, 40 - 2500.0 * 0.8);
    EXPECT_NEAR(std::hypot(s.x2 - s.x1, s.y2 - s.y1), 500, 1.5);
    EXPECT_NEAR(std::atan2(s.y2 - s.y1, s.x2 - s.x1), std::atan2(0.8, 0.6), 0.01);
    EXPECT_DOUBLE_EQ(s.x1, WorldToScreenXf(w, 50));

    // Both ends far off: 500 pixels centred on the foot from the client centre.
    s = LinePixels(w, -1e6, 37.5, 1e6, 37.5);
    EXPECT_NEAR(std::abs(s.x2 - s.x1), 500, 1.5);
    EXPECT_NEAR((s.x1 + s.x2) / 2, 200, 1.5);
    EXPECT_NEAR(s.y1, 150, 1.5);

    // Both inside: unchanged.
    s = LinePixels(w, 10, 10, 20, 20);
    EXPECT_DOUBLE_EQ(s.x1, WorldToScreenXf(w, 10));
    EXPECT_DOUBLE_EQ(s.y2, WorldToScreenYf(w, 20));
}

// Zoomed in, a grid line far beyond both sides stays on one row (column): the piece kept
// around the client centre has no step in it.
TEST(ElemViewClamp, HorizontalAndVerticalLinesStayStraightWhenBothEndsAreFarOff) {
    const ViewWindow w = Fitted(0, 0, 100, 75);
    for (double at : {0.0, 10.0, 37.5, 40.25, 74.0}) {
        const PixelSegment h = LinePixels(w, -1e6, at, 1e6, at);
        EXPECT_EQ(h.y1, h.y2) << "horizontal at " << at;
        EXPECT_EQ(h.y1, WorldToScreenYf(w, at)) << "horizontal at " << at;
        const PixelSegment v = LinePixels(w, at, -1e6, at, 1e6);
        EXPECT_EQ(v.x1, v.x2) << "vertical at " << at;
        EXPECT_EQ(v.x1, WorldToScreenXf(w, at)) << "vertical at " << at;
    }
}

TEST_F(ElemViewFixture, AHugelyZoomedLineStillShowsItsVisiblePart) {
    // 25,000 pixels per unit: the far end lies billions of pixels away.
    SetWindow(0, 0, 0.016, 0.012);
    AddTo(view->Model().Layer(LayerCurrentStep), 0.008, 0.006, 1e5, 0.006, kDtbClassCut);
    view->FrameState().TraceActive = 1;
    view->RenderAll();
    const QRgb current = Rgb(view->Model().Settings().Colour(kTraceCurrentPen));
    EXPECT_EQ(Pixel(300, Px(0, 0.006).y()), current);
    EXPECT_EQ(Pixel(399, Px(0, 0.006).y()), current);
    EXPECT_EQ(Pixel(100, Px(0, 0.006).y()), Background());
}

TEST(ElemViewArcs, ArcsBecomeDotsChordsOrArcs) {
    const ViewWindow w = Fitted(-200, -150, 200, 150);  // one pixel per unit
    struct Case {
        double r, start, end;
        ArcPixels::Kind kind;
    } cases[] = {
        {50, 0, 360, ArcPixels::Arc},   // full circle, start and end pixel equal
        {50, 0, 10, ArcPixels::Chord},  // 8.7 pixels long
        {50, 0, 20, ArcPixels::Arc},    // 17.5 pixels
        {0.2, 0, 90, ArcPixels::None},  // ends on the centre pixel
    };
    for (const Case& c : cases) {
        const CDtbArc arc(CxyzData(0, 0, 0), c.r, c.start, c.end, 0);
        EXPECT_EQ(PlanArc(w, arc).kind, c.kind) << c.r << " " << c.start << " " << c.end;
    }
    EXPECT_EQ(PlanArc(w, CDtbArc(CxyzData(1000, 0, 0), 700, 0, 90, 0)).kind, ArcPixels::None);
    EXPECT_NE(PlanArc(w, CDtbArc(CxyzData(1000, 0, 0), 900, 0, 270, 0)).kind, ArcPixels::None);
    const ArcPixels q = PlanArc(w, CDtbArc(CxyzData(0, 0, 0), 50, -90, 0, 0));
    EXPECT_DOUBLE_EQ(q.g, 270);
    EXPECT_DOUBLE_EQ(q.h, 360);
    EXPECT_EQ(q.kind, ArcPixels::Arc);
}

// Arcs whose angles lie a whole turn apart up to a unit in the last place either way (as the
// reader stores full circles started from rounded positions) are drawn as whole circles.
TEST(ElemViewArcs, NearlyFullCirclesArePlannedWhole) {
    const ViewWindow w = Fitted(-200, -150, 200, 150);
    for (double s : {-4.0397061991275223, 290.2486895174132, 355.96029380087242, 1075.3}) {
        for (int ulps : {-1, 0, 1}) {
            const double e = ulps == 0 ? s + 360 : std::nextafter(s + 360, ulps * 1e9);
            for (int direction : {0, 1}) {
                const ArcPixels a = PlanArc(w, CDtbArc(CxyzData(0, 0, 0), 50, s, e, direction));
                EXPECT_EQ(a.kind, ArcPixels::Arc) << s << ".." << e;
                EXPECT_NEAR(a.h - a.g, 360, 1e-9) << s << ".." << e;
            }
        }
    }
    EXPECT_NEAR(PlanArc(w, CDtbArc(CxyzData(0, 0, 0), 50, 355.96, 715.86, 0)).h -
                    PlanArc(w, CDtbArc(CxyzData(0, 0, 0), 50, 355.96, 715.86, 0)).g,
                359.9, 1e-9);
}

// --- paint order ---------------------------------------------------------------------------------

TEST_F(ElemViewFixture, ViewingPaintsTheProgramOverTheSheetFrameAndRoutesOverTheProgram) {
    SetWindow(0, 0, 400, 300);
    const ElemViewSettings& s = view->Model().Settings();
    AddTo(view->Model().Layer(LayerSheetFrame), 0, 100, 400, 100, kDtbClassFrame);
    AddTo(view->Model().Layer(LayerMain), 200, 0, 200, 300, kDtbClassCut);
    AddTo(view->Model().Layer(LayerSelectedRoute), 0, 200, 400, 200, kDtbClassCut);
    AddTo(view->Model().Layer(LayerMain), 100, 0, 100, 300, kDtbClassCut);
    view->RenderAll();
    const QRgb cut = Rgb(view->FrameState().Pens.entries[kPenCut].colour);
    EXPECT_EQ(Pixel(Px(200, 100).x(), Px(200, 100).y()), cut);
    EXPECT_EQ(Pixel(Px(50, 100).x(), Px(50, 100).y()), Rgb(s.Colour(kFramePen)));
    // Routes only in process modes 30 and 31.
    EXPECT_EQ(Pixel(Px(100, 200).x(), Px(100, 200).y()), cut);
    view->Context().ProcessMode = 30;
    view->RenderAll();
    EXPECT_EQ(Pixel(Px(100, 200).x(), Px(100, 200).y()), Rgb(s.Colour(kSelectRouteColor)));
}

TEST_F(ElemViewFixture, TracingPaintsTheSheetOverTheDarkProgramAndTheTracedPathOverBoth) {
    SetWindow(0, 0, 400, 300);
    const ElemViewSettings& s = view->Model().Settings();
    AddTo(view->Model().Layer(LayerMain), 200, 0, 200, 300, kDtbClassCut);
    AddTo(view->Model().Layer(LayerMain), 0, 250, 400, 250, kDtbClassRapid);
    AddTo(view->Model().Layer(LayerSheetFrame), 0, 100, 400, 100, kDtbClassFrame);
    AddTo(view->Model().Layer(LayerTraced), 0, 200, 400, 200, kDtbClassCut);
    AddTo(view->Model().Layer(LayerCurrentStep), 300, 0, 300, 300, kDtbClassCut);
    view->FrameState().TraceActive = 1;
    view->RenderAll();
    const QRgb dark = Rgb(s.Colour(kTraceDarkPen));
    EXPECT_EQ(Pixel(Px(200, 50).x(), Px(200, 50).y()), dark);          // program, dark
    EXPECT_EQ(Pixel(Px(200, 100).x(), Px(200, 100).y()), dark);        // sheet frame, dark too
    EXPECT_EQ(Pixel(Px(50, 250).x(), Px(50, 250).y()), Background());  // rapid moves left out
    EXPECT_EQ(Pixel(Px(200, 200).x(), Px(200, 200).y()),
              Rgb(view->FrameState().Pens.entries[kPenCut].colour));  // traced over dark
    EXPECT_EQ(Pixel(Px(300, 200).x(), Px(300, 200).y()), Rgb(s.Colour(kTraceCurrentPen)));
    // Viewing: the rapid move in its FF pen, the frame in its own colour under the program.
    view->FrameState().TraceActive = 0;
    view->RenderAll();
    EXPECT_EQ(Pixel(Px(50, 250).x(), Px(50, 250).y()),
              Rgb(view->FrameState().Pens.entries[kPenFF].colour));
    EXPECT_EQ(Pixel(Px(200, 100).x(), Px(200, 100).y()),
              Rgb(view->FrameState().Pens.entries[kPenCut].colour));
}

TEST_F(ElemViewFixture, ADividedArcGetsOneArrowAtTheEndOfItsLastPiece) {
    doc.Append(std::make_unique<CDtbArc>(CxyzData(200, 150, 0), 100, 0, 180, 0,
                                         Info(kGreen, kDtbClassCut)));
    view->FrameState().EdgeDisp = 1;
    view->OnUpdate();
    view->Model().Layer(LayerGrid).Empty();
    SetWindow(0, 0, 400, 300);
    const QRgb arrow = Rgb(view->Model().Settings().Colour(kEdgeArrowPen));
    // Travel ends at (100, 150) going down-left: the arrowhead lies just above that end.
    const QPoint end = Px(100, 152);
    int near = 0, atStart = 0;
    for (int dx = -6; dx <= 6; ++dx)
        for (int dy = -12; dy <= 0; ++dy) {
            near += Pixel(end.x() + dx, end.y() + dy) == arrow;
            const QPoint st = Px(300, 152);
            atStart += Pixel(st.x() + dx, st.y() + dy) == arrow;
        }
    EXPECT_GT(near, 5);
    EXPECT_EQ(atStart, 0);
}

TEST_F(ElemViewFixture, XyzIndicatorIsHalvedInTheSplitView) {
    view->FrameState().XYZAxis = 1;
    auto countRed = [&] {
        int n = 0;
        const QImage& img = view->BackBuffer();
        for (int y = 150; y < 300; ++y)
            for (int x = 0; x < 200; ++x) n += (img.pixel(x, y) & 0xFFFFFFu) == 0xFF0000u;
        return n;
    };
    view->Model().Layer(LayerGrid).Empty();
    // The origin mark (red) lies at the lower left corner; move it out of the way.
    SetWindow(-1000, -1000, -600, -700);
    view->RenderAll();
    const int full = countRed();
    view->FrameState().FrameViewType = 4;
    view->RenderAll();
    const int half = countRed();
    EXPECT_GT(full, 0);
    EXPECT_GT(half, 0);
    EXPECT_LT(half, full);
}

// The program of a G90 full circle after incremental moves, read and drawn: every quadrant of
// the circle shows in the cut pen's colour.
TEST_F(ElemViewFixture, AFullCircleAfterIncrementalMovesIsDrawnWhole) {
    CNcReadInfo settings;
    settings.LaserPunch = kNcTypeLaser;
    settings.ZeroTimes = 1;
    CNcRead reader;
    reader.SetProgram(
        {"N2 G91 G01 X0.1 Y0.7", "N3 X0.2 Y0.1", "N4 G90 G03 X0.3 Y0.8 I-19.158 J1.353", "N5 M30"},
        &settings, nullptr, 1);
    NcProgramRunner(reader).Run(doc);
    view->OnUpdate();
    view->Model().Layer(LayerGrid).Empty();
    SetWindow(-45, -25, 5, 30);
    if (const char* out = std::getenv("MORVALEN_SHOT_DIR"))
        view->BackBuffer().save(QString(out) + "/full-circle-after-g91.png");
    const double cx = -18.858, cy = 2.153, r = 19.205717195668587;
    const QRgb pen = Rgb(view->FrameState().Pens.entries[kPenCut].colour);
    for (int deg = 0; deg < 360; deg += 15) {
        const double a = deg * 3.141592653589793 / 180;
        const QPoint p = Px(cx + r * std::cos(a), cy + r * std::sin(a));
        bool drawn = false;  // the pixel or one of its neighbours (the pieces are chords)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) drawn = drawn || Pixel(p.x() + dx, p.y() + dy) == pen;
        EXPECT_TRUE(drawn) << deg << " degrees";
    }
}
