// The element view model's drawing requests, carried out on the widget's back buffer.
#include "views/ElemViewPainterQt.h"

#include "views/CNcElemView.h"

void ElemViewPainterQt::PaintLayer(ViewLayerId id, ViewRgb colour, int penStyle, int penWidth,
                                   int classMask) {
    view_.PaintLayerNow(id, colour, penStyle, penWidth, classMask);
}

void ElemViewPainterQt::RepaintAll() {
    view_.RepaintAll();
}

void ElemViewPainterQt::MoveTorchMark(int stepKind, const CxyzData& position, int moveKind) {
    view_.MoveTorchMark(stepKind, &position, moveKind);
}

void ElemViewPainterQt::MainLayerRebuilding() {
    // The tip names an element about to go; the picture shows the old layer until repainted.
    view_.HideElemTip();
    view_.RepaintAll();
}
