// Common part of the element classes.
#include "kernel/db/CDtbElement.h"

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"
#include "kernel/db/DtbPool.h"

#include <algorithm>
#include <cmath>

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

CDtbElement::Extra& CDtbElement::MutableExtra() {
    if (!extra_) extra_ = std::make_unique<Extra>();
    return *extra_;
}

void CDtbElement::SetText(std::string_view text) {
    if (!text.empty()) {
        MutableExtra().text.assign(text);
    } else if (extra_) {
        extra_->text = std::string();  // hands the storage back
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
    if (source.extra_) extra_ = std::make_unique<Extra>(*source.extra_);
}

CDtbElement& CDtbElement::operator=(const CDtbElement& source) {
    if (this == &source) return *this;
    type_ = source.type_;
    noDisplay = source.noDisplay;
    if (!source.extra_) {
        extra_.reset();
    } else if (extra_) {
        *extra_ = *source.extra_;
    } else {
        extra_ = std::make_unique<Extra>(*source.extra_);
    }
    return *this;
}
