// The controller of one table-driven dialog or tab page: fills the controls from the caller's
// variables, reports every control's events to the hook first, reformats numeric edits, stores
// the controls back on OK and ends the dialog.
#pragma once

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QString>
#include <string>
#include <vector>

#include "wepo/Wepo.h"

class QButtonGroup;
class QLineEdit;
class QWidget;

namespace wepo {

class SpinButtons;
struct DlgBoxPageList;

class DlgBoxForm : public QObject {
    Q_OBJECT
public:
    // Attaches a controller to window (a TemplateDialog for a modal dialog, any form for a
    // page). source is the template folder pages without their own take theirs from.
    DlgBoxForm(QWidget* window, const char* source, DlgBoxItem* items, int count, DlgBoxHook hook,
               bool modal);
    ~DlgBoxForm() override;

    // The controller attached to a dialog or page; null for other windows.
    static DlgBoxForm* Of(QWidget* window);

    QWidget* Window() const { return window_; }
    bool IsModal() const { return modal_; }
    bool HasEnded() const { return ended_; }
    int Result() const { return resultId_; }
    DlgBoxItem* Items(int* count) const;

    // Fills every item and, when that worked, gives the hook DBE_INIT. False when the fill
    // failed: the dialog has then ended with 0.
    bool SetUp();

    // The events, each passed to the hook first (a non-zero answer ends the handling).
    void Command(unsigned controlId, int code);
    void Notify(unsigned controlId, int code, int value);
    void Close();
    // Gives the hook DBE_DESTROY and destroys the tab pages; once.
    void Destroy();

    // Queues a DBE_COMMAND of controlId, handled after the current event.
    void PostCommand(unsigned controlId);

    // index -1: every item. 1, or 0 at the first failing item.
    int Fill(int index);
    int Store(int index);
    int Reformat(int index);
    // Ends the dialog or page (see DlgBoxEnd).
    int End(int ok);

    // The id of the template's default button (Enter presses it), else DBID_OK.
    unsigned DefaultButtonId() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Slot {
        QPointer<SpinButtons> spin;
        DlgBoxPageList* pages = nullptr;
        QButtonGroup* radios = nullptr;
        // A numeric edit whose text gives no finite number: it keeps the text in red, stores
        // nothing and says why in its tooltip (its own tooltip and colours are kept for after).
        bool refused = false;
        QString toolTip;
        bool ownPalette = false;
        QPalette palette;
    };

    int Dispatch(const DlgBoxEvent& event);
    bool FillOne(size_t i);
    bool StoreOne(size_t i);
    bool ReformatOne(size_t i);
    void SetRefused(size_t i, QLineEdit* edit, bool refused);
    // After a reformat: the first edit of this form or of its pages that holds a refused text
    // (its page is brought to the front), or null.
    QLineEdit* RefusedEdit();
    bool CreatePages(size_t i, QWidget* tab);
    void Step(SpinButtons* spin, int delta);
    void WireControls();
    unsigned IdOf(const QObject* control) const;
    int ItemOf(unsigned controlId) const;

    QPointer<QWidget> window_;
    std::string source_;
    bool hasSource_;
    DlgBoxItem* items_;
    int count_;
    DlgBoxHook hook_;
    bool modal_;
    unsigned resultId_ = 0;
    bool ended_ = false;
    bool destroyed_ = false;
    std::vector<Slot> itemSlots_;
};

}  // namespace wepo
