// The element tip of the element view: the text built from a hovered element's "LineNo=" and
// "ElmInfo=" texts, its colour class, and the point it names.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "kernel/base/CxyzData.h"

class CDtbElement;

// What the tip reads besides the element.
struct ElemInfoSource {
    // The document's lines (CP932 bytes); a line number outside them shows an empty NC text.
    const std::vector<std::string>* Lines = nullptr;
    // 1: the line number shown is the NC list's (ORIGINSFT numbering, LineNumberOfRow of the
    // 0-based line); otherwise the 0-based line + 1.
    int AppMachineType = 0;
    std::function<int(int line)> LineNumberOfRow;
};

// Builds the tip of element into text (UTF-8, lines separated by '\n') from the display format
// of its kind in the string table (61634 to 61649). The last "LineNo=" and the last "ElmInfo="
// text count. Returns the colour class of the kind (0 lines and arcs, 1 those of a 3-D head, 2
// to 6 the punch kinds), or -1 with text empty when there is no tip: no "LineNo=", no
// "ElmInfo=", an "ElmInfo=" of 256 characters or more, a kind outside 1 to 9, or fewer values
// than the kind has. position (when given) receives the point the kind names (the end point of
// a line or an arc, the centre of a hit or a circle pattern, the start of a grid) as read.
//
// Coordinates near zero show as 0 (below 0.001 for lines and arcs, 0.01 for punching), and the
// coordinates of the point lines are right-aligned in columns per axis. The NC text is put in
// as it stands: no text of the program or the element is ever read as a format.
int BuildElemInfoText(const CDtbElement& element, const ElemInfoSource& source, std::string* text,
                      CxyzData* position = nullptr);
