// Shape cycles of motion codes 111 (rectangles) and 112 (slots and circles).
#include "nc/read/CNcRead.h"

// Until the shape cycles are in place the block draws nothing; the interpreter commits the
// shape's centre as the new position. Returns 0 (the interpreter ignores it).
int CNcRead::ExpandShapeCycle(int code, CDtbEngine* elements) {
    (void)code;
    (void)elements;
    return 0;
}
