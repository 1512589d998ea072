// The installer's messages as message boxes, with the texts of the installer's table.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "installer/engine/InstallerUi.h"

class QWidget;

namespace installer {

class QtInstallerUi : public InstallerUi {
public:
    PromptAnswer Message(unsigned id, const std::vector<std::string>& args, PromptButtons buttons,
                         PromptIcon icon, std::string_view lead = {}) override;
    bool ConfirmStop(bool uninstall) override;

    // Unattended: no box is shown; each message is written to the error output and answered
    // from this list ("yes", "no", "ok", "cancel", "retry", "abort"), then by its first button.
    void SetUnattended(const QStringList& answers);

private:
    bool unattended_ = false;
    std::deque<QString> answers_;
};

}  // namespace installer
