// The outside driver's trace requests in the frame: TRACE_PRG and TRACE_COD following a
// position in process mode 2 (waiting for a step under way), the skip-log resume of process
// mode 4 with the stand-in library drawing its route, and the library handle the element views
// get from the NC pane.
#include <QApplication>

#include "DeroreStub.h"
#include "ElemViewPoints.h"
#include "app/core/CommandIds.h"
#include "app/core/DdeCommands.h"
#include "platform/Profile.h"
#include "settings/FrameFixture.h"
#include "text/CNcTextView.h"
#include "text/QtTracePump.h"
#include "text/core/NcTraceEngine.h"
#include "views/CNcElemView.h"

namespace {

// Qt's pump with one action at the first serving of events.
class ActingPump : public QtTracePump {
public:
    std::function<void()> first;
    bool Pump() override {
        if (first) std::exchange(first, nullptr)();
        return QtTracePump::Pump();
    }
};

class TraceRequestsInFrame : public FrameFixture {
protected:
    static std::string Program() {
        return std::string(MORVALEN_SOURCE_DIR) + "/tests/data/text/trace/follow.nc";
    }
    DdeReply Execute(const std::string& command) {
        return DdeExecute(command, Frame()->DriverEffects());
    }
    CNcTextView* List() { return Frame()->NcList(); }
    NcTraceEngine* Trace() { return List()->Trace(); }
    CNcElemView* View() { return dynamic_cast<CNcElemView*>(Frame()->ElemViews().front()); }
    // A start whose settings name the stand-in's folder (the list loads it when it is made).
    void StartWithStub() {
        ASSERT_TRUE(Start({"/US"}));
        platform::WriteProfileString("Setting for 16ILB", "derore_Path",
                                     test::DeroreStubFolder().string(), app_->Paths.IniPath);
        ASSERT_TRUE(Start({"/US"}));
    }
    void Drain() {
        for (int i = 0; i < 50; ++i) QApplication::processEvents();
    }
};

TEST_F(TraceRequestsInFrame, TracePrgAndTraceCodFollowAPosition) {
    ASSERT_TRUE(Start({"/US", Program()}));
    // Outside process mode 2 the requests are refused.
    EXPECT_EQ(Execute("TRACE_COD 1 2 3"), DdeReply::NotProcessed);
    EXPECT_EQ(Execute("PROC_MODE 2"), DdeReply::Ack);
    FittedElemView(Frame());

    EXPECT_EQ(Execute("TRACE_PRG 0 1000 -1 2 -1 30 0 1"), DdeReply::Ack);
    EXPECT_EQ(app_->TraceActive, 1);
    EXPECT_EQ(List()->FirstSelectedRow(), 6);  // N2 up to its call
    EXPECT_EQ(Trace()->TargetMainSequence, 2);
    EXPECT_EQ(View()->TorchShown, 1);
    EXPECT_FALSE(View()->Model().Layer(LayerTraced).IsEmpty());       // the way there
    EXPECT_FALSE(View()->Model().Layer(LayerCurrentStep).IsEmpty());  // the sequence

    EXPECT_EQ(Execute("TRACE_COD 100.5 -20 101"), DdeReply::Ack);
    EXPECT_EQ(Trace()->TargetX, 100.5);
    EXPECT_EQ(Trace()->TargetY, -20.0);
    EXPECT_EQ(Trace()->TargetMoveKind, 101);
    EXPECT_EQ(Trace()->TraceType, 4);

    // Type 3 shows the position and ends the trace.
    EXPECT_EQ(Execute("TRACE_PRG 3 1000 -1 2 -1 0 0 1"), DdeReply::Ack);
    EXPECT_EQ(app_->TraceActive, 0);
}

TEST_F(TraceRequestsInFrame, ARequestWaitsForTheStepUnderWay) {
    ASSERT_TRUE(Start({"/US", Program()}));
    Frame()->TraceTime = 1;
    ActingPump pump;
    List()->Trace()->SetPump(pump);
    Frame()->OnCommand(cmd::Step);
    Frame()->OnCommand(cmd::Step);  // a path to animate in the next step
    double during = 0.0;
    pump.first = [&] {
        Frame()->TraceToRequest(4, -1, -1, -1, -1, 77.0, 5.0, 1);
        during = Trace()->TargetX;
    };
    Frame()->OnCommand(cmd::Step);
    EXPECT_NE(during, 77.0);  // not in the middle of the step
    Drain();
    EXPECT_EQ(Trace()->TargetX, 77.0);
    EXPECT_EQ(app_->StepPending, 0);
}

TEST_F(TraceRequestsInFrame, OpenInProcessMode4DrawsTheSkipLogRoute) {
    test::DeroreStub stub;
    ASSERT_TRUE(stub.Open());
    stub.Reset();
    stub.SetRecord(1000, 2000, 2, 20, 12.5, -7.25);
    StartWithStub();
    ASSERT_NE(List()->DerOre(), nullptr);
    FittedElemView(Frame());
    EXPECT_EQ(Execute("PROC_MODE 4"), DdeReply::Ack);
    EXPECT_EQ(Execute("OPEN " + Program()), DdeReply::Ack);
    // The route of O2000's N20 without its rapid, the opaque mark at the logged point.
    CTessmarkDoc* doc = app_->Document.get();
    ASSERT_EQ(doc->SkipLogElements.GetCount(), 2u);
    EXPECT_EQ(doc->SkipLogElements.GetFirstElement()->noDisplay, 1);
    EXPECT_EQ(doc->SkipLogStart.x, 12.5);
    EXPECT_EQ(doc->SkipLogStart.y, -7.25);
    EXPECT_FALSE(View()->Model().Layer(LayerSkipLogRoute).IsEmpty());
    EXPECT_EQ(View()->TorchShown, 1);
    EXPECT_EQ(app_->TraceActive, 0);
    EXPECT_FALSE(Asked("SkipLog"));

    // The element view calls SetProcStartPos through the list's library.
    View()->OnUpdate();
    EXPECT_EQ(View()->Context().DerOre, List()->DerOre());
    stub.LastSeq() = -1;
    EXPECT_EQ(View()->Model().CallSetProcStartPos(0, 40), 1);
    EXPECT_EQ(stub.LastSeq(), 40);
}

TEST_F(TraceRequestsInFrame, WithoutTheLibraryTheResumeSaysSo) {
    ASSERT_TRUE(Start({"/US", Program()}));
    EXPECT_EQ(List()->DerOre(), nullptr);  // the program's folder holds none
    EXPECT_EQ(Execute("PROC_MODE 4"), DdeReply::Ack);
    EXPECT_FALSE(Asked("SkipLog"));  // the driver is answered first
    Drain();
    EXPECT_TRUE(Asked("Can't get SkipLog"));
    EXPECT_TRUE(app_->Document->SkipLogElements.IsEmpty());
}

TEST_F(TraceRequestsInFrame, TheViewsGetTheLibraryFromTheListOnly) {
    test::DeroreStub stub;
    stub.Reset();
    StartWithStub();
    app_->OpenDocumentFile(Program());
    View()->OnUpdate();
    EXPECT_NE(View()->Context().DerOre, nullptr);
    // The editor holds the pane: no library.
    Frame()->ToggleEditMode();
    Drain();
    View()->OnUpdate();
    EXPECT_EQ(View()->Context().DerOre, nullptr);
    // The list made again loads it again.
    Frame()->ToggleEditMode();
    Drain();
    View()->OnUpdate();
    ASSERT_NE(List(), nullptr);
    EXPECT_EQ(View()->Context().DerOre, List()->DerOre());
    EXPECT_NE(List()->DerOre(), nullptr);
}

}  // namespace
