// The preview of a file by its kind: which parser reads it, and the version of Windows programs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "wepo/core/preview/PreviewTypes.h"

namespace wepo {

// Reads the file whole and parses it for its kind: 0 and 1 native drawings, 2 and 3 headers, 4
// DXF, 7 EXF, 21 text (its first bytes as text), 23 NC programs (nothing), 24 backups, 26
// scripts (the named drawing, the script's lines as text); other kinds give nothing. The text
// gets the preview text.
PreviewDrawing ParsePreviewFile(const std::string& path, int kind, int mode, PreviewText& text,
                                const PreviewLabels& labels, const PreviewRun& run);

// The drawing a script names: relative names are taken in the script's folder, '\' read as '/'.
std::string ResolveScriptName(const std::string& script, const std::string& name);

// The file version (high and low 32 bits) of the version resource of a Windows program or
// library held in bytes; nothing when it has none. Every offset is checked against the data.
struct FileVersion {
    uint32_t high = 0, low = 0;
};
std::optional<FileVersion> ReadFixedFileVersion(std::string_view bytes);
// "Version %d.%d.%d" of a version.
std::string VersionText(const FileVersion& v);

}  // namespace wepo
