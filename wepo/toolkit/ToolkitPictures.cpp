// Pictures, the screen, the clipboard and drawing helpers with QPainter.
#include <QApplication>
#include <QClipboard>
#include <QIcon>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QStyle>

#include "wepo/toolkit/Toolkit.h"
#include "wepo/util/StringCache.h"
#include "wepo/util/WindowUtil.h"

namespace wepo {

QImage CopyBitmap(const QImage& image) {
    return image.copy();
}

QImage GetClipboardBitmap(QWidget* window) {
    if (!window) return {};
    return QApplication::clipboard()->image();
}

int PutClipboardBitmap(QWidget* window, const QImage& image) {
    if (!window || image.isNull()) return 0;
    QApplication::clipboard()->setImage(image.copy());
    return 1;
}

QImage SaveScreenRect(const QRect& rect) {
    QScreen* screen = QGuiApplication::screenAt(rect.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen || rect.isEmpty()) return {};
    QRect local = rect.translated(-screen->geometry().topLeft());
    return screen->grabWindow(0, local.x(), local.y(), local.width(), local.height()).toImage();
}

int RestoreScreenRect(QImage* image, const QRect&) {
    if (image) *image = QImage();
    return 0;
}

QImage IconToBitmap(const QIcon& icon, const QColor& colour) {
    if (icon.isNull()) return {};
    int size = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
    QImage out(size, size, QImage::Format_RGB32);
    out.fill(colour);
    QPainter p(&out);
    p.drawPixmap(0, 0, icon.pixmap(size, size));
    return out;
}

QImage MakeDisabledBitmap(const QImage& image) {
    if (image.isNull()) return {};
    const QRgb face = QApplication::palette().color(QPalette::Button).rgb();
    const QRgb shadow = QApplication::palette().color(QPalette::Dark).rgb();
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = (line[x] & 0xFFFFFF) == (face & 0xFFFFFF) ? face : shadow;
    }
    return out;
}

namespace {

// Narrows the longer of target and source along one axis at the aligned side.
void Align(int& tStart, int& tLength, int& sStart, int& sLength, bool far, bool centre) {
    if (tLength > sLength) {
        int spare = tLength - sLength;
        tStart += far ? spare : centre ? spare / 2 : 0;
        tLength = sLength;
    } else {
        int spare = sLength - tLength;
        sStart += far ? spare : centre ? spare / 2 : 0;
        sLength = tLength;
    }
}

}  // namespace

int DrawBitmapEx(QPainter* painter, const QImage& image, const QRect* target, const QRect* source,
                 const QColor& transparent, unsigned mode) {
    if (!painter || image.isNull()) return 0;
    QRect src = source ? *source : image.rect();
    if (!image.rect().contains(src) || src.isEmpty()) return 0;
    QRect tgt = target ? *target : QRect(QPoint(0, 0), image.size());
    switch (mode & 0xF) {
        case kBitmapStretch:
            painter->drawImage(tgt, image, src);
            return 1;
        case kBitmapTile: {
            painter->save();
            painter->setClipRect(tgt, Qt::IntersectClip);
            for (int y = tgt.top(); y <= tgt.bottom(); y += src.height())
                for (int x = tgt.left(); x <= tgt.right(); x += src.width())
                    painter->drawImage(QPoint(x, y), image, src);
            painter->restore();
            return 1;
        }
        default:
            break;
    }
    int tx = tgt.x(), tw = tgt.width(), sx = src.x(), sw = src.width();
    int ty = tgt.y(), th = tgt.height(), sy = src.y(), sh = src.height();
    Align(tx, tw, sx, sw, mode & kAlignRight, mode & kAlignCentreX);
    Align(ty, th, sy, sh, mode & kAlignBottom, mode & kAlignCentreY);
    QImage part = image.copy(sx, sy, sw, sh);
    if ((mode & 0xF) != kBitmapCopy) {
        // Transparent copy: pixels of the transparent colour leave the target as it is.
        part = part.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = transparent.rgb() & 0xFFFFFF;
        for (int y = 0; y < part.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
            for (int x = 0; x < part.width(); ++x)
                if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
        }
    }
    painter->drawImage(QPoint(tx, ty), part);
    return 1;
}

int DrawPictureButton(QPainter* painter, const QRect& rect, const QImage* picture,
                      const QString* caption, int divisor, bool pressed, bool enabled) {
    if (!painter || rect.isEmpty()) return 0;
    const QPalette pal = QApplication::palette();
    painter->save();
    painter->setPen(pal.color(QPalette::WindowText));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    QRect face = pressed ? rect.adjusted(1, 1, 0, 0) : rect.adjusted(0, 0, -1, -1);
    Draw3DFrame(painter, face, 1, nullptr, pressed);
    face.adjust(1, 1, -1, -1);
    if (picture || caption) painter->fillRect(face, pal.color(QPalette::Button));
    if (divisor == 0) divisor = 8;
    if (divisor > 128) divisor = 128;
    int charWidth = 0, textHeight = 0;
    if (caption) {
        if (divisor > 0) {
            charWidth = face.width() / divisor;
            textHeight = picture ? face.height() / 4 : face.height();
        } else {
            int bar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight) - 4;
            charWidth = textHeight = qMax(6, bar);
        }
    }
    if (picture && !picture->isNull()) {
        QRect area = face.adjusted(charWidth, 0, -charWidth, -textHeight);
        painter->drawImage(area, enabled ? *picture : MakeDisabledBitmap(*picture));
    }
    if (caption) {
        const char* faceName = LoadStringCached(LibraryModule(), 20);
        QFont font(QString::fromUtf8(faceName ? faceName : ""));
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(qMax(1, textHeight));
        painter->setFont(font);
        painter->setPen(!enabled  ? pal.color(QPalette::Disabled, QPalette::Text)
                        : pressed ? QColor(Qt::red)
                                  : pal.color(QPalette::WindowText));
        QRect band =
            picture ? QRect(face.left(), face.bottom() - textHeight + 1, face.width(), textHeight)
                    : face;
        painter->drawText(band, Qt::AlignCenter | Qt::TextSingleLine, *caption);
    }
    painter->restore();
    return 1;
}

namespace {
QList<QRect> FrameStrips(const QRect& r, int side, int top) {
    return {QRect(r.left(), r.top(), side, r.height()),
            QRect(r.right() - side + 1, r.top(), side, r.height()),
            QRect(r.left() + side, r.top(), r.width() - 2 * side, top),
            QRect(r.left() + side, r.bottom() - top + 1, r.width() - 2 * side, top)};
}
}  // namespace

int FillFrame(QPainter* painter, const QRect& rect, int sideWidth, int topHeight,
              const QBrush& brush) {
    if (!painter) return 0;
    for (const QRect& strip : FrameStrips(rect, sideWidth, topHeight))
        painter->fillRect(strip, brush);
    return 1;
}

int InvertFrame(QPainter* painter, const QRect& rect, int sideWidth, int topHeight) {
    if (!painter) return 0;
    painter->save();
    painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const QRect& strip : FrameStrips(rect, sideWidth, topHeight))
        painter->fillRect(strip, Qt::white);
    painter->restore();
    return 1;
}

int FillRectEdges(QPainter* painter, int order, QRect* rect, int widthX, int widthY,
                  const QBrush* left, const QBrush* top, const QBrush* right,
                  const QBrush* bottom) {
    if (!painter || !rect) return 0;
    auto doLeft = [&] {
        if (!left) return;
        painter->fillRect(QRect(rect->left(), rect->top(), widthX, rect->height()), *left);
        rect->setLeft(rect->left() + widthX);
    };
    auto doTop = [&] {
        if (!top) return;
        painter->fillRect(QRect(rect->left(), rect->top(), rect->width(), widthY), *top);
        rect->setTop(rect->top() + widthY);
    };
    auto doRight = [&] {
        if (!right) return;
        painter->fillRect(QRect(rect->right() - widthX + 1, rect->top(), widthX, rect->height()),
                          *right);
        rect->setRight(rect->right() - widthX);
    };
    auto doBottom = [&] {
        if (!bottom) return;
        painter->fillRect(QRect(rect->left(), rect->bottom() - widthY + 1, rect->width(), widthY),
                          *bottom);
        rect->setBottom(rect->bottom() - widthY);
    };
    if (order == 0)
        doLeft(), doTop(), doRight(), doBottom();
    else
        doBottom(), doRight(), doTop(), doLeft();
    return 1;
}

int FillRectDissolve(QPainter* painter, const QRect& rect, const QColor& colour) {
    if (!painter || rect.isEmpty()) return 0;
    painter->save();
    painter->setPen(QPen(colour, 0));
    QRandomGenerator* random = QRandomGenerator::global();
    for (long n = 0, all = static_cast<long>(rect.width()) * rect.height(); n < all; ++n)
        painter->drawPoint(rect.left() + static_cast<int>(random->bounded(rect.width())),
                           rect.top() + static_cast<int>(random->bounded(rect.height())));
    painter->fillRect(rect, colour);
    painter->restore();
    return 1;
}

int DrawEmbossedText(QPainter* painter, const QString& text, const QRect& rect, int flags,
                     bool sunken) {
    if (!painter) return 0;
    const QColor shadow = QApplication::palette().color(QPalette::Dark);
    const QPen own = painter->pen();
    painter->save();
    painter->setPen(sunken ? shadow : QColor(Qt::white));
    painter->drawText(rect.translated(-1, -1), flags, text);
    painter->setPen(sunken ? QColor(Qt::white) : shadow);
    painter->drawText(rect.translated(1, 1), flags, text);
    painter->setPen(own);
    painter->drawText(rect, flags, text);
    painter->restore();
    return 1;
}

int TextOutEmbossed(QPainter* painter, int x, int y, const QString& text, bool sunken) {
    if (!painter) return 0;
    QRect r(x, y, painter->fontMetrics().horizontalAdvance(text) + 2,
            painter->fontMetrics().height() + 2);
    return DrawEmbossedText(painter, text, r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                            sunken);
}

}  // namespace wepo
