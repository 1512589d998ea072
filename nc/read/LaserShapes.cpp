// Laser shape macros: G08.4 stores a shape definition, G08.1 cuts it about the head position.
#include "kernel/db/CDtbEngine.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcPens.h"
#include "nc/read/NcReadStatus.h"
#include "nc/read/shape/HeadPlane.h"
#include "nc/read/shape/LaserOutline.h"

namespace {

// Slots of CNcReadState::ShapeSlots.
enum ShapeSlot : int { kSlotA = 0, kSlotU, kSlotV, kSlotR, kSlotD, kSlotE };

}  // namespace

// Returns an NcHookFlow: a G08.4 block ends without the commit (kFlowEndBlock); a G08.1 block
// goes on (kFlowContinue), fails with kFlowHeadFrameFailed when no head frame can be built, or
// ends at once (kFlowEndBlock) when a construction point of its outline does not exist.
int CNcRead::LaserShapeMacro(CDtbEngine* elements) {
    const int form = ShapeGroups[kShapeG08];
    CNcReadState& st = State;
    if (form == 4) {
        st.PrevCode = 84;
        const double words[6] = {Block.A, Block.U, Block.V, Block.R, Block.D, Block.E};
        for (int slot = kSlotA; slot <= kSlotE; ++slot) {
            if (IsGiven(words[slot])) st.ShapeSlots[static_cast<size_t>(slot)] = words[slot];
        }
        if (Block.P != kNcAbsentInt) st.ShapeP = Block.P;
        return kFlowEndBlock;
    }
    if (form != 1) return kFlowContinue;

    st.PrevCode = 81;
    if (Block.P != kNcAbsentInt) st.ShapeCallP = Block.P;
    if (Block.W != kNcAbsentInt) st.ShapeCallW = Block.W;

    // The shape's u axis points from the head position towards the G08.1 point. In incremental
    // mode that point was taken from the current position, which already holds the local
    // offset: adding it again would turn the shape.
    HeadPlane plane;
    plane.origin = st.TargetPos;
    CxyzData towards = st.ShapePos - plane.origin;
    if (st.Incremental != 1) towards += st.LocalShift;
    const CNcReadInfo defaults;
    const int headType = Settings != nullptr ? Settings->HeadType : defaults.HeadType;
    const HeadAngles angles{FrameHeadAngle(st.ModalC), FrameHeadAngle(st.ModalA)};
    if (CVectoMatrix::AxisFrame(headType, angles, {towards.x, towards.y, towards.z}, plane.frame) !=
        0) {
        return kFlowHeadFrameFailed;
    }

    CDtbEngine scratch;
    CDtbEngine& db = elements != nullptr ? *elements : scratch;
    LaserOutline outline(db, plane, NcFeedInfo(*this), static_cast<float>(st.ModalA),
                         static_cast<float>(st.ModalC), LineNo, PartNo, st);
    const auto& s = st.ShapeSlots;
    const LaserShapeDims dims{s[kSlotU], s[kSlotV], s[kSlotR], s[kSlotD], s[kSlotE]};
    return outline.Build(st.ShapeP, dims) == OutlineResult::NotFound ? kFlowEndBlock
                                                                     : kFlowContinue;
}
