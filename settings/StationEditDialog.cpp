// The station dialog (template 1552): a station's data, and the die it holds by number.
#include <QLineEdit>
#include <algorithm>

#include "nc/machine/DieDialogTable.h"
#include "platform/Numbers.h"
#include "settings/DieDialogParts.h"
#include "settings/SettingsMessages.h"
#include "settings/TableDialogRun.h"

namespace {

constexpr unsigned kDieNumber = 1374;
constexpr unsigned kStartCode = 1606, kEndCode = 1607;

std::string g_rangeEntries;
DlgBoxItem g_items[11];

void BuildItems() {
    StationEditRecord& r = DieDialogRecord().Station;
    std::vector<std::string> ranges;
    for (const char* letter : {"Ａ", "Ｂ", "Ｃ", "Ｄ", "Ｅ", "Ｆ", "Ｇ", "Ｈ", "Ｉ", "Ｊ"})
        ranges.push_back(std::string("   ") + letter);
    g_rangeEntries = NulRun(ranges);
    const auto real = DlgBoxAttributes(DBK_EDIT, DBV_DOUBLE);
    const auto text = DlgBoxAttributes(DBK_EDIT, DBV_STRING);
    const auto check = DlgBoxAttributes(DBK_CHECK, DBV_SHORT);
    DlgBoxItem items[11] = {
        {1373, DlgBoxAttributes(DBK_EDIT, DBV_SHORT), &r.StationNo, 0, 0, "%d"},
        {kDieNumber, DlgBoxAttributes(DBK_EDIT, DBV_LONG), &r.DieNumber, 0, 0, "%d"},
        {1376, DlgBoxAttributes(DBK_COMBO, DBV_SHORT), &r.RangeIndex, 0, 10,
         g_rangeEntries.c_str()},
        {6070, real, &r.PosX, -9999, 9999, "%.1lf"},
        {6071, real, &r.PosY, -9999, 9999, "%.1lf"},
        {1375, real, &r.DangerWidth, 0, 0, "%.1lf"},
        {1377, real, &r.DangerHeight, 0, 0, "%.1lf"},
        {1370, check, &r.AutoIndex, 0, 0, nullptr},
        {1610, check, &r.AutoChange, 0, 0, nullptr},
        {kStartCode, text, r.StartCode, 0, 128, nullptr},
        {kEndCode, text, r.EndCode, 0, 128, nullptr},
    };
    std::copy(std::begin(items), std::end(items), g_items);
}

// -1 empties the station; another number must be a die of the table that no other of the
// stations holds.
bool DieNumberAccepted(long long number) {
    const DieDialogState& st = RunState();
    const int edited = DieDialogRecord().EditedStation;
    // The number the station holds already changes nothing.
    if (number == -1 ||
        (edited >= 0 && number == st.Arrangement->Stations[size_t(edited)].Die.Number))
        return true;
    if (number < 1 || number > 32767 || !IsDieOfTable(st, int(number))) return false;
    const int stations = std::clamp(st.StationCount, 0, kMaxStations);
    for (int s = 0; s < stations; ++s)
        if (s != edited && st.Arrangement->Stations[size_t(s)].Die.Number == number) return false;
    return true;
}

// A die of the file beyond the table has a number, but no station can hold it: the arrangement
// reader finds only the table's dies.
bool IsDieBeyondTable(long long number) {
    const DieDialogState& st = RunState();
    const std::vector<int>& beyond = st.UnloadedDieNumbers;
    return number >= 1 && number <= 32767 && !IsDieOfTable(st, int(number)) &&
           std::find(beyond.begin(), beyond.end(), int(number)) != beyond.end();
}

int StationEditDialogProc(QWidget* dialog, const DlgBoxEvent* e) {
    if (e->type != DBE_COMMAND || e->controlId != DBID_OK || e->code != DBN_CLICKED) return 0;
    auto* edit = DieCtl<QLineEdit>(dialog, kDieNumber);
    const std::string text = edit ? edit->text().toStdString() : std::string();
    const std::optional<long long> number = platform::ParseInt(text);
    if (!number || !DieNumberAccepted(*number)) {
        if (number && IsDieBeyondTable(*number)) {
            DieMessage(kMsgStationDieBeyondTable, platform::PromptIcon::Error, kCaptionError,
                       platform::FormatInt(*number));
        } else {
            DieMessage(kMsgStationDieNumber, platform::PromptIcon::Error, kCaptionError);
        }
        DlgBoxFocusItem(dialog, kDieNumber);
        return 1;
    }
    // The arrangement file separates its fields with commas, and peers read it so: a code
    // holding one would come back cut, its tail taken for the next field.
    for (const unsigned id : {kStartCode, kEndCode}) {
        auto* code = DieCtl<QLineEdit>(dialog, id);
        if (!code || !code->text().contains(QLatin1Char(','))) continue;
        DieMessage(kMsgStationCodeComma, platform::PromptIcon::Error, kCaptionError);
        DlgBoxFocusItem(dialog, id);
        return 1;
    }
    return 0;
}

}  // namespace

int RunStationEditDialog(QWidget* owner) {
    BuildItems();
    return RunTableDialog(kTemplateStation, owner, g_items, 11, StationEditDialogProc);
}
