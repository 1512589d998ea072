// The Trace/Edit switch form and its guard.
#include "text/CNcTextSwitch.h"

#include <gtest/gtest.h>

#include <QPushButton>

TEST(CNcTextSwitch, ButtonsToggleThroughTheFrame) {
    int toggles = 0;
    CNcTextSwitch* sw = nullptr;
    // The frame's swap sets Mode to the pane it ended with.
    CNcTextSwitch form(nullptr, [&] {
        ++toggles;
        sw->Mode = sw->Mode;  // the swap succeeded: Mode is the incoming pane
    });
    sw = &form;
    EXPECT_TRUE(form.TraceButton()->isChecked());
    form.EditButton()->click();
    EXPECT_EQ(toggles, 1);
    EXPECT_EQ(form.Mode, 1);
    EXPECT_TRUE(form.EditButton()->isChecked());
    // The button of the pane already shown changes nothing.
    form.EditButton()->click();
    EXPECT_EQ(toggles, 1);
    EXPECT_TRUE(form.EditButton()->isChecked());
    form.TraceButton()->click();
    EXPECT_EQ(toggles, 2);
    EXPECT_EQ(form.Mode, 0);
    EXPECT_TRUE(form.TraceButton()->isChecked());
}

TEST(CNcTextSwitch, GuardIgnoresClicksDuringTheSwap) {
    int toggles = 0;
    CNcTextSwitch form(nullptr, [&] { ++toggles; });
    form.Switching = 1;
    form.EditButton()->click();
    EXPECT_EQ(toggles, 0);
    EXPECT_EQ(form.Mode, 0);
    EXPECT_TRUE(form.TraceButton()->isChecked());
}

TEST(CNcTextSwitch, FailedSwapShowsThePaneKept) {
    CNcTextSwitch* sw = nullptr;
    CNcTextSwitch form(nullptr, [&] { sw->Mode = 0; });  // the editor could not be made
    sw = &form;
    form.EditButton()->click();
    EXPECT_TRUE(form.TraceButton()->isChecked());
}

TEST(CNcTextSwitch, ProcessModeElevenAndTrace) {
    CNcTextSwitch form(nullptr, [] {});
    form.OnInitialUpdate(11);
    EXPECT_FALSE(form.EditButton()->isEnabled());
    EXPECT_TRUE(form.TraceButton()->isEnabled());
    form.EnableButtons(0);
    EXPECT_FALSE(form.TraceButton()->isEnabled());
    form.EnableButtons(1);
    EXPECT_TRUE(form.TraceButton()->isEnabled());
    EXPECT_FALSE(form.EditButton()->isEnabled());  // still mode 11

    CNcTextSwitch normal(nullptr, [] {});
    normal.OnInitialUpdate(0);
    normal.EnableButtons(0);
    EXPECT_FALSE(normal.EditButton()->isEnabled());
    normal.EnableButtons(1);
    EXPECT_TRUE(normal.EditButton()->isEnabled());
}
