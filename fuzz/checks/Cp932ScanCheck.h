// Reader check of the CP932 helpers and the field scanners the die files, conversion tables
// and point lists are read with: any text, delimiters and formats. No walker may split a
// double-byte character or report a position past the text.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "fuzz/checks/CheckSupport.h"
#include "kernel/util/FileUtil.h"
#include "kernel/util/MbcsText.h"
#include "kernel/util/ScanFields.h"
#include "platform/Cp932.h"

namespace fuzzcheck {

namespace cp932_detail {

// The formats the readers use, and a few more of the documented forms.
inline constexpr std::array<std::string_view, 22> kFormats = {
    "%d", "%hd", "%ld", "%i",   "%u",  "%x",  "%o",   "%lf",  "%f",  "%e",  "%g",
    "%s", "%c",  "%3c", "%15s", "%5d", " %d", "X=%d", "%%%d", "%lu", "%lx", "%2hd"};

// True when pos starts a character of text (never the trail byte of a pair).
inline bool IsCharStart(std::string_view text, size_t pos) {
    size_t i = 0;
    while (i < pos) i += platform::CharLength(text, i);
    return i == pos;
}

inline std::string CheckFound(std::string_view text, size_t pos, char ch) {
    if (pos == std::string_view::npos) return {};
    if (pos >= text.size()) return "a search reported a position past the text";
    if (text[pos] != ch) return "a search reported the wrong byte";
    if (!IsCharStart(text, pos)) return "a search stopped on a trail byte";
    return {};
}

}  // namespace cp932_detail

// The input: delimiters, a format of its own, a byte to search for, then the text.
inline std::string CheckCp932Scan(std::string_view bytes) {
    using namespace cp932_detail;
    InputBytes in(bytes);
    const std::string delimiters = in.Text(4);
    const std::string ownFormat = in.Text(12);
    const char probe = static_cast<char>(in.Byte());
    const std::string text = in.Rest();

    int i = 0;
    short s = 0;
    long l = 0;
    double d = 0;
    float f = 0;
    char c = 0;
    std::string str, str2;
    // Each destination gets a format picked by the text's own bytes.
    auto pick = [&](size_t k) {
        const size_t n = kFormats.size() + 1;
        const size_t index =
            text.empty() ? k % n : (static_cast<unsigned char>(text[k % text.size()]) + k) % n;
        return index == kFormats.size() ? std::string_view(ownFormat) : kFormats[index];
    };
    const std::vector<ScanField> fields = {
        {&i, pick(0)}, {&s, pick(1)},   {&l, pick(2)}, {&d, pick(3)}, {&f, pick(4)},
        {&c, pick(5)}, {&str, pick(6)}, {&str2, "%s"}, {&i},          {&d}};
    const ScanFieldList list(fields.data(), fields.size());
    (void)ScanTokens(delimiters, text, list);
    (void)ScanFieldsDelim(delimiters, text, list);
    (void)ScanFieldsQuoted(delimiters, text, list);
    for (const ScanField& field : fields) (void)field.Scan(text);

    std::string fault;
    auto step = [&](std::string result) {
        if (fault.empty()) fault = std::move(result);
    };
    step(CheckFound(text, platform::FindFirstSingle(text, probe), probe));
    step(CheckFound(text, platform::FindLastSingle(text, probe), probe));
    const size_t any = platform::FindFirstSingleOf(text, delimiters);
    if (any != std::string_view::npos &&
        (any >= text.size() || delimiters.find(text[any]) == std::string::npos ||
         !IsCharStart(text, any)))
        step("FindFirstSingleOf reported a wrong position");
    // The C-string walkers stop at the first NUL.
    const std::string_view ctext(text.c_str());
    if (probe != '\0') {
        step(CheckFound(ctext, StrChrMbcs(text, probe), probe));
        step(CheckFound(ctext, StrRChrMbcs(text, probe), probe));
    }

    std::string upper = text, lower = text;
    platform::ToUpperSingleBytes(upper);
    platform::ToLowerSingleBytes(lower);
    if (upper.size() != text.size() || lower.size() != text.size())
        step("case changing changed the length");
    if (!platform::EqualsNoCase(upper, lower)) step("case-changed copies do not compare equal");
    StrUpperMbcs(upper);
    StrLowerMbcs(lower);
    (void)platform::StartsWithNoCase(text, delimiters);
    std::string after;
    (void)FindAfterNoCase(text, delimiters, after);

    std::string name = text;
    (void)ReplaceFileNameChars(name);
    name = text;
    (void)ReplaceFileNameCharsBlank(name);
    std::string drive, folder, base, ext;
    (void)SplitPath(text, &drive, &folder, &base, &ext);
    return fault;
}

}  // namespace fuzzcheck
