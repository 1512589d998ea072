// Packed attribute texts of an element.
#include "kernel/db/CDtbAttributes.h"

#include "kernel/db/DtbPool.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

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

char* CDtbAttributes::NewBlock(size_t size, uint32_t& handle) {
    static_assert(
        [] {
            // Every size up to 4 KiB, then a sample: compilers cap the steps of a constant
            // evaluation.
            for (size_t n = 0; n < 70000; n += n < 4096 ? 1 : 61) {
                if (BlockBytes(n) < HeaderBytes(n) + n || BlockBytes(n + 1) < BlockBytes(n))
                    return false;
            }
            return true;
        }(),
        "a block must hold its texts and grow with them");
    handle = 0;
    if (size == 0) return nullptr;
    // The size must stay within 32 bits, with the block's room.
    if (size > UINT32_MAX - UINT32_MAX / 8) throw std::bad_alloc();
    char* block = static_cast<char*>(DtbPoolAllocate(BlockBytes(size)));
    try {
        handle = DtbHandleOf(block);
    } catch (...) {
        DtbPoolFree(block, BlockBytes(size));
        throw;
    }
    WriteSize(block, size);
    return block;
}

void CDtbAttributes::WriteSize(char* block, size_t size) {
    if (size < kLongSize) {
        block[0] = static_cast<char>(size);
    } else {
        block[0] = static_cast<char>(kLongSize);
        const uint32_t v = static_cast<uint32_t>(size);
        std::memcpy(block + 1, &v, 4);
    }
}

void CDtbAttributes::FreeBlock(char* block, size_t size) {
    DtbReleaseHandle(block);
    DtbPoolFree(block, BlockBytes(size));
}

CDtbAttributes::CDtbAttributes(const CDtbAttributes& other) {
    const uint32_t size = other.Size();
    char* block = NewBlock(size, block_);
    if (block != nullptr) std::memcpy(block, other.Block(), HeaderBytes(size) + size);
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
        other.block_ = 0;
    }
    return *this;
}

CDtbAttributes::~CDtbAttributes() {
    RemoveAll();
}

void CDtbAttributes::RemoveAll() {
    if (block_ == 0) return;
    char* block = Block();
    block_ = 0;
    FreeBlock(block, SizeIn(block));
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

void CDtbAttributes::Replace(size_t pos, size_t count, const std::string_view* texts, size_t n,
                             bool nuls) {
    size_t insert = 0;
    for (size_t i = 0; i < n; ++i) insert += texts[i].size() + (nuls ? 1 : 0);
    if (count == 0 && insert == 0) return;
    char* old = Block();
    const size_t size = old != nullptr ? SizeIn(old) : 0;
    const size_t newSize = size - count + insert;
    const size_t header = HeaderBytes(size);
    auto write = [&](char* to) {
        for (size_t i = 0; i < n; ++i) {
            if (!texts[i].empty()) std::memcpy(to, texts[i].data(), texts[i].size());
            to += texts[i].size();
            if (nuls) *to++ = '\0';
        }
    };
    if (old != nullptr && newSize != 0 && HeaderBytes(newSize) == header &&
        BlockBytes(newSize) == BlockBytes(size)) {
        // The same block holds the new texts; a text of its own would move under our feet,
        // so such texts are placed from a copy.
        const char* end = old + BlockBytes(size);
        for (size_t i = 0; i < n; ++i) {
            if (!texts[i].empty() && texts[i].data() >= old && texts[i].data() < end) {
                std::string copy;
                copy.reserve(insert);
                for (size_t k = 0; k < n; ++k) {
                    copy += texts[k];
                    if (nuls) copy += '\0';
                }
                const std::string_view all(copy);
                Replace(pos, count, &all, 1, false);
                return;
            }
        }
        char* bytes = old + header;
        std::memmove(bytes + pos + insert, bytes + pos + count, size - pos - count);
        write(bytes + pos);
        WriteSize(old, newSize);
        return;
    }
    // A new block; the old one (whose texts may be among those placed) goes last.
    uint32_t handle = 0;
    char* block = NewBlock(newSize, handle);
    if (block != nullptr) {
        char* to = block + HeaderBytes(newSize);
        const char* from = old != nullptr ? old + header : nullptr;
        if (pos != 0) std::memcpy(to, from, pos);
        write(to + pos);
        if (size != pos + count)
            std::memcpy(to + pos + insert, from + pos + count, size - pos - count);
    }
    if (old != nullptr) FreeBlock(old, size);
    block_ = handle;
}

void CDtbAttributes::Add(std::string_view text) {
    const std::string_view cut = CutAtNul(text);
    Replace(Size(), 0, &cut, 1, true);
}

void CDtbAttributes::Add(std::initializer_list<std::string_view> texts) {
    std::string_view local[8];
    std::vector<std::string_view> many;
    std::string_view* cut = local;
    if (texts.size() > std::size(local)) {
        many.resize(texts.size());
        cut = many.data();
    }
    size_t n = 0;
    for (std::string_view t : texts) cut[n++] = CutAtNul(t);
    Replace(Size(), 0, cut, n, true);
}

bool CDtbAttributes::SetAt(size_t i, std::string_view text) {
    const size_t pos = Offset(i);
    if (pos == std::string_view::npos) return false;
    const size_t nul = Packed().find('\0', pos);
    const std::string_view cut = CutAtNul(text);
    Replace(pos, nul - pos, &cut, 1, false);
    return true;
}

bool CDtbAttributes::RemoveAt(size_t i) {
    const size_t pos = Offset(i);
    if (pos == std::string_view::npos) return false;
    const size_t nul = Packed().find('\0', pos);
    Replace(pos, nul - pos + 1, nullptr, 0, false);
    return true;
}
