// The die list and the die edit dialogs under CPunchTool::EditPossessedDies and ShowDieDialog.
#include <gtest/gtest.h>

#include <set>

#include "DieDialogFixture.h"
#include "nc/machine/DieTestSupport.h"

using namespace die_test;
using platform::PromptAnswer;

namespace {

constexpr unsigned kList = 1324;
constexpr unsigned kAdd = 32856, kChange = 32855, kDelete = 32857;
constexpr unsigned kAllButton = 1490, kAutoButton = 1491;

class DieList : public DieDialogFixture {};

// A new machine: dies made with the dialog, the question answered, the file written and read
// back.
TEST_F(DieList, AddChangeDeleteWriteAndReadBack) {
    tool->PossessedToolFileName = "pch.dat";
    scripts.Add(1537, [](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), "Punch select  -  Round");
        EXPECT_EQ(RowCount(d, kList), 0);
        EXPECT_EQ(Text(d, 1359), "[pch.dat]");
        EXPECT_TRUE(C<QWidget>(d, kAutoButton)->isHidden());
        Click(d, kAdd);  // a round die, number 1
        Click(d, kAdd);  // with the round die as model: a square one, number 2
        Click(d, kAllButton);
        EXPECT_EQ(d->windowTitle(), "Punch select  -  All punches");
        ASSERT_EQ(RowCount(d, kList), 2);
        SelectRow(d, kList, 1);
        Click(d, kChange);  // the square die becomes number 7
        SelectRow(d, kList, 0);
        Click(d, kAdd);  // a third, deleted again
        ASSERT_EQ(RowCount(d, kList), 3);
        const int third = SelectedRowOf(d, kList);
        EXPECT_TRUE(RowText(d, kList, third).startsWith("    2"));
        Click(d, kDelete);
        EXPECT_EQ(RowCount(d, kList), 2);
        Click(d, DBID_OK);
    });
    scripts.Add(1538, [](QWidget* d) {
        EXPECT_EQ(Text(d, 1373), "1");
        EXPECT_EQ(C<QComboBox>(d, 1361)->currentIndex(), 0);  // the filter's shape
        Type(d, 1370, "10");
        Click(d, 1391);
        Click(d, DBID_OK);
    });
    scripts.Add(1538, [](QWidget* d) {
        EXPECT_EQ(Text(d, 1373), "2");
        EXPECT_EQ(C<QAbstractButton>(d, 1391)->isChecked(), true);  // from the model
        Choose(d, 1361, 1);
        Type(d, 1370, "20");
        Choose(d, 1376, 2);
        Click(d, DBID_OK);
    });
    scripts.Add(1546, [](QWidget* d) {
        EXPECT_EQ(Text(d, 1373), "2");
        Type(d, 1373, "7");
        Type(d, 1375, "45");
        Click(d, DBID_OK);
    });
    scripts.Add(1538, [](QWidget* d) { Click(d, DBID_OK); });

    tool->EditPossessedDies();
    ASSERT_TRUE(Asked("Update punch file pch.dat"));
    CPunchTool back(&nc);
    back.PossessedToolFileName = "pch.dat";
    ASSERT_EQ(back.ReadWritePossessed(1), 0);
    ASSERT_EQ(back.Header.DieCount, 2);
    const DieRecord* round = back.FindDie(1);
    const DieRecord* square = back.FindDie(7);
    ASSERT_TRUE(round && square);
    EXPECT_EQ(round->Shape, 1);
    EXPECT_EQ(round->SizeX, 10.0);
    EXPECT_EQ(round->Usage, 1);
    EXPECT_EQ(square->Shape, 2);
    EXPECT_EQ(square->Range, 3);
    EXPECT_EQ(square->SizeX, 20.0);
    EXPECT_EQ(square->SizeY, 20.0);  // size X taken for a square
    EXPECT_EQ(square->Angle, 45.0);
    EXPECT_EQ(square->Rotation, 0);
}

TEST_F(DieList, CancelledEditChangesNothingAndAsksNothing) {
    LoadDies();
    const std::vector<DieRecord> before = tool->Dies;
    scripts.Add(1537, [](QWidget* d) {
        Click(d, kAllButton);
        SelectRow(d, kList, 0);
        Click(d, kChange);
        Click(d, DBID_CANCEL);
    });
    scripts.Add(1546, [](QWidget* d) {
        Type(d, 1370, "99");
        Click(d, DBID_CANCEL);
    });
    tool->EditPossessedDies();
    EXPECT_EQ(tool->Dies, before);
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(DieList, FullTableRefusesAddBeforeTheDialog) {
    for (int filled : {kMaxDies, kMaxDies - 1}) {
        for (int i = 0; i < kMaxDies; ++i) tool->Dies[size_t(i)] = DieRecord{};
        for (int i = 0; i < filled; ++i) {
            tool->Dies[size_t(i)].Number = int16_t(i + 1);
            tool->Dies[size_t(i)].Range = 1;
            tool->Dies[size_t(i)].Shape = 1;
        }
        tool->Header.DieCount = filled;
        prompt.asked.clear();
        prompt.answers = {PromptAnswer::No};  // 61526 after an add: do not write
        scripts.opened.clear();
        scripts.Add(1537, [](QWidget* d) {
            Click(d, kAdd);
            Click(d, DBID_OK);
        });
        if (filled < kMaxDies) scripts.Add(1538, [](QWidget* d) { Click(d, DBID_OK); });
        tool->EditPossessedDies();
        if (filled == kMaxDies) {
            EXPECT_EQ(scripts.opened, std::vector<int>{1537});
            ASSERT_FALSE(prompt.asked.empty());
            EXPECT_EQ(prompt.asked[0].text,
                      "The punch table is full (2000 punches): no punch can be added.");
            EXPECT_EQ(tool->Header.DieCount, kMaxDies);
        } else {
            EXPECT_EQ(scripts.opened, (std::vector<int>{1537, 1538}));
            EXPECT_EQ(tool->Header.DieCount, kMaxDies);
            EXPECT_NE(tool->FindDie(kMaxDies), nullptr);  // the free number
        }
    }
}

TEST_F(DieList, NumberChecksAtOK) {
    LoadDies();  // dies 10, 3, 25, 7
    scripts.Add(1537, [](QWidget* d) {
        Click(d, kAllButton);
        SelectRow(d, kList, 0);
        Click(d, kChange);
        Click(d, DBID_OK);
    });
    scripts.Add(1546, [this](QWidget* d) {
        const QString own = Text(d, 1373);
        Type(d, 1373, "3");  // another die's number
        Click(d, DBID_OK);
        EXPECT_TRUE(AskedId(kMsgDieNumberTaken));
        EXPECT_EQ(prompt.asked.back().caption, "Error");
        EXPECT_EQ(prompt.asked.back().icon, platform::PromptIcon::Error);
        for (const char* bad : {"70000", "0", "-5", "abc"}) {
            const size_t asked = prompt.asked.size();
            Type(d, 1373, bad);
            Click(d, DBID_OK);
            ASSERT_EQ(prompt.asked.size(), asked + 1) << bad;
            EXPECT_EQ(prompt.asked.back().text, platform::LoadString(kMsgDieNumberRange)) << bad;
        }
        const size_t asked = prompt.asked.size();
        Type(d, 1373, own);  // its own number passes
        Click(d, DBID_OK);
        EXPECT_EQ(prompt.asked.size(), asked);
    });
    tool->EditPossessedDies();
}

// A die file of 2005 dies numbered from 2005 down: the table holds 2005 to 6, and dies 1 to 5
// stay beyond it with their numbers. Change and Add refuse one of those numbers as they refuse
// one of the table, Add offers a number no die of the file has, and the saved file holds every
// number once.
TEST_F(DieList, NumbersOfTheDiesBeyondTheTableAreTaken) {
    dietest::WriteBytes(config / "pch.dat", dietest::ManyDies(kMaxDies + 5, 4));
    tool->PossessedToolFileName = "pch.dat";
    ASSERT_EQ(tool->ReadWritePossessed(1), 0);
    ASSERT_EQ(tool->Header.DieCount, kMaxDies);
    prompt.asked.clear();
    const auto rowOf = [](QWidget* d, int number) {
        const QString start = QString(" %1 ").arg(number, 4);
        for (int i = 0; i < RowCount(d, kList); ++i)
            if (RowText(d, kList, i).startsWith(start)) return i;
        ADD_FAILURE() << "no row of die " << number;
        return 0;
    };
    scripts.Add(1537, [rowOf](QWidget* d) {
        SelectRow(d, kList, rowOf(d, 200));
        Click(d, kChange);
        SelectRow(d, kList, rowOf(d, 6));
        Click(d, kDelete);
        Click(d, kAdd);
        Click(d, DBID_OK);
    });
    scripts.Add(1546, [this](QWidget* d) {
        EXPECT_EQ(Text(d, 1373), "200");
        for (const char* taken : {"3", "400"}) {
            const size_t asked = prompt.asked.size();
            Type(d, 1373, taken);
            Click(d, DBID_OK);
            ASSERT_EQ(prompt.asked.size(), asked + 1) << taken;
            EXPECT_EQ(prompt.asked.back().text, platform::LoadString(kMsgDieNumberTaken)) << taken;
        }
        Type(d, 1373, "200");
        Type(d, 1370, "12");
        Click(d, DBID_OK);
    });
    scripts.Add(1538, [this](QWidget* d) {
        EXPECT_EQ(Text(d, 1373), "6");
        Type(d, 1373, "5");
        Click(d, DBID_OK);
        ASSERT_EQ(prompt.asked.size(), 3u);
        EXPECT_EQ(prompt.asked.back().text, platform::LoadString(kMsgDieNumberTaken));
        Type(d, 1373, "6");
        Click(d, DBID_OK);
    });
    prompt.answers = {PromptAnswer::Yes};
    tool->EditPossessedDies();
    ASSERT_TRUE(Asked("Update punch file pch.dat"));

    CPunchTool back;
    ASSERT_EQ(back.ReadPossessedFile(config / "pch.dat"), kDieFileOk);
    std::multiset<int> numbers;
    for (int i = 0; i < back.Header.DieCount; ++i) numbers.insert(back.Dies[size_t(i)].Number);
    for (int n : back.UnloadedDieNumbers()) numbers.insert(n);
    std::multiset<int> each;
    for (int n = 1; n <= kMaxDies + 5; ++n) each.insert(n);
    EXPECT_EQ(numbers, each);
    ASSERT_NE(back.FindDie(200), nullptr);
    EXPECT_EQ(back.FindDie(200)->SizeX, 12.0);
}

TEST_F(DieList, AddingWithoutShapeAsksForOne) {
    LoadDies();
    prompt.answers = {PromptAnswer::Ok, PromptAnswer::No};
    scripts.Add(1537, [](QWidget* d) {
        Click(d, kAllButton);
        C<QTreeWidget>(d, kList)->clearSelection();
        Click(d, kAdd);
        Click(d, DBID_OK);
    });
    scripts.Add(1538, [this](QWidget* d) {
        EXPECT_EQ(C<QComboBox>(d, 1361)->currentIndex(), -1);
        EXPECT_EQ(Text(d, 1373), "1");  // the smallest free number
        Click(d, DBID_OK);
        ASSERT_TRUE(AskedId(kMsgChooseShape));
        Choose(d, 1361, 5);  // DD
        Type(d, 1370, "12");
        Type(d, 1371, "8");
        Click(d, DBID_OK);
    });
    tool->EditPossessedDies();
    const DieRecord* added = tool->FindDie(1);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Shape, 6);
    EXPECT_EQ(added->SizeY, 8.0);
}

// With range filter B a row is exactly the die it shows: delete takes it, add copies it.
TEST_F(DieList, RangeFilterRowsAreTheirDies) {
    LoadDies();
    prompt.answers = {PromptAnswer::No};
    scripts.Add(1537, [](QWidget* d) {
        Click(d, kAllButton);
        Click(d, 1652);  // range B
        ASSERT_EQ(RowCount(d, kList), 1);
        EXPECT_TRUE(RowText(d, kList, 0).startsWith("    3  B"));
        SelectRow(d, kList, 0);
        Click(d, kAdd);
        ASSERT_EQ(RowCount(d, kList), 2);
        Click(d, 1661);  // every range
        ASSERT_EQ(RowCount(d, kList), 5);
        Click(d, 1652);
        for (int r = 0; r < RowCount(d, kList); ++r)
            if (RowText(d, kList, r).startsWith("    3")) SelectRow(d, kList, r);
        Click(d, kDelete);
        Click(d, DBID_OK);
    });
    scripts.Add(1538, [](QWidget* d) {
        EXPECT_EQ(C<QComboBox>(d, 1361)->currentIndex(), 1);
        EXPECT_EQ(C<QComboBox>(d, 1376)->currentIndex(), 1);
        EXPECT_EQ(Text(d, 1373), "1");
        Click(d, DBID_OK);
    });
    tool->EditPossessedDies();
    EXPECT_EQ(tool->Header.DieCount, 4);
    EXPECT_EQ(tool->FindDie(3), nullptr);
    ASSERT_NE(tool->FindDie(1), nullptr);
    EXPECT_EQ(tool->FindDie(1)->Angle, 45.0);
}

TEST_F(DieList, SelectModeChoosesTheRowsDie) {
    LoadDies();
    tool->Header.SelectedDie = IndexOfDie(7);
    // The die chosen last is marked; OK returns the chosen row's die.
    scripts.Add(1537, [this](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), "Punch select  -  Special");
        EXPECT_FALSE(C<QWidget>(d, kChange)->isEnabled());
        EXPECT_FALSE(C<QWidget>(d, kAutoButton)->isHidden());
        ASSERT_EQ(SelectedRowOf(d, kList), 0);
        Click(d, kAllButton);
        const int rowOf3 = [&] {
            for (int r = 0; r < RowCount(d, kList); ++r)
                if (RowText(d, kList, r).startsWith("    3")) return r;
            return -1;
        }();
        SelectRow(d, kList, rowOf3);
        Click(d, DBID_OK);
    });
    tool->ShowDieDialog(0, 0);
    EXPECT_EQ(tool->Header.SelectedDie, IndexOfDie(3));
    EXPECT_EQ(tool->Header.AutoSelect, 0);

    // No row: a warning, the dialog stays; a double click then confirms.
    scripts.Add(1537, [this](QWidget* d) {
        C<QTreeWidget>(d, kList)->clearSelection();
        Click(d, DBID_OK);
        ASSERT_TRUE(AskedId(kMsgSelectDie));
        EXPECT_EQ(prompt.asked.back().caption, "Punch");
        EXPECT_EQ(prompt.asked.back().icon, platform::PromptIcon::Warning);
        DoubleClickRow(d, kList, 0);
    });
    tool->ShowDieDialog(0, 0);
    EXPECT_GE(tool->Header.SelectedDie, 0);

    // The automatic choice ends the dialog.
    scripts.Add(1537, [](QWidget* d) { Click(d, kAutoButton); });
    tool->ShowDieDialog(0, 0);
    EXPECT_EQ(tool->Header.SelectedDie, -1);
    EXPECT_EQ(tool->Header.AutoSelect, 1);
}

// The chosen die's row is marked also when the range filter hides rows before it.
TEST_F(DieList, SelectModeMarksTheChosenDieUnderTheRangeFilter) {
    LoadDies();
    for (DieRecord& d : tool->Dies) {
        if (d.Number == 10 || d.Number == 3 || d.Number == 7) d.Shape = 1;
    }
    tool->Dies[size_t(IndexOfDie(3))].Range = 2;
    tool->Dies[size_t(IndexOfDie(7))].Range = 2;
    tool->Header.SelectedDie = IndexOfDie(7);
    scripts.Add(1537, [](QWidget* d) {
        Click(d, 1652);
        ASSERT_EQ(RowCount(d, kList), 2);
        const int row = SelectedRowOf(d, kList);
        ASSERT_GE(row, 0);
        EXPECT_TRUE(RowText(d, kList, row).startsWith("    7"));
        Click(d, DBID_OK);
    });
    const int chosen = tool->Header.SelectedDie;
    tool->ShowDieDialog(0, 0);
    EXPECT_EQ(tool->Header.SelectedDie, chosen);
}

TEST_F(DieList, MaskDisablesShapesAndShowsPlacedImages) {
    LoadDies();
    scripts.Add(1537, [](QWidget* d) {
        EXPECT_TRUE(C<QWidget>(d, 1476)->isEnabled());   // RO allowed
        EXPECT_FALSE(C<QWidget>(d, 1477)->isEnabled());  // SQ not
        EXPECT_FALSE(C<QWidget>(d, kAutoButton)->isEnabled());
        EXPECT_TRUE(C<QAbstractButton>(d, 1476)->isChecked());
        EXPECT_EQ(C<QWidget>(d, 1476)->toolTip(), "Round");
        Click(d, kAllButton);
        // Square dies are not listed under every die either.
        for (int r = 0; r < RowCount(d, kList); ++r)
            EXPECT_FALSE(RowText(d, kList, r).contains(QString::fromUtf8(" 角 "))) << r;
        Click(d, DBID_CANCEL);
    });
    tool->ShowDieDialog((1 << 1) | (1 << 10) | (1 << 11), 0);
}

}  // namespace
