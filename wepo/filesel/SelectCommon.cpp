// Shared pieces of the file and folder dialogs.
#include "wepo/filesel/SelectCommon.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QStorageInfo>
#include <cstring>

#include "kernel/util/FileUtil.h"
#include "wepo/util/StringCache.h"

namespace wepo {

std::vector<FileFilter> ParseFilterPairs(const char* filter) {
    std::vector<FileFilter> out;
    while (filter && *filter) {
        FileFilter f;
        f.description = QString::fromUtf8(filter);
        filter += std::strlen(filter) + 1;
        for (const QString& p :
             QString::fromUtf8(filter).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!p.trimmed().isEmpty()) f.patterns << p.trimmed();
        if (f.patterns.isEmpty()) f.patterns << QStringLiteral("*");
        out.push_back(f);
        if (!*filter) break;
        filter += std::strlen(filter) + 1;
    }
    if (out.empty()) out.push_back({QStringLiteral("*"), {QStringLiteral("*")}});
    return out;
}

TypedName ResolveTypedName(QWidget* dialog, const QString& typed, const QString& folder,
                           const FileSelectRequest& request) {
    TypedName out;
    const QString text = typed.trimmed();
    if (text.isEmpty()) return out;
    if (text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'))) {
        out.kind = TypedName::kPatterns;
        out.patterns = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        return out;
    }
    QString path = QDir::cleanPath(QDir::isAbsolutePath(text) ? text : JoinPath(folder, text));
    QFileInfo info(path);
    out.path = path;
    if (info.isDir()) {
        out.kind = TypedName::kFolder;
        return out;
    }
    const QString title = dialog ? dialog->windowTitle() : request.title;
    out.kind = TypedName::kStay;
    if (!QFileInfo(info.absolutePath()).isDir()) {
        AskLibrary(dialog, title, 15, {info.absolutePath()}, QMessageBox::Warning);
        out.path = text;
        return out;
    }
    if (request.open) {
        if (!IsFileExist(path.toStdString())) {
            AskLibrary(dialog, title, 13, {path}, QMessageBox::Warning);
            out.path = text;
            return out;
        }
    } else if (!request.defaultExtension.isEmpty() && !info.fileName().contains(QLatin1Char('.'))) {
        // The default extension only when the name itself holds no '.'.
        path += QLatin1Char('.') + request.defaultExtension;
    }
    if (!FitsBuffer(path, request.resultSize)) {
        AskLibrary(dialog, title, 14,
                   {path, QString::number(static_cast<int>(request.resultSize) - 1)},
                   QMessageBox::Warning);
        out.path = text;
        return out;
    }
    if (!request.open && request.askOverwrite && IsFileExist(path.toStdString()) &&
        AskLibrary(dialog, request.title, 10, {path}, QMessageBox::Question,
                   QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok) {
        out.path = QFileInfo(path).fileName();  // as the dialog opened again with the extended name
        return out;
    }
    out.kind = TypedName::kFile;
    out.path = path;
    return out;
}

void ActOnTypedName(const TypedName& typed, QLineEdit* field,
                    const std::function<void(const QStringList&)>& listPatterns,
                    const std::function<void(const QString&)>& showFolder,
                    const std::function<void(const QString&)>& takeFile) {
    switch (typed.kind) {
        case TypedName::kNothing:
            break;
        case TypedName::kPatterns:
            listPatterns(typed.patterns);
            break;
        case TypedName::kFolder:
            showFolder(typed.path);
            field->clear();
            break;
        case TypedName::kStay:
            field->setText(typed.path);
            break;
        case TypedName::kFile:
            takeFile(typed.path);
            break;
    }
}

QString LibraryText(unsigned id) {
    const char* text = LoadStringCached(LibraryModule(), id);
    return text ? QString::fromUtf8(text) : QString();
}

QString LibraryMessage(unsigned id, const QStringList& args) {
    QString text = LibraryText(id), out;
    int next = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('%') && i + 1 < text.size() &&
            (text[i + 1] == QLatin1Char('s') || text[i + 1] == QLatin1Char('d'))) {
            out += next < args.size() ? args[next] : QString();
            ++next;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

QMessageBox::StandardButton AskLibrary(QWidget* owner, const QString& title, unsigned id,
                                       const QStringList& args, QMessageBox::Icon icon,
                                       QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, LibraryMessage(id, args), buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool FitsBuffer(const QString& text, unsigned size) {
    return static_cast<unsigned>(text.toUtf8().size()) + 1 <= size;
}

bool WriteBuffer(const QString& text, char* buffer, unsigned size) {
    QByteArray bytes = text.toUtf8();
    if (!buffer || static_cast<unsigned>(bytes.size()) + 1 > size) return false;
    std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
    buffer[bytes.size()] = '\0';
    return true;
}

QStringList VolumeRoots() {
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady() && !roots.contains(v.rootPath())) roots << v.rootPath();
    return roots;
}

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/'))) return folder + name;
    return folder + QLatin1Char('/') + name;
}

void FillFolderList(QListWidget* list, const QString& folder) {
    list->clear();
    if (folder != QLatin1String("/")) {
        auto* up = new QListWidgetItem(QStringLiteral(".."), list);
        up->setData(Qt::UserRole, QFileInfo(folder).absolutePath());
    }
    for (const QString& name :
         QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(QStringLiteral("[%1]").arg(name), list);
        item->setData(Qt::UserRole, JoinPath(folder, name));
    }
}

namespace {
class EnterFilter : public QObject {
public:
    EnterFilter(QListWidget* list, std::function<void(QListWidgetItem*)> action)
        : QObject(list), list_(list), action_(std::move(action)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        if (QListWidgetItem* item = list_->currentItem()) action_(item);
        return true;
    }

private:
    QListWidget* list_;
    std::function<void(QListWidgetItem*)> action_;
};
}  // namespace

void EnterOpensFolder(QListWidget* list, std::function<void(QListWidgetItem*)> action) {
    list->installEventFilter(new EnterFilter(list, std::move(action)));
}

int ExecCentred(QDialog* dialog) {
    if (!dialog->parentWidget()) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect area = screen->availableGeometry();
            dialog->move(area.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
        }
    }
    return dialog->exec();
}

}  // namespace wepo
