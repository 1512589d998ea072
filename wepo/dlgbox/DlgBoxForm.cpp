// Events, ending and clean-up of table-driven dialogs; the per-item work is in DlgBoxItems.cpp.
#include "wepo/dlgbox/DlgBoxForm.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include "platform/Numbers.h"
#include "wepo/core/NumberFormat.h"
#include "wepo/dlgbox/SpinButtons.h"
#include "wepo/dlgbox/TabPages.h"
#include "wepo/dlgbox/TemplateLoader.h"
#include "wepo/filesel/SelectCommon.h"
#include "wepo/util/WindowUtil.h"

namespace wepo {

DlgBoxForm::DlgBoxForm(QWidget* window, const char* source, DlgBoxItem* items, int count,
                       DlgBoxHook hook, bool modal)
    : QObject(window),
      window_(window),
      source_(source ? source : ""),
      hasSource_(source != nullptr),
      items_(items),
      count_(items ? qMax(0, count) : 0),
      hook_(hook),
      modal_(modal),
      itemSlots_(static_cast<size_t>(count_)) {
    setObjectName(QStringLiteral("wepoDlgBoxForm"));
}

DlgBoxForm::~DlgBoxForm() {
    for (Slot& s : itemSlots_) TabPagesDestroy(s.pages);
}

DlgBoxForm* DlgBoxForm::Of(QWidget* window) {
    return window ? window->findChild<DlgBoxForm*>(QStringLiteral("wepoDlgBoxForm"),
                                                   Qt::FindDirectChildrenOnly)
                  : nullptr;
}

DlgBoxItem* DlgBoxForm::Items(int* count) const {
    if (count) *count = count_;
    return items_;
}

bool DlgBoxForm::SetUp() {
    WireControls();
    if (!Fill(-1)) {
        End(0);
        return false;
    }
    // The dialog opens with the focus on its first control, not on a page that the fill showed
    // (the dialog manager did the same after the set-up); a hook may then choose another.
    if (modal_) {
        for (QWidget* w = window_->nextInFocusChain(); w && w != window_;
             w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(window_)) {
                w->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    Dispatch({DBE_INIT, 0, 0, 0});
    return true;
}

int DlgBoxForm::Dispatch(const DlgBoxEvent& event) {
    if (!hook_ || !window_) return 0;
    return hook_(window_, &event);
}

void DlgBoxForm::Command(unsigned controlId, int code) {
    if (ended_) return;
    // Enter and OK store what leaving the edits would: every edit is evaluated, clamped and
    // reformatted first, so the hook and the store see the values the dialog shows.
    if (controlId == DBID_OK && code == DBN_CLICKED) {
        Reformat(-1);
        // An edit that holds no finite number has nothing to store: OK waits for the user.
        if (modal_) {
            if (QLineEdit* edit = RefusedEdit()) {
                AskLibrary(window_, window_->windowTitle(), 16, {edit->text()},
                           QMessageBox::Warning);
                edit->setFocus(Qt::OtherFocusReason);
                edit->selectAll();
                return;
            }
        }
    }
    if (Dispatch({DBE_COMMAND, controlId, code, 0})) return;
    if (controlId == DBID_OK && code == DBN_CLICKED) {
        Store(-1);
        End(1);
        return;
    }
    if (controlId == DBID_CANCEL && code == DBN_CLICKED) {
        End(0);
        return;
    }
    int i = ItemOf(controlId);
    if (i < 0) return;
    const DlgBoxItem& item = items_[i];
    unsigned kind = item.attributes & 0xFF, type = (item.attributes >> 8) & 0xFF;
    if (kind == DBK_EDIT && code == DBN_KILLFOCUS) {
        ReformatOne(static_cast<size_t>(i));
    } else if (kind == DBK_BUTTON && modal_ && (type == DBV_OK || type == DBV_CANCEL)) {
        resultId_ = controlId;
        PostCommand(type == DBV_OK ? DBID_OK : DBID_CANCEL);
    }
}

void DlgBoxForm::Notify(unsigned controlId, int code, int value) {
    if (ended_) return;
    if (Dispatch({DBE_NOTIFY, controlId, code, value})) return;
    for (size_t i = 0; i < itemSlots_.size(); ++i) {
        if (items_[i].controlId != controlId) continue;
        if (code == DBN_SPINDELTA && itemSlots_[i].spin) {
            Step(itemSlots_[i].spin, value);
            return;
        }
        if (code == DBN_TABCHANGE && itemSlots_[i].pages) {
            if (QWidget* tab = TabPagesGetPage(itemSlots_[i].pages, -2, nullptr)) tab->setFocus();
            TabPagesSelect(itemSlots_[i].pages, value);
            return;
        }
    }
}

void DlgBoxForm::Close() {
    if (ended_) return;
    if (Dispatch({DBE_CLOSE, 0, 0, 0})) return;
    Command(DBID_CANCEL, DBN_CLICKED);
}

void DlgBoxForm::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    Dispatch({DBE_DESTROY, 0, 0, 0});
    for (Slot& s : itemSlots_) {
        TabPagesDestroy(s.pages);
        s.pages = nullptr;
    }
}

void DlgBoxForm::PostCommand(unsigned controlId) {
    QPointer<DlgBoxForm> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, controlId] {
            if (self) self->Command(controlId, DBN_CLICKED);
        },
        Qt::QueuedConnection);
}

int DlgBoxForm::End(int ok) {
    if (ended_) return 1;
    // Every page stores or drops its own items and destroys itself.
    for (Slot& s : itemSlots_) {
        for (int p = 0; p < TabPagesGetCount(s.pages); ++p) {
            if (DlgBoxForm* page = Of(TabPagesGetPage(s.pages, p, nullptr)))
                page->Command(ok ? DBID_OK : DBID_CANCEL, DBN_CLICKED);
        }
    }
    if (resultId_ == 0) resultId_ = static_cast<unsigned>(ok);
    ended_ = true;
    if (modal_) {
        if (auto* dialog = qobject_cast<TemplateDialog*>(window_.data()))
            dialog->Finish(static_cast<int>(resultId_));
    } else if (window_) {
        Destroy();
        window_->hide();
        window_->deleteLater();
    }
    return 1;
}

unsigned DlgBoxForm::DefaultButtonId() const {
    for (QWidget* w : FormControls(window_)) {
        auto* button = qobject_cast<QPushButton*>(w);
        if (button && button->isDefault() && button->isVisible() && ControlIdOf(button))
            return button->isEnabled() ? ControlIdOf(button) : 0;
    }
    return DBID_OK;
}

int DlgBoxForm::ItemOf(unsigned controlId) const {
    for (int i = 0; i < count_; ++i)
        if (items_[i].controlId == controlId) return i;
    return -1;
}

unsigned DlgBoxForm::IdOf(const QObject* control) const {
    return ControlIdOf(control);
}

void DlgBoxForm::Step(SpinButtons* spin, int delta) {
    for (size_t i = 0; i < itemSlots_.size(); ++i) {
        if (itemSlots_[i].spin != spin) continue;
        QLineEdit* edit = spin->Edit();
        double value = platform::ParseLeadingReal(edit->text().left(127).toStdString());
        value += delta > 0 ? 1.0 : delta < 0 ? -1.0 : 0.0;
        edit->setText(QString::fromStdString(FormatDefaultReal(value)));
        ReformatOne(i);
        edit->setFocus();
        edit->selectAll();
        return;
    }
}

void DlgBoxForm::WireControls() {
    for (QWidget* w : FormControls(window_)) {
        const unsigned id = IdOf(w);
        if (id == 0) continue;
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textEdited, this, [this, id] { Command(id, DBN_CHANGE); });
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, id] { Command(id, DBN_CLICKED); });
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            connect(combo, &QComboBox::activated, this, [this, id] { Command(id, DBN_SELCHANGE); });
        } else if (auto* tab = qobject_cast<QTabWidget*>(w)) {
            connect(tab, &QTabWidget::currentChanged, this,
                    [this, id](int index) { Notify(id, DBN_TABCHANGE, index); });
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            connect(list, &QListWidget::currentRowChanged, this,
                    [this, id] { Command(id, DBN_SELCHANGE); });
            connect(list, &QListWidget::doubleClicked, this,
                    [this, id] { Command(id, DBN_DBLCLK); });
        } else if (auto* listView = qobject_cast<QListView*>(w)) {
            connect(listView, &QListView::doubleClicked, this,
                    [this, id] { Command(id, DBN_DBLCLK); });
        } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            connect(tree, &QTreeWidget::currentItemChanged, this,
                    [this, id] { Notify(id, DBN_SELCHANGE, 0); });
            connect(tree, &QTreeWidget::doubleClicked, this,
                    [this, id] { Notify(id, DBN_DBLCLK, 0); });
        } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
            connect(table, &QTableWidget::currentCellChanged, this,
                    [this, id] { Notify(id, DBN_SELCHANGE, 0); });
            connect(table, &QTableWidget::doubleClicked, this,
                    [this, id] { Notify(id, DBN_DBLCLK, 0); });
        } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            connect(view, &QAbstractItemView::doubleClicked, this,
                    [this, id] { Notify(id, DBN_DBLCLK, 0); });
        }
    }
}

bool DlgBoxForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && qobject_cast<QLineEdit*>(watched)) {
        auto* focus = static_cast<QFocusEvent*>(event);
        // A menu or combo list popping up does not take the edit's focus away for good.
        if (focus->reason() != Qt::PopupFocusReason) {
            if (unsigned id = IdOf(watched)) Command(id, DBN_KILLFOCUS);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace wepo
