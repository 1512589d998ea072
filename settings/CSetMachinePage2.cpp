// The "Coordinates" page: its reals with their ranges, the frame switch and the holder count.
#include "settings/CSetMachinePage2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "platform/Numbers.h"
#include "settings/ProfileEdit.h"

namespace {

constexpr const char* kNcRead = "NcRead";
constexpr size_t kRealBytes = 255;

// A real key with its default text, read as atof reads the stored text.
struct RealKey {
    const char* key;
    const char* def;
};

double ReadReal(const ProfileEdit& f, const RealKey& k) {
    return platform::ParseLeadingReal(f.Text(kNcRead, k.key, k.def, kRealBytes));
}

int ReadIntText(const ProfileEdit& f, const char* key, const char* def) {
    return int(platform::ParseLeadingInt(f.Text(kNcRead, key, def, kRealBytes)));
}

constexpr RealKey kG92[3] = {{"G92BaseInitX", "0.00"},
                             {"G92BaseInitY", "0.00"},
                             // The machine reader's default: a missing key must not move the
                             // machine's Z base when the sheet is confirmed.
                             {"G92BaseInitZ", "50.0"}};
constexpr RealKey kClampPoint[4] = {{"ClampPoint1", "400.00"},
                                    {"ClampPoint2", "800.00"},
                                    {"ClampPoint3", "0.00"},
                                    {"ClampPoint4", "0.00"}};
constexpr RealKey kHolderR[3] = {{"HolderR1", "42.0"}, {"HolderR2", "42.0"}, {"HolderR3", "42.0"}};
constexpr RealKey kHolderX[3] = {
    {"HolderX1", "-200.0"}, {"HolderX2", "200.0"}, {"HolderX3", "0.0"}};
constexpr RealKey kHolderY[3] = {{"HolderY1", "0.0"}, {"HolderY2", "0.0"}, {"HolderY3", "0.0"}};

constexpr int kG92Edit[3] = {1024, 1027, 1028};
constexpr int kClampEdit[4] = {1026, 1029, 1030, 1031};
constexpr int kHolderREdit[3] = {1280, 1281, 1282};
constexpr int kHolderXEdit[3] = {1007, 1009, 1010};
constexpr int kHolderYEdit[3] = {1283, 1284, 1285};

}  // namespace

CSetMachinePage2::CSetMachinePage2(SettingsContext& ctx, QWidget* parent)
    : CMachinePage(109, ctx, parent) {
    ReadMachineFile(0, 1);
    auto edit = [this](int id) { return Ctl<QLineEdit>(id); };
    for (int i = 0; i < 3; ++i)
        bindings_.Real(edit(kG92Edit[i]), &G92BaseInit[i], -99999.9999, 99999.9999);
    bindings_.Check(Ctl<QCheckBox>(1063), &FrameDisp);
    bindings_.Real(edit(1065), &FrameXmin, -999999.99999, 999999.99999);
    bindings_.Real(edit(1066), &FrameYmin, -999999.99999, 999999.99999);
    bindings_.Real(edit(1061), &FrameX, 0.1, 999999.99999);
    bindings_.Real(edit(1062), &FrameY, 0.1, 999999.999999);
    bindings_.Real(edit(1018), &ClampSizeX, 0.0, 999999.999999);
    bindings_.Real(edit(1025), &ClampSizeY, 0.0, 9999999.999999);
    for (int i = 0; i < 4; ++i)
        bindings_.Real(edit(kClampEdit[i]), &ClampPoint[i], 0.0, 999999.999999);
    for (int i = 0; i < 3; ++i)
        bindings_.Real(edit(kHolderREdit[i]), &HolderR[i], 0.1, 9999999.999999);
    for (int i = 0; i < 3; ++i)
        bindings_.Real(edit(kHolderXEdit[i]), &HolderX[i], -999999.999999, 999999.999999);
    for (int i = 0; i < 3; ++i)
        bindings_.Real(edit(kHolderYEdit[i]), &HolderY[i], -999999.999999, 999999.999999);
    bindings_.Show();

    holders_ = Ctl<QComboBox>(1005);
    holders_->clear();
    for (const char* n : {"0", "1", "2", "3"}) holders_->addItem(QString::fromLatin1(n));
    SelectHolderCount();
}

void CSetMachinePage2::SelectHolderCount() {
    holders_->setCurrentIndex(HolderCount >= 0 && HolderCount <= 3 ? HolderCount : -1);
}

int CSetMachinePage2::ReadMachineFile(int updateControls, int useWorkingCopy) {
    ProfileEdit f(TargetFile(useWorkingCopy));
    for (int i = 0; i < 3; ++i) G92BaseInit[i] = ReadReal(f, kG92[i]);
    FrameDisp = ReadIntText(f, "FrameDisp", "0");
    FrameXmin = ReadReal(f, {"FrameXmin", "0.00"});
    FrameYmin = ReadReal(f, {"FrameYmin", "0.00"});
    FrameX = ReadReal(f, {"FrameX", "1840.00"});
    FrameY = ReadReal(f, {"FrameY", "1270.00"});
    ClampSizeX = ReadReal(f, {"ClampSizeX", "100.00"});
    ClampSizeY = ReadReal(f, {"ClampSizeY", "20.00"});
    for (int i = 0; i < 4; ++i) ClampPoint[i] = ReadReal(f, kClampPoint[i]);
    HolderCount = ReadIntText(f, "HolderCount", "2");
    for (int i = 0; i < 3; ++i) {
        HolderR[i] = ReadReal(f, kHolderR[i]);
        HolderX[i] = ReadReal(f, kHolderX[i]);
        HolderY[i] = ReadReal(f, kHolderY[i]);
    }
    if (updateControls) {
        bindings_.Show();
        SelectHolderCount();
    }
    return 1;
}

int CSetMachinePage2::WriteMachineFile(int updateData, int useWorkingCopy) {
    if (updateData) bindings_.Take(nullptr);
    // The list's selection, -1 when none.
    HolderCount = holders_->currentIndex();
    ProfileEdit f(TargetFile(useWorkingCopy));
    for (int i = 0; i < 3; ++i) f.SetReal(kNcRead, kG92[i].key, G92BaseInit[i]);
    f.SetInt(kNcRead, "FrameDisp", FrameDisp);
    f.SetReal(kNcRead, "FrameX", FrameX);
    f.SetReal(kNcRead, "FrameY", FrameY);
    f.SetReal(kNcRead, "FrameXmin", FrameXmin);
    f.SetReal(kNcRead, "FrameYmin", FrameYmin);
    f.SetReal(kNcRead, "ClampSizeX", ClampSizeX);
    f.SetReal(kNcRead, "ClampSizeY", ClampSizeY);
    for (int i = 0; i < 4; ++i) f.SetReal(kNcRead, kClampPoint[i].key, ClampPoint[i]);
    f.SetInt(kNcRead, "HolderCount", HolderCount);
    for (int i = 0; i < 3; ++i) f.SetReal(kNcRead, kHolderR[i].key, HolderR[i]);
    for (int i = 0; i < 3; ++i) f.SetReal(kNcRead, kHolderX[i].key, HolderX[i]);
    for (int i = 0; i < 3; ++i) f.SetReal(kNcRead, kHolderY[i].key, HolderY[i]);
    return f.Save() ? 1 : 0;
}
