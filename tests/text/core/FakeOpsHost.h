// An NcOpsHost over lines of the test's own, recording what the operations did.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcReadState.h"
#include "platform/ScriptedPrompt.h"
#include "text/core/ConvertG08.h"
#include "text/core/FiveAxisSmoothing.h"
#include "text/core/NcOpsHost.h"

class FakeOpsHost : public NcOpsHost {
public:
    std::vector<std::string> lines;
    CNcReadInfo machine;
    platform::ScriptedPrompt prompt;
    int appMachineType = 0;
    int traceActive = 0;
    int changes = 0;  // LinesChanged calls
    int saves = 0;
    bool saveResult = true;
    bool modified = false;
    std::string path = "/work/a.nc";
    std::filesystem::path configFolder;
    std::filesystem::path iniPath;
    ConvG08Params g08;
    SmoothParams smooth;
    const NcAppContext* appContext = nullptr;

    FakeOpsHost() {
        machine.LaserPunch = kNcTypeLaser;
        machine.ZeroTimes = 1;
    }

    const std::vector<std::string>& Lines() const override { return lines; }
    void ReplaceLine(size_t index, std::string text) override {
        if (index < lines.size()) lines[index] = std::move(text);
    }
    void ReplaceLines(std::vector<std::string> text) override { lines = std::move(text); }
    void LinesChanged() override {
        ++changes;
        modified = true;
    }
    std::string DocumentPath() const override { return path; }
    std::string DocumentTitle() const override {
        return path.empty() ? "Untitled" : std::filesystem::path(path).filename().string();
    }
    bool IsModified() const override { return modified; }
    bool SaveDocument() override {
        ++saves;
        if (saveResult) modified = false;
        return saveResult;
    }
    CNcReadInfo& Machine() override { return machine; }
    CToolData* Conditions() override { return nullptr; }
    const NcAppContext* AppContext() const override { return appContext; }
    platform::UserPrompt& Prompt() override { return prompt; }
    int AppMachineType() const override { return appMachineType; }
    int TraceActive() const override { return traceActive; }
    std::filesystem::path ConfigFolder() const override { return configFolder; }
    std::filesystem::path SystemIniPath() const override { return iniPath; }
    ConvG08Params& G08Params() override { return g08; }
    SmoothParams& Smoothing() override { return smooth; }
};
