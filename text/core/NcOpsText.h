// Texts of the NC operations: string-table messages filled with values taken as text, in
// UTF-8 for message boxes and in CP932 for reports that hold NC text.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {
class UserPrompt;
enum class PromptIcon;
enum class PromptButtons;
enum class PromptAnswer;
}  // namespace platform

// The text of id in the current language with its "%s", "%d" and "%1".."%9" places filled in
// order with args (never read as a format).
std::string OpsText(unsigned id, std::initializer_list<std::string_view> args = {});
// The same in CP932 bytes.
std::string OpsTextCp932(unsigned id, std::initializer_list<std::string_view> args = {});
// A message box of OpsText(id, args) through prompt (nothing when prompt is null); its answer
// (Ok without a prompt).
platform::PromptAnswer ShowOpsMessage(platform::UserPrompt* prompt, unsigned id,
                                      platform::PromptIcon icon, platform::PromptButtons buttons,
                                      std::initializer_list<std::string_view> args = {});
