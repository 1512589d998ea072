// The program's questions to the user: message boxes and Qt's own file dialogs.
#pragma once

#include <QString>
#include <QWidget>

#include "platform/UserPrompt.h"
#include "text/FileFilter.h"

// With the environment variable MORVALEN_UNATTENDED set (a driven program on a machine where
// nobody answers), nothing is shown: each message goes to standard error and gets the answer
// that changes nothing (Ok, No, Cancel, Abort), and file and folder questions are cancelled.
class QtUserPrompt : public platform::UserPrompt {
public:
    // Dialogs are centred on the parent's window when one is given.
    explicit QtUserPrompt(QWidget* parent = nullptr);
    void SetParent(QWidget* parent) { parent_ = parent; }
    bool Unattended() const { return unattended_; }

    platform::PromptAnswer Message(std::string_view text, platform::PromptIcon icon,
                                   platform::PromptButtons buttons) override;
    std::optional<std::string> AskFileName(std::string_view title, std::string_view filter,
                                           std::string_view initial, bool save) override;
    platform::PromptAnswer MessageTitled(std::string_view caption, std::string_view text,
                                         platform::PromptIcon icon,
                                         platform::PromptButtons buttons) override;
    std::optional<std::vector<std::string>> AskFileNames(std::string_view title,
                                                         std::string_view filter,
                                                         std::string_view initial) override;
    std::optional<std::string> AskFolder(std::string_view title, std::string_view initial) override;

private:
    QWidget* Parent() const;
    QWidget* parent_ = nullptr;
    bool unattended_ = false;
};
