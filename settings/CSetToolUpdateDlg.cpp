// One cutting condition: the number 0 to 9999, height and diameter 0 to 99999.99999.
#include "settings/CSetToolUpdateDlg.h"

#include <QLabel>
#include <QLineEdit>

#include "settings/CColorButton.h"
#include "settings/SettingsColours.h"

namespace {

// The condition table reads its texts back with 63 bytes of room.
constexpr size_t kNameBytes = 63;

}  // namespace

CSetToolUpdateDlg::CSetToolUpdateDlg(SettingsContext& ctx, QWidget* parent)
    : CSettingsDialog(149, ctx, parent) {
    colour_ = Ctl<CColorButton>(1174);
    colour_->Red = 0;
    colour_->Green = 255;
    colour_->Blue = 255;
    LetChooseColour(colour_, ctx_);
    bindings_.Unsigned(Ctl<QLineEdit>(1036), &Number, 0, 9999);
    bindings_.Real(Ctl<QLineEdit>(1038), &Height, 0.0, 99999.99999);
    bindings_.Real(Ctl<QLineEdit>(1037), &Diameter, 0.0, 99999.99999);
    bindings_.Text(Ctl<QLineEdit>(1039), &Name, kNameBytes);
}

bool CSetToolUpdateDlg::OnInitDialog() {
    CSettingsDialog::OnInitDialog();
    if (IsOtherRow) {
        Ctl<QLabel>(1181)->setEnabled(false);
        Ctl<QLineEdit>(1036)->setEnabled(false);
    }
    return true;
}
