// Paints recorded preview primitives into a picture, and the message pictures of the pane and
// the list. Safe on worker threads (QImage only, no widget).
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "wepo/core/preview/PreviewTypes.h"

class QPainter;

namespace wepo {

// The picture of size (the rectangle at the origin): white, then every primitive with the
// 16-pen set (black, one pixel, cosmetic: solid, dash, dash-dot, dash-dot-dot, dot, alternate),
// black arrow heads and dots, black text. PRM_COLOR gives Format_RGB32, otherwise the same
// drawing in Format_Mono. Null for an empty size, a drawing without picture, or a stopped run.
QImage PaintPreview(const PreviewDrawing& drawing, QSize size, int mode, const PreviewRun& run);

// Draws one primitive with the view (PP_VIEW refits it, PP_CLEAR whitens the picture).
void DrawPrimitive(QPainter& painter, PreviewView& view, const PreviewPrimitive& primitive);
// An end mark (PM_ARROW, PM_DOT) at (x, y) toward direction degrees, size in drawing units.
void DrawEdgeArrow(QPainter& painter, const PreviewView& view, int mark, double x, double y,
                   double direction, double size);

// A white picture of size with text centred on one line in the status-bar font, elided when too
// wide; a plain white picture for a null text. Stops no preview run.
QImage MakeTextPicture(int mode, const QString* text, QSize size);

}  // namespace wepo
