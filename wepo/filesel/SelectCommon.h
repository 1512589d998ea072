// What the file and folder dialogs share: the caller's filter pairs, the library's texts and
// messages, volumes, and the fit of a result into the caller's buffer.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QDialog;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QWidget;

namespace wepo {

struct FileFilter {
    QString description;
    QStringList patterns;  // split at ';', matched without letter case
};

// What the caller asks of one run.
struct FileSelectRequest {
    QString title;
    std::vector<FileFilter> filters;
    int filterIndex = 0;  // 0-based
    QString folder;       // absolute
    QString name;         // proposed in the name field
    bool open = true;
    bool askOverwrite = true;
    QString defaultExtension;
    unsigned resultSize = 260;  // bytes the caller's buffer holds, terminator included
};

// What the name typed into a file dialog (and confirmed) asks for. The checks ask the user or
// refuse with a message of the library, owned by dialog.
struct TypedName {
    enum Kind {
        kNothing,   // an empty name
        kPatterns,  // wildcards: list what they match (patterns)
        kFolder,    // a folder: show it (path)
        kStay,      // refused with a message, or the overwrite question was declined (then path is
                    // the name as it now stands, to put into the field)
        kFile,      // the chosen file (path)
    } kind = kNothing;
    QString path;
    QStringList patterns;
};
TypedName ResolveTypedName(QWidget* dialog, const QString& text, const QString& folder,
                           const FileSelectRequest& request);
// Does what a confirmed name asks, with the dialog's own steps: list by patterns, show a folder
// (the field is emptied), keep the field as it now stands, or take the file.
void ActOnTypedName(const TypedName& typed, QLineEdit* field,
                    const std::function<void(const QStringList&)>& listPatterns,
                    const std::function<void(const QString&)>& showFolder,
                    const std::function<void(const QString&)>& takeFile);

// The pairs of a filter text (description, patterns, ..., ended by an empty text); null or empty
// gives one filter "*".
std::vector<FileFilter> ParseFilterPairs(const char* filter);

// The library's text of id (empty when it has none).
QString LibraryText(unsigned id);
// The library's text of id with its %s and %d filled from args in order (the arguments are
// never read as formats).
QString LibraryMessage(unsigned id, const QStringList& args);
// Shows a message of the library; the answer (QMessageBox::Ok or Cancel).
QMessageBox::StandardButton AskLibrary(QWidget* owner, const QString& title, unsigned id,
                                       const QStringList& args, QMessageBox::Icon icon,
                                       QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Whether text with its terminator fits size bytes as UTF-8; writes it into buffer when it does.
bool FitsBuffer(const QString& text, unsigned size);
bool WriteBuffer(const QString& text, char* buffer, unsigned size);

// The root folders of the mounted volumes that are ready, the root first.
QStringList VolumeRoots();

// folder joined with name ("/a" + "b" = "/a/b", "/" + "b" = "/b").
QString JoinPath(const QString& folder, const QString& name);

// Fills a folder list: ".." (unless folder is the root), then "[name]" per subfolder sorted
// without letter case; each item's Qt::UserRole holds its full path.
void FillFolderList(QListWidget* list, const QString& folder);

// Makes Enter in a folder list open the current folder (action) without also pressing the
// dialog's default button.
void EnterOpensFolder(QListWidget* list, std::function<void(QListWidgetItem*)> action);

// Runs the dialog modally, centred on its owner, or on the screen when it has none.
int ExecCentred(QDialog* dialog);

}  // namespace wepo
