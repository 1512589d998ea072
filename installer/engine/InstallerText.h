// The installer's messages: its own rows of the string table, and their placeholders filled
// without printf (texts from setup files never become formats).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace installer {

// The installer's string ids sit at this offset in the suite's table, apart from the
// program's: message 102 of the installer is row 90102.
constexpr unsigned kStringBase = 90000;

// Uses the rows of this table text (the program embeds the table, so a copy of it runs from
// any folder). Until called, the suite's table file is used.
void UseInstallerStrings(std::string_view tableText);
// The text of installer string id in the current interface language; empty when unknown.
std::string InstallerString(unsigned id);

// Replaces "%s", "%d" and "%u" (and "%1".."%9") in order by args; "%%" gives "%". A
// placeholder without argument becomes empty.
std::string FormatText(std::string_view format, const std::vector<std::string>& args);
// InstallerString(id) with its placeholders filled, after lead.
std::string InstallerMessage(unsigned id, const std::vector<std::string>& args,
                             std::string_view lead = {});

}  // namespace installer
