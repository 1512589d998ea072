// The Split command: the divider between the left column and the views follows the keys.
#include <QSplitter>
#include <QTest>

#include "AppFixture.h"
#include "app/SplitterKeyboardMove.h"
#include "app/core/CommandIds.h"

namespace {

using FrameSplit = AppFixture;

TEST_F(FrameSplit, ArrowsMoveEnterKeepsEscapePutsBack) {
    ASSERT_TRUE(Start({"/US"}));
    Frame()->resize(1000, 700);
    QSplitter* s = Frame()->MainSplitter();
    s->setSizes({300, 600});
    const QList<int> before = s->sizes();

    Frame()->OnCommand(cmd::Split);
    ASSERT_TRUE(SplitterKeyboardMove::Current());
    QTest::keyClick(Frame(), Qt::Key_Right);
    QTest::keyClick(Frame(), Qt::Key_Right);
    EXPECT_EQ(s->sizes().value(0), before[0] + 32);
    QTest::keyClick(Frame(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(s->sizes().value(0), before[0] + 31);
    // Other keys do nothing meanwhile; Escape puts the divider back (and cancels nothing else).
    QTest::keyClick(Frame(), Qt::Key_Up);
    EXPECT_EQ(s->sizes().value(0), before[0] + 31);
    QTest::keyClick(Frame(), Qt::Key_Escape);
    EXPECT_EQ(s->sizes(), before);
    EXPECT_FALSE(SplitterKeyboardMove::Current());

    Frame()->OnCommand(cmd::Split);
    QTest::keyClick(Frame(), Qt::Key_Left);
    QTest::keyClick(Frame(), Qt::Key_Return);
    EXPECT_FALSE(SplitterKeyboardMove::Current());
    EXPECT_EQ(s->sizes().value(0), before[0] - 16);
    // Afterwards the arrows no longer move it.
    QTest::keyClick(Frame(), Qt::Key_Left);
    EXPECT_EQ(s->sizes().value(0), before[0] - 16);
}

TEST_F(FrameSplit, TheDividerStaysInsideTheWindow) {
    ASSERT_TRUE(Start({"/US"}));
    QSplitter* s = Frame()->MainSplitter();
    Frame()->resize(1000, 700);
    const int total = s->sizes().value(0) + s->sizes().value(1);
    Frame()->OnCommand(cmd::Split);
    // It stops where the splitter lets it, and the two panes keep the whole width.
    for (int i = 0; i < 100; ++i) QTest::keyClick(Frame(), Qt::Key_Left);
    const int least = s->sizes().value(0);
    QTest::keyClick(Frame(), Qt::Key_Left);
    EXPECT_EQ(s->sizes().value(0), least);
    EXPECT_GE(least, 0);
    EXPECT_EQ(s->sizes().value(0) + s->sizes().value(1), total);
    for (int i = 0; i < 100; ++i) QTest::keyClick(Frame(), Qt::Key_Right);
    EXPECT_EQ(s->sizes().value(0) + s->sizes().value(1), total);
    EXPECT_GT(s->sizes().value(0), least);
    QTest::keyClick(Frame(), Qt::Key_Enter);
    EXPECT_FALSE(SplitterKeyboardMove::Current());
}

}  // namespace
