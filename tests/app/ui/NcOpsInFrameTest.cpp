// The NC operation commands in the frame: Check NC (its rules, or the outside checker named by
// RERERAZOVU) and Shift Coordinate on a loaded program, with their refusals.
#include <QCheckBox>
#include <QLineEdit>

#include <fstream>

#include "EnvVar.h"
#include "app/AppNcOpsHost.h"
#include "app/core/CommandIds.h"
#include "app/ui/AppFixture.h"
#include "settings/ModalRun.h"
#include "text/CNcCheckReportDlg.h"
#include "text/CNcTextView.h"
#include "text/NcLineModel.h"

namespace fs = std::filesystem;

namespace {

class NcOpsInFrame : public AppFixture {
protected:
    std::vector<std::string> dialogs;
    std::string report;
    std::function<void(QDialog&)> fill;  // fills a dialog before OK
    ModalScriptGuard script{[this](QDialog& d) {
        dialogs.push_back(d.objectName().toStdString());
        if (auto* r = qobject_cast<CNcCheckReportDlg*>(&d)) report = r->ReportText();
        if (!fill) return int(QDialog::Rejected);
        fill(d);
        d.accept();
        return d.result();
    }};
    static std::string Example(const char* name) {
        return std::string(MORVALEN_SOURCE_DIR) + "/examples/" + name;
    }
    CNcTextView* List() { return Frame()->NcList(); }
    int ErrorMark(int row) { return List()->Model()->States().ErrorMark(size_t(row)); }
};

TEST_F(NcOpsInFrame, CheckNcReportsAndMarksTheFaults) {
    test::EnvVar env("RERERAZOVU", "");
    ASSERT_TRUE(Start({"/US", Example("laser-faults.nc")}));
    fill = [](QDialog&) {};
    ASSERT_TRUE(Frame()->OnCommand(cmd::CheckNc));
    EXPECT_EQ(dialogs, std::vector<std::string>{"id158"});
    EXPECT_EQ(report,
              "[6Line] Not G01 before W Code (1)\r\n"
              "[10Line] Not G12.1 next G12 (24)\r\n"
              "[14Line] Parameter duplicate (20)\r\n"
              "[17Line] Not G8.4 before (17)\r\n");
    for (int row : {5, 9, 13, 16}) EXPECT_EQ(ErrorMark(row), 1) << row;
    EXPECT_EQ(ErrorMark(4), 0);
    EXPECT_FALSE(app_->Document->IsModified());
}

TEST_F(NcOpsInFrame, CheckNcRunsTheOutsideChecker) {
    const fs::path folder = dir_.path() / "outside checker";
    fs::create_directories(folder);
    {
        std::ofstream f(folder / "ZoroDodar06A");
        f << "#!/bin/sh\nexit 0\n";
    }
    fs::permissions(folder / "ZoroDodar06A", fs::perms::owner_all);
    test::EnvVar env("RERERAZOVU", folder.string());
    ASSERT_TRUE(Start({"/US", Example("laser-faults.nc")}));
    fill = [](QDialog&) {};
    Frame()->OnCommand(cmd::CheckNc);
    EXPECT_EQ(report, "NC Check OK\r\n");
    EXPECT_EQ(ErrorMark(5), 0);
}

TEST_F(NcOpsInFrame, ShiftCoordinateMovesTheProgram) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CTessmarkDoc* doc = app_->Document.get();
    const std::vector<std::string> before = doc->Lines;
    fill = [](QDialog& d) {
        d.findChild<QLineEdit*>("id1067")->setText("1");
        d.findChild<QLineEdit*>("id1068")->setText("30000");
        d.findChild<QLineEdit*>("id1076")->setText("100");
        d.findChild<QCheckBox*>("id1083")->setChecked(true);
    };
    Frame()->OnCommand(cmd::ShiftCoord);
    EXPECT_EQ(dialogs, std::vector<std::string>{"id157"});
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->Lines[2], before[2]);  // G92 stays
    EXPECT_EQ(doc->Lines[4], "G00X120.Y20.");
    // A value without a point is in units of 1/ZeroTimes (1000): X0 becomes 100 mm.
    EXPECT_EQ(doc->Lines[16], "G00X100.Y0");
    EXPECT_EQ(List()->Model()->data(List()->Model()->index(4, 2)).toString(), "G00X120.Y20.");
    // The recovery log holds the shifted text.
    ASSERT_FALSE(app_->NcLog.LogFile.empty());
    std::ifstream log(app_->NcLog.LogFile, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(log)), {});
    EXPECT_NE(text.find("G00X120.Y20."), std::string::npos);
}

TEST_F(NcOpsInFrame, Refusals) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    fill = [](QDialog&) {};
    app_->TraceActive = 1;
    Frame()->OnCommand(cmd::CheckNc);
    Frame()->OnCommand(cmd::ShiftCoord);
    app_->TraceActive = 0;
    app_->ProcessMode = 11;
    Frame()->OnCommand(cmd::ShiftCoord);
    EXPECT_TRUE(dialogs.empty());
    Frame()->OnCommand(cmd::CheckNc);
    EXPECT_EQ(dialogs, std::vector<std::string>{"id158"});
    app_->ProcessMode = 0;
    Frame()->EditMode = 1;  // as the editor would be shown
    dialogs.clear();
    Frame()->OnCommand(cmd::CheckNc);
    Frame()->OnCommand(cmd::ShiftCoord);
    EXPECT_TRUE(dialogs.empty());
    Frame()->EditMode = 0;
}

}  // namespace
