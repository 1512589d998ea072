// CNcReadInfo: the settings of one machine, read from and written to a machine file (.NMD).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "kernel/base/CxyzData.h"

struct NcAppContext;

// The element classes that have a pen, in the order of the pen arrays.
enum NcPenClass { PenFF = 0, PenMark, PenCut, PenIn, PenOut, PenPunch, PenClassCount };

// One machine: pens, code letters and option codes, initial modal values, text conversion pairs,
// sheet frame, clamps, holders, coordinate-shift parameters, output number format and the eight
// fixed phrases. Readers, views and NC operations read the members directly.
//
// A machine file is edited through a working copy (a temporary file owned by CSystemData):
// LoadMachineFile(0) copies the named file over it and reads the named file; LoadMachineFile(1)
// re-reads what the machine settings dialog has written into the working copy.
class CNcReadInfo {
public:
    // A constructed object holds the defaults of an empty machine file (so that an object used
    // before its first load never divides by a zero ZeroTimes) and no text conversion pairs.
    // ctx gives the configuration folder and the die data; workingCopy is the working copy
    // (empty: none). Both may be left out for an object that only reads and writes given files.
    explicit CNcReadInfo(const NcAppContext* ctx = nullptr, std::filesystem::path workingCopy = {});

    // Points the object at its context and working copy (the system settings do this).
    void Attach(const NcAppContext* ctx, std::filesystem::path workingCopy);
    const std::filesystem::path& WorkingCopy() const { return workingCopy_; }

    // useWorkingCopy 0: FileName (relative to the configuration folder) is copied over the
    // working copy and read; a missing file empties the working copy and reads as defaults.
    // useWorkingCopy 1: the working copy is read.
    // 1 when the file was read; 0 when it does not exist (every member then holds its default).
    // Either way the die file names are handed to the die data and SheetFrame is reset.
    int LoadMachineFile(int useWorkingCopy);
    // Writes every member to the named file (0) or the working copy (1). 1 done, 0 write failed.
    int SaveMachineFile(int useWorkingCopy);

    // The same on a given file, for local instances and the save-as of the settings dialog.
    // LoadFrom writes SHL_OverMin and In_AbsInc back into an existing file.
    int LoadFrom(const std::filesystem::path& file);
    int SaveTo(const std::filesystem::path& file);

    // The full path of FileName (made absolute against the configuration folder).
    std::filesystem::path MachineFilePath() const;

    // Every member but FileName and the parameter blocks back to the empty-file defaults.
    void SetDefaults();

    std::string FileName;  // current machine file; relative names are in the configuration folder

    std::array<std::array<int, 3>, PenClassCount> Pen{};  // R, G, B of each class
    std::array<int, PenClassCount> PenWide{};
    std::array<int, PenClassCount> PenKind{};

    std::array<char, 5> CodeLetter{};  // first character of each Code ('\0' when empty)
    // One-letter codes: main program, sub-program, called program, CodeFor, H number.
    std::array<std::array<char, 2>, 5> Code{};
    // Sub-program call, sub-program return, marking on, cutting on, second sub-program call.
    std::array<std::string, 5> Opt;
    std::string OptProgStop;

    int AbsInc = 0;
    int ArcAbsInc = 1;
    int ZeroTimes = 1000;  // divisor of coordinates without a point; always > 0
    CxyzData G92BaseInit{};

    int PunchNcType = 0;  // 0 Amada and Selvane, 1 Murata, 2 Nisshinbo
    int HeadType = 1;
    int LaserPunch = 0;  // 0 detect, 1 laser, 2 punch, 3 point list, 4 plotter

    // Text conversion pairs, parallel lists: [TextConvert%03d] From, To, Enable.
    std::vector<std::string> TextFrom;
    std::vector<std::string> TextTo;
    std::vector<uint32_t> TextEnable;

    int FrameDisp = 0;
    double FrameX = 1840.0;
    double FrameY = 1270.0;
    double FrameXmin = 0.0;
    double FrameYmin = 0.0;
    std::array<double, 4> ClampPoint{};
    double ClampSizeX = 100.0;
    double ClampSizeY = 20.0;
    int HolderCount = 2;
    std::array<double, 3> HolderR{};
    std::array<double, 3> HolderX{};
    std::array<double, 3> HolderY{};
    // Current sheet frame: FrameX, FrameY, FrameXmin, FrameYmin, ClampPoint[0..3] as loaded;
    // moved by other parts while a program is read.
    std::array<double, 8> SheetFrame{};
    double SHL_OverMin = 0.05;
    int In_AbsInc = 0;

    // [ShiftCoord]
    int StartLineNo = -1;
    int EndLineNo = -1;
    std::array<std::string, 7> Axis;
    std::array<double, 7> Offset{};
    std::array<std::string, 7> OffsetString;
    std::array<int, 7> Permit{};
    int MacroProc = 0;
    int G52Proc = 0;

    int NcFigure = 3;
    int ZeroSuppress = 1;
    int IgnorePercent = 0;

    std::array<std::string, 8> Comment;  // titles of the fixed phrases, [InsertStr] Comment1..8
    std::array<std::string, 8> String;   // the phrases, [InsertStr] String1..8

    // The G08 conversion and smoothing parameters of the NC operations; this class never reads
    // or writes them.
    std::array<unsigned char, 170> OperationParams{};

private:
    const NcAppContext* ctx_ = nullptr;
    std::filesystem::path workingCopy_;
};
