// CPunchTool: the drivers that run the die selection and arrangement dialogs on copies.
#include <algorithm>
#include <bit>
#include <system_error>

#include "nc/NcAppContext.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/DieDialogTable.h"
#include "nc/machine/DieFileIo.h"
#include "nc/machine/DieFileNames.h"
#include "nc/machine/DieMessages.h"

namespace {

// ".arr" is added only when the file name itself has no extension; dots in folder names
// (hidden folders such as ~/.local) do not count.
std::string WithArrangementExtension(std::string path) {
    std::filesystem::path p(path);
    if (p.filename().string().find('.') == std::string::npos) path += ".arr";
    return path;
}

}  // namespace

void CPunchTool::PrepareDialogBlocks() {
    DieDialogState& st = DialogState;
    st.Dies = Dies;
    st.Dies.resize(kMaxDies);
    st.Arrangement = Arrangement;
    st.Numbers.assign(kMaxDies, 0);
    st.NumberCount = 0;
    st.Header = Header;
    st.UnloadedDieNumbers = UnloadedDieNumbers();
}

int CPunchTool::ShowDieDialog(int shapeMask, int mode) {
    DieDialogState& st = DialogState;
    st.Mode = mode;
    st.ShapeMask = shapeMask == 0 ? 0xFFFF : shapeMask;
    st.DieListIndex = -1;
    st.DieListTop = -1;
    st.DieListRows = 10;
    PrepareDialogBlocks();

    // The shape button the dialog opens with.
    const int mask = st.ShapeMask;
    auto allowed = [mask](int bit) { return (mask >> bit) & 1; };
    int allowedCount = std::popcount(static_cast<unsigned>(mask) & 0xFFFEu);
    if (allowedCount == 1) {
        st.SelectedShapeButton = std::countr_zero(static_cast<unsigned>(mask) & 0xFFFEu) - 1;
    } else {
        int button = 0;
        int selected = st.Header.SelectedDie;
        if (st.Header.AutoSelect == 1 && mode == 0) {
            button = 15;
        } else if (selected >= 0 && selected < std::min(st.Header.DieCount, kMaxDies)) {
            // Index 0 is a die like any other and is preselected too.
            int shape = st.Dies[selected].Shape;
            button = shape >= 1 && shape <= 16 ? shape - 1 : 0;
        }
        int bit = button >= 14 ? 15 : button + 1;
        if (!allowed(bit)) {
            button = 14;
            for (int b = 1; b <= 14; ++b) {
                if (allowed(b)) {
                    button = b - 1;
                    break;
                }
            }
            st.Header.SelectedDie = -1;
        }
        st.SelectedShapeButton = button;
    }

    // Placed marks: a die is placed when one of the stations holds its number. They are set
    // for every mask and cleared where no station holds the die (also with no stations), so
    // that the list never shows a mark left over from an earlier arrangement.
    MarkPlacedDies(st.Dies, st.Header.DieCount, *st.Arrangement, st.Arrangement->StationCount);

    st.PossessedFileName = PossessedToolFileName;
    st.ArrangedFileName = ArrangedToolFileName;
    if (Dialogs) Dialogs->RunDieSelectionDialog(st);

    // In editing mode Cancel only closes the list: what was edited is taken all the same,
    // and the caller asks before anything is written.
    st.Dies.resize(kMaxDies);
    Dies = st.Dies;
    Header = st.Header;
    Header.DieCount = std::clamp<int32_t>(Header.DieCount, 0, kMaxDies);
    st.FreeBlocks();
    return 0;
}

int CPunchTool::EditPossessedDies() {
    const std::vector<DieRecord> snapshotDies = Dies;
    DieFileHeader snapshotHeader = Header;
    for (;;) {
        ShowDieDialog(0, 1);
        // A new selection alone is no change.
        snapshotHeader.SelectedDie = Header.SelectedDie;
        if (Dies == snapshotDies && Header == snapshotHeader) break;
        if (!Ask(diemsg::kUpdatePossessed, PossessedToolFileName)) break;
        if (ReadWritePossessed(2) == 0) {
            SortDies(3, 2, 4, 5, 6, 7, 1);
            break;
        }
        if (!Ask(diemsg::kPossessedWriteRetry, {})) break;
    }
    return 0;
}

int CPunchTool::EditArrangement() {
    DieDialogState& st = DialogState;
    PrepareDialogBlocks();
    int result = 0;
    // After a failed write the object holds edits that no file has: the next round must
    // offer to write them even when the dialog changes nothing more.
    bool unwritten = false;
    for (;;) {
        st.ArrangementListState.fill(0);
        st.StationCount = st.Arrangement->StationCount;
        st.TurretName = st.Arrangement->TurretName;
        st.ArrangementFlag = 0;
        st.ArrangementPath = ArrangementPath().string();
        st.PossessedFileName = PossessedToolFileName;
        st.ArrangedFileName = ArrangedToolFileName;

        // Only OK takes the dialog's work; Cancel and a dialog that could not be made alike
        // leave everything as it was.
        if (!Dialogs || Dialogs->RunArrangementDialog(st) != 1) {
            result = -1;
            break;
        }

        TurretArrangement& copy = *st.Arrangement;
        copy.StationCount = std::clamp(st.StationCount, 0, kMaxStations);
        copy.TurretName = st.TurretName;
        diefile::CutText(copy.TurretName, kTurretNameMax);
        // A relative name typed in the dialog reaches its file as the configured names do.
        const std::filesystem::path path =
            ResolveName(WithArrangementExtension(st.ArrangementPath));

        // Placed marks alone are no change.
        for (int i = 0; i < kMaxStations; ++i)
            copy.Stations[i].Die.Placed = Arrangement.Stations[i].Die.Placed;

        // A relative configured name and its absolute form are the same file.
        const bool samePath = diefile::SameFile(path, ArrangementPath());
        if (copy == Arrangement && samePath && !unwritten) break;

        if (!samePath) ArrangedToolFileName = path.string();
        Arrangement = copy;
        Dies = st.Dies;
        Dies.resize(kMaxDies);
        Header = st.Header;
        Header.DieCount = std::clamp<int32_t>(Header.DieCount, 0, kMaxDies);

        if (!Ask(diemsg::kUpdateArrangement, path.filename().string())) break;
        if (ReadWriteArrangement(2) == 0) {
            // The machine file names the arrangement only once it exists and the user agreed.
            if (MachineFileName && context_) {
                std::string machine = MachineFileName();
                if (!machine.empty()) SaveFileNames(context_->MakeConfigPath(machine));
            }
            break;
        }
        unwritten = true;
        if (!Ask(diemsg::kArrangementWriteRetry, {})) break;
    }
    st.FreeBlocks();
    return result;
}

int CPunchTool::RunArrangementEditor() {
    EditArrangement();
    return 0;
}
