// Packed attribute texts of an element.
#include "kernel/db/CDtbAttributes.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

// Room for the usual "LineNo=", "PrtNo=" and "ElmInfo=" texts of an element in one allocation.
constexpr size_t kFirstCapacity = 56;

std::string_view CutAtNul(std::string_view text) {
    const size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

}  // namespace

std::string_view CDtbAttributes::Iterator::operator*() const {
    const size_t nul = packed_.find('\0', pos_);
    return packed_.substr(pos_, nul - pos_);
}

CDtbAttributes::Iterator& CDtbAttributes::Iterator::operator++() {
    pos_ = packed_.find('\0', pos_) + 1;
    return *this;
}

uint32_t CDtbAttributes::Size() const {
    uint32_t v = 0;
    if (block_ != nullptr) std::memcpy(&v, block_, 4);
    return v;
}

uint32_t CDtbAttributes::Capacity() const {
    uint32_t v = 0;
    if (block_ != nullptr) std::memcpy(&v, block_ + 4, 4);
    return v;
}

void CDtbAttributes::SetSize(uint32_t size) {
    std::memcpy(block_, &size, 4);
}

void CDtbAttributes::Reserve(size_t needed, bool exact) {
    const size_t capacity = Capacity();
    if (block_ != nullptr && needed <= capacity) return;
    size_t grown = exact ? needed : capacity * 2;
    if (!exact && grown < kFirstCapacity) grown = kFirstCapacity;
    if (grown < needed) grown = needed;
    if (grown > UINT32_MAX - kHeader) throw std::bad_alloc();
    const uint32_t size = Size();
    char* block = static_cast<char*>(std::realloc(block_, kHeader + grown));
    if (block == nullptr) throw std::bad_alloc();
    block_ = block;
    const uint32_t cap32 = static_cast<uint32_t>(grown);
    SetSize(size);
    std::memcpy(block_ + 4, &cap32, 4);
}

CDtbAttributes::CDtbAttributes(const CDtbAttributes& other) {
    const uint32_t size = other.Size();
    if (size == 0) return;
    Reserve(size, true);  // copies are sized exactly: most are never added to
    std::memcpy(block_ + kHeader, other.block_ + kHeader, size);
    SetSize(size);
}

CDtbAttributes& CDtbAttributes::operator=(const CDtbAttributes& other) {
    if (this != &other) {
        CDtbAttributes copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CDtbAttributes& CDtbAttributes::operator=(CDtbAttributes&& other) noexcept {
    if (this != &other) {
        std::free(block_);
        block_ = other.block_;
        other.block_ = nullptr;
    }
    return *this;
}

CDtbAttributes::~CDtbAttributes() {
    std::free(block_);
}

void CDtbAttributes::RemoveAll() {
    std::free(block_);
    block_ = nullptr;
}

size_t CDtbAttributes::GetCount() const {
    size_t n = 0;
    for (char c : Packed()) n += (c == '\0');
    return n;
}

size_t CDtbAttributes::Offset(size_t i) const {
    const std::string_view packed = Packed();
    size_t pos = 0;
    for (; i > 0; --i) {
        if (pos >= packed.size()) return std::string_view::npos;
        pos = packed.find('\0', pos) + 1;
    }
    return pos < packed.size() ? pos : std::string_view::npos;
}

std::string_view CDtbAttributes::GetAt(size_t i) const {
    const size_t pos = Offset(i);
    if (pos == std::string_view::npos) return {};
    const std::string_view packed = Packed();
    return packed.substr(pos, packed.find('\0', pos) - pos);
}

int CDtbAttributes::FindPrefix(std::string_view prefix) const {
    int index = 0;
    for (std::string_view t : *this) {
        if (t.starts_with(prefix)) return index;
        ++index;
    }
    return -1;
}

bool CDtbAttributes::Aliases(std::string_view text) const {
    return !text.empty() && block_ != nullptr && text.data() >= block_ &&
           text.data() < block_ + kHeader + Capacity();
}

void CDtbAttributes::Replace(size_t pos, size_t count, std::string_view text) {
    if (count == 0 && text.empty()) return;
    if (Aliases(text)) {
        // A text of our own block would move under our feet: work from a copy.
        const std::string copy(text);
        Replace(pos, count, copy);
        return;
    }
    const size_t size = Size();
    const size_t newSize = size - count + text.size();
    Reserve(newSize);
    char* bytes = block_ + kHeader;
    std::memmove(bytes + pos + text.size(), bytes + pos + count, size - pos - count);
    if (!text.empty()) std::memcpy(bytes + pos, text.data(), text.size());
    SetSize(static_cast<uint32_t>(newSize));
}

void CDtbAttributes::Add(std::string_view text) {
    text = CutAtNul(text);
    if (Aliases(text)) {
        const std::string copy(text);
        Add(copy);
        return;
    }
    const size_t size = Size();
    Reserve(size + text.size() + 1);
    char* bytes = block_ + kHeader;
    if (!text.empty()) std::memcpy(bytes + size, text.data(), text.size());
    bytes[size + text.size()] = '\0';
    SetSize(static_cast<uint32_t>(size + text.size() + 1));
}

bool CDtbAttributes::SetAt(size_t i, std::string_view text) {
    const size_t pos = Offset(i);
    if (pos == std::string_view::npos) return false;
    const size_t nul = Packed().find('\0', pos);
    Replace(pos, nul - pos, CutAtNul(text));
    return true;
}

bool CDtbAttributes::RemoveAt(size_t i) {
    const size_t pos = Offset(i);
    if (pos == std::string_view::npos) return false;
    const size_t nul = Packed().find('\0', pos);
    Replace(pos, nul - pos + 1, {});
    if (Size() == 0) RemoveAll();
    return true;
}
