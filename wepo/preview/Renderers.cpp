// The renderers of the contract over the parsers and the painter.
#include "wepo/preview/Renderers.h"

#include <QImageReader>

#include "kernel/io/ReadWholeFile.h"
#include "platform/TextCodec.h"
#include "wepo/core/FileKind.h"
#include "wepo/core/preview/PreviewFiles.h"
#include "wepo/core/preview/PreviewRunFlag.h"
#include "wepo/preview/PreviewPainter.h"
#include "wepo/util/StringCache.h"

namespace wepo {

namespace {

// The labels 35 to 37 in the bytes of the preview text (CP932).
PreviewLabels Labels() {
    PreviewLabels labels;
    auto cp932 = [](unsigned id, std::string& out) {
        if (const char* s = LoadStringCached(LibraryModule(), id))
            out = platform::Utf8ToCp932(s).bytes;
    };
    cp932(35, labels.name);
    cp932(36, labels.number);
    cp932(37, labels.designer);
    return labels;
}

QImage Render(int kind, int mode, const QString& path, const QRect* rect, std::string* text,
              size_t textSize, PreviewRun& run) {
    PreviewRunScope going(run);
    PreviewText preview(text ? textSize : 0);
    PreviewDrawing drawing =
        ParsePreviewFile(path.toStdString(), kind, mode, preview, Labels(), run);
    if (text) *text = preview.Text();
    if (!rect) return {};
    return PaintPreview(drawing, rect->size(), mode, run);
}

}  // namespace

QImage RenderCadDrawing(int mode, const QString& path, const QRect* rect, std::string* text,
                        size_t size, PreviewRun& run) {
    return Render(FK_CAD_NATIVE, mode, path, rect, text, size, run);
}
QImage RenderCadBackup(int mode, const QString& path, const QRect* rect, std::string* text,
                       size_t size, PreviewRun& run) {
    return Render(FK_CAD_BACKUP, mode, path, rect, text, size, run);
}
QImage DescribeCadHeader(int mode, const QString& path, const QRect* rect, std::string* text,
                         size_t size, PreviewRun& run) {
    // Kinds 2 and 3 differ only in where their fields lie: the file tells which it is.
    const int kind = IdentifyFileKind(path.toUtf8().constData(), nullptr, 0) == FK_CAD_TW
                         ? FK_CAD_TW
                         : FK_CAD_RW;
    return Render(kind, mode, path, rect, text, size, run);
}
QImage RenderExfDrawing(int mode, const QString& path, const QRect* rect, std::string* text,
                        size_t size, PreviewRun& run) {
    return Render(FK_EXF, mode, path, rect, text, size, run);
}
QImage RenderDxfDrawing(int mode, const QString& path, const QRect* rect, std::string* text,
                        size_t size, PreviewRun& run) {
    return Render(FK_DXF, mode, path, rect, text, size, run);
}
QImage RenderTextFile(int mode, const QString& path, const QRect* rect, std::string* text,
                      size_t size, PreviewRun& run) {
    return Render(FK_TEXT, mode, path, rect, text, size, run);
}
QImage RenderNcProgram(int, const QString&, const QRect*, std::string* text, size_t, PreviewRun&) {
    if (text) text->clear();
    return {};
}
QImage PreviewFromScript(int mode, const QString& path, const QRect* rect, std::string* text,
                         size_t size, PreviewRun& run) {
    return Render(FK_SCRIPT, mode, path, rect, text, size, run);
}

PreviewRenderer RendererOf(int kind) {
    switch (kind) {
        case FK_CAD_NATIVE:
        case FK_CAD_V4:
            return RenderCadDrawing;
        case FK_CAD_RW:
        case FK_CAD_TW:
            return DescribeCadHeader;
        case FK_DXF:
            return RenderDxfDrawing;
        case FK_EXF:
            return RenderExfDrawing;
        case FK_TEXT:
            return RenderTextFile;
        case FK_NC_PROGRAM:
            return RenderNcProgram;
        case FK_CAD_BACKUP:
            return RenderCadBackup;
        case FK_SCRIPT:
            return PreviewFromScript;
        default:
            return nullptr;
    }
}

QImage LoadBmpFile(const QString& path) {
    QImageReader reader(path, "bmp");
    reader.setAutoTransform(false);
    return reader.read();
}

std::string ProgramVersionText(const QString& path) {
    std::optional<std::string> bytes = ReadWholeFile(path.toStdString());
    if (!bytes) return {};
    std::optional<FileVersion> version = ReadFixedFileVersion(*bytes);
    return version ? VersionText(*version) : std::string();
}

QImage RenderForPane(int kind, const QString& path, const QRect& rect, std::string* text,
                     size_t textSize, PreviewRun& run) {
    if (kind == FK_DLL || kind == FK_EXE) {
        if (text) *text = ProgramVersionText(path).substr(0, textSize ? textSize - 1 : 0);
        return {};
    }
    if (kind == FK_BMP) return LoadBmpFile(path);
    PreviewRenderer renderer = RendererOf(kind);
    return renderer ? renderer(PRM_COLOR, path, &rect, text, textSize, run) : QImage();
}

}  // namespace wepo
