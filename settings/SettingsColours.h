// Colours and fonts of the settings pages: a colour as three keys <name>R, <name>G, <name>B
// shown on a colour button, and a font as a face name and a size in tenths of a point shown on
// a push button.
#pragma once

#include <string>
#include <string_view>

class CColorButton;
class ProfileEdit;
class QPushButton;
class QWidget;
struct SettingsContext;

// Reads the three keys into the button (values are not clamped; the button paints the low
// bytes) and writes them back from it, as decimal text in the order R, G, B.
void ReadColour(const ProfileEdit& file, std::string_view section, std::string_view name,
                const int (&def)[3], CColorButton* button);
void WriteColour(ProfileEdit& file, std::string_view section, std::string_view name,
                 const CColorButton* button);

// A click on the button opens the colour chooser on its colour; the chosen colour goes into
// the button. Cancel changes nothing.
void LetChooseColour(CColorButton* button, SettingsContext& ctx);

struct FontSetting {
    std::string name;  // CP932 bytes, at most 31
    int size = 110;    // tenths of a point
};
inline constexpr size_t kFontNameBytes = 31;

// "face (Npt)": the face and the whole points (the tenths dropped).
std::string FontCaption(const FontSetting& font);
// Opens the font chooser on the face and the whole points; on OK takes the chosen face (cut to
// 31 bytes at a character boundary) and size, and shows the caption on the button. False when
// cancelled.
bool ChooseFont(SettingsContext& ctx, QWidget* parent, FontSetting& font, QPushButton* button);
