// RunTableDialog: the program's templates run by the dialog library's table-driven controller,
// and the seam through which tests act on such a dialog instead of waiting in it.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "wepo/Wepo.h"

// wpDlgBoxCtrl on the program's template templateId (":/templates"), with hook. Returns what
// wpDlgBoxCtrl returns (1 OK, 0 Cancel, -1 no template).
int RunTableDialog(int templateId, QWidget* owner, DlgBoxItem* items, int count, DlgBoxHook hook);

// While one exists, every table dialog takes the next script once its controls are filled and
// its hook has seen the set-up: the script acts on the dialog as a user would and must end it
// (clicking OK or Cancel). A dialog whose template is not the script's, a dialog with no script
// left, and a dialog still open after 5 s are ended with Cancel and recorded in failures.
class TableDialogScripts {
public:
    using Script = std::function<void(QWidget* dialog)>;
    TableDialogScripts();
    ~TableDialogScripts();
    TableDialogScripts(const TableDialogScripts&) = delete;
    TableDialogScripts& operator=(const TableDialogScripts&) = delete;

    void Add(int templateId, Script script);
    bool Done() const { return scripts_.empty(); }

    std::vector<int> opened;            // template ids in the order they opened
    std::vector<std::string> failures;  // what went wrong, empty when all went as scripted

private:
    friend void RunTableDialogScript(QWidget* dialog, int templateId);
    std::deque<std::pair<int, Script>> scripts_;
    TableDialogScripts* previous_ = nullptr;
};
