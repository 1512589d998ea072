// CMachinePage: a page of the machine settings sheet and the protocol every page follows.
#pragma once

#include <QWidget>
#include <filesystem>

#include "settings/FieldBindings.h"
#include "settings/SettingsContext.h"

// A page reads its keys from the working copy when it is constructed and shows them once its
// controls exist. The sheet then calls:
//   ReadMachineFile(1, 1)   after its open command copied another machine file over the
//                           working copy;
//   WriteMachineFile(1, 0)  at its save-as command, into the named machine file;
//   OnOK()                  when it ends with OK (writes into the working copy);
//   OnCancel()              when it ends with Cancel (a page that changed application data
//                           while the sheet ran puts it back; the others write nothing).
// Before it leaves a page, saves or ends with OK, the sheet asks TakeControls(prompt): false
// after the page reported a field that cannot be taken (message shown, field focused).
class CMachinePage : public QWidget {
    Q_OBJECT
public:
    // Loads template templateId as the page's form; the tab title is the form's title.
    CMachinePage(int templateId, SettingsContext& ctx, QWidget* parent = nullptr);

    // Reads the page's keys from the target file into the members; with updateControls also
    // shows them. 1 done; 0 when the page could not read (it then keeps its members).
    virtual int ReadMachineFile(int updateControls, int useWorkingCopy) = 0;
    // With updateData first takes the controls into the members (silently; the sheet has
    // checked them), then writes the page's keys into the target file.
    virtual void WriteMachineFile(int updateData, int useWorkingCopy) = 0;
    // Controls into members with the range checks; report null checks silently.
    virtual bool TakeControls(platform::UserPrompt* report) { return bindings_.Take(report); }
    virtual void OnOK() { WriteMachineFile(1, 1); }
    virtual void OnCancel() {}

    QWidget* Form() const { return form_; }
    // The page's control id (see DialogTemplate.h).
    template <class T>
    T* Ctl(int id) const;

protected:
    // The working copy, or the named machine file made absolute.
    std::filesystem::path TargetFile(int useWorkingCopy) const;

    SettingsContext& ctx_;
    FieldBindings bindings_;

private:
    QWidget* form_ = nullptr;
};

#include "settings/DialogTemplate.h"

template <class T>
T* CMachinePage::Ctl(int id) const {
    return Control<T>(form_, id);
}
