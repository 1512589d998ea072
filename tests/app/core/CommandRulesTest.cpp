// Command rules in the normal, editing and tracing states, and the menu greying by mode.
#include "app/core/CommandRules.h"

#include <gtest/gtest.h>

#include "app/core/CommandIds.h"

namespace {

enum Expect { Off, On };

struct Case {
    int command;
    Expect normal, editing, tracing;
};

TEST(CommandRules, EnabledByState) {
    FrameState normal;
    normal.App1Configured = 1;
    FrameState editing = normal;
    editing.EditMode = 1;
    FrameState tracing = normal;
    tracing.TraceActive = 1;
    const Case cases[] = {
        {cmd::New, On, Off, Off},
        {cmd::Open, On, Off, Off},
        {cmd::Save, On, Off, Off},
        {cmd::OutputDxf, On, Off, Off},
        {cmd::Boot, On, Off, Off},
        {cmd::Boot2, Off, Off, Off},
        {cmd::Undo, Off, On, Off},
        {cmd::Paste, Off, On, Off},
        {cmd::Replace, Off, On, Off},
        {cmd::CheckNc, On, Off, Off},
        {cmd::GetSubProgram, On, Off, Off},
        {cmd::Smooth, On, Off, Off},
        {cmd::RotateView, On, On, Off},
        {cmd::ViewSplit4, On, On, On},
        {cmd::XyzAxis, On, On, On},
        {cmd::Run, On, Off, On},
        {cmd::SpeedLow, On, Off, On},
        {cmd::BreakAllDisable, On, Off, On},
        {cmd::Property, On, Off, Off},
        {cmd::PropertyMachine, On, On, Off},
        {cmd::PropertyConversion, On, On, Off},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EvaluateCommand(c.command, normal).enabled, c.normal == On) << c.command;
        EXPECT_EQ(EvaluateCommand(c.command, editing).enabled, c.editing == On) << c.command;
        EXPECT_EQ(EvaluateCommand(c.command, tracing).enabled, c.tracing == On) << c.command;
    }
    // A pending step counts as busy as well.
    FrameState pending = normal;
    pending.StepPending = 1;
    EXPECT_FALSE(EvaluateCommand(cmd::Save, pending).enabled);
    EXPECT_TRUE(EvaluateCommand(cmd::Run, pending).enabled);
    EXPECT_FALSE(EvaluateCommand(12345, normal).hasRule);
}

TEST(CommandRules, CheckMarks) {
    FrameState s;
    s.ViewType = 4;
    s.CtrlSwitch = 1;
    s.TraceTime = 2;
    s.BarVisible[kBarTrace] = true;
    EXPECT_EQ(EvaluateCommand(cmd::ViewSplit4, s).check, kCheckOn);
    EXPECT_EQ(EvaluateCommand(cmd::ViewTop, s).check, kCheckOff);
    EXPECT_EQ(EvaluateCommand(cmd::ViewTop, s).checkKind, CheckKind::Radio);
    EXPECT_EQ(EvaluateCommand(cmd::OpZoom, s).check, kCheckOn);
    EXPECT_EQ(EvaluateCommand(cmd::SpeedLow, s).check, kCheckOn);
    EXPECT_EQ(EvaluateCommand(cmd::BarTrace, s).check, kCheckOn);
    EXPECT_EQ(EvaluateCommand(cmd::BarEdit, s).check, kCheckOff);
    s.ManMoveDlgOpen = true;
    EXPECT_EQ(EvaluateCommand(cmd::ManualMove, s).check, kCheckOn);
    s.EditMode = 1;
    EXPECT_EQ(EvaluateCommand(cmd::ManualMove, s).check, kCheckOff);
    EXPECT_EQ(EvaluateCommand(cmd::SpeedLow, s).checkKind, CheckKind::None);
    s.EditMode = 0;
    s.TraceActive = 1;
    EXPECT_EQ(EvaluateCommand(cmd::ManualMove, s).check, kCheckIndeterminate);
    EXPECT_EQ(EvaluateCommand(cmd::RotateView, s).check, kCheckIndeterminate);
}

TEST(CommandRules, FixedPhrases) {
    FrameState s;
    s.InsertString[0] = "G04 X1.";
    s.InsertComment[0] = "dwell";
    s.InsertString[1] = "M30";
    EXPECT_FALSE(EvaluateCommand(cmd::InsertStr1, s).enabled);
    EXPECT_EQ(*EvaluateCommand(cmd::InsertStr1, s).text, "(dwell) G04 X1.");
    EXPECT_EQ(*EvaluateCommand(cmd::InsertStr1 + 1, s).text, "M30");
    EXPECT_FALSE(EvaluateCommand(cmd::InsertStr1 + 2, s).text);
    s.EditMode = 1;
    EXPECT_TRUE(EvaluateCommand(cmd::InsertStr1, s).enabled);
    EXPECT_FALSE(EvaluateCommand(cmd::InsertStr1 + 2, s).enabled);
}

TEST(CommandRules, MenuGreyingByMode) {
    FrameState s;
    // Otherwise: only Cut, Copy and Paste.
    EXPECT_TRUE(GreyedByMenuMode(cmd::Cut, s));
    EXPECT_FALSE(GreyedByMenuMode(cmd::Undo, s));
    EXPECT_FALSE(GreyedByMenuMode(cmd::New, s));
    // Tracing in mode 0: the File items.
    s.TraceActive = 1;
    EXPECT_TRUE(GreyedByMenuMode(cmd::New, s));
    EXPECT_TRUE(GreyedByMenuMode(cmd::RecentFile1 + 3, s));
    // Tracing in mode 11: the mode-11 case applies instead.
    s.ProcessMode = 11;
    EXPECT_FALSE(GreyedByMenuMode(cmd::New, s));
    EXPECT_TRUE(GreyedByMenuMode(cmd::Replace, s));
    // Editing: File items and the Trace menu.
    s = FrameState{};
    s.EditMode = 1;
    EXPECT_TRUE(GreyedByMenuMode(cmd::Save, s));
    EXPECT_TRUE(GreyedByMenuMode(cmd::BreakOn, s));
    EXPECT_FALSE(GreyedByMenuMode(cmd::Paste, s));
    // Embedded modes: mode 2 greys the single views, mode 4 keeps them.
    s = FrameState{};
    s.ProcessMode = 2;
    EXPECT_TRUE(GreyedByMenuMode(cmd::ViewTop, s));
    EXPECT_TRUE(GreyedByMenuMode(cmd::ViewIso, s));
    EXPECT_TRUE(GreyedByMenuMode(cmd::ViewSplit4, s));
    EXPECT_TRUE(GreyedByMenuMode(cmd::Exit, s));
    EXPECT_TRUE(GreyedByMenuMode(cmd::About, s));
    EXPECT_FALSE(GreyedByMenuMode(cmd::ZoomIn, s));
    s.ProcessMode = 4;
    EXPECT_FALSE(GreyedByMenuMode(cmd::ViewTop, s));
    EXPECT_TRUE(GreyedByMenuMode(cmd::ViewSplit4, s));
}

TEST(CommandRules, ToolBarButtonsByMode) {
    FrameState s;
    s.App1Configured = 1;
    EXPECT_TRUE(ToolBarButtonState(cmd::Boot, s).enabled);
    EXPECT_TRUE(ToolBarButtonState(cmd::Undo, s).indeterminate);
    s.EditMode = 1;
    EXPECT_TRUE(ToolBarButtonState(cmd::Boot, s).indeterminate);
    EXPECT_FALSE(ToolBarButtonState(cmd::Boot2, s).indeterminate);
    EXPECT_TRUE(ToolBarButtonState(cmd::Undo, s).enabled);
    EXPECT_TRUE(ToolBarButtonState(cmd::Run, s).indeterminate);
    EXPECT_FALSE(ToolBarButtonState(cmd::ZoomIn, s).touched);
}

TEST(CommandRules, BootLabels) {
    EXPECT_EQ(BootMenuText(cmd::Boot, "Boot", true), "&Boot");
    EXPECT_EQ(BootMenuText(cmd::Boot, "CAD", false), "CAD(&E)");
    EXPECT_EQ(BootMenuText(cmd::Boot2, "Viewer", false), "Viewer(&G)");
}

}  // namespace
