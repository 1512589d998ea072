// The frame: command rules applied to the actions, view types, pane swap, progress window.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSplitter>
#include <QTextBlock>
#include <QToolBar>

#include "AppFixture.h"
#include "app/CAboutDlg.h"
#include "app/CLoadingDlg.h"
#include "app/core/CommandIds.h"
#include "platform/Profile.h"
#include "text/CNcTextEdit.h"
#include "text/CNcTextView.h"

namespace {

using MainFrame = AppFixture;

TEST_F(MainFrame, RulesInNormalEditingAndTracingStates) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    struct Case {
        int command;
        bool normal, editing, tracing;
    };
    const Case cases[] = {
        {cmd::Open, true, false, false},
        {cmd::Save, true, false, false},
        {cmd::Undo, false, true, false},
        {cmd::Cut, false, true, false},
        {cmd::CheckNc, true, false, false},
        {cmd::Run, true, false, true},
        {cmd::SpeedLow, true, false, true},
        {cmd::RotateView, true, true, false},
        {cmd::Property, true, false, false},
        {cmd::PropertyMachine, true, true, false},
        {cmd::ViewSplit4, true, true, true},
        {cmd::Exit, true, true, true},
        {cmd::RecentFile1 + 1, true, false, false},
    };
    auto check = [&](const char* state, bool Case::*column) {
        f->UpdateCommandStates();
        for (const Case& c : cases) {
            QAction* a = f->Action(c.command);
            ASSERT_TRUE(a) << c.command;
            EXPECT_EQ(a->isEnabled(), c.*column) << state << " " << c.command;
        }
    };
    check("normal", &Case::normal);
    f->EditMode = 1;
    check("editing", &Case::editing);
    f->EditMode = 0;
    app_->TraceActive = 1;
    check("tracing", &Case::tracing);
    app_->TraceActive = 0;
    // Radio marks follow the frame's state.
    f->TraceTime = 2;
    f->UpdateCommandStates();
    EXPECT_TRUE(f->Action(cmd::SpeedLow)->isChecked());
    EXPECT_FALSE(f->Action(cmd::SpeedHigh)->isChecked());
}

TEST_F(MainFrame, OneAndFourElementViews) {
    ASSERT_TRUE(Start({"/US"}));
    CMainFrame* f = Frame();
    ASSERT_EQ(f->ViewType, 0);
    ASSERT_EQ(f->ElemViews().size(), 1u);
    EXPECT_FALSE(f->Split4());
    ASSERT_TRUE(f->OnCommand(cmd::ViewSplit4));
    EXPECT_EQ(f->ViewType, 4);
    ASSERT_EQ(f->ElemViews().size(), 4u);
    ASSERT_TRUE(f->Split4());
    // Forwarding order Left, ISO, Top, Front; with no pane chosen the Top view is active.
    std::vector<int> types;
    for (IElemView* v : f->ElemViews()) types.push_back(v->ViewType());
    EXPECT_EQ(types, (std::vector<int>{2, 3, 0, 1}));
    EXPECT_EQ(f->GetActiveElemView()->ViewType(), 0);
    EXPECT_EQ(f->HideElemTipInViews(), 1);
    EXPECT_TRUE(f->Action(cmd::ViewSplit4)->isChecked());
    EXPECT_EQ(platform::GetProfileInt("MainView", "ViewType", -1, app_->Paths.IniPath), 4);
    // Every new view was fitted.
    for (IElemView* v : f->ElemViews())
        EXPECT_GT(static_cast<PlaceholderElemView*>(v)->zoomFits, 0);

    ASSERT_TRUE(f->OnCommand(cmd::ViewFront));
    EXPECT_EQ(f->ViewType, 1);
    ASSERT_EQ(f->ElemViews().size(), 1u);
    EXPECT_FALSE(f->Split4());
    EXPECT_EQ(f->GetActiveElemView()->ViewType(), 1);
    EXPECT_EQ(f->HideElemTipInViews(), 0);
    EXPECT_EQ(f->MainSplitter()->count(), 2);
    EXPECT_FALSE(f->RebuildElemViews(7));

    // The type is read back at the next start.
    ASSERT_TRUE(Start({"/US"}));
    EXPECT_EQ(Frame()->ViewType, 1);
}

TEST_F(MainFrame, ProcessModeTwoFromNormal) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    app_->TraceActive = 1;
    app_->Document->PickPos[0] = 5;
    f->SetProcMode(2);
    EXPECT_EQ(app_->ProcessMode, 2);
    EXPECT_EQ(app_->TraceActive, 0);
    EXPECT_EQ(app_->Document->PickPos[0], -1);
    for (int b = 0; b < kBarCount; ++b) EXPECT_EQ(f->Bar(b)->isHidden(), b != kBarZoom) << b;
    auto* view = static_cast<PlaceholderElemView*>(f->ElemViews()[0]);
    EXPECT_EQ(view->emptied, (std::vector<int>{4, 5, 7, 8, 9}));
    // Leaving a normal mode stored the bar state, so mode 1 brings the bars back.
    f->SetProcMode(1);
    EXPECT_FALSE(f->Bar(kBarEdit)->isHidden());
    EXPECT_GT(f->MainSplitter()->sizes().value(0), 0);
    // 30 to 31 only records the mode.
    f->SetProcMode(30);
    app_->TraceActive = 1;
    f->SetProcMode(31);
    EXPECT_EQ(app_->ProcessMode, 31);
    EXPECT_EQ(app_->TraceActive, 1);
}

TEST_F(MainFrame, PaneSwapKeepsThePosition) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    INcPane* list = f->NcPane();
    ASSERT_FALSE(list->IsEditor());
    // The list mode's pane is the NC line list.
    auto* rows = dynamic_cast<CNcTextView*>(list);
    ASSERT_NE(rows, nullptr);
    int row = 5;
    ASSERT_EQ(rows->SelectLine(1, &row, 0), 1);
    f->GetSubProgMode = 1;
    f->EditMode = 1;
    ASSERT_TRUE(f->SwapNcPane());
    EXPECT_TRUE(f->NcPane()->IsEditor());
    EXPECT_EQ(f->LeftSplitter()->widget(1), f->NcPane()->Widget());
    EXPECT_EQ(f->GetSubProgMode, 0);
    EXPECT_EQ(f->HandOver.SelectedRow, 5);
    EXPECT_EQ(f->Editor()->textCursor().blockNumber(), 5);
    EXPECT_FALSE(f->SwapNcPane());  // already the editor
    f->EditMode = 0;
    ASSERT_TRUE(f->SwapNcPane());
    EXPECT_FALSE(f->NcPane()->IsEditor());
    EXPECT_EQ(f->LeftSplitter()->count(), 3);
}

TEST_F(MainFrame, LeftRowsKeepTheSwitchForm) {
    ASSERT_TRUE(Start({"/US"}));
    CMainFrame* f = Frame();
    f->ResizeLeftRows(f->LeftSplitter()->height());
    EXPECT_EQ(f->LeftSplitter()->sizes().value(2), CMainFrame::kSwitchFormHeight);
}

TEST_F(MainFrame, ButtonTextCommand) {
    ASSERT_TRUE(Start({"/US"}));
    CMainFrame* f = Frame();
    ASSERT_EQ(f->ButtonText, 1);
    f->OnCommand(cmd::ButtonText);
    EXPECT_EQ(f->ButtonText, 0);
    EXPECT_EQ(f->Bar(kBarStandard)->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(platform::GetProfileInt("Tool Bars", "DispText", -1, app_->Paths.IniPath), 0);
    f->OnCommand(cmd::BarTrace);
    EXPECT_TRUE(f->Bar(kBarTrace)->isHidden());
    f->UpdateCommandStates();
    EXPECT_FALSE(f->Action(cmd::BarTrace)->isChecked());
}

// Every command of the menus is built now; printing is not offered.
TEST_F(MainFrame, PrintingIsNotOffered) {
    ASSERT_TRUE(Start({"/US"}));
    EXPECT_FALSE(Frame()->OnCommand(cmd::Print));
}

TEST(LoadingDlg, WithoutNoteTheMessageMovesDown) {
    QWidget parent;
    CLoadingDlg with(1, &parent);
    CLoadingDlg without(0, &parent);
    EXPECT_FALSE(with.EscNote->isHidden());
    EXPECT_TRUE(without.EscNote->isHidden());
    EXPECT_EQ(without.Message->y(), with.Message->y() + 10);
    EXPECT_EQ(with.Message->y(), CLoadingDlg::kMessageTop);
    EXPECT_TRUE(with.isVisible());
}

}  // namespace

namespace {

TEST_F(MainFrame, BarLayoutIsRemembered) {
    ASSERT_TRUE(Start({"/US"}));
    Frame()->OnCommand(cmd::BarScroll);
    ASSERT_TRUE(Frame()->Bar(kBarScroll)->isHidden());
    ASSERT_TRUE(Frame()->close());
    ASSERT_TRUE(Start({"/US"}));
    EXPECT_TRUE(Frame()->Bar(kBarScroll)->isHidden());
    EXPECT_FALSE(Frame()->Bar(kBarEdit)->isHidden());
    EXPECT_EQ(Frame()->RestoreToolBars(), 0);
    // A state saved under another version is not loaded: the first-run layout again.
    QSettings("Holbrine", "Morvalen").setValue("Tool Bars/Version", 13);
    EXPECT_EQ(Frame()->RestoreToolBars(), 1);
    EXPECT_FALSE(Frame()->Bar(kBarScroll)->isHidden());
    EXPECT_EQ(Frame()->ButtonText, 1);
}

// A saved layout that does not fit the window (every bar in one row of a narrow window, the
// bars squeezed into their extension menus) gives way to the first-run layout.
TEST_F(MainFrame, ALayoutThatDoesNotFitFallsBackToTheFirstRunLayout) {
    ASSERT_TRUE(Start({"/US"}));
    CMainFrame* f = Frame();
    f->resize(1900, 900);
    for (int i = 0; i < kBarCount; ++i) f->removeToolBar(f->Bar(i));
    for (int i = 0; i < kBarCount; ++i) {
        f->addToolBar(Qt::TopToolBarArea, f->Bar(i));
        f->Bar(i)->show();
    }
    f->SaveBarState();
    EXPECT_EQ(f->RestoreToolBars(), 0);  // fits the wide window
    f->resize(1150, 700);
    EXPECT_EQ(f->RestoreToolBars(), 1);
    EXPECT_TRUE(f->ToolBarsFit());
    EXPECT_GT(f->Bar(kBarTrace)->y(), f->Bar(kBarStandard)->y());  // two rows again
    // The checkable items show their check marks in the menus, not their icons.
    f->UpdateCommandStates();
    for (int id : {cmd::BarScroll, cmd::ButtonText}) {
        QAction* a = f->Action(id);
        ASSERT_NE(a, nullptr);
        EXPECT_TRUE(a->isCheckable()) << id;
        EXPECT_FALSE(a->isIconVisibleInMenu()) << id;
    }
}

// The about box leaves its title room in the title bar (it was cut to "About ...rvalen").
TEST_F(MainFrame, AboutBoxIsWideEnoughForItsTitle) {
    CAboutDlg dlg(nullptr);
    dlg.show();
    QApplication::processEvents();
    const int title = dlg.fontMetrics().horizontalAdvance(dlg.windowTitle());
    EXPECT_GE(dlg.width(), title + 150);
}

TEST_F(MainFrame, ContextMenuHoldsTheBarItems) {
    ASSERT_TRUE(Start({"/US"}));
    std::unique_ptr<QMenu> menu(Frame()->createPopupMenu());
    ASSERT_TRUE(menu);
    QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 9);  // seven bars, a separator, Button Text
    EXPECT_EQ(items[0], Frame()->Action(cmd::BarStandard));
    EXPECT_TRUE(items[7]->isSeparator());
    EXPECT_EQ(items[8], Frame()->Action(cmd::ButtonText));
    EXPECT_TRUE(items[0]->isChecked());
}

}  // namespace
