// The shared counter over shm_open and mmap, changed with atomic builtins.
#include "wepo/core/SharedCounter.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wepo {

SharedCounter::SharedCounter(std::string name) {
    int fd = ::shm_open(name.c_str(), O_RDWR | O_CREAT, 0600);
    if (fd < 0) return;
    // A new object is empty: make room for the value (a second ftruncate to the same size by
    // another process changes nothing; new memory reads as zero).
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size < static_cast<off_t>(sizeof(int32_t)))
        (void)::ftruncate(fd, sizeof(int32_t));
    void* map = ::mmap(nullptr, sizeof(int32_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    if (map != MAP_FAILED) value_ = static_cast<int32_t*>(map);
}

SharedCounter::~SharedCounter() {
    if (value_) ::munmap(value_, sizeof(int32_t));
}

int32_t SharedCounter::Get() const {
    return value_ ? __atomic_load_n(value_, __ATOMIC_SEQ_CST) : 0;
}
int32_t SharedCounter::Increment() {
    return value_ ? __atomic_add_fetch(value_, 1, __ATOMIC_SEQ_CST) : 0;
}
int32_t SharedCounter::Decrement() {
    return value_ ? __atomic_sub_fetch(value_, 1, __ATOMIC_SEQ_CST) : 0;
}
void SharedCounter::Unlink(const std::string& name) {
    ::shm_unlink(name.c_str());
}

namespace {
SharedCounter& LibraryCounter() {
    static SharedCounter counter("/morvalen-wepo-instances-" + std::to_string(::getuid()));
    return counter;
}
}  // namespace

int32_t GetInstanceCount() {
    return LibraryCounter().Get();
}
int IncrementInstanceCount() {
    LibraryCounter().Increment();
    return 1;
}
int DecrementInstanceCount() {
    LibraryCounter().Decrement();
    return 1;
}

}  // namespace wepo
