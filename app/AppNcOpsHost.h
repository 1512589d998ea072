// AppNcOpsHost: the NC operations' reach into the application, its document and the frame.
#pragma once

#include <QObject>

#include "text/core/ConvertG08.h"
#include "text/core/FiveAxisSmoothing.h"
#include "text/core/NcOpsHost.h"

class CMainFrame;
class CTessmarkApp;

// Lives as a child of the frame (CMainFrame::NcOps makes it on first use).
class AppNcOpsHost : public QObject, public NcOpsHost {
    Q_OBJECT
public:
    explicit AppNcOpsHost(CMainFrame* frame);

    const std::vector<std::string>& Lines() const override;
    void ReplaceLine(size_t index, std::string text) override;
    void ReplaceLines(std::vector<std::string> lines) override;
    void LinesChanged() override;
    std::string DocumentPath() const override;
    std::string DocumentTitle() const override;
    bool IsModified() const override;
    bool SaveDocument() override;
    CNcReadInfo& Machine() override;
    CToolData* Conditions() override;
    const NcAppContext* AppContext() const override;
    platform::UserPrompt& Prompt() override;
    int AppMachineType() const override;
    int TraceActive() const override;
    std::filesystem::path ConfigFolder() const override;
    std::filesystem::path SystemIniPath() const override;
    ConvG08Params& G08Params() override { return g08_; }
    SmoothParams& Smoothing() override { return smooth_; }

private:
    ConvG08Params g08_;
    SmoothParams smooth_;
    CMainFrame* frame_;
    CTessmarkApp* app_;
};
