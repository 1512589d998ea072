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

// A die file of `count` round dies numbered from `count` down to 1 (or up from 1), written
// tightly (no writer's padding), in the syntax of version 1, 2, 3 or 4. The lines of version 3
// read as dies of version 4 too, with other values: their shape file and codes stand where 4
// has rotation and clamp.
inline std::string ManyDies(int count, int version, bool ascending = false) {
    static constexpr const char* kTails[] = {
        " A 1 10 0 0 0 O 0\r\n",
        " A 1 10 0 0 0 O----- 0\r\n",
        ",A,1,10,0,0,0,O-----,0,fig.dxf,M1,M2\r\n",
        ",A,1,10,0,0,0,O-----,0,0,0,\"\",,\r\n",
    };
    const int v = version >= 1 && version <= 4 ? version : 4;
    std::string text = "TITLE\r\n*" + std::to_string(v) + ".0\r\n";
    for (int i = 0; i < count; ++i) {
        text += std::to_string(ascending ? i + 1 : count - i);
        text += kTails[v - 1];
    }
    return text;
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
