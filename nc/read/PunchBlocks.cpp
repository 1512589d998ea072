// Punch blocks: the hit or pattern of a punch program's block (single hits, lines, arcs,
// grids, nibbling, the code-202 line), drawn into the block's own elements.
#include "nc/read/CNcRead.h"

// Until the punch patterns are in place a punch block draws no hit; the interpreter still
// commits its position and sets the previous code. Returns 0 (the interpreter ignores it).
int CNcRead::PunchPattern(int code, const NcBlockWords& words, CDtbEngine* elements) {
    (void)code;
    (void)words;
    (void)elements;
    return 0;
}
