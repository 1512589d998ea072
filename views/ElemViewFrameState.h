// ElemViewFrameState: what an element view's painting reads from the frame and the machine data.
#pragma once

#include <array>

#include "views/model/ElemViewSettings.h"

// One entry of the machine's pen table: colour, width in pixels, pen style (0 solid, 1 dash).
struct ElemPen {
    ViewRgb colour;
    int width = 1;
    int style = 0;
};

// Entries in the machine file's order: 0 FF (rapid), 1 Mark, 2 Cut, 3 In, 4 Out, 5 Punch.
enum ElemPenIndex : int { kPenFF = 0, kPenMark = 1, kPenCut = 2, kPenPunch = 5, kPenCount = 6 };

struct ElemViewPenTable {
    std::array<ElemPen, kPenCount> entries{};
    // Non-zero: mark and cut elements are drawn in their own (condition) colours.
    int drawShavColor = 0;
};

// Read afresh before every full paint; the frame's flags take effect when exactly 1.
struct ElemViewFrameState {
    int TraceActive = 0;    // the application's trace flag
    int EdgeDisp = 0;       // direction arrows
    int ACAxis = 0;         // A/C head-direction lines
    int XYZAxis = 1;        // the XYZ indicator
    int FrameViewType = 0;  // the frame's view type; 4 is "Split by 4"
    // The line range of the open smoothing dialog (1-based, inclusive); 0 while it is closed.
    int SmoothFrom = 0;
    int SmoothTo = 0;
    // Mouse drags: 0 pan (zoom with Ctrl), 1 zoom (pan with Ctrl).
    int CtrlSwitch = 0;
    // 1 while the rotation dialog is open with its Mouse Operation on: drags rotate and a click
    // sets the rotation pivot.
    int RotateMouseOperation = 0;
    ElemViewPenTable Pens;
};
