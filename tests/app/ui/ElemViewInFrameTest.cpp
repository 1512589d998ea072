// The element views in the frame: the rotation dialog's command, refresh and end, the context
// menu, and what the views' keys, clicks and wheel reach of the frame.
#include <QMenu>
#include <QSpinBox>
#include <QTest>

#include "ElemViewPoints.h"
#include "app/core/CommandIds.h"
#include "platform/Profile.h"
#include "settings/FrameFixture.h"
#include "text/CNcTextView.h"
#include "views/CAxisRotateDlg.h"

namespace {

class ElemViewInFrame : public FrameFixture {
protected:
    CAxisRotateDlg* Dialog() { return qobject_cast<CAxisRotateDlg*>(Frame()->AxisRotateDlg); }
    int Saved(const char* key) {
        return platform::GetProfileInt("NcElemView", key, -99, app_->Paths.IniPath);
    }
    static QStringList Items(QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator()) continue;
            if (a->menu())
                out += Items(a->menu());
            else
                out += QString::number(a->data().toInt());
        }
        return out;
    }
};

TEST_F(ElemViewInFrame, RotateViewOpensAndClosesTheDialogWhichHandsOverItsAngles) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    const char* keys[] = {"PositionX", "PositionY", "RealTimeUpdate", "MouseOperation"};
    auto dialogKeys = [&] {
        std::vector<std::string> v;
        for (const char* key : keys)
            v.push_back(
                platform::GetProfileString("AxisRotateDlg", key, "none", app_->Paths.IniPath));
        return v;
    };
    const std::vector<std::string> before = dialogKeys();
    f->OnCommand(cmd::RotateView);
    ASSERT_NE(Dialog(), nullptr);
    f->UpdateCommandStates();
    EXPECT_TRUE(f->Action(cmd::RotateView)->isChecked());
    // Typed angles turn the view at once.
    Dialog()->findChild<QSpinBox*>("id1025")->setValue(30);
    EXPECT_EQ(f->GetActiveElemView()->RotationAngles().x, 30);
    // The command again closes it: the frame takes and saves the angles, writes no dialog key.
    f->OnCommand(cmd::RotateView);
    EXPECT_EQ(f->AxisRotateDlg, nullptr);
    EXPECT_EQ(f->RotateAngles, (std::array<int, 3>{30, 0, 0}));
    EXPECT_EQ(Saved("AxisRotateAngleX"), 30);
    EXPECT_EQ(dialogKeys(), before);
    f->UpdateCommandStates();
    EXPECT_FALSE(f->Action(cmd::RotateView)->isChecked());
}

TEST_F(ElemViewInFrame, InTheSplitViewTheClosedDialogsAnglesAreNotTaken) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    f->OnCommand(cmd::ViewSplit4);
    f->OnCommand(cmd::RotateView);
    ASSERT_NE(Dialog(), nullptr);
    Dialog()->findChild<QSpinBox*>("id1028")->setValue(45);
    Dialog()->close();
    EXPECT_EQ(f->AxisRotateDlg, nullptr);
    EXPECT_EQ(f->RotateAngles, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(Saved("AxisRotateAngleY"), 0);
}

TEST_F(ElemViewInFrame, AViewTypeCommandAndALeftPressRefreshTheDialog) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    f->OnCommand(cmd::RotateView);
    ASSERT_NE(Dialog(), nullptr);
    Dialog()->findChild<QSpinBox*>("id1031")->setValue(60);
    f->OnCommand(cmd::ViewIso);
    EXPECT_EQ(Dialog()->findChild<QSpinBox*>("id1031")->value(), 0);
    // A press in a view shows that view's angles.
    f->GetActiveElemView()->SetRotationAngles(CxyzData(0, 0, 25), 4);
    CNcElemView* view = FittedElemView(f);
    ASSERT_NE(view, nullptr);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Dialog()->findChild<QSpinBox*>("id1031")->value(), 25);
    Dialog()->close();
}

TEST_F(ElemViewInFrame, TheContextMenuHasTheTracingSubmenuWithoutRotationAndToggles) {
    ASSERT_TRUE(Start({"/US"}));
    std::unique_ptr<QMenu> viewing(Frame()->CreateResourceMenu(144, nullptr, 0));
    std::unique_ptr<QMenu> tracing(Frame()->CreateResourceMenu(144, nullptr, 1));
    ASSERT_TRUE(viewing && tracing);
    EXPECT_EQ(Frame()->CreateResourceMenu(144, nullptr, 2), nullptr);
    const QStringList all = Items(viewing.get());
    EXPECT_EQ(all.size(), 19);
    EXPECT_TRUE(all.contains("32828"));
    EXPECT_TRUE(all.contains("32914"));
    const QStringList fewer = Items(tracing.get());
    EXPECT_EQ(fewer.size(), 15);
    for (const char* gone : {"32828", "32847", "32897", "32914"})
        EXPECT_FALSE(fewer.contains(gone));
}

TEST_F(ElemViewInFrame, SpaceStepsAndRResetsTheSavedRotation) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    f->RotateAngles = {10, 20, 30};
    f->AxisRotationProfile(1);
    CNcElemView* view = FittedElemView(f);
    ASSERT_NE(view, nullptr);
    QTest::keyClick(view, Qt::Key_R);
    EXPECT_EQ(f->RotateAngles, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(Saved("AxisRotateAngleZ"), 0);
    // An open rotation dialog follows the reset, so that its close saves no old angles.
    f->OnCommand(cmd::RotateView);
    ASSERT_NE(Dialog(), nullptr);
    Dialog()->findChild<QSpinBox*>("id1025")->setValue(30);
    QTest::keyClick(view, Qt::Key_R);
    EXPECT_EQ(Dialog()->findChild<QSpinBox*>("id1025")->value(), 0);
    Dialog()->close();
    EXPECT_EQ(Saved("AxisRotateAngleX"), 0);
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(app_->TraceActive, 1);
    f->OnCommand(cmd::Cancel);
}

TEST_F(ElemViewInFrame, AClickOnTheDrawingSelectsItsRowInTheList) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CNcElemView* view = FittedElemView(Frame());
    ASSERT_NE(view, nullptr);
    const QPoint at = PointOfLine(view, 9);
    ASSERT_GE(at.x(), 0);
    QTest::mouseMove(view, at);
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    EXPECT_EQ(Frame()->NcList()->FirstSelectedRow(), 9);
}

TEST_F(ElemViewInFrame, TheDocumentsRebuildLetsTheViewsLetGoFirst) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CNcElemView* view = FittedElemView(Frame());
    ASSERT_NE(view, nullptr);
    view->HoverAt(PointOfLine(view, 9));
    ASSERT_NE(view->HoverElement(), nullptr);
    ASSERT_FALSE(view->ElemTipText.isEmpty());
    // The elements are freed inside the rebuild, before the frame rebuilds the views.
    app_->Document->RebuildElements();
    EXPECT_EQ(view->HoverElement(), nullptr);
    EXPECT_TRUE(view->ElemTipText.isEmpty());
    EXPECT_TRUE(view->Model().MainDrawing().IsEmpty());
    Frame()->RebuildMainLayerInViews();
    EXPECT_GE(PointOfLine(view, 9).x(), 0);
}

}  // namespace
