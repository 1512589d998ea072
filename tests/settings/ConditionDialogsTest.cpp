// The cutting-condition dialogs: the rows of the table (default ones for a missing file) and
// the "other" row, add, edit and delete, OK read back by the table's loader, the column widths,
// Cancel, and a table that cannot be written.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "SettingsFixture.h"
#include "nc/machine/CToolData.h"
#include "settings/CColorButton.h"
#include "settings/CSetToolDlg.h"
#include "settings/CSetToolUpdateDlg.h"
#include "settings/ListRows.h"

using namespace settings_test;
namespace fs = std::filesystem;

namespace {

class ConditionDialogs : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        ctx.Nc = &nc;
    }
    std::unique_ptr<CSetToolDlg> Open() {
        auto dlg = std::make_unique<CSetToolDlg>(ctx);
        ModalScriptGuard guard([](QDialog& d) { return d.result(); });
        dlg->Run();
        return dlg;
    }
    fs::path Table() const { return config / "Za_Reve.ntd"; }
    QString Cell(CSetToolDlg& d, int row, int column) {
        return d.List()->topLevelItem(row)->text(column);
    }
    // Answers the condition dialog: colour chosen, then the fields, then OK.
    static int Condition(QDialog& d, const QString& no, const QString& name,
                         const QString& diameter, const QString& height) {
        Control<CColorButton>(&d, 1174)->click();
        return Answer(d, {{{1036, no}, {1039, name}, {1037, diameter}, {1038, height}}});
    }
};

TEST_F(ConditionDialogs, AMissingTableShowsTheDefaultRowsAndOther) {
    auto dlg = Open();
    ASSERT_EQ(dlg->List()->topLevelItemCount(), 11);
    EXPECT_EQ(Cell(*dlg, 0, 1), "1");
    EXPECT_EQ(Cell(*dlg, 0, 2), "Low");
    EXPECT_EQ(Cell(*dlg, 0, 0), "255");
    EXPECT_EQ(Cell(*dlg, 9, 1), "10");
    EXPECT_EQ(Cell(*dlg, 10, 1), "Other");
    EXPECT_EQ(Cell(*dlg, 10, 0), "16776960");
    EXPECT_EQ(Cell(*dlg, 0, 3), "0.000");
    // The switch off: the condition words are disabled, their texts still there.
    EXPECT_FALSE(dlg->Ctl<QCheckBox>(1175)->isChecked());
    EXPECT_FALSE(dlg->Ctl<QLineEdit>(1038)->isEnabled());
    EXPECT_FALSE(dlg->Ctl<QLabel>(1178)->isEnabled());
    EXPECT_EQ(dlg->Ctl<QLineEdit>(1038)->text(), "A");
    dlg->Ctl<QCheckBox>(1175)->click();
    EXPECT_TRUE(dlg->Ctl<QLineEdit>(1040)->isEnabled());
    // Widths: column 0 from ColumnWidth4, 1 from ColumnWidth0 ...
    EXPECT_EQ(dlg->List()->columnWidth(0), 50);
    EXPECT_EQ(dlg->List()->columnWidth(1), 100);
}

TEST_F(ConditionDialogs, AddEditDeleteAndOkReadBack) {
    WriteAll(Ini(), "[SetToolDlg]\r\nColumnWidth4=20\r\nColumnWidth0=60\r\n");
    auto dlg = Open();
    EXPECT_EQ(dlg->List()->columnWidth(0), 20);
    EXPECT_EQ(dlg->List()->columnWidth(1), 60);
    // Delete every row but "Other".
    for (int i = 0; i < dlg->List()->topLevelItemCount(); ++i)
        dlg->List()->topLevelItem(i)->setSelected(true);
    dlg->OnDelete();
    ASSERT_EQ(dlg->List()->topLevelItemCount(), 1);
    // Add 5 and then 2 twice: shown in that order, no duplicate test.
    choose.colours = {QColor(255, 0, 255), QColor(1, 2, 3), QColor(4, 5, 6)};
    for (const char* no : {"5", "2", "2"}) {
        ModalScriptGuard guard([&](QDialog& d) {
            EXPECT_EQ(Control<CColorButton>(&d, 1174)->Swatch(), QColor(0, 255, 255));
            return Condition(d, no, QString("N") + no, "12.5", "1");
        });
        dlg->OnAdd();
    }
    ASSERT_EQ(dlg->List()->topLevelItemCount(), 4);
    EXPECT_EQ(Cell(*dlg, 0, 1), "5");
    EXPECT_EQ(Cell(*dlg, 1, 1), "2");
    EXPECT_EQ(Cell(*dlg, 0, 3), "12.500");
    EXPECT_EQ(Cell(*dlg, 0, 0), QString::number(255 + 255 * 65536));
    // Edit the "other" row: its number stays "Other", its number edit is disabled.
    MarkRow(dlg->List(), 3);
    {
        ModalScriptGuard guard([](QDialog& d) {
            EXPECT_FALSE(Control<QLineEdit>(&d, 1036)->isEnabled());
            EXPECT_FALSE(Control<QLabel>(&d, 1181)->isEnabled());
            return Answer(d, {{{1036, "77"}, {1039, "Rest"}}});
        });
        dlg->OnEdit();
    }
    EXPECT_EQ(Cell(*dlg, 3, 1), "Other");
    EXPECT_EQ(Cell(*dlg, 3, 2), "Rest");
    // Out of range: refused, the dialog stays open on the field.
    MarkRow(dlg->List(), 1);
    {
        ModalScriptGuard guard([&](QDialog& d) {
            Answer(d, {{{1036, "10000"}}});
            EXPECT_EQ(d.result(), 0);
            Answer(d, {{{1036, "2"}, {1038, "100000"}}});
            EXPECT_EQ(d.result(), 0);
            return Answer(d, {{{1038, "2.25"}}});
        });
        dlg->OnEdit();
    }
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0].text, "Please enter an integer between 0 and 9999.");
    EXPECT_EQ(Cell(*dlg, 1, 1), "2");
    EXPECT_EQ(Cell(*dlg, 1, 4), "2.250");
    dlg->Ctl<QCheckBox>(1175)->setChecked(true);
    dlg->List()->header()->resizeSection(2, 140);
    dlg->Ctl<QPushButton>(1)->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);

    CToolData read(&nc);
    read.Load();
    EXPECT_EQ(read.DrawShavColor, 1);
    // Sorted by the loader; equal numbers keep their order.
    EXPECT_EQ(read.ToolNo, (std::vector<uint32_t>{2, 2, 5}));
    EXPECT_EQ(read.ToolHigh, (std::vector<std::string>{"2.250", "1.000", "1.000"}));
    EXPECT_EQ(read.ToolColorRGB[0], uint32_t(1 + 2 * 256 + 3 * 65536));
    EXPECT_EQ(read.ToolColorRGB[1], uint32_t(4 + 5 * 256 + 6 * 65536));
    EXPECT_EQ(read.ToolDiameter[2], "12.500");
    EXPECT_EQ(read.OtherName, "Rest");
    EXPECT_EQ(Value(Ini(), "SetToolDlg", "ColumnWidth3"), "140");
    EXPECT_EQ(Value(Ini(), "SetToolDlg", "ColumnWidth4"), "20");
}

TEST_F(ConditionDialogs, CancelWritesNothing) {
    auto dlg = Open();
    dlg->List()->topLevelItem(0)->setSelected(true);
    dlg->OnDelete();
    dlg->List()->header()->resizeSection(0, 80);
    dlg->Ctl<QPushButton>(2)->click();
    EXPECT_FALSE(fs::exists(Table()));
    EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(ConditionDialogs, ATableThatCannotBeWrittenIsReportedAndTheRowsStay) {
    auto dlg = Open();
    fs::create_directories(Table());  // a folder where the table should go
    dlg->Ctl<QPushButton>(1)->click();
    EXPECT_EQ(dlg->result(), 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].text.find(Table().string()), std::string::npos);
    EXPECT_EQ(dlg->List()->topLevelItemCount(), 11);
    EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(ConditionDialogs, TheNameTakesWhatTheTableReadsBack) {
    CSetToolUpdateDlg dlg(ctx);
    int pos = 0;
    QString fits(63, 'n'), tooLong(64, 'n');
    EXPECT_EQ(dlg.Ctl<QLineEdit>(1039)->validator()->validate(fits, pos), QValidator::Acceptable);
    EXPECT_EQ(dlg.Ctl<QLineEdit>(1039)->validator()->validate(tooLong, pos), QValidator::Invalid);
}

}  // namespace
