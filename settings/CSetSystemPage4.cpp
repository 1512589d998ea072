// The "Option" page: its keys, the display and stored forms of its two paths, the browses and
// the extension table.
#include "settings/CSetSystemPage4.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <algorithm>

#include "app/core/AppPaths.h"
#include "nc/machine/CSystemData.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "settings/CReplaceStringDlg.h"
#include "settings/Choosers.h"
#include "settings/ListRows.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsMessages.h"

namespace {

constexpr size_t kPathBytes = 255;
constexpr size_t kSheetExtBytes = 15;
constexpr const char* kWidthSection = "SetSystem4";
constexpr int kDefaultWidth[2] = {100, 250};

std::string Section(size_t n) {
    std::string s = platform::FormatInt(long(n));
    if (s.size() < 2) s.insert(s.begin(), '0');
    return "ExtMachine" + s;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// A text of the extension table as CP932. A row that an earlier version wrote in UTF-8 is taken
// as the text it holds, so that the next OK stores it in CP932; a CP932 row keeps its bytes.
std::string TableText(std::string bytes) {
    platform::Cp932Encoding e = platform::Utf8ToCp932(platform::Cp932OrUtf8ToUtf8(bytes));
    return e.ok() ? std::move(e.bytes) : bytes;
}

QString AsShown(const std::string& cp932) {
    return QString::fromStdString(platform::Cp932ToUtf8(cp932));
}

std::string Slashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace

CSetSystemPage4::CSetSystemPage4(SettingsContext& ctx, QWidget* parent)
    : CSystemPage(9911, ctx, parent) {
    ProfileEdit f(ctx_.IniPath());
    WeightTimeHigh = f.Int("NcTextView", "WeightTimeH", 0);
    WeightTimeNormal = f.Int("NcTextView", "WeightTimeM", 5);
    WeightTimeLow = f.Int("NcTextView", "WeightTimeL", 40);
    ForbidDuplicateApp = f.Int("System", "ForbidDuplicateApp", 0);
    DeleteBlankForSave = f.Int("System", "DeleteBlankForSave", 0);
    const bool sheetRead = ctx_.SystemData && ctx_.SystemData->ForbidSheetRead;
    CreateBackupFile = f.Int("System", "CreateBackupFile", sheetRead ? 0 : 1);
    ManyEveryPart = f.Int("Trace", "ManyEveryPart", 0);
    TraceOnlyStartEndStop = f.Int("Trace", "TraceOnlyStartEndStop", 0);
    // Shown relative to the configuration folder where they lie inside it.
    std::string machine =
        f.Text("NcRead", "FileName", platform::LoadString(kDefaultMachineFile), kPathBytes);
    if (ctx_.Paths) ctx_.Paths->ConvertLocalAppPath(1, machine);
    MachineFile = Relative(machine);
    std::string folder = Slashes(f.Text("NcRead", "PunchTool_SpcialFolder", "TOOL/", kPathBytes));
    if (ctx_.Paths) ctx_.Paths->ConvertLocalAppPath(1, folder);
    PunchToolFolder = Relative(ctx_.MakeConfigPath(folder));
    SheetProgram = f.Text("System", "SheetProgram", "", kPathBytes);
    SheetExtension = f.Text("System", "SheetExt", "PDF", kSheetExtBytes);
    ReadExtMachine();

    for (int id : {1017, 1018, 1019}) Ctl<QSpinBox>(id)->setRange(0, 9999);
    bindings_.Spin(Ctl<QSpinBox>(1017), &WeightTimeHigh);
    bindings_.Spin(Ctl<QSpinBox>(1018), &WeightTimeNormal);
    bindings_.Spin(Ctl<QSpinBox>(1019), &WeightTimeLow);
    bindings_.Text(Ctl<QLineEdit>(1057), &MachineFile, kPathBytes, TextEncoding::Native);
    bindings_.Text(Ctl<QLineEdit>(1062), &PunchToolFolder, kPathBytes, TextEncoding::Native);
    bindings_.Text(Ctl<QLineEdit>(1063), &SheetProgram, kPathBytes, TextEncoding::Native);
    bindings_.Text(Ctl<QLineEdit>(1066), &SheetExtension, kSheetExtBytes, TextEncoding::Native);
    bindings_.Check(Ctl<QCheckBox>(1059), &ForbidDuplicateApp);
    bindings_.Check(Ctl<QCheckBox>(1060), &ManyEveryPart);
    bindings_.Check(Ctl<QCheckBox>(1061), &TraceOnlyStartEndStop);
    bindings_.Check(Ctl<QCheckBox>(1067), &DeleteBlankForSave);
    bindings_.Check(Ctl<QCheckBox>(1068), &CreateBackupFile);
    bindings_.Show();

    list_ = Ctl<QTreeWidget>(1210);
    list_->setColumnCount(2);
    list_->setHeaderLabels({QString::fromStdString(platform::LoadString(kCaptionExtension)),
                            QString::fromStdString(platform::LoadString(kCaptionMachine))});
    SetUpReportList(list_, true);
    QHeaderView* header = list_->header();
    for (int c = 0; c < 2; ++c)
        header->resizeSection(
            c, f.Int(kWidthSection, "LV_ColumnWidth" + platform::FormatInt(c), kDefaultWidth[c]));
    for (size_t i = 0; i < Extensions.size(); ++i) {
        new QTreeWidgetItem(list_);
        ShowRow(int(i));
    }

    connect(Ctl<QPushButton>(32856), &QPushButton::clicked, this,
            &CSetSystemPage4::OnAddExtMachine);
    connect(Ctl<QPushButton>(32855), &QPushButton::clicked, this,
            &CSetSystemPage4::OnEditExtMachine);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { OnEditExtMachine(); });
    connect(Ctl<QPushButton>(32857), &QPushButton::clicked, this,
            &CSetSystemPage4::OnDeleteExtMachine);
    connect(Ctl<QPushButton>(1064), &QPushButton::clicked, this,
            &CSetSystemPage4::OnBrowseShapeFolder);
    connect(Ctl<QPushButton>(1065), &QPushButton::clicked, this,
            &CSetSystemPage4::OnBrowseSheetProgram);
}

std::string CSetSystemPage4::Relative(std::string path) const {
    if (ctx_.Paths) ctx_.Paths->ConvertConfigRelativePath(0, path);
    return path;
}

std::string CSetSystemPage4::StoredPath(const std::string& shown) const {
    std::string path = shown;
    if (path.empty() || !ctx_.Paths) return path;
    ctx_.Paths->ConvertConfigRelativePath(1, path);
    ctx_.Paths->ConvertLocalAppPath(0, path);
    return path;
}

int CSetSystemPage4::ReadExtMachine() {
    Extensions.clear();
    MachineFiles.clear();
    ProfileEdit f(ctx_.IniPath());
    for (size_t n = 0;; ++n) {
        std::string ext = f.Text(Section(n), "Ext", "", kPathBytes);
        if (ext.empty()) break;
        Extensions.push_back(TableText(std::move(ext)));
        MachineFiles.push_back(TableText(f.Text(Section(n), "Machine", "", kPathBytes)));
    }
    return 1;
}

void CSetSystemPage4::WriteExtMachine(ProfileEdit& f) {
    for (size_t i = 0; i < Extensions.size(); ++i) {
        f.Set(Section(i), "Ext", Quoted(Extensions[i]));
        f.Set(Section(i), "Machine", Quoted(MachineFiles[i]));
    }
    // The end mark; later sections stay as they are, never read.
    f.Set(Section(Extensions.size()), "Ext", "");
    for (int c = 0; c < 2; ++c)
        f.SetInt(kWidthSection, "LV_ColumnWidth" + platform::FormatInt(c),
                 list_->header()->sectionSize(c));
}

void CSetSystemPage4::OnOK(ProfileEdit& f) {
    bindings_.Take(nullptr);
    f.SetInt("NcTextView", "WeightTimeH", WeightTimeHigh);
    f.SetInt("NcTextView", "WeightTimeM", WeightTimeNormal);
    f.SetInt("NcTextView", "WeightTimeL", WeightTimeLow);
    f.SetInt("System", "ForbidDuplicateApp", ForbidDuplicateApp);
    f.SetInt("System", "DeleteBlankForSave", DeleteBlankForSave);
    f.SetInt("System", "CreateBackupFile", CreateBackupFile);
    f.SetInt("Trace", "ManyEveryPart", ManyEveryPart);
    f.SetInt("Trace", "TraceOnlyStartEndStop", TraceOnlyStartEndStop);
    f.Set("NcRead", "FileName", StoredPath(MachineFile));
    f.Set("NcRead", "PunchTool_SpcialFolder", StoredPath(PunchToolFolder));
    f.Set("System", "SheetProgram", SheetProgram);
    f.Set("System", "SheetExt", SheetExtension);
    WriteExtMachine(f);
}

void CSetSystemPage4::ShowRow(int row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    if (!item) return;
    item->setText(0, AsShown(Extensions[size_t(row)]));
    item->setText(1, AsShown(MachineFiles[size_t(row)]));
}

int CSetSystemPage4::SelectedRow() const {
    return FirstSelectedRow(list_);
}

void CSetSystemPage4::OnAddExtMachine() {
    CReplaceStringDlg dlg(ctx_, this, 1);
    if (dlg.Run() != QDialog::Accepted) return;
    Extensions.push_back(dlg.First.empty() ? std::string(" ") : dlg.First);
    MachineFiles.push_back(dlg.Second);
    new QTreeWidgetItem(list_);
    ShowRow(int(Extensions.size()) - 1);
    MarkRow(list_, int(Extensions.size()) - 1);
}

void CSetSystemPage4::OnEditExtMachine() {
    const int row = SelectedRow();
    if (row < 0) return;
    CReplaceStringDlg dlg(ctx_, this, 1);
    dlg.First = Extensions[size_t(row)] == " " ? std::string() : Extensions[size_t(row)];
    dlg.Second = MachineFiles[size_t(row)];
    if (dlg.Run() != QDialog::Accepted) return;
    Extensions[size_t(row)] = dlg.First.empty() ? std::string(" ") : dlg.First;
    MachineFiles[size_t(row)] = dlg.Second;
    ShowRow(row);
}

void CSetSystemPage4::OnDeleteExtMachine() {
    int first = -1;
    for (int row = SelectedRow(); row >= 0; row = SelectedRow()) {
        if (first < 0) first = row;
        delete list_->takeTopLevelItem(row);
        Extensions.erase(Extensions.begin() + row);
        MachineFiles.erase(MachineFiles.begin() + row);
    }
    if (first < 0) return;
    MarkRow(list_, first);
}

void CSetSystemPage4::OnBrowseShapeFolder() {
    bindings_.Take(nullptr);
    if (!ctx_.Choose) return;
    std::string start = PunchToolFolder;
    if (ctx_.Paths) ctx_.Paths->ConvertConfigRelativePath(1, start);
    std::optional<std::string> chosen =
        ctx_.Choose->Folder(this, platform::LoadString(kTitleDieFolder), start);
    if (!chosen) return;
    std::string folder = *chosen;
    if (folder.empty() || folder.back() != '/') folder += '/';
    PunchToolFolder = Relative(folder);
    bindings_.Show();
}

void CSetSystemPage4::OnBrowseSheetProgram() {
    bindings_.Take(nullptr);
    if (!ctx_.Choose) return;
    // No extension is added to a typed name: a Linux program has none.
    FileChoice c;
    c.title = platform::LoadString(kTitleSheetProgram);
    c.filter = ProgramFilter(kFilterSheetProgram);
    c.initial = SheetProgram;
    c.mustExist = true;
    if (std::optional<std::string> chosen = ctx_.Choose->OpenFile(this, c)) {
        SheetProgram = *chosen;
        bindings_.Show();
    }
}
