// The system sheet's text pages: colours and a font, read at set-up, written at OK.
#include "settings/CSetSystemPage1.h"

#include <QPushButton>

#include "settings/CColorButton.h"
#include "settings/ProfileEdit.h"
#include "text/core/NcTextViewSettings.h"

CFontColourPage::CFontColourPage(int templateId, const char* section, std::vector<Colour> colours,
                                 SettingsContext& ctx, QWidget* parent)
    : CSystemPage(templateId, ctx, parent), section_(section), colours_(std::move(colours)) {
    ProfileEdit f(ctx_.IniPath());
    for (const Colour& c : colours_) {
        CColorButton* b = Ctl<CColorButton>(c.button);
        ReadColour(f, section_, c.name, c.def, b);
        LetChooseColour(b, ctx_);
    }
    Font.name = f.Text(section_, "FontName", kDefaultNcFontName, kFontNameBytes);
    Font.size = f.Int(section_, "FontSize", 110);
    fontButton_ = Ctl<QPushButton>(1003);
    connect(fontButton_, &QPushButton::clicked, this,
            [this] { ChooseFont(ctx_, this, Font, fontButton_); });
}

CColorButton* CFontColourPage::Button(int id) const {
    return Ctl<CColorButton>(id);
}

void CFontColourPage::OnInitDialog() {
    fontButton_->setText(QString::fromStdString(FontCaption(Font)));
}

void CFontColourPage::OnOK(ProfileEdit& f) {
    for (const Colour& c : colours_) WriteColour(f, section_, c.name, Button(c.button));
    f.SetInt(section_, "FontSize", Font.size);
    f.Set(section_, "FontName", Font.name);
}

CSetSystemPage1::CSetSystemPage1(SettingsContext& ctx, QWidget* parent)
    : CFontColourPage(104, "NcInfoView", {{1002, "TextColor", {0, 0, 255}}}, ctx, parent) {}

CSetSystemPage2::CSetSystemPage2(SettingsContext& ctx, QWidget* parent)
    : CFontColourPage(105, "NcTextView",
                      {{1006, "OnoPen", {255, 0, 0}},
                       {1008, "SubCallPen", {0, 0, 255}},
                       {1010, "CommentPen", {0, 128, 0}},
                       {1002, "TextColor", {0, 0, 0}}},
                      ctx, parent) {}
