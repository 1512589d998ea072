// Messages of the document, the configuration folder and the recovery log in both languages.
#include "app/core/AppMessages.h"

#include <gtest/gtest.h>

#include "platform/StringTable.h"

// With /JP every message of the application core is Japanese: each id is in the string table
// with a Japanese text of its own.
TEST(AppMessages, EveryMessageHasBothLanguages) {
    const AppMessageId ids[] = {
        kMsgPleaseWait,          kMsgLogOpenError,
        kMsgAskRestoreLog,       kMsgAskCleanLogFolder,
        kMsgAskRestoreThisLog,   kMsgAskTakeOldSettings,
        kMsgExtMachineMissing,   kMsgSubProgramSaveFailed,
        kMsgCannotWrite,         kMsgAskSaveOnClose,
        kMsgFileChanged,         kMsgFileChangedModified,
        kMsgLogFileTitle,        kMsgLongLine,
        kMsgBlockLimit,          kMsgLostLinesOnSave,
        kMsgAskSaveChanges,      kMsgCountLimit,
        kMsgConvertFaults,       kMsgAskRestoreOverNewerFile,
        kMsgRestoreBackupFailed, kMsgUnexpectedError,
        kMsgHiddenAfterEndMark,  kMsgSaveBackupFailed,
        kMsgRecoveredTitle,      kMsgRecoveredAsNewDocument,
    };
    platform::StringTable table;
    ASSERT_TRUE(table.Load(platform::DefaultStringTablePath()));
    for (AppMessageId id : ids) {
        const std::string en = table.Get(id, platform::Language::English);
        const std::string ja = table.Get(id, platform::Language::Japanese);
        EXPECT_FALSE(en.empty()) << id;
        EXPECT_NE(ja, en) << id;
    }
    platform::SetLanguage(platform::Language::Japanese);
    EXPECT_EQ(AppMessage(kMsgAskRestoreLog), "ログファイルが存在します。復元しますか？\n%s");
    EXPECT_EQ(AppMessage(kMsgLongLine).substr(0, 8), "%s行目");
    platform::SetLanguage(platform::Language::English);
    EXPECT_EQ(AppMessage(kMsgAskRestoreLog), "There is a log file. Do you want to restore it?\n%s");
}
