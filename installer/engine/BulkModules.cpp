// Finding, ordering and detecting the modules of a bulk installation.
#include "installer/engine/BulkModules.h"

#include <algorithm>
#include <fstream>

#include "installer/engine/FileOps.h"
#include "installer/engine/SetupFile.h"
#include "installer/engine/SetupInfo.h"
#include "platform/Cp932.h"

namespace installer {

namespace fs = std::filesystem;

const BulkProduct& DefaultBulkProduct() {
    static const BulkProduct product;
    return product;
}

namespace {

// The second line of a file, read whole (a long first line must not hide it).
std::string SecondLine(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string first, second;
    if (!std::getline(in, first)) return {};
    std::getline(in, second);
    return second;
}

int RankOf(const std::string& word, const BulkProduct& product) {
    for (size_t i = 0; i < product.ModuleWords.size(); ++i)
        if (!word.empty() && product.ModuleWords[i] == word) return static_cast<int>(i) + 1;
    return -1;
}

}  // namespace

void ScanSetupTree(const fs::path& folder, const std::string& setupFileName,
                   const BulkProduct& product, std::vector<ModuleRecord>& modules) {
    fs::path file = FindNoCase(folder, setupFileName);
    if (!file.empty() && IsFileExist(file) &&
        SecondLine(file).find(kBulkMarker) != std::string::npos) {
        SetupFile f(file);
        ModuleRecord m;
        m.IsMainProgram = f.Get("APPINFO", "MAIN_PROGRAM", readsize::kPath) == product.MainProgram;
        std::string exist = f.Get("APPINFO", "TARGET_EXISTFILE", readsize::kShort);
        if (exist.compare(0, product.MainProgram.size(), product.MainProgram) == 0) {
            m.IsProductModule = 1;
            m.ModuleKind = RankOf(f.Get("APPINFO", "COMPRESS_FILE", readsize::kPath), product);
        }
        m.SetupFilePath = file.string();
        m.ProductName = f.Get("APPINFO", "PRODUCT_NAME", 128);
        m.SetupTitle = f.Get("APPINFO", "SETUP_TITLE", 64);
        m.FoundOrder = static_cast<int>(modules.size());
        modules.push_back(std::move(m));
    }
    for (const FolderEntry& e : ListFolder(folder, "*"))
        if (e.IsFolder && e.Name.front() != '.')
            ScanSetupTree(folder / e.Name, setupFileName, product, modules);
}

std::vector<ModuleRecord> FindModules(const fs::path& installerFolder,
                                      const std::string& setupFileName,
                                      const BulkProduct& product) {
    std::vector<ModuleRecord> modules;
    for (const FolderEntry& e : ListFolder(installerFolder, "*"))
        if (e.IsFolder && e.Name.front() != '.')
            ScanSetupTree(installerFolder / e.Name, setupFileName, product, modules);
    return modules;
}

bool CompareModules(const ModuleRecord& a, const ModuleRecord& b) {
    if (a.IsMainProgram != b.IsMainProgram) return a.IsMainProgram > b.IsMainProgram;
    if (a.IsProductModule != b.IsProductModule) return a.IsProductModule > b.IsProductModule;
    if (a.IsProductModule) {
        bool ka = a.ModuleKind >= 1, kb = b.ModuleKind >= 1;
        if (ka != kb) return ka;
        if (ka && a.ModuleKind != b.ModuleKind) return a.ModuleKind < b.ModuleKind;
    }
    return a.FoundOrder < b.FoundOrder;
}

void SortModules(std::vector<ModuleRecord>& modules) {
    std::stable_sort(modules.begin(), modules.end(), CompareModules);
}

void DetectInstalledModules(std::vector<ModuleRecord>& modules, SetupState& state,
                            const KeyStore& keys, const SetupPlatform& platform,
                            const BulkProduct& product) {
    if (modules.empty()) return;
    SetupFile first(modules.front().SetupFilePath);
    // The first module's own APPBASE_PATH is the default when no folder is stored.
    state.AppBasePath = first.Get("APPINFO", "APPBASE_PATH", readsize::kFolderName);
    InitTargetDir(state, first.Get("APPINFO", "GETREG_APPBASE_PATH", readsize::kPath), keys,
                  platform);
    const std::string& target = state.TargetDir;  // empty: nothing counts as installed
    for (size_t i = 0; i < modules.size(); ++i) {
        ModuleRecord& m = modules[i];
        int installed = 0;
        m.NewChecked = 0;
        if (m.ModuleKind >= 1 && m.ModuleKind <= 7) {
            installed =
                !target.empty() &&
                IsRealFolder(target + product.ModuleWords[static_cast<size_t>(m.ModuleKind - 1)]);
        } else if (i == 0) {
            installed = !target.empty() && IsFileExist(target + product.DetectFile);
            m.NewChecked = 1;
        } else if (platform::EqualsNoCase(m.ProductName, product.SuiteName)) {
            installed = !platform.ProgramsBase.empty() &&
                        IsRealFolder(platform.ProgramsBase / product.SuiteName);
        }
        m.Installed = installed;
        m.UpdateChecked = installed;
    }
}

bool ReadModuleSetupFile(SetupState& s) {
    SetupFile f(s.SetupFilePath);
    using namespace readsize;
    ReadFolderNames(s, f);
    size_t slash = s.SetupFilePath.rfind('/');
    if (slash == std::string::npos) return false;
    s.InstallerPath = s.SetupFilePath.substr(0, slash + 1);
    s.ComponentCount = CountComponents(f);
    if (s.ProgramFolderName.empty() || s.ComponentCount == 0) return false;
    ReadProductNames(s, f);
    s.UninstallName = f.Get("APPINFO", "UNINSTALL_NAME", kShort);
    ReadComponents(s, f);
    s.TargetExistFile = f.Get("APPINFO", "TARGET_EXISTFILE", kShort);
    return true;
}

}  // namespace installer
