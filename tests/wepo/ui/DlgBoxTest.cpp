// Table-driven dialogs run through wpDlgBoxCtrl on small test templates, driven by a script
// that the hook starts once the dialog is filled.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "wepo/Wepo.h"
#include "wepo/core/NumberFormat.h"

namespace {

const char* kTemplates = MORVALEN_TEST_DATA "/wepo/templates";

// What a test does inside the running dialog, and what its hook answers.
struct Script {
    std::function<void(QWidget*)> onInit;
    std::function<int(QWidget*, const DlgBoxEvent&)> answer;
    std::vector<DlgBoxEvent> events;
    bool timedOut = false;
};
Script* g_script = nullptr;

int ScriptHook(QWidget* dialog, const DlgBoxEvent* e) {
    Script* s = g_script;
    s->events.push_back(*e);
    if (e->type == DBE_INIT) {
        // A dialog the script forgets to end fails the test instead of hanging it.
        QTimer::singleShot(5000, dialog, [s, dialog] {
            s->timedOut = true;
            DlgBoxEnd(dialog, 0);
        });
        if (s->onInit) {
            QTimer::singleShot(0, dialog, [s, dialog] {
                dialog->activateWindow();
                QApplication::setActiveWindow(dialog);
                s->onInit(dialog);
            });
        }
    }
    return s->answer ? s->answer(dialog, *e) : 0;
}

int RunDialog(Script& script, DlgBoxItem* items, int count, int templateId = 900) {
    g_script = &script;
    int result = wpDlgBoxCtrl(kTemplates, templateId, nullptr, items, count, ScriptHook);
    EXPECT_FALSE(script.timedOut) << "the script did not end the dialog";
    g_script = nullptr;
    return result;
}

template <class T>
T* Control(QWidget* dialog, unsigned id) {
    auto* w = qobject_cast<T*>(DlgBoxControl(dialog, id));
    EXPECT_NE(w, nullptr) << "control " << id;
    return w;
}

QString Text(QWidget* dialog, unsigned id) {
    return Control<QLineEdit>(dialog, id)->text();
}

// Types into an edit and then moves the focus elsewhere, as a user leaving the field does.
void TypeAndLeave(QWidget* dialog, unsigned id, const QString& text, unsigned next) {
    QLineEdit* edit = Control<QLineEdit>(dialog, id);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    DlgBoxControl(dialog, next)->setFocus();
}

// Types text one character at a time, each as a key event carrying that character.
void TypeText(QWidget* widget, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

void Click(QWidget* dialog, unsigned id) {
    QAbstractButton* button = Control<QAbstractButton>(dialog, id);
    // Check boxes and radio buttons take clicks on their indicator and caption only.
    bool indicator = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    QPoint at = indicator ? QPoint(6, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

bool HasEvent(const Script& s, int type, unsigned id, int code) {
    for (const DlgBoxEvent& e : s.events)
        if (e.type == type && e.controlId == id && e.code == code) return true;
    return false;
}

unsigned Attr(unsigned kind, unsigned type, unsigned flags = 0) {
    return DlgBoxAttributes(kind, type, flags);
}

TEST(DlgBoxTest, FillClampsAndOkStoresTheClampedValues) {
    double d = 150;
    int32_t unclamped = 150;
    int16_t s = -5;
    Script script;
    QString shown[3];
    script.onInit = [&](QWidget* dlg) {
        shown[0] = Text(dlg, 100);
        shown[1] = Text(dlg, 101);
        shown[2] = Text(dlg, 102);
        Click(dlg, DBID_OK);
    };
    DlgBoxItem items[] = {
        {100, Attr(DBK_EDIT, DBV_DOUBLE), &d, 0, 100, nullptr},
        {101, Attr(DBK_EDIT, DBV_LONG), &unclamped, 7, 7, nullptr},  // min = max: no clamping
        {102, Attr(DBK_EDIT, DBV_SHORT), &s, 0.9, 10.5, "%d"},       // bounds truncated: 0 .. 10
    };
    EXPECT_EQ(RunDialog(script, items, 3), 1);
    EXPECT_EQ(shown[0], "100.000");
    EXPECT_EQ(shown[1], "150");
    EXPECT_EQ(shown[2], "0");
    EXPECT_EQ(d, 100);
    EXPECT_EQ(unclamped, 150);
    EXPECT_EQ(s, 0);
}

TEST(DlgBoxTest, RadioAndComboWithOutOfRangeValues) {
    int32_t radio = 7, combo = -1, combo2 = 9;
    int8_t check = 3;
    Script script;
    bool third = false, comboEmpty = false, combo2Empty = false, checked = false;
    script.onInit = [&](QWidget* dlg) {
        third = Control<QRadioButton>(dlg, 122)->isChecked();
        comboEmpty = Control<QComboBox>(dlg, 130)->currentIndex() == -1;
        checked = Control<QCheckBox>(dlg, 110)->isChecked();
        Click(dlg, DBID_OK);
    };
    DlgBoxItem items[] = {
        {120, Attr(DBK_RADIO, DBV_LONG), &radio, 0, 3, "a\0b\0c\0"},
        {130, Attr(DBK_COMBO, DBV_LONG), &combo, 0, 3, "RO\0SQ\0RE\0"},
        {110, Attr(DBK_CHECK, DBV_CHAR), &check, 0, 0, "Endless"},
    };
    EXPECT_EQ(RunDialog(script, items, 3), 1);
    EXPECT_TRUE(third);
    EXPECT_TRUE(comboEmpty);
    EXPECT_TRUE(checked);
    EXPECT_EQ(radio, 2);
    EXPECT_EQ(combo, -1);  // no choice leaves the variable
    EXPECT_EQ(check, 1);

    // A combo index beyond its entries shows no selection either; a choice is stored.
    DlgBoxItem beyond[] = {
        {120, Attr(DBK_RADIO, DBV_LONG), &radio, 0, 3, "a\0b\0c\0"},
        {130, Attr(DBK_COMBO, DBV_LONG), &combo2, 0, 3, "RO\0SQ\0RE\0"},
    };
    Script again;
    again.onInit = [&](QWidget* dlg) {
        combo2Empty = Control<QComboBox>(dlg, 130)->currentIndex() == -1;
        EXPECT_EQ(Control<QComboBox>(dlg, 130)->count(), 3);
        EXPECT_EQ(Control<QRadioButton>(dlg, 121)->text(), "b");
        Control<QComboBox>(dlg, 130)->setCurrentIndex(1);
        Click(dlg, 120);  // first radio button
        Click(dlg, DBID_OK);
    };
    EXPECT_EQ(RunDialog(again, beyond, 2), 1);
    EXPECT_TRUE(combo2Empty);
    EXPECT_EQ(combo2, 1);
    EXPECT_EQ(radio, 0);
}

TEST(DlgBoxTest, ReformatOnLeavingAnEditEvaluatesClampsAndFormats) {
    double a = 0, b = 0, c = 0, f = 0, h = 0;
    float g = 0;
    Script script;
    QString after[6];
    script.onInit = [&](QWidget* dlg) {
        TypeAndLeave(dlg, 100, "2*3", 101);
        TypeAndLeave(dlg, 101, "abc", 102);
        TypeAndLeave(dlg, 102, "sqrt(2)+1000", 103);
        TypeAndLeave(dlg, 103, "30:15'", 104);
        TypeAndLeave(dlg, 104, "1/3", 105);
        TypeAndLeave(dlg, 105, "4/0", 100);
        for (int i = 0; i < 6; ++i) after[i] = Text(dlg, 100 + i);
        Click(dlg, DBID_CANCEL);
    };
    DlgBoxItem items[] = {
        {100, Attr(DBK_EDIT, DBV_DOUBLE), &a, 0, 0, nullptr},
        {101, Attr(DBK_EDIT, DBV_DOUBLE), &b, 0, 0, nullptr},
        {102, Attr(DBK_EDIT, DBV_DOUBLE), &c, 0, 100, "%.2lf"},
        {103, Attr(DBK_EDIT, DBV_DOUBLE), &f, 0, 0, "%d"},  // a format for another type
        {104, Attr(DBK_EDIT, DBV_FLOAT), &g, 0, 0, "%.9f"},
        {105, Attr(DBK_EDIT, DBV_DOUBLE), &h, 0, 0, nullptr},
    };
    EXPECT_EQ(RunDialog(script, items, 6), 0);
    EXPECT_EQ(after[0], "6.000");
    EXPECT_EQ(after[1], "0.000");        // no expression, no leading number
    EXPECT_EQ(after[2], "100.00");       // clamped
    EXPECT_EQ(after[3], "30.250");       // the default format replaces "%d"
    EXPECT_EQ(after[4], "0.333333343");  // rounded to float precision
    EXPECT_EQ(after[5], "4/0");          // no finite number: the text stays
    EXPECT_TRUE(HasEvent(script, DBE_COMMAND, 100, DBN_KILLFOCUS));
    EXPECT_EQ(a, 0);  // cancelled: nothing stored
}

// Runs check on the next message box that opens over the dialog, then closes it with OK.
void OnMessage(std::function<void(QMessageBox*)> check) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, check] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        timer->stop();
        timer->deleteLater();
        check(box);
        box->button(QMessageBox::Ok)->click();
    });
    timer->start();
}

TEST(DlgBoxTest, AResultThatIsNoFiniteNumberIsRefusedAndTheTextKept) {
    const struct {
        const char* typed;
        bool refused;
        const char* shown;
    } cases[] = {
        {"1/0", true, "1/0"},           {"-1/0", true, "-1/0"},  {"0/0", true, "0/0"},
        {"sqrt(-1)", true, "sqrt(-1)"}, {"1/4", false, "0.250"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        double value = 7, other = 0, storedAtRefusal = 0;
        QString shown, tip, message, mendedTip;
        bool red = false, mendedRed = true, openAfterOk = false;
        Script script;
        script.onInit = [&](QWidget* dlg) {
            QLineEdit* edit = Control<QLineEdit>(dlg, 100);
            TypeAndLeave(dlg, 100, c.typed, 101);
            shown = edit->text();
            tip = edit->toolTip();
            red = edit->palette().color(QPalette::Text) == Qt::red;
            if (c.refused) {
                OnMessage([&](QMessageBox* box) { message = box->text(); });
                Click(dlg, DBID_OK);
                openAfterOk = dlg->isVisible() && dlg->focusWidget() == edit;
                storedAtRefusal = value;
                // A mended text is taken as usual and the field looks as before.
                QApplication::setActiveWindow(dlg);  // back from the message box
                TypeAndLeave(dlg, 100, "2*3", 101);
                mendedTip = edit->toolTip();
                mendedRed = edit->palette().color(QPalette::Text) == Qt::red;
            }
            Click(dlg, DBID_OK);
        };
        DlgBoxItem items[] = {
            {100, Attr(DBK_EDIT, DBV_DOUBLE), &value, 0, 0, nullptr},
            {101, Attr(DBK_EDIT, DBV_DOUBLE), &other, 0, 0, nullptr},
        };
        EXPECT_EQ(RunDialog(script, items, 2), 1);
        EXPECT_EQ(shown, c.shown);
        if (c.refused) {
            // The field keeps the text in red and says why; OK says it again, stores nothing and
            // waits with the focus on the field.
            EXPECT_TRUE(tip.startsWith(QString(c.typed) + "\n")) << tip.toStdString();
            EXPECT_TRUE(red);
            EXPECT_EQ(message, tip);
            EXPECT_TRUE(openAfterOk);
            EXPECT_EQ(storedAtRefusal, 7);
            EXPECT_TRUE(mendedTip.isEmpty());
            EXPECT_FALSE(mendedRed);
            EXPECT_EQ(value, 6);
        } else {
            EXPECT_TRUE(tip.isEmpty());
            EXPECT_FALSE(red);
            EXPECT_TRUE(message.isEmpty());
            EXPECT_EQ(value, 0.25);
        }
    }
}

// OK is not the only way into the variables: a hook may store one item or all, and ending the
// dialog with 1 stores every tab page. A text that gave no finite number stores by none of them.
TEST(DlgBoxTest, ARefusedTextIsStoredByNoWayOfStoring) {
    enum Way { kStoreOne, kStoreAll, kEndOnAPage };
    const struct {
        const char* typed;
        Way way;
    } cases[] = {
        {"1/0", kStoreOne},      {"sqrt(-1)", kStoreOne}, {"1/0", kStoreAll},
        {"sqrt(-1)", kStoreAll}, {"1/0", kEndOnAPage},    {"sqrt(-1)", kEndOnAPage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " way " + std::to_string(c.way));
        double value = 7, other = 0, page = 7;
        int32_t flag = 0;
        QString after;
        int stored = -1;
        DlgBoxItem pageItems[] = {
            {100, Attr(DBK_EDIT, DBV_DOUBLE), &page, 0, 0, nullptr},
            {110, Attr(DBK_CHECK, DBV_LONG), &flag, 0, 0, "Flag"},
        };
        DlgBoxPage pages[] = {{nullptr, 901, nullptr, 2, pageItems}};
        Script script;
        script.onInit = [&](QWidget* dlg) {
            if (c.way == kEndOnAPage) {
                // Typed on the page and never left: the end's store evaluates it first.
                auto* tabs = Control<QTabWidget>(dlg, 180);
                qobject_cast<QLineEdit*>(DlgBoxControl(tabs->widget(0), 100))->setText(c.typed);
                DlgBoxEnd(dlg, 1);
                return;
            }
            TypeAndLeave(dlg, 100, c.typed, 101);
            stored = DlgBoxStoreItem(dlg, c.way == kStoreOne ? 0 : -1);
            after = Text(dlg, 100);
            Click(dlg, DBID_CANCEL);
        };
        if (c.way == kEndOnAPage) {
            DlgBoxItem tab{180, Attr(DBK_TAB, DBV_PAGES), pages, 0, 1, nullptr};
            EXPECT_EQ(RunDialog(script, &tab, 1), 1);
            EXPECT_EQ(page, 7);
        } else {
            DlgBoxItem items[] = {
                {100, Attr(DBK_EDIT, DBV_DOUBLE), &value, 0, 0, nullptr},
                {101, Attr(DBK_EDIT, DBV_DOUBLE), &other, 0, 0, nullptr},
            };
            EXPECT_EQ(RunDialog(script, items, 2), 0);
            EXPECT_EQ(stored, 1);  // the other items are stored as usual
            EXPECT_EQ(value, 7);
            EXPECT_EQ(after, c.typed);
        }
    }
}

TEST(DlgBoxTest, EnterInANumericEditStoresTheEvaluatedValue) {
    double d = 0;
    int32_t n = 0;
    Script script;
    double seenByHook = -1;
    script.answer = [&](QWidget* dlg, const DlgBoxEvent& e) {
        if (e.type == DBE_COMMAND && e.controlId == DBID_OK) seenByHook = Text(dlg, 100).toDouble();
        return 0;
    };
    script.onInit = [&](QWidget* dlg) {
        QLineEdit* edit = Control<QLineEdit>(dlg, 101);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "7/2");
        edit = Control<QLineEdit>(dlg, 100);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "2*3");
        QTest::keyClick(edit, Qt::Key_Return);
    };
    DlgBoxItem items[] = {
        {100, Attr(DBK_EDIT, DBV_DOUBLE), &d, 0, 0, nullptr},
        {101, Attr(DBK_EDIT, DBV_LONG), &n, 0, 0, nullptr},
    };
    EXPECT_EQ(RunDialog(script, items, 2), 1);
    EXPECT_EQ(d, 6);
    EXPECT_EQ(seenByHook, 6);  // the hook sees OK after the reformat
    EXPECT_EQ(n, 3);           // 3.5 truncated toward zero
}

TEST(DlgBoxTest, NarrowIntegersSaturateInsteadOfWrapping) {
    int8_t c = 0;
    int16_t s = 0;
    int32_t l = 0;
    Script script;
    QString shown[3];
    script.onInit = [&](QWidget* dlg) {
        TypeAndLeave(dlg, 100, "300", 101);
        TypeAndLeave(dlg, 101, "-70000", 102);
        TypeAndLeave(dlg, 102, "5e9", 100);
        for (int i = 0; i < 3; ++i) shown[i] = Text(dlg, 100 + i);
        // Text typed and confirmed at once goes through the same reformat.
        Control<QLineEdit>(dlg, 100)->setText("-1000");
        Click(dlg, DBID_OK);
    };
    DlgBoxItem items[] = {
        {100, Attr(DBK_EDIT, DBV_CHAR), &c, 0, 0, nullptr},
        {101, Attr(DBK_EDIT, DBV_SHORT), &s, 0, 0, nullptr},
        {102, Attr(DBK_EDIT, DBV_LONG), &l, 0, 0, nullptr},
    };
    EXPECT_EQ(RunDialog(script, items, 3), 1);
    EXPECT_EQ(shown[0], "127");
    EXPECT_EQ(shown[1], "-32768");
    EXPECT_EQ(shown[2], "2147483647");
    EXPECT_EQ(c, -128);
    EXPECT_EQ(s, -32768);
    EXPECT_EQ(l, 2147483647);
}

TEST(DlgBoxTest, SpinStepsByOneThroughArrowsAndKeys) {
    double d = 2.5, bounded = 9;
    int32_t n = 5;
    Script script;
    QString texts[5];
    script.onInit = [&](QWidget* dlg) {
        QLineEdit* edit = Control<QLineEdit>(dlg, 100);
        auto arrows = edit->findChildren<QToolButton*>();
        ASSERT_EQ(arrows.size(), 2);
        QTest::mouseClick(arrows[0], Qt::LeftButton);  // up
        texts[0] = edit->text();
        QTest::mouseClick(arrows[1], Qt::LeftButton);  // down
        QTest::mouseClick(arrows[1], Qt::LeftButton);
        texts[1] = edit->text();
        QLineEdit* count = Control<QLineEdit>(dlg, 101);
        count->setFocus();
        QTest::keyClick(count, Qt::Key_Up);
        texts[2] = count->text();
        QLineEdit* top = Control<QLineEdit>(dlg, 102);
        top->setFocus();
        QTest::keyClick(top, Qt::Key_Up);  // 10 is the maximum
        QTest::keyClick(top, Qt::Key_Up);
        texts[3] = top->text();
        edit->setText("abc");
        QTest::mouseClick(arrows[0], Qt::LeftButton);
        texts[4] = edit->text();
        Click(dlg, DBID_OK);
    };
    DlgBoxItem items[] = {
        {100, Attr(DBK_EDIT, DBV_DOUBLE, DBF_SPIN), &d, 0, 0, "%.1lf"},
        {101, Attr(DBK_EDIT, DBV_LONG, DBF_SPIN), &n, 0, 0, nullptr},
        {102, Attr(DBK_EDIT, DBV_DOUBLE, DBF_SPIN), &bounded, 0, 10, nullptr},
    };
    EXPECT_EQ(RunDialog(script, items, 3), 1);
    EXPECT_EQ(texts[0], "3.5");
    EXPECT_EQ(texts[1], "1.5");
    EXPECT_EQ(texts[2], "6");
    EXPECT_EQ(texts[3], "10.000");
    EXPECT_EQ(texts[4], "1.0");  // "abc" reads as 0
    EXPECT_EQ(n, 6);
    EXPECT_EQ(d, 1);
    EXPECT_TRUE(HasEvent(script, DBE_NOTIFY, 100, DBN_SPINDELTA));
}

TEST(DlgBoxTest, HookThatConsumesTheSpinOrTheFocusOutStopsTheDefault) {
    double a = 1, b = 1;
    Script script;
    QString texts[2];
    script.answer = [](QWidget*, const DlgBoxEvent& e) {
        return (e.type == DBE_NOTIFY && e.code == DBN_SPINDELTA) ||
               (e.type == DBE_COMMAND && e.controlId == 101 && e.code == DBN_KILLFOCUS);
    };
    script.onInit = [&](QWidget* dlg) {
        QLineEdit* edit = Control<QLineEdit>(dlg, 100);
        QTest::mouseClick(edit->findChildren<QToolButton*>().value(0), Qt::LeftButton);
        texts[0] = edit->text();
        TypeAndLeave(dlg, 101, "2+2", 100);
        texts[1] = Text(dlg, 101);
        Click(dlg, DBID_CANCEL);
    };
    DlgBoxItem items[] = {
        {100, Attr(DBK_EDIT, DBV_DOUBLE, DBF_SPIN), &a, 0, 0, nullptr},
        {101, Attr(DBK_EDIT, DBV_DOUBLE), &b, 0, 0, nullptr},
    };
    EXPECT_EQ(RunDialog(script, items, 2), 0);
    EXPECT_EQ(texts[0], "1.000");
    EXPECT_EQ(texts[1], "2+2");
}

TEST(DlgBoxTest, Results) {
    double d = 1;
    DlgBoxItem items[] = {
        {100, Attr(DBK_EDIT, DBV_DOUBLE), &d, 0, 0, nullptr},
        {150, Attr(DBK_BUTTON, DBV_OK), nullptr, 0, 0, "Store"},
        {151, Attr(DBK_BUTTON, DBV_CANCEL), nullptr, 0, 0, "Drop"},
    };
    struct Case {
        const char* name;
        std::function<void(QWidget*)> act;
        int result;
        double stored;
    } cases[] = {
        {"OK", [](QWidget* dlg) { Click(dlg, DBID_OK); }, 1, 5},
        {"Cancel", [](QWidget* dlg) { Click(dlg, DBID_CANCEL); }, 0, 1},
        {"close box", [](QWidget* dlg) { dlg->close(); }, 0, 1},
        {"Escape", [](QWidget* dlg) { QTest::keyClick(DlgBoxControl(dlg, 100), Qt::Key_Escape); },
         0, 1},
        {"DBV_OK button", [](QWidget* dlg) { Click(dlg, 150); }, 150, 5},
        {"DBV_CANCEL button", [](QWidget* dlg) { Click(dlg, 151); }, 151, 1},
        {"DlgBoxEnd", [](QWidget* dlg) { DlgBoxEnd(dlg, 1); }, 1, 1},  // ends without storing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        d = 1;
        Script script;
        script.onInit = [&](QWidget* dlg) {
            Control<QLineEdit>(dlg, 100)->setText("5");
            c.act(dlg);
        };
        EXPECT_EQ(RunDialog(script, items, 3), c.result);
        EXPECT_EQ(d, c.stored);
        EXPECT_TRUE(HasEvent(script, DBE_DESTROY, 0, 0));
    }
    EXPECT_EQ(wpDlgBoxCtrl(kTemplates, 999, nullptr, items, 3, nullptr), -1);  // no template
    EXPECT_EQ(wpDlgBoxCtrl("/nonexistent", 900, nullptr, items, 3, nullptr), -1);
}

TEST(DlgBoxTest, ButtonIdStaysTheResultAfterTheHookRefusedOk) {
    double d = 1;
    DlgBoxItem items[] = {
        {100, Attr(DBK_EDIT, DBV_DOUBLE), &d, 0, 0, nullptr},
        {150, Attr(DBK_BUTTON, DBV_OK), nullptr, 0, 0, "Store"},
    };
    Script script;
    int refused = 0;
    script.answer = [&](QWidget* dlg, const DlgBoxEvent& e) {
        if (e.type == DBE_COMMAND && e.controlId == DBID_OK && refused == 0) {
            ++refused;
            // The posted OK was refused: the dialog stays; the user then cancels.
            QTimer::singleShot(0, dlg, [dlg] { Click(dlg, DBID_CANCEL); });
            return 1;
        }
        return 0;
    };
    script.onInit = [&](QWidget* dlg) {
        Control<QLineEdit>(dlg, 100)->setText("5");
        Click(dlg, 150);
    };
    EXPECT_EQ(RunDialog(script, items, 2), 150);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(d, 1);  // ended by Cancel: nothing stored
}

TEST(DlgBoxTest, HookThatConsumesOkKeepsTheDialogOpen) {
    int32_t n = 1;
    DlgBoxItem items[] = {{100, Attr(DBK_EDIT, DBV_LONG), &n, 0, 0, nullptr}};
    Script script;
    int oks = 0;
    script.answer = [&](QWidget* dlg, const DlgBoxEvent& e) {
        if (e.type != DBE_COMMAND || e.controlId != DBID_OK) return 0;
        ++oks;
        if (Text(dlg, 100) == "13") {
            DlgBoxFocusItem(dlg, 100);
            return 1;  // a taken number: refused
        }
        return 0;
    };
    script.onInit = [&](QWidget* dlg) {
        Control<QLineEdit>(dlg, 100)->setText("10+3");
        Click(dlg, DBID_OK);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(Text(dlg, 100), "13");
        Control<QLineEdit>(dlg, 100)->setText("14");
        Click(dlg, DBID_OK);
    };
    EXPECT_EQ(RunDialog(script, items, 1), 1);
    EXPECT_EQ(oks, 2);
    EXPECT_EQ(n, 14);
}

TEST(DlgBoxTest, EveryControlWithAnIdReportsToTheHook) {
    Script script;
    script.onInit = [&](QWidget* dlg) {
        auto* list = Control<QListWidget>(dlg, 160);
        list->addItems({"one", "two"});
        QRect r = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
        auto* tree = Control<QTreeWidget>(dlg, 170);
        tree->addTopLevelItem(new QTreeWidgetItem({"row"}));
        r = tree->visualItemRect(tree->topLevelItem(0));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, r.center());
        auto* combo = Control<QComboBox>(dlg, 130);
        combo->addItems({"a", "b"});
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        Click(dlg, 110);
        Click(dlg, DBID_CANCEL);
    };
    EXPECT_EQ(RunDialog(script, nullptr, 0), 0);
    EXPECT_TRUE(HasEvent(script, DBE_INIT, 0, 0));
    EXPECT_TRUE(HasEvent(script, DBE_COMMAND, 160, DBN_SELCHANGE));
    EXPECT_TRUE(HasEvent(script, DBE_COMMAND, 160, DBN_DBLCLK));
    EXPECT_TRUE(HasEvent(script, DBE_NOTIFY, 170, DBN_SELCHANGE));
    EXPECT_TRUE(HasEvent(script, DBE_NOTIFY, 170, DBN_DBLCLK));
    EXPECT_TRUE(HasEvent(script, DBE_COMMAND, 130, DBN_SELCHANGE));
    EXPECT_TRUE(HasEvent(script, DBE_COMMAND, 110, DBN_CLICKED));
    EXPECT_TRUE(HasEvent(script, DBE_COMMAND, DBID_CANCEL, DBN_CLICKED));
    EXPECT_EQ(script.events.back().type, DBE_DESTROY);
}

TEST(DlgBoxTest, PostedCommandsRunAfterTheCurrentEvent) {
    Script script;
    std::vector<unsigned> order;
    script.answer = [&](QWidget* dlg, const DlgBoxEvent& e) {
        if (e.type != DBE_COMMAND || e.code != DBN_CLICKED) return 0;
        order.push_back(e.controlId);
        if (e.controlId == 110) {
            EXPECT_EQ(DlgBoxPostCommand(dlg, 4242), 1);
            order.push_back(0);  // the hook goes on before the posted command arrives
        }
        if (e.controlId == 4242) DlgBoxPostCommand(dlg, DBID_OK);
        return 0;
    };
    script.onInit = [&](QWidget* dlg) { Click(dlg, 110); };
    EXPECT_EQ(RunDialog(script, nullptr, 0), 1);
    EXPECT_EQ(order, (std::vector<unsigned>{110, 0, 4242, DBID_OK}));
}

TEST(DlgBoxTest, StringItemsKeepCp932BytesAndTheirBufferLimit) {
    char name[8] = "\x8B\xE0\x8C\x5E";  // "金型" in CP932 (the second trail byte is a backslash)
    char label[32] = "ab";
    Script script;
    QString shown, status;
    int maxLength = 0;
    script.onInit = [&](QWidget* dlg) {
        QLineEdit* edit = Control<QLineEdit>(dlg, 103);
        shown = edit->text();
        maxLength = edit->maxLength();
        status = Control<QLabel>(dlg, 140)->text();
        edit->setFocus();
        edit->end(false);
        TypeText(edit, QString::fromUtf8("穴あき"));  // only one more double-byte fits
        Click(dlg, DBID_OK);
    };
    DlgBoxItem items[] = {
        {103, Attr(DBK_EDIT, DBV_STRING), name, 0, sizeof name, nullptr},
        {140, Attr(DBK_STATIC, DBV_STRING), label, 0, sizeof label, "[%s]"},
    };
    EXPECT_EQ(RunDialog(script, items, 2), 1);
    EXPECT_EQ(shown, QString::fromUtf8("金型"));
    EXPECT_EQ(maxLength, 7);
    EXPECT_EQ(status, "[ab]");
    EXPECT_STREQ(name, "\x8B\xE0\x8C\x5E\x8C\x8A");  // 金型穴: six bytes and the NUL
}

TEST(DlgBoxTest, DisableHideAndCaptions) {
    int32_t r = 0, c = 0;
    Script script;
    bool states[4] = {};
    QString captions[2];
    script.onInit = [&](QWidget* dlg) {
        states[0] = Control<QRadioButton>(dlg, 121)->isEnabled();
        states[1] = Control<QRadioButton>(dlg, 122)->isEnabled();
        states[2] = Control<QCheckBox>(dlg, 110)->isHidden();
        states[3] = Control<QLineEdit>(dlg, 100)->isEnabled();
        captions[0] = Control<QCheckBox>(dlg, 110)->text();
        captions[1] = Control<QPushButton>(dlg, 150)->text();
        Click(dlg, DBID_CANCEL);
    };
    DlgBoxItem items[] = {
        {120, Attr(DBK_RADIO, DBV_LONG, DBF_DISABLE), &r, 0, 3, nullptr},
        {110, Attr(DBK_CHECK, DBV_LONG, DBF_HIDE), &c, 0, 0, "Hidden box"},
        {150, Attr(DBK_BUTTON, DBV_OK), nullptr, 0, 0, "Apply"},
    };
    EXPECT_EQ(RunDialog(script, items, 3), 0);
    EXPECT_FALSE(states[0]);
    EXPECT_FALSE(states[1]);
    EXPECT_TRUE(states[2]);
    EXPECT_TRUE(states[3]);
    EXPECT_EQ(captions[0], "Hidden box");
    EXPECT_EQ(captions[1], "Apply");
}

TEST(DlgBoxTest, FailedFillEndsWithZeroBeforeTheHookSeesInit) {
    double d = 0;
    char buffer[4] = "";
    struct Case {
        const char* name;
        DlgBoxItem item;
    } cases[] = {
        {"missing control", {555, Attr(DBK_EDIT, DBV_DOUBLE), &d, 0, 0, nullptr}},
        {"null variable", {100, Attr(DBK_EDIT, DBV_DOUBLE), nullptr, 0, 0, nullptr}},
        {"string edit without room", {100, Attr(DBK_EDIT, DBV_STRING), buffer, 0, 0, nullptr}},
        {"string in a check box", {110, Attr(DBK_CHECK, DBV_STRING), buffer, 0, 4, nullptr}},
        {"OK type on an edit", {100, Attr(DBK_EDIT, DBV_OK), nullptr, 0, 0, nullptr}},
        {"pages without a table", {180, Attr(DBK_TAB, DBV_PAGES), nullptr, 0, 2, nullptr}},
        {"pages on an edit", {100, Attr(DBK_EDIT, DBV_PAGES), &d, 0, 2, nullptr}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        Script script;
        EXPECT_EQ(RunDialog(script, &c.item, 1), 0);
        EXPECT_FALSE(HasEvent(script, DBE_INIT, 0, 0));
        EXPECT_TRUE(HasEvent(script, DBE_DESTROY, 0, 0));
    }
}

// Tab pages: each page is a table-driven form of its own, shown in the tab widget.
struct PageData {
    double value = 1;
    int32_t flag = 0;
};
std::vector<DlgBoxEvent> g_pageEvents;
int PageHook(QWidget*, const DlgBoxEvent* e) {
    g_pageEvents.push_back(*e);
    return 0;
}

TEST(DlgBoxTest, TabPagesOpenOnTheirPageAndStoreItOnOk) {
    PageData data[3];
    DlgBoxItem pageItems[3][2];
    DlgBoxPage pages[3];
    for (int i = 0; i < 3; ++i) {
        pageItems[i][0] = {100, Attr(DBK_EDIT, DBV_DOUBLE), &data[i].value, 0, 0, nullptr};
        pageItems[i][1] = {110, Attr(DBK_CHECK, DBV_LONG), &data[i].flag, 0, 0, "Flag"};
        pages[i] = {nullptr, 901 + i, i == 0 ? PageHook : nullptr, 2, pageItems[i]};
    }
    struct Case {
        double min, max;
        int shown;
    } cases[] = {{2, 3, 2}, {3, 3, 0}, {-1, 3, 0}, {1, 3, 1}};
    for (const Case& c : cases) {
        DlgBoxItem tab{180, Attr(DBK_TAB, DBV_PAGES, DBF_STOREPAGE), pages, c.min, c.max, nullptr};
        Script script;
        int shown = -1;
        QStringList titles;
        script.onInit = [&](QWidget* dlg) {
            auto* tabs = Control<QTabWidget>(dlg, 180);
            shown = tabs->currentIndex();
            for (int i = 0; i < tabs->count(); ++i) titles << tabs->tabText(i);
            Click(dlg, DBID_CANCEL);
        };
        EXPECT_EQ(RunDialog(script, &tab, 1), 0);
        EXPECT_EQ(shown, c.shown) << c.min << " " << c.max;
        EXPECT_EQ(titles, (QStringList{"First", "Second", "Third"}));
        EXPECT_EQ(tab.min, c.min);  // cancelled: min unchanged
    }

    // The user chooses page 1 and fills a page; OK stores the page index and every page.
    DlgBoxItem tab{180, Attr(DBK_TAB, DBV_PAGES, DBF_STOREPAGE), pages, 0, 3, nullptr};
    g_pageEvents.clear();
    Script script;
    bool okHidden = false;
    script.onInit = [&](QWidget* dlg) {
        auto* tabs = Control<QTabWidget>(dlg, 180);
        QWidget* page1 = tabs->widget(1);
        okHidden = DlgBoxControl(page1, 1)->isHidden();
        // The dialog's own id 100 is not the page's.
        EXPECT_NE(DlgBoxControl(dlg, 100), DlgBoxControl(page1, 100));
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
        auto* edit = qobject_cast<QLineEdit*>(DlgBoxControl(page1, 100));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "4/8");
        QTest::keyClick(edit, Qt::Key_Return);  // Enter in a page confirms the dialog
    };
    EXPECT_EQ(RunDialog(script, &tab, 1), 1);
    EXPECT_TRUE(okHidden);
    EXPECT_EQ(tab.min, 1);
    EXPECT_EQ(data[1].value, 0.5);
    EXPECT_TRUE(HasEvent(script, DBE_NOTIFY, 180, DBN_TABCHANGE));
    ASSERT_FALSE(g_pageEvents.empty());
    EXPECT_EQ(g_pageEvents.front().type, DBE_INIT);
    EXPECT_EQ(g_pageEvents.back().type, DBE_DESTROY);

    // A page's edit that gives no finite number holds OK back and brings its page forward.
    data[2].value = 9;
    Script refusing;
    int front = -1;
    QString message;
    refusing.onInit = [&](QWidget* dlg) {
        auto* tabs = Control<QTabWidget>(dlg, 180);
        qobject_cast<QLineEdit*>(DlgBoxControl(tabs->widget(2), 100))->setText("1/0");
        tabs->setCurrentIndex(0);
        OnMessage([&](QMessageBox* box) { message = box->text(); });
        Click(dlg, DBID_OK);
        front = tabs->currentIndex();
        Click(dlg, DBID_CANCEL);
    };
    EXPECT_EQ(RunDialog(refusing, &tab, 1), 0);
    EXPECT_EQ(front, 2);
    EXPECT_TRUE(message.startsWith("1/0\n"));
    EXPECT_EQ(data[2].value, 9);

    // A page whose template is missing fails the fill.
    DlgBoxPage broken[1] = {{nullptr, 998, nullptr, 0, nullptr}};
    DlgBoxItem bad{180, Attr(DBK_TAB, DBV_PAGES), broken, 0, 1, nullptr};
    Script failing;
    EXPECT_EQ(RunDialog(failing, &bad, 1), 0);
    EXPECT_FALSE(HasEvent(failing, DBE_INIT, 0, 0));
}

TEST(DlgBoxTest, APlainWidgetTemplateRunsInsideADialog) {
    double d = 2;
    Script script;
    script.onInit = [&](QWidget* dlg) {
        EXPECT_EQ(dlg->windowTitle(), "Plain form");
        Control<QLineEdit>(dlg, 100)->setText("3*3");
        Click(dlg, DBID_OK);
    };
    DlgBoxItem item{100, Attr(DBK_EDIT, DBV_DOUBLE), &d, 0, 0, nullptr};
    EXPECT_EQ(RunDialog(script, &item, 1, 904), 1);
    EXPECT_EQ(d, 9);
}

TEST(DlgBoxTest, AHookMayRunANestedDialog) {
    double outer = 1, inner = 1;
    Script script;
    script.answer = [&](QWidget* dlg, const DlgBoxEvent& e) {
        if (e.type == DBE_COMMAND && e.controlId == 110) {
            Script* saved = g_script;
            Script nested;
            nested.onInit = [](QWidget* d) {
                Control<QLineEdit>(d, 100)->setText("42");
                Click(d, DBID_OK);
            };
            g_script = &nested;
            DlgBoxItem item{100, Attr(DBK_EDIT, DBV_DOUBLE), &inner, 0, 0, nullptr};
            EXPECT_EQ(wpDlgBoxCtrl(kTemplates, 901, dlg, &item, 1, ScriptHook), 1);
            g_script = saved;
            return 1;
        }
        return 0;
    };
    script.onInit = [&](QWidget* dlg) {
        Click(dlg, 110);
        Click(dlg, DBID_OK);
    };
    DlgBoxItem item{100, Attr(DBK_EDIT, DBV_DOUBLE), &outer, 0, 0, nullptr};
    EXPECT_EQ(RunDialog(script, &item, 1), 1);
    EXPECT_EQ(inner, 42);
    EXPECT_EQ(outer, 1);
}

TEST(DlgBoxTest, HelpersOnOtherWindowsAnswerZero) {
    QWidget plain;
    int count = 5;
    EXPECT_EQ(DlgBoxGetItems(&plain, &count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(DlgBoxPostCommand(&plain, 1), 0);
    EXPECT_EQ(DlgBoxFillItem(&plain, -1), 0);
    EXPECT_EQ(DlgBoxStoreItem(nullptr, -1), 0);
    EXPECT_EQ(DlgBoxReformatItem(nullptr, 0), 0);
    EXPECT_EQ(DlgBoxEnd(&plain, 1), 0);
    EXPECT_EQ(DlgBoxFocusItem(&plain, 3), 0);
    EXPECT_EQ(DlgBoxControl(nullptr, 3), nullptr);
}

TEST(DlgBoxTest, OneItemHelpersFromAHook) {
    double a = 5, b = 6;
    Script script;
    double stored = 0;
    int count = 0;
    script.onInit = [&](QWidget* dlg) {
        DlgBoxItem* items = DlgBoxGetItems(dlg, &count);
        Control<QLineEdit>(dlg, 101)->setText("1+1");
        EXPECT_EQ(DlgBoxReformatItem(dlg, 1), 1);
        EXPECT_EQ(Text(dlg, 101), "2.000");
        double probe = 0;
        items[1].variable = &probe;
        EXPECT_EQ(DlgBoxStoreItem(dlg, 1), 1);
        stored = probe;
        items[1].variable = &b;
        b = 9;
        EXPECT_EQ(DlgBoxFillItem(dlg, 1), 1);
        EXPECT_EQ(Text(dlg, 101), "9.000");
        EXPECT_EQ(DlgBoxFillItem(dlg, 7), 0);  // no such item
        Click(dlg, DBID_CANCEL);
    };
    DlgBoxItem items[] = {
        {100, Attr(DBK_EDIT, DBV_DOUBLE), &a, 0, 0, nullptr},
        {101, Attr(DBK_EDIT, DBV_DOUBLE), &b, 0, 0, nullptr},
    };
    EXPECT_EQ(RunDialog(script, items, 2), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(stored, 2);
}

}  // namespace
