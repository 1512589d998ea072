#include "app/FileDialogFit.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

void FitFileDialog(QFileDialog& dialog) {
    QSize size = dialog.sizeHint().expandedTo(QSize(800, 480));
    if (const QScreen* screen = dialog.screen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    dialog.resize(size);
    auto* view = dialog.findChild<QTreeView*>("treeView");
    if (!view) return;
    auto fit = [view] {
        for (int column = 1; column < view->header()->count(); ++column)
            view->resizeColumnToContents(column);
    };
    if (auto* model = qobject_cast<QFileSystemModel*>(view->model()))
        QObject::connect(model, &QFileSystemModel::directoryLoaded, view, fit);
}
