// The program's questions to the user: message boxes and Qt's own file dialogs.
#pragma once

#include <QString>
#include <QWidget>

#include "platform/UserPrompt.h"
#include "text/FileFilter.h"

class QtUserPrompt : public platform::UserPrompt {
public:
    // Dialogs are centred on the parent's window when one is given.
    explicit QtUserPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    platform::PromptAnswer Message(std::string_view text, platform::PromptIcon icon,
                                   platform::PromptButtons buttons) override;
    std::optional<std::string> AskFileName(std::string_view title, std::string_view filter,
                                           std::string_view initial, bool save) override;

private:
    QWidget* parent_ = nullptr;
};
