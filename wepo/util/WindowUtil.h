// Window helpers of the library's dialogs: platform code, centring, proportional re-layout,
// position and size, control lookup by id, and 3-D frames.
#pragma once

#include <QList>

#include "wepo/core/Layout.h"

class QBrush;
class QObject;
class QPainter;
class QPoint;
class QRect;
class QString;
class QSize;
class QWidget;

namespace wepo {

// Always 8 (a current platform), so the library's explorer-style dialogs are used unless the
// old-style switch is set.
int GetPlatformCode();

// Centres window (its frame, or rect when given, whose size it then takes) on its parent, or on
// the parent's screen when there is no parent or the parent is minimised; a child widget is
// centred in its parent. The result is moved onto the reference's screen: a window larger than
// the screen ends at its left or top edge. 1; 0 for a null window.
int CenterWindow(QWidget* window, const QRect* rect = nullptr);

// One control of a dialog that follows the dialog's size.
struct LayoutRecord {
    unsigned controlId;  // object name "id<controlId>"
    unsigned flags;      // kFollowRight, kFollowBottom, kMoveX, kMoveY
    unsigned shares;     // percent of dx (low 16 bits) and of dy (high 16 bits); 0 means 100
    IntRect rect;        // the control's rectangle in the dialog, recorded at dx = dy = 0
};

// dx = dy = 0 records every existing control's rectangle in the dialog's coordinates; otherwise
// places each control from its recorded rectangle after the total size change (dx, dy) since
// the recording. 1; 0 for no dialog, no records or count < 1.
int RelayoutDialogControls(QWidget* dialog, LayoutRecord* records, int count, int dx, int dy);

// The window's frame position and size; either output may be null. 1; 0 for a null window or
// when both outputs are null.
int GetWindowPosSize(QWidget* window, QPoint* position, QSize* size);

// Every widget below root, not looking inside the pages of table-driven tab widgets (forms that
// carry the property "wepoForm"), in breadth-first order.
QList<QWidget*> FormControls(QWidget* root);
// The numeric id of a control named "id<N>"; 0 for other names.
unsigned ControlIdOf(const QObject* control);

// The control named "id<controlId>" below root, not looking inside the pages of table-driven
// tab widgets (forms that carry the property "wepoForm"); null when there is none.
QWidget* FindControl(QWidget* root, unsigned controlId);

// Sets the text a control shows: a button's or label's text, a group box's title, an edit's
// content.
void SetControlText(QWidget* control, const QString& text);

// Draws thickness rings of a 3-D frame inside rect (white and the button-shadow colour; sunken
// or raised), after filling rect with fill when it is given. 1; 0 for a null painter.
int Draw3DFrame(QPainter* painter, const QRect& rect, int thickness, const QBrush* fill,
                bool sunken);

}  // namespace wepo
