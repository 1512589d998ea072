// The system sheet's display pages (fonts, colours, marks) and the external-applications page.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "SettingsFixture.h"
#include "platform/TextCodec.h"
#include "settings/CColorButton.h"
#include "settings/CSetSystemPage1.h"
#include "settings/CSetSystemPage3.h"
#include "settings/CSetSystemPage6.h"
#include "settings/CSetSystemSheet.h"

using namespace settings_test;

namespace {

class SystemPages : public Fixture {
protected:
    std::unique_ptr<CSetSystemSheet> Sheet(std::string_view ini) {
        WriteAll(Ini(), ini);
        return std::make_unique<CSetSystemSheet>(ctx);
    }
    // The keys of a section in the order they stand in the file.
    std::vector<std::string> Order(std::string_view section) {
        platform::ProfileFile p;
        p.Load(Ini());
        return p.KeyNames(section);
    }
    static std::string Cp932(const char* utf8) { return platform::Utf8ToCp932(utf8).bytes; }
};

TEST_F(SystemPages, InformationListPageDefaultsAndWrites) {
    auto sheet = Sheet("");
    auto* page = static_cast<CSetSystemPage1*>(sheet->Page(1));
    EXPECT_EQ(page->Button(1002)->Swatch(), QColor(0, 0, 255));
    EXPECT_EQ(page->FontButton()->text(), QString::fromUtf8("ＭＳ ゴシック (11pt)"));
    sheet->accept();
    EXPECT_EQ(Order("NcInfoView"),
              (std::vector<std::string>{"TextColorR", "TextColorG", "TextColorB", "FontSize",
                                        "FontName"}));
    EXPECT_EQ(Value(Ini(), "NcInfoView", "TextColorB"), "255");
    EXPECT_EQ(Value(Ini(), "NcInfoView", "FontSize"), "110");
    EXPECT_EQ(Value(Ini(), "NcInfoView", "FontName"), Cp932("ＭＳ ゴシック"));
}

TEST_F(SystemPages, FontButtonShowsWholePointsAndTakesTheChosenFont) {
    auto sheet = Sheet("[NcInfoView]\r\nFontSize=95\r\nFontName=NoSuchFace\r\n");
    auto* page = static_cast<CSetSystemPage1*>(sheet->Page(1));
    EXPECT_EQ(page->FontButton()->text(), "NoSuchFace (9pt)");
    page->FontButton()->click();  // cancelled
    ASSERT_EQ(choose.asked.size(), 1u);
    EXPECT_EQ(choose.asked[0].font.family(), "NoSuchFace");
    EXPECT_EQ(choose.asked[0].font.pointSize(), 9);
    EXPECT_EQ(page->Font.size, 95);
    QFont chosen(QString::fromUtf8("Noto Sans Mono CJK JP"));
    chosen.setPointSize(9);
    choose.fonts = {chosen};
    page->FontButton()->click();
    EXPECT_EQ(page->FontButton()->text(), QString::fromUtf8("Noto Sans Mono CJK JP (9pt)"));
    sheet->accept();
    EXPECT_EQ(Value(Ini(), "NcInfoView", "FontSize"), "90");
    EXPECT_EQ(Value(Ini(), "NcInfoView", "FontName"), "Noto Sans Mono CJK JP");
}

TEST_F(SystemPages, AFontFaceIsCutToThirtyOneBytesAtACharacterBoundary) {
    auto sheet = Sheet("");
    auto* page = static_cast<CSetSystemPage1*>(sheet->Page(1));
    QFont chosen(QString::fromUtf8("ゴシック体ゴシック体ゴシック体ゴシック"));  // 38 bytes in CP932
    chosen.setPointSize(10);
    choose.fonts = {chosen};
    page->FontButton()->click();
    EXPECT_EQ(page->Font.name, Cp932("ゴシック体ゴシック体ゴシック体"));  // 30 bytes
}

TEST_F(SystemPages, NcListPageWritesItsColoursInItsOrder) {
    auto sheet = Sheet("[NcTextView]\r\nWeightTimeH=7\r\n[SetSystemSheet]\r\nActivePage=1\r\n");
    auto* page = static_cast<CSetSystemPage2*>(sheet->Page(2));
    EXPECT_EQ(page->Button(1006)->Swatch(), QColor(255, 0, 0));
    EXPECT_EQ(page->Button(1010)->Swatch(), QColor(0, 128, 0));
    choose.colours = {QColor(1, 2, 3)};
    page->Button(1008)->click();
    sheet->accept();
    EXPECT_EQ(Order("NcTextView"),
              (std::vector<std::string>{"WeightTimeH", "OnoPenR", "OnoPenG", "OnoPenB",
                                        "SubCallPenR", "SubCallPenG", "SubCallPenB", "CommentPenR",
                                        "CommentPenG", "CommentPenB", "TextColorR", "TextColorG",
                                        "TextColorB", "FontSize", "FontName"}));
    EXPECT_EQ(Value(Ini(), "NcTextView", "SubCallPenB"), "3");
    EXPECT_EQ(Value(Ini(), "NcTextView", "WeightTimeH"), "7");
}

TEST_F(SystemPages, ToolPathPageKeepsStoredColoursAndItsRadioRule) {
    auto sheet = Sheet(
        "[NcElemView]\r\nGridPenR=300\r\nMoveDirection=2\r\n[SetSystemSheet]\r\nActivePage=2\r\n");
    auto* page = static_cast<CSetSystemPage3*>(sheet->Page(3));
    EXPECT_EQ(page->Button(1014)->Swatch(), QColor(44, 126, 98));  // painted with the low byte
    EXPECT_EQ(page->Button(1018)->Swatch(), QColor(23, 26, 50));
    EXPECT_FALSE(page->Ctl<QRadioButton>(1005)->isChecked());
    EXPECT_FALSE(page->Ctl<QRadioButton>(1006)->isChecked());
    EXPECT_EQ(page->Ctl<QLineEdit>(1037)->text(), "10");
    EXPECT_EQ(page->Ctl<QLineEdit>(1038)->text(), "10");
    choose.colours = {QColor(200, 0, 0)};
    page->Button(1018)->click();
    sheet->accept();
    EXPECT_EQ(Value(Ini(), "NcElemView", "GridPenR"), "300");
    EXPECT_EQ(Value(Ini(), "NcElemView", "MoveDirection"), "-1");
    EXPECT_EQ(Value(Ini(), "NcElemView", "BackGroundR"), "200");
}

TEST_F(SystemPages, ToolPathScrollDirectionDefaultsToConverseAndKeysGoInThePagesOrder) {
    auto sheet = Sheet("[SetSystemSheet]\r\nActivePage=2\r\n");
    EXPECT_TRUE(sheet->Page(3)->Ctl<QRadioButton>(1006)->isChecked());
    sheet->accept();
    const std::vector<std::string> order = Order("NcElemView");
    ASSERT_EQ(order.size(), 33u);
    auto at = [&](const char* key) {
        return std::find(order.begin(), order.end(), key) - order.begin();
    };
    EXPECT_EQ(at("BackGroundR"), 0);
    EXPECT_EQ(at("MoveDirection"), at("TraceCurrentPenB") + 1);
    EXPECT_EQ(at("TraceToolPenR"), at("MoveDirection") + 1);
    EXPECT_EQ(at("EdgeArrowSize"), at("EdgeArrowPenB") + 1);
    EXPECT_EQ(at("AcAxisLength"), 32);
    EXPECT_EQ(Value(Ini(), "NcElemView", "MoveDirection"), "1");
    // The user's choice reaches the file and the next opening.
    sheet = std::make_unique<CSetSystemSheet>(ctx);
    sheet->Page(3)->Ctl<QRadioButton>(1005)->click();
    sheet->accept();
    EXPECT_EQ(Value(Ini(), "NcElemView", "MoveDirection"), "0");
    sheet = std::make_unique<CSetSystemSheet>(ctx);
    EXPECT_TRUE(sheet->Page(3)->Ctl<QRadioButton>(1005)->isChecked());
    EXPECT_FALSE(sheet->Page(3)->Ctl<QRadioButton>(1006)->isChecked());
}

TEST_F(SystemPages, ExternalApplicationsReadWhenShownAndHandTheFrameTheirState) {
    int calls = 0;
    int app1 = -1, app2 = -1;
    std::string title1, title2;
    ctx.SetExternalApps = [&](int a1, int a2, const std::string& t1, const std::string& t2) {
        ++calls;
        app1 = a1;
        app2 = a2;
        title1 = t1;
        title2 = t2;
    };
    // Never shown: nothing written, nothing handed over.
    {
        auto sheet = Sheet("");
        sheet->accept();
        EXPECT_EQ(calls, 0);
        EXPECT_EQ(ReadAll(Ini()).find("OutAppli"), std::string::npos);
    }
    auto sheet = Sheet("[OutAppli]\r\nApplicationName=/usr/bin/viewer\r\nToolBarTitle2=Two\r\n");
    auto* page = static_cast<CSetSystemPage6*>(sheet->Page(6));
    EXPECT_TRUE(page->Ctl<QLineEdit>(1136)->text().isEmpty());  // read when first shown
    sheet->Tabs()->setCurrentIndex(4);
    EXPECT_EQ(page->Ctl<QLineEdit>(1136)->text(), "/usr/bin/viewer");
    EXPECT_EQ(page->Ctl<QLineEdit>(1135)->text(), "Boot");
    EXPECT_EQ(page->Ctl<QLineEdit>(1146)->text(), "Two");
    page->Ctl<QLineEdit>(1136)->clear();
    page->Ctl<QLineEdit>(1143)->setText("/opt/cad");
    page->Ctl<QLineEdit>(1135)->setText(QString::fromUtf8("起動一"));
    page->Ctl<QLineEdit>(1145)->setText("-p 2");
    sheet->accept();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(app1, 0);
    EXPECT_EQ(app2, 1);
    EXPECT_EQ(title1, "起動一");
    EXPECT_EQ(title2, "Two");
    EXPECT_EQ(Value(Ini(), "OutAppli", "ApplicationName"), "");
    EXPECT_EQ(Value(Ini(), "OutAppli", "ApplicationName2"), "/opt/cad");
    EXPECT_EQ(Value(Ini(), "OutAppli", "ToolBarTitle"), Cp932("起動一"));
    EXPECT_EQ(Value(Ini(), "OutAppli", "ToolBarTitle2"), "Two");
    EXPECT_EQ(Value(Ini(), "OutAppli", "ApplicationOption"), "");
    EXPECT_EQ(Value(Ini(), "OutAppli", "ApplicationOption2"), "-p 2");
}

TEST_F(SystemPages, ExternalApplicationEditsTakeWhatIsReadBackAndBrowseAddsNoExtension) {
    auto sheet = Sheet("[SetSystemSheet]\r\nActivePage=4\r\n");
    auto* page = sheet->Page(6);
    int pos = 0;
    QString path255(255, 'p'), path256(256, 'p'), text63(63, 't'), text64(64, 't');
    EXPECT_EQ(page->Ctl<QLineEdit>(1136)->validator()->validate(path255, pos),
              QValidator::Acceptable);
    EXPECT_EQ(page->Ctl<QLineEdit>(1136)->validator()->validate(path256, pos), QValidator::Invalid);
    EXPECT_EQ(page->Ctl<QLineEdit>(1138)->validator()->validate(text63, pos),
              QValidator::Acceptable);
    EXPECT_EQ(page->Ctl<QLineEdit>(1146)->validator()->validate(text64, pos), QValidator::Invalid);
    choose.files = {"/usr/bin/okular"};
    page->Ctl<QPushButton>(1144)->click();
    ASSERT_EQ(choose.asked.size(), 1u);
    EXPECT_EQ(choose.asked[0].file.defaultExtension, "");
    EXPECT_EQ(choose.asked[0].file.filter.rfind("Programs (*)|*|", 0), 0u);
    EXPECT_EQ(page->Ctl<QLineEdit>(1143)->text(), "/usr/bin/okular");
}

}  // namespace
