// The machine sheet's pages 1, 2, 3 and 6 on a fixture machine file: what they show, what the
// widgets' edits write into the working copy at OK, and that the machine reader reads it back as
// the pages showed it.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include "SettingsFixture.h"
#include "nc/machine/CNcReadInfo.h"
#include "settings/CColorButton.h"
#include "settings/CSetMachinePage1.h"
#include "settings/CSetMachinePage2.h"
#include "settings/CSetMachinePage3.h"
#include "settings/CSetMachinePage6.h"
#include "settings/CSetMachineSheet.h"

using namespace settings_test;

namespace {

const char* const kFixture = MORVALEN_TEST_DATA "/settings/machine.nmd";

class MachinePages : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        SetWorkingCopy(ReadAll(kFixture));
    }
    template <class T>
    T* Ctl(int page, int id) {
        return sheet->Page(page)->Ctl<T>(id);
    }
    QString Text(int page, int id) { return Ctl<QLineEdit>(page, id)->text(); }
    void Make() { sheet = std::make_unique<CSetMachineSheet>(ctx); }
    std::string W(std::string_view section, std::string_view key) {
        return Value(Work(), section, key);
    }

    std::unique_ptr<CSetMachineSheet> sheet;
};

TEST_F(MachinePages, ParameterPageShowsTheFileAndWritesTheEditsInItsForms) {
    Make();
    // A longer stored code shows as its first character.
    EXPECT_EQ(Text(1, 1026), "O");
    EXPECT_EQ(Text(1, 1027), "Q");
    EXPECT_EQ(Text(1, 1028), "L");
    EXPECT_EQ(Text(1, 1037), "T");
    EXPECT_EQ(Text(1, 1033), "E");
    EXPECT_EQ(Text(1, 1029), "M198");
    EXPECT_EQ(Text(1, 1032), "M102");
    EXPECT_EQ(Text(1, 1034), "100");
    EXPECT_EQ(Text(1, 1038), "O{PGNO}:G90");
    EXPECT_TRUE(Ctl<QRadioButton>(1, 1036)->isChecked());  // INC
    EXPECT_TRUE(Ctl<QRadioButton>(1, 1049)->isChecked());  // arcs ABS
    EXPECT_TRUE(Ctl<QRadioButton>(1, 1058)->isChecked());  // punch
    EXPECT_TRUE(Ctl<QRadioButton>(1, 1059)->isChecked());  // swing head
    EXPECT_TRUE(Ctl<QRadioButton>(1, 1053)->isChecked());  // Nisshinbo

    Type(Ctl<QLineEdit>(1, 1031), "M11");
    Type(Ctl<QLineEdit>(1, 1026), "N");
    Type(Ctl<QLineEdit>(1, 1034), "1");
    Ctl<QRadioButton>(1, 1057)->click();  // laser
    Ctl<QRadioButton>(1, 1035)->click();  // ABS
    Type(Ctl<QLineEdit>(1, 1039), "(*PGE):M30");
    sheet->accept();
    EXPECT_EQ(sheet->result(), QDialog::Accepted);

    EXPECT_EQ(W("Version", "Version"), "1");
    EXPECT_EQ(W("NcRead", "AbsInc"), "0");
    EXPECT_EQ(W("NcRead", "ArcAbsInc"), "0");
    EXPECT_EQ(W("NcRead", "ZeroTimes"), "1");
    EXPECT_EQ(W("NcRead", "CodeMainPro"), "N");
    EXPECT_EQ(W("NcRead", "CodeMainSub"), "Q");
    EXPECT_EQ(W("NcRead", "OptMarkOn"), "M11");
    EXPECT_EQ(W("NcRead", "LaserPunch"), "1");
    EXPECT_EQ(W("NcRead", "HeadType"), "0");
    EXPECT_EQ(W("NcRead", "PunchNcType"), "2");
    EXPECT_EQ(W("ExtractSub", "Footer"), "(*PGE):M30");
    // The kept values come back unchanged.
    EXPECT_EQ(W("ExtractSub", "SCC"), ":M201(%s)");
    EXPECT_EQ(W("ExtractSub", "PrgNoLen"), "6");
    EXPECT_EQ(W("NcRead", "IgnorePercent"), "1");

    // The machine reader takes what the page showed.
    auto* p1 = static_cast<CSetMachinePage1*>(sheet->Page(1));
    CNcReadInfo info;
    ASSERT_EQ(info.LoadFrom(Work()), 1);
    EXPECT_EQ(info.AbsInc, p1->AbsInc);
    EXPECT_EQ(info.ArcAbsInc, p1->ArcAbsInc);
    EXPECT_EQ(unsigned(info.ZeroTimes), p1->ZeroTimes);
    EXPECT_EQ(std::string(info.Code[0].data()), p1->Code[0]);  // CodeMainPro
    EXPECT_EQ(std::string(info.Code[3].data()), p1->Code[4]);  // CodeFor
    EXPECT_EQ(std::string(info.Code[4].data()), p1->Code[3]);  // CodeHNumber
    for (int i = 0; i < 4; ++i) EXPECT_EQ(info.Opt[size_t(i)], p1->Opt[size_t(i)]);
    EXPECT_EQ(info.LaserPunch, p1->LaserPunch);
    EXPECT_EQ(info.HeadType, p1->HeadType);
    EXPECT_EQ(info.PunchNcType, p1->PunchNcType);
    EXPECT_EQ(info.IgnorePercent, p1->IgnorePercent);
}

TEST_F(MachinePages, RadioValuesOutsideTheirGroupShowNoneAndWriteMinusOne) {
    SetWorkingCopy("[NcRead]\r\nLaserPunch=7\r\nHeadType=-3\r\nPunchNcType=3\r\n");
    Make();
    for (int id : {1056, 1057, 1058, 1183, 1184, 1059, 1060, 1051, 1052, 1053})
        EXPECT_FALSE(Ctl<QRadioButton>(1, id)->isChecked()) << id;
    sheet->accept();
    EXPECT_EQ(W("NcRead", "LaserPunch"), "-1");
    EXPECT_EQ(W("NcRead", "HeadType"), "-1");
    EXPECT_EQ(W("NcRead", "PunchNcType"), "-1");
}

TEST_F(MachinePages, MurataAsksForConversionUnitOneAndStaysChosen) {
    SetWorkingCopy("[NcRead]\r\nZeroTimes=1000\r\n");
    Make();
    sheet->show();
    Ctl<QRadioButton>(1, 1052)->click();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, platform::LoadString(20073));
    EXPECT_EQ(prompt.asked[0].icon, platform::PromptIcon::Warning);
    QLineEdit* unit = Ctl<QLineEdit>(1, 1034);
    EXPECT_EQ(sheet->focusWidget(), unit);
    EXPECT_EQ(unit->selectedText(), "1000");
    EXPECT_TRUE(Ctl<QRadioButton>(1, 1052)->isChecked());
    sheet->accept();
    EXPECT_EQ(W("NcRead", "PunchNcType"), "1");

    // With 1 nothing is said.
    prompt.asked.clear();
    Type(unit, "1");
    Ctl<QRadioButton>(1, 1051)->click();
    Ctl<QRadioButton>(1, 1052)->click();
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(MachinePages, CoordinatesPageShowsShortRealsAndWritesThreeDecimals) {
    Make();
    EXPECT_EQ(Text(2, 1024), "10.5");
    EXPECT_EQ(Text(2, 1027), "-20.25");
    EXPECT_EQ(Text(2, 1028), "75");
    EXPECT_EQ(Text(2, 1061), "2500");
    EXPECT_EQ(Text(2, 1062), "1250.5");
    EXPECT_EQ(Text(2, 1065), "-10");
    EXPECT_EQ(Text(2, 1031), "0");
    EXPECT_EQ(Text(2, 1007), "-150");
    EXPECT_TRUE(Ctl<QCheckBox>(2, 1063)->isChecked());
    auto* holders = Ctl<QComboBox>(2, 1005);
    ASSERT_EQ(holders->count(), 4);
    EXPECT_EQ(holders->currentIndex(), 3);

    Type(Ctl<QLineEdit>(2, 1061), "1840.25");
    Type(Ctl<QLineEdit>(2, 1283), "-0.5");
    Ctl<QCheckBox>(2, 1063)->click();
    holders->setCurrentIndex(1);
    sheet->accept();
    EXPECT_EQ(W("NcRead", "FrameX"), "1840.250");
    EXPECT_EQ(W("NcRead", "HolderY1"), "-0.500");
    EXPECT_EQ(W("NcRead", "FrameDisp"), "0");
    EXPECT_EQ(W("NcRead", "HolderCount"), "1");
    EXPECT_EQ(W("NcRead", "G92BaseInitX"), "10.500");

    auto* p2 = static_cast<CSetMachinePage2*>(sheet->Page(2));
    CNcReadInfo info;
    ASSERT_EQ(info.LoadFrom(Work()), 1);
    EXPECT_EQ(info.G92BaseInit.x, p2->G92BaseInit[0]);
    EXPECT_EQ(info.G92BaseInit.z, p2->G92BaseInit[2]);
    EXPECT_EQ(info.FrameDisp, p2->FrameDisp);
    EXPECT_EQ(info.FrameX, p2->FrameX);
    EXPECT_EQ(info.FrameY, p2->FrameY);
    EXPECT_EQ(info.FrameXmin, p2->FrameXmin);
    EXPECT_EQ(info.ClampSizeY, p2->ClampSizeY);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(info.ClampPoint[size_t(i)], p2->ClampPoint[size_t(i)]);
    EXPECT_EQ(info.HolderCount, p2->HolderCount);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(info.HolderR[size_t(i)], p2->HolderR[size_t(i)]);
        EXPECT_EQ(info.HolderX[size_t(i)], p2->HolderX[size_t(i)]);
        EXPECT_EQ(info.HolderY[size_t(i)], p2->HolderY[size_t(i)]);
    }
}

TEST_F(MachinePages, MissingKeysShowTheReadersDefaultsAndABadHolderCountWritesMinusOne) {
    SetWorkingCopy("[NcRead]\r\nHolderCount=5\r\n");
    Make();
    // The Z base of a file without the key is the reader's 50, not 0: confirming the sheet
    // must not move it.
    EXPECT_EQ(Text(2, 1028), "50");
    EXPECT_EQ(Text(2, 1061), "1840");
    EXPECT_EQ(Ctl<QComboBox>(2, 1005)->currentIndex(), -1);
    sheet->accept();
    EXPECT_EQ(W("NcRead", "G92BaseInitZ"), "50.000");
    EXPECT_EQ(W("NcRead", "HolderCount"), "-1");
}

TEST_F(MachinePages, ColorPageChoosesOnTheButtonsColourAndKeepsHiddenPens) {
    sys->ToolData.DrawShavColor = 1;
    Make();
    auto* page = static_cast<CSetMachinePage3*>(sheet->Page(3));
    EXPECT_EQ(page->Button(0)->Swatch(), QColor(1, 2, 3));
    EXPECT_EQ(page->Button(3)->Red, 300);  // kept as stored, painted as 44
    EXPECT_EQ(page->Button(3)->Swatch(), QColor(44, 17, 18));
    // Marking and cutting take their conditions' colours: their buttons are hidden.
    EXPECT_TRUE(page->Button(1)->isHidden());
    EXPECT_TRUE(page->Button(2)->isHidden());
    EXPECT_FALSE(page->Button(0)->isHidden());

    choose.colours = {QColor(10, 20, 30)};
    page->Button(0)->click();
    ASSERT_EQ(choose.asked.size(), 1u);
    EXPECT_EQ(choose.asked[0].colour, QColor(1, 2, 3));
    EXPECT_EQ(page->Button(0)->Swatch(), QColor(10, 20, 30));
    page->Button(3)->click();  // cancelled: nothing changes
    EXPECT_EQ(page->Button(3)->Red, 300);

    sheet->accept();
    EXPECT_EQ(W("NcRead", "FFPenR"), "10");
    EXPECT_EQ(W("NcRead", "FFPenB"), "30");
    EXPECT_EQ(W("NcRead", "MarkPenG"), "5");
    EXPECT_EQ(W("NcRead", "CutPenB"), "9");
    EXPECT_EQ(W("NcRead", "PunchPenR"), "300");
    CNcReadInfo info;
    info.LoadFrom(Work());
    EXPECT_EQ(info.Pen[PenFF], (std::array<int, 3>{10, 20, 30}));
    EXPECT_EQ(info.Pen[PenCut], (std::array<int, 3>{7, 8, 9}));
    EXPECT_EQ(info.PenWide[PenCut], 5);  // a key no page shows
}

TEST_F(MachinePages, FixedPhrasesTakeTheirStoredLengthsInCp932Bytes) {
    Make();
    EXPECT_EQ(Text(6, 1184), QString::fromUtf8("始点"));
    EXPECT_EQ(Text(6, 1185), "G00X0.Y0.");
    EXPECT_EQ(Text(6, 1047), "two");
    QLineEdit* comment = Ctl<QLineEdit>(6, 1184);
    QLineEdit* phrase = Ctl<QLineEdit>(6, 1185);
    int pos = 0;
    QString sixteen = QString(16, QChar(0x7A74));  // 穴: two bytes each, 32 in all
    QString seventeen = sixteen + QChar(0x7A74);
    QString ascii33(33, 'a');
    EXPECT_EQ(comment->validator()->validate(sixteen, pos), QValidator::Acceptable);
    EXPECT_EQ(comment->validator()->validate(seventeen, pos), QValidator::Invalid);
    EXPECT_EQ(comment->validator()->validate(ascii33, pos), QValidator::Invalid);
    QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");  // no CP932 form
    EXPECT_EQ(phrase->validator()->validate(emoji, pos), QValidator::Invalid);
    QString phrase128(128, 'x'), phrase129(129, 'x');
    EXPECT_EQ(phrase->validator()->validate(phrase128, pos), QValidator::Acceptable);
    EXPECT_EQ(phrase->validator()->validate(phrase129, pos), QValidator::Invalid);

    Type(comment, sixteen);
    Type(Ctl<QLineEdit>(6, 1060), "  M99");
    sheet->accept();
    std::string stored;
    for (int i = 0; i < 16; ++i) stored += "\x8C\x8A";
    EXPECT_EQ(W("InsertStr", "Comment1"), stored);
    EXPECT_EQ(W("InsertStr", "String8"), "M99");  // written as typed; the reader trims
    EXPECT_EQ(W("InsertStr", "String1"), "G00X0.Y0.");
    CNcReadInfo info;
    info.LoadFrom(Work());
    auto* p6 = static_cast<CSetMachinePage6*>(sheet->Page(6));
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(info.Comment[i], p6->Comment[i]) << i;
        EXPECT_EQ(info.String[i], i == 7 ? std::string("M99") : p6->String[i]) << i;
    }
}

TEST_F(MachinePages, AnEmptyWorkingCopyGetsEveryKeyOfEveryPage) {
    SetWorkingCopy("");
    Make();
    sheet->accept();
    std::set<std::string> expected = {"Version/Version", "TextConvert000/From"};
    for (const char* k :
         {"AbsInc",        "ArcAbsInc",    "ZeroTimes",    "CodeMainPro",  "CodeMainSub",
          "CodeMainCall",  "CodeFor",      "CodeHNumber",  "OptSubCall",   "OptSubBack",
          "OptMarkOn",     "OptCutOn",     "LaserPunch",   "PunchNcType",  "HeadType",
          "IgnorePercent", "G92BaseInitX", "G92BaseInitY", "G92BaseInitZ", "FrameDisp",
          "FrameX",        "FrameY",       "FrameXmin",    "FrameYmin",    "ClampSizeX",
          "ClampSizeY",    "ClampPoint1",  "ClampPoint2",  "ClampPoint3",  "ClampPoint4",
          "HolderCount",   "HolderR1",     "HolderR2",     "HolderR3",     "HolderX1",
          "HolderX2",      "HolderX3",     "HolderY1",     "HolderY2",     "HolderY3"})
        expected.insert(std::string("NcRead/") + k);
    for (const char* pen : {"FFPen", "MarkPen", "CutPen", "PunchPen"})
        for (const char* c : {"R", "G", "B"}) expected.insert(std::string("NcRead/") + pen + c);
    for (const char* k : {"Header", "Footer", "SCC", "PrgNoLen"})
        expected.insert(std::string("ExtractSub/") + k);
    for (int i = 1; i <= 8; ++i) {
        expected.insert("InsertStr/Comment" + std::to_string(i));
        expected.insert("InsertStr/String" + std::to_string(i));
    }
    EXPECT_EQ(Keys(Work()), expected);
    EXPECT_EQ(W("NcRead", "ZeroTimes"), "1000");
    EXPECT_EQ(W("NcRead", "CodeMainCall"), "P");
    EXPECT_EQ(W("NcRead", "OptCutOn"), "M100");
    EXPECT_EQ(W("NcRead", "HeadType"), "1");
    EXPECT_EQ(W("NcRead", "FrameY"), "1270.000");
    EXPECT_EQ(W("NcRead", "HolderX1"), "-200.000");
    EXPECT_EQ(W("NcRead", "CutPenR"), "0");
    EXPECT_EQ(W("ExtractSub", "Header"), "O{PGNO}{SCC}:G40G01:G90G92X0.Y0.Z0.:M61:(*PGS)");
    EXPECT_EQ(W("ExtractSub", "SCC"), ":M200(%s)");
    EXPECT_EQ(W("TextConvert000", "From"), "");
}

}  // namespace
