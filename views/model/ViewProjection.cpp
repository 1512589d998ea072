// The orthographic projection of an element view.
#include "views/model/ViewProjection.h"

#include <cmath>

namespace {

// The constants the drawings were always made with: rotations in 2 pi / 360 with
// 6.283185308, view angles with pi to double precision.
constexpr double kRotationRad = 6.283185308 / 360.0;
constexpr double kViewRad = 3.141592653589793 / 180.0;
// Rotations smaller than this are left out altogether.
constexpr double kRotationMin = 0.001;

}  // namespace

bool ViewProjection::SetViewType(int type, double rotX, double rotY, double rotZ) {
    static constexpr double kAngles[4][2] = {{90, 0}, {0, 0}, {0, 90}, {25, 50}};
    if (type < 0 || type > 3) return false;
    rotate_ = CxyzData(rotX, rotY, rotZ);
    viewAngles_[0] = kAngles[type][0];
    viewAngles_[1] = kAngles[type][1];
    viewType_ = type;
    Prepare();
    return true;
}

void ViewProjection::SetRotationAngles(const CxyzData& angles, int mask) {
    if (mask & 1) rotate_.x = angles.x;
    if (mask & 2) rotate_.y = angles.y;
    if (mask & 4) rotate_.z = angles.z;
    Prepare();
}

void ViewProjection::SetViewAngles(double first, double second) {
    viewAngles_[0] = first;
    viewAngles_[1] = second;
    Prepare();
}

void ViewProjection::SetPivot(const CxyzData& pivot, const CxyzData& pivotOffset) {
    pivot_ = pivot;
    pivotOffset_ = pivotOffset;
}

void ViewProjection::Prepare() {
    useX_ = std::fabs(rotate_.x) >= kRotationMin;
    useY_ = std::fabs(rotate_.y) >= kRotationMin;
    useZ_ = std::fabs(rotate_.z) >= kRotationMin;
    sx_ = std::sin(rotate_.x * kRotationRad);
    cx_ = std::cos(rotate_.x * kRotationRad);
    sy_ = std::sin(rotate_.y * kRotationRad);
    cy_ = std::cos(rotate_.y * kRotationRad);
    sz_ = std::sin(rotate_.z * kRotationRad);
    cz_ = std::cos(rotate_.z * kRotationRad);
    const double a = -viewAngles_[0] * kViewRad;
    const double b = -viewAngles_[1] * kViewRad;
    sa_ = std::sin(a);
    ca_ = std::cos(a);
    sb_ = std::sin(b);
    cb_ = std::cos(b);
}

void ViewProjection::ProjectPoint(double x, double y, double z, double* outX, double* outY,
                                  bool aboutPivot) const {
    if (aboutPivot) {
        x -= pivot_.x;
        y -= pivot_.y;
        z -= pivot_.z;
    }
    if (useZ_) {
        const double x1 = x * cz_ - y * sz_;
        y = x * sz_ + y * cz_;
        x = x1;
    }
    if (useY_) {
        const double x2 = x * cy_ + z * sy_;
        z = -x * sy_ + z * cy_;
        x = x2;
    }
    if (useX_) {
        const double y3 = y * cx_ - z * sx_;
        z = y * sx_ + z * cx_;
        y = y3;
    }
    double px = x * cb_ + y * sb_;
    double py = x * sb_ * sa_ - y * cb_ * sa_ + z * ca_;
    if (aboutPivot) {
        px += pivot_.x - pivotOffset_.x;
        py += pivot_.y - pivotOffset_.y;
    }
    if (outX) *outX = px;
    if (outY) *outY = py;
}

CxyzData ViewProjection::Project(const CxyzData& p) const {
    CxyzData out;
    ProjectPoint(p.x, p.y, p.z, &out.x, &out.y, true);
    return out;
}

void ViewProjection::DragRotate(int dx, int dy, int w, int h) {
    if (w <= 0 || h <= 0) return;
    double a0 = viewAngles_[0] + dy * 180.0 / h;
    double a1 = viewAngles_[1] + dx * 180.0 / w;
    if (a0 < 0.0) a0 += 360.0;
    if (a0 > 360.0) a0 -= 360.0;
    if (a1 < 0.0) a1 += 360.0;
    if (a1 > 360.0) a1 -= 360.0;
    SetViewAngles(a0, a1);
}
