// Common part of the element classes.
#include "kernel/db/CDtbElement.h"

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"
#include "kernel/db/DtbPool.h"

#include <algorithm>
#include <cmath>

// The layout CDtbElement describes: a line or an arc with its links and handles in 120 bytes.
static_assert(sizeof(CDtbLine) <= 120 && sizeof(CDtbArc) <= 120);

namespace {

// +0.0 exactly: what an unset value reads (-0.0 must be stored to read back as such).
bool IsPlusZero(double v) {
    return v == 0.0 && !std::signbit(v);
}

}  // namespace

void* CDtbElement::operator new(std::size_t size) {
    return DtbPoolAllocate(size);
}

void CDtbElement::operator delete(void* p, std::size_t size) noexcept {
    DtbPoolFree(p, size);
}

namespace {

template <class T>
void Destroy(CDtbElement* e) {
    T* t = static_cast<T*>(e);
    t->~T();
    DtbPoolFree(t, sizeof(T));
}

}  // namespace

void CDtbElement::operator delete(CDtbElement* e, std::destroying_delete_t) {
    switch (e->type_) {
        case kDtbTypeLine:
            Destroy<CDtbLine>(e);
            break;
        case kDtbTypeArc:
            Destroy<CDtbArc>(e);
            break;
        case kDtbTypePoint:
            Destroy<CDtbPoint>(e);
            break;
        case kDtbTypeNode:
            Destroy<CDtbNode>(e);
            break;
        default:
            Destroy<CDtbElement>(e);
            break;
    }
}

CDtbElement::~CDtbElement() {
    CopyExtra(nullptr);
    DtbReleaseHandle(this);
}

CDtbElement::Extra& CDtbElement::MutableExtra() {
    if (extra_ == 0) {
        static const Extra kNone;
        CopyExtra(&kNone);
    }
    return *static_cast<Extra*>(DtbAddressOf(extra_));
}

void CDtbElement::CopyExtra(const Extra* source) {
    uint32_t handle = 0;
    if (source != nullptr) {
        void* memory = DtbPoolAllocate(sizeof(Extra));
        try {
            handle = DtbHandleOf(memory);
            new (memory) Extra(*source);
        } catch (...) {
            DtbReleaseHandle(memory);
            DtbPoolFree(memory, sizeof(Extra));
            throw;
        }
    }
    if (extra_ != 0) {
        Extra* old = static_cast<Extra*>(DtbAddressOf(extra_));
        old->~Extra();
        DtbReleaseHandle(old);
        DtbPoolFree(old, sizeof(Extra));
    }
    extra_ = handle;
}

void CDtbElement::SetText(std::string_view text) {
    if (!text.empty()) {
        MutableExtra().text.assign(text);
    } else if (extra_) {
        MutableExtra().text = std::string();  // hands the storage back
    }
}

// Writing 0 where nothing is stored changes nothing: unset options already read 0.
void CDtbElement::SetOption(int i, uint32_t code) {
    if (i < 0 || i >= kOptionCount || (code == 0 && !extra_)) return;
    MutableExtra().option[i] = code;
}

void CDtbElement::SetOptionValue(int i, double value) {
    if (i < 0 || i >= kOptionValueCount || (IsPlusZero(value) && !extra_)) return;
    MutableExtra().optionValue[i] = value;
}

void CDtbElement::SetOptions(const uint32_t codes[kOptionCount],
                             const double values[kOptionValueCount]) {
    if (!extra_ && std::all_of(codes, codes + kOptionCount, [](uint32_t c) { return c == 0; }) &&
        std::all_of(values, values + kOptionValueCount, IsPlusZero))
        return;
    Extra& extra = MutableExtra();
    std::copy(codes, codes + kOptionCount, extra.option);
    std::copy(values, values + kOptionValueCount, extra.optionValue);
}

CDtbElement::CDtbElement(const CDtbElement& source)
    : type_(source.type_), noDisplay(source.noDisplay), attributes(source.attributes) {
    CopyExtra(source.GetExtra());
}

CDtbElement& CDtbElement::operator=(const CDtbElement& source) {
    if (this == &source) return *this;
    type_ = source.type_;
    noDisplay = source.noDisplay;
    if (const Extra* extra = source.GetExtra(); extra != nullptr && extra_ != 0) {
        MutableExtra() = *extra;
    } else {
        CopyExtra(extra);
    }
    return *this;
}
