// The NC line list: breakpoint clicks, selection, echo to the views, block ranges, keys, find
// and the pane hand-over.
#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "NcListFixture.h"
#include "platform/Profile.h"
#include "text/FindReplaceDialog.h"
#include "text/core/NcBlockRange.h"

using NcTextViewTest = NcListFixture;

namespace {

QPoint CellCentre(CNcTextView* v, int row, int column) {
    return v->visualRect(v->Model()->index(row, column)).center();
}

int Breakpoint(CNcTextView* v, int row) {
    return v->Model()->States().Breakpoint(size_t(row));
}

}  // namespace

TEST_F(NcTextViewTest, IconClicksCycleTheBreakpoint) {
    Make(NumberedLines(5));
    const int header0 = Model()->States().HeaderImage();
    EXPECT_EQ(header0, kHeaderEmpty);
    const int expected[] = {kBreakOn, kBreakDisabled, kBreakNone};
    for (int value : expected) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellCentre(view.get(), 2, 0));
        EXPECT_EQ(Breakpoint(view.get(), 2), value);
        EXPECT_EQ(Model()->headerData(0, Qt::Horizontal, Qt::DecorationRole).isValid(), true);
    }
    EXPECT_EQ(Model()->States().HeaderImage(), kHeaderDisable);
    // A click on the text leaves the breakpoint; every click tells the modeless dialogs.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellCentre(view.get(), 3, 2));
    EXPECT_EQ(Breakpoint(view.get(), 3), kBreakNone);
    ASSERT_EQ(notified.size(), 4u);
    EXPECT_EQ(notified.back(), 3);
}

TEST_F(NcTextViewTest, HeaderClickRightAfterFillClearsBreakpoints) {
    Make(NumberedLines(5));
    Model()->SetBreakpoint(1, kBreakOn);
    Model()->SetBreakpoint(4, kBreakDisabled);
    view->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(Breakpoint(view.get(), 1), 0);
    EXPECT_EQ(Breakpoint(view.get(), 4), 0);
    // After an icon click (image 2) the header disables, then enables.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellCentre(view.get(), 1, 0));
    view->OnHeaderClicked(0);
    EXPECT_EQ(Breakpoint(view.get(), 1), kBreakDisabled);
    view->OnHeaderClicked(0);
    EXPECT_EQ(Breakpoint(view.get(), 1), kBreakOn);
    view->OnHeaderClicked(1);  // other columns: nothing
    EXPECT_EQ(Breakpoint(view.get(), 1), kBreakOn);
}

TEST_F(NcTextViewTest, SelectLineBounds) {
    Make(NumberedLines(200));
    int row = 200;
    EXPECT_EQ(view->SelectLine(1, &row, 1), 0);
    row = -1;
    EXPECT_EQ(view->SelectLine(1, &row, 1), 0);
    EXPECT_TRUE(view->selectionModel()->selectedRows().isEmpty());
    EXPECT_TRUE(highlighted.empty());

    row = 50;
    EXPECT_EQ(view->SelectLine(1, &row, 1), 1);
    EXPECT_EQ(view->FirstSelectedRow(), 50);
    EXPECT_EQ(view->currentIndex().row(), 50);
    ASSERT_FALSE(highlighted.empty());
    EXPECT_EQ(highlighted.back(), 51);
    // The row sits about a third down the page.
    const int page = view->viewport()->height() / view->verticalHeader()->defaultSectionSize();
    const int top = view->TopRow();
    EXPECT_GE(50 - top, page / 3 - 1);
    EXPECT_LE(50 - top, page / 3 + 1);

    // The query form gives the next selected row after the given one.
    int next = 10;
    EXPECT_EQ(view->SelectLine(0, &next, 0), 1);
    EXPECT_EQ(next, 50);
    EXPECT_EQ(view->SelectLine(0, &next, 0), 1);
    EXPECT_EQ(next, -1);
    EXPECT_EQ(view->EchoSelection, 0);
}

TEST_F(NcTextViewTest, SelectionNearTheEndShowsTheLastRow) {
    Make(NumberedLines(200));
    const int page = view->viewport()->height() / view->verticalHeader()->defaultSectionSize();
    int row = 200 - page / 3;  // row + a third of a page reaches the count
    ASSERT_EQ(view->SelectLine(1, &row, 1), 1);
    const QRect last = view->visualRect(Model()->index(199, 0));
    EXPECT_TRUE(view->viewport()->rect().contains(last.center()));
}

TEST_F(NcTextViewTest, EchoFollowsTheSettings) {
    Make(NumberedLines(20));
    int row = 3;
    view->SelectLine(1, &row, 0);  // the element view's own selection is not echoed
    EXPECT_TRUE(highlighted.empty());
    EXPECT_EQ(view->EchoSelection, 1);
    traceActive = 1;
    row = 4;
    view->SelectLine(1, &row, 1);
    EXPECT_TRUE(highlighted.empty());
    traceActive = 0;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellCentre(view.get(), 6, 2));
    ASSERT_FALSE(highlighted.empty());
    EXPECT_EQ(highlighted.back(), 7);
}

TEST_F(NcTextViewTest, BlockRangesInEachMode) {
    rules.MainProgramLetter = 'O';
    Make({"O0001", "N10 G00 X0.", "G01 Y5.", "N20 G01 X1.", "Y2.", "M98 P10", "M30", "O0010",
          "G01 X1.", "M99"});
    int first = -1, last = -1, info = -1;
    ASSERT_EQ(view->FindBlockRange(kBlockProgram, 4, &first, &last, &info), 1);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 4);
    EXPECT_EQ(info, 1);
    ASSERT_EQ(view->FindBlockRange(kBlockSequence, 4, &first, &last, &info), 1);
    EXPECT_EQ(first, 3);
    EXPECT_EQ(last, 4);
    EXPECT_EQ(info, 20);
    ASSERT_EQ(view->FindBlockRange(kBlockSubProgram, 8, &first, &last, &info), 1);
    EXPECT_EQ(first, 7);
    EXPECT_EQ(last, 9);
    EXPECT_EQ(view->FindBlockRange(kBlockSubProgram, 2, &first, &last, &info), 0);
}

TEST_F(NcTextViewTest, EditKeysAreQueuedAndNeedRows) {
    Make({});
    QTest::keyClick(view.get(), Qt::Key_Return);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QApplication::processEvents();
    EXPECT_EQ(toggles, 0);

    lines = NumberedLines(3);
    view->UpdateFromDocument();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2}) {
        const int before = toggles;
        QTest::keyClick(view.get(), key);
        EXPECT_EQ(toggles, before);  // not inside the key handler
        QApplication::processEvents();
        EXPECT_EQ(toggles, before + 1);
    }
    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_EQ(steps, 1);
}

TEST_F(NcTextViewTest, SwapDestroyingTheListRunsAfterTheHandler) {
    // The frame's swap deletes the list: the double click must have returned by then.
    Make(NumberedLines(3));
    CNcTextView* raw = view.release();
    QPointer<CNcTextView> alive(raw);
    raw->Context().ToggleEditMode = [raw] { delete raw; };
    QTest::mouseDClick(raw->viewport(), Qt::LeftButton, {}, CellCentre(raw, 1, 2));
    EXPECT_TRUE(alive);
    QApplication::processEvents();
    EXPECT_FALSE(alive);
}

TEST_F(NcTextViewTest, FindMatchesMixedCaseAndKeepsTheText) {
    Make({"G00 X0.", "G01 XY", "G01 Xy", "G01 xy", "M30"});
    view->FindText = "xy";
    view->MatchCase = 0;
    EXPECT_EQ(view->FindNext(), 1);
    EXPECT_EQ(Model()->DropRow(), 1);
    EXPECT_TRUE(view->selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(view->currentIndex().row(), 1);
    EXPECT_EQ(view->FindNext(), 1);
    EXPECT_EQ(Model()->DropRow(), 2);
    EXPECT_EQ(view->FindNext(), 1);
    EXPECT_EQ(Model()->DropRow(), 3);
    EXPECT_EQ(view->FindNext(), 0);
    EXPECT_EQ(view->FindText, "xy");  // as typed
    EXPECT_EQ(view->FindPrevious(), 1);
    EXPECT_EQ(Model()->DropRow(), 2);

    view->MatchCase = 1;
    int row = 0;
    view->SelectLine(1, &row, 1);
    EXPECT_EQ(view->FindNext(), 1);
    EXPECT_EQ(Model()->DropRow(), 3);
    EXPECT_EQ(view->FindPrevious(), 0);
}

TEST_F(NcTextViewTest, FindPreviousNeedsAStartRow) {
    Make({"X1", "X2"});
    view->FindText = "X";
    EXPECT_EQ(view->FindPrevious(), 0);
}

TEST_F(NcTextViewTest, FindDialogSearchesAndHandsBackTheRow) {
    Make({"G00 X0.", "(Cut)", "G01 Y1.", "(CUT)"});
    view->Find();
    ASSERT_TRUE(view->FindDlg);
    FindReplaceDialog* dlg = view->FindDlg;
    view->Find();  // one dialog at a time
    EXPECT_EQ(view->FindDlg.data(), dlg);
    dlg->findChild<QLineEdit*>("id1152")->setText("cut");
    dlg->ClickFindNext();
    EXPECT_EQ(Model()->DropRow(), 1);
    dlg->ClickFindNext();
    EXPECT_EQ(Model()->DropRow(), 3);
    dlg->ClickFindNext();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Search completed successfully");
    EXPECT_EQ(view->FindText, "cut");

    QPointer<FindReplaceDialog> alive(dlg);
    dlg->findChild<QPushButton*>("id2")->click();  // Cancel
    EXPECT_FALSE(view->FindDlg);
    EXPECT_TRUE(alive);  // deleted after its own handler
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
    EXPECT_EQ(Model()->DropRow(), -1);
    EXPECT_EQ(view->FirstSelectedRow(), 3);

    // The next dialog starts with the last search.
    view->Find();
    ASSERT_TRUE(view->FindDlg);
    EXPECT_EQ(view->FindDlg->FindText(), "cut");
    EXPECT_FALSE(view->FindDlg->MatchCase());
}

TEST_F(NcTextViewTest, HandOverWritesWidthsAndRestoresTheRow) {
    Make(NumberedLines(300));
    view->setColumnWidth(2, 280);
    int row = 120;
    view->SelectLine(1, &row, 1);
    view->Find();
    PaneHandOver out;
    view->SaveViewState(out);
    EXPECT_EQ(out.SelectedRow, 120);
    EXPECT_EQ(out.TopRow, view->TopRow());
    EXPECT_EQ(out.ColumnWidths[2], 280);
    EXPECT_GT(out.RowHeight, 0);
    EXPECT_FALSE(view->FindDlg);
    EXPECT_EQ(platform::GetProfileInt("NcTextView", "ColumnWidth2", 0, Ini()), 280);

    Make(NumberedLines(300));
    EXPECT_EQ(view->columnWidth(2), 280);
    view->RestoreViewState(out);
    EXPECT_EQ(view->FirstSelectedRow(), 120);
    EXPECT_EQ(view->PendingSelection, 0);
    // A row beyond a shorter document is clamped.
    lines = NumberedLines(10);
    view->PendingSelection = 1;
    view->PendingRow = 120;
    view->PendingTopRow = 0;
    view->UpdateFromDocument();
    EXPECT_EQ(view->FirstSelectedRow(), 9);
}

// Page Up and Page Down zoom the views, as the menus show, also while the list has focus.
TEST_F(NcTextViewTest, PageKeysAreTheViewsZoomKeys) {
    Make(NumberedLines(200));
    QAction zoomIn, zoomOut;
    int in = 0, out = 0;
    QObject::connect(&zoomIn, &QAction::triggered, [&] { ++in; });
    QObject::connect(&zoomOut, &QAction::triggered, [&] { ++out; });
    view->Context().Action = [&](int command) -> QAction* {
        return command == 32777 ? &zoomIn : command == 32776 ? &zoomOut : nullptr;
    };
    const int top = view->TopRow();
    QTest::keyClick(view.get(), Qt::Key_PageUp);
    QTest::keyClick(view.get(), Qt::Key_PageDown);
    QTest::keyClick(view.get(), Qt::Key_PageDown);
    EXPECT_EQ(in, 1);
    EXPECT_EQ(out, 2);
    EXPECT_EQ(view->TopRow(), top);
}
