// The explorer-style file dialog.
#include "wepo/filesel/FileSelectDialog.h"

#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "kernel/util/FileUtil.h"
#include "wepo/filesel/FolderModel.h"

namespace wepo {

FileSelectDialog::FileSelectDialog(QWidget* owner, const FileSelectRequest& request)
    : QDialog(owner), request_(request) {
    setWindowTitle(request.title);
    setSizeGripEnabled(true);
    resize(760, 460);

    model_ = new FolderModel(this);

    auto* lookIn = new QLabel(LibraryText(40), this);
    location_ = new QLineEdit(this);
    lookIn->setBuddy(location_);
    back_ = new QToolButton(this);
    back_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    back_->setToolTip(LibraryText(47));
    up_ = new QToolButton(this);
    up_->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    up_->setToolTip(LibraryText(48));
    auto* top = new QHBoxLayout;
    top->addWidget(lookIn);
    top->addWidget(location_, 1);
    top->addWidget(back_);
    top->addWidget(up_);

    places_ = new QListWidget(this);
    places_->setToolTip(LibraryText(46));
    auto addPlace = [this](const QString& text, const QString& path, QStyle::StandardPixmap icon) {
        auto* item = new QListWidgetItem(style()->standardIcon(icon), text, places_);
        item->setData(Qt::UserRole, path);
        item->setToolTip(path);
    };
    addPlace(LibraryText(49), QDir::homePath(), QStyle::SP_DirHomeIcon);
    if (request.folder != QDir::homePath())
        addPlace(QFileInfo(request.folder).fileName().isEmpty()
                     ? request.folder
                     : QFileInfo(request.folder).fileName(),
                 request.folder, QStyle::SP_DirOpenIcon);
    for (const QString& root : VolumeRoots())
        addPlace(root == QLatin1String("/") ? LibraryText(50) : root, root, QStyle::SP_DriveHDIcon);

    list_ = new QTreeView(this);
    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setSortingEnabled(true);
    list_->sortByColumn(0, Qt::AscendingOrder);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformRowHeights(true);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->resizeSection(FolderModel::kSize, 90);
    list_->header()->resizeSection(FolderModel::kType, 90);
    list_->header()->resizeSection(FolderModel::kDate, 130);
    connect(model_, &FolderModel::Loaded, this, [this] {
        if (isVisible()) FitColumns();
    });
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    previewSlot_ = new QWidget(this);
    previewSlot_->setLayout(new QVBoxLayout);
    previewSlot_->layout()->setContentsMargins(0, 0, 0, 0);
    previewSlot_->hide();

    auto* middle = new QSplitter(this);
    middle->addWidget(places_);
    middle->addWidget(list_);
    middle->addWidget(previewSlot_);
    middle->setStretchFactor(1, 1);
    middle->setSizes({130, 500, 0});

    name_ = new QLineEdit(request.name, this);
    auto* completer = new QCompleter(model_, this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionColumn(FolderModel::kName);
    // Inline: Enter always reaches the name field (a popup would take the first press).
    completer->setCompletionMode(QCompleter::InlineCompletion);
    name_->setCompleter(completer);
    types_ = new QComboBox(this);
    for (const FileFilter& f : request.filters) types_->addItem(f.description);
    types_->setCurrentIndex(qBound(0, request.filterIndex, types_->count() - 1));
    ok_ = new QPushButton(LibraryText(request.open ? 43 : 44), this);
    // Enter in the name field confirms it (also when it takes an inline completion), so the
    // button is no default that a second handler would press.
    ok_->setAutoDefault(false);
    auto* cancel = new QPushButton(LibraryText(45), this);
    cancel->setAutoDefault(false);
    auto* nameLabel = new QLabel(LibraryText(41), this);
    nameLabel->setBuddy(name_);
    auto* typeLabel = new QLabel(LibraryText(42), this);
    typeLabel->setBuddy(types_);
    auto* bottom = new QGridLayout;
    bottom->addWidget(nameLabel, 0, 0);
    bottom->addWidget(name_, 0, 1);
    bottom->addWidget(ok_, 0, 2);
    bottom->addWidget(typeLabel, 1, 0);
    bottom->addWidget(types_, 1, 1);
    bottom->addWidget(cancel, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(middle, 1);
    layout->addLayout(bottom);

    connect(ok_, &QPushButton::clicked, this, &FileSelectDialog::TryAccept);
    connect(name_, &QLineEdit::returnPressed, this, &FileSelectDialog::TryAccept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(back_, &QToolButton::clicked, this, &FileSelectDialog::GoBack);
    connect(up_, &QToolButton::clicked, this, &FileSelectDialog::GoUp);
    connect(location_, &QLineEdit::returnPressed, this, [this] {
        QString typed = QDir::cleanPath(location_->text().trimmed());
        if (!SetFolder(QDir::isAbsolutePath(typed) ? typed : JoinPath(folder_, typed)))
            AskLibrary(this, windowTitle(), 15, {location_->text()}, QMessageBox::Warning);
    });
    connect(places_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SetFolder(item->data(Qt::UserRole).toString()); });
    connect(types_, &QComboBox::currentIndexChanged, this, [this] {
        typedPatterns_.clear();
        ApplyFilter();
    });
    connect(list_, &QTreeView::activated, this, &FileSelectDialog::Activated);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { CurrentChanged(current); });

    ApplyFilter();
    SetFolder(request.folder, false);
    name_->setFocus();
}

void FileSelectDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // After the layout has given the list its width.
    if (!model_->Loading()) QTimer::singleShot(0, this, &FileSelectDialog::FitColumns);
}

void FileSelectDialog::FitColumns() {
    if (columnsFitted_ || !isVisible()) return;
    columnsFitted_ = true;
    int others = 0;
    for (int c : {FolderModel::kSize, FolderModel::kType, FolderModel::kDate}) {
        list_->resizeColumnToContents(c);
        others += list_->header()->sectionSize(c);
    }
    // The names stretch into what is left; a long name may take up to forty characters' room.
    const QAbstractItemView* view = list_;  // the tree view keeps its measure protected
    const int names =
        qMin(view->sizeHintForColumn(FolderModel::kName), fontMetrics().averageCharWidth() * 40);
    const int missing = names + others - list_->viewport()->width();
    if (missing <= 0) return;
    int wanted = width() + missing;
    if (QScreen* shown = screen()) wanted = qMin(wanted, shown->availableGeometry().width());
    if (wanted > width()) resize(wanted, height());
}

int FileSelectDialog::FilterIndex() const {
    return types_->currentIndex();
}

QString FileSelectDialog::NameText() const {
    return name_->text();
}

QStringList FileSelectDialog::Patterns() const {
    if (!typedPatterns_.isEmpty()) return typedPatterns_;
    int i = types_->currentIndex();
    return i >= 0 && i < static_cast<int>(request_.filters.size())
               ? request_.filters[static_cast<size_t>(i)].patterns
               : QStringList{QStringLiteral("*")};
}

void FileSelectDialog::ApplyFilter() {
    model_->SetPatterns(Patterns());
}

bool FileSelectDialog::SetFolder(const QString& folder, bool remember) {
    QFileInfo info(folder);
    if (!info.isDir()) return false;
    QString clean = QDir::cleanPath(info.absoluteFilePath());
    if (remember && !folder_.isEmpty() && folder_ != clean) history_ << folder_;
    folder_ = clean;
    location_->setText(folder_);
    model_->SetFolder(folder_);
    back_->setEnabled(!history_.isEmpty());
    up_->setEnabled(folder_ != QLatin1String("/"));
    emit FolderChanged(folder_);
    return true;
}

void FileSelectDialog::GoBack() {
    if (history_.isEmpty()) return;
    QString previous = history_.takeLast();
    if (!SetFolder(previous, false)) back_->setEnabled(!history_.isEmpty());
}

void FileSelectDialog::GoUp() {
    QDir dir(folder_);
    if (dir.cdUp()) SetFolder(dir.absolutePath());
}

void FileSelectDialog::Activated(const QModelIndex& index) {
    if (model_->IsFolder(index)) {
        SetFolder(model_->FilePath(index));
        return;
    }
    name_->setText(model_->FileName(index));
    TryAccept();
}

void FileSelectDialog::CurrentChanged(const QModelIndex& index) {
    if (!index.isValid() || model_->IsFolder(index)) {
        emit SelectionChanged(QString());
        return;
    }
    name_->setText(model_->FileName(index));
    emit SelectionChanged(model_->FilePath(index));
}

void FileSelectDialog::AcceptName(const QString& name) {
    name_->setText(name);
    TryAccept();
}

void FileSelectDialog::TryAccept() {
    ActOnTypedName(
        ResolveTypedName(this, name_->text(), folder_, request_), name_,
        [this](const QStringList& patterns) {
            typedPatterns_ = patterns;
            ApplyFilter();
        },
        [this](const QString& folder) { SetFolder(folder); },
        [this](const QString& path) {
            result_ = path;
            accept();
        });
}

}  // namespace wepo
