// The preview list (dialog 128): a resizable window of thumbnails, four by three cells of its
// list, one per file of a folder that matches the file type (or of a caller's list), drawn in
// order by one worker with a progress bar and the name being drawn.
#pragma once

#include <QAbstractListModel>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QStringList>
#include <QThreadPool>
#include <memory>
#include <vector>

#include "wepo/core/preview/PreviewTypes.h"
#include "wepo/util/WindowUtil.h"

class QDialog;
class QLabel;
class QListView;
class QProgressBar;

namespace wepo {

struct PreviewListRequest {
    QString folder;        // searched (and shown in the caption)
    QStringList patterns;  // of the file type, matched without letter case
    QStringList names;     // a given list instead of a search (in the caller's order)
    QString chosen;        // the name to mark first
};

// Runs the list modally: 1 with *chosen the name chosen (OK or a double click), 0 for Cancel or
// when no file is to be shown, -1 when the dialog cannot be made.
int RunPreviewList(QWidget* owner, const PreviewListRequest& request, QString* chosen);

// The entries of a search: every file (not folder) of folder matching each pattern, sorted by
// name without letter case; a file matching two patterns is listed twice.
QStringList SearchPreviewEntries(const QString& folder, const QStringList& patterns);

class PreviewListModel : public QAbstractListModel {
    Q_OBJECT
public:
    struct Entry {
        QString name;  // as shown and chosen
        QString path;  // as opened: the folder and the name joined
        bool chosen = false;
        bool done = false;  // the worker has handled it
        QImage thumbnail;   // one-bit picture, or null
    };
    explicit PreviewListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}
    void SetEntries(std::vector<Entry> entries);
    const Entry& At(int row) const { return entries_[static_cast<size_t>(row)]; }
    void SetThumbnail(int row, const QImage& thumbnail);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<Entry> entries_;
};

class PreviewList : public QObject {
    Q_OBJECT
public:
    PreviewList(QWidget* owner, const PreviewListRequest& request);
    ~PreviewList() override;

    QDialog* Dialog() const { return dialog_; }
    int EntryCount() const { return model_.rowCount(); }
    const PreviewListModel& Model() const { return model_; }
    QListView* List() const { return list_; }
    bool Working() const { return working_; }
    QSize ThumbnailSize() const { return picture_; }
    int Run(QString* chosen);  // runs the dialog: 1 OK, 0 Cancel
    // Asks the worker to stop after the current thumbnail and waits for it.
    void StopWorker();
    // The size and maximised state dialogs of this kind open with (kept for the process).
    static QSize LastSize();

signals:
    void Finished();  // every thumbnail drawn (or the worker stopped)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpCells();
    void StartWorker();
    void Progress(int row);
    void Done(int row, const QImage& thumbnail);
    void Choose(const QModelIndex& index);

    QPointer<QDialog> dialog_;
    QListView* list_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* current_ = nullptr;
    PreviewListModel model_;
    QSize cell_, picture_;
    QImage loading_, notPreview_;
    LayoutRecord layout_[5];
    QSize recorded_;
    QThreadPool pool_;
    std::shared_ptr<PreviewRun> run_;
    bool working_ = false;
};

}  // namespace wepo
