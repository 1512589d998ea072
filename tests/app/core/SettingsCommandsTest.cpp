// The settings commands through a fake dialog runner that records what is reloaded after OK.
#include "app/core/SettingsCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/CommandIds.h"

namespace {

// Answers the dialog as told and records every call as one word.
class FakeRunner : public SettingsCommandHost {
public:
    bool ok = true;
    bool changeTitles = false;   // the sheet changes a tool-bar title while it is open
    bool changeMachine = false;  // the sheet names another machine file
    std::vector<std::string> calls;
    ToolBarTitleState titles{"Viewer", "Viewer", 1, 0};
    std::string machine = "/config/MV_Machine.nmd";

    bool RunDialog(int command, bool showHelp) override {
        calls.push_back("Dialog " + std::to_string(command) + (showHelp ? " help" : ""));
        if (changeTitles) titles.title2 = "CAD";
        if (changeMachine) machine = "/config/other.nmd";
        return ok;
    }
    ToolBarTitleState ToolBarTitles() const override { return titles; }
    std::string ConfiguredMachineFile() const override { return machine; }
    void LoadMachineFile() override { calls.push_back("LoadMachineFile"); }
    void LoadSystemData() override { calls.push_back("LoadSystemData"); }
    void LoadConfiguredMachine() override { calls.push_back("LoadConfiguredMachine"); }
    void LoadToolData() override { calls.push_back("LoadToolData"); }
    void RefreshToolBars() override { calls.push_back("RefreshToolBars"); }
    void ReloadEditor() override { calls.push_back("ReloadEditor"); }
    void RebuildElements() override { calls.push_back("RebuildElements"); }
    void RefreshAllViews() override { calls.push_back("RefreshAllViews"); }
};

using Calls = std::vector<std::string>;

struct Case {
    int command;
    int editMode;
    bool ok;
    bool changeTitles;
    Calls expected;  // after the dialog line
    bool changeMachine = false;
};

TEST(SettingsCommands, ReloadsAfterOkPerCommandInAndOutOfEditMode) {
    const Case cases[] = {
        {cmd::PropertyMachine,
         0,
         true,
         false,
         {"LoadMachineFile", "RebuildElements", "RefreshAllViews"}},
        {cmd::PropertyMachine, 1, true, false, {"LoadMachineFile", "ReloadEditor"}},
        {cmd::Property, 0, true, false, {"LoadSystemData", "RefreshAllViews"}},
        {cmd::Property, 1, true, false, {"LoadSystemData", "ReloadEditor"}},
        {cmd::Property, 0, true, true, {"LoadSystemData", "RefreshToolBars", "RefreshAllViews"}},
        {cmd::Property, 1, true, true, {"LoadSystemData", "RefreshToolBars", "ReloadEditor"}},
        // The machine in use stays unless the sheet named another one; a new one is drawn at
        // once, also beside the editor.
        {cmd::Property,
         0,
         true,
         false,
         {"LoadSystemData", "LoadConfiguredMachine", "RebuildElements", "RefreshAllViews"},
         true},
        {cmd::Property,
         1,
         true,
         true,
         {"LoadSystemData", "LoadConfiguredMachine", "RefreshToolBars", "ReloadEditor",
          "RebuildElements", "RefreshAllViews"},
         true},
        {cmd::PropertyCondition,
         0,
         true,
         false,
         {"LoadToolData", "RebuildElements", "RefreshAllViews"}},
        {cmd::PropertyCondition, 1, true, false, {"LoadToolData"}},
        {cmd::PropertyConversion, 0, true, false, {}},
        {cmd::PropertyConversion, 1, true, false, {}},
        {cmd::ConvertNc, 0, true, false, {}},
        // Cancel reloads nothing, also when the sheet had changed a title meanwhile.
        {cmd::PropertyMachine, 0, false, false, {}},
        {cmd::PropertyMachine, 1, false, false, {}},
        {cmd::Property, 0, false, true, {}},
        {cmd::Property, 0, false, false, {}, true},
        {cmd::PropertyCondition, 0, false, false, {}},
    };
    for (const Case& c : cases) {
        FakeRunner runner;
        runner.ok = c.ok;
        runner.changeTitles = c.changeTitles;
        runner.changeMachine = c.changeMachine;
        SettingsCommandState state;
        state.editMode = c.editMode;
        EXPECT_TRUE(RunSettingsCommand(c.command, state, runner));
        Calls expected{"Dialog " + std::to_string(c.command) + " help"};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(runner.calls, expected) << c.command << " edit " << c.editMode << " ok " << c.ok
                                          << " machine " << c.changeMachine;
    }
}

TEST(SettingsCommands, HelpFlagZeroShowsNoHelpButton) {
    for (int command : {cmd::PropertyMachine, cmd::Property, cmd::PropertyCondition,
                        cmd::PropertyConversion, cmd::ConvertNc}) {
        FakeRunner runner;
        runner.ok = false;
        SettingsCommandState state;
        state.helpFlag = 0;
        RunSettingsCommand(command, state, runner);
        EXPECT_EQ(runner.calls, Calls{"Dialog " + std::to_string(command)});
    }
}

TEST(SettingsCommands, ConvertNcIsRefusedInModeElevenAndInEditMode) {
    struct {
        int processMode;
        int editMode;
        bool runs;
    } const cases[] = {{0, 0, true}, {1, 0, true}, {2, 0, true}, {11, 0, false}, {0, 1, false}};
    for (const auto& c : cases) {
        FakeRunner runner;
        SettingsCommandState state;
        state.processMode = c.processMode;
        state.editMode = c.editMode;
        EXPECT_TRUE(RunSettingsCommand(cmd::ConvertNc, state, runner));
        EXPECT_EQ(runner.calls.size(), c.runs ? 1u : 0u) << c.processMode << " " << c.editMode;
    }
}

TEST(SettingsCommands, OtherCommandsAreNotSettingsCommands) {
    FakeRunner runner;
    EXPECT_FALSE(RunSettingsCommand(cmd::Save, {}, runner));
    EXPECT_FALSE(RunSettingsCommand(cmd::HelpContents, {}, runner));
    EXPECT_TRUE(runner.calls.empty());
}

}  // namespace
