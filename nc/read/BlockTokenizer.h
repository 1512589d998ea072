// The block tokeniser: one NC line into the words, G-code groups and marks of a block.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "nc/read/GCodeGroups.h"
#include "nc/read/NcBlockWords.h"

struct CNcReadState;

// Indices of the option strings (machine settings Opt) and of the option marks.
enum NcOption : int {
    kOptSubCall = 0,
    kOptSubBack = 1,
    kOptMarkOn = 2,
    kOptCutOn = 3,
    kOptSubCall2 = 4,
    kOptionCount = 5,
};

// The start and end code lines of one tapping tool of the die data.
struct NcTapCodes {
    std::string_view StartCode;
    std::string_view EndCode;
};

// What the tokeniser reads of the machine settings and the die data. The views must stay
// valid for the call; CNcRead fills one from its settings before every call.
struct NcTokenizerSettings {
    // Option strings OptSubCall, OptSubBack, OptMarkOn, OptCutOn, OptSubCall2. An empty one
    // never matches a line.
    std::array<std::string_view, kOptionCount> Opt{"M98", "M99", "M09", "M100", "G65"};
    // Address letters; '\0' never matches.
    char CodeMainPro = 'O';
    char CodeMainSub = 'O';
    char CodeMainCall = 'P';
    char CodeFor = 'D';
    char CodeHNumber = 'H';
    // Divisor of numbers written without a decimal point; values below 1 leave them as read.
    int ZeroTimes = 1000;
    // Tapping tools in the order of the die data (only their start and end codes).
    std::span<const NcTapCodes> TapTools;
};

// Shapes of the G08, G11 and G12 forms in NcBlockShapes.
enum NcShapeIndex : int { kShapeG08 = 0, kShapeG11 = 1, kShapeG12 = 2 };

// The per-block outputs beside the words, as the reader keeps them (see CNcRead).
using NcOptionMarks = std::array<int, kOptionCount>;
using NcShapeGroups = std::array<int, 3>;

// Splits one line into the words of a block.
//  text:        the line (bytes, no line end). A tapping marker line is emptied.
//  state:       read: NcType; written by tapping marker lines: ConditionTool, ToolNo, TapIndex.
//  optionMarks: entry i set to 1 when option string i occurs anywhere in the line; the caller
//               clears them.
//  shapeGroups: G08 form (1 or 4), G11 mode (1 or 2), G12 mode (0, 1, 2); caller sets -1.
//  blockGroups: the G code of each modal group given in the block; caller sets -1.
//  cir:         1 after "CIR/"; caller sets -1.
//  mCode:       the M code; caller sets -1.
//  words:       the words; caller resets them (NcBlockWords::Reset).
//  duplicate:   1 when a group or word was given twice; caller sets 0.
// Returns 1 when at least one word was recognised, else 0. Never reads past the text.
[[nodiscard]] int TokenizeBlock(std::string& text, const NcTokenizerSettings& settings,
                                CNcReadState& state, NcOptionMarks& optionMarks,
                                NcShapeGroups& shapeGroups, GCodeGroups& blockGroups, int& cir,
                                int& mCode, NcBlockWords& words, int& duplicate);

// Advances position by one and then over every character from '*' to '9' (* + , - . / and
// the digits), never past the end of text. Returns 0.
int SkipNumber(std::string_view text, size_t& position);
