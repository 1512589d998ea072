// Reading and caching the figure files of special dies.
#include "nc/read/punch/PunchFigureCache.h"

#include <algorithm>

#include "kernel/io/DrawingFileRead.h"
#include "nc/NcAppContext.h"
#include "platform/Profile.h"

namespace {

// The settings file holds the folder in a buffer of 256 characters.
constexpr size_t kFolderMax = 255;

std::string Slashes(std::string_view text) {
    std::string s(text);
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

}  // namespace

PunchFigureCache::Stamp PunchFigureCache::StampOf(const std::filesystem::path& file) {
    Stamp s;
    std::error_code ec;
    s.time = std::filesystem::last_write_time(file, ec);
    if (ec) return {};
    s.size = std::filesystem::file_size(file, ec);
    if (ec) return {};
    s.exists = true;
    return s;
}

std::string PunchFigureCache::FigureFolder(const NcAppContext* app) {
    std::string folder = "TOOL\\";
    if (app != nullptr && !app->IniPath.empty()) {
        folder =
            platform::GetProfileString("NcRead", "PunchTool_SpcialFolder", folder, app->IniPath);
    }
    if (folder.size() > kFolderMax) folder.resize(kFolderMax);
    // Separators first: the placeholder is expanded in the folder part, found at the last '/'.
    folder = Slashes(folder);
    if (app != nullptr) app->ExpandLocalAppPath(folder);
    // A folder stored without its closing separator would otherwise be glued to the file name.
    if (!folder.empty() && folder.back() != '/') folder += '/';
    if (app != nullptr && !folder.empty()) folder = app->MakeConfigPath(folder).string();
    return folder;
}

std::filesystem::path PunchFigureCache::FigurePath(const NcAppContext* app,
                                                   std::string_view shapeFile) {
    const std::filesystem::path ini = app != nullptr ? app->IniPath : std::filesystem::path();
    const Stamp iniStamp = ini.empty() ? Stamp{} : StampOf(ini);
    if (!folderKnown_ || ini != iniPath_ || !(iniStamp == iniStamp_)) {
        folder_ = FigureFolder(app);
        iniPath_ = ini;
        iniStamp_ = iniStamp;
        folderKnown_ = true;
    }
    return std::filesystem::path(folder_ + Slashes(shapeFile));
}

const CDtbEngine* PunchFigureCache::Figure(const NcAppContext* app, std::string_view shapeFile) {
    const std::filesystem::path file = FigurePath(app, shapeFile);
    const Stamp stamp = StampOf(file);
    std::unique_ptr<Entry>& entry = figures_[file.string()];
    if (!entry || !(entry->stamp == stamp)) {
        entry = std::make_unique<Entry>();
        entry->stamp = stamp;
        entry->readable = stamp.exists && FileRead(entry->elements, file) >= 0;
        if (!entry->readable) entry->elements.Empty();
    }
    return entry->readable ? &entry->elements : nullptr;
}
