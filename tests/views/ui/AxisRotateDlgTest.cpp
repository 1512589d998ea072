// The axis-rotation dialog: typed and spun angles, the wrap at 360, real-time update and
// Apply, Mouse Operation, and the settings written on OK only.
#include "views/CAxisRotateDlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <fstream>

#include "TempDir.h"
#include "platform/Profile.h"

namespace {

struct Call {
    CxyzData angles;
    int mask;
};

class AxisRotateDlgTest : public ::testing::Test {
protected:
    void SetUp() override { ini = dir.path() / "system.ini"; }

    // A dialog over a fake active view with the given angles.
    CAxisRotateDlg* Open() {
        AxisRotateContext ctx;
        ctx.ActiveAngles = [this](CxyzData* a) {
            if (!viewIsElementView) return false;
            *a = viewAngles;
            return true;
        };
        ctx.SetActiveAngles = [this](const CxyzData& a, int mask) {
            calls.push_back({a, mask});
            return viewIsElementView;
        };
        ctx.Closed = [this](const std::array<int, 3>& a) { closed.push_back(a); };
        ctx.IniPath = ini;
        auto* dlg = new CAxisRotateDlg(std::move(ctx));
        dlg->Create();
        return dlg;
    }
    static QSpinBox* Field(CAxisRotateDlg* d, int id) {
        return d->findChild<QSpinBox*>(QStringLiteral("id%1").arg(id));
    }
    template <class W>
    static W* Control(CAxisRotateDlg* d, int id) {
        return d->findChild<W*>(QStringLiteral("id%1").arg(id));
    }
    // Types text into a field as the user would: selected, then key by key.
    static void Type(QSpinBox* field, const char* text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    test::TempDir dir;
    std::filesystem::path ini;
    CxyzData viewAngles{10.9, -4.7, 0};
    bool viewIsElementView = true;
    std::vector<Call> calls;
    std::vector<std::array<int, 3>> closed;
};

TEST_F(AxisRotateDlgTest, StartsFromTheViewsAnglesTruncatedAndTheStoredSwitches) {
    platform::WriteProfileInt("AxisRotateDlg", "RealTimeUpdate", 0, ini);
    platform::WriteProfileInt("AxisRotateDlg", "MouseOperation", 0, ini);
    CAxisRotateDlg* d = Open();
    EXPECT_EQ(Field(d, 1025)->value(), 10);
    EXPECT_EQ(Field(d, 1028)->value(), -4);
    EXPECT_EQ(Field(d, 1025)->minimum(), -360);
    EXPECT_EQ(Field(d, 1025)->maximum(), 360);
    EXPECT_EQ(d->RealTimeUpdate, 0);
    EXPECT_EQ(d->MouseOperation, 0);
    EXPECT_TRUE(Control<QPushButton>(d, 32855)->isEnabled());
    EXPECT_TRUE(calls.empty());  // showing the view's angles applies nothing
    // The rotation of another press is shown again.
    viewAngles = CxyzData(0, 0, -359.5);
    d->SyncFromView();
    EXPECT_EQ(Field(d, 1031)->value(), -359);
    EXPECT_TRUE(calls.empty());
    d->close();
}

TEST_F(AxisRotateDlgTest, TypingMinusFourFiveRotatesAtFourAndFortyFiveNotAtTheMinus) {
    CAxisRotateDlg* d = Open();
    ASSERT_EQ(d->RealTimeUpdate, 1);
    EXPECT_FALSE(Control<QPushButton>(d, 32855)->isEnabled());
    QSpinBox* x = Field(d, 1025);
    x->setFocus();
    x->selectAll();
    QTest::keyClick(x, Qt::Key_Minus);
    EXPECT_TRUE(calls.empty());
    QTest::keyClicks(x, "45");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].angles.x, -4);
    EXPECT_EQ(calls[0].mask, 1);
    EXPECT_EQ(calls[1].angles.x, -45);
    EXPECT_EQ(calls[1].mask, 1);
    d->close();
}

TEST_F(AxisRotateDlgTest, ThreeSixtyRotatesThenWrapsToZero) {
    CAxisRotateDlg* d = Open();
    Type(Field(d, 1028), "360");
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2].angles.y, 360);
    EXPECT_EQ(calls[calls.size() - 2].mask, 2);
    EXPECT_EQ(calls.back().angles.y, 0);
    EXPECT_EQ(calls.back().mask, 2);
    EXPECT_EQ(Field(d, 1028)->value(), 0);
    // -360 by the spin arrows wraps the other way.
    calls.clear();
    QSpinBox* z = Field(d, 1031);
    z->setValue(-359);
    z->stepDown();
    EXPECT_EQ(calls.back().angles.z, 0);
    EXPECT_EQ(z->value(), 0);
    d->close();
}

TEST_F(AxisRotateDlgTest, WithoutRealTimeOnlyApplyRotatesWithAllThreeAngles) {
    CAxisRotateDlg* d = Open();
    Control<QCheckBox>(d, 1030)->setChecked(false);
    EXPECT_EQ(d->RealTimeUpdate, 0);
    EXPECT_TRUE(Control<QPushButton>(d, 32855)->isEnabled());
    Type(Field(d, 1025), "30");
    Type(Field(d, 1031), "360");
    EXPECT_TRUE(calls.empty());
    QTest::mouseClick(Control<QPushButton>(d, 32855), Qt::LeftButton);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].angles.x, 30);
    EXPECT_EQ(calls[0].angles.y, -4);
    EXPECT_EQ(calls[0].angles.z, 0);  // wrapped as it was typed, real time or not
    EXPECT_EQ(calls[0].mask, 7);
    Control<QCheckBox>(d, 1030)->setChecked(true);
    EXPECT_FALSE(Control<QPushButton>(d, 32855)->isEnabled());
    d->close();
}

TEST_F(AxisRotateDlgTest, NothingIsAppliedWhenTheActivePaneIsNoElementView) {
    CAxisRotateDlg* d = Open();
    viewIsElementView = false;
    Type(Field(d, 1025), "20");
    EXPECT_TRUE(calls.empty());
    d->close();
}

TEST_F(AxisRotateDlgTest, MouseOperationIsSeenAtOnce) {
    CAxisRotateDlg* d = Open();
    ASSERT_EQ(d->MouseOperation, 1);
    Control<QCheckBox>(d, 1033)->setChecked(false);
    EXPECT_EQ(d->MouseOperation, 0);
    d->close();
}

TEST_F(AxisRotateDlgTest, OkWritesTheFourKeysTheCloseBoxNone) {
    std::ofstream(ini) << "[AxisRotateDlg]\r\nPositionX=-1\r\nPositionY=-1\r\n";
    CAxisRotateDlg* d = Open();
    Control<QCheckBox>(d, 1033)->setChecked(false);
    Type(Field(d, 1025), "15");
    d->close();  // the close box
    EXPECT_EQ(platform::GetProfileInt("AxisRotateDlg", "MouseOperation", -5, ini), -5);
    EXPECT_EQ(platform::GetProfileInt("AxisRotateDlg", "RealTimeUpdate", -5, ini), -5);
    EXPECT_EQ(platform::GetProfileInt("AxisRotateDlg", "PositionX", -5, ini), -1);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0], (std::array<int, 3>{15, -4, 0}));

    d = Open();
    Control<QCheckBox>(d, 1030)->setChecked(false);
    d->move(40, 30);
    QTest::mouseClick(Control<QPushButton>(d, 1), Qt::LeftButton);
    EXPECT_EQ(platform::GetProfileInt("AxisRotateDlg", "RealTimeUpdate", -5, ini), 0);
    EXPECT_EQ(platform::GetProfileInt("AxisRotateDlg", "MouseOperation", -5, ini), 1);
    EXPECT_EQ(platform::GetProfileInt("AxisRotateDlg", "PositionX", -5, ini), d->pos().x());
    EXPECT_EQ(platform::GetProfileInt("AxisRotateDlg", "PositionY", -5, ini), d->pos().y());
    EXPECT_EQ(closed.size(), 2u);
}

TEST_F(AxisRotateDlgTest, TheStoredPlaceIsUsedOnlyWhenWholeAndOnAScreen) {
    struct Case {
        int x, y;
        bool moved;
    };
    for (const Case& c : {Case{-1, 200, false}, Case{60, 70, true}, Case{90000, 90000, false}}) {
        SCOPED_TRACE(c.x);
        platform::WriteProfileInt("AxisRotateDlg", "PositionX", c.x, ini);
        platform::WriteProfileInt("AxisRotateDlg", "PositionY", c.y, ini);
        CAxisRotateDlg* d = Open();
        EXPECT_EQ(d->pos() == QPoint(c.x, c.y), c.moved);
        d->close();
    }
}

}  // namespace
