// The manual move: one axis word of one NC line changed by a step, within the rotary limits.
#pragma once

class NcOpsHost;

// Axis 0-4 is X, Y, Z, C, A; line a document line index. The comment from the line's first
// '(' is set aside (a line that is only a comment gives 0); the rest goes through ShiftLine
// with a one-axis copy of the machine settings (ZeroTimes, NcFigure, ZeroSuppress and HeadType
// taken over) and the rotary limits checked (message 20091 through the host's prompt when
// they are exceeded). When the line changed it is replaced and host.LinesChanged() called;
// returns 1. Returns 0 when nothing changed, while a trace is active, and for an axis or a
// line out of range.
int ManualMoveLine(NcOpsHost& host, int axis, int line, double step);
