// The NC editor: change records of every kind of edit undone and redone exactly, the record
// fields, the commit back into the document, refused characters, fixed phrases and block
// replacement, colours, keys and the hand-over.
#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <functional>

#include "NcEditFixture.h"
#include "text/CNcTextEditLine.h"
#include "text/core/NcLineClass.h"

using NcTextEditTest = NcEditFixture;

namespace {

// A key whose text the keyboard produced: what Caps Lock or another layout gives.
void Key(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mods = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void Commit(QWidget* w, const QString& text) {
    QInputMethodEvent preedit(text, {});
    QApplication::sendEvent(w, &preedit);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(w, &commit);
}

// "(テスト)" and a line with bytes no character stands for, in CP932.
const std::string kJapaneseComment = "(\x83\x65\x83\x58\x83\x67)";
const std::string kUndecodable = "G01X1.\x80\xFF";

}  // namespace

TEST_F(NcTextEditTest, EveryEditUndoesAndRedoesExactly) {
    const std::vector<std::string> original = {"O0001", kJapaneseComment, "G01X10.Y5.",
                                               kUndecodable, "M30"};
    struct Case {
        const char* what;
        int records;  // one per key, commit, command or occurrence
        std::function<void(NcTextEditTest&)> edit;
    } cases[] = {
        {"typing", 4,
         [](NcTextEditTest& t) {
             t.Caret(0);
             QTest::keyClicks(t.edit.get(), "g01x");
         }},
        {"Shift", 1,
         [](NcTextEditTest& t) {
             t.Caret(5);
             QTest::keyClick(t.edit.get(), Qt::Key_X, Qt::ShiftModifier);
         }},
        {"Caps Lock", 2,
         [](NcTextEditTest& t) {
             t.Caret(3);
             Key(t.edit.get(), Qt::Key_A, "A");
             Key(t.edit.get(), Qt::Key_B, "B");
         }},
        {"input method", 1,
         [](NcTextEditTest& t) {
             t.Caret(7);
             Commit(t.edit.get(), "穴あけ");
         }},
        {"Enter and Tab", 3,
         [](NcTextEditTest& t) {
             t.Caret(2);
             QTest::keyClick(t.edit.get(), Qt::Key_Return);
             QTest::keyClick(t.edit.get(), Qt::Key_Tab);
             QTest::keyClick(t.edit.get(), Qt::Key_Enter, Qt::ShiftModifier);
         }},
        {"Backspace and Delete at both ends", 3,
         [](NcTextEditTest& t) {
             t.Caret(0);
             QTest::keyClick(t.edit.get(), Qt::Key_Backspace);
             QTest::keyClick(t.edit.get(), Qt::Key_Delete);
             t.edit->moveCursor(QTextCursor::End);
             QTest::keyClick(t.edit.get(), Qt::Key_Delete);
             QTest::keyClick(t.edit.get(), Qt::Key_Backspace);
             t.edit->moveCursor(QTextCursor::Left);
             QTest::keyClick(t.edit.get(), Qt::Key_Delete);
         }},
        {"joining lines", 2,
         [](NcTextEditTest& t) {
             t.Caret(6);
             QTest::keyClick(t.edit.get(), Qt::Key_Backspace);
             QTest::keyClick(t.edit.get(), Qt::Key_Backspace);
         }},
        {"overwrite", 4,
         [](NcTextEditTest& t) {
             t.edit->setOverwriteMode(true);
             t.Caret(1);
             QTest::keyClicks(t.edit.get(), "1234");
         }},
        {"cut", 1,
         [](NcTextEditTest& t) {
             t.Caret(9, 2);
             QTest::keyClick(t.edit.get(), Qt::Key_X, Qt::ControlModifier);
         }},
        {"paste", 1,
         [](NcTextEditTest& t) {
             QGuiApplication::clipboard()->setText("X1.\nY2.\r\nZ3.");
             t.Caret(14, 6);
             QTest::keyClick(t.edit.get(), Qt::Key_V, Qt::ControlModifier);
         }},
        {"fixed phrase", 1,
         [](NcTextEditTest& t) {
             t.phrases[0] = "G00X0.:M30";
             t.Caret(16);
             t.edit->InsertFixedPhrase(0);
         }},
        {"replace", 1,
         [](NcTextEditTest& t) {
             t.edit->Replace();
             ASSERT_TRUE(t.edit->FindDialog);
             t.edit->FindDialog->findChild<QLineEdit*>("id1152")->setText("x1");
             t.edit->FindDialog->findChild<QLineEdit*>("id1153")->setText("Z");
             t.Caret(0);
             t.edit->OnReplaceCurrent();
         }},
        {"Replace All", 7,
         [](NcTextEditTest& t) {
             t.edit->Replace();
             ASSERT_TRUE(t.edit->FindDialog);
             t.edit->FindDialog->findChild<QLineEdit*>("id1152")->setText("0");
             t.edit->FindDialog->findChild<QLineEdit*>("id1153")->setText("<>");
             t.edit->OnReplaceAll();
         }},
        {"block replacement", 1,
         [](NcTextEditTest& t) {
             t.edit->ReplaceInRange(2, 3, {"G01X1.", "G01X2.", "G01X3."});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        records.Reset();
        Make(original);
        const QString before = edit->Text();
        c.edit(*this);
        QApplication::processEvents();
        const QString after = edit->Text();
        ASSERT_NE(after, before);
        EXPECT_EQ(ControlText(), after);
        int undone = 0;
        while (edit->Undo()) ++undone;
        EXPECT_EQ(undone, c.records);
        EXPECT_EQ(edit->Text(), before);
        EXPECT_EQ(ControlText(), before);
        // Byte for byte: the committed lines are the document's lines as they were.
        ASSERT_EQ(edit->SaveTextToDocument(), 1);
        EXPECT_EQ(lines, original);
        while (edit->Redo()) --undone;
        EXPECT_EQ(undone, 0);
        EXPECT_EQ(edit->Text(), after);
        EXPECT_EQ(ControlText(), after);
        edit->setOverwriteMode(false);
    }
}

TEST_F(NcTextEditTest, RecordsHoldWhatWasRemovedAndWhere) {
    Make({"G01X10.Y20.", "M30"});
    Caret(10);
    QTest::keyClick(edit.get(), Qt::Key_Backspace);
    ASSERT_EQ(records.Count(), 1u);
    EXPECT_EQ(records[0].Kind, 1);
    EXPECT_EQ(records[0].Start, 9);
    EXPECT_EQ(records[0].End, 10);
    EXPECT_EQ(records[0].Removed, u"0");
    // Backspace at position 0 and Delete at the very end record nothing.
    Caret(0);
    QTest::keyClick(edit.get(), Qt::Key_Backspace);
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit.get(), Qt::Key_Delete);
    EXPECT_EQ(records.Count(), 1u);
    // Delete just before the last character is recorded.
    edit->moveCursor(QTextCursor::Left);
    QTest::keyClick(edit.get(), Qt::Key_Delete);
    ASSERT_EQ(records.Count(), 2u);
    EXPECT_EQ(records[1].Removed, u"0");
    EXPECT_EQ(edit->Text(), "G01X10.Y2.\nM3");
    EXPECT_EQ(edit->Modified, 1);
    EXPECT_EQ(textChanges, 2);
    // Copy records nothing.
    Caret(3, 0);
    edit->Copy();
    EXPECT_EQ(records.Count(), 2u);
}

TEST_F(NcTextEditTest, RecordsOutliveTheEditor) {
    Make({"G01X1.", "M30"});
    Caret(6);
    QTest::keyClicks(edit.get(), "Y2.");
    ASSERT_EQ(edit->SaveTextToDocument(), 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"G01X1.Y2.", "M30"}));
    // Back to the list and into a new editor over the committed lines: the undo still works.
    Make(lines);
    EXPECT_EQ(records.Count(), 3u);
    EXPECT_EQ(edit->Undo(), 1);
    EXPECT_EQ(edit->Text(), "G01X1.Y2\nM30");
    // Records that do not fit the text any more are dropped rather than applied.
    Make({"other"});
    EXPECT_EQ(edit->Undo(), 0);
    EXPECT_EQ(edit->Text(), "other");
    EXPECT_EQ(records.Count(), 0u);
}

TEST_F(NcTextEditTest, CommitKeepsEveryByte) {
    const std::string longLine = "G01" + std::string(297, '1');
    Make({longLine, kUndecodable, "A\rB", kJapaneseComment});
    // Not changed: nothing is written back.
    EXPECT_EQ(edit->SaveTextToDocument(), 1);
    EXPECT_TRUE(commits.empty());
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit.get(), "X");
    ASSERT_EQ(edit->SaveTextToDocument(), 1);
    ASSERT_EQ(commits.size(), 1u);
    EXPECT_EQ(commits[0],
              (std::vector<std::string>{longLine, kUndecodable, "A\rB", kJapaneseComment + "X"}));
    EXPECT_EQ(edit->Modified, 0);
}

TEST_F(NcTextEditTest, CharacterWithoutCp932FormIsRefused) {
    Make({"G01"});
    edit->moveCursor(QTextCursor::End);
    Key(edit.get(), Qt::Key_E, QStringLiteral("é"));
    EXPECT_EQ(edit->Text(), "G01");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("é"), std::string::npos);
    Commit(edit.get(), QStringLiteral("X😀"));
    EXPECT_EQ(edit->Text(), "G01");
    EXPECT_EQ(ControlText(), "G01");
    QGuiApplication::clipboard()->setText(QStringLiteral("Y\u2028Z"));
    edit->Paste();
    EXPECT_EQ(edit->Text(), "G01");
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(records.Count(), 0u);
    // Japanese text has a CP932 form.
    Commit(edit.get(), QStringLiteral("（穴）"));
    EXPECT_EQ(edit->Text(), "G01（穴）");
}

TEST_F(NcTextEditTest, PasteLeavesTheClipboardAndPhrasesNeverUseIt) {
    Make({"G01X1.", "M30"});
    QGuiApplication::clipboard()->setText("N10");
    phrases[2] = "G00X0.:M30";
    Caret(4);  // the phrase goes above the caret's line whatever the column
    edit->InsertFixedPhrase(2);
    EXPECT_EQ(edit->Text(), "G00X0.\nM30\nG01X1.\nM30");
    EXPECT_EQ(records.Count(), 1u);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "N10");
    edit->Paste();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "N10");
    EXPECT_EQ(records.Count(), 2u);
    phrases[3] = "";
    edit->InsertFixedPhrase(3);  // an empty phrase does nothing
    EXPECT_EQ(records.Count(), 2u);
}

TEST_F(NcTextEditTest, ReplaceInRangeChecksItsRows) {
    Make({"A", "B", "C"});
    EXPECT_EQ(edit->ReplaceInRange(0, 1, {"X"}), 0);
    EXPECT_EQ(edit->ReplaceInRange(2, 1, {"X"}), 0);
    EXPECT_EQ(edit->ReplaceInRange(1, 4, {"X"}), 0);
    EXPECT_EQ(records.Count(), 0u);
    // Up to the last line: no line break that was not there.
    EXPECT_EQ(edit->ReplaceInRange(2, 3, {"X", "Y"}), 1);
    EXPECT_EQ(edit->Text(), "A\nX\nY");
    EXPECT_EQ(edit->ReplaceInRange(1, 1, {"P", "Q"}), 1);
    EXPECT_EQ(edit->Text(), "P\nQ\nX\nY");
    EXPECT_EQ(records.Count(), 2u);
    EXPECT_EQ(edit->ReplaceInRange(3, 4, {}), 1);
    EXPECT_EQ(edit->Text(), "P\nQ");
}

TEST_F(NcTextEditTest, LinesTakeTheirClassColourAsTheyChange) {
    Make({"O0001", "(CUT)", "M98P100", "G01X1."});
    EXPECT_EQ(edit->LineColour(0), QColor(255, 0, 0));
    EXPECT_EQ(edit->LineColour(1), QColor(0, 128, 0));
    EXPECT_EQ(edit->LineColour(2), QColor(0, 0, 255));
    EXPECT_EQ(edit->LineColour(3), QColor(0, 0, 0));
    Caret(edit->document()->findBlockByNumber(3).position());
    QTest::keyClick(edit.get(), Qt::Key_ParenLeft, Qt::ShiftModifier);
    EXPECT_EQ(edit->LineColour(3), QColor(0, 128, 0));
    Caret(0);
    QTest::keyClick(edit.get(), Qt::Key_Delete);
    EXPECT_EQ(edit->LineColour(0), QColor(0, 0, 0));
}

TEST_F(NcTextEditTest, MarginNumbersFollowTheLineCount) {
    struct Case {
        int count;
        const char* first;
        const char* last;
    } cases[] = {{9, "1", "9"}, {10, "01", "10"}, {100, "001", "100"}};
    for (const Case& c : cases) {
        std::vector<std::string> text;
        for (int i = 0; i < c.count; ++i) text.push_back("G01X" + std::to_string(i));
        Make(text);
        edit->resize(500, 4000);
        QApplication::processEvents();
        auto numbers = edit->Margin->Numbers();
        ASSERT_FALSE(numbers.empty());
        EXPECT_EQ(numbers.front().Text, c.first);
        if (c.count < 100) {
            ASSERT_EQ(int(numbers.size()), c.count);
            EXPECT_EQ(numbers.back().Text, c.last);
        }
        // The first number sits at the first visible line plus half the line spacing.
        EXPECT_EQ(numbers.front().Y, edit->LineTop(0) + edit->LineSpacing / 2);
    }
    // Scrolled: the numbers start at the first visible line.
    edit->resize(500, 200);
    QApplication::processEvents();
    edit->verticalScrollBar()->setValue(40);
    QApplication::processEvents();
    auto numbers = edit->Margin->Numbers();
    ASSERT_FALSE(numbers.empty());
    EXPECT_EQ(numbers.front().Text, "041");
    EXPECT_EQ(numbers.front().Y, edit->LineTop(40) + edit->LineSpacing / 2);
}

TEST_F(NcTextEditTest, OriginShiftNumbersInTheMargin) {
    rules.AppMachineType = 1;
    Make({"O1", "ORIGINSFT", "X1", " Y1", "", "X2"});
    EXPECT_EQ(edit->LineMap, (std::vector<uint32_t>{0, 1, 2, 2, 0, 3}));
    std::vector<QString> texts;
    for (const auto& n : edit->Margin->Numbers()) texts.push_back(n.Text);
    EXPECT_EQ(texts, (std::vector<QString>{" ", "1", "2", "2", " ", "3"}));
    // A new line shows no number; the others keep theirs.
    Caret(edit->document()->findBlockByNumber(2).position() + 2);
    QTest::keyClick(edit.get(), Qt::Key_Return);
    EXPECT_EQ(edit->LineMap, (std::vector<uint32_t>{0, 1, 2, 0, 2, 0, 3}));
    EXPECT_EQ(edit->Undo(), 1);
    EXPECT_EQ(edit->LineMap, (std::vector<uint32_t>{0, 1, 2, 2, 0, 3}));
    // Without an ORIGINSFT line every number is blank.
    Make({"G01", "X1"});
    for (const auto& n : edit->Margin->Numbers()) EXPECT_EQ(n.Text, " ");
}

TEST_F(NcTextEditTest, HandOverAndPositions) {
    std::vector<std::string> text;
    for (int i = 0; i < 300; ++i) text.push_back("N" + std::to_string(i));
    Make(text);
    PaneHandOver in;
    in.SelectedRow = 150;
    in.TopRow = 140;
    in.ColumnWidths = {20, 60, 300};
    edit->RestoreViewState(in);
    QApplication::processEvents();
    EXPECT_EQ(edit->textCursor().blockNumber(), 150);
    EXPECT_EQ(edit->FirstVisibleLine(), 140);
    EXPECT_EQ(edit->MarginWidth(), 77);
    EXPECT_EQ(edit->Margin->width(), 77);
    EXPECT_EQ(edit->Margin->Width, 73);
    PaneHandOver out;
    edit->SaveViewState(out);
    EXPECT_EQ(out.SelectedRow, 150);
    EXPECT_GT(out.TopRow, 140);
    // A scroll line past the end is clamped to the last line.
    edit->verticalScrollBar()->setValue(edit->verticalScrollBar()->maximum());
    edit->SaveViewState(out);
    EXPECT_EQ(out.TopRow, 299);
    in.SelectedRow = -4;
    in.TopRow = 1000;
    edit->RestoreViewState(in);
    EXPECT_EQ(edit->CaretLine, 0);
    EXPECT_EQ(edit->ScrollLine, 299);
}

TEST_F(NcTextEditTest, EscapeQueuesTheSwitch) {
    Make({"G01"});
    QTest::keyClick(edit.get(), Qt::Key_Escape);
    EXPECT_EQ(toggles, 0);  // never inside the editor's own key handler
    QApplication::processEvents();
    EXPECT_EQ(toggles, 1);
    EXPECT_EQ(edit->Text(), "G01");
}

TEST_F(NcTextEditTest, UpdateFromDocumentKeepsTypedText) {
    Make({"A"});
    lines = {"B"};
    edit->UpdateFromDocument();
    EXPECT_EQ(edit->Text(), "B");
    QTest::keyClicks(edit.get(), "C");
    lines = {"D"};
    edit->UpdateFromDocument();
    EXPECT_EQ(edit->Text(), "CB");
}

TEST_F(NcTextEditTest, FindNextAndPrevious) {
    Make({"M30X", "G01", "m30 M30", "G02"});
    edit->FindText = "M30";
    // From the very start: an occurrence at position 0 is found.
    Caret(0);
    ASSERT_EQ(edit->FindNext(), 1);
    EXPECT_EQ(edit->textCursor().selectionStart(), 0);
    EXPECT_EQ(edit->FindNext(), 1);  // case off: "m30" on line 2
    EXPECT_EQ(edit->textCursor().selectionStart(), 9);
    edit->MatchCase = 1;
    EXPECT_EQ(edit->FindNext(), 1);
    EXPECT_EQ(edit->textCursor().selectionStart(), 13);
    EXPECT_EQ(edit->FindNext(), 0);  // a miss leaves the selection
    EXPECT_EQ(edit->textCursor().selectionStart(), 13);
    // Previous never matches on the caret's own line; a mixed-case text matches either case.
    edit->MatchCase = 0;
    edit->FindText = "m3";
    EXPECT_EQ(edit->FindPrevious(), 1);
    EXPECT_EQ(edit->textCursor().selectionStart(), 0);
    EXPECT_EQ(edit->SearchDown, 0);
    EXPECT_EQ(edit->FindPrevious(), 0);
    Caret(edit->document()->findBlockByNumber(3).position());
    edit->FindText = "G0";
    EXPECT_EQ(edit->FindPrevious(), 1);
    EXPECT_EQ(edit->textCursor().block().blockNumber(), 1);
    edit->FindText.clear();
    EXPECT_EQ(edit->FindNext(), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(NcTextEditTest, ReplaceAllFollowsMatchCaseAndUndoRestoresTheCase) {
    const std::vector<std::string> original = {"M30 m30", "(M30)", "M3"};
    for (int matchCase : {0, 1}) {
        SCOPED_TRACE(matchCase);
        records.Reset();
        messages.clear();
        Make(original);
        edit->Replace();
        ASSERT_TRUE(edit->FindDialog);
        edit->FindDialog->findChild<QLineEdit*>("id1152")->setText("m30");
        edit->FindDialog->findChild<QLineEdit*>("id1153")->setText("M31");
        edit->FindDialog->findChild<QCheckBox*>("id1041")->setChecked(matchCase == 1);
        edit->OnReplaceAll();
        EXPECT_EQ(edit->Text(), matchCase ? "M30 M31\n(M30)\nM3" : "M31 M31\n(M31)\nM3");
        EXPECT_EQ(ControlText(), edit->Text());
        ASSERT_EQ(records.Count(), matchCase ? 1u : 3u);
        // Each record holds the text as it stood.
        EXPECT_EQ(records[0].Removed, matchCase ? u"m30" : u"0");
        EXPECT_EQ(messages, std::vector<std::string>{"Replacement completed successfully"});
        while (edit->Undo()) {
        }
        EXPECT_EQ(edit->Text(), "M30 m30\n(M30)\nM3");
        // An empty find text is refused.
        edit->FindDialog->findChild<QLineEdit*>("id1152")->setText("");
        edit->OnReplaceAll();
        edit->OnReplaceCurrent();
        EXPECT_EQ(edit->Text(), "M30 m30\n(M30)\nM3");
    }
}

TEST_F(NcTextEditTest, ReplaceStepsThroughTheOccurrences) {
    Make({"X1 x1", "X1"});
    edit->Replace();
    edit->FindDialog->findChild<QLineEdit*>("id1152")->setText("x1");
    edit->FindDialog->findChild<QLineEdit*>("id1153")->setText("X2");
    Caret(0);
    edit->OnReplaceCurrent();  // replaces the first, selects the next
    EXPECT_EQ(edit->Text(), "X2 x1\nX1");
    EXPECT_EQ(edit->textCursor().selectedText(), "x1");
    edit->OnReplaceCurrent();
    edit->OnReplaceCurrent();
    EXPECT_EQ(edit->Text(), "X2 X2\nX2");
    EXPECT_EQ(records.Count(), 3u);
    EXPECT_EQ(messages, std::vector<std::string>{"Replacement completed successfully"});
    edit->OnReplaceCurrent();
    EXPECT_EQ(messages.size(), 2u);
    // The find dialog: a miss says so.
    PaneHandOver out;
    edit->SaveViewState(out);
    EXPECT_FALSE(edit->FindDialog);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    edit->Find();
    ASSERT_TRUE(edit->FindDialog);
    EXPECT_EQ(edit->FindMode, 0);
    edit->FindDialog->findChild<QLineEdit*>("id1152")->setText("nothing");
    edit->OnFindDialogNext();
    EXPECT_EQ(messages.back(), "Search completed successfully");
}

TEST_F(NcTextEditTest, DroppedTextIsOneRecord) {
    Make({"G01X1.", "M30"});
    QMimeData data;
    data.setText("Y2.");
    // The start of line 2.
    const QPoint at =
        edit->cursorRect(QTextCursor(edit->document()->findBlockByNumber(1))).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit->viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit->viewport(), &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit->viewport(), &drop);
    EXPECT_EQ(edit->Text(), "G01X1.\nY2.M30");
    ASSERT_EQ(records.Count(), 1u);
    EXPECT_EQ(edit->Undo(), 1);
    EXPECT_EQ(edit->Text(), "G01X1.\nM30");
}
