// Path parts, multibyte-aware splitting and the text test.
#include "wepo/core/TextUtil.h"

#include <string_view>

#include "kernel/util/FileUtil.h"
#include "platform/Cp932.h"

namespace wepo {

int GetPathPart(const char* path, unsigned parts, std::string* out) {
    if (!path || !out) return 0;
    std::string folder, name, extension;
    SplitPath(path, nullptr, (parts & kPathDirectory) ? &folder : nullptr,
              (parts & kPathName) ? &name : nullptr,
              (parts & kPathExtension) ? &extension : nullptr);
    if (!folder.empty() && folder.back() != '/') folder += '/';
    if (!extension.empty() && extension.front() != '.') extension.insert(0, 1, '.');
    *out = folder + name + extension;
    return 1;
}

int SplitAtChars(char* text, const char* delimiters) {
    if (!text || !delimiters) return 0;
    int count = 1;
    std::string_view set(delimiters);
    for (char* rest = text;;) {
        std::string_view view(rest);
        size_t hit = platform::FindFirstSingleOf(view, set);
        if (hit == std::string_view::npos || set.empty()) return count;
        rest[hit] = '\0';
        ++count;
        rest += hit + 1;
    }
}

int IsTextSample(const unsigned char* bytes, size_t length) {
    if (!bytes && length) return 0;
    for (size_t i = 0; i < length; ++i) {
        unsigned char b = bytes[i];
        if (b < 32) {
            if (b == '\t' || b == '\r' || b == '\n') continue;
            if (b == 0x1A && i + 1 == length) continue;
            return 0;
        }
        if (b == 0x7F || b >= 0xFD) return 0;
        if (platform::IsLeadByte(b)) {
            if (i + 1 == length) return 1;  // cut by the end of the sample
            if (!platform::IsTrailByte(bytes[i + 1])) return 0;
            ++i;
        }
    }
    return 1;
}

}  // namespace wepo
