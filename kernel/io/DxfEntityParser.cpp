// The DXF entity subset: LINE, ARC and CIRCLE of the first ENTITIES section.
#include "kernel/io/DxfEntityParser.h"

#include <cmath>

#include "kernel/io/DxfLineReader.h"
#include "platform/Numbers.h"

bool HasDxfEntitiesSection(std::string_view text) {
    DxfLineReader reader(text);
    return reader.SkipToEntities();
}

namespace {

enum class Open { None, Line, Arc, Other };

// The slots of a new entity: a line from (0, 0) to (0, 0); an arc at (0, 0) of radius 0 from
// 0 to 360, so that a CIRCLE without angle groups is a full circle.
DrawingEntity Fresh(Open kind) {
    DrawingEntity e;
    e.kind = kind == Open::Line ? DrawingEntity::Kind::Line : DrawingEntity::Kind::Arc;
    return e;
}

// "1e999" reads as infinity; such an entity would spoil every box it enters.
bool IsFinite(const DrawingEntity& e) {
    return std::isfinite(e.x1) && std::isfinite(e.y1) && std::isfinite(e.x2) &&
           std::isfinite(e.y2) && std::isfinite(e.radius) && std::isfinite(e.startAngle) &&
           std::isfinite(e.endAngle);
}

}  // namespace

void ParseDxfEntities(std::string_view text, std::vector<DrawingEntity>& out) {
    DxfLineReader reader(text);
    if (!reader.SkipToEntities()) return;

    Open open = Open::None;
    DrawingEntity e;
    std::string_view code;
    std::string_view value;
    while (reader.NextPair(code, value)) {
        if (code == "0") {
            if ((open == Open::Line || open == Open::Arc) && IsFinite(e)) out.push_back(e);
            if (value == "ENDSEC") return;
            if (value == "LINE") {
                open = Open::Line;
            } else if (value == "ARC" || value == "CIRCLE") {
                open = Open::Arc;
            } else {
                open = Open::Other;
            }
            e = Fresh(open);
            continue;
        }
        if (open != Open::Line && open != Open::Arc) continue;
        // Only the groups of the subset are stored. Any other group (30, 31, 39, 210, ...)
        // is skipped: resetting the entity there, as an older reader did, put every line of
        // a drawing with Z coordinates at the origin.
        double* slot = nullptr;
        if (code == "10") {
            slot = &e.x1;
        } else if (code == "20") {
            slot = &e.y1;
        } else if (code == "11") {
            if (open == Open::Line) slot = &e.x2;
        } else if (code == "21") {
            if (open == Open::Line) slot = &e.y2;
        } else if (code == "40") {
            if (open == Open::Arc) slot = &e.radius;
        } else if (code == "50") {
            if (open == Open::Arc) slot = &e.startAngle;
        } else if (code == "51") {
            if (open == Open::Arc) slot = &e.endAngle;
        }
        if (slot) *slot = platform::ParseLeadingReal(value);
    }
}
