// The API of libwepo.so: table-driven dialogs, file and folder selection with previews.
//
// Everything declared here is exported with C linkage under the names below; nothing else of
// the library is visible. The caller owns every table, variable and buffer it passes; the
// library allocates nothing the caller must free. All functions run on the thread of the
// QApplication (the caller's user-interface thread); one library dialog runs at a time, though
// a hook may run a nested dialog with its own dialog as owner.
#pragma once

class QWidget;

#if defined(WEPO_BUILD)
#define WEPO_API __attribute__((visibility("default")))
#else
#define WEPO_API
#endif

// ---- Item tables of table-driven dialogs -------------------------------------------------

// Kinds (bits 0-7 of DlgBoxItem::attributes): the control an item binds.
enum : unsigned {
    DBK_EDIT = 1,    // QLineEdit
    DBK_CHECK = 2,   // QCheckBox
    DBK_RADIO = 3,   // max QRadioButtons with the ids controlId .. controlId + max - 1
    DBK_COMBO = 4,   // QComboBox (a drop-down list; the entries come from the item's text)
    DBK_STATIC = 5,  // QLabel
    DBK_BUTTON = 6,  // QPushButton
    DBK_TAB = 7,     // QTabWidget whose pages are table-driven dialogs of their own
};

// Types (bits 8-15): the variable an item binds.
enum : unsigned {
    DBV_STRING = 1,  // char buffer of max bytes (CP932 text, NUL-terminated)
    DBV_CHAR = 2,    // int8_t
    DBV_SHORT = 3,   // int16_t
    DBV_LONG = 4,    // int32_t
    DBV_FLOAT = 5,   // float
    DBV_DOUBLE = 6,  // double
    DBV_OK = 7,      // no variable: a button that confirms the dialog and becomes its result
    DBV_CANCEL = 8,  // no variable: a button that cancels the dialog and becomes its result
    DBV_PAGES = 9,   // a table of max DlgBoxPage records
};

// Flags (bits 16-23), any combination.
enum : unsigned {
    DBF_DISABLE = 0x01,    // the control (every button of a radio group) is disabled
    DBF_HIDE = 0x02,       // ... hidden
    DBF_SPIN = 0x04,       // an edit gets up and down arrows that step its value by 1
    DBF_STOREPAGE = 0x08,  // a tab item: OK writes the index of the current page into min
};

// The attributes word of an item.
constexpr unsigned DlgBoxAttributes(unsigned kind, unsigned type, unsigned flags = 0) {
    return (kind & 0xFF) | (type & 0xFF) << 8 | (flags & 0xFF) << 16;
}

struct DlgBoxEvent;
// A hook sees every event of its dialog before the controller does. It returns non-zero to
// consume the event: the controller then does nothing of its own for it.
typedef int (*DlgBoxHook)(QWidget* dialog, const DlgBoxEvent* event);

// One control of a template bound to one variable of the caller. Tables are not const: a tab
// item with DBF_STOREPAGE writes into its min.
struct DlgBoxItem {
    unsigned controlId;   // object name "id<controlId>" in the template
    unsigned attributes;  // kind | type << 8 | flags << 16
    void* variable;       // of the type's width; a DlgBoxPage table for DBV_PAGES
    double min;           // lower bound; DBK_TAB: the page shown first (and stored)
    double max;           // upper bound; buffer size (DBV_STRING), button count (DBK_RADIO),
                          // entry count (DBK_COMBO), page count (DBV_PAGES)
    const char* text;     // UTF-8. DBK_EDIT (and a DBV_STRING static): a printf format in C
                          // notation taking the value; DBK_CHECK, DBK_STATIC, DBK_BUTTON: a
                          // caption; DBK_RADIO, DBK_COMBO: one NUL-terminated string per
                          // button or entry, one after another. May be null.
};

// One page of a DBK_TAB item: a table-driven dialog of its own shown in the tab widget; its
// tab caption is the window title of its template.
struct DlgBoxPage {
    const char* templateSource;  // folder of the page's template; null: the dialog's own source
    int templateId;              // the template is "<templateSource>/<templateId>.ui"
    DlgBoxHook hook;             // may be null
    int count;                   // number of items
    DlgBoxItem* items;
};

// ---- The hook's event record --------------------------------------------------------------

// What happened.
enum : int {
    DBE_INIT = 1,     // the controls have been filled; the result is not used
    DBE_COMMAND = 2,  // controlId, code: DBN_CLICKED, DBN_SELCHANGE, DBN_KILLFOCUS, DBN_DBLCLK
    DBE_NOTIFY = 3,   // controlId, code: DBN_DBLCLK, DBN_TABCHANGE, DBN_SPINDELTA
    DBE_CLOSE = 4,    // the window's close box (consuming it keeps the dialog open; else a
                      // DBE_COMMAND of DBID_CANCEL follows)
    DBE_DESTROY = 5,  // the dialog has ended and is about to be destroyed
};

// Control ids of the confirming and cancelling buttons (Enter and Escape send them too).
enum : unsigned { DBID_OK = 1, DBID_CANCEL = 2 };

// Notification codes.
enum : int {
    DBN_CLICKED = 0,    // a button, check box or radio button was clicked; DBID_OK, DBID_CANCEL
    DBN_SELCHANGE = 1,  // the user chose another entry of a combo box or list (QListWidget,
                        // QListView; as a DBE_NOTIFY, of a table or tree view)
    DBN_DBLCLK = 2,     // a double click on an entry: DBE_COMMAND from a list box
                        // (QListWidget, QListView), DBE_NOTIFY from a list view (QTreeWidget,
                        // QTreeView, QTableWidget, QTableView)
    DBN_KILLFOCUS = 3,  // an edit lost the focus (an edit item is reformatted afterwards)
    DBN_TABCHANGE = 4,  // the user chose another page of a tab widget; value: the new index
    DBN_SPINDELTA = 5,  // an arrow of a DBF_SPIN edit (or Up/Down in it); value: +1 or -1;
                        // controlId is the edit's
    DBN_CHANGE = 6,     // the user changed the text of an edit
};

struct DlgBoxEvent {
    int type;            // DBE_*
    unsigned controlId;  // DBE_COMMAND, DBE_NOTIFY: the control's id; else 0
    int code;            // DBE_COMMAND, DBE_NOTIFY: DBN_*; else 0
    int value;           // DBN_SPINDELTA: the step; DBN_TABCHANGE: the page; else 0
};

// ---- File and folder selection ----------------------------------------------------------

// The caller's block of wpSelectFileName. Texts are UTF-8; paths are native file names.
struct FileSelectParams {
    const char* title;             // caption of the dialog and of its overwrite question
    const char* filter;            // pairs of NUL-terminated texts (description, patterns such as
                                   // "*.SPF;*.sef", matched without letter case), ended by an
                                   // empty text
    const char* initialDirectory;  // the folder shown first (relative: to the current folder); may
                                   // be null
    unsigned filterIndex;          // in/out: the 1-based pair shown first (0 counts as 1); on
                                   // return the pair last chosen, whether the dialog ended with OK
                                   // or not
    char* file;                    // in/out: the name proposed (may be empty); out: the chosen path
    unsigned fileSize;             // size of file in bytes
    const char*
        defaultExtension;     // without the dot, added to a name typed without one; may be null
    unsigned sortOptions;     // in/out, old style: sort boxes (0x1 name, 0x2 extension, 0x4
                              // size, 0x8 date; 0x80 reverses)
    unsigned displayOptions;  // in/out, old style: columns (0x1 size, 0x2 date, 0x4 time, 0x8
                              // comment)
};

// Mode bits of wpSelectFileName.
enum : unsigned {
    WPF_OPEN = 0x1,                // open an existing file; without it, choose a name to save
    WPF_NOOVERWRITEPROMPT = 0x10,  // save without asking about an existing file
    WPF_PREVIEW = 0x20,            // explorer style: a preview pane beside the list
};

// The size of wpSelectDirectryName's buffer.
enum : unsigned { WP_MAX_PATH = 260 };

extern "C" {

// Runs a modal table-driven dialog: the template "<templateSource>/<templateId>.ui" (a folder
// or a Qt resource folder such as ":/templates"; null: the library's own templates), owned by
// owner (may be null), with count items and an optional hook. The variables are written into
// the controls when the dialog opens and read back only when it is confirmed. Returns 1 when
// ended with OK (items stored), 0 when cancelled or closed (nothing stored) or when the
// controls could not be filled, -1 when the template is missing or cannot be built, or the id
// of the DBV_OK (items stored) or DBV_CANCEL (nothing stored) button that ended it; once such
// a button was pressed its id stays the result however the dialog then ends.
WEPO_API int wpDlgBoxCtrl(const char* templateSource, int templateId, QWidget* owner,
                          DlgBoxItem* items, int count, DlgBoxHook hook);

// ---- Helpers a hook may call on its dialog ------------------------------------------------

// The control with that id in the dialog (not inside its tab pages); null when there is none.
WEPO_API QWidget* DlgBoxControl(QWidget* dialog, unsigned controlId);
// Queues a DBE_COMMAND (code DBN_CLICKED) of that id to the dialog, handled after the current
// event, as a posted WM_COMMAND was. 1, or 0 for no table-driven dialog.
WEPO_API int DlgBoxPostCommand(QWidget* dialog, unsigned controlId);
// Focuses the control and selects all its text. 1, or 0 when there is no such control.
WEPO_API int DlgBoxFocusItem(QWidget* dialog, unsigned controlId);
// The dialog's item table (and its count when count is not null); null for no dialog.
WEPO_API DlgBoxItem* DlgBoxGetItems(QWidget* dialog, int* count);
// Variables into controls, controls into variables, and the evaluate-clamp-reformat of edit
// items, for the item at index (0 .. count - 1) or for all items (index -1). 1, or 0 when an
// item fails (a missing control, a null variable, a kind that does not fit the type).
WEPO_API int DlgBoxFillItem(QWidget* dialog, int index);
WEPO_API int DlgBoxStoreItem(QWidget* dialog, int index);
WEPO_API int DlgBoxReformatItem(QWidget* dialog, int index);
// Ends the dialog: ok 1 stores every tab page's items (the dialog's own items are stored by the
// controller's OK handling, or by DlgBoxStoreItem), 0 drops them. The result is the recorded
// button id, else ok. 1, or 0 for no table-driven dialog.
WEPO_API int DlgBoxEnd(QWidget* dialog, int ok);

// Lets the user choose a file to open or a name to save, in the library's own dialog (or the
// old-style one, see wpSelectFileGUI), owned by owner (may be null). keepLongName 0 would ask
// for short names, which Linux does not have: the path is the same. Returns 1 with the path in
// params->file, or 0 when cancelled or params is unusable. The process's current folder is the
// same afterwards.
WEPO_API int wpSelectFileName(QWidget* owner, unsigned mode, int keepLongName,
                              FileSelectParams* params);
// value >= 0 sets the switch that makes wpSelectFileName and wpSelectDirectryName use their old
// styles (non-zero); value < 0 only reads it. Returns the switch as it was before.
WEPO_API int wpSelectFileGUI(int value);
// Lets the user choose a folder: directory (a buffer of WP_MAX_PATH bytes) holds the folder shown
// first and receives the chosen one with one trailing '/'. 1 when chosen, 0 when cancelled, -1
// when the dialog cannot be made.
WEPO_API int wpSelectDirectryName(QWidget* owner, const char* title, char* directory);

}  // extern "C"
