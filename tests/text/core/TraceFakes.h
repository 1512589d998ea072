// Recording fakes of what the trace engine reaches (the frame and its views, the list's rows,
// the event pump) and a fixture that traces a small program with them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "FakeOpsHost.h"
#include "TestFiles.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcReadFixture.h"
#include "text/core/NcRowStates.h"
#include "text/core/NcTextViewSettings.h"
#include "text/core/NcTraceEngine.h"

namespace tracetest {

using nctest::Num;
inline std::string Pt(const CxyzData& p) {
    return Num(p.x) + "," + Num(p.y) + "," + Num(p.z);
}

// The frame as the trace sees it: the flags, and one line per call in calls.
class RecordingHost : public NcTraceHost {
public:
    int traceActive = 0, runMode = 0, stepPending = 0;
    int traceTime = 1;
    int posts = 0;                    // next steps asked for and not yet run
    int getSubProgMode = 1;           // cleared by EndGetSubProgMode
    std::vector<std::string> calls;   // "Commit", "Zones 5", "Draw <n>", "Sheet x,y,x" ...
    std::vector<CxyzData> torch;      // the tip circle's centre of every outline shown
    std::vector<size_t> toolSizes;    // the elements of every outline
    std::vector<int> toolFlags;       // SetToolLayer's second argument
    std::vector<std::string> status;  // "x,y,z cut=.. pierce=.. time=.." of ShowTraceStatus
    std::vector<CDtbEngine> drawn;    // a copy of every step drawn, when keepDrawn is set
    bool keepDrawn = false;
    CDtbEngine skipLog;  // the document's skip-log route
    CxyzData skipLogStart{-1, -1, -1};
    int frameInvalidated = 0;
    std::vector<std::string> warnings;  // the texts of ShowWarning

    int& TraceActive() override { return traceActive; }
    int& RunMode() override { return runMode; }
    int& StepPending() override { return stepPending; }
    int TraceTime() const override { return traceTime; }
    void PostNextStep() override { ++posts; }
    void EndGetSubProgMode() override { getSubProgMode = 0; }
    void CloseAxisRotateDlg() override { calls.push_back("CloseRotate"); }
    void UpdateToolBarStates() override { calls.push_back("ToolBars"); }
    void EnableSwitchButtons(int enable) override {
        calls.push_back("Switch " + std::to_string(enable));
    }
    void FocusActiveElemView() override {}
    void CommitTraceStepInViews() override { calls.push_back("Commit"); }
    void BuildDangerZonesInViews(int tool) override {
        calls.push_back("Zones " + std::to_string(tool));
    }
    void DrawTraceStepInViews(CDtbEngine* step) override {
        calls.push_back("Draw " + std::to_string(step ? step->GetCount() : 0));
        if (keepDrawn && step) {
            drawn.emplace_back();
            drawn.back().AppendDtb(step);
        }
    }
    void MoveTorchMarkInViews(int stepKind, const CxyzData* p, int moveKind) override {
        calls.push_back("Mark " + std::to_string(stepKind) + " " + (p ? Pt(*p) : "-") + " " +
                        std::to_string(moveKind));
    }
    void SetSkipLogRouteInViews(CDtbEngine* route) override {
        calls.push_back("Route " + std::to_string(route ? route->GetCount() : 0));
    }
    CDtbEngine& SkipLogElements() override { return skipLog; }
    void SetSkipLogStart(const CxyzData& start) override { skipLogStart = start; }
    void InvalidateFrame() override { ++frameInvalidated; }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
    void MoveSheetInViews(const double o[3]) override {
        calls.push_back("Sheet " + Num(o[0]) + "," + Num(o[1]) + "," + Num(o[2]));
    }
    void ClearTraceInViews() override { calls.push_back("Clear"); }
    void FitAspectInViews() override { calls.push_back("Fit"); }
    int HideElemTipInViews() override {
        calls.push_back("HideTip");
        return 0;
    }
    void SetToolLayerInViews(CDtbEngine* tool, int flag) override {
        toolSizes.push_back(tool->GetCount());
        toolFlags.push_back(flag);
        const CDtbElement* last = CDtbEngine::FindLastElement(tool->GetFirstElement());
        if (auto* tip = DtbCast<CDtbArc>(last)) torch.push_back(tip->centre);
    }
    void ShowTraceStatus(const CNcRead& r) override {
        const CNcReadState& s = r.State;
        status.push_back(
            Pt(s.CurrentPos) + " cut=" + Num(s.CutLength) + " rapid=" + Num(s.RapidLength) +
            " pierce=" + std::to_string(s.PierceCount) + " time=" + std::to_string(r.WorkTime));
    }
    bool Called(const std::string& call) const {
        for (const std::string& c : calls)
            if (c == call) return true;
        return false;
    }
};

// The list's rows: breakpoints, selection, trace row and scrolling.
class FakeRows : public NcTraceRows {
public:
    int count = 0;
    int rowsPerPage = 9;
    std::map<int, int> breakpoints;
    std::set<int> unreadable;  // rows whose parameter cannot be read
    std::vector<int> selected;
    std::vector<int> selections;  // every row SelectRow selected, in order
    int traceRow = -1;
    int headerImage = kHeaderEmpty;
    std::vector<std::string> scrolls;  // "<row>" fully, "<row>~" partly visible is enough

    int RowCount() const override { return count; }
    int RowsPerPage() const override { return rowsPerPage; }
    bool ReadRowParam(int row, uint32_t& param) const override {
        if (row < 0 || row >= count || unreadable.count(row)) return false;
        auto it = breakpoints.find(row);
        param = MakeNcRowParam(it == breakpoints.end() ? 0 : it->second, 0, 0);
        return true;
    }
    bool WriteBreakpoint(int row, int state) override {
        if (row < 0 || row >= count) return false;
        breakpoints[row] = state;
        return true;
    }
    std::vector<int> SelectedRows() const override { return selected; }
    void ClearSelection() override { selected.clear(); }
    void SelectRow(int row) override {
        selected.push_back(row);
        selections.push_back(row);
    }
    void SetTraceRow(int row) override { traceRow = row; }
    void EnsureVisible(int row, bool partial) override {
        scrolls.push_back(std::to_string(row) + (partial ? "~" : ""));
    }
    void SetHeaderImage(int image) override { headerImage = image; }
};

// The event loop of the animation: pauses recorded, and a script that acts at the k-th pump
// (1-based): keys go to the animation's key handler, other actions run as commands would.
class ScriptedPump : public NcTracePump {
public:
    std::vector<int> pauses;
    int pumps = 0;
    int begun = 0, ended = 0;
    std::map<int, std::function<void()>> actions;
    std::map<int, Key> keys;
    std::set<int> quits;
    std::vector<bool> consumed;  // the handler's answer for every key given

    void Begin(KeyHandler handler) override {
        handler_ = std::move(handler);
        ++begun;
    }
    void End() override {
        handler_ = nullptr;
        ++ended;
    }
    void Pause(int ms) override { pauses.push_back(ms); }
    bool Pump() override {
        ++pumps;
        if (auto it = keys.find(pumps); it != keys.end() && handler_)
            consumed.push_back(handler_(it->second));
        if (auto it = actions.find(pumps); it != actions.end()) it->second();
        return quits.count(pumps) == 0;
    }

private:
    KeyHandler handler_;
};

inline std::vector<std::string> ReadProgram(const std::string& name) {
    return test::ReadLines(std::filesystem::path(MORVALEN_TEST_DATA) / "text" / "trace" / name);
}

// An engine over the fakes; the program's lines are the document's.
class TraceFixture : public ::testing::Test {
protected:
    FakeOpsHost doc;
    RecordingHost host;
    FakeRows rows;
    ScriptedPump pump;
    NcTextViewSettings settings;
    NcTraceEngine engine{doc, host, rows, pump, settings};

    TraceFixture() {
        doc.machine.G92BaseInit = {-0.0, -0.0, -0.0};
        settings.WeightTimeH = 0;
        settings.WeightTimeM = 5;
        settings.WeightTimeL = 40;
        settings.WeightTimeFF = 1;
    }
    void Load(std::vector<std::string> lines) {
        doc.lines = std::move(lines);
        rows.count = static_cast<int>(doc.lines.size());
    }
    // Run, Step and the posted next step as the frame starts them.
    int Step(int runMode) {
        host.runMode = runMode;
        host.stepPending = 1;
        return engine.TraceStep();
    }
    // One command of the user (runMode 1 Run, 0 Step) and the posted steps it leads to, as
    // the event loop runs them; the rows shown in order. Stops after limit steps.
    std::vector<int> Command(int runMode, int limit = 1000) {
        std::vector<int> shown;
        host.posts = 0;
        int result = Step(runMode);
        if (host.traceActive) shown.push_back(engine.BlockRow);
        while (result == 0 && host.posts > 0 && limit-- > 0) {
            --host.posts;
            host.stepPending = 1;
            result = engine.TraceStep();
            if (host.traceActive) shown.push_back(engine.BlockRow);
        }
        return shown;
    }
};

}  // namespace tracetest
