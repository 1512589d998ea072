// Colour keys and font settings of the settings pages.
#include "settings/SettingsColours.h"

#include <QFont>
#include <QPushButton>
#include <cmath>

#include "nc/machine/ProfileText.h"
#include "platform/Numbers.h"
#include "platform/TextCodec.h"
#include "settings/CColorButton.h"
#include "settings/Choosers.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsContext.h"

namespace {

std::string Key(std::string_view name, const char* part) {
    return std::string(name) + part;
}

}  // namespace

void ReadColour(const ProfileEdit& file, std::string_view section, std::string_view name,
                const int (&def)[3], CColorButton* button) {
    button->Red = file.Int(section, Key(name, "R"), def[0]);
    button->Green = file.Int(section, Key(name, "G"), def[1]);
    button->Blue = file.Int(section, Key(name, "B"), def[2]);
    button->update();
}

void WriteColour(ProfileEdit& file, std::string_view section, std::string_view name,
                 const CColorButton* button) {
    file.SetInt(section, Key(name, "R"), button->Red);
    file.SetInt(section, Key(name, "G"), button->Green);
    file.SetInt(section, Key(name, "B"), button->Blue);
}

void LetChooseColour(CColorButton* button, SettingsContext& ctx) {
    QObject::connect(button, &CColorButton::clicked, button, [button, &ctx] {
        if (!ctx.Choose) return;
        if (std::optional<QColor> c = ctx.Choose->Colour(button->window(), button->Swatch()))
            button->SetColour(*c);
    });
}

std::string FontCaption(const FontSetting& font) {
    return platform::Cp932ToUtf8(font.name) + " (" + platform::FormatInt(font.size / 10) + "pt)";
}

bool ChooseFont(SettingsContext& ctx, QWidget* parent, FontSetting& font, QPushButton* button) {
    if (!ctx.Choose) return false;
    QFont initial(QString::fromStdString(platform::Cp932ToUtf8(font.name)));
    initial.setStyleHint(QFont::TypeWriter);
    initial.setPointSize(std::max(1, font.size / 10));
    std::optional<QFont> chosen = ctx.Choose->Font(parent, initial);
    if (!chosen) return false;
    platform::Cp932Encoding name = platform::Utf8ToCp932(chosen->family().toStdString());
    font.name = CutToBuffer(name.bytes, kFontNameBytes);
    font.size = int(std::lround(chosen->pointSizeF() * 10));
    if (button) button->setText(QString::fromStdString(FontCaption(font)));
    return true;
}
