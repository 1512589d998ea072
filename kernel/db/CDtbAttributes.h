// CDtbAttributes: the attribute texts of an element ("LineNo=", "PrtNo=", "ElmInfo=", ...).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string_view>

// The texts are packed into one heap block, each ended by a NUL byte: an element costs one
// pointer when it has no texts and one allocation for all of them, not a vector and a string
// per text (elements are made by the million). A text is cut at its first NUL byte, as a C
// string would be. Lookups are linear; elements carry a handful of texts.
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
    CDtbAttributes(CDtbAttributes&& other) noexcept : block_(other.block_) {
        other.block_ = nullptr;
    }
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
        return block_ ? std::string_view(block_ + kHeader, Size()) : std::string_view();
    }

    bool operator==(const CDtbAttributes& o) const { return Packed() == o.Packed(); }

private:
    // Block layout: uint32 size, then the texts. The room behind them is not stored: it is
    // RoomFor(size), and the block is always at least that large.
    static constexpr size_t kHeader = 4;
    // Blocks come from the element pool in 8-byte steps (DtbPool.h): a block of 8k bytes
    // uses its slot fully.
    static constexpr size_t kStep = 8;
    static constexpr size_t kPoolMax = 512;
    // The room for `size` bytes of texts: the block is rounded up to the pool's next step, and
    // beyond the pool's sizes to steps of 1/32 to 1/16 of its size, so that a long run of Adds
    // copies the texts a bounded number of times. The result depends on the size alone and
    // RoomFor(RoomFor(n)) == RoomFor(n): a block that was large enough stays so while its texts
    // shrink or grow within the room.
    static constexpr size_t RoomFor(size_t size) {
        const size_t chunk = size + kHeader;
        const size_t step = chunk <= kPoolMax ? kStep : std::bit_floor(chunk) / 16;
        return (chunk + step - 1) / step * step - kHeader;
    }
    static char* AllocateBlock(size_t bytes);
    static void FreeBlock(char* block, size_t bytes);
    uint32_t Size() const {
        uint32_t v = 0;
        if (block_ != nullptr) std::memcpy(&v, block_, 4);
        return v;
    }
    void SetSize(uint32_t size) { std::memcpy(block_, &size, 4); }
    // Makes room for at least `needed` bytes, keeping the content.
    void Reserve(size_t needed);
    // Start offset of text i, or npos.
    size_t Offset(size_t i) const;
    // Whether text lies in this object's own block.
    bool Aliases(std::string_view text) const;
    // Replaces the bytes [pos, pos + count) by text.
    void Replace(size_t pos, size_t count, std::string_view text);

    char* block_ = nullptr;
};
