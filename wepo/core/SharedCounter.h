// A 32-bit counter in POSIX shared memory, seen and changed atomically by every process.
#pragma once

#include <cstdint>
#include <string>

namespace wepo {

class SharedCounter {
public:
    // Opens (or creates, at 0) the shared-memory object of that name ("/name"). A counter that
    // cannot be opened reads 0 and ignores changes.
    explicit SharedCounter(std::string name);
    ~SharedCounter();
    SharedCounter(const SharedCounter&) = delete;
    SharedCounter& operator=(const SharedCounter&) = delete;

    bool IsOpen() const { return value_ != nullptr; }
    int32_t Get() const;
    int32_t Increment();  // the new value
    int32_t Decrement();
    // Removes the name (the memory stays while a process has it mapped).
    static void Unlink(const std::string& name);

private:
    int32_t* value_ = nullptr;
};

// The library's instance counter: one object per user, named after the user id. It lives until
// the machine restarts (Linux keeps shared memory after its last user detaches).
int32_t GetInstanceCount();
int IncrementInstanceCount();
int DecrementInstanceCount();

}  // namespace wepo
