// The numeric ids of the main frame's commands, as the menus, tool bars and rules key them.
#pragma once

namespace cmd {

// File
inline constexpr int New = 57600;
inline constexpr int Open = 57601;
inline constexpr int Save = 57603;
inline constexpr int SaveAs = 57604;
inline constexpr int PrintSetup = 57606;
inline constexpr int Print = 57607;
inline constexpr int RecentFile1 = 57616;  // the recent-file list: 57616 + n, n = 0..15
inline constexpr int RecentFileLast = 57631;
inline constexpr int Exit = 57665;
inline constexpr int OpenSheet = 32858;
inline constexpr int OutputDxf = 32877;
inline constexpr int BatchOutputDxf = 32909;
inline constexpr int Boot = 32883;
inline constexpr int Boot2 = 32912;
// Edit
inline constexpr int Undo = 57643;
inline constexpr int Redo = 57644;
inline constexpr int Cut = 57635;
inline constexpr int Copy = 57634;
inline constexpr int Paste = 57637;
inline constexpr int ShiftCoord = 32861;
inline constexpr int CheckNc = 32862;
inline constexpr int GetSubProgram = 32863;
inline constexpr int ConvertNc = 32884;
inline constexpr int ConvertG08 = 32895;
inline constexpr int InsertStr1 = 32898;  // 32898 .. 32905: fixed phrases 1 to 8
inline constexpr int InsertStr8 = 32905;
inline constexpr int Smooth = 32906;
inline constexpr int ManualMove = 32907;
// Search
inline constexpr int Find = 32850;
inline constexpr int FindNext = 32851;
inline constexpr int FindPrevious = 32852;
inline constexpr int Replace = 32853;
// View
inline constexpr int BarStandard = 32860;
inline constexpr int BarEdit = 32840;
inline constexpr int BarZoom = 32841;
inline constexpr int BarScroll = 32843;
inline constexpr int BarOperation = 32845;
inline constexpr int BarTrace = 32844;
inline constexpr int BarProperty = 32846;
inline constexpr int ButtonText = 32815;
inline constexpr int StatusBar = 59393;
inline constexpr int Split = 57653;
inline constexpr int ViewTop = 32780;  // 32780 .. 32784: Top, Front, Left, ISO, Split by 4
inline constexpr int ViewFront = 32781;
inline constexpr int ViewLeft = 32782;
inline constexpr int ViewIso = 32783;
inline constexpr int ViewSplit4 = 32784;
inline constexpr int OpScroll = 32835;
inline constexpr int OpZoom = 32836;
inline constexpr int RotateView = 32828;
inline constexpr int Fit = 32778;
inline constexpr int AllFit = 32791;
inline constexpr int ZoomIn = 32777;
inline constexpr int ZoomOut = 32776;
inline constexpr int ScrollUp = 32792;
inline constexpr int ScrollDown = 32793;
inline constexpr int ScrollLeft = 32794;
inline constexpr int ScrollRight = 32795;
inline constexpr int EdgeDisp = 32847;
inline constexpr int AcAxis = 32897;
inline constexpr int XyzAxis = 32914;
// Trace
inline constexpr int Run = 32801;
inline constexpr int Step = 32798;
inline constexpr int Cancel = 32800;
inline constexpr int NextStep = 32802;
inline constexpr int SpeedHigh = 32808;
inline constexpr int SpeedNormal = 32809;
inline constexpr int SpeedLow = 32810;
inline constexpr int BreakOn = 32803;
inline constexpr int BreakOff = 32804;
inline constexpr int BreakWait = 32805;
inline constexpr int BreakAllEnable = 32811;
inline constexpr int BreakAllRelease = 32812;
inline constexpr int BreakAllDisable = 32813;
// Setup
inline constexpr int Property = 32821;
inline constexpr int PropertyMachine = 32822;
inline constexpr int PropertyCondition = 32823;
inline constexpr int PropertyConversion = 32880;
// Help
inline constexpr int HelpContents = 57667;
inline constexpr int About = 57664;
// Panes
inline constexpr int NextPane = 57680;
inline constexpr int PreviousPane = 57681;

inline constexpr bool IsInsertStr(int id) {
    return id >= InsertStr1 && id <= InsertStr8;
}
inline constexpr bool IsRecentFile(int id) {
    return id >= RecentFile1 && id <= RecentFileLast;
}

}  // namespace cmd
