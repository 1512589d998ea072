// A UserPrompt that answers from a script and records what was asked, for tests.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/UserPrompt.h"

namespace platform {

class ScriptedPrompt : public UserPrompt {
public:
    struct Asked {
        std::string text;
        PromptIcon icon = PromptIcon::None;
        PromptButtons buttons = PromptButtons::Ok;
        bool fileQuestion = false;
    };

    // Answers are used in order; when they run out a message gets the first button's answer
    // (Ok, Yes, Retry, Abort) and a file question gets no file.
    std::deque<PromptAnswer> answers;
    std::deque<std::optional<std::string>> fileNames;
    std::vector<Asked> asked;

    PromptAnswer Message(std::string_view text, PromptIcon icon, PromptButtons buttons) override {
        asked.push_back({std::string(text), icon, buttons, false});
        if (!answers.empty()) {
            PromptAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        switch (buttons) {
            case PromptButtons::YesNo:
            case PromptButtons::YesNoCancel:
                return PromptAnswer::Yes;
            case PromptButtons::RetryCancel:
                return PromptAnswer::Retry;
            case PromptButtons::AbortRetryIgnore:
                return PromptAnswer::Abort;
            default:
                return PromptAnswer::Ok;
        }
    }
    std::optional<std::string> AskFileName(std::string_view title, std::string_view,
                                           std::string_view, bool) override {
        asked.push_back({std::string(title), PromptIcon::None, PromptButtons::Ok, true});
        if (fileNames.empty()) return std::nullopt;
        auto f = fileNames.front();
        fileNames.pop_front();
        return f;
    }
};

}  // namespace platform
