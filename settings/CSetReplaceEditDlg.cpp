// The table name dialog: its checks, then the file created or renamed.
#include "settings/CSetReplaceEditDlg.h"

#include <QLineEdit>
#include <system_error>

#include "nc/machine/CNcReplaceInfo.h"
#include "platform/StringTable.h"
#include "settings/ReplaceTableRules.h"
#include "settings/SettingsMessages.h"
#include "settings/SharedReplaceTable.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kNameBytes = 255;
constexpr size_t kCommentBytes = 4096;

}  // namespace

CSetReplaceEditDlg::CSetReplaceEditDlg(SettingsContext& ctx, std::string oldName,
                                       std::string comment, std::vector<std::string> listNames,
                                       int mode, QWidget* parent)
    : CSettingsDialog(178, ctx, parent),
      Name(oldName),
      Comment(std::move(comment)),
      oldName_(std::move(oldName)),
      listNames_(std::move(listNames)),
      mode_(mode) {
    // A table name is a file name (native); the comment is text of the table file.
    bindings_.Text(Ctl<QLineEdit>(1133), &Name, kNameBytes, TextEncoding::Native);
    bindings_.Text(Ctl<QLineEdit>(1134), &Comment, kCommentBytes);
}

bool CSetReplaceEditDlg::OnInitDialog() {
    CSettingsDialog::OnInitDialog();
    setWindowTitle(QString::fromStdString(
        platform::LoadString(Name.empty() ? kTitleNewTable : kTitleEditTable)));
    return true;
}

std::string CSetReplaceEditDlg::FolderAnd(const std::string& name) const {
    std::string folder =
        ctx_.Nc ? SharedReplaceTable(*ctx_.Nc).TableFolder.string() : std::string();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + name;
}

void CSetReplaceEditDlg::Refuse(unsigned message, const std::string& argument) {
    ctx_.MessageText(FillPlaceholders(platform::LoadString(message), {argument}),
                     platform::PromptIcon::Warning);
    QLineEdit* name = Ctl<QLineEdit>(1133);
    name->setFocus(Qt::OtherFocusReason);
}

void CSetReplaceEditDlg::OnOK() {
    const std::string before = Name, beforeComment = Comment;
    if (!bindings_.Take(ctx_.Prompt) || !ctx_.Nc) return;
    const TableNameCheck check = CheckTableName(Name);
    const std::string name = check.name;
    const std::string comment = Comment;
    // The dialog's members change only on success.
    Name = before;
    Comment = beforeComment;
    if (check.message) return Refuse(check.message, name);

    CNcReplaceInfo& tables = SharedReplaceTable(*ctx_.Nc);
    const bool ownName = mode_ == 0 && SameNameIgnoringCase(name, oldName_);
    for (const std::string& listed : listNames_) {
        if (!SameNameIgnoringCase(listed, name)) continue;
        if (!ownName) return Refuse(kMsgTableNameTaken, name);
        break;
    }
    // A file of that name on disk, in any letter case, is taken too: also one made since the
    // list was read, and one the list does not show. The table's own file may take a new case.
    std::error_code ec;
    if (!ownName && fs::exists(tables.TablePath(name), ec)) return Refuse(kMsgTableNameTaken, name);

    int done = 0;
    if (mode_ == 1) {
        done = tables.CreateTable(name, comment);
        if (!done) return Refuse(kMsgCreateTableFailed, FolderAnd(name));
    } else {
        done = tables.TableExists(oldName_) ? tables.RenameTable(oldName_, name, comment) : 0;
        if (!done) return Refuse(kMsgEditTableFailed, FolderAnd(oldName_));
    }
    Name = name;
    Comment = comment;
    accept();
}
