// How the engine, the runs and the pages reach the user: a message by string id. The wizard
// implements it with message boxes; tests with a recording fake.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/UserPrompt.h"

namespace installer {

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

class InstallerUi {
public:
    virtual ~InstallerUi() = default;
    // Shows installer string id with its placeholders filled from args, after the text lead
    // (a folder or product name some messages put in front); returns the button pressed.
    virtual PromptAnswer Message(unsigned id, const std::vector<std::string>& args,
                                 PromptButtons buttons, PromptIcon icon,
                                 std::string_view lead = {}) = 0;
    // The question of the wizard's Cancel: "the setup (uninstall when uninstall is true) has
    // not finished" with Retry and Abort; true for Abort.
    virtual bool ConfirmStop(bool uninstall) = 0;
};

}  // namespace installer
