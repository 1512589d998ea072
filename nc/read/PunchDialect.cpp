// The punch dialect normaliser: rewrites other makers' punch languages into the native one.
#include "nc/read/CNcRead.h"

// The slash statement language and the Nisshinbo codes are rewritten here; until that
// rewriting is in place the lines pass through unchanged.
void CNcRead::NormalizePunchDialect() {}
