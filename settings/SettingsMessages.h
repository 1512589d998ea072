// String-table ids of the settings dialogs' own messages and captions.
#pragma once

#include <string>

#include "nc/machine/MachineStrings.h"  // FillPlaceholders
#include "platform/StringTable.h"

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
// A settings file that could not be written and was left as it was (%s: the file).
inline constexpr unsigned kMsgSettingsNotWritten = 29150;

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

// The system settings sheet and its pages.
inline constexpr unsigned kCaptionSystemSheet = 102;
inline constexpr unsigned kDefaultMachineFile = 61532;
inline constexpr unsigned kTitleDieFolder = 20066;
inline constexpr unsigned kTitleSheetProgram = 61541;
inline constexpr unsigned kFilterSheetProgram = 61542;
inline constexpr unsigned kTitleCadProgram = 61578;
inline constexpr unsigned kFilterCadProgram = 61579;
inline constexpr unsigned kTitleSaveDxf = 61581;
inline constexpr unsigned kFilterDxf = 61582;
inline constexpr unsigned kPenItems = 61616;
inline constexpr unsigned kLineTypeItems = 61617;
inline constexpr unsigned kMsgNoCutLayer = 61625;
inline constexpr unsigned kMsgNoMarkLayer = 61626;
inline constexpr unsigned kMsgNoRapidLayer = 61627;
inline constexpr unsigned kMsgNoCadProgram = 61628;
inline constexpr unsigned kMsgCadProgramMissing = 61629;  // %s: the program
inline constexpr unsigned kMsgNoDxfFileName = 61630;
inline constexpr unsigned kMsgNoDxfFolder = 61632;  // %s: the folder
inline constexpr unsigned kDefaultAppTitle = 61650;
inline constexpr unsigned kTitleOutsideApp = 61652;
inline constexpr unsigned kFilterOutsideApp = 61653;
inline constexpr unsigned kMsgNoApproachLayer = 61691;
inline constexpr unsigned kMsgNoJointLayer = 61692;
// Programs have no extension on Linux: the program choosers list every file first.
inline constexpr unsigned kFilterPrograms = 29307;

// The filter of a program chooser: every file first (Linux programs have no extension), then
// the filter of string id.
inline std::string ProgramFilter(unsigned id) {
    return platform::LoadString(kFilterPrograms) + platform::LoadString(id);
}

// The conversion-table dialogs.
inline constexpr unsigned kColumnTableName = 61583;
inline constexpr unsigned kColumnTableComment = 61584;
inline constexpr unsigned kAskDeleteTable = 61585;        // %s: the name
inline constexpr unsigned kMsgCreateTableFailed = 61586;  // %s: folder and name
inline constexpr unsigned kMsgEditTableFailed = 61587;    // %s: folder and old name
inline constexpr unsigned kMsgTableNameTaken = 61588;     // %s: the name
inline constexpr unsigned kMsgDeleteTableFailed = 61589;  // %s: the file
inline constexpr unsigned kColumnFind = 61591;
inline constexpr unsigned kColumnConvert = 61592;
inline constexpr unsigned kColumnStart = 61593;
inline constexpr unsigned kColumnEnd = 61594;
inline constexpr unsigned kMsgEnterFindTextRow = 61595;
inline constexpr unsigned kMsgEnterTableName = 61598;
inline constexpr unsigned kTitleNewTable = 61599;
inline constexpr unsigned kTitleEditTable = 61600;
inline constexpr unsigned kTipEditNameComment = 61601;
inline constexpr unsigned kTipNewTable = 61602;
inline constexpr unsigned kTipDeleteTable = 61603;
inline constexpr unsigned kMsgTableMissing = 61604;      // %s: the file name
inline constexpr unsigned kMsgInvalidTableName = 61608;  // %s: the name
inline constexpr unsigned kTipAddRow = 61609;
inline constexpr unsigned kTipDeleteRow = 61610;
inline constexpr unsigned kTipUp = 61611;
inline constexpr unsigned kTipDown = 61612;
inline constexpr unsigned kTipEditRow = 61613;

// The condition-table dialogs.
inline constexpr unsigned kColumnConditionNo = 61466;
inline constexpr unsigned kColumnDiameter = 61467;
inline constexpr unsigned kColumnLength = 61468;
inline constexpr unsigned kColumnName = 61669;
inline constexpr unsigned kColumnColour = 61670;
inline constexpr unsigned kOtherRow = 61675;
// The condition table could not be written (%s: the file).
inline constexpr unsigned kMsgConditionsNotWritten = 29308;

// The punch-tool page and the die dialogs.
inline constexpr unsigned kTitlePossessedFile = 61521;
inline constexpr unsigned kFilterPossessedFile = 61522;
inline constexpr unsigned kTitleArrangementFile = 61523;
inline constexpr unsigned kFilterArrangementFile = 61524;
inline constexpr unsigned kCaptionDieList = 29700;  // %s: the long name of the filter
inline constexpr unsigned kMsgSelectDie = 29701;
inline constexpr unsigned kCaptionPunch = 29702;
inline constexpr unsigned kMsgDieNumberTaken = 29703;
inline constexpr unsigned kCaptionError = 29704;
inline constexpr unsigned kMsgDieNumberRange = 29705;
inline constexpr unsigned kMsgDieTableFull = 29706;  // %s: the most dies
inline constexpr unsigned kMsgChooseShape = 29707;
inline constexpr unsigned kMsgStationDieNumber = 29708;
inline constexpr unsigned kCaptionSizeY = 29709;
inline constexpr unsigned kCaptionDirection = 29710;
inline constexpr unsigned kCaptionUp = 29711;
inline constexpr unsigned kCaptionDown = 29712;
inline constexpr unsigned kCaptionRightThread = 29713;
inline constexpr unsigned kCaptionLeftThread = 29714;
inline constexpr unsigned kRotationItems = 29715;
inline constexpr unsigned kTitleShapeFile = 29716;
inline constexpr unsigned kFilterShapeFile = 29717;
inline constexpr unsigned kTitleArrangementChoice = 29718;
inline constexpr unsigned kFilterArrangementChoice = 29719;
inline constexpr unsigned kFilterLongNames = 29720;
inline constexpr unsigned kShapeComboItems = 29721;
inline constexpr unsigned kMsgShapeFileNotStorable = 29722;   // %s: the file name
inline constexpr unsigned kMsgStationDieBeyondTable = 29723;  // %s: the die number
inline constexpr unsigned kMsgStationCodeComma = 29724;
