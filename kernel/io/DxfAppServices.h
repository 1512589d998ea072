// DxfAppServices: what the DXF output takes from the application (folders, settings, prompts).
#pragma once

#include <filesystem>
#include <string>

namespace platform {
class UserPrompt;
}

// Filled by the application before an output; the kernel reaches nothing else of it.
struct DxfAppServices {
    // The program folder, where the header template "MVDXF.HED" is shipped.
    std::filesystem::path ProgramFolder;
    // The system settings file; the output reads its section "Dxf".
    std::filesystem::path IniPath;
    // The NC name written for "{NC_NAME}": the title of the NC document being written.
    std::string NcName;
    // The save dialog and the message boxes. Null: no dialog (an output that would ask for a
    // file name is cancelled) and no messages (the result codes still tell what happened).
    platform::UserPrompt* Prompt = nullptr;
};
