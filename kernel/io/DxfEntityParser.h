// Reading the lines, arcs and circles of the first ENTITIES section of a DXF text.
#pragma once

#include <string_view>
#include <vector>

#include "kernel/io/DrawingEntity.h"

// True when the text holds an ENTITIES section (the lines "0", "SECTION", "2", "ENTITIES").
bool HasDxfEntitiesSection(std::string_view text);

// Appends the LINE, ARC and CIRCLE entities of the first ENTITIES section to `out`, in file
// order, with the groups 10/20 (start or centre), 11/21 (line end), 40 (radius) and 50/51
// (arc angles). A CIRCLE is an arc from 0 to 360. Other entities are read and dropped; group
// codes that do not belong to the subset (layer, colour, Z 30/31, extrusion, ...) are skipped,
// so a drawing with Z coordinates reads like one without. Reading ends at ENDSEC; an entity
// still open at the end of the text (no closing "0" pair) is dropped. Numbers are read in C
// notation, stopping at the first character that does not belong to the number (no number: 0).
void ParseDxfEntities(std::string_view text, std::vector<DrawingEntity>& out);
