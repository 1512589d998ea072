// CSettingsSheet: a property sheet of settings pages: the tabs, the remembered tab, the checks
// that keep the user on a page until its fields can be taken, and the OK and Cancel buttons.
#pragma once

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/SettingsContext.h"

class CSettingsPage;
class QHBoxLayout;
class QTabWidget;

class CSettingsSheet : public QDialog {
    Q_OBJECT
public:
    // caption: string id of the title; section: the system settings section of ActivePage.
    CSettingsSheet(SettingsContext& ctx, unsigned caption, std::string section,
                   QWidget* parent = nullptr);

    // The modal run (RunModal); QDialog::Accepted after OK.
    int Run();
    QTabWidget* Tabs() const { return tabs_; }
    // The pages of the sheet in tab order.
    const std::vector<CSettingsPage*>& TabPages() const { return tabPages_; }

protected:
    void AddPage(CSettingsPage* page);
    // Builds the button row (the given widgets left of OK, Cancel and, with ctx.Help, Help) and
    // opens the sheet on the remembered tab without writing it. A remembered tab the sheet
    // lacks gives the tab at fallback (-1: the last tab).
    void Finish(const std::vector<QWidget*>& leftButtons, int fallback);
    // Checks the fields of the pages that may be written (PageTakesPart), the current page
    // first; after a failure that page is shown, its message given and its field focused.
    bool CheckPages();
    // Shows tab index as the sheet's own move: ActivePage is not written.
    void ShowTab(int index);
    int Current() const { return current_; }
    // Tells the user that file, a settings file, could not be written and is as it was.
    void ReportNotWritten(const std::filesystem::path& file) const;

    // Whether the page of tab index is checked and written at OK (default: every page).
    virtual bool PageTakesPart(int index) const;
    // A tab the user or the set-up brought up.
    virtual void OnTabShown(int /*index*/) {}

    SettingsContext& ctx_;

private:
    void OnTabChanged(int index);
    void WriteActivePage(int index);

    std::string section_;
    QTabWidget* tabs_ = nullptr;
    std::vector<CSettingsPage*> tabPages_;
    int current_ = 0;
};
