// The library's toolkit: window arrangement and lookup, pictures, the clipboard, drawing helpers
// and font lists on Qt. Nothing in the suite calls these; each checks its arguments, shows no
// message, and returns 1 (or an object) for success and 0 (or null) for failure. The files,
// open-command and instance-counter functions are in wepo/core (TempName.h, OpenCommand.h,
// SharedCounter.h).
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

class QBrush;
class QIcon;
class QPainter;
class QWidget;

namespace wepo {

// ---- Window arrangement and lookup --------------------------------------------------------
// "Children" of a parent are its direct child widgets that are not windows; "owned" windows are
// the top-level windows whose parent (owner) it is.

// Cascades the children that are not minimised (from the bottom of the stacking order up),
// after lining the minimised ones up along the bottom. 0 when there is nothing to arrange.
int CascadeChildWindows(QWidget* parent);
// Tiles the children that are not minimised in columns (see TileRects). 0 when there is none.
int TileChildWindows(QWidget* parent);
int CountIconicChildren(QWidget* parent);
int CountUnownedChildren(QWidget* parent);
// Minimises (or restores) every child, one request per child and at most one turn per child,
// so a child that refuses cannot hold the loop. 1.
int MinimizeOrRestoreChildren(QWidget* parent, bool minimise);
// Enables or disables the windows owned by window. 0.
int EnableOwnedWindows(QWidget* window, bool enable);
// The end of the parent chain (null for null).
QWidget* GetTopParent(QWidget* window);
// Moves window by (dx, dy); size and stacking order kept. 1 (also for 0, 0), 0 for no window.
int MoveWindowBy(QWidget* window, int dx, int dy);
// Whether the global point (x, y) lies in the window's frame.
bool IsPointInWindow(QWidget* window, int x, int y);
// The size of text in the window's font, or without text (average character width, line
// height). 1, 0 for a null window or output.
int GetTextSize(QWidget* window, const QString* text, QSize* size);
// A new plain widget of the other kind (a window becomes a child of newParent or of the old
// window's parent, a child becomes a window) at the same place on the screen, with the old
// one's title, object name and children moved over. Qt cannot make a second object of a
// widget's own class, so the new one is a QWidget. The old widget stays. Null for no window.
QWidget* RecreateWindow(QWidget* window, QWidget* newParent, Qt::WindowFlags flags = {});
// These see only the top-level windows of this process: there is no portable list of other
// processes' windows on X11 and none at all under Wayland.
// The first visible top-level window without a parent, when pid is this process; else null.
QWidget* FindProcessWindow(long pid);
// The first top-level window without a parent, when tid is the thread of the widgets (the
// main thread, whose id is the process id); else null.
QWidget* FindThreadWindow(long tid);
// The top-level windows other than window of the same class; for no window, all of them.
int CountClassWindows(QWidget* window);

// ---- Pictures, screen and clipboard ---------------------------------------------------------

QImage CopyBitmap(const QImage& image);
QImage GetClipboardBitmap(QWidget* window);
int PutClipboardBitmap(QWidget* window, const QImage& image);
// What the screen shows in rect, where the platform allows grabbing it (X11); null elsewhere.
QImage SaveScreenRect(const QRect& rect);
// Cannot paint onto the screen under Qt: deletes the picture and returns 0.
int RestoreScreenRect(QImage* image, const QRect& rect);
// The icon at the large-icon size on a background of colour.
QImage IconToBitmap(const QIcon& icon, const QColor& colour);
// The same size: pixels of the button-face colour stay, all others become the shadow colour.
QImage MakeDisabledBitmap(const QImage& image);

// Modes of DrawBitmapEx (low 4 bits), and the alignment bits of the copy modes.
enum : unsigned {
    kBitmapCopy = 1,
    kBitmapStretch = 2,
    kBitmapTile = 4,
    kAlignRight = 0x10,
    kAlignCentreX = 0x20,
    kAlignBottom = 0x100,
    kAlignCentreY = 0x200,
};
// Draws source (null: the whole image) of image into target (null: the image's size at 0, 0):
// stretched, tiled from the top left, copied, or (any other low mode) copied with the pixels of
// transparent left out. Copies align as the mode bits say: a wider target is narrowed at the
// aligned side, a wider source is cut there. 0 for no painter, a null image or a source beyond
// the image.
int DrawBitmapEx(QPainter* painter, const QImage& image, const QRect* target, const QRect* source,
                 const QColor& transparent, unsigned mode);

// ---- Drawing --------------------------------------------------------------------------------

// A picture button: outline, face shifted by a pressed state, 3-D frame, the picture stretched
// above the caption (greyed when disabled), the caption below in red when pressed. divisor 0
// becomes 8 and above 128 becomes 128.
int DrawPictureButton(QPainter* painter, const QRect& rect, const QImage* picture,
                      const QString* caption, int divisor, bool pressed, bool enabled);
int FillFrame(QPainter* painter, const QRect& rect, int sideWidth, int topHeight,
              const QBrush& brush);
int InvertFrame(QPainter* painter, const QRect& rect, int sideWidth, int topHeight);
// Fills a strip along each edge that has a brush and shrinks rect by it; order 0: left, top,
// right, bottom; otherwise bottom, right, top, left. 1.
int FillRectEdges(QPainter* painter, int order, QRect* rect, int widthX, int widthY,
                  const QBrush* left, const QBrush* top, const QBrush* right, const QBrush* bottom);
// Sets width * height pixels at random places, then fills the whole rectangle.
int FillRectDissolve(QPainter* painter, const QRect& rect, const QColor& colour);
int DrawEmbossedText(QPainter* painter, const QString& text, const QRect& rect, int flags,
                     bool sunken);
int TextOutEmbossed(QPainter* painter, int x, int y, const QString& text, bool sunken);

// ---- Font lists -----------------------------------------------------------------------------

// Font types of the type mask.
enum : unsigned { kRasterFont = 1, kDeviceFont = 2, kTrueTypeFont = 4 };

struct FontRecord {
    QString family;
    QString style;
    unsigned type = 0;  // kRasterFont or kTrueTypeFont
    bool fixedPitch = false;
};
using FontBlock = std::vector<FontRecord>;

// The installed families (or the styles of the named family) whose type shares a bit with mask
// (0: all). The caller deletes the block.
FontBlock* ListFontFamilies(const QString* family, unsigned mask);
int GetFontRecordCount(const FontBlock* block);
// Record index (0 .. count - 1) out of / into the block. 0 for null arguments or a bad index.
int GetFontRecord(const FontBlock* block, int index, FontRecord* record);
int SetFontRecord(FontBlock* block, int index, const FontRecord& record);

}  // namespace wepo
