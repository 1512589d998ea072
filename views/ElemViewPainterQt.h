// ElemViewPainterQt: the element view model's drawing requests, carried out on the widget.
#pragma once

#include "views/model/ViewPainter.h"

class CNcElemView;

// The model asks for a layer drawn at once or a full repaint; both go into the widget's back
// buffer and are shown at once.
class ElemViewPainterQt : public ViewPainter {
public:
    explicit ElemViewPainterQt(CNcElemView& view) : view_(view) {}
    void PaintLayer(ViewLayerId id, ViewRgb colour, int penStyle, int penWidth,
                    int classMask) override;
    void RepaintAll() override;
    void MoveTorchMark(int stepKind, const CxyzData& position, int moveKind) override;
    void MainLayerRebuilding() override;

private:
    CNcElemView& view_;
};
