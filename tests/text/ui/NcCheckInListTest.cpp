// Check NC on the list: the internal check's report and red rows, and the outside checker run
// as a stand-in script written from its contract.
#include <QPlainTextEdit>

#include <filesystem>
#include <fstream>

#include "EnvVar.h"
#include "NcOpsFixture.h"
#include "text/CNcCheckReportDlg.h"

namespace fs = std::filesystem;

namespace {

class NcCheckInList : public NcOpsFixture {
protected:
    std::string report;  // of the last report dialog

    void SetUp() override {
        NcOpsFixture::SetUp();
        answer = [this](QDialog& d) {
            if (auto* r = qobject_cast<CNcCheckReportDlg*>(&d)) {
                report = r->ReportText();
                EXPECT_EQ(r->Edit()->toPlainText().toStdString().find('\r'), std::string::npos);
            }
            return int(QDialog::Accepted);
        };
    }

    // A stand-in checker in folder: it writes its arguments to args.txt, copies csv (when
    // given) to $ZEDOVIR/ProgError.csv and exits with status.
    fs::path Checker(const fs::path& folder, int status, const std::string& csv = {}) {
        fs::create_directories(folder);
        const fs::path script = folder / "ZoroDodar06A";
        std::ofstream f(script, std::ios::binary);
        f << "#!/bin/sh\n"
          << "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \""
          << (folder / "args.txt").string() << "\"\n";
        if (!csv.empty()) {
            std::ofstream(folder / "list.csv", std::ios::binary) << csv;
            f << "cp \"" << (folder / "list.csv").string() << "\" \"$ZEDOVIR/ProgError.csv\"\n";
        }
        f << "exit " << status << "\n";
        f.close();
        fs::permissions(script, fs::perms::owner_all);
        return script;
    }
    std::string Args(const fs::path& folder) {
        std::ifstream f(folder / "args.txt");
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
};

TEST_F(NcCheckInList, InternalCheckMarksRowsAndReports) {
    Make({"G00X1.", "W5", "G01X2.", "G11X5.Y5."});
    view->Model()->SetBreakpoint(1, kBreakOn);
    view->CheckNcProgram();
    EXPECT_EQ(dialogs, std::vector<std::string>{"id158"});
    EXPECT_EQ(report, "[2Line] Not G01 before W Code (1)\r\n[4Line] Not G11.1 next G11 (23)\r\n");
    EXPECT_EQ(ErrorMark(0), 0);
    EXPECT_EQ(ErrorMark(1), 1);
    EXPECT_EQ(ErrorMark(3), 1);
    // The other bits of the row stay.
    EXPECT_EQ(view->Model()->States().Breakpoint(1), kBreakOn);
    EXPECT_EQ(view->Model()->data(view->Model()->index(1, 2), Qt::BackgroundRole).isValid(), true);

    // A second check after a fix clears the mark.
    host.lines[1] = "G01X3.";
    view->CheckNcProgram();
    EXPECT_EQ(ErrorMark(1), 0);
    EXPECT_EQ(report, "[4Line] Not G11.1 next G11 (23)\r\n");
}

TEST_F(NcCheckInList, InternalCheckReadsAllTxt) {
    std::ofstream(dir.path() / "ALL.txt") << "G00\nG01\n";
    Make({"G00X1.", "G05X2."});
    view->CheckNcProgram();
    EXPECT_EQ(report, "[2Line] G code error (21)\r\n");
}

TEST_F(NcCheckInList, NothingDuringATrace) {
    Make({"G00X1.", "W5"});
    host.traceActive = 1;
    view->CheckNcProgram();
    view->RunExternalCheck(dir.path() / "none");
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(ErrorMark(1), 0);
}

TEST_F(NcCheckInList, OutsideCheckerByExitCode) {
    const fs::path folder = dir.path() / "check er";
    const fs::path errors = dir.path() / "err list";
    fs::create_directories(errors);
    test::EnvVar zed("ZEDOVIR", errors.string());
    host.path = (dir.path() / "my programs" / "a b.nc").string();
    Make({"G00X1.", "W5"});
    const std::string lf = "No,Code,Detail,X\n1,E12,E12:Overtravel,A\n";
    const std::string crlf = "No,Code,Detail,X\r\n1,E12,E12:Overtravel,A\r\n";
    const std::string table = "No, Err Code, Err Detail ,  \r\n 1,      E12, Overtravel , A\r\n";
    const struct {
        int status;
        std::string csv;
        std::string report;
    } cases[] = {
        {0, "", "NC Check OK\r\n"},
        {1, lf, table},
        {1, crlf, table},
        {255, "", "Failure to open file\r\n"},
        {251, "", "Failure to check NC due to system error\r\n"},
        {253, "", ""},
    };
    for (const auto& c : cases) {
        const fs::path checker = Checker(folder, c.status, c.csv);
        report = "unset";
        view->RunExternalCheck(checker);
        EXPECT_EQ(report, c.report) << c.status;
        // The program path and the document path arrive as they are, blanks and all.
        EXPECT_EQ(Args(folder), host.path + "\n");
    }
    EXPECT_EQ(ErrorMark(1), 0);  // the outside check marks no row
    EXPECT_TRUE(host.prompt.asked.empty());
}

TEST_F(NcCheckInList, OutsideCheckerSavesFirst) {
    const fs::path folder = dir.path() / "checker";
    const fs::path checker = Checker(folder, 0);
    Make({"G00X1."});
    host.modified = true;
    // No: the file as saved is checked.
    host.prompt.answers = {platform::PromptAnswer::No};
    view->RunExternalCheck(checker);
    EXPECT_EQ(host.saves, 0);
    EXPECT_EQ(report, "NC Check OK\r\n");
    ASSERT_EQ(host.prompt.asked.size(), 1u);
    EXPECT_EQ(host.prompt.asked[0].text, "Do you want to save? [a.nc]");
    // Yes and a failed save: no check at all.
    report = "unset";
    host.saveResult = false;
    host.prompt.answers = {platform::PromptAnswer::Yes};
    view->RunExternalCheck(checker);
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(report, "unset");
    // Yes and a save: checked.
    host.saveResult = true;
    host.prompt.answers = {platform::PromptAnswer::Yes};
    view->RunExternalCheck(checker);
    EXPECT_EQ(host.saves, 2);
    EXPECT_EQ(report, "NC Check OK\r\n");
}

TEST_F(NcCheckInList, OutsideCheckerNeedsAFile) {
    Make({"G00X1."});
    host.path.clear();
    view->RunExternalCheck(Checker(dir.path() / "c", 0));
    ASSERT_EQ(host.prompt.asked.size(), 1u);
    EXPECT_EQ(host.prompt.asked[0].text, "It is necessary to open NC file.");
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(NcCheckInList, OutsideCheckerThatCannotStart) {
    Make({"G00X1."});
    const fs::path folder = dir.path() / "c";
    fs::create_directories(folder);
    std::ofstream(folder / "ZoroDodar06A") << "not executable";
    view->RunExternalCheck(folder / "ZoroDodar06A");
    ASSERT_EQ(host.prompt.asked.size(), 1u);
    EXPECT_EQ(host.prompt.asked[0].text,
              "Execution failure of [" + (folder / "ZoroDodar06A").string() + "]");
    EXPECT_TRUE(dialogs.empty());
}

}  // namespace
