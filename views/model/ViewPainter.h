// ViewPainter: what the element view model asks its widget to draw at once.
#pragma once

#include "kernel/base/CxyzData.h"
#include "views/model/ElemViewSettings.h"
#include "views/model/ViewLayers.h"

// The widget implements these on its back buffer; the default does nothing (tests record).
class ViewPainter {
public:
    virtual ~ViewPainter() = default;
    // Draws one layer at once with one pen: colour, pen style, width, and the class mask of the
    // lines and arcs to draw.
    virtual void PaintLayer(ViewLayerId, ViewRgb, int /*penStyle*/, int /*penWidth*/,
                            int /*classMask*/) {}
    // The world window changed: render everything again and show it at once.
    virtual void RepaintAll() {}
    // Moves the torch mark (step kind, world position, move kind).
    virtual void MoveTorchMark(int /*stepKind*/, const CxyzData& /*position*/, int /*moveKind*/) {}
    // LayerMain is about to be rebuilt and its elements freed: whatever shows one of them (the
    // element tip) goes.
    virtual void MainLayerRebuilding() {}
};
