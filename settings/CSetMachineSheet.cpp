// The machine settings sheet: tabs, the remembered tab, open, save as, OK and Cancel.
#include "settings/CSetMachineSheet.h"

#include <unistd.h>

#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
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
    : CSettingsSheet(ctx, kCaptionMachineSheet, kSheetSection, parent) {
    // Every page is built (and reads the working copy) whether or not it gets a tab.
    pages_[0] = new CSetMachinePage1(ctx_, Tabs());
    pages_[1] = new CSetMachinePage2(ctx_, Tabs());
    pages_[2] = new CSetMachinePage3(ctx_, Tabs());
    pages_[3] = new CSetMachinePage4(ctx_, Tabs());
    pages_[5] = new CSetMachinePage6(ctx_, Tabs());
    if (PunchPageMaker()) pages_[4] = PunchPageMaker()(ctx_, Tabs());
    const bool punch = pages_[4] && ctx_.SystemData && ctx_.SystemData->ForbidPunchApp == 0;
    for (int number : {1, 2, 3, 4, 6, 5}) {
        CMachinePage* page = Page(number);
        if (!page || (number == 5 && !punch)) continue;
        machinePages_.push_back(page);
        AddPage(page);
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
    connect(open_, &QPushButton::clicked, this, &CSetMachineSheet::OnOpen);
    connect(saveAs_, &QPushButton::clicked, this, &CSetMachineSheet::OnSaveAs);
    // A remembered tab the sheet lacks leaves the last one active, as activating the tabs one
    // after the other did.
    Finish({open_, saveAs_}, -1);
}

CSetMachineSheet::~CSetMachineSheet() = default;

CMachinePage* CSetMachineSheet::Page(int number) const {
    return number >= 1 && number <= 6 ? pages_[size_t(number - 1)] : nullptr;
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
    ProfileEdit ini(ctx_.IniPath());
    ini.SetInt(kSheetSection, "ActivePage", Tabs()->currentIndex());
    ini.Save();
    for (CMachinePage* page : machinePages_) page->ReadMachineFile(1, 1);
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
    for (CMachinePage* page : machinePages_) page->WriteMachineFile(1, 0);
    // A punch page without its tab writes its die names too: names relative to the old
    // machine's folder would miss their files from the new one.
    CMachinePage* punch = pages_[4];
    if (punch &&
        std::find(machinePages_.begin(), machinePages_.end(), punch) == machinePages_.end())
        punch->WriteMachineFile(0, 0);
}

void CSetMachineSheet::accept() {
    if (!CheckPages()) return;
    for (CMachinePage* page : machinePages_) page->OnOK();
    QDialog::accept();
}

void CSetMachineSheet::reject() {
    for (CMachinePage* page : machinePages_) page->OnCancel();
    QDialog::reject();
}
