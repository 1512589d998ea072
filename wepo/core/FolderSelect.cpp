// The selection rule of the folder tree.
#include "wepo/core/FolderSelect.h"

#include <filesystem>

namespace wepo {

namespace fs = std::filesystem;

FolderTarget FolderSelectTarget(const std::string& path) {
    if (path.empty()) return {};
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec) return {};
    std::string full = absolute.lexically_normal().string();
    bool trailing = path.back() == '/';
    while (full.size() > 1 && full.back() == '/') full.pop_back();
    if (trailing && fs::is_directory(full, ec)) return {full, false};
    // Walk down from the root while the next folder with its '/' still begins the path.
    std::string best = "/";
    std::string prefix = trailing ? full + "/" : full;
    for (size_t slash = prefix.find('/', 1); slash != std::string::npos;
         slash = prefix.find('/', slash + 1)) {
        std::string folder = prefix.substr(0, slash);
        if (!fs::is_directory(folder, ec)) break;
        best = folder;
    }
    return {best, true};
}

}  // namespace wepo
