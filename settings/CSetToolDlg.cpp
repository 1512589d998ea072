// The condition table dialog: a local condition table read at set-up, the list in between, a
// fresh table written at OK.
#include "settings/CSetToolDlg.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include "nc/machine/CToolData.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "settings/CColorButton.h"
#include "settings/CSetToolUpdateDlg.h"
#include "settings/ListRows.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsMessages.h"

namespace {

constexpr const char* kWidthSection = "SetToolDlg";
// Column c's width key and default: the keys do not follow the column numbers.
constexpr const char* kWidthKey[5] = {"ColumnWidth4", "ColumnWidth0", "ColumnWidth3",
                                      "ColumnWidth1", "ColumnWidth2"};
constexpr int kDefaultWidth[5] = {50, 100, 100, 100, 100};
constexpr unsigned kCaption[5] = {kColumnColour, kColumnConditionNo, kColumnName, kColumnDiameter,
                                  kColumnLength};
// The words are read back with 63 bytes of room.
constexpr size_t kWordBytes = 63;

QString Str(unsigned id) {
    return QString::fromStdString(platform::LoadString(id));
}

QColor FromValue(uint32_t v) {
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

// A number text as the list shows it: the value it starts with, three decimals.
std::string ThreeDecimals(std::string_view text) {
    return platform::FormatReal(platform::ParseLeadingReal(text), 3);
}

// Column 0 is a plain swatch of the row's colour, never drawn highlighted.
class SwatchDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        // A line of the list's own background between the rows, as the grid lines of the list.
        painter->fillRect(option.rect, option.palette.base());
        painter->fillRect(option.rect.adjusted(0, 0, -1, -1),
                          FromValue(index.data(Qt::UserRole).toUInt()));
    }
};

}  // namespace

CSetToolDlg::CSetToolDlg(SettingsContext& ctx, QWidget* parent)
    : CSettingsDialog(148, ctx, parent) {
    list_ = Ctl<QTreeWidget>(1034);
    list_->setItemDelegateForColumn(0, new SwatchDelegate(list_));
    bindings_.Check(Ctl<QCheckBox>(1175), &DrawShavColor);
    bindings_.Text(Ctl<QLineEdit>(1038), &ShavString1, kWordBytes);
    bindings_.Text(Ctl<QLineEdit>(1039), &ShavString2, kWordBytes);
    bindings_.Text(Ctl<QLineEdit>(1040), &ShavString3, kWordBytes);
    connect(Ctl<QPushButton>(32856), &QPushButton::clicked, this, &CSetToolDlg::OnAdd);
    connect(Ctl<QPushButton>(1037), &QPushButton::clicked, this, &CSetToolDlg::OnEdit);
    connect(Ctl<QPushButton>(32857), &QPushButton::clicked, this, &CSetToolDlg::OnDelete);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { OnEdit(); });
    connect(Ctl<QCheckBox>(1175), &QCheckBox::toggled, this, [this] { EnableWords(); });
}

bool CSetToolDlg::OnInitDialog() {
    SetUpReportList(list_, true);
    list_->setColumnCount(5);
    QStringList captions;
    for (unsigned id : kCaption) captions << Str(id);
    list_->setHeaderLabels(captions);
    ProfileEdit ini(ctx_.IniPath());
    for (int c = 0; c < 5; ++c) {
        list_->header()->resizeSection(c, ini.Int(kWidthSection, kWidthKey[c], kDefaultWidth[c]));
        list_->headerItem()->setTextAlignment(c, c >= 3 ? Qt::AlignRight : Qt::AlignLeft);
    }

    CToolData table(ctx_.Nc);
    table.Load();
    DrawShavColor = table.DrawShavColor;
    ShavString1 = table.ShavString1;
    ShavString2 = table.ShavString2;
    ShavString3 = table.ShavString3;
    for (size_t i = 0; i < table.RowCount(); ++i)
        rows_.push_back({table.ToolColorRGB[i], table.ToolNo[i], table.ToolName[i],
                         ThreeDecimals(table.ToolDiameter[i]), ThreeDecimals(table.ToolHigh[i])});
    rows_.push_back({table.OtherColorRGB, 0, table.OtherName, ThreeDecimals(table.OtherDiameter),
                     ThreeDecimals(table.OtherHigh)});
    for (size_t i = 0; i < rows_.size(); ++i) {
        new QTreeWidgetItem(list_);
        ShowRow(int(i));
    }
    bindings_.Show();
    EnableWords();
    return true;
}

void CSetToolDlg::ShowRow(int row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    if (!item) return;
    const Row& r = rows_[size_t(row)];
    const bool other = row == int(rows_.size()) - 1;
    item->setData(0, Qt::UserRole, uint(r.colour));
    item->setText(0, QString::number(r.colour));
    item->setText(1, other ? Str(kOtherRow) : QString::number(r.number));
    item->setText(2, QString::fromStdString(platform::Cp932ToUtf8(r.name)));
    item->setText(3, QString::fromStdString(r.diameter));
    item->setText(4, QString::fromStdString(r.height));
    item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
}

void CSetToolDlg::EnableWords() {
    const bool on = Ctl<QCheckBox>(1175)->isChecked();
    for (int id : {1178, 1179, 1180}) Ctl<QLabel>(id)->setEnabled(on);
    for (int id : {1038, 1039, 1040}) Ctl<QLineEdit>(id)->setEnabled(on);
}

void CSetToolDlg::OnAdd() {
    CSetToolUpdateDlg dlg(ctx_, this);
    if (dlg.Run() != QDialog::Accepted) return;
    const CColorButton* c = dlg.Colour();
    Row r;
    r.colour =
        uint32_t(c->Red & 0xFF) | uint32_t(c->Green & 0xFF) << 8 | uint32_t(c->Blue & 0xFF) << 16;
    r.number = dlg.Number;
    r.name = dlg.Name;
    r.diameter = platform::FormatReal(dlg.Diameter, 3);
    r.height = platform::FormatReal(dlg.Height, 3);
    // Above the row of all other conditions; no sorting, no duplicate test.
    const int at = int(rows_.size()) - 1;
    rows_.insert(rows_.begin() + at, r);
    list_->insertTopLevelItem(at, new QTreeWidgetItem);
    ShowRow(at);
}

void CSetToolDlg::OnEdit() {
    const int row = FirstSelectedRow(list_);
    if (row < 0) return;
    Row& r = rows_[size_t(row)];
    CSetToolUpdateDlg dlg(ctx_, this);
    dlg.IsOtherRow = row >= int(rows_.size()) - 1 ? 1 : 0;
    dlg.Colour()->Red = int(r.colour & 0xFF);
    dlg.Colour()->Green = int((r.colour >> 8) & 0xFF);
    dlg.Colour()->Blue = int((r.colour >> 16) & 0xFF);
    dlg.Number = r.number;
    dlg.Name = r.name;
    dlg.Diameter = platform::ParseLeadingReal(r.diameter);
    dlg.Height = platform::ParseLeadingReal(r.height);
    if (dlg.Run() != QDialog::Accepted) return;
    const CColorButton* c = dlg.Colour();
    r.colour =
        uint32_t(c->Red & 0xFF) | uint32_t(c->Green & 0xFF) << 8 | uint32_t(c->Blue & 0xFF) << 16;
    if (!dlg.IsOtherRow) r.number = dlg.Number;
    r.name = dlg.Name;
    r.diameter = platform::FormatReal(dlg.Diameter, 3);
    r.height = platform::FormatReal(dlg.Height, 3);
    ShowRow(row);
}

void CSetToolDlg::OnDelete() {
    // Every selected row but the row of all other conditions.
    for (int row = FirstSelectedRow(list_); row >= 0 && row < int(rows_.size()) - 1;
         row = FirstSelectedRow(list_)) {
        delete list_->takeTopLevelItem(row);
        rows_.erase(rows_.begin() + row);
    }
}

void CSetToolDlg::OnOK() {
    if (!bindings_.Take(ctx_.Prompt)) return;
    CToolData table(ctx_.Nc);
    table.DrawShavColor = DrawShavColor;
    table.ShavString1 = ShavString1;
    table.ShavString2 = ShavString2;
    table.ShavString3 = ShavString3;
    for (size_t i = 0; i + 1 < rows_.size(); ++i) {
        const Row& r = rows_[i];
        table.ToolColorRGB.push_back(r.colour);
        table.ToolNo.push_back(r.number);
        table.ToolName.push_back(r.name);
        table.ToolDiameter.push_back(r.diameter);
        table.ToolHigh.push_back(r.height);
    }
    const Row& other = rows_.back();
    table.OtherColorRGB = other.colour;
    table.OtherName = other.name;
    table.OtherDiameter = other.diameter;
    table.OtherHigh = other.height;
    if (!table.Save()) {
        // The old table is whole; the rows stay here for another try.
        ctx_.MessageText(FillPlaceholders(platform::LoadString(kMsgConditionsNotWritten),
                                          {table.FilePath().string()}),
                         platform::PromptIcon::Warning);
        return;
    }
    ProfileEdit ini(ctx_.IniPath());
    for (int c = 0; c < 5; ++c)
        ini.SetInt(kWidthSection, kWidthKey[c], list_->header()->sectionSize(c));
    ini.Save();
    accept();
}
