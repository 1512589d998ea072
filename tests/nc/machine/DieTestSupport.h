// Shared pieces of the die data tests: fixture paths, a context and a scripted dialog runner.
#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "nc/NcAppContext.h"
#include "nc/machine/CPunchTool.h"
#include "platform/ScriptedPrompt.h"

namespace dietest {

inline std::filesystem::path Fixture(const std::string& name) {
    return std::filesystem::path(MORVALEN_TEST_DATA) / "nc" / "dies" / name;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

// A context on a configuration folder, with a scripted prompt and "<LOCAL_APP_NAME>" mapped
// to a folder of the test.
struct Context {
    platform::ScriptedPrompt prompt;
    NcAppContext app;
    explicit Context(const std::filesystem::path& config,
                     const std::filesystem::path& localApp = "/nonexistent-local") {
        app.ConfigFolder = config;
        app.Prompt = &prompt;
        std::string local = localApp.string();
        app.ConvertLocalAppPath = [local](int expand, std::string& path) {
            const std::string token = "<LOCAL_APP_NAME>";
            const std::string& from = expand ? token : local;
            const std::string& to = expand ? local : token;
            if (path.compare(0, from.size(), from) != 0) return 0;
            path = to + path.substr(from.size());
            return 1;
        };
    }
};

// A dialog runner that plays one scripted step per run; a run without a step cancels.
class FakeDialogs : public DieDialogRunner {
public:
    using Step = std::function<int(DieDialogState&)>;
    std::deque<Step> dieSteps;
    std::deque<Step> arrangementSteps;
    int dieRuns = 0;
    int arrangementRuns = 0;

    int RunDieSelectionDialog(DieDialogState& state) override {
        ++dieRuns;
        return Play(dieSteps, state);
    }
    int RunArrangementDialog(DieDialogState& state) override {
        ++arrangementRuns;
        return Play(arrangementSteps, state);
    }

private:
    static int Play(std::deque<Step>& steps, DieDialogState& state) {
        if (steps.empty()) return 0;
        Step s = std::move(steps.front());
        steps.pop_front();
        return s(state);
    }
};

}  // namespace dietest
