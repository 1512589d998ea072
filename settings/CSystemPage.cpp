// CSystemPage: the first display of a system settings page.
#include "settings/CSystemPage.h"

void CSystemPage::MarkShown() {
    if (shown_) return;
    shown_ = true;
    OnInitDialog();
}
