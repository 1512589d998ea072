// Conversion-table runs over NC lines.
#include "app/core/ApplyReplaceTable.h"

#include <algorithm>
#include <string_view>

#include "nc/machine/CNcReplaceInfo.h"

namespace {

// Replaces every occurrence of find (not empty) left to right; the count of replacements.
size_t ReplaceAll(std::string& text, std::string_view find, std::string_view with) {
    size_t count = 0;
    size_t pos = 0;
    while ((pos = text.find(find, pos)) != std::string::npos) {
        text.replace(pos, find.size(), with);
        pos += with.size();
        ++count;
    }
    return count;
}

}  // namespace

int ApplyReplaceTable(std::vector<std::string>& lines, const CNcReplaceInfo& table) {
    int result = 0;
    const size_t rows = std::min({table.BeforeTexts.size(), table.AfterTexts.size(),
                                  table.StartLines.size(), table.EndLines.size()});
    for (size_t k = 0; k < rows; ++k) {
        const std::string& find = table.BeforeTexts[k];
        const std::string& with = table.AfterTexts[k];
        if (find.empty()) continue;  // would match everywhere and never end
        const unsigned start = table.StartLines[k];
        const unsigned end = table.EndLines[k];
        const size_t colons = size_t(std::count(find.begin(), find.end(), ':'));

        // One pass builds the lines anew: a line replaced in place and the pieces inserted
        // before it would move every following line for each match. r is the line's number
        // and n the line count in the list as it stands at that point of the walk.
        std::vector<std::string> out;
        out.reserve(lines.size());
        for (size_t i = 0; i < lines.size();) {
            const size_t r = out.size() + 1;
            const size_t n = out.size() + (lines.size() - i);
            std::string& line = lines[i];
            if (!(start <= r && size_t(end) <= n - r + 1) || (!line.empty() && line[0] == 'O')) {
                out.push_back(std::move(line));
                ++i;
                continue;
            }
            std::string text, comment;
            size_t joined = 0;
            if (colons == 0) {
                size_t paren = line.find('(');
                text = line.substr(0, paren);
                if (paren != std::string::npos) comment = line.substr(paren);
            } else {
                text = line;
                for (; joined < colons && r + joined < n; ++joined) {
                    text += ':';
                    text += lines[i + 1 + joined];
                }
                std::replace(text.begin(), text.end(), '\n', ':');
            }
            if (ReplaceAll(text, find, with) == 0) {
                out.push_back(std::move(line));
                ++i;
                continue;
            }
            // The result split at each ':'; the set-aside comment follows the last piece, which
            // stands in place of the line; the joined lines are gone.
            size_t from = 0;
            for (size_t colon; (colon = text.find(':', from)) != std::string::npos;
                 from = colon + 1)
                out.push_back(text.substr(from, colon - from));
            out.push_back(text.substr(from) + comment);
            i += 1 + joined;
            result = 1;
        }
        lines.swap(out);
        if (result == 1 && lines.size() > 1) {
            auto firstAfter = lines.begin() + 1;
            lines.erase(std::remove_if(firstAfter, lines.end(),
                                       [](const std::string& l) { return l.empty(); }),
                        lines.end());
        }
    }
    if (table.DeleteCtbLines) {
        const size_t limit = std::min<size_t>(20, lines.size());
        for (size_t i = 0; i < limit; ++i) {
            if (lines[i].find("CTB=") != std::string::npos) {
                lines.erase(lines.begin() + std::ptrdiff_t(i));
                result = 1;
                break;
            }
        }
    }
    return result;
}
