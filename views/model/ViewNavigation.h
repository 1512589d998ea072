// Zoom, fit, scroll, wheel and drag arithmetic on an element view's world window.
#pragma once

#include "kernel/base/CxyData.h"
#include "views/model/ViewWindow.h"

// Key flags of a wheel event, as the platform's wheel message gives them.
inline constexpr unsigned kWheelShift = 0x0004;
inline constexpr unsigned kWheelCtrl = 0x0008;

// Where the world point under the cursor ends up after a wheel zoom.
enum class WheelAnchor {
    Centre,  // it becomes the window centre; the caller moves the cursor to the client centre
    Cursor,  // it stays at the cursor's pixel; the cursor is not moved (where it cannot be)
};

enum class ScrollDirection { Up, Down, Left, Right };

// Each function below changes only the world window; the caller then matches the aspect
// (FitAspect) and repaints.

// The world point at the client centre becomes the centre and each half-span becomes 0.33 of
// the span (ZoomIn) or 0.75 of it (ZoomOut).
void ZoomInWindow(ViewWindow& w);
void ZoomOutWindow(ViewWindow& w);

// Fits the window to a box with a margin of 0.15 of its size on every side. A box that is a
// single point (both extents below 1e-6) gets a window of +-1 about it. Returns 0 and leaves the
// window when the box is empty (min above max) or not finite, else 1.
int ZoomFitWindow(ViewWindow& w, const CxyData& min, const CxyData& max);

// Moves the window by a tenth of its span. With moveDirection non-zero the drawing moves the
// named way (Up lowers the window), with 0 the window does.
void ScrollWindow(ViewWindow& w, ScrollDirection direction, int moveDirection);

// The mouse wheel at a client point: with kWheelCtrl the window moves up or down by 0.2 of its
// y span (down for a negative delta), else with kWheelShift left or right by 0.2 of its x span;
// else it zooms about the world point under the cursor, each half-span becoming 0.8 of the span
// (negative delta, out) or 0.3 of it (in); zooming in never makes both half-spans smaller than
// 0.02.
void WheelZoomWindow(ViewWindow& w, unsigned flags, int delta, int clientX, int clientY,
                     WheelAnchor anchor);

// A drag zoom step from the press row to the cursor row: every side moves inwards by
// span_y * (pressY - y) * 0.01 (dragging up zooms in). An inward step is capped at 0.45 of the
// smaller span, so that however far the mouse moved in one step the window keeps at least a
// tenth of its size and is never empty or inverted.
void DragZoomWindow(ViewWindow& w, int pressY, int y);

// A pan step: the window moves by pressWorld minus the world point of the cursor, so that the
// point pressed stays under the cursor.
void DragPanWindow(ViewWindow& w, const CxyData& pressWorld, int clientX, int clientY);
