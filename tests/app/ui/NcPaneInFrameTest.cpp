// The NC line list and the switch form inside the main frame: the list shows the document, a
// double click swaps to the editor after its handler, the switch brings the list back.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>

#include "app/NcPaneMaker.h"
#include "app/ui/AppFixture.h"
#include "text/CNcTextSwitch.h"
#include "text/CNcTextView.h"
#include "text/NcLineModel.h"

using NcPaneInFrame = AppFixture;

TEST_F(NcPaneInFrame, ListSwapsToTheEditorAndBack) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    auto* list = dynamic_cast<CNcTextView*>(f->NcPane());
    ASSERT_NE(list, nullptr);
    auto* sw = qobject_cast<CNcTextSwitch*>(f->SwitchForm());
    ASSERT_NE(sw, nullptr);
    EXPECT_EQ(list->Model()->rowCount(), int(app_->Document->Lines.size()));
    EXPECT_EQ(list->Model()->data(list->Model()->index(1, 2)).toString(),
              QString::fromStdString(app_->Document->Lines[1]));

    int first = 0, last = 0, info = 0;
    EXPECT_TRUE(NcListBlockSearch(f)(0, 6, &first, &last, &info));
    EXPECT_FALSE(NcPaneSwitching(f)());

    int row = 6;
    ASSERT_EQ(list->SelectLine(1, &row, 1), 1);
    QPointer<CNcTextView> alive(list);
    const QPoint cell = list->visualRect(list->Model()->index(6, 2)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_TRUE(alive);  // the swap waits for the handler to return
    EXPECT_EQ(f->EditMode, 0);
    QApplication::processEvents();
    EXPECT_EQ(f->EditMode, 1);
    EXPECT_TRUE(f->NcPane()->IsEditor());
    EXPECT_EQ(f->HandOver.SelectedRow, 6);
    EXPECT_EQ(sw->Mode, 1);
    EXPECT_TRUE(sw->EditButton()->isChecked());
    EXPECT_FALSE(NcListBlockSearch(f)(0, 6, &first, &last, &info));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);

    sw->TraceButton()->click();
    EXPECT_EQ(f->EditMode, 0);
    auto* back = dynamic_cast<CNcTextView*>(f->NcPane());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->FirstSelectedRow(), 6);
    EXPECT_TRUE(sw->TraceButton()->isChecked());
    EXPECT_EQ(f->LeftSplitter()->count(), 3);
}

TEST_F(NcPaneInFrame, SwitchButtonsFollowTheTrace) {
    ASSERT_TRUE(Start({"/US"}));
    auto* sw = qobject_cast<CNcTextSwitch*>(Frame()->SwitchForm());
    ASSERT_NE(sw, nullptr);
    Frame()->EnableSwitchButtons(0);
    EXPECT_FALSE(sw->EditButton()->isEnabled());
    EXPECT_FALSE(sw->TraceButton()->isEnabled());
    Frame()->EnableSwitchButtons(1);
    EXPECT_TRUE(sw->EditButton()->isEnabled());
}

TEST_F(NcPaneInFrame, SearchCommandsReachTheList) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    QApplication::processEvents();
    auto* list = dynamic_cast<CNcTextView*>(Frame()->NcPane());
    ASSERT_NE(list, nullptr);
    list->FindText = "m103";
    ASSERT_TRUE(Frame()->OnCommand(32851));
    const int found = list->Model()->DropRow();
    ASSERT_GE(found, 0);
    EXPECT_NE(app_->Document->Lines[size_t(found)].find("M103"), std::string::npos);
    ASSERT_TRUE(Frame()->OnCommand(32850));
    EXPECT_TRUE(list->FindDlg);
    EXPECT_FALSE(Asked("not"));  // no "not yet available" message
}

// Text typed into the Edit pane is never dropped when the pane goes back to Trace: it reaches
// the document, or the pane did not take it (read-only until the editor is in the program).
TEST_F(NcPaneInFrame, TypedTextIsNeverDropped) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    const std::vector<std::string> before = app_->Document->Lines;
    f->ToggleEditMode();
    ASSERT_EQ(f->EditMode, 1);
    QWidget* pane = f->NcPane()->Widget();
    auto* edit = qobject_cast<QPlainTextEdit*>(pane);
    ASSERT_NE(edit, nullptr);
    edit->moveCursor(QTextCursor::Start);
    const QString shown = edit->toPlainText();
    QTest::keyClicks(edit, "TYPED");
    const bool took = edit->toPlainText() != shown;
    f->ToggleEditMode();
    ASSERT_EQ(f->EditMode, 0);
    if (took) {
        EXPECT_EQ(app_->Document->Lines[0].substr(0, 5), "TYPED");
    } else {
        EXPECT_EQ(app_->Document->Lines, before);
    }
}

// Clicking the text of a row keeps the list's horizontal position: the line numbers stay in
// sight in the narrow left pane.
TEST_F(NcPaneInFrame, ClickingARowKeepsTheLineNumbersInSight) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    QApplication::processEvents();
    auto* list = dynamic_cast<CNcTextView*>(Frame()->NcPane());
    ASSERT_NE(list, nullptr);
    list->resize(250, list->height());
    QApplication::processEvents();
    QScrollBar* bar = list->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    ASSERT_EQ(bar->value(), 0);
    const QRect text = list->visualRect(list->Model()->index(5, 2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(text.left() + 20, text.center().y()));
    EXPECT_EQ(list->FirstSelectedRow(), 5);
    // The item view scrolls to the clicked item later (once the double-click time is over).
    list->scrollTo(list->currentIndex());
    EXPECT_EQ(bar->value(), 0);
}
