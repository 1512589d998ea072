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
#include "platform/OwnedTempFiles.h"
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

// The bytes of a machine file; nothing when from is not a readable regular file of
// machine-file size.
std::optional<std::string> ReadMachineBytes(const fs::path& from) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) return std::nullopt;
    const std::uintmax_t size = fs::file_size(from, ec);
    if (ec || size > kMaxMachineFileBytes) return std::nullopt;
    std::ifstream in(from, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

// Copies a machine file over target whole (through a temporary file and a rename). False when
// from is not a readable regular file of machine-file size or target cannot be written.
bool CopyMachineFile(const fs::path& from, const fs::path& target) {
    std::optional<std::string> bytes = ReadMachineBytes(from);
    return bytes && platform::WriteFileAtomic(target, *bytes);
}

// A file the sheet may write: an existing regular file that may be replaced (a read-only file
// may not, also for the super-user) in a folder that takes the replacing rename, or a new name
// in such a folder.
bool CanWrite(const fs::path& file) {
    std::error_code ec;
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    if (::access(folder.c_str(), W_OK) != 0) return false;
    if (!fs::exists(file, ec)) return true;
    return fs::is_regular_file(file, ec) && platform::MayReplaceFile(file);
}

// A file of the program's own in which the pages' writes are gathered; removed when it goes.
// Named as the working copy is, so that one a killed program left is removed at the next start.
class StagingFile {
public:
    StagingFile() : path_(platform::CreateOwnedOrPlainTempFile("Morv")) {}
    ~StagingFile() {
        std::error_code ec;
        if (!path_.empty()) fs::remove(path_, ec);
    }
    StagingFile(const StagingFile&) = delete;
    StagingFile& operator=(const StagingFile&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

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

bool CSetMachineSheet::SetMachineFileName(const std::string& path, int activePage) {
    std::string stored = path;
    if (ctx_.Paths) ctx_.Paths->ConvertLocalAppPath(0, stored);
    ProfileEdit ini(ctx_.IniPath());
    ini.Set("NcRead", "FileName", stored);
    if (activePage >= 0) ini.SetInt(kSheetSection, "ActivePage", activePage);
    if (!ini.Save()) {
        ReportNotWritten(ctx_.IniPath());
        return false;
    }
    ctx_.SystemData->NcReadInfo.FileName = path;
    return true;
}

bool CSetMachineSheet::WritePages(const fs::path& base, const fs::path& target,
                                  const std::vector<CMachinePage*>& pages,
                                  const std::function<int(CMachinePage&)>& write) {
    StagingFile staging;
    if (staging.Path().empty() || !CopyMachineFile(base, staging.Path())) return false;
    bool written = true;
    for (CMachinePage* page : pages) {
        page->SetStagingFile(staging.Path());
        written = write(*page) != 0 && written;
        page->SetStagingFile({});
    }
    return written && CopyMachineFile(staging.Path(), target);
}

void CSetMachineSheet::OnOpen() {
    if (!ctx_.Choose || !ctx_.SystemData) return;
    const std::string& name = ctx_.SystemData->NcReadInfo.FileName;
    FileChoice c = MachineFileChoice(true);
    c.initial = ctx_.MakeConfigPath(name.empty() ? std::string("*.*") : name);
    std::optional<std::string> chosen = ctx_.Choose->OpenFile(this, c);
    if (!chosen) return;
    // Nothing changes unless the working copy now holds the chosen machine and the settings
    // name it; when they cannot, the working copy gets its machine back.
    const fs::path& work = ctx_.SystemData->WorkingCopyPath;
    const std::optional<std::string> before = ReadMachineBytes(work);
    if (!before || !CopyMachineFile(*chosen, work)) {
        ctx_.MessageText(FillPlaceholders(platform::LoadString(kMsgMachineCopyFailed), {*chosen}),
                         platform::PromptIcon::Warning);
        return;
    }
    if (!SetMachineFileName(*chosen, Tabs()->currentIndex())) {
        platform::WriteFileAtomic(work, *before);
        return;
    }
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
    // The pages write for the chosen file (the punch page stores die names that reach their
    // files from its folder); the settings name it only once it is written.
    std::string& name = ctx_.SystemData->NcReadInfo.FileName;
    const std::string previous = name;
    name = *chosen;
    // A punch page without its tab writes its die names too (its controls were never shown):
    // names relative to the old machine's folder would miss their files from the new one.
    std::vector<CMachinePage*> pages = machinePages_;
    CMachinePage* punch = pages_[4];
    if (punch && std::find(pages.begin(), pages.end(), punch) == pages.end())
        pages.push_back(punch);
    const auto write = [this](CMachinePage& page) {
        const bool shown =
            std::find(machinePages_.begin(), machinePages_.end(), &page) != machinePages_.end();
        return page.WriteMachineFile(shown ? 1 : 0, 0);
    };
    // A new file starts as a copy of the machine shown (also the keys no page shows); an
    // existing one keeps its other keys and gets the pages' keys. All of it reaches the file
    // in one write, or nothing does.
    const bool written =
        CanWrite(target) &&
        WritePages(existed ? target : ctx_.SystemData->WorkingCopyPath, target, pages, write);
    name = previous;
    if (!written) {
        ctx_.MessageText(FillPlaceholders(platform::LoadString(kMsgCannotWrite), {*chosen}),
                         platform::PromptIcon::Warning);
        return;
    }
    SetMachineFileName(*chosen);
}

void CSetMachineSheet::accept() {
    if (!CheckPages()) return;
    // The working copy takes every page's keys in one write; when it cannot, it stays as it
    // was and the sheet stays open.
    const fs::path work = ctx_.SystemData ? ctx_.SystemData->WorkingCopyPath : fs::path();
    if (!WritePages(work, work, machinePages_, [](CMachinePage& page) { return page.OnOK(); })) {
        ReportNotWritten(work);
        return;
    }
    QDialog::accept();
}

void CSetMachineSheet::reject() {
    for (CMachinePage* page : machinePages_) page->OnCancel();
    QDialog::reject();
}
