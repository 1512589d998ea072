// The sub-program extraction from the list: the file's exact bytes, the overwrite question
// answered No then Yes, Cancel, a folder that cannot be written, the number field.
#include <QLineEdit>

#include <fstream>

#include <unistd.h>
#include "NcOpsFixture.h"

#include "platform/Profile.h"
#include "text/CExtractSubDlg.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kProgram = {
    "O0001(MAIN)", "M200(PART-A)", "G00X10.Y10.", "M98P12", "M30",
    "O0012 (SUB)", "G01X20.",      "G01Y20.",     "M99",
};

std::string Read(const fs::path& file) {
    std::ifstream f(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

class ExtractSub : public NcOpsFixture {
protected:
    fs::path out;
    std::vector<std::string> typed;  // file names typed into the dialogs, in turn
    std::string number = "";         // typed into the number field when not empty
    std::vector<QString> proposed;   // what the dialogs proposed

    void SetUp() override {
        NcOpsFixture::SetUp();
        out = dir.path() / "out";
        fs::create_directories(out);
        host.path = (dir.path() / "prog.nc").string();
        answer = [this](QDialog& d) {
            auto* dlg = qobject_cast<CExtractSubDlg*>(&d);
            if (!dlg || typed.empty()) return int(QDialog::Rejected);
            proposed.push_back(dlg->FilePath());
            dlg->FileEdit()->setText(QString::fromStdString(typed.front()));
            typed.erase(typed.begin());
            if (!number.empty()) dlg->NumberEdit()->setText(QString::fromStdString(number));
            dlg->accept();
            return dlg->result();
        };
    }
};

TEST_F(ExtractSub, WritesTheFile) {
    Make(kProgram);
    typed = {(out / "O0012").string()};
    EXPECT_EQ(view->ExtractSubProgram(6), 0);
    // The proposed name is the program line's, in the program's folder.
    ASSERT_EQ(proposed.size(), 1u);
    EXPECT_EQ(proposed[0].toStdString(), (dir.path() / "O0012").string());
    EXPECT_EQ(Read(out / "O0012.nc"),
              "O0012\r\nM200(PART-A)\r\nG40G01\r\nG90G92X0.Y0.Z0.\r\nM61\r\n(*PGS)\r\n"
              "G01X20.\r\nG01Y20.\r\n(*PGE)\r\nM62\r\nM30\r\n");
    ASSERT_EQ(host.prompt.asked.size(), 1u);
    EXPECT_EQ(host.prompt.asked[0].text, "[" + (out / "O0012.nc").string() + "] is outputed");
    EXPECT_EQ(
        platform::GetProfileString("ExtractSub", "FilePath", "", host.machine.MachineFilePath()),
        out.string() + "/");
    EXPECT_EQ(host.lines, kProgram);  // the program itself stays as it is

    // The next extraction starts in that folder.
    typed = {(out / "again.txt").string()};
    EXPECT_EQ(view->ExtractSubProgram(7), 0);
    EXPECT_EQ(proposed[1].toStdString(), (out / "O0012").string());
    EXPECT_TRUE(fs::exists(out / "again.txt"));
}

TEST_F(ExtractSub, OverwriteAskedAgainAfterNo) {
    Make(kProgram);
    std::ofstream(out / "O0012.nc") << "old";
    std::ofstream(out / "other.nc") << "other";
    typed = {(out / "O0012").string(), (out / "other.nc").string()};
    host.prompt.answers = {platform::PromptAnswer::No, platform::PromptAnswer::Yes};
    number = "42abc";
    EXPECT_EQ(view->ExtractSubProgram(6), 0);
    EXPECT_EQ(proposed.size(), 2u);
    EXPECT_EQ(Read(out / "O0012.nc"), "old");
    EXPECT_EQ(Read(out / "other.nc").substr(0, 7), "O0042\r\n");
    ASSERT_GE(host.prompt.asked.size(), 2u);
    EXPECT_EQ(host.prompt.asked[0].text,
              "The filename already exists. Do you want to overwrite it?\n[" +
                  (out / "O0012.nc").string() + "]");
}

TEST_F(ExtractSub, CancelAndNoSubProgram) {
    Make(kProgram);
    EXPECT_EQ(view->ExtractSubProgram(6), 1);  // no name typed: the dialog is cancelled
    EXPECT_TRUE(host.prompt.asked.empty());
    EXPECT_EQ(view->ExtractSubProgram(2), -1);  // the main program ends with M30
    ASSERT_EQ(host.prompt.asked.size(), 1u);
    EXPECT_EQ(host.prompt.asked[0].text, "Failure to Get Sub Program");
    EXPECT_EQ(dialogs.size(), 1u);
}

TEST_F(ExtractSub, FolderThatCannotBeWritten) {
    Make(kProgram);
    // A file where the folder should be: no one can write there.
    std::ofstream(dir.path() / "plain") << "x";
    typed = {(dir.path() / "plain" / "O0012").string()};
    EXPECT_EQ(view->ExtractSubProgram(6), -1);
    ASSERT_EQ(host.prompt.asked.size(), 1u);
    EXPECT_EQ(host.prompt.asked[0].text,
              "Failure to write the filen\n[" + (dir.path() / "plain" / "O0012.nc").string() + "]");
    EXPECT_EQ(platform::GetProfileString("ExtractSub", "FilePath", "<none>",
                                         host.machine.MachineFilePath()),
              "<none>");
    if (::geteuid() == 0) return;  // the super-user writes into read-only folders
    host.prompt.asked.clear();
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_exec);
    typed = {(out / "O0012").string()};
    EXPECT_EQ(view->ExtractSubProgram(6), -1);
    fs::permissions(out, fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(out / "O0012.nc"));
}

TEST_F(ExtractSub, NumberField) {
    const struct {
        const char* typed;
        const char* shown;
        int number;
    } cases[] = {{"0", "0001", 1},      {"-5", "0001", 1}, {"12345", "9999", 9999},
                 {"42abc", "0042", 42}, {"", "0001", 1},   {"123456789012345678901", "9999", 9999}};
    for (const auto& c : cases) {
        int n = 12;
        CExtractSubDlg dlg(&n, "t", "/x/O12", "NC|*.nc||");
        EXPECT_EQ(dlg.NumberEdit()->text(), "0012");
        dlg.NumberEdit()->setText(c.typed);
        dlg.TakeNumber();
        EXPECT_EQ(dlg.NumberEdit()->text(), c.shown) << c.typed;
        EXPECT_EQ(n, c.number) << c.typed;
    }
}

}  // namespace
