// The element view's hover with its tip, and its mouse, wheel, keys and context menu.
#include <QLabel>
#include <QTest>

#include "../model/ViewTestSupport.h"
#include "ElemViewFixture.h"
#include "platform/StringTable.h"

namespace {

// A fake of what the frame gives the view: records every call.
struct HostRecord {
    std::vector<int> clicked;
    int rotationDialogRefreshes = 0;
    int rotationResets = 0;
    int steps = 0;
    std::vector<std::pair<unsigned, int>> wheel;
    std::vector<int> menus;
    std::vector<std::pair<int, int>> picks;
};

class ElemViewMouseTest : public ElemViewFixture {
protected:
    void SetUp() override {
        platform::SetLanguage(platform::Language::English);
        ElemViewHost host;
        host.ElementClicked = [this](int line) { record.clicked.push_back(line); };
        host.RefreshAxisRotateDlg = [this] { ++record.rotationDialogRefreshes; };
        host.ResetRotation = [this] { ++record.rotationResets; };
        host.TraceStep = [this] { ++record.steps; };
        host.RouteMouseWheel = [this](unsigned flags, int delta, QPoint) {
            record.wheel.push_back({flags, delta});
        };
        host.ContextMenu = [this](int submenu, QPoint) { record.menus.push_back(submenu); };
        host.SetPickPos = [this](int prt, int line) { record.picks.push_back({prt, line}); };
        view = std::make_unique<CNcElemView>(nullptr, std::move(host));
        view->Context().Elements = &doc;
        view->Context().Lines = &lines;
        view->FrameState().XYZAxis = 0;
        view->SetViewType(kViewTop, 0, 0, 0);
        view->resize(kWidth, kHeight);
        view->show();
        for (ElemPen& pen : view->FrameState().Pens.entries) pen = {{0, 200, 0}, 1, 0};
        view->FrameState().Pens.entries[kPenFF].colour = {0, 0, 200};
        ElemViewSettings& s = view->Model().MutableSettings();
        s.Values[kNaviPenWide] = 1;

        lines = {"O0001", "G00 X50. Y250.", "G01 X350.", "G03 X150. Y100. R50.", "T5 G92"};
        // Line 1: a rapid; line 2: a cut across the top; line 3: a half circle below it.
        Texts(AddLine(0, 0, 50, 250, kDtbClassRapid), 1, "ElmInfo=1 0 0 0 50 250 0 78.69 254.95");
        top = AddLine(50, 250, 350, 250, kDtbClassCut);
        Texts(top, 2, "ElmInfo=1 50 250 0 350 250 0 0 300");
        arc = doc.Append(std::make_unique<CDtbArc>(CxyzData(100, 100, 0), 50, 0, 180, 0,
                                                   Info({0, 200, 0}, kDtbClassCut)));
        Texts(arc, 3, "ElmInfo=2 150 100 0 50 100 0 100 100 0 0 180 0 50 157.08");
        // Line 4: a punch pattern of two hits, each an outline group.
        pattern = doc.Append(std::make_unique<CDtbNode>(kDtbOwnerTessmark, kDtbKindPunch, ""));
        pattern->attributes.Add({"LineNo=4", "ElmInfo=7 1 5 0 0 0 0 250 50 0 330 50 0 0"});
        doc.NodeUp(pattern);
        for (double x : {250.0, 330.0}) {
            CDtbNode* hit =
                doc.Append(std::make_unique<CDtbNode>(kDtbOwnerTessmark, kDtbKindPunch1, ""));
            doc.NodeUp(hit);
            AddLine(x - 10, 40, x + 10, 40, kDtbClassPunch);
            AddLine(x + 10, 40, x + 10, 60, kDtbClassPunch);
            AddLine(x + 10, 60, x - 10, 60, kDtbClassPunch);
            AddLine(x - 10, 60, x - 10, 40, kDtbClassPunch);
            doc.NodeDown();
        }
        doc.NodeDown();
        view->OnUpdate();
        view->Model().Layer(LayerGrid).Empty();
        SetWindow(0, 0, 400, 300);
    }
    static void Texts(CDtbElement* e, int line, const char* info) {
        e->attributes.Add({"LineNo=" + std::to_string(line), "PrtNo=0", info});
    }
    QRgb Navi() const { return Rgb(view->Model().Settings().Colour(kNaviPen)); }
    bool TipShown() const { return view->ElemTip() && view->ElemTip()->isVisible(); }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QMouseEvent e(type, QPointF(at), QPointF(view->mapToGlobal(at)), button, buttons, keys);
        QCoreApplication::sendEvent(view.get(), &e);
    }
    void Move(QPoint at, Qt::MouseButtons buttons = Qt::NoButton,
              Qt::KeyboardModifiers keys = Qt::NoModifier) {
        Send(QEvent::MouseMove, at, Qt::NoButton, buttons, keys);
    }
    void Press(QPoint at, Qt::MouseButton b = Qt::LeftButton) {
        Send(QEvent::MouseButtonPress, at, b, b);
    }
    void Release(QPoint at, Qt::MouseButton b = Qt::LeftButton) {
        Send(QEvent::MouseButtonRelease, at, b, Qt::NoButton);
    }
    void Click(QPoint at) {
        Move(at);
        Press(at);
        Release(at);
    }

    std::vector<std::string> lines;
    CDtbLine* top = nullptr;
    CDtbArc* arc = nullptr;
    CDtbNode* pattern = nullptr;
    HostRecord record;
};

// --- hover ---------------------------------------------------------------------------------------

TEST_F(ElemViewMouseTest, APieceOfADividedArcHighlightsTheWholeArcWithItsTip) {
    const QImage plain = view->BackBuffer().copy();
    // Near the arc's start (150, 100); its top (100, 150) lies 50 units away.
    Move(Px(149, 104));
    EXPECT_EQ(view->HoverElement(), arc);
    EXPECT_EQ(Pixel(Px(100, 150).x(), Px(100, 150).y()), Navi());
    ASSERT_TRUE(TipShown());
    EXPECT_EQ(view->ElemTipText.section('\n', 0, 0), "4    : G03 X150. Y100. R50.");
    EXPECT_TRUE(view->ElemTipText.contains("Rad  : 50.000 (100.000)"));
    EXPECT_EQ(view->ElemTip()->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    // Away from everything: the arc is drawn as before and the tip goes.
    Move(Px(200, 180));
    EXPECT_EQ(view->HoverElement(), nullptr);
    EXPECT_FALSE(TipShown());
    EXPECT_EQ(view->ElemTipText, "");
    EXPECT_EQ(view->BackBuffer(), plain);
}

TEST_F(ElemViewMouseTest, APunchHitClimbsToItsPatternGroup) {
    const QImage plain = view->BackBuffer().copy();
    Move(Px(250, 41));
    EXPECT_EQ(view->HoverElement(), pattern);
    // The other hit is highlighted too.
    EXPECT_EQ(Pixel(Px(330, 40).x(), Px(330, 40).y()), Navi());
    ASSERT_TRUE(TipShown());
    EXPECT_TRUE(view->ElemTipText.startsWith("5    : T5 G92\nSNO  : 5\n"));
    EXPECT_EQ(view->ElemTip()->palette().color(QPalette::WindowText), QColor(0, 120, 0));
    // From one element straight to another: the first is restored.
    Move(Px(200, 251));
    EXPECT_EQ(view->HoverElement(), top);
    Move(Px(200, 180));
    EXPECT_EQ(view->BackBuffer(), plain);
}

TEST_F(ElemViewMouseTest, NothingIsHoveredWhileTracing) {
    view->FrameState().TraceActive = 1;
    Move(Px(200, 251));
    EXPECT_EQ(view->HoverElement(), nullptr);
    EXPECT_FALSE(TipShown());
    // No click action either.
    Press(Px(200, 251));
    Release(Px(200, 251));
    EXPECT_TRUE(record.clicked.empty());
}

TEST_F(ElemViewMouseTest, AFullRepaintForgetsTheHoverAndTheHighlightedLine) {
    Move(Px(200, 251));
    ASSERT_EQ(view->HoverElement(), top);
    view->HighlightLine(4);
    view->ZoomIn();
    EXPECT_EQ(view->HoverElement(), nullptr);
    EXPECT_EQ(view->HighlightedLine, -1);
    // The tip stays until the cursor moves on.
    EXPECT_TRUE(TipShown());
}

TEST_F(ElemViewMouseTest, ALeftPressHidesTheTipAndTheNextPaintOnlyWorksTheHoverOut) {
    const QPoint at = Px(200, 251);
    Move(at);
    ASSERT_TRUE(TipShown());
    Press(at);
    EXPECT_FALSE(TipShown());
    EXPECT_EQ(view->PaintArmed, 0);
    EXPECT_EQ(record.rotationDialogRefreshes, 1);
    // A right press hides a tip too.
    Release(at);
    view->HoverAt(Px(100, 151));
    ASSERT_TRUE(TipShown());
    Press(Px(100, 151), Qt::RightButton);
    EXPECT_FALSE(TipShown());
}

// --- clicks and drags ----------------------------------------------------------------------------

TEST_F(ElemViewMouseTest, AClickSelectsTheElementsLinesAPressMovedElsewhereNothing) {
    Click(Px(200, 251));
    EXPECT_EQ(record.clicked, std::vector<int>{2});
    record.clicked.clear();
    // Down on the line, up elsewhere (the move between is a pan).
    Move(Px(200, 251));
    Press(Px(200, 251));
    Move(Px(220, 240), Qt::LeftButton);
    Release(Px(220, 240));
    EXPECT_TRUE(record.clicked.empty());
    // A click where nothing is.
    Click(Px(200, 180));
    EXPECT_TRUE(record.clicked.empty());
}

TEST_F(ElemViewMouseTest, APanKeepsThePressPointUnderTheCursor) {
    const QPoint from(100, 100), to(160, 70);
    Move(from);
    Press(from);
    const CxyData pressed = view->PressWorldPoint;
    Move(to, Qt::LeftButton);
    EXPECT_NEAR(view->Model().ClientToWorldX(to.x()), pressed.x, 1e-9);
    EXPECT_NEAR(view->Model().ClientToWorldY(to.y()), pressed.y, 1e-9);
    Release(to);
    // With CtrlSwitch 1 the same drag zooms (in, when dragging up).
    view->FrameState().CtrlSwitch = 1;
    const double width = view->Model().Window().Width();
    Press(from);
    Move(from - QPoint(0, 10), Qt::LeftButton);
    EXPECT_LT(view->Model().Window().Width(), width);
    Release(from - QPoint(0, 10));
}

TEST_F(ElemViewMouseTest, WithMouseOperationADragRotatesAndAClickSetsThePivotInPlace) {
    view->FrameState().RotateMouseOperation = 1;
    const QPoint from(100, 100);
    Press(from);
    Move(from + QPoint(0, 30), Qt::LeftButton);
    // 30 pixels down on a client 300 high: the first view angle grows by 18 degrees.
    EXPECT_NEAR(view->Model().Projection().ViewAngle(0), 90 + 18, 1e-9);
    Move(from + QPoint(40, 30), Qt::LeftButton);
    EXPECT_NEAR(view->Model().Projection().ViewAngle(1), 40 * 180.0 / 400, 1e-9);
    Release(from + QPoint(40, 30));
    EXPECT_TRUE(record.clicked.empty());

    // In the ISO view a click on the cut line sets the pivot at its end point.
    view->SetViewType(kViewIso, 0, 0, 0);
    view->ZoomFit();
    const QImage before = view->BackBuffer().copy();
    double x = 0, y = 0;
    view->Model().ProjectPoint(200, 250, 0, &x, &y, true);
    Click(Px(x, y));
    EXPECT_EQ(record.clicked, std::vector<int>{2});
    const CxyzData pivot = view->Model().Projection().Pivot();
    EXPECT_EQ(pivot.x, 350);
    EXPECT_EQ(pivot.y, 250);
    // Projected anew about the pivot, the drawing has not moved.
    view->Model().RebuildMainLayer();
    view->RepaintAll();
    EXPECT_EQ(view->BackBuffer(), before);
}

TEST_F(ElemViewMouseTest, ModeThirtyOneClickOnARapidDoesNothingOnACutBuildsTheRoutes) {
    view->Context().ProcessMode = 31;
    view->Context().FindBlockRange = [](int mode, int line, int* first, int* last, int* seq) {
        EXPECT_EQ(mode, 1);
        *first = *last = line;
        *seq = 7;
        return true;
    };
    Click(Px(25, 125));  // the rapid
    EXPECT_TRUE(record.picks.empty());
    EXPECT_TRUE(view->Model().Layer(LayerSelectedRoute).IsEmpty());
    Click(Px(200, 251));
    EXPECT_EQ(record.picks, (std::vector<std::pair<int, int>>{{0, 2}}));
    EXPECT_EQ(viewtest::TopCount(view->Model().Layer(LayerSelectedRoute)), 1);
    EXPECT_EQ(viewtest::TopCount(view->Model().Layer(LayerIncompleteRoute)), 2);
    EXPECT_TRUE(record.clicked.empty());  // no NC line is selected in these modes
}

TEST_F(ElemViewMouseTest, LeavingAnElementOfTheRoutesDrawsTheRoutesAgain) {
    view->Context().ProcessMode = 31;
    view->Context().FindBlockRange = [](int, int line, int* first, int* last, int* seq) {
        *first = *last = line;
        *seq = 1;
        return true;
    };
    Click(Px(200, 251));  // the cut: its block selected, the arc and the pattern incomplete
    ASSERT_FALSE(view->Model().Layer(LayerSelectedRoute).IsEmpty());
    Move(Px(200, 180));
    view->RepaintAll();
    const QImage routes = view->BackBuffer().copy();
    for (QPoint at : {Px(210, 251), Px(149, 104)}) {
        Move(at);
        ASSERT_NE(view->HoverElement(), nullptr);
        Move(Px(200, 180));
        EXPECT_EQ(view->BackBuffer(), routes);
    }
    // The update after a load empties the route layers.
    view->RebuildMainLayer();
    EXPECT_TRUE(view->Model().Layer(LayerSelectedRoute).IsEmpty());
    EXPECT_TRUE(view->Model().Layer(LayerIncompleteRoute).IsEmpty());
}

// --- keys, buttons, wheel and menu ---------------------------------------------------------------

TEST_F(ElemViewMouseTest, KeysAndTheMiddleButtonActAsTheTableSays) {
    view->setFocus();
    const ViewWindow fitted = view->Model().Window();
    QTest::keyClick(view.get(), Qt::Key_PageUp);
    EXPECT_LT(view->Model().Window().Width(), fitted.Width());
    const double zoomedIn = view->Model().Window().Width();
    QTest::keyClick(view.get(), Qt::Key_PageDown);
    EXPECT_GT(view->Model().Window().Width(), zoomedIn);
    const double left = view->Model().Window().xmin;
    QTest::keyClick(view.get(), Qt::Key_Left);
    EXPECT_NE(view->Model().Window().xmin, left);
    const double bottom = view->Model().Window().ymin;
    QTest::keyClick(view.get(), Qt::Key_Up);
    EXPECT_NE(view->Model().Window().ymin, bottom);
    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_EQ(record.steps, 1);

    // R: the rotation back to 0, saved by the frame, the view refitted.
    view->SetRotationAngles(CxyzData(30, 20, 10), 7);
    QTest::keyClick(view.get(), Qt::Key_R);
    EXPECT_EQ(record.rotationResets, 1);
    EXPECT_EQ(record.rotationDialogRefreshes, 1);  // after the reset
    EXPECT_EQ(view->RotationAngles().x, 0);
    EXPECT_EQ(view->RotationAngles().z, 0);
    // The middle button fits; its double click resets the rotation too.
    view->ZoomIn();
    const double zoomed = view->Model().Window().Width();
    Press(QPoint(10, 10), Qt::MiddleButton);
    EXPECT_GT(view->Model().Window().Width(), zoomed);
    view->SetRotationAngles(CxyzData(0, 45, 0), 2);
    Send(QEvent::MouseButtonDblClick, QPoint(10, 10), Qt::MiddleButton, Qt::MiddleButton);
    EXPECT_EQ(record.rotationResets, 2);
    EXPECT_EQ(view->RotationAngles().y, 0);
}

TEST_F(ElemViewMouseTest, TheWheelGoesToTheFrameInWholeNotches) {
    auto wheel = [&](int delta, Qt::KeyboardModifiers keys) {
        QWheelEvent e(QPointF(50, 50), QPointF(view->mapToGlobal(QPoint(50, 50))), QPoint(),
                      QPoint(0, delta), Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view.get(), &e);
    };
    for (int i = 0; i < 5; ++i) wheel(40, Qt::ControlModifier);  // a touchpad's small steps
    ASSERT_EQ(record.wheel.size(), 1u);
    EXPECT_EQ(record.wheel[0], (std::pair<unsigned, int>{0x8, 120}));
    wheel(-200, Qt::ShiftModifier);  // with the 80 left over: one notch down
    ASSERT_EQ(record.wheel.size(), 2u);
    EXPECT_EQ(record.wheel[1], (std::pair<unsigned, int>{0x4, -120}));
}

TEST_F(ElemViewMouseTest, TheContextMenuOpensOnTheRightReleaseWithTheTracingSubmenu) {
    Press(QPoint(50, 50), Qt::RightButton);
    EXPECT_TRUE(record.menus.empty());
    Release(QPoint(50, 50), Qt::RightButton);
    view->FrameState().TraceActive = 1;
    Press(QPoint(50, 50), Qt::RightButton);
    Release(QPoint(50, 50), Qt::RightButton);
    EXPECT_EQ(record.menus, (std::vector<int>{0, 1}));
}

}  // namespace
