// CMachinePage: the target file shared by the machine pages.
#include "settings/CMachinePage.h"

#include "nc/machine/CSystemData.h"

std::filesystem::path CMachinePage::TargetFile(int useWorkingCopy) const {
    if (!staging_.empty()) return staging_;
    if (!ctx_.SystemData) return {};
    if (useWorkingCopy) return ctx_.SystemData->WorkingCopyPath;
    return ctx_.MakeConfigPath(ctx_.SystemData->NcReadInfo.FileName);
}
