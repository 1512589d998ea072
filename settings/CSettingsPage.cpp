// CSettingsPage: the template of a settings page.
#include "settings/CSettingsPage.h"

CSettingsPage::CSettingsPage(int templateId, SettingsContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    form_ = EmbedTemplate(templateId, this);
}
