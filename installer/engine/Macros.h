// The fifteen macro values that setup commands refer to, and their two forms: the path token
// NAME+"text" and a name in braces anywhere in a text.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "installer/engine/SetupPlatform.h"
#include "installer/engine/SetupState.h"

namespace installer {

// The names in the order they are searched and expanded.
inline constexpr std::array<std::string_view, 15> kMacroNames = {"SRCDIR",
                                                                 "SRCDISK",
                                                                 "SUPPORTDIR",
                                                                 "TARGETDIR",
                                                                 "TARGETDISK",
                                                                 "WINDIR",
                                                                 "WINDISK",
                                                                 "WINSYSDIR",
                                                                 "WINSYSDISK",
                                                                 "ARG6",
                                                                 "PROGRAM_FOLDER_NAME",
                                                                 "COMPANY_NAME",
                                                                 "PRODUCT_NAME",
                                                                 "PRODUCT_VERSION",
                                                                 "TYPE_SELECT"};

struct MacroValues {
    std::array<std::string, 15> Values;  // in the order of kMacroNames

    // The value of a name; empty for a name that is none of the fifteen.
    const std::string& Get(std::string_view name) const;
    void Set(std::string_view name, std::string value);
};

// The values from the state and the platform's folders, taken now.
MacroValues InitMacroValues(const SetupState& state, const SetupPlatform& platform);

// NAME+"text" becomes the macro's value followed by text. The token is the text before its
// first ','; the name is looked up in the part before the '+' only (the first of the names in
// their order that occurs there decides; none gives an empty value). False, with text left
// unchanged, when a '+' is not followed by a complete quoted text. '\' separators of setup
// files written on Windows become '/', and doubled '/' are joined.
bool ExpandMacros(const MacroValues& values, std::string& text);
// Replaces "{NAME}" for each name in order; what one name inserts is never scanned for that
// name again, later names expand what earlier ones inserted.
void ExpandBraceMacros(const MacroValues& values, std::string& text);

// Path text with '\' taken as '/' and runs of '/' joined.
std::string NormalSeparators(std::string_view path);

}  // namespace installer
