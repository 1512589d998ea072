// The folder tree and the old-style folder dialog.
#include "wepo/filesel/FolderDialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QTreeView>

#include "wepo/Wepo.h"
#include "wepo/core/FolderSelect.h"
#include "wepo/dlgbox/TemplateLoader.h"
#include "wepo/filesel/SelectCommon.h"

namespace wepo {

namespace {
QSize g_lastTreeSize;  // the folder tree's last size, for the process

// The folder with one trailing '/'.
QString WithSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
}  // namespace

QSize FolderTree::LastSize() {
    return g_lastTreeSize;
}

FolderTree::FolderTree(QWidget* owner, const QString& title, const QString& folder,
                       unsigned resultSize)
    : title_(title), given_(folder), resultSize_(resultSize) {
    dialog_ = qobject_cast<QDialog*>(LoadTemplate(nullptr, 129));
    if (!dialog_) return;
    dialog_->setParent(owner, dialog_->windowFlags() | Qt::Dialog);
    tree_ = qobject_cast<QTreeView*>(FindControl(dialog_, 1068));
    places_ = qobject_cast<QComboBox*>(FindControl(dialog_, 1069));
    if (!tree_ || !places_) {
        delete dialog_.data();
        return;
    }
    dialog_->setWindowTitle(title);
    dialog_->setSizeGripEnabled(true);
    // The tree, OK and Cancel (and the places) follow the dialog's size.
    layout_[0] = {1068, kFollowRight | kFollowBottom, 0, {}};
    layout_[1] = {1, kMoveX | kMoveY, 0, {}};
    layout_[2] = {2, kMoveX | kMoveY, 0, {}};
    layout_[3] = {1069, kFollowRight, 0, {}};
    RelayoutDialogControls(dialog_, layout_, 4, 0, 0);
    recorded_ = dialog_->size();
    if (g_lastTreeSize.isValid()) dialog_->resize(g_lastTreeSize);  // centred on the owner at show
    dialog_->installEventFilter(this);
    // Any move of the user's in the tree ends the following of the caller's folder.
    tree_->installEventFilter(this);
    tree_->viewport()->installEventFilter(this);
    tree_->verticalScrollBar()->installEventFilter(this);
    reveal_ = new QTimer(this);
    reveal_->setSingleShot(true);
    reveal_->setInterval(0);
    connect(reveal_, &QTimer::timeout, this, &FolderTree::RevealGiven);

    places_->addItem(LibraryText(49), QDir::homePath());
    for (const QString& root : VolumeRoots())
        places_->addItem(root == QLatin1String("/") ? LibraryText(50) : root, root);
    places_->setPlaceholderText(LibraryText(46));
    places_->setCurrentIndex(-1);
    // F5 rebuilds the tree and selects the caller's folder again.
    auto* refresh = new QShortcut(QKeySequence(Qt::Key_F5), dialog_);
    connect(refresh, &QShortcut::activated, this, [this] {
        Refill();
        SelectGiven();
    });
    connect(places_, &QComboBox::activated, this, [this](int i) {
        following_ = false;
        QModelIndex index = model_->index(places_->itemData(i).toString());
        tree_->setCurrentIndex(index);
        tree_->expand(index);
        tree_->scrollTo(index);
    });
    if (auto* ok = qobject_cast<QPushButton*>(FindControl(dialog_, DBID_OK)))
        connect(ok, &QPushButton::clicked, this, &FolderTree::Accept);
    if (auto* cancel = qobject_cast<QPushButton*>(FindControl(dialog_, DBID_CANCEL)))
        connect(cancel, &QPushButton::clicked, dialog_, &QDialog::reject);
    Refill();
    SelectGiven();
    FitCaption();
    tree_->setFocus();
}

void FolderTree::FitCaption() {
    // Only ever wider: the last size stays where the caption fits in it. The title bar holds
    // the icon and the window buttons beside the text, each about as wide as the bar is high.
    const QFontMetrics metrics(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    const int bar = dialog_->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, dialog_);
    int wanted = metrics.horizontalAdvance(dialog_->windowTitle()) + 4 * bar;
    if (QScreen* screen = dialog_->screen())
        wanted = qMin(wanted, screen->availableGeometry().width());
    if (dialog_->width() < wanted) dialog_->resize(wanted, dialog_->height());
}

void FolderTree::Refill() {
    // Folders only, read as the user opens them (QFileSystemModel reads on its own thread).
    auto* model = new QFileSystemModel(this);
    model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model->setReadOnly(true);
    model->setRootPath(QStringLiteral("/"));
    tree_->setModel(model);
    // Each level read, sorted or grown moves the rows: the caller's folder is brought back
    // into view until the user moves in the tree.
    connect(model, &QFileSystemModel::directoryLoaded, reveal_, qOverload<>(&QTimer::start));
    connect(model, &QAbstractItemModel::layoutChanged, reveal_, qOverload<>(&QTimer::start));
    connect(model, &QAbstractItemModel::rowsInserted, reveal_, qOverload<>(&QTimer::start));
    for (int c = 1; c < model->columnCount(); ++c) tree_->hideColumn(c);
    tree_->setSortingEnabled(true);
    tree_->sortByColumn(0, Qt::AscendingOrder);
    delete model_;
    model_ = model;
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FolderTree::SelectionChanged);
}

void FolderTree::SelectGiven() {
    FolderTarget target = FolderSelectTarget(given_.toStdString());
    if (target.folder.empty()) return;
    QModelIndex index = model_->index(QString::fromStdString(target.folder));
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) tree_->expand(up);
    tree_->setCurrentIndex(index);
    if (target.expand) tree_->expand(index);
    tree_->scrollTo(index);
    givenIndex_ = index;
    following_ = true;
}

void FolderTree::RevealGiven() {
    if (!following_ || !givenIndex_.isValid()) return;
    for (QModelIndex up = givenIndex_.parent(); up.isValid(); up = up.parent()) tree_->expand(up);
    tree_->scrollTo(givenIndex_, QAbstractItemView::PositionAtCenter);
}

void FolderTree::SelectionChanged() {
    QModelIndex index = tree_->currentIndex();
    if (!index.isValid()) return;
    dialog_->setWindowTitle(QStringLiteral("%1 - [%2]").arg(title_, model_->filePath(index)));
}

void FolderTree::Accept() {
    QModelIndex index = tree_->currentIndex();
    if (!index.isValid()) return;  // no folder chosen: OK does nothing
    QString folder = WithSlash(model_->filePath(index));
    if (!FitsBuffer(folder, resultSize_)) {
        AskLibrary(dialog_, title_, 14,
                   {folder, QString::number(static_cast<int>(resultSize_) - 1)},
                   QMessageBox::Warning);
        return;
    }
    result_ = folder;
    dialog_->accept();
}

FolderTree::~FolderTree() {
    delete dialog_.data();
}

OldFolderSelect::~OldFolderSelect() {
    delete dialog_.data();
}

int FolderTree::Run() {
    if (!dialog_) return -1;
    int result = ExecCentred(dialog_) == QDialog::Accepted ? 1 : 0;
    g_lastTreeSize = dialog_->size();
    return result;
}

bool FolderTree::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialog_ && event->type() == QEvent::Resize) {
        QSize now = dialog_->size();
        RelayoutDialogControls(dialog_, layout_, 4, now.width() - recorded_.width(),
                               now.height() - recorded_.height());
        reveal_->start();
    } else if (watched == dialog_ && event->type() == QEvent::Show) {
        reveal_->start();
    } else if (watched != dialog_ &&
               (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel ||
                event->type() == QEvent::KeyPress)) {
        following_ = false;
    }
    return QObject::eventFilter(watched, event);
}

OldFolderSelect::OldFolderSelect(QWidget* owner, const QString& title, const QString& folder,
                                 unsigned resultSize)
    : resultSize_(resultSize) {
    dialog_ = qobject_cast<QDialog*>(LoadTemplate(nullptr, 126));
    if (!dialog_) return;
    dialog_->setParent(owner, dialog_->windowFlags() | Qt::Dialog);
    current_ = qobject_cast<QLabel*>(FindControl(dialog_, 1088));
    folders_ = qobject_cast<QListWidget*>(FindControl(dialog_, 1121));
    volumes_ = qobject_cast<QComboBox*>(FindControl(dialog_, 1137));
    if (!current_ || !folders_ || !volumes_) {
        delete dialog_.data();
        return;
    }
    if (!title.isEmpty()) dialog_->setWindowTitle(title);
    volumes_->addItems(VolumeRoots());
    connect(volumes_, &QComboBox::activated, this,
            [this](int i) { SetFolder(volumes_->itemText(i)); });
    connect(folders_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { SetFolder(item->data(Qt::UserRole).toString()); });
    EnterOpensFolder(folders_, [this](QListWidgetItem* item) {
        SetFolder(item->data(Qt::UserRole).toString());
    });
    if (auto* ok = qobject_cast<QPushButton*>(FindControl(dialog_, DBID_OK)))
        connect(ok, &QPushButton::clicked, this, [this] {
            QString chosen = WithSlash(folder_);
            if (!FitsBuffer(chosen, resultSize_)) {
                AskLibrary(dialog_, dialog_->windowTitle(), 14,
                           {chosen, QString::number(static_cast<int>(resultSize_) - 1)},
                           QMessageBox::Warning);
                return;
            }
            result_ = chosen;
            dialog_->accept();
        });
    if (auto* cancel = qobject_cast<QPushButton*>(FindControl(dialog_, DBID_CANCEL)))
        connect(cancel, &QPushButton::clicked, dialog_, &QDialog::reject);
    if (!SetFolder(folder)) SetFolder(QDir::currentPath());
}

bool OldFolderSelect::SetFolder(const QString& folder) {
    QFileInfo info(folder);
    if (!info.isDir()) return false;
    folder_ = QDir::cleanPath(info.absoluteFilePath());
    current_->setText(folder_);
    current_->setToolTip(folder_);
    FillFolderList(folders_, folder_);
    return true;
}

int OldFolderSelect::Run() {
    if (!dialog_) return 0;
    return ExecCentred(dialog_) == QDialog::Accepted ? 1 : 0;
}

}  // namespace wepo
