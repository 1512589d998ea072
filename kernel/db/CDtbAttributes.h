// CDtbAttributes: the attribute texts of an element ("LineNo=", "PrtNo=", "ElmInfo=", ...).
#pragma once

#include <cstddef>
#include <cstdint>
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
    // Block layout: uint32 size, uint32 capacity, then capacity bytes.
    static constexpr size_t kHeader = 8;
    uint32_t Size() const;
    uint32_t Capacity() const;
    void SetSize(uint32_t size);
    // Makes room for at least `needed` bytes (exactly that many when exact), keeping the content.
    void Reserve(size_t needed, bool exact = false);
    // Start offset of text i, or npos.
    size_t Offset(size_t i) const;
    // Whether text lies in this object's own block.
    bool Aliases(std::string_view text) const;
    // Replaces the bytes [pos, pos + count) by text.
    void Replace(size_t pos, size_t count, std::string_view text);

    char* block_ = nullptr;
};
