// The rows of a conversion table: read at set-up from the shared table object, edited in the
// list, saved whole at OK.
#include "settings/CSetReplaceDataDlg.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QToolButton>
#include <QTreeWidget>

#include "nc/machine/CNcReplaceInfo.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "settings/CSetReplaceDataEditDlg.h"
#include "settings/ListRows.h"
#include "settings/ReplaceTableRules.h"
#include "settings/SettingsIcons.h"
#include "settings/SettingsMessages.h"
#include "settings/SharedReplaceTable.h"

namespace {

QString Str(unsigned id) {
    return QString::fromStdString(platform::LoadString(id));
}

}  // namespace

CSetReplaceDataDlg::CSetReplaceDataDlg(SettingsContext& ctx, std::string name, std::string comment,
                                       QWidget* parent)
    : CSettingsDialog(177, ctx, parent), name_(std::move(name)), comment_(std::move(comment)) {
    list_ = Ctl<QTreeWidget>(1130);
    const struct {
        int id, icon;
        unsigned tip;
        void (CSetReplaceDataDlg::*command)();
    } buttons[] = {{1132, 177, kTipAddRow, &CSetReplaceDataDlg::OnAddRow},
                   {1037, 180, kTipEditRow, &CSetReplaceDataDlg::OnEditRow},
                   {32857, 176, kTipDeleteRow, &CSetReplaceDataDlg::OnDeleteRow},
                   {1042, 178, kTipUp, &CSetReplaceDataDlg::OnMoveUp},
                   {1043, 179, kTipDown, &CSetReplaceDataDlg::OnMoveDown}};
    for (const auto& b : buttons) {
        QToolButton* button = Ctl<QToolButton>(b.id);
        button->setIcon(SettingsIcon(b.icon));
        button->setToolTip(Str(b.tip));
        connect(button, &QToolButton::clicked, this, b.command);
    }
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { OnEditRow(); });
    list_->installEventFilter(this);
    KeepRowMark(list_);
}

bool CSetReplaceDataDlg::OnInitDialog() {
    SetUpReportList(list_, false);
    list_->setColumnCount(4);
    list_->setHeaderLabels(
        {Str(kColumnFind), Str(kColumnConvert), Str(kColumnStart), Str(kColumnEnd)});
    const int widths[4] = {194, 194, 50, 50};
    for (int c = 0; c < 4; ++c) list_->header()->resizeSection(c, widths[c]);
    if (!ctx_.Nc) return false;
    CNcReplaceInfo& table = SharedReplaceTable(*ctx_.Nc);
    table.ClearTable();
    if (!table.ReadTable(name_)) {
        // ReadTable has said why; the dialog ends without being shown.
        done(kTableGone);
        return false;
    }
    const size_t count = std::min({table.BeforeTexts.size(), table.AfterTexts.size(),
                                   table.StartLines.size(), table.EndLines.size()});
    for (size_t i = 0; i < count; ++i) {
        rows_.push_back({table.BeforeTexts[i], table.AfterTexts[i],
                         platform::FormatInt(table.StartLines[i]),
                         platform::FormatInt(table.EndLines[i])});
        new QTreeWidgetItem(list_);
        ShowRow(int(i));
    }
    Ctl<QCheckBox>(1133)->setChecked(table.ConfirmOnReplace != 0);
    Ctl<QCheckBox>(1131)->setChecked(table.DeleteCtbLines != 0);
    list_->setFocus(Qt::OtherFocusReason);
    if (!rows_.empty()) MarkRow(list_, 0);
    return true;
}

void CSetReplaceDataDlg::ShowRow(int row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    if (!item) return;
    const Row& r = rows_[size_t(row)];
    item->setText(0, QString::fromStdString(platform::Cp932ToUtf8(r.find)));
    item->setText(1, QString::fromStdString(platform::Cp932ToUtf8(r.replace)));
    item->setText(2, QString::fromStdString(r.start));
    item->setText(3, QString::fromStdString(r.end));
    item->setTextAlignment(2, Qt::AlignCenter);
    item->setTextAlignment(3, Qt::AlignCenter);
    // The line columns are narrow for the usual short numbers; a longer one (a big program)
    // widens its column rather than being cut to "4294...".
    const QFontMetrics metrics = list_->fontMetrics();
    for (int c : {2, 3}) {
        const int need = metrics.horizontalAdvance(item->text(c)) + 2 * metrics.averageCharWidth();
        if (need > list_->header()->sectionSize(c)) list_->header()->resizeSection(c, need);
    }
}

int CSetReplaceDataDlg::CurrentRow() const {
    return FirstSelectedRow(list_, true);
}

void CSetReplaceDataDlg::OnAddRow() {
    CSetReplaceDataEditDlg dlg(ctx_, this);
    if (dlg.Run() != QDialog::Accepted) return;
    rows_.push_back({dlg.Find, dlg.Replace, dlg.Start, dlg.End});
    new QTreeWidgetItem(list_);
    ShowRow(int(rows_.size()) - 1);
}

void CSetReplaceDataDlg::OnEditRow() {
    const int row = CurrentRow();
    if (row < 0) return;
    Row& r = rows_[size_t(row)];
    CSetReplaceDataEditDlg dlg(ctx_, this);
    dlg.Find = r.find;
    dlg.Replace = r.replace;
    dlg.Start = r.start;
    dlg.End = r.end;
    if (dlg.Run() != QDialog::Accepted) return;
    r = {dlg.Find, dlg.Replace, dlg.Start, dlg.End};
    ShowRow(row);
}

void CSetReplaceDataDlg::OnDeleteRow() {
    const int row = CurrentRow();
    if (row < 0) return;
    delete list_->takeTopLevelItem(row);
    rows_.erase(rows_.begin() + row);
    // The row now at that place, or the one before when the last went.
    MarkRow(list_, row < int(rows_.size()) ? row : row - 1);
}

void CSetReplaceDataDlg::Swap(int a, int b) {
    std::swap(rows_[size_t(a)], rows_[size_t(b)]);
    ShowRow(a);
    ShowRow(b);
    MarkRow(list_, b);
}

void CSetReplaceDataDlg::OnMoveUp() {
    const int row = CurrentRow();
    if (row > 0) Swap(row, row - 1);
}

void CSetReplaceDataDlg::OnMoveDown() {
    const int row = CurrentRow();
    if (row >= 0 && row + 1 < int(rows_.size())) Swap(row, row + 1);
}

bool CSetReplaceDataDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        OnDeleteRow();
        return true;
    }
    return CSettingsDialog::eventFilter(watched, event);
}

void CSetReplaceDataDlg::OnOK() {
    if (!ctx_.Nc) return;
    CNcReplaceInfo& table = SharedReplaceTable(*ctx_.Nc);
    table.ClearTable();
    for (const Row& r : rows_) {
        table.BeforeTexts.push_back(r.find);
        table.AfterTexts.push_back(r.replace);
        table.StartLines.push_back(LeadingUnsigned(r.start));
        table.EndLines.push_back(LeadingUnsigned(r.end));
    }
    table.DeleteCtbLines = Ctl<QCheckBox>(1131)->isChecked() ? 1 : 0;
    table.ConfirmOnReplace = Ctl<QCheckBox>(1133)->isChecked() ? 1 : 0;
    switch (table.SaveTable(name_, comment_)) {
        case 0:
            accept();
            break;
        case -2:
            done(kTableGone);
            break;
        default:
            break;  // not written (message shown): the rows stay for another try
    }
}
