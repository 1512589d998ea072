// The program's file dialogs: what they show when they open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

#include "EnvVar.h"
#include "TempDir.h"
#include "TestFiles.h"
#include "app/QtChoosers.h"
#include "app/QtUserPrompt.h"

namespace {

// Opens a dialog in a folder of two files, one of a long type, and gives the columns whose
// width is less than their header's and their rows' text.
std::vector<std::string> CutColumns(const std::function<void(const std::string& folder)>& open) {
    test::TempDir dir;
    // Qt's dialog keeps its column widths in the user's configuration: a fresh one here.
    test::EnvVar config("XDG_CONFIG_HOME", (dir.path() / "config").string());
    test::WriteFile(dir.path() / "program.nc", "%\r\nM30\r\n%\r\n");
    test::WriteFile(dir.path() / "notes.averylongextensionname", "x");
    std::vector<std::string> cut;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* view = dialog ? dialog->findChild<QTreeView*>("treeView") : nullptr;
        // The folder is read in the background: wait until both files are listed.
        const bool listed = QTest::qWaitFor(
            [&] { return view && view->model()->rowCount(view->rootIndex()) == 2; }, 5000);
        QTest::qWait(50);
        for (int column = 1; listed && column < view->header()->count(); ++column) {
            const QAbstractItemModel* model = view->model();
            int need = view->header()->sectionSizeHint(column);
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                const QString text = model->index(row, column, view->rootIndex()).data().toString();
                need = std::max(need, view->fontMetrics().horizontalAdvance(text));
            }
            if (view->columnWidth(column) < need)
                cut.push_back(model->headerData(column, Qt::Horizontal).toString().toStdString());
        }
        if (!listed) cut.push_back("<the folder was never listed>");
        if (dialog) dialog->reject();
    });
    // Never left waiting in a dialog, whatever happens above.
    QTimer::singleShot(20000, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    open((dir.path() / "*.*").string());
    return cut;
}

// Open, Save and the settings' file questions open wide enough for their columns: Size, Type and
// Date take the width of their header and rows.
TEST(FileDialogs, OpenWithTheirColumnsWhole) {
    QtUserPrompt prompt;
    const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> cases = {
        {"open", [&](const std::string& at) { prompt.AskFileName("open", "*.*", at, false); }},
        {"save", [&](const std::string& at) { prompt.AskFileName("save", "*.*", at, true); }},
        {"open several", [&](const std::string& at) { prompt.AskFileNames("open", "*.*", at); }},
        {"settings",
         [](const std::string& at) {
             FileChoice choice{"open", "All files (*.*)|*.*||", at, "", true};
             QtChoosers::Instance().OpenFile(nullptr, choice);
         }},
    };
    for (const auto& [name, open] : cases) {
        const std::vector<std::string> cut = CutColumns(open);
        EXPECT_TRUE(cut.empty()) << name << ": " << (cut.empty() ? "" : cut.front()) << " cut";
    }
}

}  // namespace
