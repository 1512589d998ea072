// ElemViewContext: what an element view reads from the application, the document and the frame.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "kernel/base/CxyzData.h"

class CDtbEngine;
class CNcReadInfo;
class CPunchTool;
namespace platform {
class Library;
}

// Filled by the application and kept current by it; all views of the frame may share one.
// Pointers may be null: a missing document draws nothing, missing machine settings draw no
// sheet, missing die data builds no danger zones.
struct ElemViewContext {
    std::filesystem::path IniPath;                    // system settings file ([NcElemView] ...)
    const CDtbEngine* Elements = nullptr;             // the document's elements
    const CDtbEngine* SkipLogElements = nullptr;      // the document's skip-log route
    CxyzData SkipLogStart;                            // the document's skip-log start point
    int PickPos[2] = {-1, -1};                        // the document's picked PrtNo and LineNo
    const std::vector<std::string>* Lines = nullptr;  // the document's NC lines (the tip's text)
    const CNcReadInfo* Machine = nullptr;             // machine settings (head type, sheet, clamps)
    const CPunchTool* PunchTool = nullptr;            // die data (danger zones of the stations)
    int ProcessMode = 0;                              // the application's process mode
    int EditMode = 0;                                 // 1 while the NC pane is the editor
    int AppMachineType = 0;  // 1: the tips show the NC list's ORIGINSFT line numbers
    // The outside library of the NC line list (loaded by it; null or not open when absent).
    platform::Library* DerOre = nullptr;
    // True while the NC pane is being switched between list and editor.
    std::function<bool()> PaneSwitching;
    // The NC line list's block search: for mode and a 0-based line, the block's first and last
    // line and its sequence number. False when the block cannot be found.
    std::function<bool(int mode, int line, int* startLine, int* endLine, int* seq)> FindBlockRange;
    // The NC list's line number of a 0-based line (its number column; 0 when blank).
    std::function<int(int line)> LineNumberOfRow;
};
