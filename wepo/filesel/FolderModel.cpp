// The explorer-style list's model.
#include "wepo/filesel/FolderModel.h"

#include <QApplication>
#include <QDateTime>
#include <QFileIconProvider>
#include <QPointer>
#include <QThreadPool>
#include <algorithm>

#include "wepo/filesel/SelectCommon.h"

namespace wepo {

namespace {
constexpr size_t kChunk = 500;  // entries per hand-over: a short turn of the user-interface thread

QString Extension(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0
               ? QString()
               : QString::fromStdString(name.substr(dot + 1)).toUpper();
}
}  // namespace

FolderModel::FolderModel(QObject* parent) : QAbstractTableModel(parent) {}

void FolderModel::SetFolder(const QString& folder) {
    folder_ = folder;
    Reload();
}

void FolderModel::SetPatterns(const QStringList& patterns) {
    patterns_ = patterns;
    if (!folder_.isEmpty()) Reload();
}

void FolderModel::Reload() {
    beginResetModel();
    entries_.clear();
    endResetModel();
    const unsigned generation = ++generation_;
    loading_ = true;
    std::vector<std::string> patterns;
    for (const QString& p : patterns_) patterns.push_back(p.toStdString());
    if (patterns.empty()) patterns.push_back("*");
    const std::string folder = folder_.toStdString();
    QPointer<FolderModel> self(this);
    QThreadPool::globalInstance()->start([self, generation, folder, patterns] {
        ReadFolderEntries(folder, patterns, false, true, kChunk,
                          [&](std::vector<FileEntry>&& part) {
                              QMetaObject::invokeMethod(
                                  qApp,
                                  [self, generation, part = std::move(part)]() mutable {
                                      if (self) self->Append(generation, std::move(part));
                                  },
                                  Qt::QueuedConnection);
                              return true;
                          });
        QMetaObject::invokeMethod(
            qApp,
            [self, generation] {
                if (self) self->Finish(generation);
            },
            Qt::QueuedConnection);
    });
}

void FolderModel::Append(unsigned generation, std::vector<FileEntry> entries) {
    if (generation != generation_ || entries.empty()) return;
    const int first = static_cast<int>(entries_.size());
    beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
    entries_.insert(entries_.end(), std::make_move_iterator(entries.begin()),
                    std::make_move_iterator(entries.end()));
    endInsertRows();
}

void FolderModel::Finish(unsigned generation) {
    if (generation != generation_) return;
    sort(sortColumn_, sortOrder_);
    loading_ = false;
    emit Loaded();
}

bool FolderModel::Less(const FileEntry& a, const FileEntry& b) const {
    // Folders before files, whatever the order.
    if (a.folder != b.folder) return a.folder;
    int r = 0;
    switch (sortColumn_) {
        case kSize:
            r = a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
            break;
        case kType:
            r = Extension(a.name).compare(Extension(b.name), Qt::CaseInsensitive);
            break;
        case kDate:
            r = a.mtime < b.mtime ? -1 : a.mtime > b.mtime ? 1 : 0;
            break;
        default:
            break;
    }
    if (r == 0)
        r = QString::fromStdString(a.name).compare(QString::fromStdString(b.name),
                                                   Qt::CaseInsensitive);
    return sortOrder_ == Qt::AscendingOrder ? r < 0 : r > 0;
}

void FolderModel::sort(int column, Qt::SortOrder order) {
    sortColumn_ = column;
    sortOrder_ = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::string> names;
    for (const QModelIndex& i : before)
        names.push_back(entries_[static_cast<size_t>(i.row())].name);
    std::stable_sort(entries_.begin(), entries_.end(),
                     [this](const FileEntry& a, const FileEntry& b) { return Less(a, b); });
    QModelIndexList after;
    for (int k = 0; k < before.size(); ++k) {
        int row = RowOf(QString::fromStdString(names[static_cast<size_t>(k)]));
        after << (row < 0 ? QModelIndex() : index(row, before[k].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool FolderModel::IsFolder(const QModelIndex& index) const {
    return index.isValid() && entries_[static_cast<size_t>(index.row())].folder;
}

QString FolderModel::FileName(const QModelIndex& index) const {
    return index.isValid() ? QString::fromStdString(entries_[static_cast<size_t>(index.row())].name)
                           : QString();
}

QString FolderModel::FilePath(const QModelIndex& index) const {
    return index.isValid() ? JoinPath(folder_, FileName(index)) : QString();
}

int FolderModel::RowOf(const QString& name) const {
    const std::string n = name.toStdString();
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].name == n) return static_cast<int>(i);
    return -1;
}

int FolderModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int FolderModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant FolderModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const FileEntry& e = entries_[static_cast<size_t>(index.row())];
    if (role == Qt::DecorationRole && index.column() == kName) {
        static QFileIconProvider icons;
        return icons.icon(e.folder ? QFileIconProvider::Folder : QFileIconProvider::File);
    }
    if (role == Qt::TextAlignmentRole && index.column() == kSize)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (index.column()) {
        case kName:
            return QString::fromStdString(e.name);
        case kSize:
            return e.folder ? QString()
                            : QString::fromStdString(FormatThousands((e.size + 1023) / 1024)) +
                                  QStringLiteral(" KB");
        case kType: {
            if (e.folder) return LibraryText(55);
            QString ext = Extension(e.name);
            return ext.isEmpty() ? LibraryText(57) : LibraryMessage(56, {ext});
        }
        case kDate:
            return QDateTime::fromSecsSinceEpoch(e.mtime).toString(
                QStringLiteral("yyyy-MM-dd hh:mm"));
        default:
            return {};
    }
}

QVariant FolderModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns)
        return {};
    return LibraryText(51u + static_cast<unsigned>(section));
}

}  // namespace wepo
