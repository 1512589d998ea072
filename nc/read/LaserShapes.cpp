// Laser shape macros: G08.4 stores a shape definition, G08.1 cuts it about the head position.
#include "nc/read/CNcRead.h"
#include "nc/read/NcReadStatus.h"

// Returns an NcHookFlow: a G08.4 block ends without the commit (kFlowEndBlock), a G08.1 block
// goes on (kFlowContinue) or fails with kFlowHeadFrameFailed when no head frame can be built.
// Until the shapes are in place nothing is stored or drawn.
int CNcRead::LaserShapeMacro(CDtbEngine* elements) {
    (void)elements;
    return ShapeGroups[kShapeG08] == 4 ? kFlowEndBlock : kFlowContinue;
}
