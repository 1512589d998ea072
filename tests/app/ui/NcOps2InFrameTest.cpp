// Manual movement, Get Sub Program and Convert G08 in the frame: the modeless dialog and the
// clicks that reach it, the extraction from a click on the drawing, the conversion command.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <fstream>

#include "ElemViewPoints.h"
#include "app/ViewPanes.h"
#include "app/core/CommandIds.h"
#include "app/ui/AppFixture.h"
#include "platform/Profile.h"
#include "settings/FrameFixture.h"
#include "settings/ModalRun.h"
#include "text/CExtractSubDlg.h"
#include "text/CManMoveDlg.h"
#include "text/CNcTextView.h"
#include "text/NcLineModel.h"

namespace fs = std::filesystem;

namespace {

class NcOps2InFrame : public FrameFixture {
protected:
    std::function<int(QDialog&)> answer = [](QDialog&) { return int(QDialog::Rejected); };
    ModalScriptGuard script{[this](QDialog& d) { return answer(d); }};

    CNcTextView* List() { return Frame()->NcList(); }
    CManMoveDlg* ManMove() { return qobject_cast<CManMoveDlg*>(Frame()->ManMoveDlg); }

    CNcElemView* View() { return FittedElemView(Frame()); }
};

TEST_F(NcOps2InFrame, ManualMovementDialog) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    int row = 6;  // G01X120.Y20.
    List()->SelectLine(1, &row, 1);
    f->OnCommand(cmd::ManualMove);
    ASSERT_NE(ManMove(), nullptr);
    EXPECT_TRUE(f->Action(cmd::ManualMove)->isChecked());
    EXPECT_EQ(ManMove()->CurrentLine, 6);
    ManMove()->findChild<QPushButton*>("id1191")->click();  // X + 0.001
    EXPECT_EQ(app_->Document->Lines[6], "G01X120.001Y20.");
    EXPECT_TRUE(app_->Document->IsModified());

    // A click on another element of the drawing makes its line the dialog's.
    CNcElemView* view = View();
    ASSERT_NE(view, nullptr);
    const QPoint at = PointOfLine(view, 9);
    ASSERT_GE(at.x(), 0);
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    EXPECT_EQ(ManMove()->CurrentLine, 9);
    EXPECT_EQ(List()->FirstSelectedRow(), 9);
    // So does a click in the list.
    const QPoint cell = List()->visualRect(List()->Model()->index(4, 2)).center();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(ManMove()->CurrentLine, 4);

    // The command closes it again: the step goes to the machine file.
    ManMove()->findChild<QWidget*>("id1203")->setProperty("checked", true);
    f->OnCommand(cmd::ManualMove);
    EXPECT_EQ(f->ManMoveDlg, nullptr);
    EXPECT_FALSE(f->Action(cmd::ManualMove)->isChecked());
    EXPECT_EQ(platform::GetProfileInt("Manual_Move", "MoveVal", -1,
                                      app_->SystemData->NcReadInfo.MachineFilePath()),
              3);

    // The editor closes it too; process mode 11 refuses it.
    f->OnCommand(cmd::ManualMove);
    ASSERT_NE(f->ManMoveDlg, nullptr);
    f->CloseTraceDialogs();
    EXPECT_EQ(f->ManMoveDlg, nullptr);
    app_->ProcessMode = 11;
    f->OnCommand(cmd::ManualMove);
    EXPECT_EQ(f->ManMoveDlg, nullptr);
    app_->ProcessMode = 0;
}

TEST_F(NcOps2InFrame, GetSubProgramFromAClick) {
    const fs::path prog = dir_.path() / "main.nc";
    std::ofstream(prog, std::ios::binary) << "O0001\r\nG00X10.Y10.\r\nM98P12\r\nM30\r\n"
                                             "O0012\r\nG01X20.Y10.\r\nG01X20.Y30.\r\nM99\r\n";
    ASSERT_TRUE(Start({"/US", prog.string()}));
    CMainFrame* f = Frame();
    f->OnCommand(cmd::GetSubProgram);
    EXPECT_EQ(f->GetSubProgMode, 1);
    EXPECT_TRUE(f->Action(cmd::GetSubProgram)->isChecked());
    const fs::path out = dir_.path() / "O0012.nc";
    answer = [&](QDialog& d) {
        auto* dlg = qobject_cast<CExtractSubDlg*>(&d);
        if (!dlg) return int(QDialog::Rejected);
        dlg->FileEdit()->setText(QString::fromStdString((dir_.path() / "O0012").string()));
        dlg->accept();
        return dlg->result();
    };
    CNcElemView* view = View();
    ASSERT_NE(view, nullptr);
    const QPoint at = PointOfLine(view, 5);
    ASSERT_GE(at.x(), 0);
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    std::ifstream f2(out, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(f2)), {});
    EXPECT_EQ(text,
              "O0012\r\nG40G01\r\nG90G92X0.Y0.Z0.\r\nM61\r\n(*PGS)\r\nG01X20.Y10.\r\n"
              "G01X20.Y30.\r\n(*PGE)\r\nM62\r\nM30\r\n");
    // Cancel ends the mode.
    f->OnCommand(cmd::Cancel);
    EXPECT_EQ(f->GetSubProgMode, 0);
}

TEST_F(NcOps2InFrame, ConvertG08Command) {
    const fs::path prog = dir_.path() / "holes.nc";
    std::ofstream(prog, std::ios::binary)
        << "O1000\nG90\nG00X30.Y50.\nW5\nG01X40.Y50.\nG12X60.Y50.\nG12.1X50.Y60.\nG12.2\nW0\nM30\n";
    ASSERT_TRUE(Start({"/US", prog.string()}));
    answer = [](QDialog& d) {
        d.accept();
        return int(QDialog::Accepted);
    };
    Frame()->OnCommand(cmd::ConvertG08);
    EXPECT_EQ(app_->Document->Lines[4], "G08D20.K0.5");
    EXPECT_EQ(List()->Model()->rowCount(), 7);
    EXPECT_TRUE(Asked("1 holes were converted successfully"));
    // Refused in process mode 11.
    app_->ProcessMode = 11;
    bool asked = false;
    answer = [&](QDialog&) {
        asked = true;
        return int(QDialog::Rejected);
    };
    Frame()->OnCommand(cmd::ConvertG08);
    EXPECT_FALSE(asked);
}

}  // namespace
