// CSetSystemPage1 and CSetSystemPage2: the system sheet's "Register List" and "NC List" pages,
// the text colours and the font of the information list and of the NC list.
#pragma once

#include <string>
#include <vector>

#include "settings/CSystemPage.h"
#include "settings/SettingsColours.h"

class CColorButton;
class QPushButton;

// A page of text colours (button 1002 and others) and a font (button 1003) in one section.
class CFontColourPage : public CSystemPage {
    Q_OBJECT
public:
    struct Colour {
        int button;
        const char* name;
        int def[3];
    };
    // colours in the order the page writes them.
    CFontColourPage(int templateId, const char* section, std::vector<Colour> colours,
                    SettingsContext& ctx, QWidget* parent);

    void OnOK(ProfileEdit& file) override;
    CColorButton* Button(int id) const;
    QPushButton* FontButton() const { return fontButton_; }
    FontSetting Font;

protected:
    void OnInitDialog() override;

private:
    const char* section_;
    std::vector<Colour> colours_;
    QPushButton* fontButton_ = nullptr;
};

// Section NcInfoView: the text colour and font of the information list.
class CSetSystemPage1 : public CFontColourPage {
    Q_OBJECT
public:
    explicit CSetSystemPage1(SettingsContext& ctx, QWidget* parent = nullptr);
};

// Section NcTextView: the colours of the NC lines (program numbers, calls, comments, the rest)
// and the font of the NC list and editor.
class CSetSystemPage2 : public CFontColourPage {
    Q_OBJECT
public:
    explicit CSetSystemPage2(SettingsContext& ctx, QWidget* parent = nullptr);
};
