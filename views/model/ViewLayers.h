// The thirteen element lists (view layers) of an element view and their fixed numbers.
#pragma once

#include <array>

#include "kernel/db/CDtbEngine.h"

// A view layer holds projected copies: x and y in view coordinates, z 0. It owns its elements.
using ViewLayer = CDtbEngine;

// The numbers are shared by the frame, the trace display and the drawing code.
enum ViewLayerId : int {
    LayerMain = 0,             // the document's elements, projected
    LayerSecond = 1,           // drawn with LayerMain; nothing fills it
    LayerGrid = 2,             // grid lines, class 256
    LayerAcAxis = 3,           // A/C head-direction lines
    LayerCurrentStep = 4,      // elements of the trace step on show
    LayerTraced = 5,           // elements of the steps already traced
    LayerTool = 6,             // tool outline, class 512, drawn in XOR
    LayerSelectedRoute = 7,    // selected route (process modes 30 and 31)
    LayerIncompleteRoute = 8,  // incomplete-process route (modes 30 and 31)
    LayerSkipLogRoute = 9,     // skip-log route (process mode 4)
    LayerSheetFrame = 10,      // sheet frame and clamps, class 1024
    LayerMovedSheet = 11,      // shifted copy of the sheet frame and holder circles
    LayerDangerZone = 12,      // clamp danger zones, class 1024
    kViewLayerCount = 13,
};

class ViewLayers {
public:
    ViewLayer& operator[](ViewLayerId id) { return layers_[static_cast<size_t>(id)]; }
    const ViewLayer& operator[](ViewLayerId id) const { return layers_[static_cast<size_t>(id)]; }

private:
    std::array<ViewLayer, kViewLayerCount> layers_;
};
