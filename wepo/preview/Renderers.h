// The preview renderers: (mode, path, picture rectangle, text) to a picture. Each reads the file
// whole, parses it with the parsers of wepo/core/preview and paints the result; none shows a
// message. They run on worker threads (no widget is touched).
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <string>

#include "wepo/core/preview/PreviewTypes.h"

namespace wepo {

// The renderer contract. rect: the picture rectangle (at the origin) or null for text only; text:
// null or a string that receives the preview text (CP932 bytes, lines ended by "\r\r\n", at most
// textSize - 1 bytes). The picture, or a null image when the file cannot be read, is not of its
// kind's form, has nothing to draw, or run was stopped. run is registered as going on while the
// renderer works (SetPreviewRunFlag(0) stops it).
using PreviewRenderer = QImage (*)(int mode, const QString& path, const QRect* rect,
                                   std::string* text, size_t textSize, PreviewRun& run);

QImage RenderCadDrawing(int mode, const QString& path, const QRect* rect, std::string* text,
                        size_t textSize, PreviewRun& run);
QImage RenderCadBackup(int mode, const QString& path, const QRect* rect, std::string* text,
                       size_t textSize, PreviewRun& run);
QImage DescribeCadHeader(int mode, const QString& path, const QRect* rect, std::string* text,
                         size_t textSize, PreviewRun& run);
QImage RenderExfDrawing(int mode, const QString& path, const QRect* rect, std::string* text,
                        size_t textSize, PreviewRun& run);
QImage RenderDxfDrawing(int mode, const QString& path, const QRect* rect, std::string* text,
                        size_t textSize, PreviewRun& run);
QImage RenderTextFile(int mode, const QString& path, const QRect* rect, std::string* text,
                      size_t textSize, PreviewRun& run);
// NC programs show no picture and no text.
QImage RenderNcProgram(int mode, const QString& path, const QRect* rect, std::string* text,
                       size_t textSize, PreviewRun& run);
QImage PreviewFromScript(int mode, const QString& path, const QRect* rect, std::string* text,
                         size_t textSize, PreviewRun& run);

// The renderer of a file kind, or null for kinds without one.
PreviewRenderer RendererOf(int kind);

// A BMP file at its own size through QImage's checked reader (null when it cannot be read).
QImage LoadBmpFile(const QString& path);
// The text "Version %d.%d.%d" of a Windows program or library, empty when it has none.
std::string ProgramVersionText(const QString& path);

// What the pane shows for a file: the picture and the text by its kind (kinds 9 and 11: no
// picture and their version text; 16: the BMP itself).
QImage RenderForPane(int kind, const QString& path, const QRect& rect, std::string* text,
                     size_t textSize, PreviewRun& run);

}  // namespace wepo
