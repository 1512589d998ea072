// The outside driver's conversation: topic check and the execute commands.
#include "app/core/DdeCommands.h"

#include <climits>
#include <optional>
#include <vector>

#include "platform/Cp932.h"
#include "platform/Numbers.h"

namespace {

using platform::PromptIcon;

// The text up to its first NUL: a driver's buffer may carry its terminator and what follows.
std::string_view UpToNul(std::string_view data) {
    const size_t nul = data.find('\0');
    return nul == std::string_view::npos ? data : data.substr(0, nul);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The blank-separated tokens after the first one (the command word itself).
std::vector<std::string_view> Arguments(std::string_view text) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        const size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) ++i;
        if (i > start) tokens.push_back(text.substr(start, i - start));
    }
    if (!tokens.empty()) tokens.erase(tokens.begin());
    return tokens;
}

std::optional<int> IntArg(std::string_view token) {
    std::optional<long long> v = platform::ParseInt(token);
    if (!v || *v < INT_MIN || *v > INT_MAX) return std::nullopt;
    return static_cast<int>(*v);
}

// Reads ints and reals from the tokens in order; false when one is missing or malformed.
class ArgReader {
public:
    explicit ArgReader(std::vector<std::string_view> tokens) : tokens_(std::move(tokens)) {}
    bool Int(int& out) {
        if (next_ >= tokens_.size()) return false;
        std::optional<int> v = IntArg(tokens_[next_++]);
        if (!v) return false;
        out = *v;
        return true;
    }
    bool Real(double& out) {
        if (next_ >= tokens_.size()) return false;
        std::optional<double> v = platform::ParseReal(tokens_[next_++]);
        if (!v) return false;
        out = *v;
        return true;
    }

private:
    std::vector<std::string_view> tokens_;
    size_t next_ = 0;
};

bool StartsWithCase(std::string_view text, std::string_view word) {
    return text.substr(0, word.size()) == word;
}

constexpr std::string_view kInvalidProcMode = "Invalid value of PROC_MODE is specified. ";

DdeReply Close(DdeEffects& fx) {
    fx.TakeBackEditorText();
    fx.SetCloseRequested();
    fx.ExitAfter(fx.DdeWaitTime());
    return DdeReply::Ack;
}

DdeReply Scale(std::string_view text, DdeEffects& fx) {
    ArgReader args(Arguments(text));
    int x = 0, y = 0, width = 0, height = 0;
    if (!args.Int(x) || !args.Int(y) || !args.Int(width) || !args.Int(height))
        return DdeReply::NotProcessed;
    // A window of no size cannot be shown again by the user.
    if (width <= 0 || height <= 0) return DdeReply::NotProcessed;
    fx.SetFrameGeometry(x, y, width, height);
    return DdeReply::Ack;
}

DdeReply Open(std::string_view text, DdeEffects& fx) {
    const std::vector<std::string_view> args = Arguments(text);
    if (args.empty()) return DdeReply::NotProcessed;
    if (!fx.OpenFile(std::string(args.front()))) return DdeReply::NotProcessed;
    if (fx.ProcessMode() == 4) fx.ResumeFromSkipLog();
    return DdeReply::Ack;
}

DdeReply ProcMode(std::string_view text, DdeEffects& fx) {
    const std::vector<std::string_view> args = Arguments(text);
    const long long n = args.empty() ? 0 : platform::ParseLeadingInt(args.front());
    if (n == fx.ProcessMode()) return DdeReply::Ack;
    if (n == 1 || n == 2 || n == 4 || n == 30 || n == 31) {
        fx.SetProcMode(static_cast<int>(n));
        if (n == 4) fx.ResumeFromSkipLog();
    } else {
        fx.ShowMessage({}, kInvalidProcMode, PromptIcon::Error);
    }
    return DdeReply::Ack;
}

DdeReply TraceCod(std::string_view text, DdeEffects& fx) {
    if (fx.ProcessMode() != 2) return DdeReply::NotProcessed;
    ArgReader args(Arguments(text));
    double x = 0, y = 0;
    int moveKind = 0;
    if (!args.Real(x) || !args.Real(y) || !args.Int(moveKind)) return DdeReply::NotProcessed;
    fx.TraceToRequest(4, -1, -1, -1, -1, x, y, moveKind);
    return DdeReply::Ack;
}

DdeReply TracePrg(std::string_view text, DdeEffects& fx) {
    if (fx.ProcessMode() != 2) return DdeReply::NotProcessed;
    ArgReader args(Arguments(text));
    int type = 0, mainProgram = 0, subProgram = 0, mainSequence = 0, subSequence = 0;
    double x = 0, y = 0;
    int moveKind = 0;
    if (!args.Int(type) || !args.Int(mainProgram) || !args.Int(subProgram) ||
        !args.Int(mainSequence) || !args.Int(subSequence) || !args.Real(x) || !args.Real(y) ||
        !args.Int(moveKind))
        return DdeReply::NotProcessed;
    fx.TraceToRequest(type, mainProgram, subProgram, mainSequence, subSequence, x, y, moveKind);
    return DdeReply::Ack;
}

}  // namespace

std::string DdeServiceName(int instanceNumber) {
    return "ZeVizeza DDE Service" + std::to_string(instanceNumber);
}

DdeReply DdeExecute(std::string_view data, DdeEffects& fx) {
    if (data.size() > kDdeMessageCap) return DdeReply::NotProcessed;
    const std::string_view text = UpToNul(data);
    if (platform::StartsWithNoCase(text, "CLOSE")) return Close(fx);
    if (platform::StartsWithNoCase(text, "SCALE")) return Scale(text, fx);
    if (platform::StartsWithNoCase(text, "STEP")) {
        fx.Step();
        return DdeReply::Ack;
    }
    if (platform::StartsWithNoCase(text, "OPEN")) return Open(text, fx);
    if (StartsWithCase(text, "PROC_MODE")) return ProcMode(text, fx);
    if (StartsWithCase(text, "TRACE_COD")) return TraceCod(text, fx);
    if (StartsWithCase(text, "TRACE_PRG")) return TracePrg(text, fx);
    return DdeReply::Ack;
}

bool DdeConversation::Connect(std::string_view topic) {
    if (topic.size() <= kDdeMessageCap && platform::EqualsNoCase(UpToNul(topic), kDdeTopic)) {
        connected_ = true;
        effects_.ConnectionAccepted();
        return true;
    }
    connected_ = false;
    effects_.ShowMessage(kDdeCaption, "CONNECT Failuer", PromptIcon::Warning);
    return false;
}

DdeReply DdeConversation::Execute(std::string_view data) {
    if (!connected_) {
        effects_.ShowMessage(kDdeCaption, "EXECUTE Failuer", PromptIcon::Warning);
        return DdeReply::NotProcessed;
    }
    return DdeExecute(data, effects_);
}
