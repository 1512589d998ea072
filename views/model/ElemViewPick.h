// What lies under the cursor of an element view: the hit test over the projected main layer,
// the element a hit stands for (a whole arc, punch hit or pattern), its runs and its lines.
#pragma once

#include <cstdint>
#include <vector>

class CDtbElement;
class ProjectedLayer;
struct ProjectedRun;
struct ViewWindow;

// The hovered element of a view: a top-level or group element of the document (or of the
// layer's own tree) and the runs [firstRun, endRun) of the projected layer that draw it. Valid
// while the layer is (ElemViewModel::MainLayerGeneration).
struct ElemHover {
    const CDtbElement* element = nullptr;
    uint32_t firstRun = 0;
    uint32_t endRun = 0;
};

// The index of the run whose line piece the client point (px, py) hits, -1 for none. The
// pieces are taken in painting order; each whose nearest point to the cursor's view point is
// nearer than every piece before becomes the best distance, and becomes the hit when that
// nearest point lies less than 10 pixels from the cursor in x and in y. The last such piece
// wins. Runs drawn from their element (arcs of a layer that was not projected) are not looked at.
int HitTestRun(const ProjectedLayer& layer, const ViewWindow& window, int px, int py);

// The element a run stands for when hovered: a divided arc is taken whole (the arc, or its
// "DevideArc" group), then a "Punch1" or "Punch2" group around it, then a "Punch" group around
// that, so that an arc, a punch hit or a punch pattern is hovered as a whole.
const CDtbElement* HoverTarget(const ProjectedRun& run);

// The hit at a client point, its element and the element's runs; element null for none.
ElemHover HoverAt(const ProjectedLayer& layer, const ViewWindow& window, int px, int py);

// The runs [first, end) around the run `at` that draw element or something inside it.
ElemHover RunsOf(const ProjectedLayer& layer, uint32_t at, const CDtbElement* element);

// True when e is element or lies inside it (a child of a group, at any depth).
bool IsWithin(const CDtbElement* e, const CDtbElement* element);

// The top-level element that holds e (e itself at the top level).
const CDtbElement* TopLevelOf(const CDtbElement* e);

// The values of the element's "LineNo=" texts (0-based document lines), in order.
std::vector<int> ElementLines(const CDtbElement& element);
// The value of the element's first text starting with prefix ("LineNo=", "PrtNo="); -1 when
// it has none.
int FirstNumber(const CDtbElement& element, const char* prefix);
