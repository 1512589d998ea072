// The exported file and folder selection.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <atomic>
#include <cstring>

#include "wepo/Wepo.h"
#include "wepo/filesel/FileSelectDialog.h"
#include "wepo/filesel/FolderDialogs.h"
#include "wepo/filesel/OldFileSelect.h"
#include "wepo/filesel/PreviewSeam.h"

namespace {

std::atomic<int> g_oldStyle{0};  // 1: the old-style dialogs

// The caller's working folder comes back whatever the dialogs did.
class KeepCurrentFolder {
public:
    KeepCurrentFolder() : folder_(QDir::currentPath()) {}
    ~KeepCurrentFolder() { QDir::setCurrent(folder_); }

private:
    QString folder_;
};

QString TextOf(const char* text, size_t limit) {
    return text ? QString::fromUtf8(text, static_cast<qsizetype>(strnlen(text, limit))) : QString();
}

// The folder shown first: the folder of a proposed path, else the initial folder (both relative
// to the current folder), else the current folder.
void StartingPlace(const FileSelectParams& p, wepo::FileSelectRequest& r) {
    QString proposed = TextOf(p.file, p.fileSize);
    QString initial = TextOf(p.initialDirectory, 4096);
    r.folder = QDir::currentPath();
    if (!initial.isEmpty()) {
        QFileInfo info(QDir::current(), initial);
        if (info.isDir()) r.folder = QDir::cleanPath(info.absoluteFilePath());
    }
    r.name = proposed;
    int slash = proposed.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0) {
        QFileInfo info(QDir::current(), proposed.left(slash + 1));
        if (info.isDir()) {
            r.folder = QDir::cleanPath(info.absoluteFilePath());
            r.name = proposed.mid(slash + 1);
        }
    }
}

}  // namespace

extern "C" {

WEPO_API int wpSelectFileGUI(int value) {
    return value < 0 ? g_oldStyle.load() : g_oldStyle.exchange(value);
}

WEPO_API int wpSelectFileName(QWidget* owner, unsigned mode, int keepLongName,
                              FileSelectParams* params) {
    (void)keepLongName;  // Linux has no short names: the path is the same either way
    if (!params || !params->file || params->fileSize == 0) return 0;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return 0;
    KeepCurrentFolder keep;
    wepo::FileSelectRequest r;
    r.title = TextOf(params->title, 4096);
    r.filters = wepo::ParseFilterPairs(params->filter);
    r.filterIndex = static_cast<int>(params->filterIndex == 0 ? 0 : params->filterIndex - 1);
    r.open = mode & WPF_OPEN;
    r.askOverwrite = !(mode & WPF_NOOVERWRITEPROMPT);
    r.defaultExtension = TextOf(params->defaultExtension, 256);
    r.resultSize = params->fileSize;
    StartingPlace(*params, r);
    if (r.filterIndex >= static_cast<int>(r.filters.size())) r.filterIndex = 0;

    int result = 0;
    QString path;
    if (g_oldStyle.load()) {
        wepo::OldFileSelect dialog(owner, r, params->sortOptions, params->displayOptions);
        if (!dialog.Dialog()) return 0;
        result = dialog.Run();
        path = dialog.ResultPath();
        params->filterIndex = static_cast<unsigned>(dialog.FilterIndex() + 1);
        params->sortOptions = dialog.SortOptions();
        params->displayOptions = dialog.DisplayOptions();
    } else {
        wepo::FileSelectDialog dialog(owner, r);
        if (mode & WPF_PREVIEW) wepo::AttachPreviewPane(&dialog);
        result = wepo::ExecCentred(&dialog) == QDialog::Accepted ? 1 : 0;
        path = dialog.ResultPath();
        params->filterIndex = static_cast<unsigned>(dialog.FilterIndex() + 1);
    }
    if (result != 1 || !wepo::WriteBuffer(path, params->file, params->fileSize)) return 0;
    return 1;
}

WEPO_API int wpSelectDirectryName(QWidget* owner, const char* title, char* directory) {
    if (!directory) return 0;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return -1;
    KeepCurrentFolder keep;
    const QString given = TextOf(directory, WP_MAX_PATH);
    const QString caption = TextOf(title, 4096);
    QString chosen;
    int result = 0;
    if (g_oldStyle.load()) {
        wepo::OldFolderSelect dialog(owner, caption, given, WP_MAX_PATH);
        if (!dialog.Dialog()) return 0;
        result = dialog.Run();
        chosen = dialog.Result();
    } else {
        wepo::FolderTree dialog(owner, caption, given, WP_MAX_PATH);
        if (!dialog.Dialog()) return -1;
        result = dialog.Run();
        chosen = dialog.Result();
    }
    if (result != 1 || !wepo::WriteBuffer(chosen, directory, WP_MAX_PATH))
        return result == 1 ? 0 : result;
    return 1;
}

}  // extern "C"
