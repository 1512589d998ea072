// The ORIGINSFT numbers of the NC editor's lines (system setting AppMachineType 1), kept in
// step with edits. Numbers are never recomputed by an edit: new lines show none until the text
// is loaded again.
#pragma once

#include <cstdint>
#include <vector>

// One edit as the line map sees it: the line count and caret line before and after, and where
// new lines appeared.
struct LineMapEdit {
    int SavedLineCount = 0;
    int SavedCaretLine = 0;
    int LineCount = 0;
    int CaretLine = 0;
    // The index of the first new line when lines were added: the line after the one the edit
    // began in, or that line itself when the edit began at its start.
    int InsertAt = 0;
};

// TrackLineMap. More lines: as many 0 entries go in at InsertAt. Fewer lines: one entry goes
// per line lost, with K the caret line now, stopping when the map has no entry K + 1: a 0
// entry K first, else a 0 entry K + 1, else entry K + 1 when the caret moved up (the joined
// line keeps its own number), else entry K.
void TrackLineMap(std::vector<uint32_t>& map, const LineMapEdit& edit);
