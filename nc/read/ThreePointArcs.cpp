// Three-point arcs (G11 / G11.2 then G11.1) and circles (G12, G12.1, G12.2) in space.
#include "nc/read/CNcRead.h"
#include "nc/read/NcReadStatus.h"

// Returns an NcHookFlow: the point-collecting forms (G11, G11.2, G12, G12.1) end without the
// commit (kFlowEndBlock); G11.1 and G12.2 go on (kFlowContinue) or fail with
// kFlowHeadFrameFailed. Until the arcs are in place nothing is collected or drawn.
int CNcRead::ThreePointShape(CDtbEngine* elements) {
    (void)elements;
    const int g11 = ShapeGroups[kShapeG11];
    const int g12 = ShapeGroups[kShapeG12];
    if (g11 == 2 || g12 == 0 || g12 == 1) return kFlowEndBlock;
    return kFlowContinue;
}
