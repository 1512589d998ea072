// The "Color" page: four pen colours as R, G, B keys, chosen with the colour chooser.
#include "settings/CSetMachinePage3.h"

#include "nc/machine/CSystemData.h"
#include "settings/CColorButton.h"
#include "settings/Choosers.h"
#include "settings/ProfileEdit.h"

namespace {

constexpr const char* kNcRead = "NcRead";
constexpr int kButton[4] = {1021, 1022, 1023, 1024};
constexpr const char* kPen[4] = {"FFPen", "MarkPen", "CutPen", "PunchPen"};
constexpr int kDefault[4][3] = {{255, 255, 255}, {255, 255, 255}, {0, 255, 255}, {0, 255, 255}};
constexpr const char* kRgb[3] = {"R", "G", "B"};

}  // namespace

CSetMachinePage3::CSetMachinePage3(SettingsContext& ctx, QWidget* parent)
    : CMachinePage(110, ctx, parent) {
    for (int i = 0; i < 4; ++i) {
        buttons_[size_t(i)] = Ctl<CColorButton>(kButton[i]);
        connect(buttons_[size_t(i)], &CColorButton::clicked, this, [this, i] { ChooseColour(i); });
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
    ProfileEdit f(TargetFile(useWorkingCopy));
    for (int i = 0; i < 4; ++i) {
        CColorButton* b = buttons_[size_t(i)];
        const std::string pen = kPen[i];
        b->Red = f.Int(kNcRead, pen + kRgb[0], kDefault[i][0]);
        b->Green = f.Int(kNcRead, pen + kRgb[1], kDefault[i][1]);
        b->Blue = f.Int(kNcRead, pen + kRgb[2], kDefault[i][2]);
        if (updateControls) b->update();
    }
    return 1;
}

void CSetMachinePage3::WriteMachineFile(int, int useWorkingCopy) {
    ProfileEdit f(TargetFile(useWorkingCopy));
    for (int i = 0; i < 4; ++i) {
        const CColorButton* b = buttons_[size_t(i)];
        const std::string pen = kPen[i];
        f.SetInt(kNcRead, pen + kRgb[0], b->Red);
        f.SetInt(kNcRead, pen + kRgb[1], b->Green);
        f.SetInt(kNcRead, pen + kRgb[2], b->Blue);
    }
    f.Save();
}

void CSetMachinePage3::ChooseColour(int index) {
    if (!ctx_.Choose) return;
    CColorButton* b = buttons_[size_t(index)];
    if (std::optional<QColor> c = ctx_.Choose->Colour(this, b->Swatch())) b->SetColour(*c);
}
