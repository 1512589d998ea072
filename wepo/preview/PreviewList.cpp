// The preview list dialog, its cells and its worker.
#include "wepo/preview/PreviewList.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "wepo/Wepo.h"
#include "wepo/core/FileKind.h"
#include "wepo/core/FileList.h"
#include "wepo/dlgbox/TemplateLoader.h"
#include "wepo/filesel/SelectCommon.h"
#include "wepo/preview/PreviewPainter.h"
#include "wepo/preview/Renderers.h"

namespace wepo {

namespace {

constexpr int kBorder = 1;  // the platform's border width
constexpr int kNameBand = 14;
enum Role { kThumbnailRole = Qt::UserRole + 1, kDoneRole, kChosenRole };

QSize g_lastSize;
bool g_maximized = false;

// Paints one cell: its frame, the thumbnail (or the loading or not-preview picture) and the name.
class CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(QSize cell, const QImage* loading, const QImage* notPreview, QObject* parent)
        : QStyledItemDelegate(parent), cell_(cell), loading_(loading), notPreview_(notPreview) {}
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return cell_; }
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        const QRect cell = option.rect;
        p->save();
        p->fillRect(cell, pal.color(selected ? QPalette::Highlight : QPalette::Button));
        QBrush none(Qt::NoBrush);
        Draw3DFrame(p, cell, kBorder, nullptr, selected);
        const QRect inner = cell.adjusted(3 * kBorder, 3 * kBorder, -3 * kBorder, -3 * kBorder);
        QRect area = inner.adjusted(0, 0, 0, -kNameBand);
        const QRect band(inner.left(), inner.bottom() - 11, inner.width(), 12);
        p->setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
        p->drawText(
            band, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
            option.fontMetrics.elidedText(index.data().toString(), Qt::ElideMiddle, band.width()));
        const QBrush white(Qt::white);
        Draw3DFrame(p, area, kBorder, &white, true);
        area.adjust(kBorder, kBorder, -kBorder, -kBorder);
        QImage picture = index.data(kThumbnailRole).value<QImage>();
        if (picture.isNull()) picture = index.data(kDoneRole).toBool() ? *notPreview_ : *loading_;
        p->setClipRect(area);
        p->drawImage(area.topLeft(), picture);
        p->restore();
    }

private:
    QSize cell_;
    const QImage* loading_;
    const QImage* notPreview_;
};

}  // namespace

QStringList SearchPreviewEntries(const QString& folder, const QStringList& patterns) {
    QStringList names;
    for (const QString& pattern : patterns) {
        for (const FileEntry& e :
             GatherFileEntries(folder.toStdString(), {pattern.toStdString()}, false))
            names << QString::fromStdString(e.name);
    }
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

void PreviewListModel::SetEntries(std::vector<Entry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

void PreviewListModel::SetThumbnail(int row, const QImage& thumbnail) {
    Entry& e = entries_[static_cast<size_t>(row)];
    e.thumbnail = thumbnail;
    e.done = true;
    const QModelIndex i = index(row);
    emit dataChanged(i, i);
}

int PreviewListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant PreviewListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const Entry& e = entries_[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return e.name;
        case kThumbnailRole:
            return e.thumbnail;
        case kDoneRole:
            return e.done;
        case kChosenRole:
            return e.chosen;
        default:
            return {};
    }
}

QSize PreviewList::LastSize() {
    return g_lastSize;
}

PreviewList::PreviewList(QWidget* owner, const PreviewListRequest& request) {
    pool_.setMaxThreadCount(1);
    dialog_ = qobject_cast<QDialog*>(LoadTemplate(nullptr, 128));
    if (!dialog_) return;
    dialog_->setParent(owner, dialog_->windowFlags() | Qt::Dialog | Qt::WindowMaximizeButtonHint);
    list_ = qobject_cast<QListView*>(FindControl(dialog_, 1064));
    progress_ = qobject_cast<QProgressBar*>(FindControl(dialog_, 1065));
    current_ = qobject_cast<QLabel*>(FindControl(dialog_, 1066));
    if (!list_ || !progress_ || !current_) {
        delete dialog_.data();
        return;
    }
    dialog_->setSizeGripEnabled(true);
    if (!request.folder.isEmpty())
        dialog_->setWindowTitle(
            QStringLiteral("%1 - %2").arg(request.folder, dialog_->windowTitle()));

    // The entries: a given list, or a search of the folder by the file type's patterns.
    QStringList names = request.names.isEmpty()
                            ? SearchPreviewEntries(request.folder, request.patterns)
                            : request.names;
    std::vector<PreviewListModel::Entry> entries;
    int chosen = 0;
    for (const QString& name : names) {
        PreviewListModel::Entry e;
        e.name = name;
        e.path = QFileInfo(name).isAbsolute() || request.folder.isEmpty()
                     ? name
                     : JoinPath(request.folder, name);
        if (name.compare(request.chosen, Qt::CaseInsensitive) == 0)
            chosen = static_cast<int>(entries.size());
        entries.push_back(std::move(e));
    }
    if (!entries.empty()) entries[static_cast<size_t>(chosen)].chosen = true;
    model_.SetEntries(std::move(entries));
    list_->setModel(&model_);
    list_->setViewMode(QListView::IconMode);
    list_->setFlow(QListView::LeftToRight);
    list_->setWrapping(true);
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setUniformItemSizes(true);
    list_->setSpacing(0);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    if (model_.rowCount() > 0) list_->setCurrentIndex(model_.index(chosen));

    layout_[0] = {1064, kFollowRight | kFollowBottom, 0, {}};
    layout_[1] = {1065, kMoveY, 0, {}};
    layout_[2] = {1066, kMoveY | kFollowRight, 0, {}};
    layout_[3] = {1, kMoveX | kMoveY, 0, {}};
    layout_[4] = {2, kMoveX | kMoveY, 0, {}};
    RelayoutDialogControls(dialog_, layout_, 5, 0, 0);
    recorded_ = dialog_->size();
    dialog_->installEventFilter(this);
    if (g_lastSize.isValid() && !g_maximized)
        dialog_->resize(g_lastSize);  // centred on the owner at show
    SetUpCells();

    connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        list_->setCurrentIndex(index);
        dialog_->accept();
    });
    if (auto* ok = qobject_cast<QPushButton*>(FindControl(dialog_, DBID_OK)))
        connect(ok, &QPushButton::clicked, dialog_, &QDialog::accept);
    if (auto* cancel = qobject_cast<QPushButton*>(FindControl(dialog_, DBID_CANCEL)))
        connect(cancel, &QPushButton::clicked, dialog_, &QDialog::reject);
}

PreviewList::~PreviewList() {
    StopWorker();
    delete dialog_.data();
}

bool PreviewList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialog_ && event->type() == QEvent::Resize) {
        const QSize now = dialog_->size();
        RelayoutDialogControls(dialog_, layout_, 5, now.width() - recorded_.width(),
                               now.height() - recorded_.height());
    }
    return QObject::eventFilter(watched, event);
}

void PreviewList::SetUpCells() {
    // A quarter of the list's width and a third of its height (its inside, less the scroll bar),
    // fixed for this opening.
    const QRect inside = list_->contentsRect();
    const int bar = list_->verticalScrollBar()->sizeHint().width();
    cell_ = QSize(qMax(40, (inside.width() - bar - 4) / 4), qMax(40, (inside.height() - 2) / 3));
    picture_ = QSize(cell_.width() - 8 * kBorder, cell_.height() - 8 * kBorder - kNameBand);
    const QString loading = LibraryText(11), notPreview = LibraryText(12);
    loading_ = MakeTextPicture(0, &loading, picture_);
    notPreview_ = MakeTextPicture(0, &notPreview, picture_);
    delete list_->itemDelegate();
    list_->setItemDelegate(new CellDelegate(cell_, &loading_, &notPreview_, list_));
    list_->setGridSize(cell_);
}

void PreviewList::StartWorker() {
    working_ = true;
    progress_->setRange(0, 100);
    progress_->show();
    current_->show();
    auto run = std::make_shared<PreviewRun>();
    run_ = run;
    QStringList names;
    for (int i = 0; i < model_.rowCount(); ++i) names << model_.At(i).path;
    const QRect rect(QPoint(0, 0), picture_);
    QPointer<PreviewList> self(this);
    pool_.start([self, run, names, rect] {
        for (int i = 0; i < names.size() && run->Running(); ++i) {
            QMetaObject::invokeMethod(
                qApp,
                [self, i] {
                    if (self) self->Progress(i);
                },
                Qt::QueuedConnection);
            const int kind = IdentifyFileKind(names[i].toUtf8().constData(), nullptr, 0);
            PreviewRenderer renderer = RendererOf(kind);
            QImage thumbnail = renderer ? renderer(0, names[i], &rect, nullptr, 0, *run) : QImage();
            if (!run->Running()) break;
            QMetaObject::invokeMethod(
                qApp,
                [self, i, thumbnail] {
                    if (self) self->Done(i, thumbnail);
                },
                Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(
            qApp,
            [self] {
                if (!self) return;
                self->working_ = false;
                self->progress_->hide();
                self->current_->hide();
                emit self->Finished();
            },
            Qt::QueuedConnection);
    });
}

void PreviewList::Progress(int row) {
    if (row >= model_.rowCount()) return;
    progress_->setValue((row + 1) * 100 / model_.rowCount());
    current_->setText(model_.At(row).name);
}

void PreviewList::Done(int row, const QImage& thumbnail) {
    if (row < model_.rowCount()) model_.SetThumbnail(row, thumbnail);  // the cell repaints at once
}

void PreviewList::StopWorker() {
    if (run_) run_->Stop();
    pool_.waitForDone();
    QApplication::sendPostedEvents(qApp);  // the worker's last reports
    working_ = false;
}

int PreviewList::Run(QString* chosen) {
    if (!dialog_) return -1;
    if (model_.rowCount() == 0) return 0;  // nothing matches: the list ends at once
    StartWorker();
    if (g_maximized) dialog_->setWindowState(Qt::WindowMaximized);
    const int result = ExecCentred(dialog_) == QDialog::Accepted ? 1 : 0;
    StopWorker();
    g_maximized = dialog_->isMaximized();
    if (!g_maximized) g_lastSize = dialog_->size();
    if (result == 1 && list_->currentIndex().isValid()) {
        if (chosen) *chosen = model_.At(list_->currentIndex().row()).name;
        return 1;
    }
    return 0;
}

int RunPreviewList(QWidget* owner, const PreviewListRequest& request, QString* chosen) {
    PreviewList list(owner, request);
    return list.Run(chosen);
}

}  // namespace wepo
