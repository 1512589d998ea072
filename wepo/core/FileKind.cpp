// The tests of file-kind recognition in their fixed order.
#include "wepo/core/FileKind.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "kernel/util/FileUtil.h"
#include "platform/Cp932.h"
#include "wepo/core/TextUtil.h"

namespace wepo {

namespace {

constexpr size_t kSampleSize = 1024;

// The keyword record that makes a text an NC program.
struct NcKeywordRecord {
    int kind;
    const char* keywords[18];
};
constexpr NcKeywordRecord kNcKeywordTable[] = {
    {FK_NC_PROGRAM,
     {"G90", "G91", "G0", "G1", "G2", "G3", "G00", "G01", "G02", "G03", "G40", "G41", "M98", "M99",
      "M30", "N", "X", "Y"}},
};

// The sample: the bytes read, zeros behind them up to 2048 so fixed offsets read zero.
struct Sample {
    unsigned char bytes[2 * kSampleSize] = {};
    size_t count = 0;
    bool At(size_t offset, std::string_view text) const {
        return std::memcmp(bytes + offset, text.data(), text.size()) == 0;
    }
    // A character field: up to its first zero, never its last byte.
    std::string_view Field(size_t offset, size_t width) const {
        const char* p = reinterpret_cast<const char*>(bytes + offset);
        return std::string_view(p, strnlen(p, width - 1));
    }
};

bool Ext(std::string_view extension, std::string_view want) {
    return platform::EqualsNoCase(extension, want);
}

void CopyComment(std::string_view text, char* comment, int commentSize) {
    if (!comment || commentSize <= 2) return;
    size_t n = std::min(text.size(), static_cast<size_t>(commentSize - 2));
    std::memcpy(comment, text.data(), n);
    comment[n] = '\0';
}

std::string JoinFields(const Sample& s, size_t a, size_t b, size_t c, size_t width) {
    std::string out(s.Field(a, width));
    out += ',';
    out += s.Field(b, width);
    out += ',';
    out += s.Field(c, width);
    return out;
}

// A full sample may end inside a double-byte character; a whole file that ends so is no text.
bool EndsWithLoneLeadByte(const unsigned char* bytes, size_t count) {
    size_t i = 0;
    while (i < count) i += platform::IsLeadByte(bytes[i]) ? 2 : 1;
    return i > count;
}

int KeywordKind(const Sample& s) {
    std::string text(reinterpret_cast<const char*>(s.bytes), s.count);
    int hits[std::size(kNcKeywordTable)] = {};
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string_view line = std::string_view(text).substr(
            start, end == std::string::npos ? std::string::npos : end - start);
        line = line.substr(0, line.find('\0'));  // a line is a C string
        for (size_t r = 0; r < std::size(kNcKeywordTable); ++r)
            for (const char* keyword : kNcKeywordTable[r].keywords)
                if (line.find(keyword) != std::string_view::npos) ++hits[r];
        if (end == std::string::npos) break;
        start = end + 1;
    }
    size_t best = 0;
    for (size_t r = 1; r < std::size(kNcKeywordTable); ++r)
        if (hits[r] > hits[best]) best = r;
    return hits[best] >= 2 ? kNcKeywordTable[best].kind : FK_TEXT;
}

int Judge(const Sample& s, std::string_view ext, char* comment, int commentSize) {
    // Headers of the CAD products and the numbered records.
    int kind = -1;
    if (s.At(4, "ZED PLINT KQ V4.0"))
        kind = FK_CAD_V4;
    else if (s.At(4, "Rimbleton"))
        kind = FK_CAD_NATIVE;
    else if (s.At(4, "ZEDPLINT RW"))
        kind = FK_CAD_RW;
    else if (s.At(4, "ZEDPLINT TW"))
        kind = FK_CAD_TW;
    else if (s.bytes[0] == 0 && s.bytes[32] == 1 && s.bytes[64] == 2 && s.bytes[96] == 3)
        kind = FK_NUMBERED_RECORDS;
    if (kind == FK_CAD_V4 && (s.At(0, "RMBT") || s.At(92, "...rimbl..."))) kind = FK_CAD_NATIVE;
    if (kind == FK_CAD_NATIVE || kind == FK_CAD_V4) {
        unsigned char format = s.bytes[25];
        if (format != 4 && format != 5 && format != 20 && format != 21 && format != 26) kind = -1;
    }
    switch (kind) {
        case FK_CAD_NATIVE:
        case FK_CAD_V4:
            CopyComment(JoinFields(s, 106, 148, 190, 42), comment, commentSize);
            return kind;
        case FK_CAD_RW:
            CopyComment(JoinFields(s, 144, 186, 228, 42), comment, commentSize);
            return kind;
        case FK_CAD_TW:
            CopyComment(JoinFields(s, 576, 624, 672, 48), comment, commentSize);
            return kind;
        case FK_NUMBERED_RECORDS:
            return kind;
        default:
            break;
    }
    if (s.At(0, "FLENDIR rimbl Backup V2")) {
        CopyComment(s.Field(24, 260), comment, commentSize);
        return FK_CAD_BACKUP;
    }
    // Signatures with their extensions.
    if (s.At(0, "MZ")) {
        if (Ext(ext, ".EXE")) return FK_EXE;
        if (Ext(ext, ".DLL")) return FK_DLL;
        if (Ext(ext, ".SYS")) return FK_SYS;
        if (Ext(ext, ".VXD")) return FK_VXD;
    }
    if (s.At(0, "\x3F\x5F") && Ext(ext, ".HLP")) return FK_HLP;
    if (s.At(0, "\x4C\x01") && Ext(ext, ".OBJ")) return FK_OBJ;
    if (s.At(0, "!<arch>") && Ext(ext, ".LIB")) return FK_OBJ;
    if (s.At(2, "-lh") && Ext(ext, ".LZH")) return FK_LZH;
    if (s.At(0, "BM") && Ext(ext, ".BMP")) return FK_BMP;
    if (s.At(0, std::string_view("\0\0\x01", 3)) && Ext(ext, ".ICO")) return FK_ICO;
    if (s.At(0, std::string_view("\0\0\x02", 3)) && Ext(ext, ".CUR")) return FK_CUR;
    if (s.At(0, "SZDD\x88\xF0\x27\x33")) return FK_COMPRESSED;
    // Extensions alone.
    struct ByExtension {
        const char* ext;
        int kind;
    };
    for (const ByExtension& e : {ByExtension{".DXF", FK_DXF},
                                 {".EXF", FK_EXF},
                                 {".BMI", FK_BMI},
                                 {".PCS", FK_PCS},
                                 {".BAT", FK_BAT},
                                 {".TXT", FK_TEXT},
                                 {".PTP", FK_NC_PROGRAM},
                                 {".CMD", FK_SCRIPT}})
        if (Ext(ext, e.ext)) return e.kind;
    // Text or binary; text files are NC programs when the keywords say so.
    if (!IsTextSample(s.bytes, s.count)) return FK_BINARY;
    if (s.count < kSampleSize && EndsWithLoneLeadByte(s.bytes, s.count)) return FK_BINARY;
    if (comment && commentSize > 1) {
        size_t n = std::min(s.count, static_cast<size_t>(commentSize - 1));
        for (size_t i = 0; i < n; ++i) {
            char c = static_cast<char>(s.bytes[i]);
            comment[i] = c == '\r' || c == '\n' ? ' ' : c;
        }
        comment[n] = '\0';
    }
    return KeywordKind(s);
}

}  // namespace

int IdentifyFileKindOf(const unsigned char* bytes, int64_t count, const char* extension,
                       char* comment, int commentSize) {
    if (comment && commentSize > 0) std::memset(comment, 0, static_cast<size_t>(commentSize));
    Sample s;
    s.count = count <= 0 || !bytes ? 0 : static_cast<size_t>(std::min<int64_t>(count, kSampleSize));
    if (s.count) std::memcpy(s.bytes, bytes, s.count);
    return Judge(s, extension ? extension : "", comment, commentSize);
}

int IdentifyFileKind(const char* path, char* comment, int commentSize) {
    if (comment && commentSize > 0) std::memset(comment, 0, static_cast<size_t>(commentSize));
    if (!path) return FK_NONE;
    std::string extension;
    SplitPath(path, nullptr, nullptr, nullptr, &extension);
    // Regular files only: a folder, a device or a pipe is no file to judge (and must not block).
    int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FK_NONE;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return FK_NONE;
    }
    unsigned char buffer[kSampleSize];
    size_t count = 0;
    while (count < kSampleSize) {
        ssize_t n = ::read(fd, buffer + count, kSampleSize - count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n < 0) count = 0;  // a failed read counts as nothing read
            break;
        }
        count += static_cast<size_t>(n);
    }
    ::close(fd);
    return IdentifyFileKindOf(buffer, static_cast<int64_t>(count), extension.c_str(), comment,
                              commentSize);
}

}  // namespace wepo
