// The enable and check rules of the frame's commands, and the menu greying by mode, as plain
// functions of the frame's state so that they are tested without a window.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "app/core/DisplaySettings.h"

// Everything the rules read, copied from the application and the frame.
struct FrameState {
    // Application
    int TraceActive = 0;
    int StepPending = 0;
    int ProcessMode = 0;
    bool English = true;  // the interface language; the Boot items are labelled by it
    // Frame
    int EditMode = 0;
    int ViewType = 0;
    int TraceTime = 1;
    int CtrlSwitch = 0;
    int EdgeDisp = 0;
    int ACAxis = 0;
    int XYZAxis = 1;
    int ButtonText = 1;
    int GetSubProgMode = 0;
    bool SmoothDlgOpen = false;
    bool ManMoveDlgOpen = false;
    bool AxisRotateDlgOpen = false;
    int App1Configured = 0;
    int App2Configured = 0;
    std::array<bool, kBarCount> BarVisible{};
    bool StatusBarVisible = true;
    // The fixed phrases of the machine file ([InsertStr] String1..8 and Comment1..8, UTF-8).
    std::array<std::string, 8> InsertString;
    std::array<std::string, 8> InsertComment;
};

// The three modes of the tool-bar buttons.
enum class FrameMode { Normal, Editing, Tracing };
FrameMode ModeOf(const FrameState& s);

enum class CheckKind { None, Check, Radio };
enum CheckValue : int { kCheckOff = 0, kCheckOn = 1, kCheckIndeterminate = 2 };

struct CommandState {
    bool hasRule = false;  // commands without a rule are enabled when they have a handler
    bool enabled = true;
    CheckKind checkKind = CheckKind::None;
    int check = kCheckOff;
    std::optional<std::string> text;  // a text the rule sets (the fixed-phrase items)
};

// The rule of a command in the given state.
CommandState EvaluateCommand(int command, const FrameState& state);

// True when opening a menu greys the item in this state (on top of its rule): the first of the
// tracing, editing, mode-11, embedded-mode and otherwise cases that applies.
bool GreyedByMenuMode(int command, const FrameState& state);

// Process modes 2, 4, 30 and 31: the window embedded in another program's display.
inline bool IsEmbeddedProcessMode(int mode) {
    return mode == 2 || mode == 4 || mode == 30 || mode == 31;
}

// The mark and enabled state of a tool-bar button by mode; indeterminate buttons are disabled.
struct ButtonState {
    bool touched = false;  // false: the button keeps what its rule says
    bool enabled = true;
    bool indeterminate = false;
};
ButtonState ToolBarButtonState(int command, const FrameState& state);

// The text of a fixed-phrase item: "(comment) string", "string", or string 20083 when the
// phrase is empty (nothing then: the caller puts in the unspecified text).
std::optional<std::string> InsertStrText(const std::string& comment, const std::string& phrase);

// The label of an external-application item: "&" + title in English, else title + "(&E)" for
// the first and "(&G)" for the second.
std::string BootMenuText(int command, const std::string& title, bool english);
