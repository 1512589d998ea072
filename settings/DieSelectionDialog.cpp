// The die list (template 1537): filters by shape and range, change, add and delete through the
// die edit dialogs, and the choice of a die in select mode.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

#include "nc/machine/DieDialogTable.h"
#include "nc/machine/DieDialogTexts.h"
#include "platform/Numbers.h"
#include "platform/TextCodec.h"
#include "settings/DieDialogParts.h"
#include "settings/DieImages.h"
#include "settings/SettingsMessages.h"
#include "settings/TableDialogRun.h"

namespace {

constexpr unsigned kList = 1324;
constexpr unsigned kShapeCombo = 1358;
constexpr unsigned kPossessedCaption = 1359;
constexpr unsigned kArrangementCaption = 1360;
constexpr unsigned kFirstShapeButton = 1476;  // 1476 to 1491: the filters 0 to 15
constexpr unsigned kAutoSelectButton = 1491;
constexpr unsigned kFirstRangeButton = 1651;  // 1651 to 1661: the ranges A to J and all
constexpr unsigned kChange = 32855;
constexpr unsigned kAdd = 32856;
constexpr unsigned kDelete = 32857;

// The item table of the die list; its variables are those of the run.
std::string g_shapeEntries;
DlgBoxItem g_items[4] = {
    {DBID_OK, DlgBoxAttributes(DBK_BUTTON, DBV_OK), nullptr, 0, 0, nullptr},
    {DBID_CANCEL, DlgBoxAttributes(DBK_BUTTON, DBV_CANCEL), nullptr, 0, 0, nullptr},
    {kShapeCombo, DlgBoxAttributes(DBK_COMBO, DBV_LONG), nullptr, 0, 15, nullptr},
    {kFirstRangeButton, DlgBoxAttributes(DBK_RADIO, DBV_SHORT), nullptr, 0, 11, nullptr},
};

QTreeWidget* List(QWidget* dialog) {
    return DieCtl<QTreeWidget>(dialog, kList);
}

int& Filter() {
    return RunState().SelectedShapeButton;
}

bool EditMode() {
    return RunState().Mode == 1;
}

// The edit record from a die: everything the dialogs edit, direction and endless from the
// flags size Y and R stand for.
void LoadEditRecord(DieEditRecord& e, const DieRecord& d) {
    e.ShapeIndex = static_cast<int16_t>(d.Shape - 1);
    e.RangeIndex = static_cast<int16_t>(d.Range - 1);
    e.SizeX = d.SizeX;
    e.SizeY = d.SizeY;
    e.R = d.SizeR;
    e.Angle = d.Angle;
    for (int bit = 0; bit < 6; ++bit) e.Usage[size_t(bit)] = (d.Usage >> bit) & 1;
    e.Number = d.Number;
    e.Air = d.Air;
    e.Clamp = d.Clamp;
    e.Rotation = d.Rotation;
    CopyToBuffer(e.ShapeFile, sizeof e.ShapeFile, d.ShapeFile);
    CopyToBuffer(e.StartCode, sizeof e.StartCode, d.StartCode);
    CopyToBuffer(e.EndCode, sizeof e.EndCode, d.EndCode);
    e.PlacedOnEntry = d.Placed;
    e.Direction = HasDirection(d.Shape) && DieFlagSet(d.SizeY) ? 1 : 0;
    e.Endless = d.Shape == kShapeBurring && DieFlagSet(d.SizeR) ? 1 : 0;
}

// The edited values back into a die; its placed value stays.
void StoreEditRecord(const DieEditRecord& e, DieRecord& d) {
    d.Shape = static_cast<int16_t>(e.ShapeIndex + 1);
    d.Range = static_cast<int16_t>(e.RangeIndex + 1);
    d.SizeX = e.SizeX;
    d.SizeY = HasDirection(d.Shape) ? (e.Direction ? 1.0 : 0.0) : e.SizeY;
    d.SizeR = d.Shape == kShapeBurring ? (e.Endless ? 1.0 : 0.0) : e.R;
    d.Angle = e.Angle;
    d.Number = static_cast<int16_t>(e.Number);
    d.Air = e.Air;
    d.Rotation = e.Rotation;
    d.Clamp = e.Clamp;
    d.Usage = 0;
    for (int bit = 0; bit < 6; ++bit)
        if (e.Usage[size_t(bit)]) d.Usage = static_cast<int16_t>(d.Usage | (1 << bit));
    d.ShapeFile = e.ShapeFile;
    d.StartCode = e.StartCode;
    d.EndCode = e.EndCode;
}

void CheckShapeButtons(QWidget* dialog) {
    for (int f = 0; f < 16; ++f)
        if (auto* b = DieCtl<QAbstractButton>(dialog, kFirstShapeButton + unsigned(f)))
            b->setChecked(f == Filter());
}

void InitShapeButtons(QWidget* dialog) {
    const int mask = RunState().ShapeMask;
    for (int f = 0; f < 16; ++f) {
        auto* b = DieCtl<QAbstractButton>(dialog, kFirstShapeButton + unsigned(f));
        if (!b) continue;
        b->setIcon(ShapeButtonIcon(f));
        b->setToolTip(QString::fromStdString(FilterLongName(f)));
        if (f < 14) b->setEnabled((mask >> (f + 1)) & 1);
        if (f == 15) {
            b->setEnabled((mask >> 15) & 1);
            b->setVisible(!EditMode());
        }
    }
    CheckShapeButtons(dialog);
}

// The rows of the filters over the working table; the row to select is the die of `select`.
void FillDieList(QWidget* dialog, int select) {
    DieDialogState& st = RunState();
    DieDialogModule& rec = DieDialogRecord();
    if (EditMode()) st.Header.SelectedDie = -99;
    dialog->setWindowTitle(QString::fromStdString(
        FillPlaceholders(platform::LoadString(kCaptionDieList), {FilterLongName(Filter())})));
    st.Header.AutoSelect = 0;

    // Every shape filter looks at the whole table, so the item data is the die's index.
    rec.GroupStart = 0;
    rec.GroupSize = Filter() == kFilterAutoSelect ? 0 : DialogDieCount(st);
    const std::vector<int> rows = Filter() == kFilterAutoSelect
                                      ? std::vector<int>{}
                                      : DieListIndexes(st, Filter(), rec.RangeFilter);

    QTreeWidget* list = List(dialog);
    QTreeWidgetItem* selected = nullptr;
    {
        const QSignalBlocker block(list);
        list->clear();
        QList<QTreeWidgetItem*> items;
        items.reserve(int(rows.size()));
        const QIcon images[2] = {DieStateImage(0), DieStateImage(1)};
        for (int index : rows) {
            const DieRecord& die = st.Dies[size_t(index)];
            const QIcon image =
                die.Placed == 0 || die.Placed == 1 ? images[die.Placed] : DieStateImage(die.Placed);
            items.append(MakeDieListRow(FormatDieRow(die, DieRowStyle::DieList), image, index));
            if (index == select) selected = items.back();
        }
        list->addTopLevelItems(items);
    }
    SizeDieListColumn(list);
    // Select mode marks the chosen die without moving the list; edit mode shows the row.
    SelectRowQuietly(list, selected, EditMode());
    list->setFocus();
    if (EditMode()) st.DieListIndex = selected ? select : -1;

    auto caption = [&](unsigned id, const std::string& name) {
        if (auto* l = DieCtl<QLabel>(dialog, id))
            l->setText(QStringLiteral("[%1]").arg(QString::fromStdString(name)));
    };
    caption(kPossessedCaption, st.PossessedFileName);
    caption(kArrangementCaption, st.ArrangedFileName);
    if (!EditMode())
        for (unsigned id : {kChange, kAdd, kDelete})
            if (auto* b = DieCtl<QWidget>(dialog, id)) b->setEnabled(false);
}

void Fill(QWidget* dialog) {
    FillDieList(dialog, EditMode() ? RunState().DieListIndex : RunState().Header.SelectedDie);
}

int SelectedIndex(QWidget* dialog) {
    QTreeWidgetItem* row = SelectedRow(List(dialog));
    return row ? row->data(0, Qt::UserRole).toInt() : -1;
}

// The index of the first die equal to die, after a sort moved it.
int IndexOf(const DieRecord& die) {
    const DieDialogState& st = RunState();
    const int count = DialogDieCount(st);
    for (int i = 0; i < count; ++i)
        if (st.Dies[size_t(i)] == die) return i;
    return -1;
}

void OnChange(QWidget* dialog) {
    DieDialogState& st = RunState();
    const int index = SelectedIndex(dialog);
    if (index < 0) return;
    DieEditRecord& e = DieDialogRecord().Edit;
    e = DieEditRecord{};
    LoadEditRecord(e, st.Dies[size_t(index)]);
    if (RunDieEditDialog(dialog, kTemplateDieChange) != 1) return;
    StoreEditRecord(e, st.Dies[size_t(index)]);
    const DieRecord changed = st.Dies[size_t(index)];
    SortDialogDies(st, kDialogSortKeys);
    FillDieList(dialog, IndexOf(changed));
}

void OnAdd(QWidget* dialog) {
    DieDialogState& st = RunState();
    const int count = DialogDieCount(st);
    // A full table takes no die: say so before the user fills one in.
    if (count >= kMaxDies || count >= int(st.Dies.size())) {
        DieMessage(kMsgDieTableFull, platform::PromptIcon::Warning, 0,
                   platform::FormatInt(kMaxDies));
        return;
    }
    DieEditRecord& e = DieDialogRecord().Edit;
    e = DieEditRecord{};
    const int model = SelectedIndex(dialog);
    if (model >= 0) {
        LoadEditRecord(e, st.Dies[size_t(model)]);
    } else {
        // The shape of the filter; every die and the automatic choice leave it to the user.
        e.ShapeIndex = static_cast<int16_t>(Filter());
    }
    e.Number = GetFreeDieNumber(st);
    e.PlacedOnEntry = 0;
    if (RunDieEditDialog(dialog, kTemplateDieAdd) != 1) return;
    DieRecord die;
    StoreEditRecord(e, die);
    die.Placed = 0;
    st.Dies[size_t(count)] = die;
    st.Header.DieCount = count + 1;
    SortDialogDies(st, kDialogSortKeys);
    FillDieList(dialog, IndexOf(die));
}

void OnDelete(QWidget* dialog) {
    DieDialogState& st = RunState();
    if (DieDialogRecord().GroupSize == 0) return;
    QTreeWidget* list = List(dialog);
    QTreeWidgetItem* row = SelectedRow(list);
    if (!row) return;
    const int position = list->indexOfTopLevelItem(row);
    const int index = row->data(0, Qt::UserRole).toInt();
    const int count = DialogDieCount(st);
    std::move(st.Dies.begin() + index + 1, st.Dies.begin() + count, st.Dies.begin() + index);
    st.Dies[size_t(count - 1)] = DieRecord{};
    st.Header.DieCount = count - 1;
    FillDieList(dialog, -1);
    // The row that took the deleted one's place is selected.
    const int rows = list->topLevelItemCount();
    if (rows > 0) {
        QTreeWidgetItem* next = list->topLevelItem(std::min(position, rows - 1));
        SelectRowQuietly(list, next, true);
        st.DieListIndex = next->data(0, Qt::UserRole).toInt();
    }
}

int OnOK(QWidget* dialog) {
    DieDialogState& st = RunState();
    if (Filter() == kFilterAutoSelect) {
        st.Header.SelectedDie = -1;
        st.Header.AutoSelect = 1;
        return 0;
    }
    if (EditMode()) {
        st.Header.SelectedDie = -99;
        return 0;
    }
    const int index = SelectedIndex(dialog);
    if (index < 0) {
        DieMessage(kMsgSelectDie, platform::PromptIcon::Warning, kCaptionPunch);
        return 1;
    }
    st.Header.SelectedDie = index;
    return 0;
}

void SetFilter(QWidget* dialog, int filter) {
    Filter() = filter;
    RunState().DieListIndex = -1;
    if (auto* combo = DieCtl<QComboBox>(dialog, kShapeCombo))
        combo->setCurrentIndex(filter < combo->count() ? filter : -1);
    CheckShapeButtons(dialog);
    FillDieList(dialog, EditMode() ? -1 : RunState().Header.SelectedDie);
}

int OnCommand(QWidget* dialog, unsigned id, int code) {
    if (id == DBID_OK && code == DBN_CLICKED) return OnOK(dialog);
    if (id == kShapeCombo && code == DBN_SELCHANGE) {
        auto* combo = DieCtl<QComboBox>(dialog, kShapeCombo);
        if (combo && combo->currentIndex() >= 0) SetFilter(dialog, combo->currentIndex());
        return 1;
    }
    if (code != DBN_CLICKED) return 0;
    if (id >= kFirstShapeButton && id <= kAutoSelectButton) {
        SetFilter(dialog, int(id - kFirstShapeButton));
        // The automatic choice ends the dialog.
        if (id == kAutoSelectButton) DlgBoxPostCommand(dialog, DBID_OK);
        return 1;
    }
    if (id >= kFirstRangeButton && id <= kFirstRangeButton + 10) {
        DieDialogRecord().RangeFilter = static_cast<int16_t>(id - kFirstRangeButton);
        Fill(dialog);
        return 0;
    }
    if (!EditMode()) return 0;
    if (id == kChange) OnChange(dialog);
    if (id == kAdd) OnAdd(dialog);
    if (id == kDelete) OnDelete(dialog);
    return id == kChange || id == kAdd || id == kDelete;
}

int DieSelectionDialogProc(QWidget* dialog, const DlgBoxEvent* e) {
    switch (e->type) {
        case DBE_INIT: {
            QTreeWidget* list = List(dialog);
            SetUpDieList(list);
            if (auto* combo = DieCtl<QComboBox>(dialog, kShapeCombo)) combo->setFont(DieListFont());
            InitShapeButtons(dialog);
            Fill(dialog);
            return 0;
        }
        case DBE_NOTIFY:
            if (e->controlId != kList) return 0;
            if (e->code == DBN_DBLCLK) {
                // A double click changes the die in edit mode and chooses it in select mode.
                if (SelectedRow(List(dialog)))
                    DlgBoxPostCommand(dialog, EditMode() ? kChange : DBID_OK);
                return 1;
            }
            // The current row: the selection follows it only after this notification.
            if (e->code == DBN_SELCHANGE && EditMode()) {
                QTreeWidgetItem* row = List(dialog)->currentItem();
                RunState().DieListIndex = row ? row->data(0, Qt::UserRole).toInt() : -1;
            }
            return 0;
        case DBE_COMMAND:
            return OnCommand(dialog, e->controlId, e->code);
        default:
            return 0;
    }
}

}  // namespace

int DieDialogs::RunDieSelectionDialog(DieDialogState& state) {
    DieDialogRunScope scope(this, &state);
    DieDialogRecord().RangeFilter = 10;
    std::vector<std::string> entries = StringItems(kShapeComboItems);
    entries.resize(15);
    g_shapeEntries = NulRun(entries);
    g_items[2].variable = &state.SelectedShapeButton;
    g_items[2].text = g_shapeEntries.c_str();
    g_items[3].variable = &DieDialogRecord().RangeFilter;
    return RunTableDialog(kTemplateDieList, static_cast<QWidget*>(state.Owner), g_items, 4,
                          DieSelectionDialogProc);
}
