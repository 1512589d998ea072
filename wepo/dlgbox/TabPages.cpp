// Tab pages over QTabWidget.
#include "wepo/dlgbox/TabPages.h"

#include <QTabWidget>

#include "wepo/dlgbox/DlgBoxForm.h"
#include "wepo/util/WindowUtil.h"

namespace wepo {

DlgBoxPageList* TabPagesCreate(QWidget* window) {
    if (!window) return nullptr;
    auto* list = new DlgBoxPageList;
    if (auto* tab = qobject_cast<QTabWidget*>(window)) {
        list->tab = tab;
        list->host = tab->parentWidget();
        while (tab->count() > 0) {
            QWidget* designerPage = tab->widget(0);
            tab->removeTab(0);
            delete designerPage;
        }
    } else {
        list->host = window;
    }
    return list;
}

int TabPagesAdd(DlgBoxPageList* list, QWidget* page, unsigned word) {
    if (!list || !page) return -1;
    page->hide();
    for (unsigned id : {1u, 2u})
        if (QWidget* button = FindControl(page, id)) button->hide();
    list->pages.push_back({page, word});
    if (list->tab) {
        const QSignalBlocker quiet(list->tab);
        page->setWindowFlags(Qt::Widget);
        list->tab->addTab(page, page->windowTitle());
        // The tab widget shows its current page itself; the list decides which that is.
        list->tab->setCurrentIndex(list->current < 0 ? 0 : list->current);
    } else if (list->host) {
        page->setParent(list->host, Qt::Widget);
        page->setGeometry(list->host->rect());
        page->hide();
    }
    return static_cast<int>(list->pages.size());
}

int TabPagesSelect(DlgBoxPageList* list, int index) {
    if (!list || index < 0 || index >= static_cast<int>(list->pages.size())) return -1;
    int previous = -1;
    if (index != list->current) {
        previous = list->current;
        list->current = index;
        if (!list->tab) {
            for (auto& p : list->pages)
                if (p.window) p.window->hide();
        }
        if (QWidget* page = list->pages[static_cast<size_t>(index)].window) {
            page->show();
            page->setFocus();
        }
    }
    if (list->tab && list->tab->currentIndex() != index) {
        const QSignalBlocker quiet(list->tab);
        list->tab->setCurrentIndex(index);
    }
    return previous;
}

int TabPagesRemove(DlgBoxPageList* list, int index) {
    if (!list || index < 0 || index >= static_cast<int>(list->pages.size())) return 0;
    QPointer<QWidget>& page = list->pages[static_cast<size_t>(index)].window;
    if (page) {
        if (DlgBoxForm* form = DlgBoxForm::Of(page)) form->Destroy();
        if (list->tab) {
            int at = list->tab->indexOf(page);
            if (at >= 0) list->tab->removeTab(at);
        }
        page->hide();
        page->deleteLater();  // the page may be on the call stack (a hook ending it)
    }
    page = nullptr;
    return 1;
}

int TabPagesDestroy(DlgBoxPageList* list) {
    if (!list) return 0;
    for (int i = 0; i < static_cast<int>(list->pages.size()); ++i) TabPagesRemove(list, i);
    if (list->tab) list->tab->clear();
    delete list;
    return 1;
}

int TabPagesMoveAll(DlgBoxPageList* list, const QRect& rect) {
    if (!list) return 0;
    for (auto& p : list->pages)
        if (p.window) p.window->setGeometry(rect);
    return 1;
}

int TabPagesGetCurrent(const DlgBoxPageList* list) {
    return list ? list->current : -1;
}

int TabPagesGetCount(const DlgBoxPageList* list) {
    return list ? static_cast<int>(list->pages.size()) : -1;
}

QWidget* TabPagesGetPage(const DlgBoxPageList* list, int index, unsigned* word) {
    if (!list) return nullptr;
    if (index == -1) return list->host;
    if (index == -2) return list->tab;
    if (index < 0 || index >= static_cast<int>(list->pages.size())) return nullptr;
    const auto& p = list->pages[static_cast<size_t>(index)];
    if (word) *word = p.word;
    return p.window;
}

}  // namespace wepo
