// The outside driver's commands, driven through a recording fake of their effects.
#include "app/core/DdeCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::PromptIcon;

// Records every effect as one line of text.
class RecordingEffects : public DdeEffects {
public:
    int mode = 0;
    int waitTime = 100;
    bool openSucceeds = true;
    std::vector<std::string> calls;

    int ProcessMode() const override { return mode; }
    int DdeWaitTime() const override { return waitTime; }
    void ConnectionAccepted() override { calls.push_back("Connected"); }
    void ShowMessage(std::string_view caption, std::string_view text, PromptIcon icon) override {
        calls.push_back("Message [" + std::string(caption) + "] " + std::string(text) +
                        (icon == PromptIcon::Error     ? " (error)"
                         : icon == PromptIcon::Warning ? " (warning)"
                                                       : ""));
    }
    void TakeBackEditorText() override { calls.push_back("TakeBackEditorText"); }
    void SetCloseRequested() override { calls.push_back("SetCloseRequested"); }
    void ExitAfter(int ms) override { calls.push_back("ExitAfter " + std::to_string(ms)); }
    void SetFrameGeometry(int x, int y, int w, int h) override {
        calls.push_back("Geometry " + std::to_string(x) + " " + std::to_string(y) + " " +
                        std::to_string(w) + " " + std::to_string(h));
    }
    void Step() override { calls.push_back("Step"); }
    bool OpenFile(const std::string& path) override {
        calls.push_back("Open " + path);
        return openSucceeds;
    }
    void ResumeFromSkipLog() override { calls.push_back("ResumeFromSkipLog"); }
    void SetProcMode(int m) override { calls.push_back("SetProcMode " + std::to_string(m)); }
    int TraceToRequest(int type, int mainProgram, int subProgram, int mainSequence, int subSequence,
                       double x, double y, int moveKind) override {
        char buf[160];
        std::snprintf(buf, sizeof buf, "Trace %d %d %d %d %d %.3f %.3f %d", type, mainProgram,
                      subProgram, mainSequence, subSequence, x, y, moveKind);
        calls.push_back(buf);
        return 1;
    }
};

struct Case {
    const char* name;
    int mode;
    bool openSucceeds;
    std::string data;
    DdeReply reply;
    std::vector<std::string> calls;
};

constexpr auto Ack = DdeReply::Ack;
constexpr auto NotProcessed = DdeReply::NotProcessed;
const std::string kCloseCalls[] = {"TakeBackEditorText", "SetCloseRequested", "ExitAfter 250"};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        // CLOSE: five characters, case ignored; the exit follows the wait time.
        {"close", 0, true, "close", Ack, {kCloseCalls[0], kCloseCalls[1], kCloseCalls[2]}},
        {"Close", 0, true, "Close", Ack, {kCloseCalls[0], kCloseCalls[1], kCloseCalls[2]}},
        {"CLOSE with words",
         2,
         true,
         "CLOSENOW please",
         Ack,
         {kCloseCalls[0], kCloseCalls[1], kCloseCalls[2]}},
        {"CLOS is no command", 0, true, "CLOS", Ack, {}},
        // SCALE: four integers.
        {"scale", 0, true, "scale 10 20 640 480", Ack, {"Geometry 10 20 640 480"}},
        {"SCALE negative position",
         0,
         true,
         "SCALE -5 -6 300 200",
         Ack,
         {"Geometry -5 -6 300 200"}},
        {"SCALE blanks and tabs", 0, true, "SCALE\t1  2\t3 4", Ack, {"Geometry 1 2 3 4"}},
        {"SCALE too few", 0, true, "SCALE 10 20 640", NotProcessed, {}},
        {"SCALE zero width", 0, true, "SCALE 10 20 0 480", NotProcessed, {}},
        {"SCALE negative height", 0, true, "SCALE 10 20 640 -1", NotProcessed, {}},
        {"SCALE not a number", 0, true, "SCALE 10 20 640 4x0", NotProcessed, {}},
        {"SCALE real", 0, true, "SCALE 10.5 20 640 480", NotProcessed, {}},
        {"SCALE beyond int", 0, true, "SCALE 10 20 99999999999 480", NotProcessed, {}},
        // STEP: four characters; the Step command refuses by itself.
        {"STEP", 0, true, "STEP", Ack, {"Step"}},
        {"stepnow", 2, true, "stepnow", Ack, {"Step"}},
        // OPEN: the first token after the word; a path with a blank opens its first part.
        {"OPEN", 0, true, "OPEN /nc/a.nc", Ack, {"Open /nc/a.nc"}},
        {"open lower", 0, true, "open /nc/a.nc", Ack, {"Open /nc/a.nc"}},
        {"OPEN blank in path", 0, true, "OPEN /nc/my file.nc", Ack, {"Open /nc/my"}},
        {"OPEN failed", 0, false, "OPEN /nc/missing.nc", NotProcessed, {"Open /nc/missing.nc"}},
        {"OPEN in mode 4", 4, true, "OPEN /nc/a.nc", Ack, {"Open /nc/a.nc", "ResumeFromSkipLog"}},
        {"OPEN failed in mode 4", 4, false, "OPEN /nc/a.nc", NotProcessed, {"Open /nc/a.nc"}},
        {"OPEN without a path", 0, true, "OPEN", NotProcessed, {}},
        {"OPEN blanks only", 0, true, "OPEN   \r\n", NotProcessed, {}},
        {"OPEN line end", 0, true, "OPEN /nc/a.nc\r\n", Ack, {"Open /nc/a.nc"}},
        {"OPEN UTF-8 path",
         0,
         true,
         "OPEN /nc/\xE5\x8A\xA0\xE5\xB7\xA5.nc",
         Ack,
         {"Open /nc/\xE5\x8A\xA0\xE5\xB7\xA5.nc"}},
        // PROC_MODE: nine characters, case kept.
        {"PROC_MODE 2", 0, true, "PROC_MODE 2", Ack, {"SetProcMode 2"}},
        {"PROC_MODE 1", 2, true, "PROC_MODE 1", Ack, {"SetProcMode 1"}},
        {"PROC_MODE 30", 0, true, "PROC_MODE 30", Ack, {"SetProcMode 30"}},
        {"PROC_MODE 4 resumes",
         0,
         true,
         "PROC_MODE 4",
         Ack,
         {"SetProcMode 4", "ResumeFromSkipLog"}},
        {"PROC_MODE same mode", 2, true, "PROC_MODE 2", Ack, {}},
        {"PROC_MODE 0",
         2,
         true,
         "PROC_MODE 0",
         Ack,
         {"Message [] Invalid value of PROC_MODE is specified.  (error)"}},
        {"PROC_MODE 11",
         0,
         true,
         "PROC_MODE 11",
         Ack,
         {"Message [] Invalid value of PROC_MODE is specified.  (error)"}},
        {"PROC_MODE no number",
         2,
         true,
         "PROC_MODE",
         Ack,
         {"Message [] Invalid value of PROC_MODE is specified.  (error)"}},
        {"PROC_MODE no number in mode 0", 0, true, "PROC_MODE x", Ack, {}},
        {"proc_mode lower case", 0, true, "proc_mode 2", Ack, {}},
        // TRACE_COD: two reals and an integer, in mode 2 only.
        {"TRACE_COD", 2, true, "TRACE_COD 10.5 20 1", Ack, {"Trace 4 -1 -1 -1 -1 10.500 20.000 1"}},
        {"TRACE_COD exponent",
         2,
         true,
         "TRACE_COD -1e1 .5 0",
         Ack,
         {"Trace 4 -1 -1 -1 -1 -10.000 0.500 0"}},
        {"TRACE_COD mode 0", 0, true, "TRACE_COD 10.5 20 1", NotProcessed, {}},
        {"TRACE_COD mode 4", 4, true, "TRACE_COD 10.5 20 1", NotProcessed, {}},
        {"TRACE_COD too few", 2, true, "TRACE_COD 10.5 20", NotProcessed, {}},
        {"TRACE_COD comma", 2, true, "TRACE_COD 10,5 20 1", NotProcessed, {}},
        {"trace_cod lower case", 2, true, "trace_cod 10.5 20 1", Ack, {}},
        // TRACE_PRG: five integers, two reals, an integer.
        {"TRACE_PRG",
         2,
         true,
         "TRACE_PRG 1 100 200 3 4 -7.25 8 2",
         Ack,
         {"Trace 1 100 200 3 4 -7.250 8.000 2"}},
        {"TRACE_PRG mode 31", 31, true, "TRACE_PRG 1 100 200 3 4 -7.25 8 2", NotProcessed, {}},
        {"TRACE_PRG too few", 2, true, "TRACE_PRG 1 100 200 3 4 -7.25 8", NotProcessed, {}},
        {"TRACE_PRG real program",
         2,
         true,
         "TRACE_PRG 1 100.5 200 3 4 -7.25 8 2",
         NotProcessed,
         {}},
        // Anything else is acknowledged and does nothing.
        {"unknown", 0, true, "HELLO", Ack, {}},
        {"empty", 0, true, "", Ack, {}},
        {"leading blank", 0, true, " CLOSE", Ack, {}},
        // The string ends at its first NUL.
        {"NUL ends the string",
         0,
         true,
         std::string("OPEN /nc/a.nc\0garbage", 21),
         Ack,
         {"Open /nc/a.nc"}},
        {"NUL before the arguments", 0, true, std::string("SCALE\0 1 2 3 4", 14), NotProcessed, {}},
        {"NUL first", 0, true, std::string("\0CLOSE", 6), Ack, {}},
    };
    return cases;
}

TEST(DdeCommandsTest, CommandTable) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        RecordingEffects fx;
        fx.mode = c.mode;
        fx.openSucceeds = c.openSucceeds;
        fx.waitTime = 250;
        EXPECT_EQ(DdeExecute(c.data, fx), c.reply);
        EXPECT_EQ(fx.calls, c.calls);
    }
}

TEST(DdeCommandsTest, StringsOverTheCapAreNotProcessed) {
    RecordingEffects fx;
    std::string open = "OPEN /nc/a.nc ";
    std::string atCap = open + std::string(kDdeMessageCap - open.size(), 'x');
    EXPECT_EQ(DdeExecute(atCap, fx), DdeReply::Ack);
    EXPECT_EQ(fx.calls, std::vector<std::string>{"Open /nc/a.nc"});
    fx.calls.clear();
    EXPECT_EQ(DdeExecute(atCap + "x", fx), DdeReply::NotProcessed);
    EXPECT_TRUE(fx.calls.empty());
    // A path longer than the old 255-character limit is passed whole.
    const std::string longPath = "/" + std::string(300, 'p') + ".nc";
    EXPECT_EQ(DdeExecute("OPEN " + longPath, fx), DdeReply::Ack);
    EXPECT_EQ(fx.calls, std::vector<std::string>{"Open " + longPath});
}

TEST(DdeCommandsTest, ServiceName) {
    EXPECT_EQ(DdeServiceName(0), "ZeVizeza DDE Service0");
    EXPECT_EQ(DdeServiceName(12), "ZeVizeza DDE Service12");
}

TEST(DdeCommandsTest, ConversationNeedsTheTopic) {
    RecordingEffects fx;
    DdeConversation conv(fx);
    // Execute before any connection: refused with its box.
    EXPECT_EQ(conv.Execute("CLOSE"), DdeReply::NotProcessed);
    EXPECT_EQ(fx.calls, std::vector<std::string>{"Message [DDE Server] EXECUTE Failuer (warning)"});
    fx.calls.clear();

    EXPECT_FALSE(conv.Connect("Another Topic"));
    EXPECT_FALSE(conv.Connected());
    EXPECT_EQ(fx.calls, std::vector<std::string>{"Message [DDE Server] CONNECT Failuer (warning)"});
    fx.calls.clear();
    EXPECT_EQ(conv.Execute("STEP"), DdeReply::NotProcessed);
    EXPECT_EQ(fx.calls, std::vector<std::string>{"Message [DDE Server] EXECUTE Failuer (warning)"});
    fx.calls.clear();

    // The topic compares as a DDE string handle does: case ignored, up to a NUL.
    EXPECT_TRUE(conv.Connect(std::string("zevizeza dde topic\0", 19)));
    EXPECT_EQ(fx.calls, std::vector<std::string>{"Connected"});
    fx.calls.clear();
    EXPECT_EQ(conv.Execute("STEP"), DdeReply::Ack);
    EXPECT_EQ(fx.calls, std::vector<std::string>{"Step"});
    fx.calls.clear();

    // A refused second connection ends the conversation on the topic.
    EXPECT_FALSE(conv.Connect("ZeVizeza DDE Topic2"));
    EXPECT_EQ(conv.Execute("STEP"), DdeReply::NotProcessed);
    EXPECT_FALSE(conv.Connect(std::string(kDdeMessageCap + 1, 'x')));
}

}  // namespace
