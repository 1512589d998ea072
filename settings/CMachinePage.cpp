// CMachinePage: the template and the target file shared by the machine pages.
#include "settings/CMachinePage.h"

#include "nc/machine/CSystemData.h"
#include "settings/DialogTemplate.h"

CMachinePage::CMachinePage(int templateId, SettingsContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    form_ = EmbedTemplate(templateId, this);
}

std::filesystem::path CMachinePage::TargetFile(int useWorkingCopy) const {
    if (!ctx_.SystemData) return {};
    if (useWorkingCopy) return ctx_.SystemData->WorkingCopyPath;
    return ctx_.MakeConfigPath(ctx_.SystemData->NcReadInfo.FileName);
}
