// The "Fixed phrase" page: sixteen texts of section InsertStr.
#include "settings/CSetMachinePage6.h"

#include <QLineEdit>

#include "platform/Numbers.h"
#include "settings/ProfileEdit.h"

namespace {

constexpr const char* kInsertStr = "InsertStr";
constexpr size_t kCommentBytes = 32;
constexpr size_t kPhraseBytes = 128;
constexpr int kCommentEdit[8] = {1184, 1047, 1049, 1051, 1053, 1055, 1057, 1059};
constexpr int kPhraseEdit[8] = {1185, 1048, 1050, 1052, 1054, 1056, 1058, 1060};

}  // namespace

CSetMachinePage6::CSetMachinePage6(SettingsContext& ctx, QWidget* parent)
    : CMachinePage(9915, ctx, parent) {
    ReadMachineFile(0, 1);
    for (int i = 0; i < 8; ++i) {
        bindings_.Text(Ctl<QLineEdit>(kCommentEdit[i]), &Comment[size_t(i)], kCommentBytes);
        bindings_.Text(Ctl<QLineEdit>(kPhraseEdit[i]), &String[size_t(i)], kPhraseBytes);
    }
    bindings_.Show();
}

int CSetMachinePage6::ReadMachineFile(int updateControls, int useWorkingCopy) {
    ProfileEdit f(TargetFile(useWorkingCopy));
    for (size_t i = 0; i < 8; ++i) {
        const std::string n = platform::FormatInt(long(i + 1));
        Comment[i] = f.Text(kInsertStr, "Comment" + n, "", kCommentBytes);
        String[i] = f.Text(kInsertStr, "String" + n, "", kPhraseBytes);
    }
    if (updateControls) bindings_.Show();
    return 1;
}

int CSetMachinePage6::WriteMachineFile(int updateData, int useWorkingCopy) {
    if (updateData) bindings_.Take(nullptr);
    ProfileEdit f(TargetFile(useWorkingCopy));
    for (size_t i = 0; i < 8; ++i) {
        const std::string n = platform::FormatInt(long(i + 1));
        f.Set(kInsertStr, "Comment" + n, Comment[i]);
        f.Set(kInsertStr, "String" + n, String[i]);
    }
    return f.Save() ? 1 : 0;
}
