// String-table ids of the settings dialogs' own messages and captions.
#pragma once

#include "nc/machine/MachineStrings.h"  // FillPlaceholders

// Data exchange (the dialog framework's messages in the original).
inline constexpr unsigned kMsgEnterInteger = 29300;
inline constexpr unsigned kMsgEnterNumber = 29301;
inline constexpr unsigned kMsgIntegerRange = 29302;  // %s, %s: the limits
inline constexpr unsigned kMsgNumberRange = 29303;   // %s, %s: the limits
inline constexpr unsigned kMsgEnterPositiveInteger = 29304;
inline constexpr unsigned kMsgTextNotStorable = 29305;
// The machine sheet: an open whose copy over the working copy failed (%s: the file).
inline constexpr unsigned kMsgMachineCopyFailed = 29306;
// A file the user may not write (%s: the file).
inline constexpr unsigned kMsgCannotWrite = 29016;

// Captions and messages of the machine settings sheet and its pages.
inline constexpr unsigned kCaptionMachineSheet = 107;
inline constexpr unsigned kMsgMurataZeroTimes = 20073;
inline constexpr unsigned kColumnFindWhat = 61504;
inline constexpr unsigned kColumnReplaceWith = 61505;
inline constexpr unsigned kMsgEnterFindText = 61506;
inline constexpr unsigned kTitleMachineFile = 61533;
inline constexpr unsigned kFilterMachineFile = 61534;
inline constexpr unsigned kCaptionExtension = 61694;
inline constexpr unsigned kCaptionMachine = 61695;
inline constexpr unsigned kTitleExtensionSetting = 61696;
inline constexpr unsigned kMsgEnterMachineFile = 61698;
