// The trace display of the element view on its back buffer: the torch mark, the current step,
// the traced path, the tool outline and the highlighted NC line, drawn between paints.
#include "../model/ViewTestSupport.h"
#include "ElemViewFixture.h"

namespace {

constexpr ViewRgb kLaserOn{0, 200, 0};
constexpr ViewRgb kSkipLog{200, 0, 200};

}  // namespace

class ElemViewTraceTest : public ElemViewFixture {
protected:
    void SetUp() override {
        ElemViewFixture::SetUp();
        SetWindow(0, 0, 400, 300);
        ElemViewSettings& s = view->Model().MutableSettings();
        auto set = [&](ElemViewSetting at, ViewRgb c) {
            s.Values[size_t(at)] = c.r;
            s.Values[size_t(at) + 1] = c.g;
            s.Values[size_t(at) + 2] = c.b;
        };
        set(kTorchColorLaserOn, kLaserOn);
        set(kTorchColorSkipLog, kSkipLog);
    }
    // The picture now, and the one a fresh full paint of the same state gives.
    QImage Now() { return view->BackBuffer().copy(); }
    QImage FreshPaint() {
        view->RepaintAll();
        return view->BackBuffer().copy();
    }
    void Torch(int stepKind, double x, double y, int moveKind) {
        const CxyzData at(x, y, 0);
        view->MoveTorchMark(stepKind, &at, moveKind);
    }
};

TEST_F(ElemViewTraceTest, SkipLogMarkIsOpaqueAndSurvivesTheNextXorMove) {
    view->Context().ProcessMode = 4;
    (void)view->BackBuffer();
    Torch(4, 100, 100, 200);
    EXPECT_EQ(Pixel(Px(100, 100).x() + 3, Px(100, 100).y() + 3), Rgb(kSkipLog));
    EXPECT_FALSE(view->TorchDrawnXor());
    Torch(4, 300, 200, 5);
    EXPECT_EQ(Pixel(Px(100, 100).x() + 3, Px(100, 100).y() + 3), Rgb(kSkipLog));
    EXPECT_EQ(Pixel(Px(300, 200).x() + 3, Px(300, 200).y() + 3), Rgb(kLaserOn));
    EXPECT_EQ(view->TorchOutlineColour, (ViewRgb{0, 100, 0}));
}

TEST_F(ElemViewTraceTest, XorMovesLeaveNoGhostWhateverTheStepKindAndMode) {
    AddTo(view->Model().Layer(LayerTraced), 20, 150, 380, 150, kDtbClassCut);
    for (int tracing : {0, 1}) {
        for (int mode : {0, 2, 4, 31}) {
            // (Viewing in mode 4 always shows the opaque skip-log mark, which stays.)
            if (!tracing && mode == 4) continue;
            SCOPED_TRACE(testing::Message() << "mode " << mode << " tracing " << tracing);
            view->FrameState().TraceActive = tracing;
            view->Context().ProcessMode = mode;
            view->TorchShown = 0;
            (void)FreshPaint();
            Torch(4, 50, 50, 3);
            Torch(-1, 120, 80, 102);
            Torch(0, 200, 150, 7);
            {
                const QImage drawn = Now();
                EXPECT_EQ(drawn, FreshPaint());
            }
            Torch(3, 250, 150, 0);
            Torch(1, 260, 160, 5);
            {
                const QImage drawn = Now();
                EXPECT_EQ(drawn, FreshPaint());
            }
        }
    }
}

// --- the trace's steps, tool and torch against a fresh full paint -------------------------------

namespace {

// A document of four horizontal lines 50 units apart, none crossing another, each of its own
// NC line (0-based lines 1 to 4), and the steps the trace shows of them.
class TraceSequenceTest : public ElemViewTraceTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        ElemViewTraceTest::SetUp();
        const int width = GetParam();
        ElemViewSettings& s = view->Model().MutableSettings();
        for (ElemViewSetting w :
             {kTraceCurrentPenWide, kTraceDarkPenWide, kNaviPenWide, kTraceToolPenWide})
            s.Values[size_t(w)] = width;
        for (ElemPen& pen : view->FrameState().Pens.entries) pen.width = width;
        for (int i = 0; i < 4; ++i) {
            CDtbLine* l =
                AddLine(50, 60 + 50 * i, 350, 60 + 50 * i, i == 2 ? kDtbClassRapid : kDtbClassCut);
            l->attributes.Add({"LineNo=" + std::to_string(i + 1), "PrtNo=0"});
        }
        view->OnUpdate();
        view->Model().Layer(LayerGrid).Empty();
        SetWindow(0, 0, 400, 300);
    }
    // The block of line i as the trace hands it over: a copy of the document's element.
    static std::unique_ptr<CDtbEngine> Step(int i) {
        auto step = std::make_unique<CDtbEngine>();
        AddTo(*step, 50, 60 + 50 * i, 350, 60 + 50 * i, i == 2 ? kDtbClassRapid : kDtbClassCut);
        return step;
    }
    // A tool outline: a small square at x (a line through its middle, as the outline has).
    static std::unique_ptr<CDtbEngine> Tool(double x, double y) {
        auto tool = std::make_unique<CDtbEngine>();
        AddTo(*tool, x - 6, y - 6, x + 6, y - 6, kDtbClassToolMark);
        AddTo(*tool, x + 6, y - 6, x + 6, y + 6, kDtbClassToolMark);
        AddTo(*tool, x + 6, y + 6, x - 6, y + 6, kDtbClassToolMark);
        AddTo(*tool, x - 6, y + 6, x - 6, y - 6, kDtbClassToolMark);
        AddTo(*tool, x - 6, y, x + 6, y, kDtbClassToolMark);
        return tool;
    }
    void ExpectFresh(const char* where) {
        SCOPED_TRACE(where);
        const QImage drawn = Now();
        EXPECT_EQ(drawn, FreshPaint());
    }
};

TEST_P(TraceSequenceTest, StepsToolAndTorchLeaveWhatAFullPaintDraws) {
    for (int mode : {0, 2, 4, 31}) {
        for (int edge : {0, 1}) {
            for (bool repaintBetween : {false, true}) {
                SCOPED_TRACE(testing::Message() << "mode " << mode << " EdgeDisp " << edge
                                                << (repaintBetween ? " repainted" : ""));
                view->FrameState().TraceActive = 1;
                view->FrameState().EdgeDisp = edge;
                view->Context().ProcessMode = mode;
                view->TorchShown = 0;
                view->ClearTrace();
                const QImage untraced = FreshPaint();
                auto between = [&](const char* where) {
                    if (repaintBetween) ExpectFresh(where);
                };
                auto s1 = Step(0);
                view->DrawTraceStep(s1.get());
                EXPECT_NE(Now(), untraced);
                between("first step");
                view->SetToolLayer(Tool(50, 60).get(), 0);
                view->SetToolLayer(Tool(200, 60).get(), 0);
                between("tool moved");
                Torch(4, 380, 20, 3);
                between("torch");
                view->CommitTraceStep();
                between("committed");
                auto s2 = Step(1);
                view->DrawTraceStep(s2.get());
                Torch(-1, 380, 280, 102);
                view->SetToolLayer(Tool(350, 110).get(), 0);
                between("second step");
                view->CommitTraceStep();
                auto s3 = Step(2);
                view->DrawTraceStep(s3.get());
                view->SetToolLayer(Tool(300, 160).get(), 0);
                ExpectFresh("third step");
                EXPECT_EQ(viewtest::TopCount(view->Model().Layer(LayerTraced)), 2);
                EXPECT_EQ(viewtest::TopCount(view->Model().Layer(LayerCurrentStep)), 1);
                // The end: the tool goes with its XOR erase, the rest waits for the refit.
                view->ClearTrace();
                EXPECT_TRUE(view->Model().Layer(LayerTraced).IsEmpty());
                EXPECT_TRUE(view->Model().Layer(LayerTool).IsEmpty());
                view->FrameState().TraceActive = 0;
                (void)FreshPaint();
            }
        }
    }
}

TEST_P(TraceSequenceTest, HighlightedLinesAreRestoredToWhatAFullPaintDraws) {
    for (int mode : {0, 2, 4, 31}) {
        for (int edge : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " EdgeDisp " << edge);
            view->Context().ProcessMode = mode;
            view->FrameState().EdgeDisp = edge;
            const QImage plain = FreshPaint();
            const QPoint onLine2 = Px(200, 60);  // NC line 2 (0-based 1)
            const QRgb navi = Rgb(view->Model().Settings().Colour(kNaviPen));
            view->HighlightLine(2);
            EXPECT_EQ(Pixel(onLine2.x(), onLine2.y()), navi);
            view->HighlightLine(3);
            EXPECT_NE(Pixel(onLine2.x(), onLine2.y()), navi);
            view->RepaintAll();
            EXPECT_EQ(view->HighlightedLine, -1);
            view->HighlightLine(4);
            view->HighlightLine(0);
            EXPECT_EQ(view->HighlightedLine, 0);
            EXPECT_EQ(Now(), plain);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PenWidths, TraceSequenceTest, ::testing::Values(1, 2));

}  // namespace
