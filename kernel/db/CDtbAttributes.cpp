// Packed attribute texts of an element.
#include "kernel/db/CDtbAttributes.h"

#include "kernel/db/DtbPool.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

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

void CDtbAttributes::Reserve(size_t needed) {
    static_assert(
        [] {
            // Every size up to 4 KiB, then a sample: compilers cap the steps of a constant
            // evaluation.
            for (size_t n = 0; n < 70000; n += n < 4096 ? 1 : 61) {
                const size_t room = RoomFor(n);
                if (room < n || RoomFor(room) != room || RoomFor(n + 1) < room) return false;
            }
            return true;
        }(),
        "the room must cover the size, be stable and grow with it");
    const uint32_t size = Size();
    if (block_ != nullptr && needed <= RoomFor(size)) return;
    // The room must stay within the 32-bit size.
    if (needed > UINT32_MAX - UINT32_MAX / 8) throw std::bad_alloc();
    const size_t room = RoomFor(needed);
    char* block = AllocateBlock(kHeader + room);
    if (block_ != nullptr) {
        std::memcpy(block + kHeader, block_ + kHeader, size);
        FreeBlock(block_, kHeader + RoomFor(size));
    }
    block_ = block;
    SetSize(size);
}

char* CDtbAttributes::AllocateBlock(size_t bytes) {
    return static_cast<char*>(DtbPoolAllocate(bytes));
}

void CDtbAttributes::FreeBlock(char* block, size_t bytes) {
    DtbPoolFree(block, bytes);
}

CDtbAttributes::CDtbAttributes(const CDtbAttributes& other) {
    const uint32_t size = other.Size();
    if (size == 0) return;
    Reserve(size);
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
        RemoveAll();
        block_ = other.block_;
        other.block_ = nullptr;
    }
    return *this;
}

CDtbAttributes::~CDtbAttributes() {
    RemoveAll();
}

void CDtbAttributes::RemoveAll() {
    if (block_ == nullptr) return;
    FreeBlock(block_, kHeader + RoomFor(Size()));
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
           text.data() < block_ + kHeader + RoomFor(Size());
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

void CDtbAttributes::Add(std::initializer_list<std::string_view> texts) {
    // Packed first, then placed with one allocation (a local copy: our own texts may be among
    // them).
    size_t bytes = 0;
    for (std::string_view t : texts) bytes += CutAtNul(t).size() + 1;
    char local[512];
    std::string heap;
    char* packed = local;
    if (bytes > sizeof local) {
        heap.resize(bytes);
        packed = heap.data();
    }
    size_t at = 0;
    for (std::string_view t : texts) {
        t = CutAtNul(t);
        if (!t.empty()) std::memcpy(packed + at, t.data(), t.size());
        at += t.size();
        packed[at++] = '\0';
    }
    Replace(Size(), 0, std::string_view(packed, bytes));
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
