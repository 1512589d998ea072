// CDtbArchive: a small byte stream that stores and loads element objects by their class record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbElement.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"

// The serialisable element classes: name, type code, schema and factory of a default object.
struct DtbClassRecord {
    const char* name;
    int type;
    uint16_t schema;
    std::unique_ptr<CDtbElement> (*create)();
};
inline constexpr uint16_t kDtbSchema = 1;
// The record of a class by type code or by name; null when unknown.
const DtbClassRecord* FindDtbClass(int type);
const DtbClassRecord* FindDtbClass(std::string_view name);

// Stream of object records, written explicitly byte by byte in little-endian order:
//   null object:            u16 0x0000
//   first object of a class: u16 0xFFFF, u16 schema, u16 name length, the name's bytes
//                            (the class takes the next class index, counting from 1)
//   later objects of it:    u16 0x8000 | class index
// An element stores nothing beyond its class record: reading one back gives a default object
// of that class (the element classes keep no archived state).
//
// Reading never throws: a short stream, an unknown tag, class or schema, or an object of
// another class than the one asked for sets the stream's failure state, and nothing more is read.
class CDtbArchive {
public:
    // A storing archive writing into its own buffer.
    CDtbArchive() : storing_(true) {}
    // A loading archive reading the given bytes (which must outlive it).
    explicit CDtbArchive(std::string_view bytes) : storing_(false), in_(bytes) {}

    bool IsStoring() const { return storing_; }
    bool IsLoading() const { return !storing_; }
    bool IsOk() const { return ok_; }
    // The bytes written so far.
    const std::string& GetBuffer() const { return out_; }
    // Bytes not yet read.
    size_t GetRemaining() const { return in_.size() - pos_; }

    void WriteUInt16(uint16_t v);
    void WriteUInt32(uint32_t v);
    void WriteBytes(const void* bytes, size_t length);
    bool ReadUInt16(uint16_t& v);
    bool ReadUInt32(uint32_t& v);
    bool ReadBytes(void* bytes, size_t length);

    // Writes the object record of e (the null tag for a null e, nothing for an unknown class:
    // false).
    bool WriteObject(const CDtbElement* e);
    // Reads one object record: a default object of its class, or null for a stored null object
    // and on failure (IsOk tells them apart).
    std::unique_ptr<CDtbElement> ReadObject();
    // Reads one object that must be of class T (or null); another class is a failure.
    template <class T>
    std::unique_ptr<T> ReadObjectOf() {
        std::unique_ptr<CDtbElement> e = ReadObject();
        if (e == nullptr) return nullptr;
        if (e->GetType() != T::kType) {
            ok_ = false;
            return nullptr;
        }
        return std::unique_ptr<T>(static_cast<T*>(e.release()));
    }

private:
    bool Fail() {
        ok_ = false;
        return false;
    }

    bool storing_;
    bool ok_ = true;
    std::string out_;
    std::string_view in_;
    size_t pos_ = 0;
    std::vector<int> classTypes_;  // type code per class index - 1, in order of first store
};

inline CDtbArchive& operator<<(CDtbArchive& ar, const CDtbElement* e) {
    ar.WriteObject(e);
    return ar;
}

template <class T>
CDtbArchive& operator>>(CDtbArchive& ar, std::unique_ptr<T>& e) {
    if constexpr (std::is_same_v<T, CDtbElement>) {
        e = ar.ReadObject();
    } else {
        e = ar.ReadObjectOf<T>();
    }
    return ar;
}
