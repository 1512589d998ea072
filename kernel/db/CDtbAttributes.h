// CDtbAttributes: the attribute texts of an element ("LineNo=", "PrtNo=", "ElmInfo=", ...).
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

// The texts are packed into one string, each one ended by a NUL byte, so that an element with
// its usual two or three texts costs one allocation instead of a vector and a string per text.
// A text is cut at its first NUL byte, as a C string would be. Lookups are linear; elements
// carry a handful of texts.
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
        Iterator(const std::string* s, size_t pos) : s_(s), pos_(pos) {}
        const std::string* s_ = nullptr;
        size_t pos_ = 0;
    };

    Iterator begin() const { return Iterator(&packed_, 0); }
    Iterator end() const { return Iterator(&packed_, packed_.size()); }

    bool IsEmpty() const { return packed_.empty(); }
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
    void RemoveAll() { packed_.clear(); }

    // The packed bytes: every text followed by a NUL.
    const std::string& Packed() const { return packed_; }

    bool operator==(const CDtbAttributes&) const = default;

private:
    // Start offset of text i, or npos.
    size_t Offset(size_t i) const;
    std::string packed_;
};
