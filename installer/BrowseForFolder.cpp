// The folder chooser.
#include "installer/BrowseForFolder.h"

#include <QFileDialog>

namespace installer {

QString BrowseForFolder(QWidget* owner, const QString& initial, const QString& title) {
    QString folder = QFileDialog::getExistingDirectory(
        owner, title, initial, QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (folder.isEmpty()) return {};
    if (!folder.endsWith('/')) folder += '/';
    return folder;
}

}  // namespace installer
