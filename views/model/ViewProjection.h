// ViewProjection: the orthographic projection of an element view (view type, rotations, pivot).
#pragma once

#include "kernel/base/CxyzData.h"

enum ViewTypeId : int { kViewTop = 0, kViewFront = 1, kViewLeft = 2, kViewIso = 3 };

// World points to view coordinates: optionally about a pivot, rotated about Z, then Y, then X
// by RotateAngles, then looked at along the direction given by the two ViewAngles; depth is
// dropped. The sines and cosines are kept with the angles, so projecting a point costs a few
// multiplications.
class ViewProjection {
public:
    ViewProjection() { Prepare(); }

    // Type 0 Top (view angles 90, 0), 1 Front (0, 0), 2 Left (0, 90), 3 ISO (25, 50), with the
    // given rotations. A type above 3 (or below 0) changes nothing and returns false.
    bool SetViewType(int type, double rotX, double rotY, double rotZ);
    // mask bit 1 takes angles.x as the rotation about X, bit 2 angles.y, bit 4 angles.z.
    void SetRotationAngles(const CxyzData& angles, int mask);
    void SetViewAngles(double first, double second);
    void SetPivot(const CxyzData& pivot, const CxyzData& pivotOffset);

    int ViewType() const { return viewType_; }
    const CxyzData& RotateAngles() const { return rotate_; }
    double ViewAngle(int i) const { return viewAngles_[i & 1]; }
    const CxyzData& Pivot() const { return pivot_; }
    const CxyzData& PivotOffset() const { return pivotOffset_; }

    // The view coordinates of (x, y, z). With aboutPivot the point is taken relative to Pivot
    // and Pivot - PivotOffset is added back afterwards.
    void ProjectPoint(double x, double y, double z, double* outX, double* outY,
                      bool aboutPivot) const;
    // A world point projected with the pivot, as a point of a layer (z 0).
    CxyzData Project(const CxyzData& p) const;

    // A rotation drag step of (dx, dy) pixels in a client of w x h pixels: the first view
    // angle grows by dy * 180 / h, the second by dx * 180 / w, each brought back into 0..360
    // by one turn. Nothing happens for a client without area.
    void DragRotate(int dx, int dy, int w, int h);

private:
    void Prepare();

    int viewType_ = kViewTop;
    CxyzData rotate_;
    double viewAngles_[2] = {0.0, 0.0};
    CxyzData pivot_;
    CxyzData pivotOffset_;

    // Cached: whether each rotation applies, and the sines and cosines.
    bool useX_ = false, useY_ = false, useZ_ = false;
    double sx_ = 0, cx_ = 1, sy_ = 0, cy_ = 1, sz_ = 0, cz_ = 1;
    double sa_ = 0, ca_ = 1, sb_ = 0, cb_ = 1;
};
