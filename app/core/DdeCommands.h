// The conversation of an outside driver program with a running instance (the local server that
// stands in for DDE): the topic, the execute commands with their arguments and replies, over an
// interface for what the commands do.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/UserPrompt.h"

// The service of instance n is "ZeVizeza DDE Service<n>"; the one topic it serves.
std::string DdeServiceName(int instanceNumber);
inline constexpr std::string_view kDdeTopic = "ZeVizeza DDE Topic";
// The caption of the server's own message boxes.
inline constexpr std::string_view kDdeCaption = "DDE Server";
// A message longer than this (in bytes) is not processed; nothing of it is kept.
inline constexpr std::size_t kDdeMessageCap = 64 * 1024;

enum class DdeReply { Ack, NotProcessed };

// What the commands do to the program. The program's frame implements it; tests record calls.
class DdeEffects {
public:
    virtual ~DdeEffects() = default;

    // The application's process mode now.
    virtual int ProcessMode() const = 0;
    // [System] DdeWaitTime in milliseconds as last read.
    virtual int DdeWaitTime() const = 0;
    // A conversation on the topic was accepted: reads [System] DdeWaitTime (default 100) and
    // writes it back, so the key exists after the first connection.
    virtual void ConnectionAccepted() = 0;
    // A message box; an empty caption gives the program's own. It may be shown after the
    // reply has gone out: a driver is never kept waiting by a box on the program's screen.
    virtual void ShowMessage(std::string_view caption, std::string_view text,
                             platform::PromptIcon icon) = 0;

    // CLOSE: the editor's text goes back into the document and the edit mode becomes 0 without
    // swapping the pane (nothing when the list is the NC pane).
    virtual void TakeBackEditorText() = 0;
    // CLOSE: the document's close question then offers only Yes and No.
    virtual void SetCloseRequested() = 0;
    // CLOSE: the program's Exit command runs this many milliseconds later; the reply goes
    // out first.
    virtual void ExitAfter(int milliseconds) = 0;
    // SCALE: the main window moved and sized to these screen coordinates, then repainted.
    virtual void SetFrameGeometry(int x, int y, int width, int height) = 0;
    // STEP: the frame's Step command with its own refusals.
    virtual void Step() = 0;
    // OPEN: opens the file as File Open does; false when nothing was opened.
    virtual bool OpenFile(const std::string& path) = 0;
    // OPEN and PROC_MODE 4: the NC pane resumes from the skip log of the outside library.
    virtual void ResumeFromSkipLog() = 0;
    // PROC_MODE: the frame switches to the mode (1, 2, 4, 30 or 31).
    virtual void SetProcMode(int mode) = 0;
    // TRACE_COD and TRACE_PRG: the trace follows a position; the values go unchanged to the
    // NC pane. Its result is not part of the reply.
    virtual int TraceToRequest(int type, int mainProgram, int subProgram, int mainSequence,
                               int subSequence, double x, double y, int moveKind) = 0;
};

// Runs one execute string of a conversation on the topic. The string ends at its first NUL;
// one longer than kDdeMessageCap is not processed. The command word is found by comparing the
// string's start with CLOSE, SCALE, STEP, OPEN (case ignored) and PROC_MODE, TRACE_COD,
// TRACE_PRG (case kept), in this order; the arguments are the blank-separated tokens after the
// first token, numbers in C notation. A command whose arguments are missing or malformed is
// not processed and changes nothing; an unknown command is acknowledged and does nothing.
DdeReply DdeExecute(std::string_view data, DdeEffects& effects);

// One conversation: a CONNECT on the topic, then execute strings.
class DdeConversation {
public:
    explicit DdeConversation(DdeEffects& effects) : effects_(effects) {}

    // True when the topic (up to its first NUL, case ignored) is this server's: the wait time
    // is read and written back. Any other topic shows "CONNECT Failuer" and is refused.
    bool Connect(std::string_view topic);
    // An execute string: run when the conversation is on the topic; else "EXECUTE Failuer"
    // is shown and it is not processed.
    DdeReply Execute(std::string_view data);
    bool Connected() const { return connected_; }

private:
    DdeEffects& effects_;
    bool connected_ = false;
};
