// The pages of one tab widget (or of a plain host window): modeless forms shown one at a time.
#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

class QRect;
class QTabWidget;

namespace wepo {

struct DlgBoxPageList {
    QPointer<QWidget> host;
    QPointer<QTabWidget> tab;  // null when the list was made for a window that is no tab widget
    int current = -1;          // the page shown, -1 while none is
    struct Page {
        QPointer<QWidget> window;
        unsigned word = 0;  // the caller's word
    };
    std::vector<Page> pages;  // removed pages keep their entry (count stays)
};

// A new list for window: a tab widget hosts its pages itself (its designer pages are removed),
// any other window is the host. Null for no window.
DlgBoxPageList* TabPagesCreate(QWidget* window);
// Appends page (its OK and Cancel controls id1 and id2 hidden) with a tab labelled with its
// window title. The new page count, or -1 for no list or page.
int TabPagesAdd(DlgBoxPageList* list, QWidget* page, unsigned word);
// Shows page index and focuses it. The former current index, or -1 when index is out of range
// or already current (the tab widget is brought in line either way).
int TabPagesSelect(DlgBoxPageList* list, int index);
// Destroys every page and tab and the list. 1, 0 for no list.
int TabPagesDestroy(DlgBoxPageList* list);
// Destroys that page and its tab; its entry stays empty. 1, 0 for no list or a bad index.
int TabPagesRemove(DlgBoxPageList* list, int index);
// Moves every page to rect (in the host's coordinates). 1, 0 for no list.
int TabPagesMoveAll(DlgBoxPageList* list, const QRect& rect);
int TabPagesGetCurrent(const DlgBoxPageList* list);
int TabPagesGetCount(const DlgBoxPageList* list);
// index -1: the host; -2: the tab widget; 0 .. count - 1: that page (and its word into word).
QWidget* TabPagesGetPage(const DlgBoxPageList* list, int index, unsigned* word);

}  // namespace wepo
