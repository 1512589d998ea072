// The "Start application" page: section OutAppli, read when first shown, and what it hands to
// the frame.
#include "settings/CSetSystemPage6.h"

#include <QLineEdit>
#include <QPushButton>

#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "settings/Choosers.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsMessages.h"

namespace {

constexpr const char* kSection = "OutAppli";
constexpr size_t kPathBytes = 255;
constexpr size_t kTextBytes = 63;

}  // namespace

CSetSystemPage6::CSetSystemPage6(SettingsContext& ctx, QWidget* parent)
    : CSystemPage(182, ctx, parent) {
    // Edits take what is read back, so nothing typed is cut at the next opening.
    bindings_.Text(Ctl<QLineEdit>(1136), &Application1, kPathBytes, TextEncoding::Native);
    bindings_.Text(Ctl<QLineEdit>(1138), &Option1, kTextBytes);
    bindings_.Text(Ctl<QLineEdit>(1135), &Title1, kTextBytes);
    bindings_.Text(Ctl<QLineEdit>(1143), &Application2, kPathBytes, TextEncoding::Native);
    bindings_.Text(Ctl<QLineEdit>(1145), &Option2, kTextBytes);
    bindings_.Text(Ctl<QLineEdit>(1146), &Title2, kTextBytes);
    connect(Ctl<QPushButton>(1137), &QPushButton::clicked, this, [this] { Browse(Application1); });
    connect(Ctl<QPushButton>(1144), &QPushButton::clicked, this, [this] { Browse(Application2); });
}

void CSetSystemPage6::OnInitDialog() {
    ProfileEdit f(ctx_.IniPath());
    // The default title in the language of the interface, stored as it is shown.
    const std::string title = platform::Utf8ToCp932(platform::LoadString(kDefaultAppTitle)).bytes;
    Application1 = f.Text(kSection, "ApplicationName", "", kPathBytes);
    Option1 = f.Text(kSection, "ApplicationOption", "", kTextBytes);
    Title1 = f.Text(kSection, "ToolBarTitle", title, kTextBytes);
    Application2 = f.Text(kSection, "ApplicationName2", "", kPathBytes);
    Option2 = f.Text(kSection, "ApplicationOption2", "", kTextBytes);
    Title2 = f.Text(kSection, "ToolBarTitle2", title, kTextBytes);
    bindings_.Show();
}

void CSetSystemPage6::Browse(std::string& application) {
    bindings_.Take(nullptr);
    if (!ctx_.Choose) return;
    FileChoice c;
    c.title = platform::LoadString(kTitleOutsideApp);
    c.filter = ProgramFilter(kFilterOutsideApp);
    c.initial = application;
    c.mustExist = true;
    if (std::optional<std::string> chosen = ctx_.Choose->OpenFile(this, c)) {
        application = *chosen;
        bindings_.Show();
    }
}

void CSetSystemPage6::OnOK(ProfileEdit& f) {
    bindings_.Take(nullptr);
    f.Set(kSection, "ApplicationName", Application1);
    f.Set(kSection, "ApplicationOption", Option1);
    f.Set(kSection, "ToolBarTitle", Title1);
    f.Set(kSection, "ApplicationName2", Application2);
    f.Set(kSection, "ApplicationOption2", Option2);
    f.Set(kSection, "ToolBarTitle2", Title2);
}

void CSetSystemPage6::OnWritten() {
    if (ctx_.SetExternalApps)
        ctx_.SetExternalApps(Application1.empty() ? 0 : 1, Application2.empty() ? 0 : 1,
                             platform::Cp932ToUtf8(Title1), platform::Cp932ToUtf8(Title2));
}
