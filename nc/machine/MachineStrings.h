// Message and name strings of the machine data, by string-table id, and their formatting.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/Profile.h"
#include "platform/UserPrompt.h"

// String-table ids used by the machine files, the condition table and the conversion tables.
namespace machine_strings {
inline constexpr int kConditionFileName = 61465;   // "Za_Reve.ntd"
inline constexpr int kDefaultMachineFile = 61532;  // "MV_Machine.nmd"
inline constexpr int kConditionLow = 61671;        // default condition 1
inline constexpr int kConditionMiddle = 61672;     // default condition 2
inline constexpr int kConditionHigh = 61673;       // default condition 3
inline constexpr int kConditionMarking = 61674;    // default condition 7
inline constexpr int kTableWorkAreaFull = 61590;   // no temporary file for a rename
inline constexpr int kTableWriteFailed = 61597;    // [%s]
inline constexpr int kTableMissing = 61604;        // [%s]
inline constexpr int kTableBadRow = 61605;         // [%s] and the line number
inline constexpr int kTableSaveNoFile = 61606;     // [%s]
inline constexpr int kTableFormatError = 61607;
inline constexpr int kTableInvalidName = 61608;    // [%s]
inline constexpr int kSettingsUnreadable = 29109;  // [%s]: exists but cannot be read
inline constexpr int kSettingsBadNumbers = 29110;  // [%s] and the keys, one a line
}  // namespace machine_strings

// The text of a string id in the user-interface language (UTF-8), from the string table; the
// built-in English text when the table lacks the id; "" for an unknown id. Every text of the
// machine data goes through here.
std::string MachineString(int id);

// Fills the printf placeholders %s and %d of a pattern, in order, with the given texts
// ("%%" is one '%'). The arguments are inserted as they are, never read as a format, so text
// taken from files cannot disturb the formatting.
std::string FillPlaceholders(std::string_view pattern,
                             std::initializer_list<std::string_view> args);

// Shows message id (filled with args) through prompt with an OK button; nothing when prompt is
// null.
void ShowMachineMessage(platform::UserPrompt* prompt, int id, platform::PromptIcon icon,
                        std::initializer_list<std::string_view> args = {});

// When the profile's load found its file there but unusable (a folder, a device, no read
// permission, too large), tells the user (kSettingsUnreadable): the defaults are used for this
// run and the file is never written. True when it did.
bool ReportUnreadableSettings(const platform::ProfileFile& profile,
                              const std::filesystem::path& file, platform::UserPrompt* prompt);
