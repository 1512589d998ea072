// The system settings sheet: the remembered tab, which pages write after which tabs were shown,
// Cancel, the DXF check at OK, and a settings file that cannot be written.
#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>
#include <optional>

#include "SettingsFixture.h"
#include "settings/CSetSystemPage5.h"
#include "settings/CSetSystemSheet.h"

using namespace settings_test;
namespace fs = std::filesystem;

namespace {

using SystemSheet = Fixture;

std::set<std::string> Sections(const fs::path& file) {
    std::set<std::string> sections;
    platform::ProfileFile p;
    p.Load(file);
    for (const std::string& s : p.SectionNames())
        if (!p.KeyNames(s).empty()) sections.insert(s);
    return sections;
}

TEST_F(SystemSheet, OpensOnTheRememberedTab) {
    const std::pair<const char*, int> cases[] = {{"3", 3},  {"5", 5}, {"6", 0},
                                                 {"-1", 0}, {"x", 0}, {nullptr, 0}};
    for (const auto& [stored, tab] : cases) {
        WriteAll(Ini(), stored ? std::string("[SetSystemSheet]\r\nActivePage=") + stored + "\r\n"
                               : std::string());
        CSetSystemSheet sheet(ctx);
        EXPECT_EQ(sheet.Tabs()->currentIndex(), tab) << (stored ? stored : "missing");
        EXPECT_EQ(sheet.Tabs()->count(), 6);
    }
    CSetSystemSheet sheet(ctx);
    const char* titles[6] = {"Register List", "NC List",           "ToolPath",
                             "Output dxf",    "Start application", "Option"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(sheet.Tabs()->tabText(i), titles[i]);
    EXPECT_EQ(sheet.windowTitle(), "Property");
}

TEST_F(SystemSheet, OnlyPagesThatWereShownWrite) {
    struct Case {
        const char* active;  // remembered tab, null: none
        std::vector<int> visits;
        std::set<std::string> sections;
    };
    const std::set<std::string> page4 = {"NcTextView", "System",       "Trace",
                                         "NcRead",     "ExtMachine00", "SetSystem4"};
    auto with = [](std::set<std::string> a, const std::set<std::string>& b) {
        a.insert(b.begin(), b.end());
        return a;
    };
    const Case cases[] = {
        {nullptr, {}, {"NcInfoView"}},
        {"5", {}, with({"NcInfoView", "SetSystemSheet"}, page4)},
        {nullptr, {1, 2}, {"NcInfoView", "NcTextView", "NcElemView", "SetSystemSheet"}},
        {nullptr, {3}, {"NcInfoView", "Dxf", "SetSystemSheet"}},
        {nullptr, {4, 0}, {"NcInfoView", "OutAppli", "SetSystemSheet"}},
    };
    for (const Case& c : cases) {
        WriteAll(Ini(), c.active
                            ? std::string("[SetSystemSheet]\r\nActivePage=") + c.active + "\r\n"
                            : std::string());
        CSetSystemSheet sheet(ctx);
        for (int tab : c.visits) sheet.Tabs()->setCurrentIndex(tab);
        sheet.accept();
        EXPECT_EQ(sheet.result(), QDialog::Accepted);
        EXPECT_EQ(Sections(Ini()), c.sections) << c.visits.size();
    }
    // The pages shown write every key they own.
    WriteAll(Ini(), "");
    CSetSystemSheet sheet(ctx);
    sheet.Tabs()->setCurrentIndex(2);
    sheet.accept();
    EXPECT_EQ(Keys(Ini()).size(), 5u + 1u + 10u * 3u + 3u);  // page 1, ActivePage, page 3
}

TEST_F(SystemSheet, CancelChangesOnlyTheRememberedTab) {
    WriteAll(Ini(), "[NcInfoView]\r\nFontSize=95\r\n[SetSystemSheet]\r\nActivePage=1\r\n");
    CSetSystemSheet sheet(ctx);
    for (int tab : {2, 3, 4, 5}) sheet.Tabs()->setCurrentIndex(tab);
    sheet.reject();
    EXPECT_EQ(ReadAll(Ini()),
              "[NcInfoView]\r\nFontSize=95\r\n[SetSystemSheet]\r\nActivePage=5\r\n");
}

// OK on a settings file that cannot be written (read-only, a full disk) says so and changes
// nothing: the file stays byte for byte, the sheet open, and the frame is handed nothing. Once
// the file can be written the same OK writes every shown page in one write.
TEST_F(SystemSheet, OkThatCannotWriteTheFileSaysSoAndKeepsTheFileAndTheSheet) {
    const std::string text =
        "[System]\r\nCreateBackupFile=1\r\n[SetSystemSheet]\r\nActivePage=5\r\n";
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only" : "full disk");
        fs::remove(Ini());
        WriteAll(Ini(), text);
        prompt.asked.clear();
        int handed = 0;
        ctx.SetExternalApps = [&](int, int, const std::string&, const std::string&) { ++handed; };
        std::optional<FullDisk> disk;
        if (readOnly)
            NotWritten(Ini());
        else
            disk.emplace();
        CSetSystemSheet sheet(ctx);
        sheet.Page(4)->Ctl<QCheckBox>(1068)->setChecked(false);  // "Create backup"
        sheet.Tabs()->setCurrentIndex(4);
        sheet.Page(6)->Ctl<QLineEdit>(1135)->setText("MyApp");
        sheet.accept();
        EXPECT_EQ(sheet.result(), 0);
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(prompt.asked[0].text,
                  "The settings cannot be written; the file is kept as it was:\n" + Ini().string());
        EXPECT_EQ(ReadAll(Ini()), text);
        EXPECT_EQ(handed, 0);

        fs::permissions(Ini(), fs::perms::owner_read | fs::perms::owner_write);
        disk.reset();
        FullDisk counting(-1);
        sheet.accept();
        EXPECT_EQ(sheet.result(), QDialog::Accepted);
        EXPECT_EQ(FullDisk::WritesOf(Ini()), 1);
        EXPECT_EQ(Value(Ini(), "System", "CreateBackupFile"), "0");
        EXPECT_EQ(Value(Ini(), "OutAppli", "ToolBarTitle"), "MyApp");
        EXPECT_EQ(handed, 1);
        EXPECT_EQ(prompt.asked.size(), 1u);
    }
}

TEST_F(SystemSheet, ADxfProblemFromAnotherTabBringsUpTheDxfPageAndWritesNothing) {
    WriteAll(Ini(), "[Dxf]\r\nCut_LayerName=\"\"\r\n");
    CSetSystemSheet sheet(ctx);
    sheet.show();
    sheet.Tabs()->setCurrentIndex(3);
    sheet.Tabs()->setCurrentIndex(5);
    const std::string before = ReadAll(Ini());
    sheet.accept();
    EXPECT_EQ(sheet.result(), 0);
    EXPECT_EQ(sheet.Tabs()->currentIndex(), 3);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "No cutting line layer is input");
    EXPECT_EQ(sheet.focusWidget(), sheet.DxfPage()->Ctl<QLineEdit>(1123));
    EXPECT_EQ(ReadAll(Ini()), before);
    // Mended, OK goes through.
    sheet.DxfPage()->Ctl<QLineEdit>(1123)->setText("CUT");
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(Value(Ini(), "Dxf", "Cut_LayerName"), "CUT");
}

TEST_F(SystemSheet, OkWithoutShowingTheDxfPageWritesNoDxfKey) {
    WriteAll(Ini(), "[Dxf]\r\nCut_LayerName=\"\"\r\nSpecifyDxfFileNameFlag=1\r\n");
    CSetSystemSheet sheet(ctx);
    sheet.Tabs()->setCurrentIndex(4);
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(ReadAll(Ini()).find("Cut_Output"), std::string::npos);
    EXPECT_EQ(Value(Ini(), "Dxf", "SpecifyDxfFileNameFlag"), "1");
}

TEST_F(SystemSheet, ARangeFailureKeepsTheUserOnThePageAndBlocksOk) {
    WriteAll(Ini(), "[NcElemView]\r\nEdgeArrowSize=0\r\n[SetSystemSheet]\r\nActivePage=2\r\n");
    CSetSystemSheet sheet(ctx);
    sheet.show();
    auto* size = sheet.Page(3)->Ctl<QLineEdit>(1037);
    EXPECT_EQ(size->text(), "0");
    sheet.Tabs()->setCurrentIndex(0);
    EXPECT_EQ(sheet.Tabs()->currentIndex(), 2);
    QApplication::processEvents();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Please enter an integer between 1 and 99.");
    sheet.accept();
    EXPECT_EQ(sheet.result(), 0);
    EXPECT_EQ(Value(Ini(), "NcElemView", "EdgeArrowSize"), "0");
    size->setText("12");
    sheet.accept();
    EXPECT_EQ(Value(Ini(), "NcElemView", "EdgeArrowSize"), "12");
}

}  // namespace
