// Scene layers built from the machine data: grid, sheet frame, moved sheet and danger zones.
#include <algorithm>
#include <cmath>
#include <memory>

#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CPunchTool.h"
#include "views/model/ElemViewModel.h"

namespace {

constexpr double kClampMin = 0.001;  // a clamp (or zone size, offset) below this is none

// Appends the line a..b, projected, with the given attributes.
void AddLine(ViewLayer& layer, const ViewProjection& p, const CxyzData& a, const CxyzData& b,
             const CDtbInfo& info) {
    layer.Append(std::make_unique<CDtbLine>(p.Project(a), p.Project(b), info));
}

// Three lines open at the bottom: up by h from (x0, y0), across by w, down by h.
void AddOpenBox(ViewLayer& layer, const ViewProjection& p, double x0, double y0, double w, double h,
                const CDtbInfo& info) {
    const CxyzData a(x0, y0, 0), b(x0, y0 + h, 0), c(x0 + w, y0 + h, 0), d(x0 + w, y0, 0);
    AddLine(layer, p, a, b, info);
    AddLine(layer, p, b, c, info);
    AddLine(layer, p, c, d, info);
}

}  // namespace

int ElemViewModel::BuildGrid() {
    ViewLayer& grid = layers_[LayerGrid];
    grid.Empty();
    const CDtbInfo pen =
        settings_.Pen(kGridPen, settings_[kGridPenStyle], settings_[kGridPenWide], kDtbClassGrid);
    if (!ctx_ || !ctx_->Elements) return 0;
    CxyzData min(1e15, 1e15, 1e15);
    CxyzData max(-1e15, -1e15, -1e15);
    if (!ctx_->Elements->MinMax(&min, &max)) return 0;
    const int type = projection_.ViewType();
    if (type < 0 || type > 3) return 0;

    // The box always holds the program origin and the machine reference point.
    const CxyzData base = ctx_->Machine ? ctx_->Machine->G92BaseInit : CxyzData();
    double lo[3] = {min.x, min.y, min.z};
    double hi[3] = {max.x, max.y, max.z};
    const double ref[3] = {-base.x, -base.y, -base.z};
    double step[3];
    for (int i = 0; i < 3; ++i) {
        lo[i] = std::min({lo[i], 0.0, ref[i]});
        hi[i] = std::max({hi[i], 0.0, ref[i]});
        step[i] = (hi[i] - lo[i]) / 10.0;
        lo[i] -= step[i];
        hi[i] += step[i];
    }

    // Axes of the two families: family 1 lines run along axis `along1` and step along
    // `step1`; family 2 run along `step1` and step along `along1`. `plane` is the axis held at
    // planeValue for the grid and at oppositeValue for the opposite face.
    int step1 = 0, along1 = 1, plane = 2;
    double planeValue = lo[2], oppositeValue = hi[2];
    if (type == kViewFront) {
        step1 = 0, along1 = 2, plane = 1;
        planeValue = hi[1], oppositeValue = lo[1];
    } else if (type == kViewLeft) {
        step1 = 1, along1 = 2, plane = 0;
        planeValue = hi[0], oppositeValue = lo[0];
    }
    auto point = [&](int axisA, double a, int axisB, double b, double planeAt) {
        double v[3];
        v[axisA] = a;
        v[axisB] = b;
        v[plane] = planeAt;
        return CxyzData(v[0], v[1], v[2]);
    };
    CxyzData first1[2], last1[2], first2[2], last2[2];
    for (int i = 0; i <= 12; ++i) {
        const double at = lo[step1] + i * step[step1];
        const CxyzData a = point(step1, at, along1, lo[along1], planeValue);
        const CxyzData b = point(step1, at, along1, hi[along1], planeValue);
        AddLine(grid, projection_, a, b, pen);
        if (i == 0) first1[0] = a, first1[1] = b;
        if (i == 12) last1[0] = a, last1[1] = b;
    }
    for (int i = 0; i <= 12; ++i) {
        const double at = lo[along1] + i * step[along1];
        const CxyzData a = point(along1, at, step1, lo[step1], planeValue);
        const CxyzData b = point(along1, at, step1, hi[step1], planeValue);
        AddLine(grid, projection_, a, b, pen);
        if (i == 0) first2[0] = a, first2[1] = b;
        if (i == 12) last2[0] = a, last2[1] = b;
    }
    auto opposite = [&](CxyzData p) {
        double v[3] = {p.x, p.y, p.z};
        v[plane] = oppositeValue;
        return CxyzData(v[0], v[1], v[2]);
    };
    for (const CxyzData* l : {first1, last1, first2, last2})
        AddLine(grid, projection_, opposite(l[0]), opposite(l[1]), pen);
    for (const CxyzData* l : {first1, last1}) {
        AddLine(grid, projection_, l[0], opposite(l[0]), pen);
        AddLine(grid, projection_, l[1], opposite(l[1]), pen);
    }
    return 1;
}

int ElemViewModel::BuildSheetFrame() {
    ViewLayer& frame = layers_[LayerSheetFrame];
    frame.Empty();
    const CNcReadInfo* m = ctx_ ? ctx_->Machine : nullptr;
    if (!m || m->FrameDisp == 0) return 1;
    machineOrigin_ = CxyzData(-m->G92BaseInit.x, -m->G92BaseInit.y, 0.0);
    const CDtbInfo pen = settings_.Pen(kFramePen, settings_[kFramePenStyle],
                                       settings_[kFramePenWide], kDtbClassFrame);
    const auto& s = m->SheetFrame;
    const double x0 = machineOrigin_.x + s[2];
    const double y0 = machineOrigin_.y + s[3];
    const double x1 = x0 + (s[0] - s[2]);
    const double y1 = y0 + (s[1] - s[3]);
    const CxyzData a(x0, y0, 0), b(x1, y0, 0), c(x1, y1, 0), d(x0, y1, 0);
    AddLine(frame, projection_, a, b, pen);
    AddLine(frame, projection_, b, c, pen);
    AddLine(frame, projection_, c, d, pen);
    AddLine(frame, projection_, d, a, pen);
    for (int i = 0; i < 4; ++i) {
        const double clamp = s[4 + i];
        if (!(std::fabs(clamp) >= kClampMin)) continue;
        AddOpenBox(frame, projection_, machineOrigin_.x + clamp - m->ClampSizeX / 2.0,
                   machineOrigin_.y, m->ClampSizeX, m->ClampSizeY, pen);
    }
    return 1;
}

int ElemViewModel::MoveSheet(const double off[3]) {
    ViewLayer& moved = layers_[LayerMovedSheet];
    const CNcReadInfo* m = ctx_ ? ctx_->Machine : nullptr;
    if (!m || m->FrameDisp == 0) {
        moved.Empty();
        return 1;
    }
    const int style = settings_[kFramePenStyle];
    const int width = settings_[kFramePenWide];
    if (std::fabs(off[0]) < kClampMin && std::fabs(off[1]) < kClampMin &&
        std::fabs(off[2]) < kClampMin) {
        moved.Empty();
        sheetPosition_ = machineOrigin_;
        moved.AppendDtb(&layers_[LayerSheetFrame]);
        PaintLayer(LayerMovedSheet, kFramePen, style, width, kDtbClassFrame);
        return 1;
    }
    PaintLayer(LayerMovedSheet, kBackGround, style, width, kDtbClassFrame);
    PaintLayer(LayerSheetFrame, kTraceDarkPen, style, width, kDtbClassFrame);
    moved.Empty();
    sheetPosition_.x += off[2];
    moved.AppendDtb(&layers_[LayerSheetFrame]);
    // The layer holds projected points: the shift along world x is projected too (without the
    // pivot), so that the copy moves with the sheet in every view type and rotation, not along
    // the screen's x.
    const double dx = sheetPosition_.x - machineOrigin_.x;
    CxyzData p0, p1;
    projection_.ProjectPoint(0, 0, 0, &p0.x, &p0.y, false);
    projection_.ProjectPoint(dx, 0, 0, &p1.x, &p1.y, false);
    CDtbEngine::Offset(moved.GetFirstElement(), CxyzData(p1.x - p0.x, p1.y - p0.y, 0.0));
    // The machine data holds three workholders; a larger count draws those three.
    const int holders = std::clamp(m->HolderCount, 0, 3);
    const CDtbInfo pen = settings_.Pen(kFramePen, style, width, kDtbClassFrame);
    for (int k = 0; k < holders; ++k) {
        const CDtbArc circle(CxyzData(off[0] + m->HolderX[k], off[1] + m->HolderY[k], 0.0),
                             m->HolderR[k] / 2.0, 0.0, 360.0, 0, pen);
        ProjectElements(projection_, moved, &circle, nullptr, AcAxis());
    }
    PaintLayer(LayerMovedSheet, kFramePen, style, width, kDtbClassFrame);
    return 1;
}

int ElemViewModel::BuildDangerZones(int toolNo) {
    ViewLayer& zones = layers_[LayerDangerZone];
    const CNcReadInfo* m = ctx_ ? ctx_->Machine : nullptr;
    if (!m || m->FrameDisp == 0) {
        zones.Empty();
        return 1;
    }
    if (toolNo == -999) {
        zones.Empty();
        return 1;
    }
    const int style = settings_[kFramePenStyle];
    const int width = settings_[kFramePenWide];
    PaintLayer(LayerDangerZone, kBackGround, style, width, kDtbClassFrame);
    double w = 0.0, h = 0.0;
    const CPunchTool* punch = ctx_->PunchTool;
    if (toolNo < 0 || !punch || punch->GetStationDangerZone(toolNo, &w, &h) < 0 ||
        (std::fabs(w) < kClampMin && std::fabs(h) < kClampMin)) {
        // Painted out above; emptied too, so that the next full repaint does not bring the
        // zones of the previous tool back.
        zones.Empty();
        return 0;
    }
    zones.Empty();
    const CDtbInfo pen = settings_.Pen(kDangerousZonePen, style, width, kDtbClassFrame);
    for (int i = 0; i < 4; ++i) {
        const double clamp = m->SheetFrame[4 + i];
        if (!(std::fabs(clamp) >= kClampMin)) continue;
        AddOpenBox(zones, projection_, sheetPosition_.x + clamp - w / 2.0, sheetPosition_.y, w, h,
                   pen);
    }
    PaintLayer(LayerDangerZone, kDangerousZonePen, style, width, kDtbClassFrame);
    return 1;
}
