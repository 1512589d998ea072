// Paths handed to outside programs.
#include "app/core/ExternalPrograms.h"

#include <filesystem>
#include <set>

#include "platform/Cp932.h"

namespace fs = std::filesystem;

std::string SheetFilePath(const std::string& ncPath, const std::string& ext) {
    const size_t slash = ncPath.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = ncPath.rfind('.');
    std::string sheet =
        dot != std::string::npos && dot > nameStart ? ncPath.substr(0, dot) : ncPath;
    if (!ext.empty()) sheet += "." + ext;
    return sheet;
}

std::string FindExtensionIgnoringCase(const std::string& path) {
    std::error_code ec;
    if (fs::is_regular_file(path, ec)) return path;
    const fs::path p(path);
    const std::string stem = p.stem().string();
    const std::string ext = p.extension().string();
    fs::path folder = p.parent_path();
    if (folder.empty()) folder = ".";
    std::set<std::string> matches;  // name order, whatever order the folder lists them in
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path name = it->path().filename();
        if (name.stem().string() == stem &&
            platform::EqualsNoCase(name.extension().string(), ext) && it->is_regular_file(ec))
            matches.insert(name.string());
    }
    if (matches.empty()) return path;
    return (p.parent_path() / *matches.begin()).string();
}

std::string FolderKeptAfterOutput(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(0, slash + 1);
}
