// The five-axis smoothing: runs of G01 and G11-family blocks of a line range rewritten into the
// denser G01 blocks that the outside library "flAdjustToolPath.dll" (libflAdjustToolPath.so)
// computes from their points; its parameters and their stored keys.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class NcOpsHost;
namespace platform {
class UserPrompt;
}

// The smoothing's parameters: the application's one record, 108 bytes with the fields back to
// back. Read and write its members by value: a reference to one (std::max, a test's
// EXPECT_EQ) would point at a misaligned double. The library gets the doubles through
// Tolerances(), an aligned copy.
#pragma pack(push, 1)
struct SmoothParams {
    int32_t StartRow = 1;  // first line, 1-based
    int32_t EndRow = 1;    // last line
    int32_t Digit = 3;     // decimals written
    double DevXYZ = 0.0;   // mm
    double DevTorch = 0.0;
    double DevFWDBent = 0.0;  // degrees
    double DevBWDbent = 0.0;
    double DevSideBent = 0.0;
    double aAccX = 0.0;  // m/s2, Kdeg/s2
    double aAccY = 0.0;
    double aAccZ = 0.0;
    double aAccC = 0.0;
    double aAccA = 0.0;
    double CArm = 0.0;  // mm
    double AArm = 0.0;

    // The twelve doubles from DevXYZ to AArm in their order, aligned as the library reads
    // them (the record's own doubles lie at odd offsets).
    std::array<double, 12> Tolerances() const;
    void SetTolerances(const std::array<double, 12>& values);
};
#pragma pack(pop)
static_assert(sizeof(SmoothParams) == 108);

// The names of the twelve doubles, as the keys of [06R_Smoothing] spell them.
extern const std::array<const char*, 12> kSmoothToleranceKeys;

// [06R_Smoothing] of the machine file: read (Digit clamped to 1-10, the rows to at least 1) and
// written ("%d" for the integers, "%.3lf" for the doubles). Write: false when the file cannot
// be written.
SmoothParams ReadSmoothParams(const std::filesystem::path& machineFile);
bool WriteSmoothParams(const std::filesystem::path& machineFile, const SmoothParams& p);

// The range clamped to a document of lineCount lines (1 when 0): StartRow at least 1 and at
// most the count, EndRow at least StartRow and at most the count.
void ClampRange(int& startRow, int& endRow, int lineCount);
// The settings dialog's check: every double clamped to 0-99999, Digit to 1-10.
void ValidateSmoothParams(SmoothParams& p);

// The point records the library reads and writes (little-endian, fields back to back).
struct SmoothPoint {
    double X, Y, Z, C, A;
    int32_t Kind;  // 1 end point of a G01 block, 11 point of a G11 block or a corner arc
    int32_t F;
};
static_assert(sizeof(SmoothPoint) == 48);
static_assert(offsetof(SmoothPoint, Kind) == 40 && offsetof(SmoothPoint, F) == 44);

struct SmoothedPoint {
    double X, Y, Z, C, A;
    int32_t Kind;  // only kind 1 becomes a block
    int32_t F;
    unsigned char Reserved[16];
};
static_assert(sizeof(SmoothedPoint) == 64);
static_assert(offsetof(SmoothedPoint, Kind) == 40 && offsetof(SmoothedPoint, F) == 44);

// The library's function: points, count, the twelve doubles, the output area, its capacity in
// records on entry and the records written on return. 1 success, -1 the area is too small,
// anything else a failure.
using AdjustToolPathFunction = int (*)(SmoothPoint* points, int count, double* tolerances,
                                       SmoothedPoint* output, int* outputCount);

// Splits a block's text into the head written before the new words and the tail written after
// them. The start of the motion words is the first "G01", else "G11", else the first of 'X',
// 'Y', 'Z', 'C', 'A' (in this order); none gives false. The tail starts at the earliest of
// "G09", "G116", "G117", "G140"-"G142" after that start and the first '('; the codes are
// looked for only before the first '(' (a comment is never split). G40, G41 and G42 of the
// text before the comment are appended to the head, in this order.
bool SplitBlockText(std::string_view text, std::string& head, std::string& tail);

// The library named by RERERAZOVU: its file, empty when the variable is unset or empty.
std::filesystem::path AdjustToolPathFile();
// True when the library's file is there. Else false after a warning through prompt (which may
// be null): "flAdjustToolPath.dll" does not exist, with the file looked for, or with the note
// that RERERAZOVU, which names its folder, is not set.
bool AdjustToolPathPresent(platform::UserPrompt* prompt);
// Loads the library for this call, calls flAdjustToolPath with the five arguments and frees
// the library. -999 when the library or its function is missing.
int CallAdjustToolPath(SmoothPoint* points, int count, double* tolerances, SmoothedPoint* output,
                       int* outputCount);

// The head and tail text of a point (empty: none).
struct SmoothText {
    std::string Head;
    std::string Tail;
    bool Empty() const { return Head.empty() && Tail.empty(); }
};

// Results of BuildSmoothedBlocks.
enum SmoothRun : int {
    kSmoothWritten = 0,        // the lines were appended
    kSmoothTooShort = 1,       // fewer than 3 points: nothing written
    kSmoothAreaTooSmall = -1,  // ten larger areas were all too small
    kSmoothFailed = -2,        // the library failed (or could not be called)
    kSmoothTextLost = -3,      // a head or tail found no output block to go with
};

// The output lines of one run: the library called with areas of 500, 1000 ... 5000 records a
// point; each text handed to the nearest output block (kind 1) that has none yet; one line
// per output block: head, "G11.1" for the first block when firstMode is 2, "G11" for the last
// when lastMode is 1, else "G01", X Y Z C A with digit decimals, F when it changed, tail.
int BuildSmoothedBlocks(const std::vector<SmoothPoint>& points,
                        const std::vector<SmoothText>& texts, int firstMode, int lastMode,
                        const SmoothParams& params, AdjustToolPathFunction call,
                        std::vector<std::string>& out);

// The smoothing of lines StartRow..EndRow of the host's document into out (the replacement of
// that range), with the library of RERERAZOVU. 1 done (runs too short to smooth stay as they
// are); 0 while a trace is active, when the library is missing (AdjustToolPathPresent's warning,
// once) and when any run could not be smoothed: out then holds nothing to use.
int Smooth06R(NcOpsHost& host, const SmoothParams& params, std::vector<std::string>& out);
