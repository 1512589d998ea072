// The system sheet's "Option" page: its keys and defaults, the display and stored forms of its
// paths, the browses and the extension table.
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include "SettingsFixture.h"
#include "platform/TextCodec.h"
#include "settings/CSetSystemPage4.h"
#include "settings/CSetSystemSheet.h"

using namespace settings_test;
namespace fs = std::filesystem;

namespace {

class SystemPage4 : public Fixture {
protected:
    void Make(std::string_view ini) {
        WriteAll(Ini(), std::string(ini) + "[SetSystemSheet]\r\nActivePage=5\r\n");
        sheet = std::make_unique<CSetSystemSheet>(ctx);
        page = static_cast<CSetSystemPage4*>(sheet->Page(4));
    }
    void Select(std::initializer_list<int> rows) {
        page->List()->clearSelection();
        for (int r : rows) page->List()->topLevelItem(r)->setSelected(true);
    }
    std::unique_ptr<CSetSystemSheet> sheet;
    CSetSystemPage4* page = nullptr;
};

std::string Cp932(const char* utf8) {
    return platform::Utf8ToCp932(utf8).bytes;
}

const char* const kTable =
    "[ExtMachine00]\r\nExt=\"NC\"\r\nMachine=\"laser.nmd\"\r\n"
    "[ExtMachine01]\r\nExt=\" \"\r\nMachine=\"none.nmd\"\r\n"
    "[ExtMachine02]\r\nExt=\"PNC\"\r\nMachine=\"/abs/punch.nmd\"\r\n"
    "[ExtMachine03]\r\nMachine=\"stale.nmd\"\r\n";

TEST_F(SystemPage4, DefaultsWithNothingStored) {
    Make("");
    EXPECT_EQ(page->Ctl<QSpinBox>(1017)->value(), 0);
    EXPECT_EQ(page->Ctl<QSpinBox>(1018)->value(), 5);
    EXPECT_EQ(page->Ctl<QSpinBox>(1019)->value(), 40);
    EXPECT_TRUE(page->Ctl<QCheckBox>(1068)->isChecked());
    EXPECT_EQ(page->Ctl<QLineEdit>(1057)->text(), "MV_Machine.nmd");
    EXPECT_EQ(page->Ctl<QLineEdit>(1062)->text(), "TOOL/");
    EXPECT_EQ(page->Ctl<QLineEdit>(1066)->text(), "PDF");
    EXPECT_TRUE(page->Ctl<QPushButton>(1058)->isHidden());
    EXPECT_FALSE(page->Ctl<QPushButton>(1058)->isEnabled());
    EXPECT_EQ(page->List()->topLevelItemCount(), 0);
    EXPECT_EQ(page->List()->columnWidth(0), 100);
    EXPECT_EQ(page->List()->columnWidth(1), 250);
    sheet->accept();
    const std::string conf = config.string() + "/";
    EXPECT_EQ(Value(Ini(), "NcRead", "FileName"), conf + "MV_Machine.nmd");
    EXPECT_EQ(Value(Ini(), "NcRead", "PunchTool_SpcialFolder"), conf + "TOOL/");
    EXPECT_EQ(Value(Ini(), "NcTextView", "WeightTimeL"), "40");
    EXPECT_EQ(Value(Ini(), "System", "CreateBackupFile"), "1");
    EXPECT_EQ(Value(Ini(), "ExtMachine00", "Ext"), "");
    EXPECT_EQ(Value(Ini(), "SetSystem4", "LV_ColumnWidth1"), "250");
}

TEST_F(SystemPage4, ForbidSheetReadMakesNoBackupTheDefaultAndLongValuesAreReadCut) {
    sys->ForbidSheetRead = 1;
    Make("[System]\r\nSheetExt=ABCDEFGHIJKLMNOPQRST\r\n[NcTextView]\r\nWeightTimeM=12345\r\n");
    EXPECT_FALSE(page->Ctl<QCheckBox>(1068)->isChecked());
    EXPECT_EQ(page->Ctl<QLineEdit>(1066)->text(), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(page->Ctl<QSpinBox>(1018)->maximum(), 9999);
    sheet->accept();
    EXPECT_EQ(Value(Ini(), "System", "CreateBackupFile"), "0");
    EXPECT_EQ(Value(Ini(), "System", "SheetExt"), "ABCDEFGHIJKLMNO");
}

TEST_F(SystemPage4, PathsAreShownRelativeAndStoredWithThePlaceholderKeepingTheirCase) {
    // A configuration folder below the local application-data folder.
    const fs::path local = dir.path() / "local";
    config = local / "MixedCase" / "Conf";
    fs::create_directories(config);
    paths.SetConfigFolder(config.string());
    Make(
        "[NcRead]\r\nFileName=<LOCAL_APP_NAME>/MixedCase/Conf/Laser.NMD\r\n"
        "PunchTool_SpcialFolder=TOOL\\Special\\\r\n");
    EXPECT_EQ(page->Ctl<QLineEdit>(1057)->text(), "Laser.NMD");
    EXPECT_EQ(page->Ctl<QLineEdit>(1062)->text(), "TOOL/Special/");
    sheet->accept();
    EXPECT_EQ(Value(Ini(), "NcRead", "FileName"), "<LOCAL_APP_NAME>/MixedCase/Conf/Laser.NMD");
    EXPECT_EQ(Value(Ini(), "NcRead", "PunchTool_SpcialFolder"),
              "<LOCAL_APP_NAME>/MixedCase/Conf/TOOL/Special/");
}

TEST_F(SystemPage4, AnEmptyPathIsStoredEmptyAndAFolderOutsideStaysAbsolute) {
    Make("[NcRead]\r\nPunchTool_SpcialFolder=/srv/dies/\r\n");
    EXPECT_EQ(page->Ctl<QLineEdit>(1062)->text(), "/srv/dies/");
    page->Ctl<QLineEdit>(1063)->setText("");
    sheet->accept();
    EXPECT_EQ(Value(Ini(), "NcRead", "PunchTool_SpcialFolder"), "/srv/dies/");
    EXPECT_EQ(Value(Ini(), "System", "SheetProgram"), "");
}

TEST_F(SystemPage4, BrowsesTheDieFolderFromItsAbsoluteForm) {
    Make("");
    fs::create_directories(config / "Shapes");
    choose.folders = {(config / "Shapes").string(), std::string("/srv/dies")};
    page->Ctl<QPushButton>(1064)->click();
    ASSERT_EQ(choose.asked.size(), 1u);
    EXPECT_EQ(choose.asked[0].kind, "folder");
    EXPECT_EQ(choose.asked[0].start, (config / "TOOL").string() + "/");
    EXPECT_EQ(choose.asked[0].title, "Folder");
    EXPECT_EQ(page->Ctl<QLineEdit>(1062)->text(), "Shapes/");
    page->Ctl<QPushButton>(1064)->click();
    EXPECT_EQ(page->Ctl<QLineEdit>(1062)->text(), "/srv/dies/");
}

TEST_F(SystemPage4, BrowsesTheSheetProgramWithoutAddingAnExtension) {
    Make("");
    choose.files = {std::string("/usr/bin/okular")};
    page->Ctl<QPushButton>(1065)->click();
    ASSERT_EQ(choose.asked.size(), 1u);
    EXPECT_TRUE(choose.asked[0].file.defaultExtension.empty());
    EXPECT_TRUE(choose.asked[0].file.mustExist);
    EXPECT_EQ(choose.asked[0].file.filter.rfind("Programs (*)|*|", 0), 0u);
    EXPECT_EQ(page->Ctl<QLineEdit>(1063)->text(), "/usr/bin/okular");
}

TEST_F(SystemPage4, TheExtensionTableReadsToTheFirstEmptyExtAndWritesItsEndMark) {
    Make(kTable);
    ASSERT_EQ(page->List()->topLevelItemCount(), 3);
    EXPECT_EQ(page->List()->topLevelItem(1)->text(0), " ");
    EXPECT_EQ(page->List()->topLevelItem(2)->text(1), "/abs/punch.nmd");
    Select({1});
    page->OnDeleteExtMachine();
    EXPECT_EQ(page->SelectedRow(), 1);
    sheet->accept();
    const std::string text = ReadAll(Ini());
    EXPECT_NE(text.find("[ExtMachine01]\r\nExt=\"PNC\"\r\nMachine=\"/abs/punch.nmd\"\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[ExtMachine02]\r\nExt=\r\nMachine=\"/abs/punch.nmd\"\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[ExtMachine03]\r\nMachine=\"stale.nmd\"\r\n"), std::string::npos);
    // Read back by a new page.
    CSetSystemSheet again(ctx);
    auto* p = static_cast<CSetSystemPage4*>(again.Page(4));
    EXPECT_EQ(p->Extensions, (std::vector<std::string>{"NC", "PNC"}));
    EXPECT_EQ(p->MachineFiles, (std::vector<std::string>{"laser.nmd", "/abs/punch.nmd"}));
}

TEST_F(SystemPage4, AnEmptyFirstExtensionHidesTheTable) {
    Make("[ExtMachine00]\r\nExt=\r\n[ExtMachine01]\r\nExt=\"NC\"\r\nMachine=\"a.nmd\"\r\n");
    EXPECT_EQ(page->List()->topLevelItemCount(), 0);
}

TEST_F(SystemPage4, AddChangeAndDeleteRows) {
    Make(kTable);
    // Add with an empty extension: held as a blank, shown blank, edited empty.
    {
        ModalScriptGuard guard([](QDialog& d) {
            return Answer(d, {{{1043, ""}, {1044, "LASER2"}}});
        });
        page->OnAddExtMachine();
    }
    ASSERT_EQ(page->Extensions.size(), 4u);
    EXPECT_EQ(page->Extensions[3], " ");
    EXPECT_EQ(page->MachineFiles[3], "LASER2.nmd");
    EXPECT_EQ(page->SelectedRow(), 3);
    QString shownExt;
    {
        ModalScriptGuard guard([&](QDialog& d) {
            shownExt = Control<QLineEdit>(&d, 1043)->text();
            return Answer(d, {{{1043, "TXT"}}});
        });
        page->OnEditExtMachine();
    }
    EXPECT_EQ(shownExt, "");
    EXPECT_EQ(page->Extensions[3], "TXT");
    EXPECT_EQ(page->List()->topLevelItem(3)->text(0), "TXT");
    // Deleting rows 1 and 2 of 0 to 3 selects the former row 3, now row 1.
    Select({1, 2});
    page->OnDeleteExtMachine();
    EXPECT_EQ(page->Extensions, (std::vector<std::string>{"NC", "TXT"}));
    EXPECT_EQ(page->SelectedRow(), 1);
    // Deleting the last two leaves no selection.
    Select({0, 1});
    page->OnDeleteExtMachine();
    EXPECT_EQ(page->List()->topLevelItemCount(), 0);
    EXPECT_EQ(page->SelectedRow(), -1);
    sheet->accept();
    EXPECT_EQ(Value(Ini(), "ExtMachine00", "Ext"), "");
}

TEST_F(SystemPage4, AddedBlankExtensionIsStoredQuoted) {
    Make("");
    ModalScriptGuard guard([](QDialog& d) { return Answer(d, {{{1044, "A.nmd"}}}); });
    page->OnAddExtMachine();
    sheet->accept();
    EXPECT_NE(ReadAll(Ini()).find("[ExtMachine00]\r\nExt=\" \"\r\nMachine=\"A.nmd\"\r\n"),
              std::string::npos);
    EXPECT_EQ(Value(Ini(), "ExtMachine00", "Ext"), " ");
}

TEST_F(SystemPage4, AddedJapaneseRowsAreStoredInCp932AndComeBackAsTyped) {
    Make("");
    {
        ModalScriptGuard guard([](QDialog& d) {
            return Answer(
                d, {{{1043, QString::fromUtf8("テスト")}, {1044, QString::fromUtf8("機械")}}});
        });
        page->OnAddExtMachine();
    }
    EXPECT_EQ(page->List()->topLevelItem(0)->text(0), QString::fromUtf8("テスト"));
    EXPECT_EQ(page->List()->topLevelItem(0)->text(1), QString::fromUtf8("機械.nmd"));
    sheet->accept();
    EXPECT_NE(ReadAll(Ini()).find("[ExtMachine00]\r\nExt=\"" + Cp932("テスト") +
                                  "\"\r\nMachine=\"" + Cp932("機械.nmd") + "\"\r\n"),
              std::string::npos);
    CSetSystemSheet again(ctx);
    auto* p = static_cast<CSetSystemPage4*>(again.Page(4));
    ASSERT_EQ(p->List()->topLevelItemCount(), 1);
    EXPECT_EQ(p->List()->topLevelItem(0)->text(0), QString::fromUtf8("テスト"));
    EXPECT_EQ(p->List()->topLevelItem(0)->text(1), QString::fromUtf8("機械.nmd"));
}

TEST_F(SystemPage4, StoredRowsShowAsTheirCp932TextAndAnEarlierUtf8RowIsMended) {
    struct Case {
        const char* name;
        std::string ext, machine;             // as stored
        const char *shownExt, *shownMachine;  // in the list and in the pair editor
        std::string writtenExt, writtenMachine;
    };
    const Case cases[] = {
        {"CP932 rows of the original files", Cp932("テスト"), Cp932("機械.nmd"), "テスト",
         "機械.nmd", Cp932("テスト"), Cp932("機械.nmd")},
        {"CP932 whose bytes also read as UTF-8 is CP932", Cp932("ﾃｽ"), "a.nmd", "ﾃｽ", "a.nmd",
         Cp932("ﾃｽ"), "a.nmd"},
        {"UTF-8 that is no CP932 text is what an earlier version wrote", "テスト", "b.nmd",
         "テスト", "b.nmd", Cp932("テスト"), "b.nmd"},
        {"UTF-8 that reads as CP932 text is CP932, byte for byte", "NC", "機械.nmd", "NC",
         "讖滓｢ｰ.nmd", "NC", "機械.nmd"},
        {"bytes that are no text keep their bytes", "\x80X", "c.nmd", "\xEF\x9E\x80X", "c.nmd",
         "\x80X", "c.nmd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Make("[ExtMachine00]\r\nExt=\"" + c.ext + "\"\r\nMachine=\"" + c.machine + "\"\r\n");
        ASSERT_EQ(page->List()->topLevelItemCount(), 1);
        EXPECT_EQ(page->List()->topLevelItem(0)->text(0), QString::fromUtf8(c.shownExt));
        EXPECT_EQ(page->List()->topLevelItem(0)->text(1), QString::fromUtf8(c.shownMachine));
        Select({0});
        QString editorExt, editorMachine;
        {
            ModalScriptGuard guard([&](QDialog& d) {
                editorExt = Control<QLineEdit>(&d, 1043)->text();
                editorMachine = Control<QLineEdit>(&d, 1044)->text();
                return Answer(d, {{}, 1});  // OK, nothing changed
            });
            page->OnEditExtMachine();
        }
        EXPECT_EQ(editorExt, QString::fromUtf8(c.shownExt));
        EXPECT_EQ(editorMachine, QString::fromUtf8(c.shownMachine));
        sheet->accept();
        EXPECT_NE(ReadAll(Ini()).find("[ExtMachine00]\r\nExt=\"" + c.writtenExt +
                                      "\"\r\nMachine=\"" + c.writtenMachine + "\"\r\n"),
                  std::string::npos);
    }
}

TEST_F(SystemPage4, EveryControlReachesItsKeyAndTheNextOpening) {
    enum class Kind { Check, Spin, Width };
    struct Case {
        Kind kind;
        int id;  // control, or list column
        const char *section, *key;
        int def, changed;
    };
    const Case cases[] = {
        {Kind::Check, 1059, "System", "ForbidDuplicateApp", 0, 1},
        {Kind::Check, 1067, "System", "DeleteBlankForSave", 0, 1},
        {Kind::Check, 1068, "System", "CreateBackupFile", 1, 0},
        {Kind::Check, 1060, "Trace", "ManyEveryPart", 0, 1},
        {Kind::Check, 1061, "Trace", "TraceOnlyStartEndStop", 0, 1},
        {Kind::Spin, 1017, "NcTextView", "WeightTimeH", 0, 9999},
        {Kind::Spin, 1018, "NcTextView", "WeightTimeM", 5, 0},
        {Kind::Spin, 1019, "NcTextView", "WeightTimeL", 40, 77},
        {Kind::Width, 0, "SetSystem4", "LV_ColumnWidth0", 100, 61},
        {Kind::Width, 1, "SetSystem4", "LV_ColumnWidth1", 250, 333},
    };
    auto shown = [](CSetSystemPage4* p, const Case& c) {
        switch (c.kind) {
            case Kind::Check:
                return int(p->Ctl<QCheckBox>(c.id)->isChecked());
            case Kind::Spin:
                return p->Ctl<QSpinBox>(c.id)->value();
            case Kind::Width:
                return p->List()->columnWidth(c.id);
        }
        return -1;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        Make("");
        sheet->show();
        switch (c.kind) {
            case Kind::Check:
                page->Ctl<QCheckBox>(c.id)->click();
                break;
            case Kind::Spin: {
                QSpinBox* box = page->Ctl<QSpinBox>(c.id);
                box->selectAll();
                QTest::keyClicks(box, QString::number(c.changed));
                break;
            }
            case Kind::Width:
                page->List()->header()->resizeSection(c.id, c.changed);
                break;
        }
        EXPECT_EQ(shown(page, c), c.changed);
        sheet->accept();
        ASSERT_EQ(sheet->result(), QDialog::Accepted);
        // Its own key took the change, every other one its default.
        for (const Case& other : cases)
            EXPECT_EQ(Value(Ini(), other.section, other.key),
                      std::to_string(&other == &c ? c.changed : other.def))
                << other.key;
        CSetSystemSheet again(ctx);
        EXPECT_EQ(shown(static_cast<CSetSystemPage4*>(again.Page(4)), c), c.changed);
        sheet.reset();
    }
}

}  // namespace
