// Object records of the element classes in a byte stream.
#include "kernel/db/CDtbArchive.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint16_t kNullTag = 0x0000;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr size_t kMaxClassIndex = 0x7FFE;

template <class T>
std::unique_ptr<CDtbElement> Make() {
    return std::make_unique<T>();
}

// A plain element is not abstract here; CDtbElement's default constructor is public.
const DtbClassRecord kClasses[] = {
    {"CDtbElement", kDtbTypeElement, kDtbSchema, &Make<CDtbElement>},
    {"CDtbLine", kDtbTypeLine, kDtbSchema, &Make<CDtbLine>},
    {"CDtbArc", kDtbTypeArc, kDtbSchema, &Make<CDtbArc>},
    {"CDtbPoint", kDtbTypePoint, kDtbSchema, &Make<CDtbPoint>},
    {"CDtbNode", kDtbTypeNode, kDtbSchema, &Make<CDtbNode>},
};

}  // namespace

const DtbClassRecord* FindDtbClass(int type) {
    for (const DtbClassRecord& c : kClasses)
        if (c.type == type) return &c;
    return nullptr;
}

const DtbClassRecord* FindDtbClass(std::string_view name) {
    for (const DtbClassRecord& c : kClasses)
        if (name == c.name) return &c;
    return nullptr;
}

void CDtbArchive::WriteUInt16(uint16_t v) {
    out_.push_back(static_cast<char>(v & 0xFF));
    out_.push_back(static_cast<char>(v >> 8));
}

void CDtbArchive::WriteUInt32(uint32_t v) {
    WriteUInt16(static_cast<uint16_t>(v & 0xFFFF));
    WriteUInt16(static_cast<uint16_t>(v >> 16));
}

void CDtbArchive::WriteBytes(const void* bytes, size_t length) {
    out_.append(static_cast<const char*>(bytes), length);
}

bool CDtbArchive::ReadBytes(void* bytes, size_t length) {
    if (!ok_ || length > GetRemaining()) return Fail();
    std::memcpy(bytes, in_.data() + pos_, length);
    pos_ += length;
    return true;
}

bool CDtbArchive::ReadUInt16(uint16_t& v) {
    unsigned char b[2];
    if (!ReadBytes(b, 2)) return false;
    v = static_cast<uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool CDtbArchive::ReadUInt32(uint32_t& v) {
    uint16_t lo = 0, hi = 0;
    if (!ReadUInt16(lo) || !ReadUInt16(hi)) return false;
    v = static_cast<uint32_t>(lo) | (static_cast<uint32_t>(hi) << 16);
    return true;
}

bool CDtbArchive::WriteObject(const CDtbElement* e) {
    if (e == nullptr) {
        WriteUInt16(kNullTag);
        return true;
    }
    const DtbClassRecord* cls = FindDtbClass(e->GetType());
    if (cls == nullptr) return false;
    const auto known = std::find(classTypes_.begin(), classTypes_.end(), cls->type);
    if (known != classTypes_.end()) {
        WriteUInt16(static_cast<uint16_t>(kClassTag | (known - classTypes_.begin() + 1)));
        return true;
    }
    if (classTypes_.size() >= kMaxClassIndex) return false;
    classTypes_.push_back(cls->type);
    const size_t nameLength = std::strlen(cls->name);
    WriteUInt16(kNewClassTag);
    WriteUInt16(cls->schema);
    WriteUInt16(static_cast<uint16_t>(nameLength));
    WriteBytes(cls->name, nameLength);
    return true;
}

std::unique_ptr<CDtbElement> CDtbArchive::ReadObject() {
    uint16_t tag = 0;
    if (!ReadUInt16(tag) || tag == kNullTag) return nullptr;
    const DtbClassRecord* cls = nullptr;
    if (tag == kNewClassTag) {
        uint16_t schema = 0, nameLength = 0;
        if (!ReadUInt16(schema) || !ReadUInt16(nameLength)) return nullptr;
        std::string name(nameLength, '\0');
        if (!ReadBytes(name.data(), nameLength)) return nullptr;
        cls = FindDtbClass(name);
        if (cls == nullptr || schema != cls->schema) {
            Fail();
            return nullptr;
        }
        classTypes_.push_back(cls->type);
    } else if ((tag & kClassTag) != 0) {
        const size_t index = tag & ~kClassTag;
        if (index == 0 || index > classTypes_.size()) {
            Fail();
            return nullptr;
        }
        cls = FindDtbClass(classTypes_[index - 1]);
    } else {
        Fail();  // object references are never written
        return nullptr;
    }
    return cls->create();
}
