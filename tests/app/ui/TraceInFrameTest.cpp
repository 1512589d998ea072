// The trace commands in the frame, with what arrives while a step's animation serves events:
// Run is ignored, Step pauses, a throwing step is logged and leaves nothing pending, the pane
// switch is refused, closing and opening wait for the step, the close ends the trace first.
#include <QApplication>

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "app/core/CommandIds.h"
#include "app/core/ExceptionLog.h"
#include "app/ui/AppFixture.h"
#include "text/CNcTextView.h"
#include "text/NcLineModel.h"
#include "text/QtTracePump.h"
#include "text/core/NcTraceEngine.h"

namespace {

// Qt's pump, with an action as if it came from the queue: at the k-th serving of events, or
// at the first serving of events in the k-th block animated (both 1-based).
class ActingPump : public QtTracePump {
public:
    std::map<int, std::function<void()>> at;
    std::map<int, std::function<void()>> inBlock;
    int pumps = 0;
    int blocks = 0;
    void Begin(KeyHandler handler) override {
        ++blocks;
        QtTracePump::Begin(std::move(handler));
    }
    bool Pump() override {
        ++pumps;
        if (auto it = at.find(pumps); it != at.end()) it->second();
        // Blocks without a path serve no events: their action comes at the next that does.
        if (auto it = inBlock.begin(); it != inBlock.end() && it->first <= blocks) {
            auto action = std::move(it->second);
            inBlock.erase(it);
            action();
        }
        return QtTracePump::Pump();
    }
};

// The prompt that notes whether a trace was open when it was asked.
class WatchingPrompt : public platform::ScriptedPrompt {
public:
    const int* traceActive = nullptr;
    std::vector<int> tracing;
    platform::PromptAnswer Message(std::string_view text, platform::PromptIcon icon,
                                   platform::PromptButtons buttons) override {
        tracing.push_back(traceActive ? *traceActive : -1);
        return ScriptedPrompt::Message(text, icon, buttons);
    }
};

class TraceInFrame : public AppFixture {
protected:
    void StartTrace(const std::string& file = Example()) {
        ASSERT_TRUE(Start({"/US", file}));
        Frame()->TraceTime = 1;  // Normal: pauses of 5 ms, the torch shown
        List()->Trace()->SetPump(pump);
    }
    static std::string Example() {
        return std::string(MORVALEN_SOURCE_DIR) + "/examples/laser-trace.nc";
    }
    CNcTextView* List() { return Frame()->NcList(); }
    int Row() { return List()->Trace()->BlockRow; }
    // Steps until the row shown is row (a block whose path the next step animates).
    void StepTo(int row) {
        for (int i = 0; i < 50 && Row() != row; ++i) Frame()->OnCommand(cmd::Step);
        ASSERT_EQ(Row(), row);
    }
    // Runs what is queued (the posted steps of a run) until nothing more happens.
    void Drain() {
        for (int i = 0; i < 200; ++i) QApplication::processEvents();
    }
    std::string Log() {
        std::ifstream f(ExceptionLogPath(app_->Paths.ConfigFolder));
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    ActingPump pump;
};

TEST_F(TraceInFrame, StepOpensTheTraceAndLocksTheSwitch) {
    StartTrace();
    EXPECT_TRUE(Frame()->SwitchForm()->isEnabled());
    Frame()->OnCommand(cmd::Step);
    EXPECT_EQ(app_->TraceActive, 1);
    EXPECT_EQ(app_->StepPending, 0);
    EXPECT_EQ(Row(), 1);  // the O line after the '%'
    EXPECT_EQ(List()->Model()->DropRow(), 1);
    EXPECT_FALSE(Frame()->SwitchForm()->isEnabled());
    Frame()->OnCommand(cmd::Cancel);
    EXPECT_EQ(app_->TraceActive, 0);
    EXPECT_EQ(List()->Model()->DropRow(), -1);
    EXPECT_TRUE(Frame()->SwitchForm()->isEnabled());
}

TEST_F(TraceInFrame, RunDuringAStepIsIgnored) {
    StartTrace();
    StepTo(4);  // G00X10.Y10.
    int pending = -1, runMode = -1;
    pump.at[1] = [&] {
        Frame()->OnCommand(cmd::Run);
        pending = app_->StepPending;
        runMode = app_->RunMode;
    };
    Frame()->OnCommand(cmd::Step);
    EXPECT_EQ(pending, 1);
    EXPECT_EQ(runMode, 0);
    EXPECT_EQ(Row(), 5);
    Drain();
    EXPECT_EQ(Row(), 5);  // no run was started
    EXPECT_EQ(app_->StepPending, 0);
}

TEST_F(TraceInFrame, StepDuringARunPausesItAndASecondStepStepsOneBlock) {
    StartTrace();
    StepTo(4);
    // In the fourth step of the run.
    pump.blocks = 0;
    pump.inBlock[4] = [&] { Frame()->OnCommand(cmd::Step); };
    Frame()->OnCommand(cmd::Run);
    Drain();
    EXPECT_EQ(app_->TraceActive, 1);
    EXPECT_EQ(app_->RunMode, 0);
    EXPECT_EQ(app_->StepPending, 0);
    const int paused = Row();
    EXPECT_GT(paused, 7);
    Frame()->OnCommand(cmd::Step);
    Drain();
    EXPECT_EQ(Row(), paused + 1);
}

TEST_F(TraceInFrame, ARunStopsAtABreakpointAndEndsAtTheEnd) {
    StartTrace();
    int row = 9;  // G01Y10.
    List()->SelectLine(1, &row, 1);
    Frame()->OnCommand(cmd::BreakOn);
    EXPECT_EQ(RowParamBreakpoint(List()->Model()->RowParam(9)), 1);
    Frame()->TraceTime = 0;  // High: no pauses
    Frame()->OnCommand(cmd::Run);
    Drain();
    EXPECT_EQ(Row(), 9);
    EXPECT_EQ(app_->TraceActive, 1);
    Frame()->OnCommand(cmd::Run);
    Drain();
    EXPECT_EQ(app_->TraceActive, 0);  // M30
    EXPECT_EQ(List()->Model()->DropRow(), -1);
}

TEST_F(TraceInFrame, AThrowingStepIsLoggedAndLeavesNothingPending) {
    StartTrace();
    StepTo(4);
    pump.at[1] = [] { throw std::runtime_error("broken step"); };
    Frame()->OnCommand(cmd::Run);
    EXPECT_EQ(app_->StepPending, 0);
    EXPECT_EQ(app_->RunMode, 0);
    EXPECT_NE(Log().find("Function name : OnTraceRun"), std::string::npos) << Log();
    EXPECT_NE(Log().find("Error type : Other exception"), std::string::npos);
    // The posted step of a run is guarded the same way; Run is not refused afterwards.
    pump.at.clear();
    pump.blocks = 0;
    pump.inBlock[2] = [] { throw std::bad_alloc(); };
    Frame()->OnCommand(cmd::Run);
    Drain();
    EXPECT_NE(Log().find("Function name : OnTraceStepNocancel"), std::string::npos);
    EXPECT_NE(Log().find("Error type : Memory exception"), std::string::npos);
    EXPECT_EQ(app_->StepPending, 0);
    EXPECT_EQ(app_->TraceActive, 1);
}

TEST_F(TraceInFrame, ThePaneSwitchIsRefusedDuringATrace) {
    StartTrace();
    Frame()->OnCommand(cmd::Step);
    CNcTextView* list = List();
    Frame()->ToggleEditMode();
    Drain();
    EXPECT_EQ(Frame()->EditMode, 0);
    EXPECT_EQ(Frame()->NcPane(), list);
    EXPECT_FALSE(Frame()->SwapNcPane());
    // After the trace the switch works again.
    Frame()->OnCommand(cmd::Cancel);
    Frame()->ToggleEditMode();
    EXPECT_EQ(Frame()->EditMode, 1);
}

TEST_F(TraceInFrame, AStepPostedBeforeCancelOpensNoNewTrace) {
    StartTrace();
    StepTo(4);
    Frame()->TraceTime = 0;
    Frame()->OnCommand(cmd::Run);  // posts the next step
    Frame()->OnCommand(cmd::Cancel);
    Drain();
    EXPECT_EQ(app_->TraceActive, 0);
}

TEST_F(TraceInFrame, ClosingCancelsTheTraceBeforeTheSaveQuestion) {
    auto watching = std::make_unique<WatchingPrompt>();
    WatchingPrompt* prompt = watching.get();
    app_ = std::make_unique<CTessmarkApp>();
    prompt->traceActive = &app_->TraceActive;
    prompt->answers.push_back(platform::PromptAnswer::Cancel);
    AppStartOptions options;
    options.Prompt = prompt;
    options.ScreenSize = QSize(1920, 1080);
    ASSERT_TRUE(app_->InitInstance({"/US", Example()}, options));
    Frame()->OnCommand(cmd::Step);
    app_->Document->SetModifiedFlag(true);
    prompt->tracing.clear();
    EXPECT_FALSE(Frame()->close());  // the save question is answered Cancel
    EXPECT_EQ(prompt->tracing, std::vector<int>{0});
    EXPECT_EQ(app_->TraceActive, 0);
    app_->Document->SetModifiedFlag(false);
    Frame()->close();
    app_.reset();
}

TEST_F(TraceInFrame, CloseAndOpenWaitForTheStepUnderWay) {
    StartTrace();
    StepTo(4);
    bool visibleAfterClose = false;
    bool opened = true;
    pump.at[1] = [&] {
        opened = app_->OpenDocumentFile(Sample());
        Frame()->close();
        visibleAfterClose = Frame()->isVisible();
    };
    Frame()->OnCommand(cmd::Step);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(visibleAfterClose);
    EXPECT_EQ(app_->TraceActive, 0);  // the close cancelled the trace at once
    EXPECT_TRUE(Frame()->isVisible());
    Drain();
    EXPECT_EQ(app_->Document->GetPathName(), Sample());
    EXPECT_FALSE(Frame()->isVisible());
}

TEST_F(TraceInFrame, ALoadEndsTheTrace) {
    StartTrace();
    Frame()->OnCommand(cmd::Step);
    ASSERT_EQ(app_->TraceActive, 1);
    ASSERT_TRUE(app_->OpenDocumentFile(Sample()));
    EXPECT_EQ(app_->TraceActive, 0);
    EXPECT_TRUE(Frame()->SwitchForm()->isEnabled());
    EXPECT_EQ(List()->Model()->DropRow(), -1);
}

TEST_F(TraceInFrame, StepIsRefusedInEmbeddedModes) {
    StartTrace();
    Frame()->SetProcMode(2);
    Frame()->OnTraceStep();
    EXPECT_EQ(app_->TraceActive, 0);
    // A process mode ends a trace as Cancel does.
    Frame()->SetProcMode(1);
    Frame()->OnTraceStep();
    ASSERT_EQ(app_->TraceActive, 1);
    Frame()->GetSubProgMode = 1;
    Frame()->SetProcMode(0);
    EXPECT_EQ(app_->TraceActive, 0);
    EXPECT_EQ(Frame()->GetSubProgMode, 0);
}

}  // namespace

namespace {

TEST_F(TraceInFrame, AnEmptyDocumentEndsTheTraceAtOnce) {
    ASSERT_TRUE(Start({"/US"}));
    EXPECT_TRUE(Frame()->OnCommand(cmd::Step));
    EXPECT_EQ(app_->TraceActive, 0);
    EXPECT_EQ(app_->StepPending, 0);
    EXPECT_TRUE(Frame()->OnCommand(cmd::Run));
    EXPECT_EQ(app_->TraceActive, 0);
    EXPECT_TRUE(Frame()->SwitchForm()->isEnabled());
}

}  // namespace
