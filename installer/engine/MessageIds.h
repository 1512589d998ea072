// The installer's string ids (rows kStringBase + id of the string table).
#pragma once

namespace installer::msg {

constexpr unsigned kSetupFileBroken = 102;  // the setup file is broken or missing
constexpr unsigned kTermsOfUse = 103;
constexpr unsigned kInfoTitle = 105;
constexpr unsigned kLicenseTitle = 106;
constexpr unsigned kFolderTitle = 107;
constexpr unsigned kModeTitle = 108;
constexpr unsigned kComponentTitle = 109;
constexpr unsigned kSpecifyFolderOf = 110;  // "... : choose where to install it"
constexpr unsigned kProgramFolderTitle = 111;
constexpr unsigned kSummaryTitle = 112;
constexpr unsigned kProgressTitle = 113;
constexpr unsigned kRootFolder = 114;   // cannot install into the root folder
constexpr unsigned kNotFullPath = 115;  // give a full path
constexpr unsigned kLowSpace = 116;     // only %u MiB free: install anyway?
constexpr unsigned kNoMemory = 117;
constexpr unsigned kStandard = 118;
constexpr unsigned kCustom = 119;
constexpr unsigned kSummaryFolder = 121;
constexpr unsigned kSummaryProgramFolder = 122;
constexpr unsigned kSummaryMode = 123;
constexpr unsigned kInstallFinished = 125;
constexpr unsigned kInstallsInto = 126;
constexpr unsigned kComponentName = 127;
constexpr unsigned kWelcome = 128;
constexpr unsigned kInstallTitle = 129;  // "installation of %s    %s"
constexpr unsigned kEndTitle = 130;
constexpr unsigned kBulkWelcome = 131;
constexpr unsigned kBulkModeTitle = 132;
constexpr unsigned kBulkModulesTitle = 133;
constexpr unsigned kBulkModuleColumn = 134;
constexpr unsigned kBulkCaption = 135;
constexpr unsigned kBulkInstalling = 137;
constexpr unsigned kCopyFailed = 139;  // file transfer failed; installation of %s stops
constexpr unsigned kBulkQuit = 141;
constexpr unsigned kBulkResultModule = 142;
constexpr unsigned kBulkResultColumn = 143;
constexpr unsigned kBulkDone = 144;
constexpr unsigned kBulkFailed = 145;
constexpr unsigned kBulkEndTitle = 146;
constexpr unsigned kNoComponent = 147;
constexpr unsigned kUnknownDrive = 148;
constexpr unsigned kBulkTitle = 149;
constexpr unsigned kUninstallTitle = 150;  // "uninstallation of %s"
constexpr unsigned kUninstallStartFailed = 151;
constexpr unsigned kUninstallWelcome = 152;
constexpr unsigned kUninstalling = 153;
constexpr unsigned kUninstallEnd = 154;
constexpr unsigned kNoModules = 155;
constexpr unsigned kNoProgramFolder = 156;
constexpr unsigned kMissingFile = 157;  // %s does not exist
constexpr unsigned kRunFailed = 158;    // running %s failed
constexpr unsigned kInstallNotFinished = 159;
constexpr unsigned kFileInTheWay = 160;
constexpr unsigned kFolderNotCreated = 161;
constexpr unsigned kNoSuchDrive = 162;
constexpr unsigned kReadOnlyDrive = 163;
constexpr unsigned kUnusableDrive = 164;
constexpr unsigned kModuleStops = 165;
constexpr unsigned kBulkFolderQuestion = 166;
constexpr unsigned kInstallNewFirst = 167;
constexpr unsigned kBulkPropertyColumn = 168;
constexpr unsigned kProgramRunning = 171;

}  // namespace installer::msg
