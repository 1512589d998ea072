// The entries of one folder for the explorer-style list: read on a worker and handed to the
// user-interface thread in small chunks, so a folder of 10,000 files shows its first rows at once
// and no chunk holds the thread for long; sorted by any column.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "wepo/core/FileList.h"

namespace wepo {

class FolderModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kName, kSize, kType, kDate, kColumns };

    explicit FolderModel(QObject* parent = nullptr);

    // Reads folder anew (its folders and the files that match the patterns; no patterns: all).
    void SetFolder(const QString& folder);
    void SetPatterns(const QStringList& patterns);
    QString Folder() const { return folder_; }
    bool Loading() const { return loading_; }

    bool IsFolder(const QModelIndex& index) const;
    QString FileName(const QModelIndex& index) const;
    QString FilePath(const QModelIndex& index) const;
    // The row of the entry with that name, or -1.
    int RowOf(const QString& name) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

signals:
    // The folder has been read completely (and sorted).
    void Loaded();

private:
    void Reload();
    void Append(unsigned generation, std::vector<FileEntry> entries);
    void Finish(unsigned generation);
    bool Less(const FileEntry& a, const FileEntry& b) const;

    QString folder_;
    QStringList patterns_;
    std::vector<FileEntry> entries_;
    unsigned generation_ = 0;
    bool loading_ = false;
    int sortColumn_ = kName;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace wepo
