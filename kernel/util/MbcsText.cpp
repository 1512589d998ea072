// CP932-aware search and case functions on the walkers of the platform layer.
#include "kernel/util/MbcsText.h"

#include "platform/Cp932.h"

namespace {
std::string_view CText(std::string_view text) {
    size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}
}  // namespace

size_t StrChrMbcs(std::string_view text, char value) {
    text = CText(text);
    if (value == '\0') return text.size();
    return platform::FindFirstSingle(text, value);
}

size_t StrRChrMbcs(std::string_view text, char value) {
    text = CText(text);
    if (value == '\0') return text.size();
    return platform::FindLastSingle(text, value);
}

std::string& StrUpperMbcs(std::string& text) {
    platform::ToUpperSingleBytes(text.data(), CText(text).size());
    return text;
}

std::string& StrLowerMbcs(std::string& text) {
    platform::ToLowerSingleBytes(text.data(), CText(text).size());
    return text;
}

int FindAfterNoCase(std::string_view text, std::string_view key, std::string& out) {
    text = CText(text);
    key = CText(key);
    for (size_t i = 0; i + key.size() <= text.size(); ++i) {
        if (platform::EqualsNoCase(text.substr(i, key.size()), key)) {
            out.assign(text.substr(i + key.size()));
            return 1;
        }
    }
    out.assign(text);
    return 0;
}
