// The two pens of punch elements: rapid approaches (FF pen) and die outlines (Punch pen).
#pragma once

#include "kernel/db/CDtbInfo.h"
#include "nc/machine/CNcReadInfo.h"

// Colour, width and line kind of pen index pen of the machine settings, with classBits.
inline CDtbInfo PunchPenInfo(const CNcReadInfo& settings, int pen, int classBits) {
    CDtbInfo info;
    info.red = settings.Pen[pen][0];
    info.green = settings.Pen[pen][1];
    info.blue = settings.Pen[pen][2];
    info.penWidth = settings.PenWide[pen];
    info.penKind = settings.PenKind[pen];
    info.classBits = classBits;
    return info;
}
inline CDtbInfo RapidPen(const CNcReadInfo& settings) {
    return PunchPenInfo(settings, PenFF, kDtbClassRapid);
}
inline CDtbInfo PunchPen(const CNcReadInfo& settings) {
    return PunchPenInfo(settings, PenPunch, kDtbClassPunch);
}
