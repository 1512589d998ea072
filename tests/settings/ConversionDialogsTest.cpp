// The conversion-table dialogs on a temporary table folder with mixed-case file names: the list
// and its commands, the name dialog's rules and failures, the rows dialog, the row dialog.
#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <cerrno>

#include "SettingsFixture.h"
#include "nc/machine/CNcReplaceInfo.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"
#include "settings/CSetReplaceDataDlg.h"
#include "settings/CSetReplaceDataEditDlg.h"
#include "settings/CSetReplaceDlg.h"
#include "settings/CSetReplaceEditDlg.h"
#include "settings/CUpDown.h"
#include "settings/ListRows.h"
#include "settings/ReplaceTableRules.h"
#include "settings/SettingsMessages.h"

using namespace settings_test;
namespace fs = std::filesystem;

namespace {

std::string TableText(const std::string& comment, const std::string& rows, int confirm = 0,
                      int deleteCtb = 0) {
    return "*VER=1.0\r\n*DATA\r\n\x83\x52\x83\x81\x83\x93\x83\x67=" + comment +
           "\r\nCTB\x8B\x4C\x8F\x71\x8D\x73\x8D\xED\x8F\x9C=" + std::to_string(deleteCtb) +
           "\r\n\x92\x75\x8A\xB7\x8F\x88\x97\x9D\x8E\x9E\x8A\x6D\x94\x46\x83\x81\x83\x62\x83\x5A"
           "\x81\x5B\x83\x57=" +
           std::to_string(confirm) + "\r\n*REPLACE_DATA\r\n" + rows;
}

class ConversionDialogs : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        ctx.Nc = &nc;
        WriteAll(config / "Alpha.CTB", TableText("first", "\"A\",\"B\",\"1\",\"1\"\r\n"));
        WriteAll(config / "beta.ctb", TableText("second", ""));
        WriteAll(config / "Gamma.Ctb", TableText("third", ""));
    }
    std::unique_ptr<CSetReplaceDlg> OpenList() {
        auto dlg = std::make_unique<CSetReplaceDlg>(ctx);
        ModalScriptGuard guard([](QDialog& d) { return d.result(); });  // set up, not shown
        dlg->Run();
        return dlg;
    }
    // A script answering the name dialog, then (for New) the rows dialog.
    static int NameAnswer(QDialog& d, const QString& name, const QString& comment, int button = 1) {
        return Answer(d, {{{1133, name}, {1134, comment}}, button});
    }
    std::vector<std::string> Files() {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(config))
            if (e.path().extension() != ".ini") names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ConversionDialogs, ListsTheTablesWithTheirComments) {
    auto dlg = OpenList();
    EXPECT_EQ(dlg->Names(), (std::vector<std::string>{"Alpha", "beta", "Gamma"}));
    ASSERT_EQ(dlg->List()->topLevelItemCount(), 3);
    EXPECT_EQ(dlg->List()->topLevelItem(1)->text(1), "second");
    EXPECT_EQ(dlg->CurrentRow(), 0);
    EXPECT_EQ(dlg->List()->columnWidth(0), 150);
    EXPECT_TRUE(dlg->Ctl<QPushButton>(1131)->isEnabled());
    EXPECT_EQ(dlg->Ctl<QToolButton>(1127)->toolTip(), "Edit Name/Comment");
    EXPECT_EQ(dlg->Ctl<QToolButton>(1130)->toolTip(), "New");
    EXPECT_EQ(dlg->Ctl<QToolButton>(1128)->toolTip(), "Delete");
    ctx.EditMode = 1;
    auto editing = OpenList();
    EXPECT_FALSE(editing->Ctl<QPushButton>(1131)->isEnabled());
}

TEST_F(ConversionDialogs, NewTableWithARowAndItsCancel) {
    auto dlg = OpenList();
    int step = 0;
    {
        ModalScriptGuard guard([&](QDialog& d) {
            if (step++ == 0) {
                EXPECT_EQ(d.windowTitle(), "Property of conversion-New");
                return NameAnswer(d, " delta.ctb", "4th");
            }
            // The rows dialog of the new table: add a row, then OK.
            auto* rows = qobject_cast<CSetReplaceDataDlg*>(&d);
            EXPECT_NE(rows, nullptr);
            ModalScriptGuard inner([](QDialog& r) {
                return Answer(r, {{{1134, "G01"}, {1135, "G1"}, {1136, "2"}, {1137, "3"}}});
            });
            rows->OnAddRow();
            Control<QCheckBox>(&d, 1133)->setChecked(true);
            return Answer(d, {});
        });
        dlg->OnNew();
    }
    EXPECT_EQ(dlg->Names().back(), "delta");
    EXPECT_EQ(dlg->CurrentRow(), 3);
    CNcReplaceInfo table(nc);
    ASSERT_EQ(table.ReadTable("delta"), 1);
    EXPECT_EQ(table.BeforeTexts, (std::vector<std::string>{"G01"}));
    EXPECT_EQ(table.StartLines, (std::vector<unsigned>{2}));
    EXPECT_EQ(table.EndLines, (std::vector<unsigned>{3}));
    EXPECT_EQ(table.ConfirmOnReplace, 1);
    // New, then Cancel in the rows dialog: the empty table stays, in the folder and the list.
    step = 0;
    {
        ModalScriptGuard guard([&](QDialog& d) {
            if (step++ == 0) return NameAnswer(d, "Eps", "");
            return Answer(d, {{}, 2});
        });
        dlg->OnNew();
    }
    EXPECT_EQ(dlg->Names().back(), "Eps");
    EXPECT_TRUE(fs::exists(config / "Eps.CTB"));
}

TEST_F(ConversionDialogs, NamesAlreadyTakenOrInvalidAreRefused) {
    auto dlg = OpenList();
    WriteAll(config / "ZETA.ctb", TableText("made later", ""));  // on disk, not in the list
    const std::pair<const char*, unsigned> refused[] = {
        {"ALPHA", 61588},   {"alpha.CTB", 61588}, {"Zeta", 61588}, {".CTB", 61598},
        {".hidden", 61608}, {"a?b", 61608},       {"a:b", 61608},  {"", 61598},
    };
    for (const auto& [name, message] : refused) {
        prompt.asked.clear();
        ModalScriptGuard guard([&](QDialog& d) {
            NameAnswer(d, QString::fromUtf8(name), "x");
            EXPECT_EQ(d.result(), 0) << name;
            return Answer(d, {{}, 2});
        });
        dlg->OnNew();
        ASSERT_EQ(prompt.asked.size(), 1u) << name;
        EXPECT_EQ(prompt.asked[0].text,
                  FillPlaceholders(platform::LoadString(message), {CheckTableName(name).name}))
            << name;
    }
    EXPECT_EQ(Files(),
              (std::vector<std::string>{"Alpha.CTB", "Gamma.Ctb", "ZETA.ctb", "beta.ctb"}));
    EXPECT_EQ(ReadAll(config / "ZETA.ctb"), TableText("made later", ""));
}

TEST_F(ConversionDialogs, RenameNewCommentAndACaseOnlyRename) {
    auto dlg = OpenList();
    MarkRow(dlg->List(), 1);  // beta
    {
        ModalScriptGuard guard([](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Property of conversion-Edit");
            EXPECT_EQ(Control<QLineEdit>(&d, 1133)->text(), "beta");
            EXPECT_EQ(Control<QLineEdit>(&d, 1134)->text(), "second");
            return NameAnswer(d, "beta", QString::fromUtf8("二番"));
        });
        dlg->OnEditNameComment();
    }
    CNcReplaceInfo check(nc);
    check.ListTables();
    EXPECT_EQ(check.TableComments[1], platform::Utf8ToCp932("二番").bytes);
    EXPECT_EQ(dlg->List()->topLevelItem(1)->text(1), QString::fromUtf8("二番"));
    // Only the letter case changes: the same table.
    {
        ModalScriptGuard guard([](QDialog& d) { return NameAnswer(d, "BETA", "2"); });
        dlg->OnEditNameComment();
    }
    EXPECT_EQ(dlg->Names()[1], "BETA");
    EXPECT_EQ(Files(), (std::vector<std::string>{"Alpha.CTB", "BETA.CTB", "Gamma.Ctb"}));
    // Another table's name is refused.
    {
        ModalScriptGuard guard([](QDialog& d) {
            NameAnswer(d, "gamma", "2");
            return Answer(d, {{}, 2});
        });
        dlg->OnEditNameComment();
    }
    EXPECT_EQ(prompt.asked.back().text, "[gamma} same file name already exist");
    EXPECT_EQ(Files(), (std::vector<std::string>{"Alpha.CTB", "BETA.CTB", "Gamma.Ctb"}));
}

TEST_F(ConversionDialogs, ATableRemovedBehindTheDialog) {
    auto dlg = OpenList();
    fs::remove(config / "beta.ctb");
    // Edit name: 61604 and the row goes.
    MarkRow(dlg->List(), 1);
    dlg->OnEditNameComment();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].text.find("[beta.CTB]"), std::string::npos);
    EXPECT_EQ(dlg->Names(), (std::vector<std::string>{"Alpha", "Gamma"}));
    // Open the rows: -2 without being shown, the row goes.
    fs::remove(config / "Gamma.Ctb");
    MarkRow(dlg->List(), 1);
    int shown = 0;
    ModalScriptGuard guard([&](QDialog& d) {
        ++shown;
        return d.result();
    });
    dlg->OnOpenRows();
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(dlg->Names(), (std::vector<std::string>{"Alpha"}));
}

TEST_F(ConversionDialogs, DeleteAsksAndAFailureRebuildsTheList) {
    auto dlg = OpenList();
    MarkRow(dlg->List(), 1);
    prompt.answers = {platform::PromptAnswer::No};
    dlg->OnDelete();
    EXPECT_TRUE(fs::exists(config / "beta.ctb"));
    EXPECT_EQ(prompt.asked[0].text, "Do you want to delete [beta]?");
    EXPECT_EQ(prompt.asked[0].buttons, platform::PromptButtons::YesNo);
    dlg->OnDelete();  // Yes
    EXPECT_FALSE(fs::exists(config / "beta.ctb"));
    EXPECT_EQ(dlg->Names(), (std::vector<std::string>{"Alpha", "Gamma"}));
    EXPECT_EQ(dlg->CurrentRow(), 1);  // the row now at that place
    dlg->OnDelete();                  // the last row: the one before gets the mark
    EXPECT_EQ(dlg->CurrentRow(), 0);
    // A table removed behind the dialog cannot be deleted: 61589, then the list is read again.
    WriteAll(config / "New.CTB", TableText("", ""));
    fs::remove(config / "Alpha.CTB");
    prompt.asked.clear();
    dlg->OnDelete();
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_NE(prompt.asked[1].text.find((config / "Alpha.CTB").string()), std::string::npos);
    EXPECT_EQ(dlg->Names(), (std::vector<std::string>{"New"}));
}

TEST_F(ConversionDialogs, AReadOnlyFolderFailsTheCreate) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
    auto dlg = OpenList();
    fs::permissions(config, fs::perms::owner_read | fs::perms::owner_exec);
    ModalScriptGuard guard([](QDialog& d) {
        NameAnswer(d, "New", "");
        return Answer(d, {{}, 2});
    });
    dlg->OnNew();
    fs::permissions(config, fs::perms::owner_all);
    EXPECT_NE(prompt.asked.back().text.find((config / "New").string()), std::string::npos);
}

class RowsDialog : public ConversionDialogs {
protected:
    void SetUp() override {
        ConversionDialogs::SetUp();
        WriteAll(config / "Rows.CTB",
                 TableText("rows",
                           "\"A\",\"a\",\"1\",\"1\"\r\n\"B\",\"b\",\"2\",\"3\"\r\n"
                           "\"C\",\"c\",\"4\",\"5\"\r\n",
                           1, 0));
    }
    std::unique_ptr<CSetReplaceDataDlg> Open() {
        auto dlg = std::make_unique<CSetReplaceDataDlg>(ctx, "Rows", "rows");
        ModalScriptGuard guard([](QDialog& d) { return d.result(); });
        EXPECT_EQ(dlg->Run(), 0);
        return dlg;
    }
    std::vector<std::string> Finds(const CSetReplaceDataDlg& dlg) {
        std::vector<std::string> f;
        for (const auto& r : dlg.Rows()) f.push_back(r.find);
        return f;
    }
};

TEST_F(RowsDialog, CommandsAndMarks) {
    struct Case {
        const char* name;
        int mark;  // the row marked first
        std::function<void(CSetReplaceDataDlg&)> command;
        std::vector<std::string> finds;
        int markAfter;
    };
    const std::vector<Case> cases = {
        {"delete a middle row", 1, [](auto& d) { d.OnDeleteRow(); }, {"A", "C"}, 1},
        {"delete the last row marks the one above",
         2,
         [](auto& d) { d.OnDeleteRow(); },
         {"A", "B"},
         1},
        {"up", 1, [](auto& d) { d.OnMoveUp(); }, {"B", "A", "C"}, 0},
        {"up at the top", 0, [](auto& d) { d.OnMoveUp(); }, {"A", "B", "C"}, 0},
        {"down", 1, [](auto& d) { d.OnMoveDown(); }, {"A", "C", "B"}, 2},
        {"down at the bottom", 2, [](auto& d) { d.OnMoveDown(); }, {"A", "B", "C"}, 2},
        {"the Delete key",
         0,
         [](auto& d) { QTest::keyClick(d.List(), Qt::Key_Delete); },
         {"B", "C"},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto dlg = Open();
        MarkRow(dlg->List(), c.mark);
        c.command(*dlg);
        EXPECT_EQ(Finds(*dlg), c.finds);
        EXPECT_EQ(dlg->CurrentRow(), c.markAfter);
        ASSERT_EQ(dlg->List()->topLevelItemCount(), int(c.finds.size()));
        for (size_t i = 0; i < c.finds.size(); ++i)
            EXPECT_EQ(dlg->List()->topLevelItem(int(i))->text(0).toStdString(), c.finds[i]);
    }
    // Deleting the only row leaves no mark.
    WriteAll(config / "Rows.CTB", TableText("rows", "\"A\",\"a\",\"1\",\"1\"\r\n"));
    auto dlg = Open();
    dlg->OnDeleteRow();
    EXPECT_EQ(dlg->CurrentRow(), -1);
}

TEST_F(RowsDialog, EditAddAndOkReadBack) {
    auto dlg = Open();
    EXPECT_TRUE(dlg->Ctl<QCheckBox>(1133)->isChecked());
    EXPECT_FALSE(dlg->Ctl<QCheckBox>(1131)->isChecked());
    EXPECT_EQ(dlg->List()->topLevelItem(1)->text(2), "2");
    EXPECT_EQ(dlg->Ctl<QToolButton>(1042)->toolTip(), "Up");
    MarkRow(dlg->List(), 1);
    {
        ModalScriptGuard guard([](QDialog& d) {
            EXPECT_EQ(Control<QLineEdit>(&d, 1134)->text(), "B");
            EXPECT_EQ(Control<QLineEdit>(&d, 1137)->text(), "3");
            return Answer(d, {{{1135, QString::fromUtf8("穴:X")}, {1137, "0"}}});
        });
        dlg->OnEditRow();
    }
    {
        ModalScriptGuard guard([](QDialog& d) {
            EXPECT_EQ(Control<QLineEdit>(&d, 1136)->text(), "1");
            return Answer(d, {{{1134, "D"}}});
        });
        dlg->OnAddRow();
    }
    EXPECT_EQ(dlg->CurrentRow(), 1);  // adding keeps the mark
    dlg->Ctl<QCheckBox>(1131)->setChecked(true);
    dlg->Ctl<QCheckBox>(1133)->setChecked(false);
    ModalScriptGuard guard([](QDialog& d) { return Answer(d, {}); });
    dlg->Ctl<QPushButton>(1)->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    CNcReplaceInfo table(nc);
    ASSERT_EQ(table.ReadTable("Rows"), 1);
    EXPECT_EQ(table.BeforeTexts, (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(table.AfterTexts[1], platform::Utf8ToCp932("穴:X").bytes);
    EXPECT_EQ(table.StartLines, (std::vector<unsigned>{1, 2, 4, 1}));
    EXPECT_EQ(table.EndLines, (std::vector<unsigned>{1, 1, 5, 1}));
    EXPECT_EQ(table.DeleteCtbLines, 1);
    EXPECT_EQ(table.ConfirmOnReplace, 0);
    table.ListTables();
    EXPECT_NE(std::find(table.TableComments.begin(), table.TableComments.end(), "rows"),
              table.TableComments.end());
}

// The row dialog keeps numbers to five digits; a table written by hand can hold longer ones.
TEST_F(RowsDialog, ALongLineNumberWidensItsColumnInsteadOfBeingCut) {
    WriteAll(config / "Rows.CTB", TableText("rows",
                                            "\"A\",\"a\",\"4294967295\",\"5\"\r\n"
                                            "\"B\",\"b\",\"99999\",\"2\"\r\n"));
    auto dlg = Open();
    const QHeaderView* header = dlg->List()->header();
    const QFontMetrics metrics = dlg->List()->fontMetrics();
    EXPECT_GT(header->sectionSize(2), metrics.horizontalAdvance("4294967295"));
    EXPECT_EQ(header->sectionSize(3), 50);  // short numbers keep the narrow column
    EXPECT_GT(header->sectionSize(3), metrics.horizontalAdvance("99999"));
}

TEST_F(RowsDialog, CancelLeavesTheFileAndAGoneTableEndsWithMinusTwo) {
    const std::string before = ReadAll(config / "Rows.CTB");
    {
        auto dlg = Open();
        dlg->OnDeleteRow();
        dlg->Ctl<QPushButton>(2)->click();
        EXPECT_EQ(ReadAll(config / "Rows.CTB"), before);
    }
    // Gone before OK: -2 (SaveTable has said so).
    auto dlg = Open();
    fs::remove(config / "Rows.CTB");
    dlg->Ctl<QPushButton>(1)->click();
    EXPECT_EQ(dlg->result(), CSetReplaceDataDlg::kTableGone);
    EXPECT_FALSE(fs::exists(config / "Rows.CTB"));
    // Gone at set-up: -2 without being shown.
    CSetReplaceDataDlg missing(ctx, "Rows", "rows");
    int shown = 0;
    ModalScriptGuard guard([&](QDialog& d) {
        ++shown;
        return d.result();
    });
    EXPECT_EQ(missing.Run(), CSetReplaceDataDlg::kTableGone);
    EXPECT_EQ(shown, 0);
}

class RowDialog : public ConversionDialogs {};

TEST_F(RowDialog, LineNumbersAreNormalisedOnFocusOutStepsAndOk) {
    CSetReplaceDataEditDlg dlg(ctx);
    dlg.Find = "A";
    dlg.Start = "0";
    dlg.End = "123456";
    ModalScriptGuard guard([&](QDialog& d) {
        QLineEdit* start = Control<QLineEdit>(&d, 1136);
        QLineEdit* end = Control<QLineEdit>(&d, 1137);
        EXPECT_EQ(start->text(), "1");
        EXPECT_EQ(end->text(), "99999");
        Control<CUpDown>(&d, 1128)->Up()->click();
        EXPECT_EQ(end->text(), "99999");
        Control<CUpDown>(&d, 1128)->Down()->click();
        EXPECT_EQ(end->text(), "99998");
        Control<CUpDown>(&d, 1129)->Down()->click();
        EXPECT_EQ(start->text(), "1");
        start->setText("0");
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(start, &out);
        EXPECT_EQ(start->text(), "1");
        QTest::keyClick(start, Qt::Key_Up);
        EXPECT_EQ(start->text(), "2");
        // Enter straight after typing: OK normalises too.
        end->setText("0");
        return Answer(d, {});
    });
    EXPECT_EQ(dlg.Run(), QDialog::Accepted);
    EXPECT_EQ(dlg.Start, "2");
    EXPECT_EQ(dlg.End, "1");
}

TEST_F(RowDialog, FindTextRequiredAndLongTextsCutAtACharacterBoundary) {
    CSetReplaceDataEditDlg dlg(ctx);
    // 255 bytes of ASCII then a double-byte character: the cut at 256 would split it.
    dlg.Find = std::string(255, 'a') + "\x8C\x8A" + "bbb";
    dlg.Replace = std::string(300, 'r');
    ModalScriptGuard guard([](QDialog& d) {
        Control<QLineEdit>(&d, 1134)->setText("");
        Answer(d, {});
        EXPECT_EQ(d.result(), 0);
        return Answer(d, {{{1134, QString(255, 'a') + QChar(0x7A74)}}});
    });
    EXPECT_EQ(dlg.Run(), QDialog::Accepted);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Input the characters you want to find");
    EXPECT_EQ(dlg.Replace, std::string(256, 'r'));
    // What was typed back in is refused by the edit beyond 256 bytes; the cut one is kept.
    EXPECT_EQ(dlg.Find, std::string(255, 'a'));
}

}  // namespace

namespace {

// Puts the finished file of an atomic write nowhere: the rename fails as on a full disk.
class FailingRename {
public:
    FailingRename() : saved_(platform::CurrentDiskSyncCalls()) {
        platform::CurrentDiskSyncCalls().rename = [](const char*, const char*) {
            errno = EIO;
            return -1;
        };
    }
    ~FailingRename() { platform::CurrentDiskSyncCalls() = saved_; }

private:
    platform::DiskSyncCalls saved_;
};

TEST_F(ConversionDialogs, ACreateThatFailsSaysWhereAndWritesNothing) {
    auto dlg = OpenList();
    const std::string name = "New";
    FailingRename failing;
    ModalScriptGuard guard([&](QDialog& d) {
        NameAnswer(d, QString::fromStdString(name), "");
        EXPECT_EQ(d.result(), 0);
        return Answer(d, {{}, 2});
    });
    dlg->OnNew();
    ASSERT_FALSE(prompt.asked.empty());
    EXPECT_EQ(prompt.asked.back().text,
              FillPlaceholders(platform::LoadString(61586), {(config / name).string()}));
    EXPECT_EQ(dlg->Names().size(), 3u);
    EXPECT_EQ(Files().size(), 3u);
}

// The longest name a table can have (255 bytes with ".CTB") is created, and its comment changed.
TEST_F(ConversionDialogs, TheLongestNameIsCreatedAndItsCommentChanged) {
    auto dlg = OpenList();
    const std::string name(251, 'n');
    int step = 0;
    {
        ModalScriptGuard guard([&](QDialog& d) {
            if (step++ == 0) return NameAnswer(d, QString::fromStdString(name), "long");
            return Answer(d, {{}, 2});  // the rows dialog: the empty table stays
        });
        dlg->OnNew();
    }
    EXPECT_TRUE(prompt.asked.empty());
    ASSERT_EQ(dlg->Names().back(), name);
    EXPECT_TRUE(fs::is_regular_file(config / (name + ".CTB")));
    MarkRow(dlg->List(), int(dlg->Names().size()) - 1);
    {
        ModalScriptGuard guard(
            [&](QDialog& d) { return NameAnswer(d, QString::fromStdString(name), "longer"); });
        dlg->OnEditNameComment();
    }
    EXPECT_TRUE(prompt.asked.empty());
    CNcReplaceInfo check(nc);
    check.ReadComment(name + ".CTB");
    EXPECT_EQ(check.TableComments, (std::vector<std::string>{"longer"}));
    EXPECT_EQ(Files().size(), 4u);
}

// Only the comment of a read-only table is edited: the edit fails with the message that says
// which table, and the file, its mode and the list stay as they were.
TEST_F(ConversionDialogs, TheCommentOfAReadOnlyTableStaysAsItIs) {
    const fs::perms ro = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(config / "beta.ctb", ro);
    const std::string before = ReadAll(config / "beta.ctb");
    auto dlg = OpenList();
    MarkRow(dlg->List(), 1);
    {
        ModalScriptGuard guard([](QDialog& d) {
            NameAnswer(d, "beta", "changed");
            EXPECT_EQ(d.result(), 0);
            return Answer(d, {{}, 2});
        });
        dlg->OnEditNameComment();
    }
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text,
              FillPlaceholders(platform::LoadString(61587), {(config / "beta").string()}));
    EXPECT_EQ(ReadAll(config / "beta.ctb"), before);
    EXPECT_EQ(fs::status(config / "beta.ctb").permissions() & fs::perms::all, ro);
    EXPECT_EQ(Files(), (std::vector<std::string>{"Alpha.CTB", "Gamma.Ctb", "beta.ctb"}));
    EXPECT_EQ(dlg->List()->topLevelItem(1)->text(1), "second");
}

}  // namespace
