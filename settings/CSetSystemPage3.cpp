// The "ToolPath" page: section NcElemView, its colours, the two mark sizes and the scroll
// direction.
#include "settings/CSetSystemPage3.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QRadioButton>

#include "settings/CColorButton.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsColours.h"

namespace {

constexpr const char* kSection = "NcElemView";

struct ColourKey {
    int button;
    const char* name;
    int def[3];
};
// In the order of the page and of the write.
constexpr ColourKey kColours[] = {
    {1018, "BackGround", {23, 26, 50}},      {1014, "GridPen", {95, 126, 98}},
    {1025, "NaviPen", {255, 0, 0}},          {1015, "TraceDarkPen", {123, 123, 123}},
    {1016, "TraceCurrentPen", {255, 0, 0}},  {1020, "TraceToolPen", {255, 255, 0}},
    {1022, "EdgeArrowPen", {255, 255, 0}},   {1023, "FramePen", {255, 255, 255}},
    {1024, "DangerousZonePen", {255, 0, 0}}, {1029, "AcAxisPen", {255, 255, 0}},
};

}  // namespace

CSetSystemPage3::CSetSystemPage3(SettingsContext& ctx, QWidget* parent)
    : CSystemPage(106, ctx, parent) {
    ProfileEdit f(ctx_.IniPath());
    for (const ColourKey& c : kColours) {
        CColorButton* b = Button(c.button);
        ReadColour(f, kSection, c.name, c.def, b);
        LetChooseColour(b, ctx_);
    }
    EdgeArrowSize = static_cast<unsigned>(f.Int(kSection, "EdgeArrowSize", 10));
    AcAxisLength = static_cast<unsigned>(f.Int(kSection, "AcAxisLength", 10));
    MoveDirection = f.Int(kSection, "MoveDirection", 1);
    auto* group = new QButtonGroup(this);
    group->addButton(Ctl<QRadioButton>(1005), 0);
    group->addButton(Ctl<QRadioButton>(1006), 1);
    bindings_.Radio(group, &MoveDirection);
    bindings_.Unsigned(Ctl<QLineEdit>(1037), &EdgeArrowSize, 1, 99);
    bindings_.Unsigned(Ctl<QLineEdit>(1038), &AcAxisLength, 1, 999);
    bindings_.Show();
}

CColorButton* CSetSystemPage3::Button(int id) const {
    return Ctl<CColorButton>(id);
}

void CSetSystemPage3::OnOK(ProfileEdit& f) {
    bindings_.Take(nullptr);
    for (const ColourKey& c : kColours) {
        WriteColour(f, kSection, c.name, Button(c.button));
        const std::string_view name = c.name;
        if (name == "TraceCurrentPen") f.SetInt(kSection, "MoveDirection", MoveDirection);
        if (name == "EdgeArrowPen") f.SetInt(kSection, "EdgeArrowSize", long(EdgeArrowSize));
    }
    f.SetInt(kSection, "AcAxisLength", long(AcAxisLength));
}
