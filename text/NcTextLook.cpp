// The font and class colours of the NC text views.
#include "text/NcTextLook.h"

#include <QFontDatabase>

#include "platform/TextCodec.h"
#include "text/core/NcLineClass.h"

QColor NcColour(const NcTextViewSettings::Rgb& rgb) {
    return QColor(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF);
}

std::array<QColor, 4> NcClassColours(const NcTextViewSettings& settings) {
    std::array<QColor, 4> c;
    c[kClassPlain] = NcColour(settings.TextColor);
    c[kClassProgramNumber] = NcColour(settings.OnoPen);
    c[kClassSubCall] = NcColour(settings.SubCallPen);
    c[kClassComment] = NcColour(settings.CommentPen);
    return c;
}

QFont NcTextFont(const NcTextViewSettings& settings) {
    QFont font;
    const QString family = QString::fromStdString(platform::Cp932ToUtf8(settings.FontName));
    if (!family.isEmpty() && QFontDatabase::hasFamily(family))
        font = QFont(family);
    else
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (settings.FontSize > 0) font.setPointSizeF(settings.FontSize / 10.0);
    return font;
}
