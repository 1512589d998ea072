// The font and class colours the NC text views take from their settings ([NcTextView]).
#pragma once

#include <QColor>
#include <QFont>
#include <array>

#include "text/core/NcTextViewSettings.h"

// A stored colour component keeps its low eight bits.
QColor NcColour(const NcTextViewSettings::Rgb& rgb);

// The text colours of the four line classes (NcColourClass order: plain, program number,
// sub-program call, comment).
std::array<QColor, 4> NcClassColours(const NcTextViewSettings& settings);

// The stored face at the stored size; a fixed-pitch face when the stored one (a Windows font
// by default) is not installed.
QFont NcTextFont(const NcTextViewSettings& settings);
