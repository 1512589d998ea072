// Tests of the restart with a huge-page heap: the environment the program ends up with.
#include "platform/HugePageHeap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "EnvVar.h"

namespace {

constexpr char kSaved[] = "MORVALEN_SAVED_TUNABLES";

std::optional<std::string> Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::optional<std::string>(v) : std::nullopt;
}

char* const* Argv() {
    static char name[] = "morvalen";
    static char* argv[] = {name, nullptr};
    return argv;
}

}  // namespace

// After the restart the user's environment is back: their own tunables, or none.
TEST(HugePageHeapTest, TheRestartedProgramGetsTheUsersTunablesBack) {
    struct Case {
        const char* saved;
        std::optional<std::string> expected;
    };
    for (const Case& c :
         {Case{"-", std::nullopt}, Case{"=glibc.malloc.arena_max=2", "glibc.malloc.arena_max=2"},
          Case{"=", ""}}) {
        SCOPED_TRACE(c.saved);
        test::EnvVar tunables("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1");
        test::EnvVar saved(kSaved, c.saved);
        platform::UseHugePageHeap(const_cast<char**>(Argv()));
        EXPECT_EQ(Env("GLIBC_TUNABLES"), c.expected);
        EXPECT_FALSE(Env(kSaved));
    }
}

// A user who set the tunable (to 0 to keep small pages) is left alone: no restart (this test
// would start over), nothing changed.
TEST(HugePageHeapTest, TheUsersOwnChoiceStands) {
    test::EnvVar tunables("GLIBC_TUNABLES", "glibc.malloc.hugetlb=0");
    test::EnvVar saved(kSaved, nullptr);
    platform::UseHugePageHeap(const_cast<char**>(Argv()));
    EXPECT_EQ(Env("GLIBC_TUNABLES"), "glibc.malloc.hugetlb=0");
    EXPECT_FALSE(Env(kSaved));
}
