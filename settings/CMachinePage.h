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
// While it writes, the sheet has the pages write into a staging file (SetStagingFile), a copy
// of the file that it then puts in place in one write: a write that fails leaves the file whole
// as it was.
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
    // checked them), then writes the page's keys into the target file. 1 written; 0 when the
    // file could not be written.
    virtual int WriteMachineFile(int updateData, int useWorkingCopy) = 0;
    virtual int OnOK() { return WriteMachineFile(1, 1); }
    virtual void OnCancel() {}

    // The file the writes go to in place of the working copy or the named machine file; empty
    // for the target itself.
    void SetStagingFile(std::filesystem::path file) { staging_ = std::move(file); }

protected:
    // The staging file while the sheet writes; else the working copy, or the named machine
    // file made absolute.
    std::filesystem::path TargetFile(int useWorkingCopy) const;

private:
    std::filesystem::path staging_;
};
