// The "Replace" page: the rows of "TextConvert%03d", their list and its commands.
#include "settings/CSetMachinePage4.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "settings/CReplaceStringDlg.h"
#include "settings/ListRows.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsIcons.h"
#include "settings/SettingsMessages.h"

namespace {

constexpr size_t kTextBytes = 255;
constexpr const char* kWidthSection = "SetMachine4";
constexpr int kDefaultWidth[3] = {15, 170, 186};

std::string Section(size_t n) {
    std::string s = platform::FormatInt(long(n));
    while (s.size() < 3) s.insert(s.begin(), '0');
    return "TextConvert" + s;
}

std::string WidthKey(int column) {
    return "LV_ColumnWidth" + platform::FormatInt(column);
}

// Written between double quotes, which the profile reader takes off again, so leading and
// trailing blanks survive.
std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

CSetMachinePage4::CSetMachinePage4(SettingsContext& ctx, QWidget* parent)
    : CMachinePage(111, ctx, parent) {
    ReadMachineFile(0, 1);
    list_ = Ctl<QTreeWidget>(1041);
    list_->setColumnCount(3);
    list_->setHeaderLabels({QString(),
                            QString::fromStdString(platform::LoadString(kColumnFindWhat)),
                            QString::fromStdString(platform::LoadString(kColumnReplaceWith))});
    SetUpReportList(list_, true);
    list_->setIconSize(CheckImageSize());
    QHeaderView* header = list_->header();
    header->setSectionsClickable(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ProfileEdit ini(ctx_.IniPath());
    for (int c = 0; c < 3; ++c)
        header->resizeSection(c, ini.Int(kWidthSection, WidthKey(c), kDefaultWidth[c]));
    FillList();

    connect(Ctl<QPushButton>(32856), &QPushButton::clicked, this, &CSetMachinePage4::OnAppend);
    connect(Ctl<QPushButton>(32855), &QPushButton::clicked, this, &CSetMachinePage4::OnUpdate);
    connect(Ctl<QPushButton>(32857), &QPushButton::clicked, this, &CSetMachinePage4::OnDelete);
    connect(Ctl<QPushButton>(1042), &QPushButton::clicked, this, &CSetMachinePage4::OnUp);
    connect(Ctl<QPushButton>(1043), &QPushButton::clicked, this, &CSetMachinePage4::OnDown);
    connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int column) {
        if (column == 0) OnClickCheck(list_->indexOfTopLevelItem(item));
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { OnUpdate(); });
    connect(header, &QHeaderView::sectionClicked, this, &CSetMachinePage4::OnColumnClick);
}

int CSetMachinePage4::ReadMachineFile(int updateControls, int useWorkingCopy) {
    ProfileEdit f(TargetFile(useWorkingCopy));
    From.clear();
    To.clear();
    Enable.clear();
    for (size_t n = 0;; ++n) {
        const std::string section = Section(n);
        std::string from = f.Text(section, "From", "", kTextBytes);
        if (from.empty()) break;
        From.push_back(std::move(from));
        To.push_back(f.Text(section, "To", "", kTextBytes));
        Enable.push_back(static_cast<uint32_t>(f.Int(section, "Enable", 0)));
    }
    if (updateControls) FillList();
    return 1;
}

int CSetMachinePage4::WriteMachineFile(int, int useWorkingCopy) {
    ProfileEdit f(TargetFile(useWorkingCopy));
    for (size_t i = 0; i < From.size(); ++i) {
        const std::string section = Section(i);
        f.Set(section, "From", Quoted(From[i]));
        f.Set(section, "To", Quoted(To[i]));
        f.Set(section, "Enable", platform::FormatInt(Enable[i]));
    }
    // The end mark; an older, longer list keeps its tail behind it, never read.
    f.Set(Section(From.size()), "From", "");
    const int written = f.Save() ? 1 : 0;

    ProfileEdit ini(ctx_.IniPath());
    for (int c = 0; c < 3; ++c)
        ini.SetInt(kWidthSection, WidthKey(c), list_->header()->sectionSize(c));
    ini.Save();  // the widths are the list's look, no part of the machine
    return written;
}

void CSetMachinePage4::FillList() {
    list_->clear();
    for (size_t i = 0; i < From.size(); ++i) {
        new QTreeWidgetItem(list_);
        ShowRow(int(i));
    }
}

void CSetMachinePage4::ShowRow(int row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    if (!item) return;
    const size_t i = size_t(row);
    item->setData(0, Qt::UserRole, uint(Enable[i]));
    item->setIcon(0, CheckImage(Enable[i] != 0));
    item->setText(1, QString::fromStdString(platform::Cp932ToUtf8(From[i])));
    item->setText(2, QString::fromStdString(platform::Cp932ToUtf8(To[i])));
}

int CSetMachinePage4::SelectedRow() const {
    return FirstSelectedRow(list_);
}

void CSetMachinePage4::OnAppend() {
    CReplaceStringDlg dlg(ctx_, this, 0);
    const int selected = SelectedRow();
    if (selected >= 0) {
        dlg.First = From[size_t(selected)];
        dlg.Second = To[size_t(selected)];
    }
    if (dlg.Run() != QDialog::Accepted) return;
    From.push_back(dlg.First);
    To.push_back(dlg.Second);
    Enable.push_back(1);
    new QTreeWidgetItem(list_);
    ShowRow(int(From.size()) - 1);
    MarkRow(list_, int(From.size()) - 1);
}

void CSetMachinePage4::OnUpdate() {
    const int row = SelectedRow();
    if (row < 0) return;
    CReplaceStringDlg dlg(ctx_, this, 0);
    dlg.First = From[size_t(row)];
    dlg.Second = To[size_t(row)];
    if (dlg.Run() != QDialog::Accepted) return;
    From[size_t(row)] = dlg.First;
    To[size_t(row)] = dlg.Second;
    ShowRow(row);
}

void CSetMachinePage4::OnDelete() {
    int first = -1;
    for (int row = SelectedRow(); row >= 0; row = SelectedRow()) {
        if (first < 0) first = row;
        delete list_->takeTopLevelItem(row);
        From.erase(From.begin() + row);
        To.erase(To.begin() + row);
        Enable.erase(Enable.begin() + row);
    }
    if (first < 0) return;
    MarkRow(list_, first);
}

void CSetMachinePage4::Swap(int a, int b) {
    std::swap(From[size_t(a)], From[size_t(b)]);
    std::swap(To[size_t(a)], To[size_t(b)]);
    std::swap(Enable[size_t(a)], Enable[size_t(b)]);
    ShowRow(a);
    ShowRow(b);
    MarkRow(list_, b);
}

void CSetMachinePage4::OnUp() {
    const int row = SelectedRow();
    if (row <= 0) return;
    Swap(row, row - 1);
}

void CSetMachinePage4::OnDown() {
    const int row = SelectedRow();
    if (row < 0 || row + 1 >= list_->topLevelItemCount()) return;
    Swap(row, row + 1);
}

void CSetMachinePage4::OnClickCheck(int row) {
    if (row < 0 || size_t(row) >= Enable.size()) return;
    Enable[size_t(row)] = Enable[size_t(row)] ? 0 : 1;
    ShowRow(row);
}

void CSetMachinePage4::OnColumnClick(int column) {
    if (column != 0) return;
    toggleAll_ = toggleAll_ ? 0 : 1;
    for (size_t i = 0; i < Enable.size(); ++i) {
        Enable[i] = uint32_t(toggleAll_);
        ShowRow(int(i));
    }
}
