// Texts the single-installation pages show: the summary, the read-me and agreement files,
// and the existing program folders.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "installer/engine/SetupState.h"

namespace installer {

// The summary of the choices, lines joined with CR LF: the installation folder, the program
// folder (when its page is shown), the setup type and the components that take part.
std::string SummaryText(const SetupState& state);

// The lines of a text file (UTF-8, else CP932), each followed by CR LF; empty when the file
// cannot be read or is not a regular file.
std::string ReadViewText(const std::filesystem::path& file);

// The folders directly inside the applications folder whose names do not begin with '.',
// sorted without letter case.
std::vector<std::string> ListProgramFolders(const std::filesystem::path& applications);
// The first name that begins with prefix without letter case; -1 when none does.
int FindPrefixRow(const std::vector<std::string>& names, const std::string& prefix);

}  // namespace installer
