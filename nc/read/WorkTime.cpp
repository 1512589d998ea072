// The cutting time from the machine maker's optional work-time library.
#include <string>

#include "nc/NcAppContext.h"
#include "nc/read/CNcRead.h"
#include "platform/Library.h"
#include "platform/Profile.h"

namespace {

constexpr const char* kWorkTimeLibrary = "VEV2OVO.dll";  // libVEV2OVO.so on this system
constexpr const char* kWorkTimeFunction = "flGetWorkTime";
constexpr size_t kMaxFolderLength = 255;

// Result 0 means that *time holds the work (cutting) time.
using GetWorkTime = int (*)(int* time);

}  // namespace

int CNcRead::LoadWorkTime() {
    // The loader's own search path first (it never looks in the current folder), then the
    // folder the system settings name. A library that is already loaded is shared: each open
    // adds a reference and the close below drops only that one.
    platform::Library library;
    if (!library.Open({}, kWorkTimeLibrary)) {
        std::string folder;
        if (App && !App->IniPath.empty()) {
            folder = platform::GetProfileString("SPECIAL", "Selvane-Folder", "", App->IniPath);
            if (folder.size() > kMaxFolderLength) folder.resize(kMaxFolderLength);
        }
        if (folder.empty() || !library.Open(folder, kWorkTimeLibrary)) return 0;
    }
    const auto getWorkTime = library.Function<GetWorkTime>(kWorkTimeFunction);
    if (!getWorkTime) return 0;
    int time = 0;
    if (getWorkTime(&time) != 0) return 0;
    WorkTime = time;
    return 1;
}
