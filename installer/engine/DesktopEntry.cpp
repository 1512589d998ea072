// Desktop entry text with the quoting rules of the Exec key.
#include "installer/engine/DesktopEntry.h"

namespace installer {

std::string EscapeDesktopString(std::string_view value) {
    std::string out;
    for (char c : value) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string QuoteExecArgument(std::string_view arg) {
    static constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    bool quote = arg.empty() || arg.find_first_of(kReserved) != std::string_view::npos;
    std::string out;
    if (quote) out += '"';
    for (char c : arg) {
        if (c == '%') {
            out += "%%";
            continue;
        }
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
        out += c;
    }
    if (quote) out += '"';
    return out;
}

std::string DesktopFileName(std::string_view name) {
    std::string out;
    for (char c : name) out += (c == '/' || static_cast<unsigned char>(c) < 0x20) ? '_' : c;
    if (out.empty() || out == "." || out == "..") out = "_" + out;
    return out;
}

std::string DesktopEntry::Text() const {
    std::string exec;
    for (size_t i = 0; i < Exec.size(); ++i) {
        if (i) exec += ' ';
        exec +=
            static_cast<int>(i) == FileArgument ? std::string("%f") : QuoteExecArgument(Exec[i]);
    }
    std::string t = "[Desktop Entry]\nType=Application\n";
    t += "Name=" + EscapeDesktopString(Name) + "\n";
    // The string escapes apply after the quoting, so a quoted backslash is written as four.
    t += "Exec=" + EscapeDesktopString(exec) + "\n";
    if (!Path.empty()) t += "Path=" + EscapeDesktopString(Path) + "\n";
    if (!Icon.empty()) t += "Icon=" + EscapeDesktopString(Icon) + "\n";
    if (!Categories.empty()) {
        t += "Categories=" + EscapeDesktopString(Categories);
        if (Categories.back() != ';') t += ';';
        t += "\n";
    }
    if (!MimeType.empty()) t += "MimeType=" + MimeType + "\n";
    if (NoDisplay) t += "NoDisplay=true\n";
    t += "Terminal=false\n";
    return t;
}

std::vector<std::string> SplitCommandLine(std::string_view text) {
    std::vector<std::string> words;
    std::string cur;
    bool inWord = false;
    char quote = 0;
    for (char c : text) {
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                cur += c;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) words.push_back(cur);
            cur.clear();
            inWord = false;
        } else {
            cur += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(cur);
    return words;
}

}  // namespace installer
