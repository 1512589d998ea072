// The system settings sheet: its six pages, the DXF check at OK and the writes of shown pages.
#include "settings/CSetSystemSheet.h"

#include <QTabWidget>

#include "settings/CSetSystemPage1.h"
#include "settings/CSetSystemPage3.h"
#include "settings/CSetSystemPage4.h"
#include "settings/CSetSystemPage5.h"
#include "settings/CSetSystemPage6.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsMessages.h"

CSetSystemSheet::CSetSystemSheet(SettingsContext& ctx, QWidget* parent)
    : CSettingsSheet(ctx, kCaptionSystemSheet, "SetSystemSheet", parent) {
    pages_[0] = new CSetSystemPage1(ctx_, Tabs());
    pages_[1] = new CSetSystemPage2(ctx_, Tabs());
    pages_[2] = new CSetSystemPage3(ctx_, Tabs());
    pages_[4] = new CSetSystemPage5(ctx_, Tabs());
    pages_[5] = new CSetSystemPage6(ctx_, Tabs());
    pages_[3] = new CSetSystemPage4(ctx_, Tabs());
    for (int number : {1, 2, 3, 5, 6, 4}) AddPage(Page(number));
    // A remembered tab outside 0 to 5 gives the first tab.
    Finish({}, 0);
}

CSystemPage* CSetSystemSheet::Page(int number) const {
    return number >= 1 && number <= 6 ? pages_[size_t(number - 1)] : nullptr;
}

CSetSystemPage5* CSetSystemSheet::DxfPage() const {
    return static_cast<CSetSystemPage5*>(pages_[4]);
}

bool CSetSystemSheet::PageTakesPart(int index) const {
    return static_cast<CSystemPage*>(TabPages()[size_t(index)])->Shown();
}

void CSetSystemSheet::OnTabShown(int index) {
    if (index >= 0 && index < int(TabPages().size()))
        static_cast<CSystemPage*>(TabPages()[size_t(index)])->MarkShown();
}

void CSetSystemSheet::accept() {
    // The DXF settings first: a problem found from another tab brings up the DXF page.
    if (DxfPage()->FindDxfProblem()) {
        if (Current() != kDxfTab) ShowTab(kDxfTab);
        DxfPage()->CheckDxfSettings();
        return;
    }
    DxfPage()->CheckDxfSettings();  // adds ".dxf" to a fixed name without one
    if (!CheckPages()) return;
    // One write for every page: a file that cannot be written stays as it was, the sheet open
    // and the running program as it was.
    ProfileEdit file(ctx_.IniPath());
    std::vector<CSystemPage*> writing;
    for (int i = 0; i < int(TabPages().size()); ++i)
        if (PageTakesPart(i)) writing.push_back(static_cast<CSystemPage*>(TabPages()[size_t(i)]));
    for (CSystemPage* page : writing) page->OnOK(file);
    if (!file.Save()) {
        ReportNotWritten(ctx_.IniPath());
        return;
    }
    for (CSystemPage* page : writing) page->OnWritten();
    QDialog::accept();
}
