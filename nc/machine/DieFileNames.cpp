// The rule that turns [Punch] names into die files and files back into names.
#include "nc/machine/DieFileNames.h"

#include <system_error>

namespace fs = std::filesystem;

namespace diefile {

fs::path ResolveName(std::string_view name, const fs::path& configFolder,
                     const fs::path& machineFile) {
    if (name.empty()) return {};
    const fs::path given(name);
    if (given.is_absolute()) return given;
    const fs::path inConfig = configFolder / given;
    std::error_code ec;
    if (machineFile.empty() || fs::exists(inConfig, ec)) return inConfig;
    const fs::path machine = machineFile.is_absolute() ? machineFile : configFolder / machineFile;
    const fs::path beside = machine.parent_path() / given;
    return fs::exists(beside, ec) ? beside : inConfig;
}

std::string StoredName(const fs::path& file, std::string_view previous,
                       const fs::path& configFolder, const fs::path& machineFile) {
    if (file.empty()) return {};
    if (!previous.empty() && SameFile(ResolveName(previous, configFolder, machineFile), file))
        return std::string(previous);
    return file.string();
}

bool SameFile(const fs::path& a, const fs::path& b) {
    if (a.lexically_normal() == b.lexically_normal()) return true;
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace diefile
