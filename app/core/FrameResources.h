// The frame's menus, tool bars and accelerators as data, read from the resource file
// "menus.txt" that ships beside the program.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// A menu entry: a command, a separator, or a sub-menu with its entries.
struct MenuNode {
    enum class Kind { Item, Separator, Popup };
    Kind kind = Kind::Item;
    int command = 0;
    std::string english;   // texts with '&' mnemonics and "\t" before the shortcut
    std::string japanese;  // empty: the English text is used
    std::vector<MenuNode> children;

    const std::string& Text(bool japaneseUi) const {
        return japaneseUi && !japanese.empty() ? japanese : english;
    }
};

// A tool bar: its name (the object name the saved state keys on), control id, title string id
// and command table (0 marks a separator place) with each button's text string id.
struct ToolBarDef {
    std::string name;
    int controlId = 0;
    unsigned titleId = 0;
    std::vector<int> commands;
    std::vector<unsigned> textIds;  // parallel to commands; 0 for separators and own texts
};

struct AcceleratorDef {
    int command = 0;
    std::vector<std::string> keys;  // portable key names: "Ctrl+C", "Shift+F3", "Home"
};

struct FrameResources {
    std::map<int, std::vector<MenuNode>> menus;  // by menu resource id: the top-level entries
    std::vector<ToolBarDef> bars;                // in creation order
    std::vector<AcceleratorDef> accelerators;
    std::vector<std::string> problems;  // lines that did not parse, with their numbers

    const ToolBarDef* Bar(std::string_view name) const;
    // Every command id that appears in the menus, the bars or the accelerators, once each.
    std::vector<int> AllCommands() const;
};

// Lines, fields separated by TABs ('#' starts a comment line):
//   menu <id> ... end         a menu resource
//   popup <english> [<japanese>] ... end     a sub-menu
//   item <command> <english> [<japanese>]    a command; "\t" in a text stands for a TAB
//   separator
//   toolbar <name> <control id> <title id> ... end
//   button <command> [<text string id>]
//   accel <command> <key> [<key> ...]
FrameResources ParseFrameResources(std::string_view text);
// The file beside the program ("menus.txt" in programFolder), else the copy the build made.
std::filesystem::path DefaultFrameResourcesPath(const std::filesystem::path& programFolder);
// False when the file cannot be read.
bool LoadFrameResources(const std::filesystem::path& file, FrameResources& out);
