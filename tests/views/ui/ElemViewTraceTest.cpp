// The trace display of the element view on its back buffer: the torch mark, the current step,
// the traced path, the tool outline and the highlighted NC line, drawn between paints.
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
