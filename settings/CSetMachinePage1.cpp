// The "Parameter" page: keys, defaults, read limits and write order of its machine-file keys.
#include "settings/CSetMachinePage1.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QRadioButton>

#include "settings/ProfileEdit.h"
#include "settings/SettingsMessages.h"

namespace {

constexpr const char* kNcRead = "NcRead";
constexpr const char* kExtractSub = "ExtractSub";

struct CodeKey {
    const char* key;
    const char* def;
    int edit;
};
// In the order of CSetMachinePage1::Code.
constexpr CodeKey kCodes[5] = {{"CodeMainPro", "O", 1026},
                               {"CodeMainSub", "O", 1027},
                               {"CodeMainCall", "P", 1028},
                               {"CodeHNumber", "H", 1037},
                               {"CodeFor", "D", 1033}};
constexpr CodeKey kOpts[4] = {{"OptSubCall", "M98", 1029},
                              {"OptSubBack", "M99", 1030},
                              {"OptMarkOn", "M09", 1031},
                              {"OptCutOn", "M100", 1032}};
constexpr size_t kCodeBytes = 1;
constexpr size_t kOptBytes = 15;
constexpr size_t kCodeTextBytes = 511;
constexpr size_t kSccBytes = 127;

QButtonGroup* Group(CMachinePage* page, std::initializer_list<int> ids) {
    auto* g = new QButtonGroup(page);
    int n = 0;
    for (int id : ids) g->addButton(page->Ctl<QRadioButton>(id), n++);
    return g;
}

}  // namespace

CSetMachinePage1::CSetMachinePage1(SettingsContext& ctx, QWidget* parent)
    : CMachinePage(108, ctx, parent) {
    ReadMachineFile(0, 1);
    bindings_.Radio(Group(this, {1035, 1036}), &AbsInc);
    bindings_.Radio(Group(this, {1049, 1050}), &ArcAbsInc);
    for (int i = 0; i < 5; ++i)
        bindings_.Text(Ctl<QLineEdit>(kCodes[i].edit), &Code[i], kCodeBytes);
    for (int i = 0; i < 4; ++i) bindings_.Text(Ctl<QLineEdit>(kOpts[i].edit), &Opt[i], kOptBytes);
    // Every coordinate without a point is divided by it: 0 is refused (the reader would take
    // it as 1000).
    bindings_.Unsigned(Ctl<QLineEdit>(1034), &ZeroTimes, 1, 99999);
    bindings_.Radio(Group(this, {1056, 1057, 1058, 1183, 1184}), &LaserPunch);
    bindings_.Radio(Group(this, {1059, 1060}), &HeadType);
    bindings_.Radio(Group(this, {1051, 1052, 1053}), &PunchNcType);
    bindings_.Text(Ctl<QLineEdit>(1038), &Header, kCodeTextBytes);
    bindings_.Text(Ctl<QLineEdit>(1039), &Footer, kCodeTextBytes);
    bindings_.Show();
    connect(Ctl<QRadioButton>(1052), &QRadioButton::clicked, this, &CSetMachinePage1::OnMurata);
}

int CSetMachinePage1::ReadMachineFile(int updateControls, int useWorkingCopy) {
    ProfileEdit f(TargetFile(useWorkingCopy));
    AbsInc = f.Int(kNcRead, "AbsInc", 0);
    ArcAbsInc = f.Int(kNcRead, "ArcAbsInc", 1);
    // A longer stored code arrives cut to its first character.
    for (int i = 0; i < 5; ++i) Code[i] = f.Text(kNcRead, kCodes[i].key, kCodes[i].def, kCodeBytes);
    for (int i = 0; i < 4; ++i) Opt[i] = f.Text(kNcRead, kOpts[i].key, kOpts[i].def, kOptBytes);
    ZeroTimes = static_cast<unsigned>(f.Int(kNcRead, "ZeroTimes", 1000));
    LaserPunch = f.Int(kNcRead, "LaserPunch", 0);
    HeadType = f.Int(kNcRead, "HeadType", 1);
    PunchNcType = f.Int(kNcRead, "PunchNcType", 0);
    Header = f.Text(kExtractSub, "Header", "O{PGNO}{SCC}:G40G01:G90G92X0.Y0.Z0.:M61:(*PGS)",
                    kCodeTextBytes);
    Footer = f.Text(kExtractSub, "Footer", "(*PGE):M62:M30", kCodeTextBytes);
    Scc = f.Text(kExtractSub, "SCC", ":M200(%s)", kSccBytes);
    PrgNoLen = f.Int(kExtractSub, "PrgNoLen", 4);
    IgnorePercent = f.Int(kNcRead, "IgnorePercent", 0);
    if (updateControls) bindings_.Show();
    return 1;
}

int CSetMachinePage1::WriteMachineFile(int updateData, int useWorkingCopy) {
    if (updateData) bindings_.Take(nullptr);
    ProfileEdit f(TargetFile(useWorkingCopy));
    f.Set("Version", "Version", "1");
    f.SetInt(kNcRead, "AbsInc", AbsInc);
    f.SetInt(kNcRead, "ArcAbsInc", ArcAbsInc);
    f.SetInt(kNcRead, "ZeroTimes", long(ZeroTimes));
    // The write order of the codes: main, sub, call, kerf, sequence.
    for (int i : {0, 1, 2, 4, 3}) f.Set(kNcRead, kCodes[i].key, Code[i]);
    for (int i = 0; i < 4; ++i) f.Set(kNcRead, kOpts[i].key, Opt[i]);
    f.SetInt(kNcRead, "LaserPunch", LaserPunch);
    f.SetInt(kNcRead, "PunchNcType", PunchNcType);
    f.SetInt(kNcRead, "HeadType", HeadType);
    f.Set(kExtractSub, "Header", Header);
    f.Set(kExtractSub, "Footer", Footer);
    f.Set(kExtractSub, "SCC", Scc);
    f.SetInt(kExtractSub, "PrgNoLen", PrgNoLen);
    f.SetInt(kNcRead, "IgnorePercent", IgnorePercent);
    return f.Save() ? 1 : 0;
}

void CSetMachinePage1::OnMurata() {
    bindings_.Take(nullptr);
    if (ZeroTimes == 1) return;
    ctx_.Message(kMsgMurataZeroTimes, platform::PromptIcon::Warning);
    auto* edit = Ctl<QLineEdit>(1034);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}
