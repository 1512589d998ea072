// The check list of the component and module pages.
#include "installer/pages/CheckList.h"

#include <QHeaderView>
#include <QShortcut>

namespace installer {

CheckList::CheckList(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    header()->setSectionsClickable(false);
    // The rows are not user-checkable: the view never toggles a box by itself, so a click on
    // the box toggles once, like a click anywhere else on the row.
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item, int) { Toggle(indexOfTopLevelItem(item)); });
    auto* space =
        new QShortcut(QKeySequence(Qt::Key_Space), this, nullptr, nullptr, Qt::WidgetShortcut);
    connect(space, &QShortcut::activated, this, [this] {
        if (QTreeWidgetItem* item = currentItem()) Toggle(indexOfTopLevelItem(item));
    });
}

QTreeWidgetItem* CheckList::AddRow(const QStringList& texts, bool checked) {
    auto* item = new QTreeWidgetItem(this, texts);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

bool CheckList::IsChecked(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item && item->checkState(0) == Qt::Checked;
}

void CheckList::SetChecked(int row, bool on) {
    if (QTreeWidgetItem* item = topLevelItem(row))
        item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

void CheckList::Toggle(int row) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item) return;
    bool next = !IsChecked(row);
    if (AllowChange && !AllowChange(row, next)) return;
    SetChecked(row, next);
    setCurrentItem(item);  // the changed row becomes the selected and focused one
    if (Changed) Changed(row, next);
}

}  // namespace installer
