// The element views in frame tests: where a document line is drawn, for clicks on it.
#pragma once

#include <QApplication>
#include <QPoint>
#include <vector>

#include "app/CMainFrame.h"
#include "views/CNcElemView.h"
#include "views/model/ElemViewPick.h"

// The client point of the middle of the first drawn piece of document line line; (-1, -1) when
// the line draws nothing.
inline QPoint PointOfLine(CNcElemView* view, int line) {
    const ProjectedLayer& layer = view->Model().MainDrawing();
    for (const ProjectedRun& run : layer.Runs()) {
        if (run.pieces == 0 || ElementLines(*run.source) != std::vector<int>{line}) continue;
        const CxyData& a = layer.Vertices()[run.vertex];
        const CxyData& b = layer.Vertices()[run.vertex + 1];
        const ViewWindow& w = view->Model().Window();
        return QPoint(int(WorldToScreenXf(w, (a.x + b.x) / 2)),
                      int(WorldToScreenYf(w, (a.y + b.y) / 2)));
    }
    return {-1, -1};
}

// The frame's first element view at a known size, fitted and painted; null when the frame has
// no real element views.
inline CNcElemView* FittedElemView(CMainFrame* frame) {
    auto* view = dynamic_cast<CNcElemView*>(frame->ElemViews().front());
    if (view) {
        view->resize(600, 500);
        view->ZoomFit();
        QApplication::processEvents();
    }
    return view;
}
