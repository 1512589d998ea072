// Restart with glibc's huge-page tunable, the environment given back afterwards.
#include "platform/HugePageHeap.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/SanitizedBuild.h"

namespace platform {

namespace {

constexpr char kTunables[] = "GLIBC_TUNABLES";
constexpr char kHugeTlb[] = "glibc.malloc.hugetlb";
// Set only across the restart: "-" when the user had no GLIBC_TUNABLES, else "=" and theirs.
constexpr char kSaved[] = "MORVALEN_SAVED_TUNABLES";

// Valgrind follows no exec by default: the restarted program would run without it (and its
// allocator ignores the tunable anyway).
bool UnderValgrind() {
    const char* preload = std::getenv("LD_PRELOAD");
    return preload != nullptr && std::strstr(preload, "vgpreload") != nullptr;
}

// "always" needs no advice and "never" ignores it.
bool HugePagesOnAdvice() {
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string setting;
    std::getline(in, setting);
    return setting.find("[madvise]") != std::string::npos;
}

void RestoreTunables(const char* saved) {
    if (saved[0] == '=')
        setenv(kTunables, saved + 1, 1);
    else
        unsetenv(kTunables);
    unsetenv(kSaved);
}

}  // namespace

void UseHugePageHeap(char** argv) {
    if (const char* saved = std::getenv(kSaved)) {
        RestoreTunables(saved);
        return;
    }
    if (kSanitizedBuild || UnderValgrind() || argv == nullptr || argv[0] == nullptr) return;
    const char* tunables = std::getenv(kTunables);
    // The user's own choice of the tunable stands.
    if (tunables != nullptr && std::strstr(tunables, kHugeTlb) != nullptr) return;
    if (!HugePagesOnAdvice()) return;
    const std::string saved = tunables ? std::string("=") + tunables : std::string("-");
    std::string wanted = std::string(kHugeTlb) + "=1";
    if (tunables != nullptr && *tunables != '\0') wanted = std::string(tunables) + ":" + wanted;
    // The program's own file by its name, not /proc/self/exe: the process keeps its name in
    // ps, top and pkill.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return;
    setenv(kSaved, saved.c_str(), 1);
    setenv(kTunables, wanted.c_str(), 1);
    execv(self.c_str(), argv);
    // Not restarted: go on as we are.
    RestoreTunables(saved.c_str());
}

}  // namespace platform
