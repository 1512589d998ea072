// The old-style file dialog (template 108 "File Selection"): the file list with its sortable
// columns (size, date, time, comment), the folder list, the file types, the volumes and the
// totals of the current volume. The list's records are gathered on a worker, so a large folder
// never freezes the dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <vector>

#include "wepo/core/FileList.h"
#include "wepo/filesel/FileSelectDialog.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;

namespace wepo {

class TabStopDelegate;

class OldFileSelect : public QObject {
    Q_OBJECT
public:
    // Builds the dialog from template 108; Dialog() is null when the template is missing.
    OldFileSelect(QWidget* owner, const FileSelectRequest& request, unsigned sortOptions,
                  unsigned displayOptions);
    ~OldFileSelect() override;

    QDialog* Dialog() const { return dialog_; }
    int Run();  // 1 for OK, 0 for Cancel
    QString ResultPath() const { return result_; }
    int FilterIndex() const;
    unsigned SortOptions() const { return sort_; }
    unsigned DisplayOptions() const { return display_; }

    // The list rebuild: gathers the records of the folder shown on a worker; the list is filled
    // when it is done. Rebuilds while one runs supersede it.
    void Rebuild();
    bool Rebuilding() const { return pending_ != 0; }
    QString Folder() const { return folder_; }
    bool SetFolder(const QString& folder);

signals:
    void Rebuilt();

private:
    // The lines of one rebuild, in their order, with the names and sizes they begin with.
    struct ListLines {
        QStringList lines, names, sizes;
    };
    void Fill(unsigned generation, ListLines lines);
    void FillFolders();
    void TryAccept();
    QStringList Patterns() const;

    FileSelectRequest request_;
    QPointer<QDialog> dialog_;
    QString folder_;
    QString result_;
    unsigned sort_;
    unsigned display_;
    unsigned generation_ = 0;
    unsigned pending_ = 0;
    QStringList typedPatterns_;
    QLineEdit* name_ = nullptr;
    QListWidget* files_ = nullptr;
    QListWidget* folders_ = nullptr;
    QLabel* current_ = nullptr;
    QComboBox* types_ = nullptr;
    QComboBox* volumes_ = nullptr;
    QLabel* totals_[3] = {};
    QCheckBox* sortBoxes_[4] = {};
    QCheckBox* displayBoxes_[4] = {};
    TabStopDelegate* delegate_ = nullptr;
};

}  // namespace wepo
