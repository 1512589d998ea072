// The DXF output page: defaults, its keys read back by the DXF writer's reader, the enabling of
// its rows, the option quoting and the check with its messages and focus.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "SettingsFixture.h"
#include "kernel/io/DxfSettings.h"
#include "nc/machine/MachineStrings.h"
#include "settings/CSetSystemPage5.h"
#include "settings/CSetSystemSheet.h"

using namespace settings_test;
namespace fs = std::filesystem;

namespace {

class DxfPage : public Fixture {
protected:
    void Make(std::string_view ini) {
        WriteAll(Ini(), std::string(ini) + "[SetSystemSheet]\r\nActivePage=3\r\n");
        sheet = std::make_unique<CSetSystemSheet>(ctx);
        sheet->show();
        page = sheet->DxfPage();
    }
    QLineEdit* Edit(int id) { return page->Ctl<QLineEdit>(id); }
    std::unique_ptr<CSetSystemSheet> sheet;
    CSetSystemPage5* page = nullptr;
};

TEST_F(DxfPage, MissingSectionShowsTheWritersDefaultsAndWritesEveryKeyInOrder) {
    Make("");
    EXPECT_TRUE(page->Ctl<QCheckBox>(1111)->isChecked());
    EXPECT_EQ(page->Ctl<QComboBox>(1004)->currentText(), "   1 ");
    EXPECT_EQ(page->Ctl<QComboBox>(1007)->currentText(), "   3 ");
    EXPECT_EQ(page->Ctl<QComboBox>(1000)->currentText(), "DASHED");
    EXPECT_EQ(page->Ctl<QComboBox>(1004)->count(), 7);
    EXPECT_EQ(page->Ctl<QComboBox>(1002)->count(), 5);
    EXPECT_EQ(Edit(1003)->text(), "2");
    EXPECT_EQ(Edit(1015)->text(), "1");
    EXPECT_EQ(Edit(1016)->text(), "30");
    EXPECT_FALSE(Edit(1015)->isEnabled());  // approach processing off
    EXPECT_FALSE(page->Ctl<QRadioButton>(1128)->isEnabled());
    EXPECT_FALSE(Edit(1005)->isEnabled());  // no CAD program
    EXPECT_FALSE(Edit(1008)->isEnabled());  // the name is asked at output
    EXPECT_TRUE(page->Ctl<QRadioButton>(1127)->isChecked());
    sheet->accept();
    platform::ProfileFile p;
    p.Load(Ini());
    EXPECT_EQ(p.KeyNames("Dxf"),
              (std::vector<std::string>{"Cut_Output",        "Cut_PenNo",
                                        "Cut_LKindNo",       "Cut_LayerName",
                                        "Mrk_Output",        "Mrk_PenNo",
                                        "Mrk_LKindNo",       "Mrk_LayerName",
                                        "FF_Output",         "FF_PenNo",
                                        "FF_LKindNo",        "FF_LayerName",
                                        "Apr_Proc",          "Apr_Mode",
                                        "Apr_JointLen",      "Apr_AprChkLen",
                                        "Apr_PenNo",         "Apr_LKindNo",
                                        "Apr_LayerName",     "Jnt_PenNo",
                                        "Jnt_LKindNo",       "Jnt_LayerName",
                                        "ExecCad",           "CadProgramOption",
                                        "CadProgramName",    "SpecifyDxfFileNameFlag",
                                        "SpecifyDxfFileName"}));
    EXPECT_EQ(Value(Ini(), "Dxf", "Apr_AprChkLen"), "30.000");
    // What the page wrote is what the DXF writer reads, and its defaults.
    DxfSettings read;
    read.Read(Ini());
    const DxfSettings def;
    for (auto [a, b] : {std::pair{&read.cut, &def.cut},
                        {&read.mark, &def.mark},
                        {&read.rapid, &def.rapid},
                        {&read.approach, &def.approach},
                        {&read.joint, &def.joint}}) {
        EXPECT_EQ(a->penNo, b->penNo);
        EXPECT_EQ(a->lineTypeNo, b->lineTypeNo);
        EXPECT_EQ(a->layer, b->layer);
    }
    EXPECT_EQ(read.aprChkLen, 30.0);
}

TEST_F(DxfPage, EditedSettingsReadBackByTheWritersReader) {
    Make("[Dxf]\r\nCut_PenNo=7\r\nApr_Proc=1\r\nApr_Mode=1\r\nApr_AprChkLen=12.5\r\n");
    EXPECT_EQ(page->Ctl<QComboBox>(1004)->currentIndex(), -1);
    EXPECT_EQ(Edit(1016)->text(), "12.5");
    EXPECT_TRUE(page->Ctl<QComboBox>(1009)->isEnabled());  // approach rows for "change the pen"
    page->Ctl<QComboBox>(1010)->setCurrentIndex(4);
    Edit(1011)->setText(" APR ");
    Edit(1123)->setText(" CUT ");
    page->Ctl<QCheckBox>(1115)->click();  // marking off
    EXPECT_FALSE(page->Ctl<QComboBox>(1007)->isEnabled());
    EXPECT_FALSE(page->Ctl<QLabel>(1117)->isEnabled());
    sheet->accept();
    ASSERT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(Value(Ini(), "Dxf", "Cut_PenNo"), "-1");
    DxfSettings read;
    read.Read(Ini());
    EXPECT_EQ(read.mark.output, 0);
    EXPECT_EQ(read.approach.lineTypeNo, 4);
    EXPECT_EQ(read.aprChkLen, 12.5);
    EXPECT_EQ(read.aprMode, 1);
    // Read trims the cutting layer; the approach layer is taken as stored.
    EXPECT_EQ(read.cut.layer, "CUT");
    EXPECT_EQ(read.approach.layer, "APR");  // the profile reader trims every value
}

TEST_F(DxfPage, EverySwitchChoiceAndListReachesItsOwnKeyAndTheNextOpening) {
    // Approach pens on, and a CAD program and an output folder that the check accepts, so that
    // every control is enabled and every change passes OK.
    const fs::path cad = dir.path() / "cad";
    WriteAll(cad, "#!/bin/sh\n");
    const std::string base = "[Dxf]\r\nApr_Proc=1\r\nApr_Mode=1\r\nCadProgramName=" + cad.string() +
                             "\r\nSpecifyDxfFileName=" + (dir.path() / "part.dxf").string() +
                             "\r\n";
    enum class Kind { Check, Radio, List };
    struct Case {
        Kind kind;
        int id, second;  // a radio group's buttons 0 and 1
        const char* key;
        int def, changed;
    };
    const Case cases[] = {
        {Kind::Check, 1111, 0, "Cut_Output", 1, 0},
        {Kind::Check, 1115, 0, "Mrk_Output", 1, 0},
        {Kind::Check, 1107, 0, "FF_Output", 1, 0},
        {Kind::Check, 1137, 0, "Apr_Proc", 1, 0},
        {Kind::Check, 1119, 0, "ExecCad", 0, 1},
        {Kind::Radio, 1128, 1129, "Apr_Mode", 1, 0},
        {Kind::Radio, 1127, 1126, "SpecifyDxfFileNameFlag", 0, 1},
        {Kind::List, 1004, 0, "Cut_PenNo", 0, 3},
        {Kind::List, 1002, 0, "Cut_LKindNo", 0, 4},
        {Kind::List, 1007, 0, "Mrk_PenNo", 2, 4},
        {Kind::List, 1124, 0, "Mrk_LKindNo", 0, 1},
        {Kind::List, 1001, 0, "FF_PenNo", 1, 6},
        {Kind::List, 1000, 0, "FF_LKindNo", 2, 3},
        {Kind::List, 1009, 0, "Apr_PenNo", 5, 0},
        {Kind::List, 1010, 0, "Apr_LKindNo", 0, 2},
        {Kind::List, 1012, 0, "Jnt_PenNo", 6, 1},
        {Kind::List, 1013, 0, "Jnt_LKindNo", 0, 4},
    };
    auto shown = [this](const Case& c) {
        switch (c.kind) {
            case Kind::Check:
                return int(page->Ctl<QCheckBox>(c.id)->isChecked());
            case Kind::Radio:
                return page->Ctl<QRadioButton>(c.second)->isChecked() ? 1
                       : page->Ctl<QRadioButton>(c.id)->isChecked()   ? 0
                                                                      : -1;
            case Kind::List:
                return page->Ctl<QComboBox>(c.id)->currentIndex();
        }
        return -2;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        Make(base);
        EXPECT_EQ(shown(c), c.def);
        switch (c.kind) {
            case Kind::Check:
                EXPECT_TRUE(page->Ctl<QCheckBox>(c.id)->isEnabled());
                page->Ctl<QCheckBox>(c.id)->click();
                break;
            case Kind::Radio:
                EXPECT_TRUE(page->Ctl<QRadioButton>(c.id)->isEnabled());
                page->Ctl<QRadioButton>(c.changed ? c.second : c.id)->click();
                break;
            case Kind::List:
                EXPECT_TRUE(page->Ctl<QComboBox>(c.id)->isEnabled());
                page->Ctl<QComboBox>(c.id)->setCurrentIndex(c.changed);
                break;
        }
        EXPECT_EQ(shown(c), c.changed);
        sheet->accept();
        ASSERT_EQ(sheet->result(), QDialog::Accepted);
        // Its own key took the change, every other one kept its value.
        for (const Case& other : cases)
            EXPECT_EQ(Value(Ini(), "Dxf", other.key),
                      std::to_string(&other == &c ? c.changed : other.def))
                << other.key;
        sheet = std::make_unique<CSetSystemSheet>(ctx);
        sheet->show();
        page = sheet->DxfPage();
        EXPECT_EQ(shown(c), c.changed);
        sheet.reset();
    }
}

TEST_F(DxfPage, TheCadOptionReadsBackExactlyAsTyped) {
    for (const char* typed : {"-a \"x y\"", "\"quoted\"", " lead", "plain", "\"", ""}) {
        Make("[Dxf]\r\nExecCad=0\r\n");
        Edit(1006)->setText(typed);
        sheet->accept();
        EXPECT_EQ(platform::GetProfileString("Dxf", "CadProgramOption", "?", Ini()), typed);
        // Another opening shows it as typed and its OK does not change it.
        sheet = std::make_unique<CSetSystemSheet>(ctx);
        page = sheet->DxfPage();
        EXPECT_EQ(Edit(1006)->text(), typed);
        sheet->accept();
        EXPECT_EQ(platform::GetProfileString("Dxf", "CadProgramOption", "?", Ini()), typed);
    }
}

TEST_F(DxfPage, TheCheckReportsTheFirstProblemAndFocusesItsField) {
    const fs::path out = dir.path() / "out";
    const fs::path dotted = dir.path() / "o.d";
    fs::create_directories(out);
    fs::create_directories(dotted);
    WriteAll(dir.path() / "cad", "#!/bin/sh\n");
    struct Case {
        std::string ini;
        unsigned message;  // 0: passes
        int focus;
        std::string argument;
    };
    const std::vector<Case> cases = {
        {"Cut_LayerName=\"\"", 61625, 1123, ""},
        {"Mrk_LayerName=\"\"", 61626, 1125, ""},
        {"FF_LayerName=\"\"", 61627, 1003, ""},
        {"Apr_Proc=1\r\nApr_Mode=0\r\nApr_LayerName=\"\"\r\nJnt_LayerName=\"\"", 0, 0, ""},
        {"Apr_Proc=1\r\nApr_Mode=1\r\nApr_LayerName=\"\"", 61691, 1011, ""},
        {"Apr_Proc=1\r\nApr_Mode=1\r\nJnt_LayerName=\"\"", 61692, 1014, ""},
        {"ExecCad=1", 61628, 1005, ""},
        {"ExecCad=1\r\nCadProgramName=" + dir.path().string(), 61629, 1005, dir.path().string()},
        {"ExecCad=1\r\nCadProgramName=" + (dir.path() / "none").string(), 61629, 1005,
         (dir.path() / "none").string()},
        {"ExecCad=1\r\nCadProgramName=" + (dir.path() / "cad").string(), 0, 0, ""},
        {"SpecifyDxfFileNameFlag=1", 61630, 1008, ""},
        {"SpecifyDxfFileNameFlag=1\r\nSpecifyDxfFileName=" + (dir.path() / "missing/part").string(),
         61632, 1008, (dir.path() / "missing").string() + "/"},
        {"SpecifyDxfFileNameFlag=1\r\nSpecifyDxfFileName=part", 61632, 1008, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        prompt.asked.clear();
        Make("[Dxf]\r\n" + c.ini + "\r\n");
        EXPECT_EQ(page->CheckDxfSettings(), c.message ? 0 : 1);
        if (!c.message) {
            EXPECT_TRUE(prompt.asked.empty());
            continue;
        }
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(prompt.asked[0].text,
                  FillPlaceholders(platform::LoadString(c.message), {c.argument}));
        EXPECT_EQ(prompt.asked[0].icon, platform::PromptIcon::Warning);
        EXPECT_EQ(sheet->focusWidget(), Edit(c.focus));
    }
    // A fixed name without an extension gets ".dxf", also when a folder holds a dot.
    for (const fs::path& name : {out / "part", dotted / "part", out / "part.DXF"}) {
        Make("[Dxf]\r\nSpecifyDxfFileNameFlag=1\r\nSpecifyDxfFileName=" + name.string() + "\r\n");
        sheet->accept();
        ASSERT_EQ(sheet->result(), QDialog::Accepted);
        const std::string expected =
            name.extension().empty() ? name.string() + ".dxf" : name.string();
        EXPECT_EQ(Value(Ini(), "Dxf", "SpecifyDxfFileName"), expected);
    }
}

TEST_F(DxfPage, RealsOutsideTheirRangeKeepTheUserOnThePage) {
    Make("[Dxf]\r\nApr_Proc=1\r\nApr_AprChkLen=0\r\n");
    EXPECT_EQ(Edit(1016)->text(), "0");
    sheet->Tabs()->setCurrentIndex(0);
    EXPECT_EQ(sheet->Tabs()->currentIndex(), 3);
    QApplication::processEvents();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Please enter a number between 1 and 99.");
    EXPECT_EQ(sheet->focusWidget(), Edit(1016));
}

TEST_F(DxfPage, BrowsesAProgramAndAnOutputFileThatNeedNotExist) {
    Make("[Dxf]\r\nExecCad=1\r\nSpecifyDxfFileNameFlag=1\r\n");
    choose.files = {std::string("/usr/bin/librecad"), (dir.path() / "new.dxf").string()};
    page->Ctl<QPushButton>(1121)->click();
    page->Ctl<QPushButton>(1122)->click();
    ASSERT_EQ(choose.asked.size(), 2u);
    EXPECT_EQ(choose.asked[0].kind, "open");
    EXPECT_TRUE(choose.asked[0].file.defaultExtension.empty());
    EXPECT_EQ(choose.asked[1].kind, "save");
    EXPECT_FALSE(choose.asked[1].file.mustExist);
    EXPECT_EQ(choose.asked[1].file.defaultExtension, "dxf");
    EXPECT_EQ(Edit(1005)->text(), "/usr/bin/librecad");
    EXPECT_EQ(Edit(1008)->text(), QString::fromStdString((dir.path() / "new.dxf").string()));
}

}  // namespace
