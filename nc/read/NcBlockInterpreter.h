// NcBlockInterpreter: the work of one CNcRead::ReadBlock call, split by feature over
// NcBlockInterpreter.cpp (frame), NcModalUpdate.cpp (modal state, special codes, coordinates),
// NcPatternMemory.cpp (U/V/W lines, G75/G76, G98 grids) and NcMotionElements.cpp (motions).
#pragma once

#include <optional>

#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcReadStatus.h"

class CDtbLine;

// Hands every element of from over to to (appended at its current level) and leaves from
// empty: the result of a deep copy followed by emptying from, without the copy.
void MoveElementsInto(CDtbEngine& from, CDtbEngine& to);

// Lives for one call; holds the call's locals (status, rotation save, the block's own element
// database) and works on the reader's members.
class NcBlockInterpreter {
public:
    NcBlockInterpreter(CNcRead& reader, int line, int* nextLine, int* lineNo, int* nextLineNo,
                       double* sheetMove, int* repeatCount);
    // Runs the block and appends its elements to sink (null: they are dropped). Returns the
    // status.
    int Run(CDtbEngine* sink);

private:
    // Frame (NcBlockInterpreter.cpp)
    NcHookFlow Start();
    void TypeCorrections();
    NcHookFlow Draw();
    void Dispatch();
    void Commit();
    void EndCodes();
    void Epilogue(CDtbEngine* sink);
    void SetNextLine(int next);

    // Modal state, special codes and coordinates (NcModalUpdate.cpp)
    void ModalUpdate();
    NcHookFlow SpecialCodes();
    NcHookFlow ComputeCoordinates();
    void MotionFillIn();
    void SaveRotation();
    void RestoreRotation();

    // Pattern memory and grids (NcPatternMemory.cpp)
    NcHookFlow PatternLines();
    NcHookFlow MultiPartBlock();
    void AppendGridCopies(CDtbEngine* sink);

    // Motions (NcMotionElements.cpp)
    NcHookFlow Motion();
    NcHookFlow Rapid();
    NcHookFlow Linear();
    NcHookFlow Circular(int code);
    NcHookFlow Circle();
    void FlushHeldLine();
    // Resolves the held line against the line about to be drawn; moves its start to the second
    // tangent point.
    void ResolveCorner(CDtbLine& line);
    CDtbInfo FeedInfo() const;
    CDtbInfo RapidInfo() const;
    void CountFeed(double length, int classBits);
    void CountPiece(double length);
    float HeadA() const { return static_cast<float>(st_.ModalA); }
    float HeadC() const { return static_cast<float>(st_.ModalC); }
    const CNcReadInfo& Settings() const;

    CNcRead& r_;
    CNcReadState& st_;
    NcBlockWords& w_;
    // The block's own elements: the caller's database itself while no multi-part grid is set
    // (appending there directly gives what a copy of a separate database would), else own.
    CDtbEngine* db_ = nullptr;
    std::optional<CDtbEngine> ownDb_;
    int line_;
    int* nextLine_;
    int* lineNo_;
    int* nextLineNo_;
    double* sheetMove_;
    int* repeatCount_;
    int status_ = kNcBlockDone;
    bool recognised_ = false;   // the tokeniser found a word
    bool patternLine_ = false;  // ended as a pattern control line (or a passed-over line)

    bool rotationSaved_ = false;
    CxyzData savedTarget_;
    CxyzData savedCurrent_;
    double savedI_ = 0.0;
    double savedJ_ = 0.0;
};
