// Shift-JIS-aware cutting of settings values.
#include "nc/machine/ProfileText.h"

#include "platform/Cp932.h"

std::string CutToBuffer(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return std::string(text);
    size_t i = 0;
    while (i < maxBytes) {
        size_t step = platform::CharLength(text, i);
        if (i + step > maxBytes) break;
        i += step;
    }
    return std::string(text.substr(0, i));
}
