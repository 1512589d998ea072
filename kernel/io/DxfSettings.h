// DxfSettings: the keys of section "Dxf" of the system settings file that the DXF output uses.
#pragma once

#include <filesystem>
#include <string>

// How one class of elements is written: whether at all, its colour and line type, its layer.
struct DxfLayerStyle {
    int output = 1;      // non-zero: write this class
    int penNo = 0;       // colour number written: penNo + 1
    int lineTypeNo = 0;  // index into DxfLineTypeName
    std::string layer;   // layer name (bytes, CP932)
};

struct DxfSettings {
    DxfLayerStyle cut{1, 0, 0, "1"};       // Cut_*: cutting and punching (class bits 4 and 8)
    DxfLayerStyle mark{1, 2, 0, "1"};      // Mrk_*: marking (class bit 2)
    DxfLayerStyle rapid{1, 1, 2, "2"};     // FF_*: rapid traverse (class bit 1)
    int aprProc = 0;                       // Apr_Proc: run the approach and joint processing
    int aprMode = 0;                       // Apr_Mode: 0 delete approaches, else mark them
    double jointLen = 1.0;                 // Apr_JointLen
    double aprChkLen = 30.0;               // Apr_AprChkLen
    DxfLayerStyle approach{1, 5, 0, "1"};  // Apr_PenNo, Apr_LKindNo, Apr_LayerName
    DxfLayerStyle joint{1, 6, 0, "1"};     // Jnt_PenNo, Jnt_LKindNo, Jnt_LayerName

    // Reads section "Dxf" of the settings file; a missing file or key keeps the default.
    // Integers as the profile reader gives them (0 for text that is no number), texts cut to
    // 63 bytes without splitting a double-byte character. The cut, mark and rapid layer names
    // lose surrounding blanks and fall back to "1", "2" and "3" when empty; the approach and
    // joint layers are taken as read.
    void Read(const std::filesystem::path& iniPath);

    // Class bits written: 4 | 8 for cut output, 2 for mark output, 1 for rapid output.
    unsigned OutputMask() const;
};

// The line-type name of an index: 0 "CONTINUOUS", 1 "DASHDOT", 2 "DASHED", 3 "DIVIDE",
// 4 "DOT". Any other index (a hand-edited settings file) gives "CONTINUOUS".
const char* DxfLineTypeName(int index);

// The colour number written for a pen number: pen + 1. A pen outside 0 to 254 (a hand-edited
// settings file) would give a colour that is no DXF colour; it gives 7 (white/black).
int DxfColourOfPen(int penNo);
