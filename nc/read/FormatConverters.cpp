// The program format converters: point lists, plotter commands, type-5 programs, the laser
// job language and main programs with sub-programs, each rewritten into G-code.
#include "nc/read/CNcRead.h"

// Each converter works on Lines and keeps LineMap in step. Until the conversions are in
// place the lines pass through unchanged.
void CNcRead::ConvertPointList() {}
void CNcRead::ConvertPlotter() {}
void CNcRead::ConvertType5() {}
void CNcRead::ConvertJob() {}
void CNcRead::ConvertMainProgram() {}
