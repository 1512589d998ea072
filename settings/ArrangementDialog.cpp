// The arrangement dialog (template 1551): stations and possessed dies side by side, putting dies
// into stations, emptying them, the station dialog, the station count and the file choice.
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>

#include "nc/machine/DieDialogTable.h"
#include "nc/machine/DieDialogTexts.h"
#include "platform/TextCodec.h"
#include "settings/DieDialogParts.h"
#include "settings/DieImages.h"
#include "settings/SettingsMessages.h"
#include "settings/TableDialogRun.h"

namespace {

constexpr unsigned kStations = 1041;
constexpr unsigned kDies = 1326;
constexpr unsigned kPossessedCaption = 1359;
constexpr unsigned kPath = 1360;
constexpr unsigned kStationCount = 1368;
constexpr unsigned kBrowse = 1369;
constexpr unsigned kEmpty = 1366;
constexpr unsigned kPut = 40009;
constexpr unsigned kAll = 6059;
constexpr unsigned kAcOnly = 6060;
constexpr unsigned kChange = 32855;
constexpr int kStationCountItem = 2;
constexpr unsigned kPathBuffer = 4096;

// Refresh modes: rebuild the station list, scroll the die row into view.
constexpr int kRebuildStations = 1;
constexpr int kScrollDie = 2;

char g_pathBytes[262];
char g_turretName[16];
std::string g_path;  // the arrangement path as the edit shows it (native)

DlgBoxItem g_items[6] = {
    {DBID_OK, DlgBoxAttributes(DBK_BUTTON, DBV_OK), nullptr, 0, 0, nullptr},
    {DBID_CANCEL, DlgBoxAttributes(DBK_BUTTON, DBV_CANCEL), nullptr, 0, 0, nullptr},
    {kStationCount, DlgBoxAttributes(DBK_EDIT, DBV_LONG), nullptr, 0, 100, "%-d"},
    {kPath, DlgBoxAttributes(DBK_EDIT, DBV_STRING), g_pathBytes, 0, 262, nullptr},
    {1370, DlgBoxAttributes(DBK_EDIT, DBV_STRING), g_turretName, 0, 16, nullptr},
    {kAll, DlgBoxAttributes(DBK_RADIO, DBV_SHORT), nullptr, 0, 2, nullptr},
};

// Remembered rows: the station row and the die row.
int& StationRow() {
    return RunState().ArrangementListState[0];
}
int& DieRow() {
    return RunState().ArrangementListState[1];
}
bool AcOnly() {
    return RunState().ArrangementFlag == 1;
}

QTreeWidget* Stations(QWidget* dialog) {
    return DieCtl<QTreeWidget>(dialog, kStations);
}
QTreeWidget* Dies(QWidget* dialog) {
    return DieCtl<QTreeWidget>(dialog, kDies);
}

int StationCount() {
    return std::clamp(RunState().StationCount, 0, kMaxStations);
}

void MarkPlaced() {
    DieDialogState& st = RunState();
    MarkPlacedDies(st.Dies, DialogDieCount(st), *st.Arrangement, StationCount());
}

QIcon DieImage(int placed) {
    return DieStateImage(placed);
}

// The stations the list shows (normalised on the way: no die below 1, no range below 1), each
// with its row text; the state image is written into the station's die copy.
struct StationListRow {
    int station;
    std::string text;
    int image;
};
std::vector<StationListRow> StationRows() {
    DieDialogState& st = RunState();
    std::vector<StationListRow> rows;
    for (int s = 0; s < StationCount(); ++s) {
        StationRecord& station = st.Arrangement->Stations[size_t(s)];
        if (station.Die.Number < 1) station.Die.Number = -1;
        if (station.Range <= 1) station.Range = 1;
        if (AcOnly() && !station.AcFlag) continue;
        const int image = station.Die.Number >= 1 ? 1 : 0;
        station.Die.Placed = static_cast<int16_t>(image);
        rows.push_back({s, FormatStationRow(station, s + 1, st.Dies, DialogDieCount(st)), image});
    }
    return rows;
}

QTreeWidgetItem* Row(QTreeWidget* list, int row) {
    return row >= 0 && row < list->topLevelItemCount() ? list->topLevelItem(row) : nullptr;
}

void RebuildStations(QWidget* dialog) {
    QTreeWidget* list = Stations(dialog);
    {
        const QSignalBlocker block(list);
        list->clear();
        QList<QTreeWidgetItem*> items;
        for (const StationListRow& r : StationRows())
            items.append(MakeDieListRow(r.text, StationStateImage(r.image), r.station));
        list->addTopLevelItems(items);
    }
    SizeDieListColumn(list);
    SelectRowQuietly(list, Row(list, StationRow()), true);
}

void RewriteStations(QWidget* dialog) {
    QTreeWidget* list = Stations(dialog);
    const std::vector<StationListRow> rows = StationRows();
    if (int(rows.size()) != list->topLevelItemCount()) return RebuildStations(dialog);
    for (size_t i = 0; i < rows.size(); ++i)
        SetDieListRow(list->topLevelItem(int(i)), rows[i].text, StationStateImage(rows[i].image));
    SizeDieListColumn(list);
    SelectRowQuietly(list, Row(list, StationRow()), false);
}

void FillDies(QWidget* dialog) {
    const DieDialogState& st = RunState();
    QTreeWidget* list = Dies(dialog);
    {
        const QSignalBlocker block(list);
        list->clear();
        QList<QTreeWidgetItem*> items;
        const int count = DialogDieCount(st);
        items.reserve(count);
        for (int i = 0; i < count; ++i) {
            const DieRecord& die = st.Dies[size_t(i)];
            items.append(MakeDieListRow(FormatDieRow(die, DieRowStyle::Arrangement),
                                        DieImage(die.Placed), 0));
        }
        list->addTopLevelItems(items);
    }
    SizeDieListColumn(list);
    SelectRowQuietly(list, Row(list, DieRow()), true);
}

void Fill(QWidget* dialog) {
    MarkPlaced();
    FillDies(dialog);
    RebuildStations(dialog);
    if (auto* l = DieCtl<QLabel>(dialog, kPossessedCaption))
        l->setText(
            QStringLiteral("[%1]").arg(QString::fromStdString(RunState().PossessedFileName)));
}

void Refresh(QWidget* dialog, int mode) {
    const DieDialogState& st = RunState();
    MarkPlaced();
    QTreeWidget* dies = Dies(dialog);
    const int count = std::min(DialogDieCount(st), dies->topLevelItemCount());
    for (int i = 0; i < count; ++i) {
        const DieRecord& die = st.Dies[size_t(i)];
        SetDieListRow(dies->topLevelItem(i), FormatDieRow(die, DieRowStyle::Arrangement),
                      DieImage(die.Placed));
    }
    SelectRowQuietly(dies, Row(dies, DieRow()), mode & kScrollDie);
    if (mode & kRebuildStations)
        RebuildStations(dialog);
    else
        RewriteStations(dialog);
}

// The station of the selected station row, or -1.
int SelectedStation(QWidget* dialog) {
    QTreeWidgetItem* row = SelectedRow(Stations(dialog));
    return row ? row->data(0, Qt::UserRole).toInt() : -1;
}
int SelectedDie(QWidget* dialog) {
    QTreeWidget* list = Dies(dialog);
    QTreeWidgetItem* row = SelectedRow(list);
    return row ? list->indexOfTopLevelItem(row) : -1;
}

void OnPut(QWidget* dialog) {
    DieDialogState& st = RunState();
    const int station = SelectedStation(dialog), die = SelectedDie(dialog);
    if (station < 0 || die < 0 || die >= DialogDieCount(st)) return;
    DieRecord& record = st.Dies[size_t(die)];
    if (record.Placed == 1) return;  // a die stands in one station only
    record.Placed = 1;
    st.Arrangement->Stations[size_t(station)].Die = record;
    Refresh(dialog, AcOnly() ? kRebuildStations : 0);
}

void OnEmpty(QWidget* dialog) {
    const int station = SelectedStation(dialog);
    if (station < 0 || SelectedDie(dialog) < 0) return;
    DieRecord& held = RunState().Arrangement->Stations[size_t(station)].Die;
    if (held.Number < 1) return;
    held.Number = -1;
    Refresh(dialog, AcOnly() ? kRebuildStations | kScrollDie : kScrollDie);
}

void OnStationsDoubleClicked(QWidget* dialog) {
    const DieDialogState& st = RunState();
    const int station = SelectedStation(dialog);
    if (station < 0) return;
    const int number = st.Arrangement->Stations[size_t(station)].Die.Number;
    if (number < 1) return;
    const int count = DialogDieCount(st);
    for (int i = 0; i < count; ++i) {
        if (st.Dies[size_t(i)].Number != number) continue;
        DieRow() = i;
        Refresh(dialog, AcOnly() ? kRebuildStations | kScrollDie : kScrollDie);
        return;
    }
}

void OnChangeStation(QWidget* dialog) {
    DieDialogState& st = RunState();
    const int index = SelectedStation(dialog);
    if (index < 0) return;
    StationRecord& s = st.Arrangement->Stations[size_t(index)];
    DieDialogModule& module = DieDialogRecord();
    StationEditRecord& r = module.Station;
    r = StationEditRecord{};
    r.StationNo = s.StationNo;
    r.DieNumber = s.Die.Number;
    r.RangeIndex = static_cast<int16_t>(s.Range - 1);
    r.PosX = s.PosX;
    r.PosY = s.PosY;
    r.DangerWidth = s.DangerWidth;
    r.DangerHeight = s.DangerHeight;
    r.AutoIndex = s.AutoIndex;
    r.AutoChange = s.AcFlag;
    CopyToBuffer(r.StartCode, sizeof r.StartCode, s.StartCode);
    CopyToBuffer(r.EndCode, sizeof r.EndCode, s.EndCode);
    module.EditedStation = index;
    const int result = RunStationEditDialog(dialog);
    module.EditedStation = -1;
    if (result != 1) return;
    s.StationNo = r.StationNo;
    s.Range = static_cast<int16_t>(r.RangeIndex + 1);
    s.PosX = r.PosX;
    s.PosY = r.PosY;
    s.DangerWidth = r.DangerWidth;
    s.DangerHeight = r.DangerHeight;
    s.AutoIndex = r.AutoIndex;
    s.AcFlag = r.AutoChange;
    s.StartCode = r.StartCode;
    s.EndCode = r.EndCode;
    // Another die goes into the station whole, as putting it there does.
    if (r.DieNumber != s.Die.Number) {
        if (r.DieNumber < 1) {
            s.Die.Number = -1;
        } else {
            const int count = DialogDieCount(st);
            for (int i = 0; i < count; ++i) {
                if (st.Dies[size_t(i)].Number != r.DieNumber) continue;
                s.Die = st.Dies[size_t(i)];
                break;
            }
        }
    }
    Refresh(dialog, AcOnly() ? kRebuildStations : 0);
}

void OnBrowse(QWidget* dialog) {
    auto* edit = DieCtl<QLineEdit>(dialog, kPath);
    if (!edit) return;
    const std::string text = edit->text().toStdString();
    const size_t slash = text.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? text : text.substr(slash + 1);
    const std::string title = platform::LoadString(kTitleArrangementChoice);
    const std::string filter = NulRun(StringItems(kFilterArrangementChoice));
    std::vector<char> file(kPathBuffer, '\0');
    name.copy(file.data(), std::min(name.size(), file.size() - 1));
    FileSelectParams p{};
    p.title = title.c_str();
    p.filter = filter.c_str();
    p.initialDirectory = folder.c_str();
    p.filterIndex = 0;
    p.file = file.data();
    p.fileSize = kPathBuffer;
    p.defaultExtension = "arr";
    if (DieSelectFile(dialog, WPF_NOOVERWRITEPROMPT, &p) != 1) return;
    edit->setText(QString::fromStdString(std::string(file.data())));
}

// The count the controller shows once it has evaluated and limited the text is the count the
// lists show.
void OnStationCountLeft(QWidget* dialog) {
    DlgBoxReformatItem(dialog, kStationCountItem);
    DlgBoxStoreItem(dialog, kStationCountItem);
    StationRow() = 0;
    DieRow() = 0;
    Fill(dialog);
}

int OnCommand(QWidget* dialog, unsigned id, int code) {
    if (id == kStationCount && code == DBN_KILLFOCUS) {
        OnStationCountLeft(dialog);
        return 1;
    }
    if (code != DBN_CLICKED) return 0;
    switch (id) {
        case DBID_OK:
            if (auto* edit = DieCtl<QLineEdit>(dialog, kPath)) g_path = edit->text().toStdString();
            return 0;
        case kPut:
            OnPut(dialog);
            return 1;
        case kEmpty:
            OnEmpty(dialog);
            return 1;
        case kAll:
        case kAcOnly:
            RunState().ArrangementFlag = static_cast<int16_t>(id - kAll);
            StationRow() = 0;
            Refresh(dialog, kRebuildStations);
            return 0;
        case kChange:
            OnChangeStation(dialog);
            return 1;
        case kBrowse:
            OnBrowse(dialog);
            return 1;
        default:
            return 0;
    }
}

int ArrangementDialogProc(QWidget* dialog, const DlgBoxEvent* e) {
    switch (e->type) {
        case DBE_INIT: {
            SetUpDieList(Stations(dialog));
            SetUpDieList(Dies(dialog));
            // The path is a native file name: the edit shows it as it is.
            if (auto* edit = DieCtl<QLineEdit>(dialog, kPath)) {
                edit->setValidator(nullptr);
                edit->setMaxLength(int(kPathBuffer) - 1);
                edit->setText(QString::fromStdString(g_path));
            }
            Fill(dialog);
            return 0;
        }
        case DBE_NOTIFY:
            if (e->code == DBN_DBLCLK && e->controlId == kStations) {
                OnStationsDoubleClicked(dialog);
                return 1;
            }
            if (e->code == DBN_DBLCLK && e->controlId == kDies) {
                DlgBoxPostCommand(dialog, kPut);
                return 1;
            }
            // The current row: the selection follows it only after this notification.
            if (e->code == DBN_SELCHANGE && (e->controlId == kStations || e->controlId == kDies)) {
                QTreeWidget* list = e->controlId == kStations ? Stations(dialog) : Dies(dialog);
                const int row = list->indexOfTopLevelItem(list->currentItem());
                if (row >= 0) (e->controlId == kStations ? StationRow() : DieRow()) = row;
            }
            return 0;
        case DBE_COMMAND:
            return OnCommand(dialog, e->controlId, e->code);
        default:
            return 0;
    }
}

}  // namespace

int DieDialogs::RunArrangementDialog(DieDialogState& state) {
    if (!state.Arrangement) return 0;
    DieDialogRunScope scope(this, &state);
    g_path = state.ArrangementPath;
    CopyToBuffer(g_pathBytes, sizeof g_pathBytes, platform::Utf8ToCp932(g_path).bytes);
    CopyToBuffer(g_turretName, sizeof g_turretName, state.TurretName);
    g_items[2].variable = &state.StationCount;
    g_items[5].variable = &state.ArrangementFlag;
    const int result = RunTableDialog(kTemplateArrangement, static_cast<QWidget*>(state.Owner),
                                      g_items, 6, ArrangementDialogProc);
    if (result == 1) {
        state.TurretName = g_turretName;
        state.ArrangementPath = g_path;
    }
    return result;
}
