// CDtbNode: a group element holding a chain of elements, named by owner and kind.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "kernel/base/CxyData.h"
#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbElement.h"

// Owner name of every group the system makes, and the kinds in use.
inline constexpr std::string_view kDtbOwnerTessmark = "Tessmark";
inline constexpr std::string_view kDtbKindPunch = "Punch";
inline constexpr std::string_view kDtbKindPunch1 = "Punch1";
inline constexpr std::string_view kDtbKindPunch2 = "Punch2";
inline constexpr std::string_view kDtbKindDevideArc = "DevideArc";

// A group. Its chain starts at firstChild and belongs to the database, not to the node:
// destroying a node destroys none of its children.
//
// The data block is an opaque 2,048 bytes whose layout belongs to the maker and readers of the
// group kind (the punch information record of "Punch" groups). It is allocated only when a
// group is given data; until then it reads as zeros. Data given to the constructors is cut to
// the block: at most 2,048 bytes, or 2,047 characters and a NUL for the text form.
class CDtbNode : public CDtbElement {
public:
    static constexpr int kType = kDtbTypeNode;
    static constexpr size_t kDataSize = 2048;
    using DataBlock = std::array<char, kDataSize>;

    CDtbNode() : CDtbElement(kType) {}
    // Names copied; the text of dataText copied with a terminating NUL to the start of the block.
    CDtbNode(std::string_view owner, std::string_view kind, std::string_view dataText);
    // Each name taken as its given number of bytes and cut at its first NUL (a null pointer
    // gives an empty name); dataLen bytes of data copied to the start of the block when data is
    // not null and dataLen is not 0.
    CDtbNode(const char* owner, size_t ownerLen, const char* kind, size_t kindLen, const void* data,
             size_t dataLen);
    // A copy of names, data, text, attribute texts, noDisplay and options. It starts unlinked
    // and empty (firstChild null): a copy never shares the source's children.
    explicit CDtbNode(const CDtbNode* source) : CDtbNode(*source) {}
    CDtbNode(const CDtbNode& source);
    // Takes text, names, data, noDisplay and options; keeps own links, children and attribute
    // texts.
    CDtbNode& operator=(const CDtbNode& source);

    bool Is(std::string_view owner, std::string_view kind) const {
        return ownerName == owner && kindName == kind;
    }

    // The data block (zeros when none was given).
    const char* GetData() const;
    // The data block for writing (allocated on first use, zeroed).
    char* GetMutableData();
    bool HasData() const { return data_ != nullptr; }
    // Copies up to kDataSize bytes to the start of the block; returns the count copied.
    size_t SetData(const void* bytes, size_t length);

    // Widens the box by every line, arc and point of the chain, groups recursively: 1 when at
    // least one element was taken in, else 0.
    int MinMax(CxyData* min, CxyData* max) const;
    int MinMax(CxyzData* min, CxyzData* max) const;
    // The last element of the chain; null for an empty group.
    CDtbElement* GetLastChild() const;

    CDtbElement* firstChild = nullptr;
    std::string ownerName;
    std::string kindName;

private:
    std::unique_ptr<DataBlock> data_;
};
