// Message texts of the die data from the string table, and safe placeholder filling.
#include "nc/machine/DieMessages.h"

#include <vector>

#include "platform/Numbers.h"
#include "platform/StringTable.h"

namespace diemsg {

std::string Text(int id) {
    return platform::LoadString(static_cast<unsigned>(id));
}

std::string Fill(std::string_view text, std::initializer_list<std::string_view> args) {
    std::vector<std::string_view> a(args);
    std::string out;
    out.reserve(text.size() + 64);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            size_t n = static_cast<size_t>(text[i + 1] - '1');
            if (n < a.size()) {
                out.append(a[n]);
                ++i;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

std::string FileErrorText(int id, std::string_view path, int line) {
    std::string where;
    if (line > 0) where = " " + Fill(Text(kFileLine), {platform::FormatInt(line)});
    return Fill(Text(id), {path, where});
}

}  // namespace diemsg
