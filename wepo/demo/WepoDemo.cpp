// wepo_demo: opens the library's dialogs for looking at and trying by hand.
//   wepo_demo [dialog]   a table-driven dialog with every kind of item, tab pages, spin arrows
//                        and a hook (die number 13 is refused at OK; a double click in the list
//                        copies the entry into the status line)
//   wepo_demo open [folder]     choose a die or drawing file to open
//   wepo_demo save [folder]     choose a name to save an arrangement (default extension "arr")
//   wepo_demo old [folder]      the old-style file dialog (sortable columns, volume totals)
//   wepo_demo dir [folder]      choose a folder in the folder tree; "olddir" the old style
//   wepo_demo preview [folder]  open a drawing with the preview pane and the thumbnail list
// What the dialog ends with is printed on standard output.
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "wepo/Wepo.h"

namespace {

struct DieData {
    int32_t number = 201;
    double sizeX = 10.0;
    double angle = 0.0;
    char name[16] = "Round 10";
    int32_t endless = 0;
    int8_t direction = 1;
    int16_t shape = 0;
    char status[64] = "Type expressions such as 2*3 or sin(30) into the numbers.";
    float clearance = 0.15f;
    int32_t hits = 1000;
    int32_t assist = 1;
    int16_t power = 80;
};

DieData g_die;

int DieHook(QWidget* dialog, const DlgBoxEvent* e) {
    if (e->type == DBE_INIT) {
        if (auto* list = qobject_cast<QListWidget*>(DlgBoxControl(dialog, 1060)))
            list->addItems({"T201 RO 10", "T305 SQ 20", "T412 OB 8x30", "T118 RE 5x40"});
        return 0;
    }
    if (e->type == DBE_COMMAND && e->controlId == 1060 && e->code == DBN_DBLCLK) {
        auto* list = qobject_cast<QListWidget*>(DlgBoxControl(dialog, 1060));
        if (list && list->currentItem())
            DlgBoxControl(dialog, 1030)
                ->setProperty("text", "Chosen: " + list->currentItem()->text());
        return 1;
    }
    if (e->type == DBE_COMMAND && e->controlId == DBID_OK && e->code == DBN_CLICKED) {
        // The edits are already evaluated: the hook reads what will be stored.
        QString text = DlgBoxControl(dialog, 1001)->property("text").toString();
        if (text.toInt() == 13) {
            QMessageBox::warning(dialog, "Wepo demo", "Die number 13 is already in use.");
            DlgBoxFocusItem(dialog, 1001);
            return 1;
        }
    }
    return 0;
}

int RunDialog() {
    DieData& d = g_die;
    static DlgBoxItem punch[] = {
        {1101, DlgBoxAttributes(DBK_EDIT, DBV_FLOAT, DBF_SPIN), &d.clearance, 0, 5, "%.2f mm"},
        {1102, DlgBoxAttributes(DBK_EDIT, DBV_LONG), &d.hits, 0, 100000, nullptr},
    };
    static DlgBoxItem laser[] = {
        {1201, DlgBoxAttributes(DBK_CHECK, DBV_LONG), &d.assist, 0, 0, "Assist &gas"},
        {1202, DlgBoxAttributes(DBK_EDIT, DBV_SHORT, DBF_SPIN), &d.power, 0, 100, nullptr},
    };
    static DlgBoxPage pages[] = {
        {nullptr, 501, nullptr, 2, punch},
        {nullptr, 502, nullptr, 2, laser},
    };
    DlgBoxItem items[] = {
        {1001, DlgBoxAttributes(DBK_EDIT, DBV_LONG, DBF_SPIN), &d.number, 1, 32767, nullptr},
        {1002, DlgBoxAttributes(DBK_EDIT, DBV_DOUBLE, DBF_SPIN), &d.sizeX, 0, 1000, nullptr},
        {1003, DlgBoxAttributes(DBK_EDIT, DBV_DOUBLE), &d.angle, -360, 360, "%.4lf"},
        {1004, DlgBoxAttributes(DBK_EDIT, DBV_STRING), d.name, 0, sizeof d.name, nullptr},
        {1005, DlgBoxAttributes(DBK_CHECK, DBV_LONG), &d.endless, 0, 0,
         "&Endless (no stop between hits)"},
        {1010, DlgBoxAttributes(DBK_RADIO, DBV_CHAR), &d.direction, 0, 3, "&Up\0&Down\0&None\0"},
        {1020, DlgBoxAttributes(DBK_COMBO, DBV_SHORT), &d.shape, 0, 4,
         "RO round\0SQ square\0RE rectangle\0OB oblong\0"},
        {1030, DlgBoxAttributes(DBK_STATIC, DBV_STRING), d.status, 0, sizeof d.status, nullptr},
        {1040, DlgBoxAttributes(DBK_TAB, DBV_PAGES, DBF_STOREPAGE), pages, 0, 2, nullptr},
        {1050, DlgBoxAttributes(DBK_BUTTON, DBV_OK), nullptr, 0, 0, "Store and &close"},
        {1051, DlgBoxAttributes(DBK_BUTTON, DBV_CANCEL), nullptr, 0, 0, "&Discard"},
    };
    int result = wpDlgBoxCtrl(":/demo/templates", 500, nullptr, items, std::size(items), DieHook);
    if (result == -1) std::fprintf(stderr, "wepo_demo: template 500 is missing or broken\n");
    std::printf(
        "result %d\nnumber %d\nsizeX %.3f\nangle %.4f\nname %s\nendless %d\ndirection %d\n"
        "shape %d\npage %g\nclearance %.2f\nhits %d\nassist %d\npower %d\n",
        result, d.number, d.sizeX, d.angle, d.name, d.endless, d.direction, d.shape, items[8].min,
        d.clearance, d.hits, d.assist, d.power);
    return 0;
}

const char kFilters[] =
    "Drawings (*.NMD;*.DXF;*.EXF;*.BAK;*.CMD)\0*.NMD;*.DXF;*.EXF;*.BAK;*.CMD\0"
    "Die files (*.DAT;*.ARR)\0*.DAT;*.ARR\0"
    "NC programs (*.NC;*.PTP)\0*.NC;*.PTP\0"
    "All files (*.*)\0*.*\0";

int RunFileSelection(unsigned mode, const char* folder, bool oldStyle) {
    wpSelectFileGUI(oldStyle ? 1 : 0);
    char file[512] = "";
    FileSelectParams p{};
    p.title = (mode & WPF_OPEN) ? "Open a drawing" : "Save the arrangement as";
    p.filter = kFilters;
    p.initialDirectory = folder;
    p.filterIndex = (mode & WPF_OPEN) ? 1 : 2;
    p.file = file;
    p.fileSize = sizeof file;
    p.defaultExtension = (mode & WPF_OPEN) ? nullptr : "arr";
    p.sortOptions = 0x1;
    p.displayOptions = 0xF;
    int result = wpSelectFileName(nullptr, mode, 1, &p);
    std::printf("result %d\nfile %s\nfilterIndex %u\nsortOptions 0x%X\ndisplayOptions 0x%X\n",
                result, file, p.filterIndex, p.sortOptions, p.displayOptions);
    return 0;
}

int RunFolderSelection(const char* folder, bool oldStyle) {
    wpSelectFileGUI(oldStyle ? 1 : 0);
    char directory[WP_MAX_PATH] = "";
    if (folder) std::snprintf(directory, sizeof directory, "%s", folder);
    int result = wpSelectDirectryName(nullptr, "Shape-file folder", directory);
    std::printf("result %d\ndirectory %s\n", result, directory);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const char* mode = argc > 1 ? argv[1] : "dialog";
    const char* folder = argc > 2 ? argv[2] : nullptr;
    if (std::strcmp(mode, "dialog") == 0) return RunDialog();
    if (std::strcmp(mode, "open") == 0) return RunFileSelection(WPF_OPEN, folder, false);
    if (std::strcmp(mode, "preview") == 0)
        return RunFileSelection(WPF_OPEN | WPF_PREVIEW, folder, false);
    if (std::strcmp(mode, "save") == 0) return RunFileSelection(0, folder, false);
    if (std::strcmp(mode, "old") == 0) return RunFileSelection(WPF_OPEN, folder, true);
    if (std::strcmp(mode, "oldsave") == 0) return RunFileSelection(0, folder, true);
    if (std::strcmp(mode, "dir") == 0) return RunFolderSelection(folder, false);
    if (std::strcmp(mode, "olddir") == 0) return RunFolderSelection(folder, true);
    std::fprintf(stderr,
                 "usage: wepo_demo [dialog | open | preview | save | old | oldsave | dir | olddir] "
                 "[folder]\n");
    return 2;
}
