// CDtbAttributes: the attribute texts of an element ("LineNo=", "PrtNo=", "ElmInfo=", ...).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string_view>

#include "kernel/db/DtbPool.h"

// The texts are packed into one block of the element pool, each ended by a NUL byte: an
// element costs a 4-byte handle when it has no texts and one allocation for all of them, not a
// vector and a string per text (elements are made by the million). A text is cut at its first NUL
// byte, as a C string would be. Lookups are linear; elements carry a handful of texts.
class CDtbAttributes {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        Iterator() = default;
        std::string_view operator*() const;
        Iterator& operator++();
        Iterator operator++(int) {
            Iterator t = *this;
            ++*this;
            return t;
        }
        bool operator==(const Iterator& o) const { return pos_ == o.pos_; }

    private:
        friend class CDtbAttributes;
        Iterator(std::string_view packed, size_t pos) : packed_(packed), pos_(pos) {}
        std::string_view packed_;
        size_t pos_ = 0;
    };

    CDtbAttributes() = default;
    CDtbAttributes(const CDtbAttributes& other);
    CDtbAttributes(CDtbAttributes&& other) noexcept : block_(other.block_) { other.block_ = 0; }
    CDtbAttributes& operator=(const CDtbAttributes& other);
    CDtbAttributes& operator=(CDtbAttributes&& other) noexcept;
    ~CDtbAttributes();

    Iterator begin() const { return Iterator(Packed(), 0); }
    Iterator end() const { return Iterator(Packed(), Packed().size()); }

    bool IsEmpty() const { return Size() == 0; }
    size_t GetCount() const;
    // The text at index i; empty when i is out of range.
    std::string_view GetAt(size_t i) const;
    // Index of the first text that starts with prefix, or -1.
    int FindPrefix(std::string_view prefix) const;

    void Add(std::string_view text);
    // Appends several texts with one allocation at most (each cut at its first NUL).
    void Add(std::initializer_list<std::string_view> texts);
    // Replaces the text at index i; false when i is out of range.
    bool SetAt(size_t i, std::string_view text);
    // Removes the text at index i; false when i is out of range.
    bool RemoveAt(size_t i);
    void RemoveAll();

    // The packed bytes: every text followed by a NUL.
    std::string_view Packed() const {
        const char* block = Block();
        if (block == nullptr) return {};
        const uint32_t size = SizeIn(block);
        return std::string_view(block + HeaderBytes(size), size);
    }

    bool operator==(const CDtbAttributes& o) const { return Packed() == o.Packed(); }

private:
    // Block layout: the size of the texts, then the texts. A size below 255 is one byte; a
    // larger one is the byte 255 and 4 bytes. The block's own size is not stored: it is
    // BlockBytes(size), whatever the texts' history.
    static constexpr uint8_t kLongSize = 255;
    static constexpr size_t HeaderBytes(size_t size) { return size < kLongSize ? 1 : 5; }
    // Blocks come from the element pool in 8-byte steps (DtbPool.h); beyond the pool's sizes
    // they grow in steps of 1/32 to 1/16 of their size, so that a long run of Adds copies the
    // texts a bounded number of times.
    static constexpr size_t kStep = 8;
    static constexpr size_t kPoolMax = 512;
    static constexpr size_t BlockBytes(size_t size) {
        const size_t chunk = HeaderBytes(size) + size;
        const size_t step = chunk <= kPoolMax ? kStep : std::bit_floor(chunk) / 16;
        return (chunk + step - 1) / step * step;
    }
    char* Block() const { return static_cast<char*>(DtbAddressOf(block_)); }
    static uint32_t SizeIn(const char* block) {
        if (static_cast<uint8_t>(block[0]) != kLongSize) return static_cast<uint8_t>(block[0]);
        uint32_t v = 0;
        std::memcpy(&v, block + 1, 4);
        return v;
    }
    uint32_t Size() const {
        const char* block = Block();
        return block != nullptr ? SizeIn(block) : 0;
    }
    // The block for texts of `size` bytes with its header written, and its handle; null and 0
    // for 0 bytes.
    static char* NewBlock(size_t size, uint32_t& handle);
    static void FreeBlock(char* block, size_t size);
    // Writes the header of texts of `size` bytes (the header's own size must not change).
    static void WriteSize(char* block, size_t size);
    // Start offset of text i, or npos.
    size_t Offset(size_t i) const;
    // Replaces the bytes [pos, pos + count) by the n texts, each followed by a NUL when nuls is
    // set. The texts may lie in this object's own block.
    void Replace(size_t pos, size_t count, const std::string_view* texts, size_t n, bool nuls);

    // Handle (DtbPool.h) of the block; 0 for none. Half a pointer: every element has one.
    uint32_t block_ = 0;
};
