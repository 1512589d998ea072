// Pens, head angles and length accounting shared by the shape cycles, the laser shapes and the
// three-point arcs.
#pragma once

#include "kernel/db/CDtbInfo.h"

class CNcRead;
struct CNcReadState;

// The pen of a cutting or marking move: class 4 with the Cut pen while cutting, class 2 with the
// Mark pen while marking, the colour of the cutting condition instead when the condition table
// asks for it. Start and end marks 0. Defaults when the reader has no machine settings.
CDtbInfo ShapeFeedInfo(const CNcRead& reader);
// The pen of a rapid: class 1 with the FF pen (never the condition colour).
CDtbInfo ShapeRapidInfo(const CNcRead& reader);

// A head angle as a frame is built from it: one that no block gave (the absent marker) counts
// as 0; the marker itself would tilt the frame by some 80 degrees.
double FrameHeadAngle(double modal);

// A piece of a shape or a chord of a divided arc: its length goes to the cut length in every
// case and to the mark length as well while marking.
void CountShapePiece(CNcReadState& state, double length);
// A single line or arc of a feed move: to the mark length while marking, else to the cut length.
void CountShapeFeed(CNcReadState& state, double length);
