// The old-style file dialog and its list rebuild.
#include "wepo/filesel/OldFileSelect.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyledItemDelegate>
#include <QThreadPool>
#include <algorithm>
#include <memory>

#include "kernel/util/FileUtil.h"
#include "platform/TextCodec.h"
#include "wepo/Wepo.h"
#include "wepo/dlgbox/TemplateLoader.h"
#include "wepo/util/WindowUtil.h"

namespace wepo {

namespace {
constexpr int kIdName = 1152, kIdFiles = 1120, kIdFolder = 1088, kIdFolders = 1121, kIdTypes = 1136,
              kIdVolumes = 1137, kIdFirstSort = 1003, kIdFirstDisplay = 1007, kIdFirstTotal = 1011;
}  // namespace

// Paints a line's tab-separated fields at the list's tab stops.
class TabStopDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    std::vector<int> stops;  // pixels from the left of the line
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QStringList fields = o.text.split(QLatin1Char('\t'));
        o.text.clear();
        QStyle* style = o.widget ? o.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &o, painter, o.widget);
        painter->save();
        painter->setPen(o.palette.color(o.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
        int x = o.rect.left() + 2;
        for (int i = 0; i < fields.size(); ++i) {
            // Field i starts at tab stop i - 1; past the last stop it follows the text before it.
            if (i > 0 && i - 1 < static_cast<int>(stops.size()))
                x = o.rect.left() + 2 + stops[static_cast<size_t>(i - 1)];
            painter->drawText(QRect(x, o.rect.top(), qMax(0, o.rect.right() - x), o.rect.height()),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, fields[i]);
            x += o.fontMetrics.horizontalAdvance(fields[i]) +
                 o.fontMetrics.horizontalAdvance(QLatin1Char(' '));
        }
        painter->restore();
    }
    // As wide as the line with its tab stops, so the list scrolls sideways to its end.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QStringList fields = index.data().toString().split(QLatin1Char('\t'));
        int x = 0;
        for (int i = 0; i < fields.size(); ++i) {
            if (i > 0 && i - 1 < static_cast<int>(stops.size()))
                x = stops[static_cast<size_t>(i - 1)];
            x += option.fontMetrics.horizontalAdvance(fields[i]) +
                 option.fontMetrics.horizontalAdvance(QLatin1Char(' '));
        }
        return QSize(x + 4, size.height());
    }
};

OldFileSelect::OldFileSelect(QWidget* owner, const FileSelectRequest& request, unsigned sortOptions,
                             unsigned displayOptions)
    : request_(request), sort_(sortOptions), display_(displayOptions) {
    dialog_ = qobject_cast<QDialog*>(LoadTemplate(nullptr, 108));
    if (!dialog_) return;
    dialog_->setParent(owner, dialog_->windowFlags() | Qt::Dialog);
    dialog_->setWindowTitle(request.title.isEmpty() ? dialog_->windowTitle() : request.title);
    auto control = [this](int id) { return FindControl(dialog_, static_cast<unsigned>(id)); };
    name_ = qobject_cast<QLineEdit*>(control(kIdName));
    files_ = qobject_cast<QListWidget*>(control(kIdFiles));
    folders_ = qobject_cast<QListWidget*>(control(kIdFolders));
    current_ = qobject_cast<QLabel*>(control(kIdFolder));
    types_ = qobject_cast<QComboBox*>(control(kIdTypes));
    volumes_ = qobject_cast<QComboBox*>(control(kIdVolumes));
    for (int i = 0; i < 4; ++i) {
        sortBoxes_[i] = qobject_cast<QCheckBox*>(control(kIdFirstSort + i));
        displayBoxes_[i] = qobject_cast<QCheckBox*>(control(kIdFirstDisplay + i));
    }
    for (int i = 0; i < 3; ++i) totals_[i] = qobject_cast<QLabel*>(control(kIdFirstTotal + i));
    if (!name_ || !files_ || !folders_ || !current_ || !types_ || !volumes_) {
        delete dialog_.data();
        return;
    }
    delegate_ = new TabStopDelegate(files_);
    files_->setItemDelegate(delegate_);
    name_->setText(request.name);
    for (const FileFilter& f : request.filters) types_->addItem(f.description);
    types_->setCurrentIndex(qBound(0, request.filterIndex, types_->count() - 1));
    volumes_->addItems(VolumeRoots());
    for (int i = 0; i < 4; ++i) {
        if (sortBoxes_[i]) sortBoxes_[i]->setChecked(sort_ & (1u << i));
        if (displayBoxes_[i]) displayBoxes_[i]->setChecked(display_ & (1u << i));
    }

    for (int i = 0; i < 4; ++i) {
        if (sortBoxes_[i])
            connect(sortBoxes_[i], &QCheckBox::clicked, this, [this, i](bool on) {
                sort_ = on ? (sort_ | (1u << i)) : (sort_ & ~(1u << i));
                Rebuild();
            });
        if (displayBoxes_[i])
            connect(displayBoxes_[i], &QCheckBox::clicked, this, [this, i](bool on) {
                display_ = on ? (display_ | (1u << i)) : (display_ & ~(1u << i));
                Rebuild();
            });
    }
    connect(types_, &QComboBox::currentIndexChanged, this, [this] {
        typedPatterns_.clear();
        Rebuild();
    });
    connect(volumes_, &QComboBox::activated, this,
            [this](int i) { SetFolder(volumes_->itemText(i)); });
    connect(files_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        // The name is the line up to its first tab: names with blanks stay whole.
        name_->setText(files_->item(row)->text().section(QLatin1Char('\t'), 0, 0));
    });
    connect(files_, &QListWidget::itemDoubleClicked, this, [this] { TryAccept(); });
    connect(folders_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { SetFolder(item->data(Qt::UserRole).toString()); });
    EnterOpensFolder(folders_, [this](QListWidgetItem* item) {
        SetFolder(item->data(Qt::UserRole).toString());
    });
    if (auto* ok = qobject_cast<QPushButton*>(control(DBID_OK)))
        connect(ok, &QPushButton::clicked, this, &OldFileSelect::TryAccept);
    if (auto* cancel = qobject_cast<QPushButton*>(control(DBID_CANCEL)))
        connect(cancel, &QPushButton::clicked, dialog_, &QDialog::reject);
    if (QWidget* help = control(1038)) help->hide();

    if (!SetFolder(request.folder)) SetFolder(QDir::currentPath());
}

OldFileSelect::~OldFileSelect() {
    delete dialog_.data();
}

int OldFileSelect::FilterIndex() const {
    return types_ ? types_->currentIndex() : 0;
}

int OldFileSelect::Run() {
    return dialog_ && ExecCentred(dialog_) == QDialog::Accepted ? 1 : 0;
}

QStringList OldFileSelect::Patterns() const {
    if (!typedPatterns_.isEmpty()) return typedPatterns_;
    int i = types_->currentIndex();
    return i >= 0 && i < static_cast<int>(request_.filters.size())
               ? request_.filters[static_cast<size_t>(i)].patterns
               : QStringList{QStringLiteral("*")};
}

bool OldFileSelect::SetFolder(const QString& folder) {
    QFileInfo info(folder);
    if (!info.isDir()) return false;
    folder_ = QDir::cleanPath(info.absoluteFilePath());
    current_->setText(folder_);
    current_->setToolTip(folder_);
    int volume = -1;
    for (int i = 0; i < volumes_->count(); ++i) {
        const QString root = volumes_->itemText(i);
        if ((folder_ == root ||
             folder_.startsWith(root.endsWith(QLatin1Char('/')) ? root
                                                                : root + QLatin1Char('/'))) &&
            (volume < 0 || root.size() > volumes_->itemText(volume).size()))
            volume = i;
    }
    volumes_->setCurrentIndex(volume);
    FillFolders();
    Rebuild();
    return true;
}

void OldFileSelect::FillFolders() {
    FillFolderList(folders_, folder_);
}

void OldFileSelect::Rebuild() {
    // The totals of the current volume, 64-bit.
    QStorageInfo volume(folder_);
    if (volume.isValid()) {
        uint64_t total = static_cast<uint64_t>(qMax<qint64>(0, volume.bytesTotal()));
        uint64_t free = static_cast<uint64_t>(qMax<qint64>(0, volume.bytesFree()));
        const uint64_t values[3] = {total, free, total >= free ? total - free : 0};
        for (int i = 0; i < 3; ++i)
            if (totals_[i]) totals_[i]->setText(QString::fromStdString(FormatByteSize(values[i])));
    }
    const unsigned generation = ++generation_;
    ++pending_;
    std::vector<std::string> patterns;
    for (const QString& p : Patterns()) patterns.push_back(p.toStdString());
    const std::string folder = folder_.toStdString();
    const unsigned sort = sort_, display = display_;
    QPointer<OldFileSelect> self(this);
    // One stat (and with comments one 1 KB read) per file, the order and the line texts: on a
    // worker, handed back queued.
    QThreadPool::globalInstance()->start([self, generation, patterns, folder, sort, display] {
        std::vector<FileEntry> entries =
            GatherFileEntries(folder, patterns, display & kShowComment);
        std::stable_sort(entries.begin(), entries.end(),
                         [sort](const FileEntry& a, const FileEntry& b) {
                             return CompareFileEntries(a, b, sort) < 0;
                         });
        ListLines lines;
        for (const FileEntry& e : entries) {
            lines.names << QString::fromStdString(e.name);
            lines.sizes << QString::fromStdString(FormatThousands(e.size));
            // Names are native UTF-8; the comment holds CP932 bytes of the file.
            std::string line = FileListLine(e, display & ~kShowComment);
            QString text = QString::fromStdString(line);
            if (display & kShowComment)
                text +=
                    QLatin1Char('\t') + QString::fromStdString(platform::Cp932ToUtf8(e.comment));
            lines.lines << text;
        }
        QMetaObject::invokeMethod(
            qApp,
            [self, generation, lines = std::move(lines)]() mutable {
                if (self) self->Fill(generation, std::move(lines));
            },
            Qt::QueuedConnection);
    });
}

void OldFileSelect::Fill(unsigned generation, ListLines lines) {
    --pending_;
    if (generation != generation_) {
        if (pending_ == 0) emit Rebuilt();
        return;  // a later rebuild supersedes this one
    }
    QString selected = files_->currentItem()
                           ? files_->currentItem()->text().section(QLatin1Char('\t'), 0, 0)
                           : name_->text();
    // Tab stops: the widest name and size, then a date and a time.
    const QFontMetrics fm(files_->font());
    int nameWidth = 0, sizeWidth = 0;
    for (int i = 0; i < lines.names.size(); ++i) {
        nameWidth = qMax(nameWidth, fm.horizontalAdvance(lines.names[i]));
        sizeWidth = qMax(sizeWidth, fm.horizontalAdvance(lines.sizes[i]));
    }
    const int a = fm.horizontalAdvance(QLatin1Char('A'));
    std::vector<int> stops{nameWidth + a};
    if (display_ & kShowSize) stops.push_back(stops.back() + sizeWidth + a);
    if (display_ & kShowDate)
        stops.push_back(stops.back() + fm.horizontalAdvance(QStringLiteral("AA/AA/AAA")));
    if (display_ & kShowTime)
        stops.push_back(stops.back() + fm.horizontalAdvance(QStringLiteral("AA:AA:AAA")));
    delegate_->stops = stops;

    const QSignalBlocker quiet(files_);
    files_->clear();
    files_->addItems(lines.lines);  // one insertion
    // The same file is selected again, found by its name.
    int reselect = selected.isEmpty() ? -1 : static_cast<int>(lines.names.indexOf(selected));
    if (reselect >= 0) files_->setCurrentRow(reselect);
    if (pending_ == 0) emit Rebuilt();
}

void OldFileSelect::TryAccept() {
    ActOnTypedName(
        ResolveTypedName(dialog_, name_->text(), folder_, request_), name_,
        [this](const QStringList& patterns) {
            typedPatterns_ = patterns;
            Rebuild();
        },
        [this](const QString& folder) { SetFolder(folder); },
        [this](const QString& path) {
            result_ = path;
            dialog_->accept();
        });
}

}  // namespace wepo
