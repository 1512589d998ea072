// The explorer-style file dialog of wpSelectFileName: a location row, places, the folder's files
// (read on a worker by FolderModel, so a large folder never blocks), a name field with
// completion, the caller's file types, and a slot for the preview pane on the right.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "wepo/filesel/SelectCommon.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QModelIndex;
class QTreeView;
class QToolButton;
class QPushButton;

namespace wepo {

class FolderModel;

class FileSelectDialog : public QDialog {
    Q_OBJECT
public:
    FileSelectDialog(QWidget* owner, const FileSelectRequest& request);

    // The chosen path after OK, and the file type shown last (0-based).
    QString ResultPath() const { return result_; }
    int FilterIndex() const;

    // For the preview pane: the folder shown, the name field, the patterns of the type shown,
    // the empty area on the right, and a name to take and end the dialog with.
    QString Folder() const { return folder_; }
    QString NameText() const;
    QStringList Patterns() const;
    QWidget* PreviewSlot() const { return previewSlot_; }
    void AcceptName(const QString& name);
    QTreeView* FileList() const { return list_; }
    QLineEdit* NameField() const { return name_; }
    QComboBox* TypeBox() const { return types_; }
    FolderModel* Model() const { return model_; }

    // Shows folder (absolute); false when it is no folder.
    bool SetFolder(const QString& folder, bool remember = true);

signals:
    // The file selected in the list changed (its full path; empty when none is).
    void SelectionChanged(const QString& path);
    // The folder shown changed.
    void FolderChanged(const QString& folder);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Once the first folder is read and shows: the Size, Type and Date columns as wide as their
    // header and rows, and the dialog (within the screen) wide enough to leave the names room.
    void FitColumns();
    void TryAccept();
    void ApplyFilter();
    void Activated(const QModelIndex& index);
    void CurrentChanged(const QModelIndex& index);
    void GoBack();
    void GoUp();

    FileSelectRequest request_;
    QString folder_;
    QStringList history_;
    QString result_;
    FolderModel* model_;
    QLineEdit* location_;
    QToolButton* back_;
    QToolButton* up_;
    QListWidget* places_;
    QTreeView* list_;
    QWidget* previewSlot_;
    QLineEdit* name_;
    QComboBox* types_;
    QPushButton* ok_;
    QStringList typedPatterns_;  // a wildcard typed into the name field
    bool columnsFitted_ = false;
};

}  // namespace wepo
