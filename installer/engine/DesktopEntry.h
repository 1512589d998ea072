// Desktop entries (the menu entries of Linux desktops), written in the freedesktop.org
// desktop-entry format.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace installer {

struct DesktopEntry {
    std::string Name;
    std::vector<std::string> Exec;  // the program and its arguments, as given to the program
    int FileArgument = -1;          // index of the word written as "%f" (the file opened)
    std::string Path;               // working folder, or empty
    std::string Icon;               // icon file, or empty
    std::string Categories;         // menu sections, "Main;Additional;", or empty
    std::string MimeType;           // "type/sub;" list, or empty
    bool NoDisplay = false;

    // The whole file text ("[Desktop Entry]" group, LF lines).
    std::string Text() const;
};

// One argument of an Exec key: quoted when it holds a reserved character, with '"', '`', '$'
// and '\' escaped inside the quotes, '%' doubled.
std::string QuoteExecArgument(std::string_view arg);
// A value of type string with its escapes (\\, \n, \t, \r).
std::string EscapeDesktopString(std::string_view value);
// A file name made of a display name: '/' and control characters become '_'.
std::string DesktopFileName(std::string_view name);

// Splits a command line into words the way a shell's quoting does for the simple cases
// setup files use: blanks separate, double quotes group (their content taken as it stands),
// single quotes group literally.
std::vector<std::string> SplitCommandLine(std::string_view text);

}  // namespace installer
