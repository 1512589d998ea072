// The smoothing dialogs: the range and its picks, Execute leaving the dialog open, Close, the
// parameters' dialog with OK and Cancel, [06R_Smoothing] in the machine file.
// (SmoothParams is a packed record: its members are compared by value, "+p.Digit".)
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

#include <fstream>

#include "TempDir.h"
#include "platform/Profile.h"
#include "text/C06RSmoothDlg.h"

namespace {

class SmoothDialog : public ::testing::Test {
protected:
    test::TempDir dir;
    SmoothParams params;
    int lineCount = 20;
    int fits = 0, focus = 0, applied = 0, closed = 0;
    std::function<int(QDialog&)> settingsAnswer = [](QDialog&) { return 0; };
    QPointer<C06RSmoothDlg> dlg;

    std::filesystem::path Machine() const { return dir.path() / "m.nmd"; }
    std::filesystem::path Ini() const { return dir.path() / "MV_System.ini"; }

    C06RSmoothDlg* Open() {
        SmoothDlgContext ctx;
        ctx.Params = &params;
        ctx.MachineFile = Machine();
        ctx.IniPath = Ini();
        ctx.LineCount = [this] { return lineCount; };
        ctx.FitViews = [this] { ++fits; };
        ctx.FocusView = [this] { ++focus; };
        ctx.ApplySmoothing = [this](SmoothParams* p) {
            EXPECT_EQ(p, &params);
            return ++applied;
        };
        ctx.Closed = [this] {
            ++closed;
            if (dlg) dlg->LoadSaveParams(1);
        };
        ctx.RunModal = [this](QDialog& d) { return settingsAnswer(d); };
        dlg = new C06RSmoothDlg(std::move(ctx));
        dlg->Create();
        return dlg;
    }
    QLineEdit* Edit(int id) { return dlg->findChild<QLineEdit*>(QStringLiteral("id%1").arg(id)); }
    void Click(int id) { dlg->findChild<QPushButton*>(QStringLiteral("id%1").arg(id))->click(); }
    void TearDown() override {
        if (dlg) delete dlg.data();
    }
};

TEST_F(SmoothDialog, RangeFromTheFileClamped) {
    std::ofstream(Machine()) << "[06R_Smoothing]\nStartRow=5\nEndRow=40\nDigit=4\nCArm=12.5\n";
    Open();
    EXPECT_EQ(+params.Digit, 4);
    EXPECT_EQ(+params.CArm, 12.5);
    EXPECT_EQ(Edit(1169)->text(), "5");
    EXPECT_EQ(Edit(1170)->text(), "20");  // clamped to the document
    EXPECT_EQ(+params.EndRow, 20);
    EXPECT_EQ(dlg->Initialized, 1);
    EXPECT_EQ(fits, 1);
    // Leaving a field clamps, stores and refits.
    Edit(1169)->setText("30");
    emit Edit(1169)->editingFinished();
    EXPECT_EQ(Edit(1169)->text(), "20");
    EXPECT_EQ(+params.StartRow, 20);
    EXPECT_EQ(+params.EndRow, 20);
    EXPECT_EQ(fits, 2);
}

TEST_F(SmoothDialog, PicksTakeTheNextLine) {
    Open();
    EXPECT_EQ(dlg->SetPickedLine(7), 0);  // no pick asked for
    Click(1187);
    EXPECT_EQ(dlg->PickMode, 1);
    EXPECT_EQ(dlg->findChild<QLabel*>("id1189")->text(), "Specify starting line from the view");
    EXPECT_EQ(focus, 1);
    EXPECT_EQ(dlg->SetPickedLine(7), 1);
    EXPECT_EQ(+params.StartRow, 7);
    EXPECT_EQ(+params.EndRow, 7);  // raised to the start
    EXPECT_EQ(dlg->PickMode, 0);
    EXPECT_TRUE(dlg->findChild<QLabel*>("id1189")->text().isEmpty());
    Click(1188);
    EXPECT_EQ(dlg->findChild<QLabel*>("id1189")->text(), "Specify ending line from the view");
    dlg->SetPickedLine(12);
    EXPECT_EQ(+params.EndRow, 12);
    EXPECT_EQ(Edit(1170)->text(), "12");
    // A pick with no line (row -1 from an empty selection) clamps to the first line.
    Click(1187);
    dlg->SetPickedLine(0);
    EXPECT_EQ(+params.StartRow, 1);
}

TEST_F(SmoothDialog, ExecuteLeavesTheDialogOpen) {
    Open();
    dlg->move(40, 50);
    Edit(1169)->setText("3");
    Edit(1170)->setText("9");
    Click(1);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(+params.StartRow, 3);
    EXPECT_EQ(+params.EndRow, 9);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(platform::GetProfileInt("06RSmoothDlg", "PositionX", -1, Ini()), 40);
}

TEST_F(SmoothDialog, CloseWritesTheParameters) {
    Open();
    Edit(1169)->setText("4");
    Edit(1170)->setText("6");
    Click(2);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(platform::GetProfileString("06R_Smoothing", "StartRow", "", Machine()), "4");
    EXPECT_EQ(platform::GetProfileString("06R_Smoothing", "EndRow", "", Machine()), "6");
    EXPECT_EQ(platform::GetProfileString("06R_Smoothing", "DevXYZ", "", Machine()), "0.000");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dlg.isNull());
}

TEST_F(SmoothDialog, SettingsOkAndCancel) {
    Open();
    params.aAccX = 3;
    settingsAnswer = [](QDialog& d) {
        auto& set = static_cast<C06RSmoothSetDlg&>(d);
        EXPECT_EQ(set.Edit(1175)->text(), "3.000");
        EXPECT_EQ(set.Edit(1187)->text(), "3");
        set.Edit(1186)->setText("-2");
        set.Edit(1177)->setText("123456");
        set.Edit(1187)->setText("0");
        emit set.Edit(1186)->editingFinished();
        EXPECT_EQ(set.Edit(1186)->text(), "0.000");
        EXPECT_EQ(set.Edit(1177)->text(), "99999.000");
        EXPECT_EQ(set.Edit(1187)->text(), "1");
        set.Edit(1171)->setText("0.25");
        set.accept();
        return set.result();
    };
    dlg->findChild<QToolButton*>("id40009")->click();
    EXPECT_EQ(+params.DevTorch, 0.25);
    EXPECT_EQ(+params.AArm, 99999.0);
    EXPECT_EQ(+params.Digit, 1);
    EXPECT_EQ(+params.aAccX, 3.0);

    settingsAnswer = [](QDialog& d) {
        auto& set = static_cast<C06RSmoothSetDlg&>(d);
        set.Edit(1171)->setText("7");
        set.accept();  // OK writes 7 ...
        set.reject();  // ... Cancel puts back what was there when it opened
        return set.result();
    };
    dlg->findChild<QToolButton*>("id40009")->click();
    EXPECT_EQ(+params.DevTorch, 0.25);
}

}  // namespace
