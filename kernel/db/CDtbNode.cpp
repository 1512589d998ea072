// Group elements.
#include "kernel/db/CDtbNode.h"

#include <algorithm>
#include <cstring>

#include "kernel/db/DtbWalk.h"

namespace {

std::string NameFrom(const char* bytes, size_t length) {
    if (bytes == nullptr) return {};
    const void* nul = std::memchr(bytes, '\0', length);
    return std::string(bytes, nul ? static_cast<const char*>(nul) - bytes : length);
}

}  // namespace

CDtbNode::CDtbNode(std::string_view owner, std::string_view kind, std::string_view dataText)
    : CDtbElement(kType), ownerName(owner), kindName(kind) {
    // The text and its NUL must fit the block: 2,047 characters at most.
    const size_t n = std::min(dataText.size(), kDataSize - 1);
    char* block = GetMutableData();
    std::memcpy(block, dataText.data(), n);
    block[n] = '\0';
}

CDtbNode::CDtbNode(const char* owner, size_t ownerLen, const char* kind, size_t kindLen,
                   const void* data, size_t dataLen)
    : CDtbElement(kType), ownerName(NameFrom(owner, ownerLen)), kindName(NameFrom(kind, kindLen)) {
    if (data != nullptr && dataLen != 0) SetData(data, dataLen);
}

CDtbNode::CDtbNode(const CDtbNode& source)
    : CDtbElement(source), ownerName(source.ownerName), kindName(source.kindName) {
    if (source.data_) data_ = std::make_unique<DataBlock>(*source.data_);
}

CDtbNode& CDtbNode::operator=(const CDtbNode& source) {
    if (this == &source) return *this;
    CDtbElement::operator=(source);
    ownerName = source.ownerName;
    kindName = source.kindName;
    if (source.data_) {
        GetMutableData();
        *data_ = *source.data_;
    } else {
        data_.reset();
    }
    return *this;
}

const char* CDtbNode::GetData() const {
    static const DataBlock kZeros{};
    return data_ ? data_->data() : kZeros.data();
}

char* CDtbNode::GetMutableData() {
    if (!data_) data_ = std::make_unique<DataBlock>();  // value-initialised: zeros
    return data_->data();
}

size_t CDtbNode::SetData(const void* bytes, size_t length) {
    if (bytes == nullptr) return 0;
    const size_t n = std::min(length, kDataSize);
    std::memcpy(GetMutableData(), bytes, n);
    return n;
}

int CDtbNode::MinMax(CxyData* min, CxyData* max) const {
    return DtbChainMinMax(firstChild, min, max);
}

int CDtbNode::MinMax(CxyzData* min, CxyzData* max) const {
    return DtbChainMinMax(firstChild, min, max);
}

CDtbElement* CDtbNode::GetLastChild() const {
    CDtbElement* e = firstChild;
    if (e == nullptr) return nullptr;
    while (e->link.next != nullptr) e = e->link.next;
    return e;
}
