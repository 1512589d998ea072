// CNcReadState: the modal state of one reading run, a plain value copied whole by assignment.
#pragma once

#include <array>

#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbInfo.h"
#include "nc/read/GCodeGroups.h"
#include "nc/read/NcValues.h"

// A feed line held back while its corner radius waits for the next block: its geometry,
// drawing attributes and head angles. It never carries attribute texts, so the state stays a
// plain value that Check NC can copy whole (a CDtbLine would keep its own texts and angles on
// assignment).
struct NcHeldLine {
    CxyzData Start;
    CxyzData End;
    CDtbInfo Info;
    float HeadAngleA = 0.0f;
    float HeadAngleC = 0.0f;
};

// NC types (NcType).
enum NcProgramType : int {
    kNcTypeDetect = 0,       // only as the machine setting LaserPunch
    kNcTypeLaser = 1,        // laser G-code, also the converted JOB and main-program forms
    kNcTypePunch = 2,        // punch G-code
    kNcTypePointList = 3,    // lines of X Y Z numbers
    kNcTypePlotter = 4,      // plotter commands
    kNcTypeProcessInfo = 5,  // process-information program
};

// Every member has a defined value from construction on; CNcRead::SetProgram then sets the
// values that depend on the machine settings and the condition table (see CNcRead::ResetState).
// Check NC saves and restores the whole record by assignment around each block.
struct CNcReadState {
    int NcType = kNcTypeDetect;
    GCodeGroups ModalGroups{};  // modal G code of each group
    int Feed = 0;               // last F word > 0
    int SeqNo = 0;              // last N word > 0
    int ProgramNo = 0;          // last program number > 0
    int ForValue = 0;           // last CodeFor value > 0
    // Code x 10 of the last block that set it (motion x 10, 80/81/84 for G08 forms, 111/112,
    // 120/121/122, punch pattern x 10); -1 none.
    int PrevCode = -1;
    int ConditionNo = kNcNoCondition;   // modal e word
    std::array<int, 3> ConditionRGB{};  // R, G, B of the current condition
    double ModalA = kNcAbsent;          // current A angle
    double ModalC = kNcAbsent;          // current C angle
    std::array<double, 2> PrevA{};      // A before the last two changes, newest first
    std::array<double, 2> PrevC{};      // C before the last two changes, newest first
    double ModalI = kNcAbsent;
    double ModalJ = kNcAbsent;
    int ToolNo = -1;        // last T word
    CxyzData LocalShift;    // G52 / G93 offset
    CxyzData RotCentre;     // centre of the coordinate rotation
    double RotAngle = 0.0;  // rotation angle, 0 off
    CxyzData PartOrigin;    // origin of the multi-part block
    double PartPitchX = 0.0;
    double PartPitchY = 0.0;
    int PartCountX = 0;
    int PartCountY = 0;
    int RepeatMode = 0;  // 0-7 corner and order of the copies
    // Line index of the G75/G76 block. -1 until one is read: grid copies write it into their
    // options even when no repetition ran.
    int RepeatFirstLine = -1;
    int RecallDepth = 0;                // open pattern recalls, 0-16
    std::array<int, 16> RecallStack{};  // pattern numbers of the open recalls
    CxyzData ArcMidPoint;               // middle point of the next three-point arc (G11.2)
    CxyzData CirclePoint1;              // the three points of a G12 circle
    CxyzData CirclePoint2;
    CxyzData CirclePoint3;
    std::array<double, 6> ShapeSlots{1.0, 1.0, 1.0, 1.0, 1.0, 1.0};  // G08.4 A, U, V, R, D, E
    int ShapeP = 1;         // shape number of the last G08.4
    int ShapeCallP = 1;     // P of the last G08.1
    int ShapeCallW = 1;     // W of the last G08.1
    CxyzData ShapePos;      // position of the G08.1 block
    int HeldLineValid = 0;  // 1 while a line with a corner radius is held
    NcHeldLine HeldLine;
    double CornerRadius = 0.0;  // R of the held line
    CxyzData G92Base;           // work origin set by G92
    CxyzData TargetPos;         // end point the block computes
    CxyzData CurrentPos;        // current tool position
    CxyzData LastPos;           // TargetPos at the last commit
    CxyzData LastElementEnd;    // end of the last element emitted
    int Incremental = 0;        // 0 absolute (G90), 1 incremental (G91)
    int IncrementalSaved = 0;   // Incremental while a G75/G76 repetition runs
    int CompGroup = 40;         // last code of group 3
    int CuttingOn = 1;          // 1 cutting (OptCutOn), 0 marking (OptMarkOn)
    double MarkLength = 0.0;
    double CutLength = 0.0;
    double RapidLength = 0.0;
    int PierceCount = 0;     // blocks with OptCutOn
    int MarkCount = 0;       // blocks with OptMarkOn
    int ConditionTool = -1;  // condition number of the row in use
    double ConditionDiameter = 0.0;
    double ConditionHeight = 0.0;
    int TapIndex = -1;  // tapping tool whose start code was met
};
