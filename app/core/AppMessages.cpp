// Message texts of the application core.
#include "app/core/AppMessages.h"

#include <vector>

#include "platform/StringTable.h"

namespace {

std::string BuiltInText(int id) {
    switch (id) {
        case kMsgPleaseWait:
            return "Please wait.";
        case kMsgLogOpenError:
            return "Log file open error";
        case kMsgAskRestoreLog:
            return "There is a log file. Do you want to restore it?\n%s";
        case kMsgAskCleanLogFolder:
            return "Do you want to clean up contents of  LOG folder?";
        case kMsgAskRestoreThisLog:
            return "Do you want to restore [%s]?";
        case kMsgAskTakeOldSettings:
            return "旧バージョンで作成された設定ファイルを認識しました。\nこの設定を引き継ぎますか"
                   "？\n\n"
                   "※｢いいえ｣を押下すると旧設定ファイルは削除されます。";
        case kMsgExtMachineMissing:
            return "拡張子に関連付けされた機械設定ファイルが見つかりません。\nシステム設定を確認し"
                   "て下さい。"
                   "\n\n拡張子:[%s]\n機械設定ファイル名:[%s]";
        case kMsgSubProgramSaveFailed:
            return "サブプログラムファイルの保存に失敗しました。\n\n[%s]";
        case kMsgCannotWrite:
            return "The file cannot be written:\n%s";
        case kMsgAskSaveOnClose:
            return "Do you want to save? [%1]";
        case kMsgFileChanged:
        case kMsgFileChangedModified:
            return "%1\nA change is added to this file. Does it loading again?";
        case kMsgLogFileTitle:
            return "Log file";
        case kMsgConvertedBy:
            return "NC data was converted by [%s] setting";
        case kMsgNothingConverted:
            return "No string to covert is found \n\nFaile to convert string";
        case kMsgLongLine:
            return "Line %s is longer than 127 bytes.\nIt is kept whole, but the machine may not "
                   "accept it.";
        case kMsgBlockLimit:
            return "The NC program was read for %s blocks without ending; reading stopped at "
                   "line %s.\nCheck it for sub-program calls or jumps that never return.";
        case kMsgCountLimit:
            return "A repeat count or multi-part grid at line %s is beyond its bound; reading "
                   "stopped there.";
        case kMsgConvertFaults:
            return "These lines could not be converted and are read as written: %s\n"
                   "(a grid repetition that holds itself, or an origin shift without a line "
                   "after it)";
        case kMsgLostLinesOnSave:
            return "These lines after M30 belong to no sub-program and are not saved:\n%s";
        case kMsgAskSaveChanges:
            return "Save changes to %1?";
        case kMsgAskRestoreOverNewerFile:
            return "%1\nThis file was changed after the recovery log was written.\nDo you want "
                   "to restore the log over it? The file is kept as %2.";
        case kMsgUnexpectedError:
            return "An unexpected error occurred: %1\nIt was written to the exception log %2.\n"
                   "The program goes on; save your work.";
        case kMsgHiddenAfterEndMark:
            return "Reading stopped at a 0x1A byte (an end-of-file mark) on line %s.\nThe rest "
                   "of the file is not shown, drawn or checked; it is kept and saved as it was.";
        case kMsgRestoreBackupFailed:
            return "%1 could not be copied to %2.\nThe recovery log was not restored.";
        case kMsgSaveBackupFailed:
            return "%1 could not be copied to %2.\nThe file was not saved: its last saved text "
                   "is kept.";
        case kMsgRecoveredAsNewDocument:
            return "The recovered text opens as a new document without a file name.\nSave asks "
                   "where to write it; the recovery log is kept until then.";
        case kMsgRecoveredTitle:
            return "%1 (recovered from %2)";
        default:
            return {};
    }
}

}  // namespace

std::string AppMessage(int id) {
    // The string table wins once it holds the id; the built-in text keeps messages readable
    // without it.
    std::string text = platform::LoadString(unsigned(id));
    if (!text.empty()) return text;
    return BuiltInText(id);
}

std::string FillMessage(std::string_view text, std::initializer_list<std::string_view> args) {
    std::vector<std::string_view> a(args);
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 1 < text.size()) {
            char d = text[i + 1];
            if (d == 's' || d == 'd') {
                if (next < a.size()) out += a[next];
                ++next;
                ++i;
                continue;
            }
            if (d >= '1' && d <= '9') {
                size_t k = size_t(d - '1');
                if (k < a.size()) out += a[k];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}
