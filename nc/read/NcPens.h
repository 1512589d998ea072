// Drawing attributes and length accounting of the elements the reader makes, shared by the
// motion elements, the shape cycles, the laser shapes and the punch patterns.
#pragma once

#include <array>

#include "kernel/db/CDtbInfo.h"

class CNcRead;
struct CNcReadState;

// Class 1 with the FF pen.
CDtbInfo NcRapidInfo(const CNcRead& reader);
// Class 4 with the Cut pen while cutting, class 2 with the Mark pen while marking; the colour
// of the current condition instead when the condition table's DrawShavColor asks for it.
CDtbInfo NcFeedInfo(const CNcRead& reader);
// The pen of the class (1, 2 or 4; any other takes the Cut pen) with the given colour.
CDtbInfo NcPenInfo(const CNcRead& reader, int classBits, const std::array<int, 3>& rgb);

// A single feed line or arc: its length goes to the mark length for a marking element (class
// 2), else to the cut length.
void NcCountFeed(CNcReadState& state, double length, int classBits);
// A piece of a divided arc or of a shape outline: the cut length always, the mark length as
// well while marking.
void NcCountPiece(CNcReadState& state, double length);
