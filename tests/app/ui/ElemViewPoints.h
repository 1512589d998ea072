// Where the element view draws a document line: for clicks on the drawing in frame tests.
#pragma once

#include <QPoint>
#include <vector>

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
