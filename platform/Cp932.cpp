// CP932 walkers: every loop steps with CharLength, which stays inside the buffer.
#include "platform/Cp932.h"

namespace platform {

namespace {
char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

template <class Map>
void MapSingleBytes(char* text, size_t size, Map map) {
    std::string_view view(text, size);
    for (size_t i = 0; i < size;) {
        size_t n = CharLength(view, i);
        if (n == 1) text[i] = map(text[i]);
        i += n;
    }
}
}  // namespace

size_t FindFirstSingle(std::string_view text, char ch) {
    for (size_t i = 0; i < text.size();) {
        size_t n = CharLength(text, i);
        if (n == 1 && text[i] == ch) return i;
        i += n;
    }
    return std::string_view::npos;
}

size_t FindLastSingle(std::string_view text, char ch) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < text.size();) {
        size_t n = CharLength(text, i);
        if (n == 1 && text[i] == ch) found = i;
        i += n;
    }
    return found;
}

size_t FindFirstSingleOf(std::string_view text, std::string_view set) {
    for (size_t i = 0; i < text.size();) {
        size_t n = CharLength(text, i);
        if (n == 1 && set.find(text[i]) != std::string_view::npos) return i;
        i += n;
    }
    return std::string_view::npos;
}

void ToUpperSingleBytes(char* text, size_t size) {
    MapSingleBytes(text, size, AsciiUpper);
}
void ToLowerSingleBytes(char* text, size_t size) {
    MapSingleBytes(text, size, AsciiLower);
}
void ToUpperSingleBytes(std::string& text) {
    ToUpperSingleBytes(text.data(), text.size());
}
void ToLowerSingleBytes(std::string& text) {
    ToLowerSingleBytes(text.data(), text.size());
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

size_t FindText(std::string_view text, std::string_view what, size_t from) {
    if (from > text.size()) return std::string_view::npos;
    if (what.empty()) {  // the first character boundary at or after from
        size_t i = 0;
        while (i < from) i += CharLength(text, i);
        return i;
    }
    // Byte matches first (the library's search), then whether the match starts a character:
    // the reader searches every block for every option string.
    size_t boundary = 0;  // a character boundary at or before the match
    for (size_t pos = text.find(what, from); pos != std::string_view::npos;
         pos = text.find(what, pos + 1)) {
        while (boundary < pos) boundary += CharLength(text, boundary);
        if (boundary == pos) return pos;
    }
    return std::string_view::npos;
}

}  // namespace platform
