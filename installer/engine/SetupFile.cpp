// Setup-file reading with its encodings and read limits.
#include "installer/engine/SetupFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/Cp932.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"

namespace installer {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// A setup file is a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kMaxSetupFileBytes = 16u << 20;

}  // namespace

bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        if (n == 2 && c < 0xC2) return false;  // overlong
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        if (n == 3) {
            unsigned char d = static_cast<unsigned char>(s[i + 1]);
            if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0)) return false;
        } else if (n == 4) {
            unsigned char d = static_cast<unsigned char>(s[i + 1]);
            if ((c == 0xF0 && d < 0x90) || (c == 0xF4 && d >= 0x90) || c > 0xF4) return false;
        }
        i += n;
    }
    return true;
}

std::string CutToBuffer(std::string_view text, size_t size) {
    if (size == 0) return {};
    size_t limit = size - 1;
    if (text.size() <= limit) return std::string(text);
    size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return std::string(text.substr(0, cut));
}

bool SetupFile::Load(const fs::path& file) {
    path_ = file;
    loaded_ = false;
    std::error_code ec;
    if (!fs::is_regular_file(file, ec) || fs::file_size(file, ec) > kMaxSetupFileBytes || ec) {
        SetBytes({});
        loaded_ = false;
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        SetBytes({});
        return false;
    }
    SetBytes(std::string(std::istreambuf_iterator<char>(in), {}));
    loaded_ = in.good() || in.eof();
    return loaded_;
}

void SetupFile::SetBytes(std::string_view bytes) {
    bom_ = bytes.substr(0, kBom.size()) == kBom;
    if (bom_) bytes.remove_prefix(kBom.size());
    cp932_ = !IsValidUtf8(bytes);
    profile_.SetText(cp932_ ? platform::Cp932ToUtf8(bytes) : std::string(bytes));
    loaded_ = true;
}

std::string SetupFile::Get(std::string_view section, std::string_view key, size_t size) const {
    return CutToBuffer(profile_.GetString(section, key, ""), size);
}

int SetupFile::GetInt(std::string_view section, std::string_view key, size_t size) const {
    return static_cast<int>(platform::ParseLeadingInt(Get(section, key, size)));
}

bool SetupFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    profile_.Set(section, key, value);
    std::string bytes;
    if (cp932_) {
        platform::Cp932Encoding enc = platform::Utf8ToCp932(profile_.Text());
        if (!enc.ok()) return false;  // a text CP932 cannot carry: leave the file as it is
        bytes = std::move(enc.bytes);
    } else {
        bytes = profile_.Text();
    }
    if (bom_) bytes.insert(0, kBom);
    return !path_.empty() && platform::WriteFileAtomic(path_, bytes);
}

std::string SetupFileNameFor(std::string_view installerName) {
    std::string name(installerName);
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return name + ".INF";
    return name.substr(0, dot + 1) + "INF";
}

fs::path FindNoCase(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    fs::path exact = folder / std::string(name);
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    std::vector<fs::path> hits;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (platform::EqualsNoCase(it->path().filename().string(), name))
            hits.push_back(it->path());
    if (hits.empty()) return {};
    return *std::min_element(hits.begin(), hits.end());
}

}  // namespace installer
