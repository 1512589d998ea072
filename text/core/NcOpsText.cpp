// Texts of the NC operations.
#include "text/core/NcOpsText.h"

#include "nc/machine/DieMessages.h"
#include "nc/machine/MachineStrings.h"
#include "platform/TextCodec.h"
#include "platform/UserPrompt.h"
#include "text/core/TextStrings.h"

std::string OpsText(unsigned id, std::initializer_list<std::string_view> args) {
    const std::string text = TextString(id);
    // Numbered places ("%1") are the Windows message style; the others are printf's.
    for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1))
        if (at + 1 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9')
            return diemsg::Fill(text, args);
    return FillPlaceholders(text, args);
}

std::string OpsTextCp932(unsigned id, std::initializer_list<std::string_view> args) {
    return platform::Utf8ToCp932(OpsText(id, args)).bytes;
}

platform::PromptAnswer ShowOpsMessage(platform::UserPrompt* prompt, unsigned id,
                                      platform::PromptIcon icon, platform::PromptButtons buttons,
                                      std::initializer_list<std::string_view> args) {
    if (!prompt) return platform::PromptAnswer::Ok;
    return prompt->Message(OpsText(id, args), icon, buttons);
}
