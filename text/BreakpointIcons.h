// The four row images of the NC line list (14 x 14): 0 empty, 1 red mark (breakpoint on),
// 2 yellow mark (disabled), 3 empty.
#pragma once

#include <QIcon>

const QIcon& BreakpointIcon(int index);
