// CNcRead: the NC program reader of one reading run, its prepared lines and its modal state.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kernel/base/CxyzData.h"
#include "nc/read/BlockTokenizer.h"
#include "nc/read/CNcReadState.h"
#include "nc/read/GCodeGroups.h"
#include "nc/read/NcBlockWords.h"
#include "nc/read/NcProgramLines.h"
#include "nc/read/convert/NcConvertFault.h"

struct NcAppContext;
struct CxyzData;
class CDtbElement;
class CDtbEngine;
class CNcReadInfo;
class CToolData;
class CPunchTool;
class PunchFigureCache;

// Program forms found at set-up besides the NC type (they pick a format converter).
enum class NcProgramForm { Plain, Job, MainProgram };

// One reader per reading run (document rebuild, trace, Check NC, conversions): construct it,
// call SetProgram, then read the lines block by block. The settings, the condition table, the
// die data and the application context are not owned and must outlive the reader. Not
// reentrant; two readers may exist but are never used at the same time.
class CNcRead {
public:
    // app: the application's file name, settings path, configuration folder and dies; null
    // reads as a new document without settings file, configuration folder or dies.
    explicit CNcRead(const NcAppContext* app = nullptr);

    // Starts a reading run: copies and prepares the lines (bytes, no line ends), detects the
    // NC type and form, converts foreign formats, resets the state and asks for the work time.
    // noTextConvert 1 skips the text conversion pairs, the condition words and the punch
    // dialect normaliser (Check NC and the conversions pass 1). Null settings or
    // conditions read as defaults and an empty table. Returns 0; it cannot fail. May be called
    // again to start anew.
    int SetProgram(const std::vector<std::string>& lines, CNcReadInfo* settings,
                   CToolData* conditions, int noTextConvert);
    // The same without the copy: the reader reads the caller's lines in place until a step of
    // the set-up changes one (the document rebuild: a program of a million lines is read
    // without being copied). The lines must stay alive and unchanged while the reader reads.
    int SetProgramShared(const std::vector<std::string>& lines, CNcReadInfo* settings,
                         CToolData* conditions, int noTextConvert);

    int GetNcType() const { return State.NcType; }

    // Line searches over Lines; each returns a line index or -1.
    // The program line (first character the CodeMainPro letter) with number programNo, from
    // the top; programNo -1 walks back from fromLine (inclusive) to the nearest program line.
    // With seqNo not -1 the result is the first line from there on beginning with N seqNo.
    int FindProgramLine(int programNo, int seqNo, int fromLine) const;
    // From startLine in steps of step: the first line beginning with letter whose number
    // (from the second character) is value, or any number when value is -1. -1 for step 0.
    int FindAddressLine(char letter, int value, int startLine, int step) const;
    // As FindAddressLine, for lines whose first length characters equal prefix (strncmp) and
    // whose number from character length on is value (any when -1).
    int FindPrefixLine(std::string_view prefix, int length, int value, int startLine,
                       int step) const;

    // Asks the work-time library (libVEV2OVO.so) for the cutting time: WorkTime is set and
    // 1 returned when it gave one; 0 and WorkTime untouched when the library, its function
    // flGetWorkTime or the value is missing. Nothing is reported.
    int LoadWorkTime();

    // For each of X, Y, Z, C, A, D, W, R that occurs in text, the number behind its first
    // occurrence (atof) goes to out[0..7]; absent letters leave their slot as it is.
    static void ParseAxisWords(std::string_view text, std::array<double, 8>& out);

    // Tokenises one line into the given outputs (normally the reader's own members), with
    // this reader's settings, die data and state; see ::TokenizeBlock. Returns 1 when a word
    // was recognised. May empty text (tapping marker lines of punch programs).
    [[nodiscard]] int TokenizeBlock(std::string& text, NcOptionMarks& optionMarks,
                                    NcShapeGroups& shapeGroups, GCodeGroups& blockGroups, int& cir,
                                    int& mCode, NcBlockWords& words, int& duplicate);

    // Resets the per-block outputs as the interpreter does before every line.
    void ResetBlock();

    // --- Block interpreter (NcBlockInterpreter.cpp and the files it names) --------------------

    // Interprets the line with index line of Lines and appends its elements to sink (null
    // draws nothing). nextLine: the line to read next (line + 1 unless the block jumps);
    // lineNo / nextLineNo: the document lines of line and of nextLine; sheetMove (may be null):
    // three doubles for status kNcSheetMove; repeatCount (may be null): the L word of a call.
    // Returns one of the NcReadStatus codes (NcReadStatus.h). Bad NC never throws.
    [[nodiscard]] int ReadBlock(CDtbEngine* sink, int line, int* nextLine, int* lineNo,
                                int* nextLineNo, double* sheetMove, int* repeatCount);
    // Moves the point fields of the first "ElmInfo=" text of element by offset and writes the
    // text again at the end of the texts. 1 when rewritten; 0 for a null element, no text, a
    // kind outside 1 to 9 or a text with fewer values than its kind holds (left unchanged).
    static int OffsetElementInfo(CDtbElement* element, const CxyzData* offset);

    // Hooks of the block interpreter, each in a file of its own (PunchBlocks.cpp,
    // ShapeCycles.cpp, LaserShapes.cpp, ThreePointArcs.cpp). They append to elements, the
    // block's own database.
    // Punch hit or pattern of the block: code -1 a single hit, else the group-14 code.
    int PunchPattern(int code, const NcBlockWords& words, CDtbEngine* elements);
    // Punch hits and strips (nc/read/punch/). dieIndex is a position in the possessed-die
    // table; results are PunchStatus codes (nc/read/punch/PunchStatus.h).
    // One hit: the rapid approach to hit and a "Punch1" group with the die's outline turned by
    // angle plus the die's angle. An absent angle counts as 0.
    int PunchHit(int dieIndex, const CxyzData& hit, double angle, CDtbEngine* sink);
    // Code 66: line punching with the die; start and end of the strip's first edge.
    int PunchShear(int dieIndex, const NcBlockWords& words, CDtbEngine* sink, CxyzData* start,
                   CxyzData* end);
    // Codes 69 and 79: nibbling along a line; start and end of the slot's first edge.
    int PunchNibbleLine(int dieIndex, const NcBlockWords& words, CDtbEngine* sink,
                        CxyzData* start, CxyzData* end);
    // Codes 68 and 78: nibbling along an arc band about the target point.
    int PunchNibbleArc(int dieIndex, const NcBlockWords& words, CDtbEngine* sink);
    // Code 202: the line from the target point; its start, end and direction.
    int PunchCode202(int dieIndex, const NcBlockWords& words, CDtbEngine* sink, CxyzData* start,
                     CxyzData* end, double* angle);
    // Code 67: checks the words only and appends nothing.
    int PunchSquare(int dieIndex, const NcBlockWords& words, CDtbEngine* sink) const;

    // The shape cycle of motion code 111 or 112.
    int ExpandShapeCycle(int code, CDtbEngine* elements);
    // G08.4 (definition) and G08.1 (cut) of the block's G08 form. Returns an NcHookFlow.
    int LaserShapeMacro(CDtbEngine* elements);
    // G11 / G11.1 / G11.2 and G12 / G12.1 / G12.2 forms. Returns an NcHookFlow.
    int ThreePointShape(CDtbEngine* elements);

    NcOptionMarks OptionMarks{};  // option marks of the block being read
    std::string LineBuffer;       // the line being read (kept to reuse its storage)
    int HeldLineNo = 0;           // document line of the held corner-radius line
    // The corner arc the block just read made between the held line and its own line: start,
    // middle and end point. CornerArcMade is 1 only after a block that made one (reset with
    // the other per-block values); a corner that could not be rounded leaves it 0.
    std::array<CxyzData, 3> CornerArc{};
    int CornerArcMade = 0;
    // The three points of the last three-point arc, set by the G11.1 block that follows a G11
    // or G11.2 block: the position before the G11 block, the G11 point and the G11.1 point.
    std::array<CxyzData, 3> ArcPoints{};

    // Rewriters of Lines run by SetProgram; each keeps LineMap in step with Lines.
    void NormalizePunchDialect();
    void ConvertPointList();
    void ConvertPlotter();
    void ConvertType5();
    void ConvertJob();
    void ConvertMainProgram();

    NcBlockWords Block;                     // words of the block being read
    CNcReadState State;                     // the modal state; saved and restored by assignment
    NcShapeGroups ShapeGroups{-1, -1, -1};  // G08 form, G11 mode, G12 mode of this block
    GCodeGroups BlockGroups{};              // G code of each group given in this block, -1 none
    int BlockM = -1;                        // M code of the block
    int BlockCir = -1;                      // 1 when the block holds "CIR/"
    int BlockDuplicate = 0;                 // 1 when a group or word came twice
    int LineIndex = 0;                      // index in Lines of the line being read
    int LineNo = 0;                         // document line of that line (LineMap entry)
    int PrevLineNo = 0;
    int PrevLineNo2 = 0;
    int PartNo = 0;                   // "PrtNo=" of the elements; set by the caller
    NcProgramLines Lines;             // the program lines after conversion
    std::vector<int> LineMap;         // 0-based document line of each entry of Lines
    // Faults the rewriters of Lines met in the last SetProgram, in the order met; each such
    // line was left as written.
    std::vector<NcConvertFault> ConvertFaults;
    CNcReadInfo* Settings = nullptr;  // machine settings, not owned
    CToolData* Conditions = nullptr;  // cutting-condition table, not owned (may be null)
    CPunchTool* Dies = nullptr;       // the application's die data, not owned (may be null)
    int PercentCount = 0;             // lines beginning with '%' met so far
    int WorkTime = 0;                 // cutting time from the work-time library, 0 none
    NcProgramForm Form = NcProgramForm::Plain;  // form found by the last SetProgram
    const NcAppContext* App = nullptr;          // the application context, not owned (may be null)
    // Figures of special dies read during this run (made on the first special hit).
    std::shared_ptr<PunchFigureCache> PunchFigures;

private:
    int SetUp(CNcReadInfo* settings, CToolData* conditions, int noTextConvert);
    void ApplyTextConversion();
    void ResetState();
    void WriteDebugDump() const;
};

// 1 when text, read from its start over blanks and digits, reaches a '.'; 0 at the first
// other character or at the end. Tells the decimal number style of a punch program.
int IsDecimalText(std::string_view text);
