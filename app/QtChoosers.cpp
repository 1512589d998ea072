// QtChoosers: non-native QFileDialog (its filters match names ignoring case, "*.NMD" finds
// "x.nmd"), QColorDialog and QFontDialog.
#include "app/QtChoosers.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>

#include "app/FileDialogFit.h"
#include "app/QtUserPrompt.h"

namespace {

QString Qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::optional<std::string> AskFile(QWidget* parent, const FileChoice& c, bool save) {
    QFileDialog dialog(parent, Qs(c.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilter(ConvertFileFilter(Qs(c.filter)));
    if (!c.defaultExtension.empty()) dialog.setDefaultSuffix(Qs(c.defaultExtension));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(c.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    // The initial path: a folder with a pattern ("*.*") starts there with no name; a file path
    // starts in its folder with its name.
    const QFileInfo initial(Qs(c.initial));
    if (!c.initial.empty()) {
        dialog.setDirectory(initial.absolutePath());
        if (!initial.fileName().contains('*') && !initial.fileName().contains('?'))
            dialog.selectFile(initial.fileName());
    }
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

QtChoosers& QtChoosers::Instance() {
    static QtChoosers choosers;
    return choosers;
}

std::optional<std::string> QtChoosers::OpenFile(QWidget* parent, const FileChoice& choice) {
    return AskFile(parent, choice, false);
}

std::optional<std::string> QtChoosers::SaveFile(QWidget* parent, const FileChoice& choice) {
    return AskFile(parent, choice, true);
}

std::optional<std::string> QtChoosers::Folder(QWidget* parent, std::string_view title,
                                              std::string_view start) {
    const QString folder = QFileDialog::getExistingDirectory(
        parent, Qs(title), Qs(start), QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (folder.isEmpty()) return std::nullopt;
    return folder.toStdString();
}

std::optional<QColor> QtChoosers::Colour(QWidget* parent, const QColor& initial) {
    const QColor c =
        QColorDialog::getColor(initial, parent, QString(), QColorDialog::DontUseNativeDialog);
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<QFont> QtChoosers::Font(QWidget* parent, const QFont& initial) {
    bool ok = false;
    const QFont f =
        QFontDialog::getFont(&ok, initial, parent, QString(), QFontDialog::DontUseNativeDialog);
    if (!ok) return std::nullopt;
    return f;
}
