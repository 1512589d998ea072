// Texts of the messages and questions of the document, the configuration folder and the log.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Message ids, as the string table numbers them.
enum AppMessageId : int {
    kMsgPleaseWait = 20072,
    kMsgLogOpenError = 20092,
    kMsgAskRestoreLog = 20093,
    kMsgAskCleanLogFolder = 20094,
    kMsgAskRestoreThisLog = 20095,
    kMsgAskTakeOldSettings = 20105,
    kMsgExtMachineMissing = 20106,
    kMsgSubProgramSaveFailed = 20107,
    kMsgCannotWrite = 29016,
    kMsgAskSaveOnClose = 61502,
    kMsgFileChanged = 61537,
    kMsgFileChangedModified = 61538,
    kMsgLogFileTitle = 61688,
    kMsgConvertedBy = 61655,
    kMsgNothingConverted = 61656,
    // Texts of our own, for the guards added to loading, interpretation and recovery.
    kMsgLongLine = 29101,
    kMsgBlockLimit = 29102,
    kMsgLostLinesOnSave = 29103,
    kMsgAskSaveChanges = 29104,
    kMsgCountLimit = 29105,
    kMsgConvertFaults = 29106,
    kMsgAskRestoreOverNewerFile = 29107,
    kMsgRestoreBackupFailed = 29108,
    kMsgUnexpectedError = 29111,
    kMsgHiddenAfterEndMark = 29120,
    kMsgSaveBackupFailed = 29121,
    kMsgRecoveredAsNewDocument = 29122,
    kMsgRecoveredTitle = 29123,
};

// The text of id from the string table in the user-interface language, else the built-in
// English text (the Japanese one where the original had only that), UTF-8, with its
// placeholders ("%s", "%d" or "%1") left in.
std::string AppMessage(int id);

// Puts the arguments in place of the placeholders "%s", "%d" and "%1".."%9", in order for the
// first two forms. The arguments are taken as text, never as a format.
std::string FillMessage(std::string_view text, std::initializer_list<std::string_view> args);

// The fixed text shown when a folder of the configuration cannot be made.
inline constexpr const char* kConfigFolderErrorText =
    "設定ファイルパス作成エラー Error no:1000\nfailed in making of a Config folder.Error no : 1000";
