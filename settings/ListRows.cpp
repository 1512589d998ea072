// Row marks of the settings dialogs' lists.
#include "settings/ListRows.h"

#include <QEvent>
#include <QHeaderView>
#include <QTreeWidget>

int FirstSelectedRow(const QTreeWidget* list, bool orCurrent) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->isSelected()) return i;
    if (orCurrent && list->currentItem()) return list->indexOfTopLevelItem(list->currentItem());
    return -1;
}

void MarkRow(QTreeWidget* list, int row) {
    list->clearSelection();
    QTreeWidgetItem* item = list->topLevelItem(row);
    if (!item) return;
    list->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollToItem(item);
}

void SetUpReportList(QTreeWidget* list, bool multiSelect) {
    list->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                       : QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setRootIsDecorated(false);
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    // The stored widths are applied exactly: a narrow column must not come back wider.
    header->setMinimumSectionSize(1);
}

namespace {

class RowMarkKeeper : public QObject {
public:
    explicit RowMarkKeeper(QTreeWidget* list) : QObject(list), list_(list) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == list_ && event->type() == QEvent::FocusIn &&
            list_->selectedItems().isEmpty())
            if (QTreeWidgetItem* current = list_->currentItem()) current->setSelected(true);
        return false;
    }

private:
    QTreeWidget* list_;
};

}  // namespace

void KeepRowMark(QTreeWidget* list) {
    list->installEventFilter(new RowMarkKeeper(list));
}
