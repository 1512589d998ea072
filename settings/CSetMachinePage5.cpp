// The "Punch Tool" page: die file names, their reload, and the die dialogs.
#include "settings/CSetMachinePage5.h"

#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <new>

#include "app/core/AppPaths.h"
#include "nc/NcAppContext.h"
#include "nc/machine/DieMessages.h"
#include "nc/read/punch/PunchFigureCache.h"
#include "settings/Choosers.h"
#include "settings/DieDialogs.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsMessages.h"

namespace {

constexpr size_t kNameBytes = 256;
constexpr const char* kNcRead = "NcRead";
constexpr const char* kFilterKeys[3] = {"PunchTool_Spf_FilterIndex", "PunchTool_Sef_FilterIndex",
                                        "PunchTool_Kif_FilterIndex"};

}  // namespace

CSetMachinePage5::CSetMachinePage5(SettingsContext& ctx, QWidget* parent)
    : CMachinePage(112, ctx, parent) {
    ReadMachineFile(0, 1);
    bindings_.Text(Ctl<QLineEdit>(1045), &PossessedFile, kNameBytes, TextEncoding::Native);
    bindings_.Text(Ctl<QLineEdit>(1046), &ArrangementFile, kNameBytes, TextEncoding::Native);
    bindings_.Show();
    connect(Ctl<QPushButton>(1049), &QPushButton::clicked, this,
            &CSetMachinePage5::OnBrowsePossessedFile);
    connect(Ctl<QPushButton>(1050), &QPushButton::clicked, this,
            &CSetMachinePage5::OnBrowseArrangementFile);
    connect(Ctl<QPushButton>(1047), &QPushButton::clicked, this,
            &CSetMachinePage5::OnEditPossessedDies);
    connect(Ctl<QPushButton>(1048), &QPushButton::clicked, this,
            &CSetMachinePage5::OnEditArrangement);
}

std::string CSetMachinePage5::DisplayName(const std::string& name) const {
    // The file the name reaches, relative to the configuration folder where it lies in it: a
    // relative name that reaches a file beside the machine file shows that file's full path.
    if (name.empty()) return {};
    std::string shown = ctx_.PunchTool->ResolveName(name).string();
    if (ctx_.Paths) ctx_.Paths->ConvertConfigRelativePath(0, shown);
    return shown;
}

int CSetMachinePage5::ReadMachineFile(int updateControls, int useWorkingCopy) {
    if (!ctx_.PunchTool) return 0;
    CPunchTool& tool = *ctx_.PunchTool;
    tool.LoadFileNames(TargetFile(useWorkingCopy));
    LoadedPossessed = tool.PossessedToolFileName;
    LoadedArrangement = tool.ArrangedToolFileName;
    loadedPossessedPath_ = tool.PossessedPath();
    loadedArrangementPath_ = tool.ArrangementPath();
    PossessedFile = DisplayName(LoadedPossessed);
    ArrangementFile = DisplayName(LoadedArrangement);
    tool.ReloadDieFiles();
    snapshot_.reset();
    try {
        snapshot_ = tool;
    } catch (const std::bad_alloc&) {
        ctx_.Message(diemsg::kDieCopyMemory, platform::PromptIcon::Error);
        return 0;
    }
    if (updateControls) bindings_.Show();
    return 1;
}

void CSetMachinePage5::TakeNames() {
    // An edit that still shows the file its configured name reaches keeps that name (a
    // relative name stays relative); another file is stored as its full path. The names are
    // checked against the machine file they are written for, so that a save-as into another
    // folder stores the full path of a name that would miss its file from there.
    CPunchTool& tool = *ctx_.PunchTool;
    const auto take = [&tool](const std::string& text, std::string& name) {
        name = text.empty() ? std::string() : tool.StoredName(tool.ResolveName(text), name);
    };
    take(PossessedFile, tool.PossessedToolFileName);
    take(ArrangementFile, tool.ArrangedToolFileName);
}

int CSetMachinePage5::WriteMachineFile(int updateData, int useWorkingCopy) {
    if (!ctx_.PunchTool) return 1;
    if (updateData) bindings_.Take(nullptr);
    TakeNames();
    const int written = ctx_.PunchTool->SaveFileNames(TargetFile(useWorkingCopy));
    ctx_.PunchTool->ReloadDieFiles();
    return written;
}

void CSetMachinePage5::OnCancel() {
    if (!ctx_.PunchTool) return;
    CPunchTool& tool = *ctx_.PunchTool;
    if (snapshot_) {
        // The tool's wiring (its dialogs and the machine file it writes to) is not die data,
        // nor is what the user has been told of the die file.
        DieDialogRunner* dialogs = tool.Dialogs;
        std::function<std::string()> machine = tool.MachineFileName;
        CPunchTool::ToldDieFiles told = std::move(tool.BeyondTheTableTold);
        tool = *snapshot_;
        tool.Dialogs = dialogs;
        tool.MachineFileName = std::move(machine);
        tool.BeyondTheTableTold = std::move(told);
    }
    // After a failed snapshot only the names can be put back: the files they reached when
    // read, also after a save-as has made another machine file the current one.
    tool.PossessedToolFileName = tool.StoredName(loadedPossessedPath_, LoadedPossessed);
    tool.ArrangedToolFileName = tool.StoredName(loadedArrangementPath_, LoadedArrangement);
}

void CSetMachinePage5::Browse(std::string& text, unsigned titleId, unsigned filterId,
                              const char* extension) {
    if (!ctx_.Choose) return;
    bindings_.Take(nullptr);
    FileChoice c;
    c.title = platform::LoadString(titleId);
    c.filter = platform::LoadString(filterId);
    c.defaultExtension = extension;
    c.mustExist = true;
    c.initial =
        text.empty() ? ctx_.MakeConfigPath("*.*") : ctx_.PunchTool->ResolveName(text).string();
    std::optional<std::string> chosen = ctx_.Choose->OpenFile(this, c);
    if (!chosen) return;
    text = *chosen;
    if (ctx_.Paths) ctx_.Paths->ConvertConfigRelativePath(0, text);
    bindings_.Show();
}

void CSetMachinePage5::OnBrowsePossessedFile() {
    Browse(PossessedFile, kTitlePossessedFile, kFilterPossessedFile, "DAT");
}

void CSetMachinePage5::OnBrowseArrangementFile() {
    Browse(ArrangementFile, kTitleArrangementFile, kFilterArrangementFile, "ARR");
}

void CSetMachinePage5::OnEditPossessedDies() {
    if (!ctx_.PunchTool) return;
    // The folder the punch hits take the shape files from.
    NcAppContext nc;
    if (ctx_.Paths) {
        nc.ConfigFolder = ctx_.Paths->ConfigFolder;
        nc.ConvertLocalAppPath = [paths = ctx_.Paths](int expand, std::string& path) {
            return paths->ConvertLocalAppPath(expand, path);
        };
    }
    nc.IniPath = ctx_.IniPath();
    SetShapeFileFolder(PunchFigureCache::FigureFolder(&nc));
    {
        ProfileEdit ini(ctx_.IniPath());
        SetShapeFileFilterIndexes(ini.Int(kNcRead, kFilterKeys[0], 1),
                                  ini.Int(kNcRead, kFilterKeys[1], 2),
                                  ini.Int(kNcRead, kFilterKeys[2], 3));
    }
    bindings_.Take(nullptr);
    TakeNames();
    CPunchTool& tool = *ctx_.PunchTool;
    tool.ReloadDieFiles();
    tool.DialogState.Owner = this;
    tool.EditPossessedDies();

    int indexes[3];
    GetShapeFileFilterIndexes(&indexes[0], &indexes[1], &indexes[2]);
    ProfileEdit ini(ctx_.IniPath());
    for (int i = 0; i < 3; ++i) ini.SetInt(kNcRead, kFilterKeys[i], indexes[i]);
    ini.Save();
}

void CSetMachinePage5::OnEditArrangement() {
    if (!ctx_.PunchTool) return;
    bindings_.Take(nullptr);
    TakeNames();
    CPunchTool& tool = *ctx_.PunchTool;
    tool.ReloadDieFiles();
    tool.DialogState.Owner = this;
    tool.RunArrangementEditor();
    // The full path of the file the arrangement editor left the tool with.
    ArrangementFile = tool.ArrangementPath().string();
    bindings_.Show();
}
