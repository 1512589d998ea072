// Figure files of special, forming and stamping dies, read once per reading run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "kernel/db/CDtbEngine.h"

struct NcAppContext;

// The folder of the figure files comes from [NcRead] PunchTool_SpcialFolder of the system
// settings file (default "TOOL\"); a figure is the drawing file (binary drawing or DXF) in that
// folder named by the die's ShapeFile, with its origin at the die's centre.
//
// A punch program hits the same dies thousands of times, so the settings file and each figure
// are read once and read again only when their file changes on disk (its time or size).
class PunchFigureCache {
public:
    // The figure folder of the settings: stored backslashes become '/', "<LOCAL_APP_NAME>" is
    // expanded, a relative folder is taken in the configuration folder, and a '/' ends it.
    // app may be null (default folder, relative to the working folder).
    static std::string FigureFolder(const NcAppContext* app);
    // The figure file of shapeFile (backslashes become '/') in FigureFolder.
    std::filesystem::path FigurePath(const NcAppContext* app, std::string_view shapeFile);
    // The figure's elements as read from the file, or null when the file is missing or cannot
    // be read. The engine stays valid until the next call.
    const CDtbEngine* Figure(const NcAppContext* app, std::string_view shapeFile);

private:
    struct Stamp {
        std::filesystem::file_time_type time{};
        std::uintmax_t size = 0;
        bool exists = false;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const std::filesystem::path& file);

    struct Entry {
        Stamp stamp;
        bool readable = false;
        CDtbEngine elements;
    };
    std::filesystem::path iniPath_;
    Stamp iniStamp_;
    bool folderKnown_ = false;
    std::string folder_;
    std::map<std::string, std::unique_ptr<Entry>> figures_;
};
