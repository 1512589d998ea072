// The conversion-table list: its commands work on the table files through the shared table
// object; "Close" writes nothing.
#include "settings/CSetReplaceDlg.h"

#include <QHeaderView>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "app/core/RunConversionTable.h"
#include "nc/machine/CNcReplaceInfo.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "settings/CSetReplaceDataDlg.h"
#include "settings/CSetReplaceEditDlg.h"
#include "settings/ListRows.h"
#include "settings/SettingsIcons.h"
#include "settings/SettingsMessages.h"
#include "settings/SharedReplaceTable.h"

namespace {

QString Str(unsigned id) {
    return QString::fromStdString(platform::LoadString(id));
}

}  // namespace

CSetReplaceDlg::CSetReplaceDlg(SettingsContext& ctx, QWidget* parent)
    : CSettingsDialog(176, ctx, parent) {
    list_ = Ctl<QTreeWidget>(1129);
    const struct {
        int id, icon;
        unsigned tip;
        void (CSetReplaceDlg::*command)();
    } buttons[] = {{1127, 180, kTipEditNameComment, &CSetReplaceDlg::OnEditNameComment},
                   {1130, 177, kTipNewTable, &CSetReplaceDlg::OnNew},
                   {1128, 176, kTipDeleteTable, &CSetReplaceDlg::OnDelete}};
    for (const auto& b : buttons) {
        QToolButton* button = Ctl<QToolButton>(b.id);
        button->setIcon(SettingsIcon(b.icon));
        button->setToolTip(Str(b.tip));
        connect(button, &QToolButton::clicked, this, b.command);
    }
    connect(Ctl<QPushButton>(1131), &QPushButton::clicked, this, &CSetReplaceDlg::OnConvert);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { OnOpenRows(); });
    KeepRowMark(list_);
}

bool CSetReplaceDlg::OnInitDialog() {
    SetUpReportList(list_, false);
    list_->setColumnCount(2);
    list_->setHeaderLabels({Str(kColumnTableName), Str(kColumnTableComment)});
    list_->header()->resizeSection(0, 150);
    list_->header()->resizeSection(1, 338);
    Fill();
    list_->setFocus(Qt::OtherFocusReason);
    if (!names_.empty()) MarkRow(list_, 0);
    // Running a table on the text being edited is left to the editor's own commands.
    if (ctx_.EditMode) Ctl<QPushButton>(1131)->setEnabled(false);
    return true;
}

void CSetReplaceDlg::Fill() {
    list_->clear();
    names_.clear();
    comments_.clear();
    if (!ctx_.Nc) return;
    CNcReplaceInfo& tables = ReplaceSharedTable(*ctx_.Nc);
    tables.ListTables();
    for (size_t i = 0; i < tables.TableNames.size(); ++i)
        AddRow(tables.TableNames[i],
               i < tables.TableComments.size() ? tables.TableComments[i] : "");
}

void CSetReplaceDlg::RefreshList() {
    Fill();
}

void CSetReplaceDlg::AddRow(const std::string& name, const std::string& comment) {
    names_.push_back(name);
    comments_.push_back(comment);
    new QTreeWidgetItem(list_);
    ShowRow(int(names_.size()) - 1);
}

void CSetReplaceDlg::ShowRow(int row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    if (!item) return;
    item->setText(0, QString::fromStdString(names_[size_t(row)]));
    item->setText(1, QString::fromStdString(platform::Cp932ToUtf8(comments_[size_t(row)])));
}

void CSetReplaceDlg::RemoveRow(int row) {
    delete list_->takeTopLevelItem(row);
    names_.erase(names_.begin() + row);
    comments_.erase(comments_.begin() + row);
}

int CSetReplaceDlg::CurrentRow() const {
    return FirstSelectedRow(list_, true);
}

void CSetReplaceDlg::OnEditNameComment() {
    const int row = CurrentRow();
    if (row < 0 || !ctx_.Nc) return;
    const std::string name = names_[size_t(row)];
    if (!SharedReplaceTable(*ctx_.Nc).TableExists(name)) {
        ctx_.MessageText(FillPlaceholders(platform::LoadString(kMsgTableMissing),
                                          {CNcReplaceInfo::WithExtension(name)}),
                         platform::PromptIcon::Warning);
        list_->setFocus(Qt::OtherFocusReason);
        RemoveRow(row);
        return;
    }
    CSetReplaceEditDlg dlg(ctx_, name, comments_[size_t(row)], names_, 0, this);
    if (dlg.Run() != QDialog::Accepted) return;
    names_[size_t(row)] = dlg.Name;
    comments_[size_t(row)] = dlg.Comment;
    ShowRow(row);
    MarkRow(list_, row);
}

void CSetReplaceDlg::OnNew() {
    CSetReplaceEditDlg edit(ctx_, "", "", names_, 1, this);
    if (edit.Run() != QDialog::Accepted) return;
    // The table file exists now, empty; its row goes at the end (the list is not sorted).
    AddRow(edit.Name, edit.Comment);
    const int row = int(names_.size()) - 1;
    CSetReplaceDataDlg rows(ctx_, edit.Name, edit.Comment, this);
    const int result = rows.Run();
    if (result == QDialog::Accepted)
        MarkRow(list_, row);
    else if (result == CSetReplaceDataDlg::kTableGone)
        RemoveRow(row);
}

void CSetReplaceDlg::OnDelete() {
    const int row = CurrentRow();
    if (row < 0 || !ctx_.Nc) return;
    const std::string name = names_[size_t(row)];
    if (ctx_.MessageText(FillPlaceholders(platform::LoadString(kAskDeleteTable), {name}),
                         platform::PromptIcon::Question,
                         platform::PromptButtons::YesNo) != platform::PromptAnswer::Yes)
        return;
    CNcReplaceInfo& tables = SharedReplaceTable(*ctx_.Nc);
    if (tables.DeleteTable(name)) {
        RemoveRow(row);
        MarkRow(list_, row < int(names_.size()) ? row : row - 1);
        return;
    }
    std::string path = tables.TableFolder.string();
    if (!path.empty() && path.back() != '/') path += '/';
    ctx_.MessageText(FillPlaceholders(platform::LoadString(kMsgDeleteTableFailed),
                                      {path + CNcReplaceInfo::WithExtension(name)}),
                     platform::PromptIcon::Warning);
    RefreshList();
}

void CSetReplaceDlg::OnOpenRows() {
    const int row = CurrentRow();
    if (row < 0 || !ctx_.Nc) return;
    const std::string name = names_[size_t(row)];
    CSetReplaceDataDlg rows(ctx_, name, comments_[size_t(row)], this);
    if (rows.Run() != CSetReplaceDataDlg::kTableGone) return;
    if (!SharedReplaceTable(*ctx_.Nc).TableExists(name)) RemoveRow(row);
    list_->setFocus(Qt::OtherFocusReason);
}

void CSetReplaceDlg::OnConvert() {
    const int row = CurrentRow();
    if (row < 0 || !ctx_.Nc || !ctx_.Document || ctx_.EditMode) return;
    RunConversionTable(*ctx_.Document, names_[size_t(row)], *ctx_.Nc, ctx_.UpdateViews);
}
