// The find and replace dialogs: initial state, ids, signals and the empty-text guard.
#include "text/FindReplaceDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

TEST(FindReplaceDialog, FindDialogStartsFromTheOptions) {
    FindDialogOptions o;
    o.FindText = "G01";
    o.SearchDown = false;
    o.MatchCase = true;
    CCustomFind dlg(nullptr, o);
    EXPECT_EQ(dlg.FindText(), "G01");
    EXPECT_FALSE(dlg.SearchDown());
    EXPECT_TRUE(dlg.MatchCase());
    EXPECT_FALSE(dlg.IsReplace());
    EXPECT_TRUE(dlg.findChild<QCheckBox*>("id1040")->isHidden());
    EXPECT_NE(dlg.findChild<QRadioButton*>("id1057"), nullptr);
    EXPECT_EQ(dlg.findChild<QLineEdit*>("id1153"), nullptr);
}

TEST(FindReplaceDialog, SignalsAndEmptyText) {
    FindDialogOptions o;
    CCustomReplace dlg(nullptr, o);
    int finds = 0, replaces = 0, alls = 0, closings = 0;
    QObject::connect(&dlg, &FindReplaceDialog::findNext, [&] { ++finds; });
    QObject::connect(&dlg, &FindReplaceDialog::replaceCurrent, [&] { ++replaces; });
    QObject::connect(&dlg, &FindReplaceDialog::replaceAll, [&] { ++alls; });
    QObject::connect(&dlg, &FindReplaceDialog::closing, [&] { ++closings; });
    auto* next = dlg.findChild<QPushButton*>("id1");
    auto* all = dlg.findChild<QPushButton*>("id1025");
    ASSERT_TRUE(next && all);
    EXPECT_FALSE(next->isEnabled());
    dlg.ClickReplaceAll();  // an empty find text would never end
    EXPECT_EQ(alls, 0);
    dlg.findChild<QLineEdit*>("id1152")->setText("X");
    dlg.findChild<QLineEdit*>("id1153")->setText("U");
    EXPECT_TRUE(all->isEnabled());
    next->click();
    dlg.findChild<QPushButton*>("id1024")->click();
    all->click();
    EXPECT_EQ(finds, 1);
    EXPECT_EQ(replaces, 1);
    EXPECT_EQ(alls, 1);
    EXPECT_EQ(dlg.ReplaceText(), "U");
    dlg.findChild<QPushButton*>("id2")->click();
    dlg.close();
    EXPECT_EQ(closings, 1);
}
