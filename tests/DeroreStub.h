// The stand-in of the outside skip-log library (tests/data/views/derore_stub.cpp) as tests set
// its answers: its own variables, looked up by name. The library stays loaded for the whole
// test program, so every test sets all of them.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>

#include "platform/Library.h"

namespace test {

// The folder the build puts the stand-in in.
inline std::filesystem::path DeroreStubFolder() {
    return std::filesystem::path(MORVALEN_BINARY_DIR) / "stubs/derore";
}

// Writes value's bytes at offset at (the test machines are little-endian, as the record).
template <class T>
void PutBytes(unsigned char* record, size_t at, T value) {
    std::memcpy(record + at, &value, sizeof(T));
}

class DeroreStub {
public:
    DeroreStub() { lib_.Open(DeroreStubFolder(), "derore.dll"); }
    bool Open() const { return lib_.IsOpen(); }
    int& InitResult() { return *static_cast<int*>(lib_.Symbol("InitResult")); }
    int& SkipLogResult() { return *static_cast<int*>(lib_.Symbol("SkipLogResult")); }
    int& LastSeq() { return *static_cast<int*>(lib_.Symbol("LastSeq")); }
    unsigned char* Record() { return static_cast<unsigned char*>(lib_.Symbol("SkipLogBytes")); }
    // Every answer back to success.
    void Reset() {
        InitResult() = 0;
        SkipLogResult() = 0;
    }
    // The record GetSkipLog gives, every byte the program must not read set to 0xEE.
    void SetRecord(int32_t mainProgram, int32_t subProgram, int32_t mainSequence,
                   int32_t subSequence, double x, double y) {
        unsigned char* r = Record();
        std::memset(r, 0xEE, 56);
        PutBytes(r, 4, mainProgram);
        PutBytes(r, 8, subProgram);
        PutBytes(r, 12, mainSequence);
        PutBytes(r, 16, subSequence);
        PutBytes(r, 40, x);
        PutBytes(r, 48, y);
    }

private:
    platform::Library lib_;
};

}  // namespace test
