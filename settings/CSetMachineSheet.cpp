// The machine settings sheet: tabs, the remembered tab, open, save as, OK and Cancel.
#include "settings/CSetMachineSheet.h"

#include <unistd.h>

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <fstream>
#include <iterator>
#include <system_error>

#include "app/core/AppPaths.h"
#include "nc/machine/CSystemData.h"
#include "platform/Paths.h"
#include "platform/StringTable.h"
#include "settings/CMachinePage.h"
#include "settings/CSetMachinePage1.h"
#include "settings/CSetMachinePage2.h"
#include "settings/CSetMachinePage3.h"
#include "settings/CSetMachinePage4.h"
#include "settings/CSetMachinePage6.h"
#include "settings/Choosers.h"
#include "settings/ModalRun.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsIcons.h"
#include "settings/SettingsMessages.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kSheetSection = "SetMachinSheet";
// A machine file is a small text file; anything larger is not one.
constexpr std::uintmax_t kMaxMachineFileBytes = 16u << 20;

CSetMachineSheet::PageMaker& PunchPageMaker() {
    static CSetMachineSheet::PageMaker maker;
    return maker;
}

// Copies a machine file over target whole (through a temporary file and a rename). False when
// from is not a readable regular file of machine-file size or target cannot be written.
bool CopyMachineFile(const fs::path& from, const fs::path& target) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) return false;
    const std::uintmax_t size = fs::file_size(from, ec);
    if (ec || size > kMaxMachineFileBytes) return false;
    std::ifstream in(from, std::ios::binary);
    if (!in) return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    return platform::WriteFileAtomic(target, bytes);
}

// A file the sheet may write: an existing regular file the user may write in a folder that takes
// the replacing rename, or a new name in such a folder.
bool CanWrite(const fs::path& file) {
    std::error_code ec;
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    if (::access(folder.c_str(), W_OK) != 0) return false;
    if (!fs::exists(file, ec)) return true;
    return fs::is_regular_file(file, ec) && ::access(file.c_str(), W_OK) == 0;
}

FileChoice MachineFileChoice(bool open) {
    FileChoice c;
    c.title = platform::LoadString(kTitleMachineFile);
    c.filter = platform::LoadString(kFilterMachineFile);
    c.defaultExtension = "NMD";
    c.mustExist = open;
    return c;
}

}  // namespace

void CSetMachineSheet::SetPunchPageMaker(PageMaker maker) {
    PunchPageMaker() = std::move(maker);
}

CSetMachineSheet::CSetMachineSheet(SettingsContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setWindowTitle(QString::fromStdString(platform::LoadString(kCaptionMachineSheet)));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    tabs_ = new QTabWidget(this);

    // Every page is built (and reads the working copy) whether or not it gets a tab.
    pages_[0] = new CSetMachinePage1(ctx_, tabs_);
    pages_[1] = new CSetMachinePage2(ctx_, tabs_);
    pages_[2] = new CSetMachinePage3(ctx_, tabs_);
    pages_[3] = new CSetMachinePage4(ctx_, tabs_);
    pages_[5] = new CSetMachinePage6(ctx_, tabs_);
    if (PunchPageMaker()) pages_[4] = PunchPageMaker()(ctx_, tabs_);
    const bool punch = pages_[4] && ctx_.SystemData && ctx_.SystemData->ForbidPunchApp == 0;
    for (int number : {1, 2, 3, 4, 6, 5}) {
        CMachinePage* page = Page(number);
        if (!page || (number == 5 && !punch)) continue;
        tabPages_.push_back(page);
        tabs_->addTab(page, page->windowTitle());
    }
    if (pages_[4] && !punch) pages_[4]->hide();

    open_ = new QPushButton(this);
    open_->setObjectName(ControlName(130));
    open_->setIcon(SettingsIcon(131));
    saveAs_ = new QPushButton(this);
    saveAs_->setObjectName(ControlName(131));
    saveAs_->setIcon(SettingsIcon(132));
    for (QPushButton* b : {open_, saveAs_}) {
        b->setIconSize(QSize(24, 24));
        b->setFixedSize(32, 30);
        b->setAutoDefault(false);
    }
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setObjectName(ControlName(1));
    box->button(QDialogButtonBox::Cancel)->setObjectName(ControlName(2));
    if (ctx_.Help) {
        QPushButton* help = box->addButton(QDialogButtonBox::Help);
        help->setObjectName(ControlName(9));
        connect(box, &QDialogButtonBox::helpRequested, this, [this] { ctx_.Help(); });
    }
    connect(box, &QDialogButtonBox::accepted, this, &CSetMachineSheet::accept);
    connect(box, &QDialogButtonBox::rejected, this, &CSetMachineSheet::reject);
    connect(open_, &QPushButton::clicked, this, &CSetMachineSheet::OnOpen);
    connect(saveAs_, &QPushButton::clicked, this, &CSetMachineSheet::OnSaveAs);

    auto* row = new QHBoxLayout;
    row->addWidget(open_);
    row->addWidget(saveAs_);
    row->addStretch(1);
    row->addWidget(box);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(row);

    // The remembered tab; set-up never writes it. A tab the sheet lacks leaves the last one
    // active, as activating the tabs one after the other did.
    const int active = ProfileEdit(ctx_.IniPath()).Int(kSheetSection, "ActivePage", 0);
    ShowTab(active >= 0 && active < tabs_->count() ? active : tabs_->count() - 1);
    connect(tabs_, &QTabWidget::currentChanged, this, &CSetMachineSheet::OnTabChanged);
}

CSetMachineSheet::~CSetMachineSheet() = default;

int CSetMachineSheet::Run() {
    return RunModal(*this);
}

CMachinePage* CSetMachineSheet::Page(int number) const {
    return number >= 1 && number <= 6 ? pages_[size_t(number - 1)] : nullptr;
}

void CSetMachineSheet::ShowTab(int index) {
    const bool blocked = tabs_->blockSignals(true);
    tabs_->setCurrentIndex(index);
    tabs_->blockSignals(blocked);
    current_ = tabs_->currentIndex();
}

void CSetMachineSheet::WriteActivePage(int index) {
    ProfileEdit ini(ctx_.IniPath());
    ini.SetInt(kSheetSection, "ActivePage", index);
    ini.Save();
}

void CSetMachineSheet::OnTabChanged(int index) {
    if (index == current_) return;
    // The page being left must hold takeable values; otherwise the change is taken back.
    CMachinePage* left =
        current_ >= 0 && current_ < int(tabPages_.size()) ? tabPages_[size_t(current_)] : nullptr;
    if (left && !left->TakeControls(nullptr)) {
        ShowTab(current_);
        // The message and the focus come once the tab widget has finished its change, which
        // would otherwise take the focus back to the tab bar.
        QTimer::singleShot(0, left, [this, left] { left->TakeControls(ctx_.Prompt); });
        return;
    }
    current_ = index;
    WriteActivePage(index);
}

bool CSetMachineSheet::CheckPages() {
    std::vector<int> order;
    if (current_ >= 0 && current_ < int(tabPages_.size())) order.push_back(current_);
    for (int i = 0; i < int(tabPages_.size()); ++i)
        if (i != current_) order.push_back(i);
    for (int i : order) {
        CMachinePage* page = tabPages_[size_t(i)];
        if (page->TakeControls(nullptr)) continue;
        ShowTab(i);
        page->TakeControls(ctx_.Prompt);
        return false;
    }
    return true;
}

void CSetMachineSheet::SetMachineFileName(const std::string& path) {
    ctx_.SystemData->NcReadInfo.FileName = path;
    std::string stored = path;
    if (ctx_.Paths) ctx_.Paths->ConvertLocalAppPath(0, stored);
    ProfileEdit ini(ctx_.IniPath());
    ini.Set("NcRead", "FileName", stored);
    ini.Save();
}

void CSetMachineSheet::OnOpen() {
    if (!ctx_.Choose || !ctx_.SystemData) return;
    const std::string& name = ctx_.SystemData->NcReadInfo.FileName;
    FileChoice c = MachineFileChoice(true);
    c.initial = ctx_.MakeConfigPath(name.empty() ? std::string("*.*") : name);
    std::optional<std::string> chosen = ctx_.Choose->OpenFile(this, c);
    if (!chosen) return;
    // Nothing changes unless the working copy now holds the chosen machine.
    if (!CopyMachineFile(*chosen, ctx_.SystemData->WorkingCopyPath)) {
        ctx_.MessageText(FillPlaceholders(platform::LoadString(kMsgMachineCopyFailed), {*chosen}),
                         platform::PromptIcon::Warning);
        return;
    }
    SetMachineFileName(*chosen);
    WriteActivePage(tabs_->currentIndex());
    for (CMachinePage* page : tabPages_) page->ReadMachineFile(1, 1);
}

void CSetMachineSheet::OnSaveAs() {
    if (!ctx_.Choose || !ctx_.SystemData) return;
    // Nothing is written while a page holds a value that cannot be taken.
    if (!CheckPages()) return;
    FileChoice c = MachineFileChoice(false);
    c.initial = ctx_.MakeConfigPath(ctx_.SystemData->NcReadInfo.FileName);
    std::optional<std::string> chosen = ctx_.Choose->SaveFile(this, c);
    if (!chosen) return;
    const fs::path target = *chosen;
    std::error_code ec;
    const bool existed = fs::exists(target, ec);
    // A new file starts as a copy of the machine shown (also the keys no page shows); an
    // existing one keeps its other keys and gets the pages' keys.
    if (!CanWrite(target) ||
        (!existed && !CopyMachineFile(ctx_.SystemData->WorkingCopyPath, target))) {
        ctx_.MessageText(FillPlaceholders(platform::LoadString(kMsgCannotWrite), {*chosen}),
                         platform::PromptIcon::Warning);
        return;
    }
    SetMachineFileName(*chosen);
    for (CMachinePage* page : tabPages_) page->WriteMachineFile(1, 0);
}

void CSetMachineSheet::accept() {
    if (!CheckPages()) return;
    for (CMachinePage* page : tabPages_) page->OnOK();
    QDialog::accept();
}

void CSetMachineSheet::reject() {
    for (CMachinePage* page : tabPages_) page->OnCancel();
    QDialog::reject();
}
