// The string pair editor: its two modes, their checks and the machine-file browse.
#include "settings/CReplaceStringDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/core/AppPaths.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "settings/Choosers.h"
#include "settings/SettingsMessages.h"

namespace {

// Both texts are read back with 255 bytes of room.
constexpr size_t kTextBytes = 255;

QString Str(unsigned id) {
    return QString::fromStdString(platform::LoadString(id));
}

}  // namespace

CReplaceStringDlg::CReplaceStringDlg(SettingsContext& ctx, QWidget* parent, int mode)
    : CSettingsDialog(154, ctx, parent), mode_(mode) {
    bindings_.Text(Ctl<QLineEdit>(1043), &First, kTextBytes);
    bindings_.Text(Ctl<QLineEdit>(1044), &Second, kTextBytes);
    connect(Ctl<QPushButton>(1213), &QPushButton::clicked, this, &CReplaceStringDlg::OnBrowse);
}

bool CReplaceStringDlg::OnInitDialog() {
    CSettingsDialog::OnInitDialog();
    if (mode_ == 0) {
        Ctl<QPushButton>(1213)->hide();
    } else {
        setWindowTitle(Str(kTitleExtensionSetting));
        Ctl<QLabel>(1211)->setText(Str(kCaptionExtension));
        Ctl<QLabel>(1212)->setText(Str(kCaptionMachine));
    }
    return true;
}

void CReplaceStringDlg::OnOK() {
    if (!bindings_.Take(ctx_.Prompt)) return;
    if (mode_ == 0 && First.empty()) {
        ctx_.Message(kMsgEnterFindText, platform::PromptIcon::Warning);
        return;
    }
    if (mode_ == 1) {
        if (Second.empty()) {
            ctx_.Message(kMsgEnterMachineFile, platform::PromptIcon::Warning);
            return;
        }
        if (Second.find('.') == std::string::npos) {
            Second += ".nmd";
            bindings_.Show();
        }
    }
    accept();
}

void CReplaceStringDlg::OnBrowse() {
    bindings_.Take(nullptr);
    if (!ctx_.Choose) return;
    FileChoice c;
    c.title = platform::LoadString(kTitleMachineFile);
    c.filter = platform::LoadString(kFilterMachineFile);
    c.initial = ctx_.MakeConfigPath(platform::Cp932ToUtf8(Second));
    c.defaultExtension = "NMD";
    c.mustExist = true;
    std::optional<std::string> chosen = ctx_.Choose->OpenFile(this, c);
    if (!chosen) return;
    // Relative to the configuration folder when it lies there, else the whole path: a bare file
    // name would point the table at a file in the wrong folder.
    std::string path = *chosen;
    if (ctx_.Paths) ctx_.Paths->ConvertConfigRelativePath(0, path);
    platform::Cp932Encoding stored = platform::Utf8ToCp932(path);
    if (stored.ok()) {
        Second = std::move(stored.bytes);
        bindings_.Show();
    } else {
        // A name CP932 cannot hold: shown as chosen, and refused at OK like a typed one.
        Ctl<QLineEdit>(1044)->setText(QString::fromStdString(path));
    }
}
