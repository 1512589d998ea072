// CMachinePage: a page of the machine settings sheet and the protocol every page follows.
#pragma once

#include <filesystem>

#include "settings/CSettingsPage.h"

// A page reads its keys from the working copy when it is constructed and shows them once its
// controls exist. The sheet then calls:
//   ReadMachineFile(1, 1)   after its open command copied another machine file over the
//                           working copy;
//   WriteMachineFile(1, 0)  at its save-as command, into the named machine file;
//   OnOK()                  when it ends with OK (writes into the working copy);
//   OnCancel()              when it ends with Cancel (a page that changed application data
//                           while the sheet ran puts it back; the others write nothing).
// Before it leaves a page, saves or ends with OK, the sheet asks TakeControls(prompt).
class CMachinePage : public CSettingsPage {
    Q_OBJECT
public:
    // Loads template templateId as the page's form; the tab title is the form's title.
    CMachinePage(int templateId, SettingsContext& ctx, QWidget* parent = nullptr)
        : CSettingsPage(templateId, ctx, parent) {}

    // Reads the page's keys from the target file into the members; with updateControls also
    // shows them. 1 done; 0 when the page could not read (it then keeps its members).
    virtual int ReadMachineFile(int updateControls, int useWorkingCopy) = 0;
    // With updateData first takes the controls into the members (silently; the sheet has
    // checked them), then writes the page's keys into the target file.
    virtual void WriteMachineFile(int updateData, int useWorkingCopy) = 0;
    virtual void OnOK() { WriteMachineFile(1, 1); }
    virtual void OnCancel() {}

protected:
    // The working copy, or the named machine file made absolute.
    std::filesystem::path TargetFile(int useWorkingCopy) const;
};
