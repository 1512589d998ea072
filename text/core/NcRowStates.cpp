// NcRowStates: breakpoints, error marks and the column-0 header image of the NC line list.
#include "text/core/NcRowStates.h"

void NcRowStates::Reset(size_t count) {
    states_.assign(count, 0);
    header_ = kHeaderEmpty;
}

int NcRowStates::Breakpoint(size_t row) const {
    return row < states_.size() ? states_[row] & 0xF : 0;
}

bool NcRowStates::SetBreakpoint(size_t row, int value) {
    if (row >= states_.size() || value < 0 || value > 2) return false;
    states_[row] = uint8_t((states_[row] & 0xF0) | value);
    return true;
}

int NcRowStates::ErrorMark(size_t row) const {
    return row < states_.size() ? states_[row] >> 4 : 0;
}

bool NcRowStates::SetErrorMark(size_t row, int value) {
    if (row >= states_.size()) return false;
    states_[row] = uint8_t((states_[row] & 0x0F) | ((value ? 1 : 0) << 4));
    return true;
}

void NcRowStates::ClearErrorMarks() {
    for (uint8_t& s : states_) s &= 0x0F;
}

int NcRowStates::ClickBreakpoint(size_t row) {
    if (row >= states_.size()) return -1;
    int value = Breakpoint(row) + 1;
    if (value == 3) value = kBreakNone;
    SetBreakpoint(row, value);
    if (value == kBreakOn) header_ = kHeaderDisable;
    return value;
}

size_t NcRowStates::ClickHeader() {
    const int target = header_ == kHeaderEnable || header_ == kHeaderDisable ? header_ : kBreakNone;
    size_t changed = 0;
    for (size_t row = 0; row < states_.size(); ++row) {
        const int b = Breakpoint(row);
        if (b != kBreakOn && b != kBreakDisabled) continue;
        if (b != target) ++changed;
        SetBreakpoint(row, target);
    }
    if (header_ == kHeaderDisable)
        header_ = kHeaderEnable;
    else if (header_ == kHeaderEnable)
        header_ = kHeaderDisable;
    return changed;
}
