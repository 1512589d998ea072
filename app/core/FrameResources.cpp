// The frame's menus, tool bars and accelerators as data, read from "menus.txt".
#include "app/core/FrameResources.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

#include "platform/FileRead.h"

namespace {

std::vector<std::string> SplitTabs(std::string_view line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        size_t tab = line.find('\t', start);
        fields.emplace_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    // Runs of TABs separate one field; empty fields come only from them.
    fields.erase(std::remove(fields.begin(), fields.end(), std::string()), fields.end());
    return fields;
}

std::string Unescape(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            char n = s[i + 1];
            if (n == 't') {
                out += '\t';
                ++i;
                continue;
            }
            if (n == '\\') {
                out += '\\';
                ++i;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

bool ToInt(const std::string& s, int& value) {
    auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

}  // namespace

const ToolBarDef* FrameResources::Bar(std::string_view name) const {
    for (const ToolBarDef& b : bars)
        if (b.name == name) return &b;
    return nullptr;
}

std::vector<int> FrameResources::AllCommands() const {
    std::vector<int> ids;
    auto add = [&](int id) {
        if (id != 0 && std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    };
    auto walk = [&](auto& self, const std::vector<MenuNode>& nodes) -> void {
        for (const MenuNode& n : nodes) {
            if (n.kind == MenuNode::Kind::Item) add(n.command);
            self(self, n.children);
        }
    };
    for (const auto& [id, nodes] : menus) walk(walk, nodes);
    for (const ToolBarDef& b : bars)
        for (int c : b.commands) add(c);
    for (const AcceleratorDef& a : accelerators) add(a.command);
    return ids;
}

FrameResources ParseFrameResources(std::string_view text) {
    FrameResources res;
    // The open containers: the menu's top level, then nested popups.
    std::vector<std::vector<MenuNode>*> menuStack;
    ToolBarDef* bar = nullptr;
    int lineNo = 0;
    size_t pos = 0;
    auto problem = [&](const std::string& what) {
        res.problems.push_back("line " + std::to_string(lineNo) + ": " + what);
    };
    while (pos <= text.size()) {
        size_t eol = text.find('\n', pos);
        std::string_view line =
            text.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
        pos = eol == std::string_view::npos ? text.size() + 1 : eol + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') continue;
        std::vector<std::string> f = SplitTabs(line.substr(first));
        const std::string& word = f[0];
        int number = 0;
        if (word == "menu") {
            if (f.size() < 2 || !ToInt(f[1], number) || !menuStack.empty() || bar) {
                problem("bad menu");
                continue;
            }
            menuStack = {&res.menus[number]};
        } else if (word == "popup") {
            if (menuStack.empty() || f.size() < 2) {
                problem("popup outside a menu");
                continue;
            }
            MenuNode n;
            n.kind = MenuNode::Kind::Popup;
            n.english = Unescape(f[1]);
            if (f.size() > 2) n.japanese = Unescape(f[2]);
            menuStack.back()->push_back(std::move(n));
            menuStack.push_back(&menuStack.back()->back().children);
        } else if (word == "item") {
            if (menuStack.empty() || f.size() < 3 || !ToInt(f[1], number)) {
                problem("bad item");
                continue;
            }
            MenuNode n;
            n.command = number;
            n.english = Unescape(f[2]);
            if (f.size() > 3) n.japanese = Unescape(f[3]);
            menuStack.back()->push_back(std::move(n));
        } else if (word == "separator") {
            if (bar) {
                bar->commands.push_back(0);
                bar->textIds.push_back(0);
            } else if (!menuStack.empty()) {
                MenuNode n;
                n.kind = MenuNode::Kind::Separator;
                menuStack.back()->push_back(std::move(n));
            } else {
                problem("separator outside a menu or bar");
            }
        } else if (word == "end") {
            if (bar)
                bar = nullptr;
            else if (!menuStack.empty())
                menuStack.pop_back();
            else
                problem("end without an open block");
        } else if (word == "toolbar") {
            int control = 0, title = 0;
            if (f.size() < 4 || !ToInt(f[2], control) || !ToInt(f[3], title) || bar ||
                !menuStack.empty()) {
                problem("bad toolbar");
                continue;
            }
            res.bars.push_back(ToolBarDef{f[1], control, static_cast<unsigned>(title), {}, {}});
            bar = &res.bars.back();
        } else if (word == "button") {
            int textId = 0;
            if (!bar || f.size() < 2 || !ToInt(f[1], number) || number == 0 ||
                (f.size() > 2 && !ToInt(f[2], textId))) {
                problem("bad button");
                continue;
            }
            bar->commands.push_back(number);
            bar->textIds.push_back(static_cast<unsigned>(textId));
        } else if (word == "accel") {
            if (f.size() < 3 || !ToInt(f[1], number)) {
                problem("bad accel");
                continue;
            }
            res.accelerators.push_back(
                AcceleratorDef{number, std::vector<std::string>(f.begin() + 2, f.end())});
        } else {
            problem("unknown word " + word);
        }
    }
    if (!menuStack.empty() || bar) problem("block not closed at the end");
    return res;
}

std::filesystem::path DefaultFrameResourcesPath(const std::filesystem::path& programFolder) {
    std::error_code ec;
    if (!programFolder.empty()) {
        std::filesystem::path beside = programFolder / "menus.txt";
        if (std::filesystem::is_regular_file(beside, ec)) return beside;
    }
#ifdef MORVALEN_FRAME_RESOURCES
    return MORVALEN_FRAME_RESOURCES;
#else
    return programFolder / "menus.txt";
#endif
}

bool LoadFrameResources(const std::filesystem::path& file, FrameResources& out) {
    platform::FileReadResult read = platform::ReadRegularFile(file, platform::kSettingsFileLimit);
    if (!read.ok()) return false;
    out = ParseFrameResources(read.bytes);
    return true;
}
