// NcOpsHost: what the NC operations (check, shift, manual move, extraction, G08 conversion,
// smoothing) reach of the document, the application and the frame. The program implements it
// over its document and frame; tests implement it with a vector of lines and a scripted prompt.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class CNcReadInfo;
class CToolData;
struct ConvG08Params;
struct SmoothParams;
struct NcAppContext;
namespace platform {
class UserPrompt;
}

class NcOpsHost {
public:
    virtual ~NcOpsHost() = default;

    // --- the document -------------------------------------------------------------------------
    // The document's lines (CP932 bytes, no line ends).
    virtual const std::vector<std::string>& Lines() const = 0;
    // Replaces line index (0-based; ignored out of range) or the whole text. Nothing else
    // happens until LinesChanged.
    virtual void ReplaceLine(size_t index, std::string text) = 0;
    virtual void ReplaceLines(std::vector<std::string> lines) = 0;
    // After the operation's changes: the elements are rebuilt, the document is marked
    // modified, the views rebuild their main layer and fit, the editor's change records are
    // dropped and the crash-recovery log is written.
    virtual void LinesChanged() = 0;
    // The document's full path (empty for an untitled document) and its title.
    virtual std::string DocumentPath() const = 0;
    virtual std::string DocumentTitle() const = 0;
    virtual bool IsModified() const = 0;
    // The frame's save command; true when the file was written.
    virtual bool SaveDocument() = 0;

    // --- the application ----------------------------------------------------------------------
    // The application's machine settings and condition table (the conditions may be null).
    virtual CNcReadInfo& Machine() = 0;
    virtual CToolData* Conditions() = 0;
    // What a reader reaches of the application (may be null).
    virtual const NcAppContext* AppContext() const = 0;
    virtual platform::UserPrompt& Prompt() = 0;
    // The system setting AppMachineType (1: the ORIGINSFT numbering of the list).
    virtual int AppMachineType() const = 0;
    // Non-zero while a trace is under way: the operations then do nothing.
    virtual int TraceActive() const = 0;
    // The configuration folder ("ALL.txt") and the system settings file.
    virtual std::filesystem::path ConfigFolder() const = 0;
    virtual std::filesystem::path SystemIniPath() const = 0;
    // The application's records of the G08 conversion's and the smoothing's parameters (kept
    // for the run).
    virtual ConvG08Params& G08Params() = 0;
    virtual SmoothParams& Smoothing() = 0;
};
