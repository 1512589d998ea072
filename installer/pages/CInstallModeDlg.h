// The installation-type page: standard or custom, each a picture button that goes on.
#pragma once

#include "installer/SetupPage.h"

class QGridLayout;
class QPushButton;

namespace installer {

class CInstallModeDlg : public SetupPage {
    Q_OBJECT
public:
    explicit CInstallModeDlg(WizardContext& context);
    QPushButton* StandardButton() const { return standard_; }
    QPushButton* CustomButton() const { return custom_; }
    // The component page is passed over in a standard installation.
    int nextId() const override;

protected:
    void OnSetActive() override;

private:
    void Choose(int custom);

    QPushButton* standard_;
    QPushButton* custom_;
};

// Two picture buttons with bold captions and a line of text each, on a white ground: the
// layout of the installation-type and installation-mode pages.
void AddChoice(QGridLayout* layout, int row, QPushButton* button, const QString& caption,
               const QString& text, const char* captionId);

}  // namespace installer
