// DtbRef: a reference to an element kept as a 32-bit handle, used like a T*.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kernel/db/DtbPool.h"

// Reads as a T* (conversion, ->), takes a T* or nullptr; copies copy the handle. Elements link
// to each other by millions, and half the size of a pointer counts there (DtbPool.h). The
// conversion from T* is explicit, so that `c ? ref : pointer` is a pointer.
template <class T>
class DtbRef {
public:
    DtbRef() = default;
    DtbRef(std::nullptr_t) {}
    explicit DtbRef(T* p) : handle_(DtbHandleOf(p)) {}
    DtbRef& operator=(T* p) {
        handle_ = DtbHandleOf(p);
        return *this;
    }

    operator T*() const { return static_cast<T*>(DtbAddressOf(handle_)); }
    T* operator->() const { return *this; }

private:
    uint32_t handle_ = 0;
};
