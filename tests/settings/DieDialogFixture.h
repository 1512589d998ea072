// The die dialogs run for real through the dialog library, under the die-data drivers, with
// scripted dialogs, a scripted prompt and a scripted file selection.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <deque>
#include <memory>
#include <optional>

#include "SettingsFixture.h"
#include "nc/machine/CPunchTool.h"
#include "platform/TextCodec.h"
#include "settings/DieDialogs.h"
#include "settings/SettingsMessages.h"
#include "settings/TableDialogRun.h"

// Failures show the texts, not their code units.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace die_test {

inline std::filesystem::path DieFixture(const std::string& name) {
    return std::filesystem::path(MORVALEN_TEST_DATA) / "nc" / "dies" / name;
}

template <class T>
T* C(QWidget* dialog, unsigned id) {
    auto* w = qobject_cast<T*>(DlgBoxControl(dialog, id));
    EXPECT_NE(w, nullptr) << "control " << id;
    return w;
}
inline void Click(QWidget* d, unsigned id) {
    C<QAbstractButton>(d, id)->click();
}
inline void Type(QWidget* d, unsigned id, const QString& text) {
    C<QLineEdit>(d, id)->setText(text);
}
inline QString Text(QWidget* d, unsigned id) {
    if (auto* e = qobject_cast<QLineEdit*>(DlgBoxControl(d, id))) return e->text();
    if (auto* l = qobject_cast<QLabel*>(DlgBoxControl(d, id))) return l->text();
    return C<QAbstractButton>(d, id)->text();
}
// Chooses an entry of a combo box as the user does (the dialog hears of it).
inline void Choose(QWidget* d, unsigned id, int index) {
    auto* c = C<QComboBox>(d, id);
    c->setCurrentIndex(index);
    emit c->activated(index);
}
inline QTreeWidget* List(QWidget* d, unsigned id) {
    return C<QTreeWidget>(d, id);
}
// Clicks a row, as the user does (the current row changes before the selection).
inline void SelectRow(QWidget* d, unsigned id, int row) {
    QTreeWidget* l = List(d, id);
    QTreeWidgetItem* item = l->topLevelItem(row);
    ASSERT_NE(item, nullptr) << "row " << row;
    l->scrollToItem(item);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(item).center());
}
inline void DoubleClickRow(QWidget* d, unsigned id, int row) {
    QTreeWidget* l = List(d, id);
    l->setCurrentItem(l->topLevelItem(row));
    emit l->doubleClicked(l->currentIndex());
}
inline int RowCount(QWidget* d, unsigned id) {
    return List(d, id)->topLevelItemCount();
}
inline QString RowText(QWidget* d, unsigned id, int row) {
    return List(d, id)->topLevelItem(row)->text(0);
}
// The row index of the selected row, -1 for none.
inline int SelectedRowOf(QWidget* d, unsigned id) {
    QTreeWidget* l = List(d, id);
    const QList<QTreeWidgetItem*> s = l->selectedItems();
    return s.isEmpty() ? -1 : l->indexOfTopLevelItem(s.front());
}
inline std::string Utf8(std::string_view cp932) {
    return platform::Cp932ToUtf8(cp932);
}

// One answer of the scripted file selection: the path chosen and the filter index it leaves,
// or nothing for Cancel.
struct FileAnswer {
    std::string path;
    unsigned filterIndex = 1;
};
struct FileAsked {
    unsigned mode;
    std::string title, filter, folder, file, extension;
    unsigned filterIndex;
};

class DieDialogFixture : public settings_test::Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        tool = std::make_unique<CPunchTool>(&nc);
        tool->Dialogs = &runner;
        tool->MachineFileName = [this] { return (config / "machine.nmd").string(); };
        runner.Prompt = &prompt;
        runner.SelectFile = [this](QWidget*, unsigned mode, int, FileSelectParams* p) {
            FileAsked a{mode,
                        p->title ? p->title : "",
                        {},
                        p->initialDirectory ? p->initialDirectory : "",
                        p->file,
                        p->defaultExtension ? p->defaultExtension : "",
                        p->filterIndex};
            for (const char* f = p->filter; f && *f; f += std::strlen(f) + 1)
                a.filter += std::string(f) + "|";
            fileAsked.push_back(a);
            if (fileAnswers.empty() || !fileAnswers.front()) {
                if (!fileAnswers.empty()) fileAnswers.pop_front();
                return 0;
            }
            const FileAnswer answer = *fileAnswers.front();
            fileAnswers.pop_front();
            std::snprintf(p->file, p->fileSize, "%s", answer.path.c_str());
            p->filterIndex = answer.filterIndex;
            return 1;
        };
        ctx.PunchTool = tool.get();
        ctx.Nc = &nc;
        nc.PunchTool = tool.get();
    }
    void TearDown() override {
        EXPECT_TRUE(scripts.failures.empty()) << scripts.failures.front();
        EXPECT_TRUE(scripts.Done()) << "scripted dialogs left over";
    }

    // The die file and arrangement of the nc fixtures in the configuration folder, read.
    void LoadDies(const std::string& dat = "pch_v4.dat", const std::string& arr = "arr_v2.arr") {
        std::filesystem::copy_file(DieFixture(dat), config / "pch.dat");
        if (!arr.empty()) std::filesystem::copy_file(DieFixture(arr), config / "turret.arr");
        tool->PossessedToolFileName = "pch.dat";
        tool->ArrangedToolFileName = "turret.arr";
        ASSERT_EQ(tool->ReadWritePossessed(1), 0);
        if (!arr.empty()) ASSERT_EQ(tool->ReadWriteArrangement(1), 0);
        prompt.asked.clear();
    }
    bool AskedId(unsigned id) const { return Asked(platform::LoadString(id)); }
    int IndexOfDie(int number) const { return tool->FindDieIndex(number); }

    std::unique_ptr<CPunchTool> tool;
    DieDialogs runner;
    TableDialogScripts scripts;
    std::deque<std::optional<FileAnswer>> fileAnswers;
    std::vector<FileAsked> fileAsked;
};

}  // namespace die_test

namespace die_test {
// Leaves an edit as the user does by moving to another control.
inline void Leave(QWidget* d, unsigned id) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(C<QLineEdit>(d, id), &out);
}
}  // namespace die_test
