// The NC editor's text and the document's lines.
#include "text/core/NcEditText.h"

#include "platform/TextCodec.h"

namespace {

// U+F70D in UTF-8.
constexpr std::string_view kCrStandIn = "\xEF\x9C\x8D";

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

}  // namespace

std::string LinesToEditText(const std::vector<std::string>& lines) {
    size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 1;
    std::string joined;
    joined.reserve(size);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) joined += '\n';
        joined += lines[i];
    }
    // '\n' and '\r' are never trail bytes, so the whole text converts as one.
    std::string text = platform::Cp932ToUtf8(joined);
    if (text.find('\r') != std::string::npos) ReplaceAll(text, "\r", kCrStandIn);
    return text;
}

bool EditTextToCp932(std::string_view text, std::string& out) {
    platform::Cp932Encoding enc;
    if (text.find(kCrStandIn) != std::string_view::npos) {
        std::string copy(text);
        ReplaceAll(copy, kCrStandIn, "\r");
        enc = platform::Utf8ToCp932(copy);
    } else {
        enc = platform::Utf8ToCp932(text);
    }
    out = std::move(enc.bytes);
    return enc.ok();
}

bool EditTextToLines(std::string_view text, std::vector<std::string>& lines) {
    std::string bytes;
    if (!EditTextToCp932(text, bytes)) return false;
    std::vector<std::string> out;
    if (!bytes.empty()) {
        std::string_view rest = bytes;
        for (;;) {
            const size_t eol = rest.find('\n');
            out.emplace_back(rest.substr(0, eol));
            if (eol == std::string_view::npos) break;
            rest.remove_prefix(eol + 1);
        }
    }
    lines = std::move(out);
    return true;
}

std::string FirstCharWithoutCp932(std::string_view text) {
    for (size_t base = 0; base < text.size();) {
        const platform::Cp932Encoding enc = platform::Utf8ToCp932(text.substr(base));
        if (enc.ok()) return {};
        const size_t at = base + enc.firstUnconvertible;
        if (text.substr(at, kCrStandIn.size()) == kCrStandIn) {
            base = at + kCrStandIn.size();
            continue;
        }
        const auto lead = static_cast<unsigned char>(text[at]);
        const size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        return std::string(text.substr(at, n));
    }
    return {};
}
