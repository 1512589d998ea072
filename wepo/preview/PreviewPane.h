// The preview pane beside the explorer-style file list (mode bit 0x20): the picture of the
// selected file, drawn by a worker, its information text, and the "Preview" button that opens
// the thumbnail list.
#pragma once

#include <QImage>
#include <QThreadPool>
#include <QWidget>
#include <memory>

#include "wepo/core/preview/PreviewTypes.h"

class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace wepo {

class FileSelectDialog;

class PreviewPane : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPane(FileSelectDialog* dialog);
    ~PreviewPane() override;

    // Shows the preview of path (empty: nothing selected). A running worker is stopped; the new
    // one renders into the picture's size and hands picture and text back; a result of an older
    // selection is never shown.
    void Show(const QString& path);
    // Stops the worker and waits until it has ended.
    void WaitIdle();
    bool Busy() const { return busy_; }
    // The picture size renderers draw into.
    QSize PictureSize() const;
    QLabel* Picture() const { return picture_; }
    QPlainTextEdit* Info() const { return info_; }
    QToolButton* ListButton() const { return button_; }

    // A renderer standing in for the real ones (tests): called on the worker with the path.
    using Renderer = std::function<QImage(const QString& path, std::string* text, PreviewRun& run)>;
    void SetRendererForTest(Renderer renderer) { renderer_ = std::move(renderer); }

signals:
    // A worker's result reached the pane (for the selection it was started for).
    void Shown(const QString& path);

private:
    void Receive(unsigned selection, const QString& path, const QImage& picture,
                 const QString& text);
    void OpenList();

    FileSelectDialog* dialog_;
    QLabel* picture_;
    QPlainTextEdit* info_;
    QToolButton* button_;
    QImage loading_, notPreview_;
    QThreadPool pool_;
    std::shared_ptr<PreviewRun> run_;
    unsigned selection_ = 0;
    bool busy_ = false;
    Renderer renderer_;
};

}  // namespace wepo
