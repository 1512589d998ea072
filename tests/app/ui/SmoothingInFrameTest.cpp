// The five-axis smoothing in the frame, with the stand-in library of the tests: the range
// picked by a list click and by a click on the drawing, Execute, the document changed through
// the editor as one change, the refusals.
// (SmoothParams is a packed record: its members are compared by value, "+p.Digit".)
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ElemViewPoints.h"
#include "EnvVar.h"
#include "app/core/CommandIds.h"
#include "settings/FrameFixture.h"
#include "text/C06RSmoothDlg.h"
#include "text/CNcTextEdit.h"
#include "text/CNcTextView.h"
#include "text/NcLineModel.h"
#include "text/core/NcOpsHost.h"

namespace {

using Lines = std::vector<std::string>;

class SmoothingInFrame : public FrameFixture {
protected:
    test::EnvVar library{"RERERAZOVU", std::string(MORVALEN_BINARY_DIR) + "/tests/smooth/ok"};

    static std::string FiveAxis() {
        return std::string(MORVALEN_SOURCE_DIR) + "/examples/laser-5axis.nc";
    }
    C06RSmoothDlg* Dialog() { return qobject_cast<C06RSmoothDlg*>(Frame()->SmoothDlg); }
    CNcTextView* List() { return Frame()->NcList(); }
    CNcElemView* View() { return FittedElemView(Frame()); }
};

TEST_F(SmoothingInFrame, PickExecuteAndUndo) {
    ASSERT_TRUE(Start({"/US", FiveAxis()}));
    CMainFrame* f = Frame();
    const Lines original = app_->Document->Lines;
    f->OnCommand(cmd::Smooth);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_TRUE(f->Action(cmd::Smooth)->isChecked());

    // The first line by a click in the list.
    Dialog()->findChild<QPushButton*>("id1187")->click();
    const QPoint cell = List()->visualRect(List()->Model()->index(5, 2)).center();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(Dialog()->StartRow, 6u);
    // The last by a click on the drawing (line 8, "G01X40.Y20.Z14.C90.A20.").
    Dialog()->findChild<QPushButton*>("id1188")->click();
    CNcElemView* view = View();
    const QPoint at = PointOfLine(view, 7);
    ASSERT_GE(at.x(), 0);
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    EXPECT_EQ(Dialog()->EndRow, 8u);
    EXPECT_EQ(+f->NcOps().Smoothing().StartRow, 6);
    EXPECT_EQ(+f->NcOps().Smoothing().EndRow, 8);

    Dialog()->findChild<QPushButton*>("id1")->click();
    EXPECT_TRUE(Asked("Smoothing is comleted\nPlease check NC program"));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f->SmoothDlg, nullptr);
    EXPECT_EQ(f->EditMode, 0);  // the list again
    ASSERT_NE(List(), nullptr);
    Lines expected = original;
    expected.erase(expected.begin() + 5, expected.begin() + 8);
    const Lines smoothed = {"G01X20.Y0.Z10.C0.A10.F2000", "G01X30.Y0.Z11.C0.A15.",
                            "G01X40.Y0.Z12.C0.A20.", "G01X40.Y10.Z13.C45.A20.",
                            "G01X40.Y20.Z14.C90.A20."};
    expected.insert(expected.begin() + 5, smoothed.begin(), smoothed.end());
    EXPECT_EQ(app_->Document->Lines, expected);
    EXPECT_TRUE(app_->Document->IsModified());
    EXPECT_EQ(List()->Model()->rowCount(), int(expected.size()));

    // In the editor one undo gives the range back.
    f->ToggleEditMode();
    ASSERT_NE(f->Editor(), nullptr);
    f->OnCommand(cmd::Undo);
    f->ToggleEditMode();
    EXPECT_EQ(app_->Document->Lines, original);
}

TEST_F(SmoothingInFrame, Refusals) {
    ASSERT_TRUE(Start({"/US", FiveAxis()}));
    CMainFrame* f = Frame();
    const Lines original = app_->Document->Lines;
    SmoothParams p;
    p.StartRow = 6;
    p.EndRow = 8;
    // A trace is open: the editor cannot come up, nothing changes.
    app_->TraceActive = 1;
    EXPECT_EQ(f->ApplySmoothing(&p), 0);
    EXPECT_TRUE(Asked("Failure to smooth"));
    EXPECT_EQ(app_->Document->Lines, original);
    EXPECT_EQ(f->EditMode, 0);
    app_->TraceActive = 0;
    // A library that fails: the text stays.
    {
        test::EnvVar fail("RERERAZOVU", std::string(MORVALEN_BINARY_DIR) + "/tests/smooth/fail");
        prompt_->asked.clear();
        EXPECT_EQ(f->ApplySmoothing(&p), 0);
        EXPECT_TRUE(Asked("Failure to smooth"));
        EXPECT_EQ(app_->Document->Lines, original);
        EXPECT_FALSE(app_->Document->IsModified());
    }
    // The command in process mode 11, and with no library where RERERAZOVU points: the
    // warning names the file looked for.
    app_->ProcessMode = 11;
    f->OnCommand(cmd::Smooth);
    EXPECT_EQ(f->SmoothDlg, nullptr);
    app_->ProcessMode = 0;
    {
        test::EnvVar none("RERERAZOVU", dir_.path().string());
        prompt_->asked.clear();
        f->OnCommand(cmd::Smooth);
        EXPECT_EQ(f->SmoothDlg, nullptr);
        ASSERT_EQ(prompt_->asked.size(), 1u);
        EXPECT_EQ(prompt_->asked[0].text,
                  "\"flAdjustToolPath.dll\" does not exist.\n\nIt was "
                  "looked for as:\n" +
                      (dir_.path() / "libflAdjustToolPath.so").string());
    }
    // Without RERERAZOVU the dialog opens; Execute says that the library is missing and why,
    // and nothing else.
    test::EnvVar unset("RERERAZOVU", nullptr);
    f->OnCommand(cmd::Smooth);
    ASSERT_NE(Dialog(), nullptr);
    prompt_->asked.clear();
    EXPECT_EQ(f->ApplySmoothing(&p), 0);
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_NE(prompt_->asked[0].text.find("\"flAdjustToolPath.dll\" does not exist.\n\nThe "
                                          "environment variable RERERAZOVU"),
              std::string::npos);
    EXPECT_EQ(prompt_->asked[0].icon, platform::PromptIcon::Warning);
    EXPECT_EQ(app_->Document->Lines, original);
    EXPECT_NE(Dialog(), nullptr);
}

}  // namespace
