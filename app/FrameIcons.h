// The images of the tool-bar buttons: the style's standard icons where one fits, else small
// glyphs drawn here.
#pragma once

#include <QIcon>

QIcon CommandIcon(int command);
