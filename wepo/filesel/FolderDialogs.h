// The folder dialogs of wpSelectDirectryName: the folder tree (template 129) and the old style
// (template 126: the folder list and the volumes).
#pragma once

#include <QObject>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QSize>
#include <QString>

#include "wepo/util/WindowUtil.h"

class QComboBox;
class QDialog;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QTimer;
class QTreeView;

namespace wepo {

class FolderTree : public QObject {
    Q_OBJECT
public:
    // Builds dialog 129 for the caller's title and folder; Dialog() is null when it cannot.
    FolderTree(QWidget* owner, const QString& title, const QString& folder, unsigned resultSize);
    ~FolderTree() override;
    QDialog* Dialog() const { return dialog_; }
    QTreeView* Tree() const { return tree_; }
    int Run();  // 1 for OK, 0 for Cancel
    QString Result() const { return result_; }
    // Selects the caller's folder as the selection rule says (also after F5).
    void SelectGiven();
    // The tree made anew from the file system (F5).
    void Refill();
    // The size dialogs of this kind open with (kept for the process).
    static QSize LastSize();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SelectionChanged();
    void Accept();
    // Widens the dialog (within the screen) so that its caption shows whole.
    void FitCaption();
    // Scrolls the caller's folder into view again: the file system model reads each level on
    // its own thread and sorts it afterwards, which moves the rows after the first scroll.
    void RevealGiven();

    QPointer<QDialog> dialog_;
    QTreeView* tree_ = nullptr;
    QPersistentModelIndex givenIndex_;
    bool following_ = false;  // until the user moves in the tree or picks a place
    QTimer* reveal_ = nullptr;
    QComboBox* places_ = nullptr;
    QFileSystemModel* model_ = nullptr;
    QString title_;
    QString given_;
    QString result_;
    unsigned resultSize_;
    QSize recorded_;
    LayoutRecord layout_[4];
};

class OldFolderSelect : public QObject {
    Q_OBJECT
public:
    OldFolderSelect(QWidget* owner, const QString& title, const QString& folder,
                    unsigned resultSize);
    ~OldFolderSelect() override;
    QDialog* Dialog() const { return dialog_; }
    int Run();
    QString Result() const { return result_; }
    bool SetFolder(const QString& folder);
    QListWidget* Folders() const { return folders_; }

private:
    QPointer<QDialog> dialog_;
    QString folder_;
    QString result_;
    unsigned resultSize_;
    QLabel* current_ = nullptr;
    QListWidget* folders_ = nullptr;
    QComboBox* volumes_ = nullptr;
};

}  // namespace wepo
