// Chorded arcs: "DevideArc" groups of chords in a head plane.
#include "nc/read/shape/ChordedArc.h"

#include <algorithm>
#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "nc/read/CNcReadState.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcPens.h"
#include "nc/read/shape/HeadPlane.h"

namespace {

constexpr double kChordDegrees = 5.0;
// Sweeps that are whole multiples of the chord angle must not lose their last chord to
// rounding of the angles.
constexpr double kCountSlack = 1e-9;

// The angle that moves a point of the circle by 0.001 (as NormalizeArcSweep counts it).
double SweepTolerance(double radius) {
    return radius <= 0.001 ? 0.001 : AsinDeg(0.001 / radius);
}

}  // namespace

ChordedArcResult AppendChordedArc(CDtbEngine& db, const HeadPlane& plane,
                                  const ChordedArcParams& params, const CDtbLine& chordTemplate,
                                  const ChordTexts& texts, CNcReadState& state) {
    double s = params.a0;
    double e = params.a1;
    if (params.normalise && !(std::fabs(e - s) < SweepTolerance(params.radius))) {
        NormalizeArcSweep(1, &s, &e, params.radius);
    }
    const double sweep = e - s;
    int n = static_cast<int>(sweep / kChordDegrees + kCountSlack);
    double step = kChordDegrees;
    if (params.step == ChordStep::Fitted) {
        n = std::max(1, n);
        step = sweep / n;
    }
    n = std::max(0, n);
    const double first = params.reversed ? e : s;
    if (params.reversed) step = -step;

    ChordedArcResult result;
    auto* node = new CDtbNode(kDtbOwnerTessmark.data(), kDtbOwnerTessmark.size(),
                              kDtbKindDevideArc.data(), kDtbKindDevideArc.size(), nullptr, 0);
    AddElementTexts(*node, texts.nodeLineNo, texts.partNo, nullptr);
    db.AppendDtb(node);
    db.NodeUp(node);
    result.node = node;
    result.start = plane.OnCircle(params.cu, params.cv, params.radius, first);
    CxyzData from = result.start;
    double angle = first;
    for (int i = 0; i < n; ++i) {
        angle = first + (i + 1) * step;
        const CxyzData to = plane.OnCircle(params.cu, params.cv, params.radius, angle);
        auto* chord = new CDtbLine(chordTemplate);
        chord->start = from;
        chord->end = to;
        AddElementTexts(*chord, texts.chordLineNo, texts.partNo, nullptr);
        db.AppendDtb(chord);
        const double length = chord->GetElementLength3D();
        NcCountPiece(state, length);
        result.total += length;
        from = to;
    }
    db.NodeDown();
    result.chords = n;
    result.end = from;
    result.endU = params.cu + params.radius * CosDeg(angle);
    result.endV = params.cv + params.radius * SinDeg(angle);
    return result;
}
