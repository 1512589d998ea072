// The Shift Coordinate dialog (validation, Reverse, the keys it writes) and the command on the
// list (the range from the selection, the shift, the refill).
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>

#include <fstream>

#include "NcOpsFixture.h"
#include "platform/Profile.h"
#include "text/CShiftCoordinateDlg.h"

namespace {

QLineEdit* Edit(QDialog& d, int id) {
    return d.findChild<QLineEdit*>(QStringLiteral("id%1").arg(id));
}
QCheckBox* Check(QDialog& d, int id) {
    return d.findChild<QCheckBox*>(QStringLiteral("id%1").arg(id));
}

class ShiftDialog : public NcOpsFixture {
protected:
    std::filesystem::path File() const { return host.machine.MachineFilePath(); }
    std::string Key(const char* key) const {
        return platform::GetProfileString("ShiftCoord", key, "<none>", File());
    }
    std::unique_ptr<CShiftCoordinateDlg> Dialog(int appMachineType = 0) {
        auto d = std::make_unique<CShiftCoordinateDlg>(File(), &host.machine, appMachineType,
                                                       &host.prompt);
        return d;
    }
};

TEST_F(ShiftDialog, ReadsTheFileAndRefusesMissingLines) {
    auto d = Dialog();
    d->OnInitDialog();
    EXPECT_EQ(Edit(*d, 1067)->text(), "-1");
    EXPECT_EQ(Edit(*d, 1068)->text(), "-1");
    EXPECT_EQ(Edit(*d, 1069)->text(), "X");
    EXPECT_EQ(Edit(*d, 1075)->text(), "B");
    EXPECT_EQ(Edit(*d, 1076)->text(), "0.0");
    EXPECT_FALSE(Check(*d, 1090)->isHidden());
    d->accept();
    EXPECT_EQ(d->result(), QDialog::Rejected);
    ASSERT_EQ(host.prompt.asked.size(), 1u);
    EXPECT_EQ(host.prompt.asked[0].text, "Enter a line number from 1 to 30000.");
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(ShiftDialog, Validation) {
    const struct {
        const char *start, *end, *offset;
        const char* message;  // null: accepted
    } cases[] = {
        {"0", "5", "1", "Enter a line number from 1 to 30000."},
        {"1", "30001", "1", "Enter a line number from 1 to 30000."},
        {"x", "5", "1", "Enter a line number from 1 to 30000."},
        {"6", "5", "1", "The start line must not lie after the end line."},
        {"1", "5", "1,5", "Enter a number."},
        {"1", "30000", "-2.5", nullptr},
    };
    for (const auto& c : cases) {
        host.prompt.asked.clear();
        auto d = Dialog();
        d->OnInitDialog();
        Edit(*d, 1067)->setText(c.start);
        Edit(*d, 1068)->setText(c.end);
        Edit(*d, 1076)->setText(c.offset);
        d->accept();
        if (c.message) {
            EXPECT_EQ(d->result(), QDialog::Rejected) << c.start;
            ASSERT_EQ(host.prompt.asked.size(), 1u) << c.start;
            EXPECT_EQ(host.prompt.asked[0].text, c.message);
        } else {
            EXPECT_EQ(d->result(), QDialog::Accepted);
            EXPECT_TRUE(host.prompt.asked.empty());
        }
    }
}

TEST_F(ShiftDialog, ReverseTurnsOffsets) {
    auto d = Dialog();
    d->OnInitDialog();
    Edit(*d, 1076)->setText("1.5");
    Edit(*d, 1077)->setText("-0.0005");
    Edit(*d, 1078)->setText("-2");
    d->findChild<QPushButton*>("id1172")->click();
    EXPECT_EQ(Edit(*d, 1076)->text(), "-1.5");
    EXPECT_EQ(Edit(*d, 1077)->text(), "0.0");
    EXPECT_EQ(Edit(*d, 1078)->text(), "2");
    EXPECT_EQ(d->Offset[0], -1.5);
    EXPECT_EQ(d->Offset[1], 0.0);
}

TEST_F(ShiftDialog, OkWritesTheMachineFileAndSettings) {
    // The file's other keys and sections stay.
    std::ofstream(File()) << "[NcRead]\r\nNcFigure=3\r\n[ShiftCoord]\r\nAxis001=V\r\n";
    auto d = Dialog();
    d->StartLineNo = 3;
    d->EndLineNo = 9;
    d->OnInitDialog();
    EXPECT_EQ(Edit(*d, 1067)->text(), "3");
    EXPECT_EQ(Edit(*d, 1070)->text(), "V");
    Edit(*d, 1076)->setText("10");
    Edit(*d, 1082)->setText("0.0004");
    Check(*d, 1083)->setChecked(true);
    Check(*d, 1091)->setChecked(true);
    d->accept();
    ASSERT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(Key("StartLineNo"), "3");
    EXPECT_EQ(Key("EndLineNo"), "9");
    EXPECT_EQ(Key("Axis000"), "X");
    EXPECT_EQ(Key("Axis001"), "V");
    EXPECT_EQ(Key("Offset000"), "10.000");
    EXPECT_EQ(Key("Offset006"), "0.000");
    EXPECT_EQ(Key("Permit000"), "1");
    EXPECT_EQ(Key("Permit001"), "0");
    EXPECT_EQ(Key("MacroProc"), "0");
    EXPECT_EQ(Key("G52Proc"), "1");
    EXPECT_EQ(platform::GetProfileString("NcRead", "NcFigure", "", File()), "3");
    EXPECT_EQ(host.machine.StartLineNo, 3);
    EXPECT_EQ(host.machine.EndLineNo, 9);
    EXPECT_EQ(host.machine.Offset[0], 10.0);
    EXPECT_EQ(host.machine.Permit[0], 1);
    EXPECT_EQ(host.machine.Axis[1], "V");
    EXPECT_EQ(host.machine.G52Proc, 1);

    // The next dialog shows what was written.
    auto again = Dialog();
    again->OnInitDialog();
    EXPECT_EQ(Edit(*again, 1067)->text(), "3");
    EXPECT_EQ(Edit(*again, 1076)->text(), "10");
    EXPECT_TRUE(Check(*again, 1083)->isChecked());
}

TEST_F(ShiftDialog, OriginNumberingSetsBothOptions) {
    auto d = Dialog(1);
    d->OnInitDialog();
    EXPECT_TRUE(Check(*d, 1090)->isHidden());
    EXPECT_TRUE(Check(*d, 1091)->isHidden());
    EXPECT_EQ(d->MacroProc, 1);
    EXPECT_EQ(d->G52Proc, 1);
}

// The command on the list: the selection gives the range, the dialog's OK shifts, the list
// shows the new text.
TEST_F(ShiftDialog, CommandShiftsTheSelection) {
    Make({"O1", "G00X1.", "G01X2.", "G01X3.", "M30"});
    QItemSelectionModel* sel = view->selectionModel();
    sel->select(view->Model()->index(1, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    sel->select(view->Model()->index(2, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    int startShown = 0, endShown = 0;
    answer = [&](QDialog& dlg) {
        startShown = Edit(dlg, 1067)->text().toInt();
        endShown = Edit(dlg, 1068)->text().toInt();
        Edit(dlg, 1076)->setText("5");
        Check(dlg, 1083)->setChecked(true);
        dlg.accept();
        return dlg.result();
    };
    view->ShiftCoordinate();
    EXPECT_EQ(startShown, 2);
    EXPECT_EQ(endShown, 3);
    EXPECT_EQ(host.lines, (std::vector<std::string>{"O1", "G00X6.", "G01X7.", "G01X3.", "M30"}));
    EXPECT_EQ(host.changes, 1);
    EXPECT_EQ(view->Model()->data(view->Model()->index(1, 2)).toString(), "G00X6.");

    // Cancel changes nothing.
    answer = [](QDialog&) { return int(QDialog::Rejected); };
    view->ShiftCoordinate();
    EXPECT_EQ(host.changes, 1);
}

TEST_F(ShiftDialog, CommandWithOriginNumbers) {
    host.appMachineType = 1;
    Make({"O1", "ORIGINSFT", "G00X1.", "", "G01X2.", "G01X3."});
    // Rows 2 and 3 are shown as 2 and blank: the blank takes the number of the row below it.
    QItemSelectionModel* sel = view->selectionModel();
    sel->select(view->Model()->index(2, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    sel->select(view->Model()->index(3, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    answer = [&](QDialog& dlg) {
        EXPECT_EQ(Edit(dlg, 1067)->text(), "2");
        EXPECT_EQ(Edit(dlg, 1068)->text(), "3");
        Edit(dlg, 1076)->setText("5");
        Check(dlg, 1083)->setChecked(true);
        dlg.accept();
        return dlg.result();
    };
    view->ShiftCoordinate();
    EXPECT_EQ(host.lines,
              (std::vector<std::string>{"O1", "ORIGINSFT", "G00X6.", "", "G01X7.", "G01X3."}));
}

TEST_F(ShiftDialog, CommandRefusedDuringATrace) {
    Make({"G00X1."});
    host.traceActive = 1;
    view->ShiftCoordinate();
    EXPECT_TRUE(dialogs.empty());
}

}  // namespace
