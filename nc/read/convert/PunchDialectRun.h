// Working state of one punch dialect normaliser call and the rules of its statement pass.
#pragma once

#include <string>

#include "nc/read/convert/ConvertText.h"

class CNcRead;

namespace ncconvert {

// What the normaliser keeps from line to line during one call.
struct PunchDialectRun {
    CNcRead& Reader;
    int NcType = 0;       // the reader's NC type at the call (2 punch)
    int PunchNcType = 0;  // 0 Amada/Selvane, 1 Murata, 2 Nisshinbo
    int InAbsInc = 0;     // 0: Nisshinbo G51 positions are absolute
    int ZeroTimes = 1000;
    bool Decimal = false;  // number style: "%.3lf" when true, "%.0lf" when false
    double Scale = 1.0;    // Nisshinbo G28 sets 10, G29 sets 1
    double LastX = 0.0;    // last position of MOV/ and Nisshinbo G01/G05 (origin at start)
    double LastY = 0.0;

    // A computed number in the number style.
    std::string Num(double value) const { return Real(value, Decimal ? 3 : 0); }
};

// The result of a rule on one line of the statement pass.
enum class RuleOutcome {
    NoMatch,    // not this rule's line: the text goes on unchanged
    Converted,  // text holds the result; the next step of the pass goes on with it
    Done,       // text holds the result; it is stored and the line is finished
    Refused,    // required fields or words missing: the line stays as read, finished
};

struct LineRewrite {
    RuleOutcome Outcome = RuleOutcome::NoMatch;
    std::string Text;      // the result when Converted or Done
    std::string Inserted;  // a line to put behind the current one, when HasInserted
    bool HasInserted = false;
};

// Slash statements ("MOV/", "GRD/", "OFS/", ...), read from the line as written. index is the
// line's position in the reader's Lines (some statements look at or change the lines after it).
LineRewrite ConvertSlashStatement(PunchDialectRun& run, size_t index, const std::string& asRead);
// False when no statement keyword begins with the line's first character (most lines).
bool MaybeSlashStatement(std::string_view line);

// Nisshinbo punch codes, applied to text (the line as the earlier steps left it).
LineRewrite ConvertNisshinboCode(PunchDialectRun& run, const std::string& text);

}  // namespace ncconvert
