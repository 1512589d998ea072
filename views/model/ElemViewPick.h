// What a click on an element view picks: the document line of the drawn element nearest to a
// client point.
#pragma once

#include <vector>

class CDtbElement;
class ProjectedLayer;
struct ViewWindow;

// The element of the run of layer whose pieces pass nearest to the client point (px, py),
// within tolerance pixels; null when none does. Runs drawn from their element (arcs of a layer
// that was not projected) are not looked at.
const CDtbElement* ElementAtPoint(const ProjectedLayer& layer, const ViewWindow& window, int px,
                                  int py, double tolerance);

// The values of the element's "LineNo=" texts (0-based document lines), in order.
std::vector<int> ElementLines(const CDtbElement& element);
