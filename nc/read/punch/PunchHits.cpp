// CNcRead::PunchHit: one hit of the punch, drawn as the outline of its die.
#include <memory>

#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbNode.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/DieRecords.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcValues.h"
#include "nc/read/punch/PunchElements.h"
#include "nc/read/punch/PunchFigureCache.h"
#include "nc/read/punch/PunchOutline.h"
#include "nc/read/punch/PunchPens.h"
#include "nc/read/punch/PunchStatus.h"

namespace {

bool HasFigureFile(int shape) {
    return shape == kShapeSpecial || shape == kShapeForming || shape == kShapeStamping;
}

}  // namespace

int CNcRead::PunchHit(int dieIndex, const CxyzData& hit, double angle, CDtbEngine* sink) {
    const DieRecord* die = punch::DieAt(Dies, dieIndex);
    if (die == nullptr || sink == nullptr) return kPunchNoDie;
    // Until the program gives a C angle the modal value is the absent marker; turning the die
    // by -9999.99 degrees would draw every outline askew.
    const double a = (IsGiven(angle) ? angle : 0.0) + die->Angle;

    punch::RapidApproach(*this, *sink, hit);
    CDtbNode* group = punch::OpenGroup(*this, *sink, kDtbKindPunch1);
    if (group == nullptr) return kPunchDone;
    const CDtbInfo pen = PunchPen(punch::SettingsOf(*this));
    if (!HasFigureFile(die->Shape)) {
        AppendDieOutline(*sink, *die, hit, a, pen);
    } else {
        if (!PunchFigures) PunchFigures = std::make_shared<PunchFigureCache>();
        // A missing or unreadable figure leaves the group empty.
        if (const CDtbEngine* figure = PunchFigures->Figure(App, die->ShapeFile)) {
            sink->AppendDtb(figure);
            CDtbElement* first = group->firstChild;
            CDtbEngine::Rotate(first, CxyzData(0.0, 0.0, 0.0), a);
            CDtbEngine::ChangeDtbInfo(first, pen.red, pen.green, pen.blue, pen.penWidth,
                                      pen.penKind, kDtbClassPunch);
            CDtbEngine::Offset(first, hit);
        }
    }
    sink->NodeDown();
    return kPunchDone;
}
