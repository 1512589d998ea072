// The XYZ indicator of the element view: three axis arrows in the lower left corner.
#include <QFont>
#include <QFontMetrics>
#include <QLoggingCategory>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "views/ElemViewDraw.h"

Q_LOGGING_CATEGORY(lcElemViewAxes, "morvalen.views.axes", QtWarningMsg)

namespace {

constexpr double kDegPerRad = 57.29577951308232;
constexpr double kRadPerDeg = 0.017453292519943295;

const QColor kAxisColours[3] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 162, 232)};
const char* const kAxisLetters[3] = {"X", "Y", "Z"};

void Tip(const ViewProjection& p, int axis, int length, double* tx, double* ty) {
    const double v[3] = {axis == 0 ? double(length) : 0.0, axis == 1 ? double(length) : 0.0,
                         axis == 2 ? double(length) : 0.0};
    p.ProjectPoint(v[0], v[1], v[2], tx, ty, false);
}

}  // namespace

void ElemViewDraw::DrawXyzAxes(const ViewProjection& projection, int axisLength, bool splitView,
                               const QFont& font) {
    const int length = splitView ? axisLength / 2 : axisLength;
    const int margin = splitView ? 7 : 13;
    qCDebug(lcElemViewAxes, "Delta = %5.1lf, seta = %5.1lf", projection.ViewAngle(1),
            projection.ViewAngle(0));

    // The drawing order comes from the tips seen a quarter turn further round.
    ViewProjection turned = projection;
    turned.SetViewAngles(projection.ViewAngle(0), projection.ViewAngle(1) + 90.0);
    std::array<double, 3> key{};
    for (int axis = 0; axis < 3; ++axis) {
        double y = 0;
        Tip(turned, axis, length, &key[static_cast<size_t>(axis)], &y);
    }
    const double first = projection.ViewAngle(0);
    if (first > 90.0 && first < 270.0)
        for (double& k : key) k = -k;
    std::array<int, 3> order{0, 1, 2};
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return key[size_t(a)] < key[size_t(b)]; });

    const QFont oldFont = p_.font();
    const QPen oldPen = p_.pen();
    const QBrush oldBrush = p_.brush();
    p_.setFont(font);
    for (int axis : order) {
        p_.setPen(QPen(kAxisColours[axis], 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p_.setBrush(kAxisColours[axis]);
        DrawAxisArrow(projection, axis, length, margin);
    }
    p_.setFont(oldFont);
    p_.setPen(oldPen);
    p_.setBrush(oldBrush);
}

void ElemViewDraw::DrawAxisArrow(const ViewProjection& projection, int axis, int length,
                                 int margin) {
    const QPoint o(w_.left + length + margin, w_.bottom - length - margin);
    double tx = 0, ty = 0;
    Tip(projection, axis, length, &tx, &ty);
    const int itx = static_cast<int>(std::trunc(tx)), ity = static_cast<int>(std::trunc(ty));
    if (std::abs(itx) <= 1 && std::abs(ity) <= 1) return;  // points at the viewer
    const QPoint t(o.x() + itx, o.y() - ity);
    p_.drawLine(o, t);

    double theta = std::atan2(ty, tx) * kDegPerRad + 180.0;
    while (theta >= 360.0) theta -= 360.0;
    while (theta < 0.0) theta += 360.0;
    const int head = std::min(length / 6, 8);
    const double d1 = head * 0.965925826, d2 = head * 0.258819045;
    const double c = std::cos(theta * kRadPerDeg), s = std::sin(theta * kRadPerDeg);
    const double xs[3] = {tx + d1 * c - d2 * s, tx, tx + d1 * c + d2 * s};
    const double ys[3] = {ty + d1 * s + d2 * c, ty, ty + d1 * s - d2 * c};
    QPoint pts[3];
    for (int i = 0; i < 3; ++i)
        pts[i] = QPoint(o.x() + static_cast<int>(std::trunc(xs[i])),
                        o.y() - static_cast<int>(std::trunc(ys[i])));
    p_.drawPolygon(pts, 3);

    // Bottom-aligned text: the baseline sits the descent above the given point.
    p_.setPen(kAxisColours[axis]);
    const QFontMetrics fm(p_.font());
    p_.drawText(QPoint(t.x() + 4, t.y() - 3 - fm.descent()),
                QString::fromLatin1(kAxisLetters[axis]));
}
