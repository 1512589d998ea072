// What the die dialogs' hooks share: the run in progress, messages, file selection, the lists'
// look and the texts of the string table they show.
#pragma once

#include <QFont>
#include <QIcon>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "settings/DieDialogs.h"

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// The runner and the working state of the dialog that runs; a nested dialog keeps its
// outer's. Set by the Run functions for the length of a run.
struct DieDialogRun {
    DieDialogs* runner = nullptr;
    DieDialogState* state = nullptr;
};
DieDialogRun& CurrentDieDialogRun();
inline DieDialogState& RunState() {
    return *CurrentDieDialogRun().state;
}

// Sets the current run for the life of the object and puts the previous one back.
class DieDialogRunScope {
public:
    DieDialogRunScope(DieDialogs* runner, DieDialogState* state);
    ~DieDialogRunScope();

private:
    DieDialogRun previous_;
};

// The control id of a dialog, of type T; null when the template lacks it.
template <class T>
T* DieCtl(QWidget* dialog, unsigned id) {
    return qobject_cast<T*>(DlgBoxControl(dialog, id));
}

// A message of a string-table id (with %s filled by arg) through the runner's prompt; a caption
// id of 0 gives the program's caption.
platform::PromptAnswer DieMessage(unsigned textId, platform::PromptIcon icon,
                                  unsigned captionId = 0, std::string_view arg = {});
// The runner's file selection (wpSelectFileName when it has none).
int DieSelectFile(QWidget* owner, unsigned mode, FileSelectParams* params);

// Copies bytes into a NUL-terminated buffer of size bytes (a record's text into an item's
// variable), cut to fit.
void CopyToBuffer(char* out, size_t size, const std::string& bytes);

// The items of a '|'-separated list of the string table ("a|b|c|" gives a, b, c).
std::vector<std::string> StringItems(unsigned id);
// Texts one after another, each ended by a NUL (the run of a combo or radio item, or the
// filter pairs of a file selection when closed by an empty text).
std::string NulRun(const std::vector<std::string>& texts, bool closeWithEmpty = false);
// The long name of a die-list filter (0 to 15).
std::string FilterLongName(int filter);

// The fixed-pitch font of the die dialogs' lists and shape combo boxes, with a CJK fallback, in
// which a full-width character is as wide as two half-width ones: the padded texts line up.
QFont DieListFont();
// Sets up a list of one column as the die dialogs show it: fixed-pitch font with a CJK
// fallback (so that the columns of the row texts line up), 14-pixel state images, full-row
// single selection, no header.
void SetUpDieList(QTreeWidget* list);
// A row of CP932 text with its state image and item data.
QTreeWidgetItem* MakeDieListRow(const std::string& cp932, const QIcon& image, int data);
void SetDieListRow(QTreeWidgetItem* item, const std::string& cp932, const QIcon& image);
// The column as wide as the widest row plus 25 pixels.
void SizeDieListColumn(QTreeWidget* list);
// The selected row, or null.
QTreeWidgetItem* SelectedRow(QTreeWidget* list);
// Makes row the selected and current row without telling the dialog's hook; scrolls it into view
// when asked.
void SelectRowQuietly(QTreeWidget* list, QTreeWidgetItem* row, bool scroll);

// Dialogs run from the die list and the arrangement dialog, on DieDialogRecord().Edit and
// .Station. Each returns what RunTableDialog returns.
int RunDieEditDialog(QWidget* owner, int templateId);
int RunStationEditDialog(QWidget* owner);

// Template ids.
inline constexpr int kTemplateDieList = 1537;
inline constexpr int kTemplateDieAdd = 1538;
inline constexpr int kTemplateDieChange = 1546;
inline constexpr int kTemplateArrangement = 1551;
inline constexpr int kTemplateStation = 1552;
