// CDtbElement: what every element of the element tree carries (type, links, texts, options).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "kernel/db/CDtbAttributes.h"
#include "kernel/db/CDtbLink.h"
#include "kernel/db/DtbPool.h"

// Type codes, set by the constructors and always in step with the concrete class. The kernel's
// walkers tell the classes apart by this code (see DtbCast below).
inline constexpr int kDtbTypeElement = 0;
inline constexpr int kDtbTypeLine = 1;
inline constexpr int kDtbTypeArc = 2;
inline constexpr int kDtbTypePoint = 4;
inline constexpr int kDtbTypeNode = 0x1000;

// Base of lines, arcs, points and groups. Elements live on the heap and belong to the element
// database (CDtbEngine) that links them; an element owns neither its neighbours nor, for a
// group, its children.
//
// The classes have no virtual functions: the type code tells them apart, and deleting through
// a pointer to the base (delete, unique_ptr<CDtbElement>) destroys the element as its own class
// (a destroying operator delete). Their memory comes from the element pool (DtbPool.h): a
// million elements cost neither a vtable pointer nor an allocator header each.
//
// Copies (the copy constructors of the element classes) take the text, the attribute texts,
// noDisplay and the options, and start unlinked: a copy never shares neighbours or children
// with its source. Assignment (operator= of the element classes) takes the text, noDisplay and
// the options but neither the attribute texts nor the links: each element keeps its own place
// in its tree.
//
// The element's own fields are 4-byte values and handles (28 bytes, no pointer among them): a
// line or arc then fits 120 bytes.
class CDtbElement {
    // First, beside the links: the walkers read the type and the links of every element.
    int type_;
    // Handle (DtbPool.h) of the block of what few elements carry (see Extra below); 0 for none.
    uint32_t extra_ = 0;

public:
    CDtbElement() : CDtbElement(kDtbTypeElement) {}
    ~CDtbElement();

    // Heap elements come from the element pool; delete destroys the element as its class.
    static void* operator new(std::size_t size);
    static void operator delete(CDtbElement* e, std::destroying_delete_t);
    // Only for a constructor that throws: the memory of the element being made.
    static void operator delete(void* p, std::size_t size) noexcept;

    int GetType() const { return type_; }
    bool IsLine() const { return type_ == kDtbTypeLine; }
    bool IsArc() const { return type_ == kDtbTypeArc; }
    bool IsPoint() const { return type_ == kDtbTypePoint; }
    bool IsNode() const { return type_ == kDtbTypeNode; }
    // A line, arc or point: the kinds that carry CDtbInfo and geometry.
    bool IsDrawable() const {
        return type_ == kDtbTypeLine || type_ == kDtbTypeArc || type_ == kDtbTypePoint;
    }

    // Free text carried along by copies; empty unless someone sets it.
    std::string_view GetText() const {
        const Extra* extra = GetExtra();
        return extra ? std::string_view(extra->text) : std::string_view();
    }
    void SetText(std::string_view text);

    // Option codes (index 0..7) of the block that made the element and the option values
    // (0..3) stamped with them; 0 until set. An index out of range reads 0 and writes nothing.
    static constexpr int kOptionCount = 8;
    static constexpr int kOptionValueCount = 4;
    uint32_t GetOption(int i) const {
        const Extra* extra = GetExtra();
        return extra && i >= 0 && i < kOptionCount ? extra->option[i] : 0u;
    }
    void SetOption(int i, uint32_t code);
    double GetOptionValue(int i) const {
        const Extra* extra = GetExtra();
        return extra && i >= 0 && i < kOptionValueCount ? extra->optionValue[i] : 0.0;
    }
    void SetOptionValue(int i, double value);
    // All codes and values at once.
    void SetOptions(const uint32_t codes[kOptionCount], const double values[kOptionValueCount]);

    int noDisplay = 0;  // 1 hides the element from drawing and output
    CDtbLink link;
    CDtbAttributes attributes;

protected:
    explicit CDtbElement(int type) : type_(type) {}
    CDtbElement(const CDtbElement& source);
    // Takes text, noDisplay and options; keeps own links and attribute texts.
    CDtbElement& operator=(const CDtbElement& source);

private:
    // What few elements carry (options and free text) lives in a block of its own, allocated on
    // the first write: elements are made by the million and most never have either.
    struct Extra {
        uint32_t option[kOptionCount] = {};
        double optionValue[kOptionValueCount] = {};
        std::string text;
    };
    const Extra* GetExtra() const { return static_cast<const Extra*>(DtbAddressOf(extra_)); }
    Extra& MutableExtra();
    // Replaces the block by a copy of source (none for null).
    void CopyExtra(const Extra* source);
};

// The element as its concrete class T, or null when it is of another class (or null).
template <class T>
T* DtbCast(CDtbElement* e) {
    return e != nullptr && e->GetType() == T::kType ? static_cast<T*>(e) : nullptr;
}
template <class T>
const T* DtbCast(const CDtbElement* e) {
    return e != nullptr && e->GetType() == T::kType ? static_cast<const T*>(e) : nullptr;
}
