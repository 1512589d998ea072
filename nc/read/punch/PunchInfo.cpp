// Byte-exact writing and reading of the punch information record.
#include "nc/read/punch/PunchInfo.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>

#include "nc/machine/CPunchTool.h"

namespace {

constexpr std::string_view kName = "PunchInfo";

template <class U>
void PutLE(PunchInfo::Bytes& b, size_t at, U value) {
    for (size_t i = 0; i < sizeof(U); ++i) b[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

template <class U>
U GetLE(std::span<const uint8_t> b, size_t at) {
    U value = 0;
    for (size_t i = 0; i < sizeof(U); ++i) value |= static_cast<U>(b[at + i]) << (8 * i);
    return value;
}

}  // namespace

size_t PunchInfo::ValueOffset(int8_t type, int i) {
    static constexpr size_t kPlain[5] = {19, 23, 27, 31, 35};
    static constexpr size_t kNibbleLine[5] = {19, 23, 29, 33, 35};
    const int k = std::clamp(i, 0, 4);
    return type == kPunchNibbleLine ? kNibbleLine[k] : kPlain[k];
}

PunchInfo::Bytes PunchInfo::ToBytes() const {
    Bytes b{};
    std::memcpy(b.data(), kName.data(), kName.size());
    b[16] = static_cast<uint8_t>(Type);
    PutLE<uint16_t>(b, 17, DieIndex);
    for (int i = 0; i < ValueCount(Type); ++i) {
        PutLE<uint32_t>(b, ValueOffset(Type, i), std::bit_cast<uint32_t>(Values[i]));
    }
    PutLE<uint64_t>(b, 40, std::bit_cast<uint64_t>(X));
    PutLE<uint64_t>(b, 48, std::bit_cast<uint64_t>(Y));
    return b;
}

std::optional<PunchInfo> PunchInfo::FromBytes(std::span<const uint8_t> b) {
    if (b.size() < kSize) return std::nullopt;
    const auto* name = reinterpret_cast<const char*>(b.data());
    if (std::string_view(name, strnlen(name, kNameSize)) != kName) return std::nullopt;
    PunchInfo info;
    info.Type = static_cast<int8_t>(b[16]);
    info.DieIndex = GetLE<uint16_t>(b, 17);
    for (int i = 0; i < ValueCount(info.Type); ++i) {
        info.Values[i] = std::bit_cast<float>(GetLE<uint32_t>(b, ValueOffset(info.Type, i)));
    }
    info.X = std::bit_cast<double>(GetLE<uint64_t>(b, 40));
    info.Y = std::bit_cast<double>(GetLE<uint64_t>(b, 48));
    return info;
}

std::optional<PunchInfo> PunchInfo::FromBytes(const char* data, size_t length) {
    if (data == nullptr) return std::nullopt;
    return FromBytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(data), length));
}

const DieRecord* PunchInfoDie(const CPunchTool& dies, const PunchInfo& info) {
    const int count = std::clamp<int>(dies.Header.DieCount, 0, static_cast<int>(dies.Dies.size()));
    return info.DieIndex < count ? &dies.Dies[info.DieIndex] : nullptr;
}
