// The "Color" page: four pen colours as R, G, B keys, chosen with the colour chooser.
#include "settings/CSetMachinePage3.h"

#include "nc/machine/CSystemData.h"
#include "settings/CColorButton.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsColours.h"

namespace {

constexpr const char* kNcRead = "NcRead";
constexpr int kButton[4] = {1021, 1022, 1023, 1024};
constexpr const char* kPen[4] = {"FFPen", "MarkPen", "CutPen", "PunchPen"};
constexpr int kDefault[4][3] = {{255, 255, 255}, {255, 255, 255}, {0, 255, 255}, {0, 255, 255}};

}  // namespace

CSetMachinePage3::CSetMachinePage3(SettingsContext& ctx, QWidget* parent)
    : CMachinePage(110, ctx, parent) {
    for (int i = 0; i < 4; ++i) {
        buttons_[size_t(i)] = Ctl<CColorButton>(kButton[i]);
        LetChooseColour(buttons_[size_t(i)], ctx_);
    }
    ReadMachineFile(0, 1);
    // With the condition colours on, marking and cutting are drawn in the colours of their
    // conditions: their pens are kept but not offered.
    if (ctx_.SystemData && ctx_.SystemData->ToolData.DrawShavColor) {
        buttons_[1]->hide();
        buttons_[2]->hide();
    }
}

int CSetMachinePage3::ReadMachineFile(int updateControls, int useWorkingCopy) {
    (void)updateControls;  // the buttons are the members: they always show what is read
    ProfileEdit f(TargetFile(useWorkingCopy));
    for (int i = 0; i < 4; ++i) ReadColour(f, kNcRead, kPen[i], kDefault[i], buttons_[size_t(i)]);
    return 1;
}

int CSetMachinePage3::WriteMachineFile(int, int useWorkingCopy) {
    ProfileEdit f(TargetFile(useWorkingCopy));
    for (int i = 0; i < 4; ++i) WriteColour(f, kNcRead, kPen[i], buttons_[size_t(i)]);
    return f.Save() ? 1 : 0;
}
