// The main window's placement: the 44-byte record of "Morvalen.ini" and the start-up choice.
#include "app/core/WindowPlacement.h"

#include "platform/Profile.h"

namespace {

void Put32(std::vector<unsigned char>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

uint32_t Get32(const std::vector<unsigned char>& in, size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(in[at + i]) << (8 * i);
    return v;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::vector<unsigned char> WindowPlacementRecord::ToBytes() const {
    std::vector<unsigned char> out;
    out.reserve(44);
    for (uint32_t v :
         {length, flags, showCmd, static_cast<uint32_t>(minX), static_cast<uint32_t>(minY),
          static_cast<uint32_t>(maxX), static_cast<uint32_t>(maxY),
          static_cast<uint32_t>(normal.left), static_cast<uint32_t>(normal.top),
          static_cast<uint32_t>(normal.right), static_cast<uint32_t>(normal.bottom)})
        Put32(out, v);
    return out;
}

std::optional<WindowPlacementRecord> WindowPlacementRecord::FromBytes(
    const std::vector<unsigned char>& bytes) {
    if (bytes.size() != 44 || Get32(bytes, 0) != 44) return std::nullopt;
    WindowPlacementRecord r;
    r.flags = Get32(bytes, 4);
    r.showCmd = Get32(bytes, 8);
    r.minX = static_cast<int32_t>(Get32(bytes, 12));
    r.minY = static_cast<int32_t>(Get32(bytes, 16));
    r.maxX = static_cast<int32_t>(Get32(bytes, 20));
    r.maxY = static_cast<int32_t>(Get32(bytes, 24));
    r.normal.left = static_cast<int32_t>(Get32(bytes, 28));
    r.normal.top = static_cast<int32_t>(Get32(bytes, 32));
    r.normal.right = static_cast<int32_t>(Get32(bytes, 36));
    r.normal.bottom = static_cast<int32_t>(Get32(bytes, 40));
    // A window of no size cannot be shown; a record like that counts as unreadable.
    if (r.normal.Width() <= 0 || r.normal.Height() <= 0) return std::nullopt;
    return r;
}

std::string EncodeProfileStruct(const std::vector<unsigned char>& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2 + 2);
    unsigned sum = 0;
    for (unsigned char b : bytes) {
        text += kHex[b >> 4];
        text += kHex[b & 15];
        sum += b;
    }
    text += kHex[(sum >> 4) & 15];
    text += kHex[sum & 15];
    return text;
}

std::optional<std::vector<unsigned char>> DecodeProfileStruct(std::string_view text, size_t size) {
    if (text.size() != size * 2 + 2) return std::nullopt;
    std::vector<unsigned char> bytes;
    bytes.reserve(size + 1);
    for (size_t i = 0; i < text.size(); i += 2) {
        int hi = HexValue(text[i]);
        int lo = HexValue(text[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        bytes.push_back(static_cast<unsigned char>(hi * 16 + lo));
    }
    unsigned char check = bytes.back();
    bytes.pop_back();
    unsigned sum = 0;
    for (unsigned char b : bytes) sum += b;
    if (static_cast<unsigned char>(sum) != check) return std::nullopt;
    return bytes;
}

std::optional<WindowPlacementRecord> ReadPlacement(const std::filesystem::path& file) {
    std::string text = platform::GetProfileString(kPlacementSection, kPlacementKey, "", file);
    auto bytes = DecodeProfileStruct(text, 44);
    if (!bytes) return std::nullopt;
    return WindowPlacementRecord::FromBytes(*bytes);
}

bool WritePlacement(const std::filesystem::path& file, const WindowPlacementRecord& record) {
    return platform::WriteProfileString(kPlacementSection, kPlacementKey,
                                        EncodeProfileStruct(record.ToBytes()), file);
}

StartPlacement ChooseStartPlacement(int processMode,
                                    const std::optional<WindowPlacementRecord>& stored,
                                    int screenWidth, int screenHeight) {
    StartPlacement p;
    if (processMode > 0) {
        if (processMode == 1 || processMode == 11)
            p.normal = {0, 139, 1025, 770};
        else
            p.normal = {213, 118, 1029, 793};
        return p;
    }
    if (!stored) {
        p.maximized = true;
        p.normal = {screenWidth / 10, screenHeight / 10, screenWidth - screenWidth / 10,
                    screenHeight - screenHeight / 10};
        return p;
    }
    p.normal = stored->normal;
    p.maximized = stored->showCmd == kShowMaximized;
    return p;
}
