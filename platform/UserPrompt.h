// Questions to the user, asked by code below the user interface through an injected object.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// The answer of a box's first button (its default one), as a box answered without a person
// gives it: Yes, Retry, Abort or Ok.
inline PromptAnswer FirstAnswer(PromptButtons buttons) {
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

// The program implements it with message boxes and file dialogs; tests with ScriptedPrompt.
// Texts are UTF-8, normally from the string table.
class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    // A message box: the text, its icon and buttons; returns the button pressed.
    virtual PromptAnswer Message(std::string_view text, PromptIcon icon, PromptButtons buttons) = 0;
    // A file-name question (open or save); nothing when the user cancels.
    // `filter` lists patterns as "Description (*.ext *.ext2)" entries separated by ";;".
    virtual std::optional<std::string> AskFileName(std::string_view title, std::string_view filter,
                                                   std::string_view initial, bool save) = 0;
    // A message box with a caption of its own (an empty one gives the program's name).
    virtual PromptAnswer MessageTitled(std::string_view caption, std::string_view text,
                                       PromptIcon icon, PromptButtons buttons) {
        (void)caption;
        return Message(text, icon, buttons);
    }
    // Several existing files chosen at once, in the order given; nothing when the user cancels.
    virtual std::optional<std::vector<std::string>> AskFileNames(std::string_view title,
                                                                 std::string_view filter,
                                                                 std::string_view initial) {
        (void)title, (void)filter, (void)initial;
        return std::nullopt;
    }
    // An existing folder, starting at initial; nothing when the user cancels.
    virtual std::optional<std::string> AskFolder(std::string_view title, std::string_view initial) {
        (void)title, (void)initial;
        return std::nullopt;
    }

    void Inform(std::string_view text) {
        Message(text, PromptIcon::Information, PromptButtons::Ok);
    }
    void Error(std::string_view text) { Message(text, PromptIcon::Error, PromptButtons::Ok); }
    bool AskYesNo(std::string_view text) {
        return Message(text, PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes;
    }
};

}  // namespace platform
