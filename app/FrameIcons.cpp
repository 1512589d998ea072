// The images of the tool-bar buttons.
#include "app/FrameIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

#include "app/core/CommandIds.h"

namespace {

constexpr int kSize = 32;  // drawn at twice the 16 x 15 button image and scaled by the style

QPixmap Canvas() {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    return pm;
}

// A magnifier with "+", "-" or nothing in the lens.
QIcon Magnifier(char sign) {
    QPixmap pm = Canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 3));
    p.drawEllipse(QRectF(4, 4, 18, 18));
    p.setPen(QPen(QColor(120, 80, 40), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    p.setPen(QPen(QColor(0, 90, 200), 3));
    if (sign == '+' || sign == '-') p.drawLine(QPointF(8, 13), QPointF(18, 13));
    if (sign == '+') p.drawLine(QPointF(13, 8), QPointF(13, 18));
    if (sign == 'F') p.drawRect(QRectF(8.5, 8.5, 9, 9));
    if (sign == 'A') {
        p.drawRect(QRectF(7.5, 7.5, 5, 5));
        p.drawRect(QRectF(13.5, 13.5, 5, 5));
    }
    return QIcon(pm);
}

// One to three letters on a rounded plate, for commands without a common picture.
QIcon Letters(const QString& text, QColor colour) {
    QPixmap pm = Canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour.darker(150));
    p.setBrush(colour.lighter(170));
    p.drawRoundedRect(QRectF(1.5, 3.5, kSize - 3, kSize - 7), 5, 5);
    QFont f = QApplication::font();
    f.setBold(true);
    f.setPixelSize(text.size() > 2 ? 10 : text.size() == 2 ? 13 : 17);
    p.setFont(f);
    p.setPen(colour.darker(200));
    p.drawText(QRectF(0, 2, kSize, kSize - 4), Qt::AlignCenter, text);
    return QIcon(pm);
}

// An arrow pointing in the direction given in degrees (0 right, 90 up).
QIcon Arrow(int degrees, QColor colour) {
    QPixmap pm = Canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(kSize / 2.0, kSize / 2.0);
    p.rotate(-degrees);
    QPainterPath path;
    path.moveTo(12, 0);
    path.lineTo(0, -10);
    path.lineTo(0, -4);
    path.lineTo(-12, -4);
    path.lineTo(-12, 4);
    path.lineTo(0, 4);
    path.lineTo(0, 10);
    path.closeSubpath();
    p.setPen(colour.darker(160));
    p.setBrush(colour);
    p.drawPath(path);
    return QIcon(pm);
}

QIcon Std(QStyle::StandardPixmap sp) {
    return QApplication::style()->standardIcon(sp);
}

}  // namespace

QIcon CommandIcon(int id) {
    const QColor blue(60, 110, 200), green(40, 150, 60), red(200, 60, 50), grey(110, 110, 110),
        orange(220, 140, 30);
    switch (id) {
        case cmd::New:
            return Std(QStyle::SP_FileIcon);
        case cmd::Open:
            return Std(QStyle::SP_DialogOpenButton);
        case cmd::Save:
            return Std(QStyle::SP_DialogSaveButton);
        case cmd::SaveAs:
            return Letters("As", blue);
        case cmd::Exit:
            return Std(QStyle::SP_DialogCloseButton);
        case cmd::OpenSheet:
            return Letters("Sh", green);
        case cmd::OutputDxf:
            return Letters("DXF", blue);
        case cmd::BatchOutputDxf:
            return Letters("DX+", blue);
        case cmd::Boot:
            return Letters("E1", orange);
        case cmd::Boot2:
            return Letters("E2", orange);
        case cmd::Undo:
            return Std(QStyle::SP_ArrowBack);
        case cmd::Redo:
            return Std(QStyle::SP_ArrowForward);
        case cmd::Cut:
            return Letters("Ct", grey);
        case cmd::Copy:
            return Letters("Cp", grey);
        case cmd::Paste:
            return Letters("Ps", grey);
        case cmd::ShiftCoord:
            return Letters("Sf", blue);
        case cmd::CheckNc:
            return Std(QStyle::SP_DialogApplyButton);
        case cmd::GetSubProgram:
            return Letters("SP", blue);
        case cmd::ConvertNc:
            return Letters("Cv", blue);
        case cmd::ConvertG08:
            return Letters("G08", blue);
        case cmd::Smooth:
            return Letters("Sm", blue);
        case cmd::ManualMove:
            return Letters("MM", blue);
        case cmd::ZoomIn:
            return Magnifier('+');
        case cmd::ZoomOut:
            return Magnifier('-');
        case cmd::Fit:
            return Magnifier('F');
        case cmd::AllFit:
            return Magnifier('A');
        case cmd::EdgeDisp:
            return Arrow(30, orange);
        case cmd::AcAxis:
            return Letters("AC", red);
        case cmd::XyzAxis:
            return Letters("XYZ", red);
        case cmd::ScrollUp:
            return Arrow(90, blue);
        case cmd::ScrollDown:
            return Arrow(270, blue);
        case cmd::ScrollLeft:
            return Arrow(180, blue);
        case cmd::ScrollRight:
            return Arrow(0, blue);
        case cmd::RotateView:
            return Std(QStyle::SP_BrowserReload);
        case cmd::OpScroll:
            return Letters("Mv", green);
        case cmd::OpZoom:
            return Letters("Zm", green);
        case cmd::Run:
            return Std(QStyle::SP_MediaPlay);
        case cmd::Step:
            return Std(QStyle::SP_MediaSkipForward);
        case cmd::Cancel:
            return Std(QStyle::SP_MediaStop);
        case cmd::SpeedHigh:
            return Letters("H", red);
        case cmd::SpeedNormal:
            return Letters("N", orange);
        case cmd::SpeedLow:
            return Letters("L", green);
        case cmd::BreakOn:
            return Letters("B", red);
        case cmd::BreakOff:
            return Letters("B-", grey);
        case cmd::BreakWait:
            return Letters("BW", orange);
        case cmd::BreakAllEnable:
            return Letters("BA", red);
        case cmd::BreakAllRelease:
            return Letters("BR", grey);
        case cmd::BreakAllDisable:
            return Letters("BD", orange);
        case cmd::Property:
            return Letters("Set", grey);
        case cmd::PropertyMachine:
            return Letters("Mc", grey);
        case cmd::PropertyCondition:
            return Letters("Cd", grey);
        case cmd::PropertyConversion:
            return Letters("Ct", grey);
        case cmd::HelpContents:
            return Std(QStyle::SP_DialogHelpButton);
        case cmd::About:
            return Std(QStyle::SP_MessageBoxInformation);
        default:
            return {};
    }
}
