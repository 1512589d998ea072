// SettingsContext: the paths and messages every settings dialog uses.
#include "settings/SettingsContext.h"

#include "app/core/AppPaths.h"
#include "platform/StringTable.h"

std::filesystem::path SettingsContext::IniPath() const {
    return Paths ? std::filesystem::path(Paths->IniPath) : std::filesystem::path();
}

std::string SettingsContext::MakeConfigPath(std::string_view name) const {
    return Paths ? Paths->MakeConfigPath(name) : std::string(name);
}

platform::PromptAnswer SettingsContext::Message(unsigned id, platform::PromptIcon icon,
                                                platform::PromptButtons buttons) const {
    return MessageText(platform::LoadString(id), icon, buttons);
}

platform::PromptAnswer SettingsContext::MessageText(std::string_view text,
                                                    platform::PromptIcon icon,
                                                    platform::PromptButtons buttons) const {
    return Prompt ? Prompt->Message(text, icon, buttons) : platform::PromptAnswer::Ok;
}
