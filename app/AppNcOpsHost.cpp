// AppNcOpsHost: the NC operations' reach into the application.
#include "app/AppNcOpsHost.h"

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"

namespace {
const std::vector<std::string> kNoLines;
}

AppNcOpsHost::AppNcOpsHost(CMainFrame* frame) : QObject(frame), frame_(frame), app_(frame->App()) {
    setObjectName("NcOpsHost");
}

const std::vector<std::string>& AppNcOpsHost::Lines() const {
    return app_->Document ? app_->Document->Lines : kNoLines;
}

void AppNcOpsHost::ReplaceLine(size_t index, std::string text) {
    CTessmarkDoc* doc = app_->Document.get();
    if (doc && index < doc->Lines.size()) doc->Lines[index] = std::move(text);
}

void AppNcOpsHost::ReplaceLines(std::vector<std::string> lines) {
    if (app_->Document) app_->Document->Lines = std::move(lines);
}

void AppNcOpsHost::LinesChanged() {
    CTessmarkDoc* doc = app_->Document.get();
    if (!doc) return;
    doc->RebuildElements();
    doc->SetModifiedFlag(true);
    frame_->ShowDocumentInfo();
    frame_->RebuildMainLayerInViews();
    frame_->FitAspectInViews();
    // The editor's change records refer to the old text; a crash after the change must not
    // lose it: both in one call.
    doc->LinesChangedOutsideEditor();
}

std::string AppNcOpsHost::DocumentPath() const {
    return app_->Document ? app_->Document->GetPathName() : std::string();
}

std::string AppNcOpsHost::DocumentTitle() const {
    return app_->Document ? app_->Document->GetTitle() : std::string();
}

bool AppNcOpsHost::IsModified() const {
    return app_->Document && app_->Document->IsModified();
}

bool AppNcOpsHost::SaveDocument() {
    return app_->OnFileSave();
}

CNcReadInfo& AppNcOpsHost::Machine() {
    return app_->SystemData->NcReadInfo;
}

CToolData* AppNcOpsHost::Conditions() {
    return &app_->SystemData->ToolData;
}

const NcAppContext* AppNcOpsHost::AppContext() const {
    return &app_->Context;
}

platform::UserPrompt& AppNcOpsHost::Prompt() {
    return app_->Prompt();
}

int AppNcOpsHost::AppMachineType() const {
    return app_->SystemData ? app_->SystemData->AppMachineType : 0;
}

int AppNcOpsHost::TraceActive() const {
    return app_->TraceActive;
}

std::filesystem::path AppNcOpsHost::ConfigFolder() const {
    return app_->Paths.ConfigFolder;
}

std::filesystem::path AppNcOpsHost::SystemIniPath() const {
    return app_->Paths.IniPath;
}
