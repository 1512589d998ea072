// The enable and check rules of the frame's commands, and the menu greying by mode.
#include "app/core/CommandRules.h"

#include <algorithm>
#include <initializer_list>

#include "app/core/CommandIds.h"

namespace {

bool In(int id, std::initializer_list<int> ids) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

bool IsTraceMenuCommand(int id) {
    return In(id, {cmd::Run, cmd::Step, cmd::Cancel, cmd::SpeedHigh, cmd::SpeedNormal,
                   cmd::SpeedLow, cmd::BreakOn, cmd::BreakOff, cmd::BreakWait, cmd::BreakAllEnable,
                   cmd::BreakAllRelease, cmd::BreakAllDisable});
}

bool IsFileCommand(int id) {
    return In(id, {cmd::New, cmd::Open, cmd::Save, cmd::SaveAs, cmd::OpenSheet, cmd::OutputDxf,
                   cmd::BatchOutputDxf, cmd::Boot, cmd::Boot2}) ||
           cmd::IsRecentFile(id);
}

bool IsEditingCommand(int id) {
    return In(id, {cmd::Undo, cmd::Redo, cmd::Cut, cmd::Paste, cmd::Copy});
}

bool IsNcOperation(int id) {
    return In(id, {cmd::ShiftCoord, cmd::CheckNc, cmd::GetSubProgram, cmd::ConvertNc});
}

int BarOfCommand(int id) {
    switch (id) {
        case cmd::BarStandard:
            return kBarStandard;
        case cmd::BarEdit:
            return kBarEdit;
        case cmd::BarZoom:
            return kBarZoom;
        case cmd::BarScroll:
            return kBarScroll;
        case cmd::BarOperation:
            return kBarOperation;
        case cmd::BarTrace:
            return kBarTrace;
        case cmd::BarProperty:
            return kBarProperty;
        default:
            return kBarNone;
    }
}

CommandState Rule(bool enabled) {
    CommandState s;
    s.hasRule = true;
    s.enabled = enabled;
    return s;
}

CommandState Checked(bool enabled, CheckKind kind, int check) {
    CommandState s = Rule(enabled);
    s.checkKind = kind;
    s.check = check;
    return s;
}

}  // namespace

FrameMode ModeOf(const FrameState& s) {
    if (s.TraceActive) return FrameMode::Tracing;
    if (s.EditMode == 1) return FrameMode::Editing;
    return FrameMode::Normal;
}

CommandState EvaluateCommand(int id, const FrameState& s) {
    const bool tracing = s.TraceActive != 0;
    const bool editing = s.EditMode == 1;
    const bool busy = tracing || editing || s.StepPending != 0;

    if (In(id, {cmd::New, cmd::Open, cmd::Save, cmd::SaveAs, cmd::OpenSheet, cmd::OutputDxf,
                cmd::BatchOutputDxf}))
        return Rule(!busy);
    if (id == cmd::Boot) return Rule(s.App1Configured && !busy);
    if (id == cmd::Boot2) return Rule(s.App2Configured && !busy);
    if (IsEditingCommand(id) || id == cmd::Replace) return Rule(editing);
    if (cmd::IsInsertStr(id)) {
        int n = id - cmd::InsertStr1;
        CommandState st = Rule(false);
        std::optional<std::string> text = InsertStrText(s.InsertComment[n], s.InsertString[n]);
        if (text) {
            st.enabled = editing;
            st.text = std::move(text);
        }
        return st;
    }
    if (In(id, {cmd::ShiftCoord, cmd::CheckNc, cmd::ConvertNc, cmd::ConvertG08}))
        return Rule(!busy);
    if (id == cmd::GetSubProgram)
        return Checked(!busy, CheckKind::Check,
                       tracing ? kCheckIndeterminate : (s.GetSubProgMode ? kCheckOn : kCheckOff));
    if (id == cmd::Smooth || id == cmd::ManualMove) {
        bool open = id == cmd::Smooth ? s.SmoothDlgOpen : s.ManMoveDlgOpen;
        int check = tracing   ? kCheckIndeterminate
                    : editing ? kCheckOff
                    : open    ? kCheckOn
                              : kCheckOff;
        return Checked(!busy, CheckKind::Check, check);
    }
    if (id == cmd::RotateView)
        return Checked(!tracing, CheckKind::Check,
                       tracing               ? kCheckIndeterminate
                       : s.AxisRotateDlgOpen ? kCheckOn
                                             : kCheckOff);
    if (id >= cmd::ViewTop && id <= cmd::ViewSplit4)
        return Checked(true, CheckKind::Radio, s.ViewType == id - cmd::ViewTop);
    if (id == cmd::OpScroll) return Checked(true, CheckKind::Radio, s.CtrlSwitch == 0);
    if (id == cmd::OpZoom) return Checked(true, CheckKind::Radio, s.CtrlSwitch == 1);
    if (id == cmd::EdgeDisp) return Checked(true, CheckKind::Check, s.EdgeDisp ? 1 : 0);
    if (id == cmd::AcAxis) return Checked(true, CheckKind::Check, s.ACAxis ? 1 : 0);
    if (id == cmd::XyzAxis) return Checked(true, CheckKind::Check, s.XYZAxis ? 1 : 0);
    if (int bar = BarOfCommand(id); bar != kBarNone)
        return Checked(true, CheckKind::Check, s.BarVisible[bar] ? 1 : 0);
    if (id == cmd::ButtonText) return Checked(true, CheckKind::Check, s.ButtonText ? 1 : 0);
    if (id == cmd::StatusBar) return Checked(true, CheckKind::Check, s.StatusBarVisible ? 1 : 0);
    if (In(id, {cmd::Run, cmd::Step, cmd::Cancel})) return Rule(!editing);
    if (In(id, {cmd::SpeedHigh, cmd::SpeedNormal, cmd::SpeedLow})) {
        // The radio mark is not set while editing: the item is disabled and left as it was.
        CommandState st = Rule(!editing);
        if (!editing) {
            st.checkKind = CheckKind::Radio;
            st.check = s.TraceTime == id - cmd::SpeedHigh;
        }
        return st;
    }
    if (In(id, {cmd::BreakOn, cmd::BreakOff, cmd::BreakWait, cmd::BreakAllEnable,
                cmd::BreakAllRelease, cmd::BreakAllDisable}))
        return Rule(!editing);
    if (id == cmd::Property) return Rule(!busy);
    if (In(id, {cmd::PropertyMachine, cmd::PropertyCondition, cmd::PropertyConversion}))
        return Rule(!tracing);
    return CommandState{};
}

bool GreyedByMenuMode(int id, const FrameState& s) {
    if (s.TraceActive && s.ProcessMode <= 1) {
        return IsFileCommand(id) || IsEditingCommand(id) || IsNcOperation(id) ||
               In(id, {cmd::RotateView, cmd::Property, cmd::PropertyMachine, cmd::PropertyCondition,
                       cmd::PropertyConversion});
    }
    if (s.EditMode == 1) return IsFileCommand(id) || IsNcOperation(id) || IsTraceMenuCommand(id);
    if (s.ProcessMode == 11)
        return IsEditingCommand(id) || IsNcOperation(id) || id == cmd::Replace ||
               cmd::IsInsertStr(id);
    if (In(s.ProcessMode, {2, 4, 30, 31})) {
        if (IsFileCommand(id) || id == cmd::Exit) return true;
        if (IsEditingCommand(id) || IsNcOperation(id)) return true;
        if (In(id, {cmd::Find, cmd::FindNext, cmd::FindPrevious, cmd::Replace})) return true;
        if (cmd::IsInsertStr(id)) return true;
        if (BarOfCommand(id) != kBarNone || id == cmd::ButtonText || id == cmd::Split) return true;
        if (s.ProcessMode == 2 && id >= cmd::ViewTop && id <= cmd::ViewIso) return true;
        if (id == cmd::ViewSplit4 || IsTraceMenuCommand(id)) return true;
        if (In(id, {cmd::Property, cmd::PropertyMachine, cmd::PropertyCondition,
                    cmd::PropertyConversion, cmd::HelpContents, cmd::About}))
            return true;
        return false;
    }
    return In(id, {cmd::Cut, cmd::Paste, cmd::Copy});
}

ButtonState ToolBarButtonState(int id, const FrameState& s) {
    const FrameMode mode = ModeOf(s);
    ButtonState b;
    auto set = [&](bool enabled) {
        b.touched = true;
        b.enabled = enabled;
        b.indeterminate = !enabled;
    };
    if (In(id, {cmd::New, cmd::Open, cmd::Save, cmd::SaveAs, cmd::OpenSheet, cmd::OutputDxf,
                cmd::BatchOutputDxf}) ||
        In(id, {cmd::ShiftCoord, cmd::CheckNc, cmd::GetSubProgram, cmd::ConvertNc, cmd::ConvertG08,
                cmd::Smooth, cmd::ManualMove, cmd::Property})) {
        set(mode == FrameMode::Normal);
    } else if (id == cmd::Boot || id == cmd::Boot2) {
        bool configured = id == cmd::Boot ? s.App1Configured : s.App2Configured;
        b.touched = true;
        b.enabled = mode == FrameMode::Normal && configured;
        b.indeterminate = mode != FrameMode::Normal && configured;
    } else if (IsEditingCommand(id)) {
        set(mode == FrameMode::Editing);
    } else if (id == cmd::RotateView) {
        set(mode != FrameMode::Tracing);
    } else if (IsTraceMenuCommand(id)) {
        set(mode != FrameMode::Editing);
    } else if (In(id, {cmd::PropertyMachine, cmd::PropertyCondition, cmd::PropertyConversion})) {
        set(mode != FrameMode::Tracing);
    }
    return b;
}

std::optional<std::string> InsertStrText(const std::string& comment, const std::string& phrase) {
    if (phrase.empty()) return std::nullopt;
    if (comment.empty()) return phrase;
    return "(" + comment + ") " + phrase;
}

std::string BootMenuText(int id, const std::string& title, bool english) {
    if (english) return "&" + title;
    return title + (id == cmd::Boot2 ? "(&G)" : "(&E)");
}
