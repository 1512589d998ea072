// The preview pane and its worker.
#include "wepo/preview/PreviewPane.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/TextCodec.h"
#include "wepo/core/FileKind.h"
#include "wepo/filesel/FileSelectDialog.h"
#include "wepo/filesel/PreviewSeam.h"
#include "wepo/filesel/SelectCommon.h"
#include "wepo/preview/PreviewList.h"
#include "wepo/preview/PreviewPainter.h"
#include "wepo/preview/Renderers.h"

namespace wepo {

namespace {

constexpr size_t kInfoSize = 32767;

// The button's picture: four small thumbnails.
QIcon ListIcon() {
    QImage image(16, 14, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i) p.drawRect((i % 2) * 8, (i / 2) * 7, 6, 5);
    return QIcon(QPixmap::fromImage(image));
}

}  // namespace

PreviewPane::PreviewPane(FileSelectDialog* dialog) : QWidget(dialog), dialog_(dialog) {
    pool_.setMaxThreadCount(2);
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("id1007"));
    picture_->setFixedSize(232, 208);         // 132 x 126 dialog units
    picture_->setAlignment(Qt::AlignCenter);  // centred, never scaled
    picture_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    info_ = new QPlainTextEdit(this);
    info_->setObjectName(QStringLiteral("id1061"));
    info_->setReadOnly(true);
    info_->setMinimumHeight(80);
    button_ = new QToolButton(this);
    button_->setObjectName(QStringLiteral("id1063"));
    button_->setIcon(ListIcon());
    button_->setText(LibraryText(58));
    button_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(picture_);
    layout->addWidget(info_, 1);
    layout->addWidget(button_, 0, Qt::AlignLeft);

    const QString loading = LibraryText(11), notPreview = LibraryText(12);
    loading_ = MakeTextPicture(PRM_COLOR, &loading, PictureSize());
    notPreview_ = MakeTextPicture(PRM_COLOR, &notPreview, PictureSize());
    picture_->setPixmap(QPixmap::fromImage(notPreview_));
    connect(button_, &QToolButton::clicked, this, &PreviewPane::OpenList);
}

PreviewPane::~PreviewPane() {
    WaitIdle();
}

QSize PreviewPane::PictureSize() const {
    return picture_->size() - QSize(2 * picture_->frameWidth(), 2 * picture_->frameWidth());
}

void PreviewPane::Show(const QString& path) {
    if (run_) run_->Stop();
    const unsigned selection = ++selection_;
    if (path.isEmpty()) {
        busy_ = false;
        picture_->setPixmap(QPixmap::fromImage(notPreview_));
        info_->clear();
        return;
    }
    // Busy before the worker starts, so a wait that follows finds it.
    busy_ = true;
    picture_->setPixmap(QPixmap::fromImage(loading_));
    info_->clear();
    auto run = std::make_shared<PreviewRun>();
    run_ = run;
    const QRect rect(QPoint(0, 0), PictureSize());
    QPointer<PreviewPane> self(this);
    Renderer stand = renderer_;
    pool_.start([self, selection, path, rect, run, stand] {
        std::string text;
        QImage picture;
        if (stand) {
            picture = stand(path, &text, *run);
        } else {
            const int kind = IdentifyFileKind(path.toUtf8().constData(), nullptr, 0);
            picture = RenderForPane(kind, path, rect, &text, kInfoSize, *run);
        }
        const QString info = QString::fromStdString(platform::Cp932ToUtf8(text));
        // Widgets are the user-interface thread's: the result travels there queued.
        QMetaObject::invokeMethod(
            qApp,
            [self, selection, path, picture, info] {
                if (self) self->Receive(selection, path, picture, info);
            },
            Qt::QueuedConnection);
    });
}

void PreviewPane::Receive(unsigned selection, const QString& path, const QImage& picture,
                          const QString& text) {
    if (selection != selection_) return;  // an older selection: never shown over a newer one
    busy_ = false;
    picture_->setPixmap(QPixmap::fromImage(picture.isNull() ? notPreview_ : picture));
    QString shown = text;
    shown.replace(QLatin1String("\r\r\n"), QLatin1String("\n"));
    info_->setPlainText(shown);
    emit Shown(path);
}

void PreviewPane::WaitIdle() {
    if (run_) run_->Stop();
    pool_.waitForDone();
    busy_ = false;
}

void PreviewPane::OpenList() {
    WaitIdle();
    QString chosen = dialog_->NameText();
    PreviewListRequest request;
    request.folder = dialog_->Folder();
    request.patterns = dialog_->Patterns();
    request.chosen = chosen;
    if (RunPreviewList(dialog_, request, &chosen) == 1) dialog_->AcceptName(chosen);
}

void AttachPreviewPane(FileSelectDialog* dialog) {
    auto* pane = new PreviewPane(dialog);
    QWidget* slot = dialog->PreviewSlot();
    slot->layout()->addWidget(pane);
    slot->setMinimumWidth(pane->sizeHint().width());
    slot->show();
    if (auto* splitter = qobject_cast<QSplitter*>(slot->parentWidget())) {
        QList<int> sizes = splitter->sizes();
        if (sizes.size() == 3) splitter->setSizes({sizes[0], sizes[1], pane->sizeHint().width()});
    }
    QObject::connect(dialog, &FileSelectDialog::SelectionChanged, pane, &PreviewPane::Show);
    QObject::connect(dialog, &FileSelectDialog::FolderChanged, pane,
                     [pane] { pane->Show(QString()); });
    dialog->resize(dialog->width() + pane->sizeHint().width(), qMax(dialog->height(), 480));
}

}  // namespace wepo
