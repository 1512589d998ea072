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
        std::string caption;  // of MessageTitled
        std::string initial;  // where a file or folder question started
    };

    // Answers are used in order; when they run out a message gets the first button's answer
    // (Ok, Yes, Retry, Abort) and a file question gets no file.
    std::deque<PromptAnswer> answers;
    std::deque<std::optional<std::string>> fileNames;
    std::deque<std::vector<std::string>> fileLists;  // for AskFileNames; an empty list cancels
    std::deque<std::optional<std::string>> folders;  // for AskFolder
    std::vector<Asked> asked;

    PromptAnswer Message(std::string_view text, PromptIcon icon, PromptButtons buttons) override {
        Asked a;
        a.text = std::string(text);
        a.icon = icon;
        a.buttons = buttons;
        asked.push_back(std::move(a));
        if (!answers.empty()) {
            PromptAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return FirstAnswer(buttons);
    }
    std::optional<std::string> AskFileName(std::string_view title, std::string_view,
                                           std::string_view initial, bool) override {
        AskedFile(title, initial);
        return Take(fileNames);
    }
    PromptAnswer MessageTitled(std::string_view caption, std::string_view text, PromptIcon icon,
                               PromptButtons buttons) override {
        PromptAnswer a = Message(text, icon, buttons);
        asked.back().caption = std::string(caption);
        return a;
    }
    std::optional<std::vector<std::string>> AskFileNames(std::string_view title, std::string_view,
                                                         std::string_view initial) override {
        AskedFile(title, initial);
        if (fileLists.empty()) return std::nullopt;
        std::vector<std::string> files = std::move(fileLists.front());
        fileLists.pop_front();
        if (files.empty()) return std::nullopt;
        return files;
    }
    std::optional<std::string> AskFolder(std::string_view title,
                                         std::string_view initial) override {
        AskedFile(title, initial);
        return Take(folders);
    }

private:
    void AskedFile(std::string_view title, std::string_view initial) {
        Asked a;
        a.text = std::string(title);
        a.fileQuestion = true;
        a.initial = std::string(initial);
        asked.push_back(std::move(a));
    }
    template <class T>
    static std::optional<T> Take(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> v = std::move(queue.front());
        queue.pop_front();
        return v;
    }
};

}  // namespace platform
