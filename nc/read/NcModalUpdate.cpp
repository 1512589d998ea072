// The block interpreter's modal update, special codes, coordinate computation and the
// motion fill-in.
#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CToolData.h"
#include "nc/read/NcBlockInterpreter.h"
#include "nc/read/NcPointMath.h"
#include "platform/Numbers.h"

namespace {

bool OneOf(int value, std::initializer_list<int> set) {
    for (int v : set) {
        if (v == value) return true;
    }
    return false;
}

std::array<int, 3> SplitColour(uint32_t colour) {
    return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF)};
}

// Group-14 codes (or none) under which a T word resets the C angle and the centre words.
bool ToolChangeGroup(int g14) {
    return OneOf(g14, {-1, 70, 72, 25, 27, 66, 69, 79, 67});
}

}  // namespace

void NcBlockInterpreter::ModalUpdate() {
    const int g14 = r_.BlockGroups[14];
    // The motion code this block runs with: its own, or the modal one it will fill in.
    const int motion = r_.BlockGroups[0] != -1 ? r_.BlockGroups[0] : st_.ModalGroups[0];
    const bool shapeCycle = motion == 111 || motion == 112;
    const bool noForm = r_.ShapeGroups[kShapeG08] == -1;

    // 1. C. In a shape cycle C is the chamfer size, never a head angle.
    if (IsGiven(w_.C) && noForm && !shapeCycle) {
        st_.PrevC[1] = st_.PrevC[0];
        st_.PrevC[0] = st_.ModalC;
        st_.ModalC = w_.C;
    } else if (ToolChangeGroup(g14) && w_.T > 0) {
        st_.PrevC[1] = st_.PrevC[0];
        st_.PrevC[0] = st_.ModalC;
        st_.ModalC = 0.0;
    }
    // 2. I and J.
    if (Settings().ArcAbsInc == 0 || shapeCycle) {
        if (IsGiven(w_.I)) st_.ModalI = w_.I;
        if (IsGiven(w_.J)) st_.ModalJ = w_.J;
    } else if (ToolChangeGroup(g14) && w_.T > 0) {
        w_.I = kNcAbsent;
        w_.J = kNcAbsent;
    }
    // 3. F, N, program number, CodeFor value, T.
    if (w_.F > 0) st_.Feed = w_.F;
    if (w_.N > 0) st_.SeqNo = w_.N;
    if (w_.ProgramNo > 0) st_.ProgramNo = w_.ProgramNo;
    if (w_.ForValue > 0) st_.ForValue = w_.ForValue;
    if (w_.T >= 0) st_.ToolNo = w_.T;
    // 4. Condition number.
    const CToolData* table = r_.Conditions;
    if (w_.ConditionNo != kNcNoCondition) {
        st_.ConditionNo = w_.ConditionNo;
        if (table != nullptr) {
            st_.ConditionRGB = SplitColour(table->OtherColorRGB);
            const size_t rows = table->RowCount();
            for (size_t i = 0; i < rows; ++i) {
                if (static_cast<long long>(table->ToolNo[i]) == w_.ConditionNo) {
                    st_.ConditionRGB = SplitColour(table->ToolColorRGB[i]);
                    st_.ConditionHeight = platform::ParseLeadingReal(table->ToolHigh[i]);
                    st_.ConditionDiameter = platform::ParseLeadingReal(table->ToolDiameter[i]);
                    break;
                }
            }
        }
    }
    // 5. Laser head angles.
    if (noForm && st_.NcType == kNcTypeLaser) {
        if (IsGiven(w_.A)) {
            st_.PrevA[1] = st_.PrevA[0];
            st_.PrevA[0] = st_.ModalA;
            st_.ModalA = w_.A;
        }
        if (IsGiven(w_.C) && !shapeCycle) st_.ModalC = w_.C;
    }
    // 6. T: the condition row of the tool.
    if (w_.T >= 0) {
        st_.ConditionTool = w_.T;
        if (table != nullptr) {
            const size_t rows = table->RowCount();
            for (size_t i = 0; i < rows; ++i) {
                if (static_cast<long long>(table->ToolNo[i]) == w_.T) {
                    st_.ConditionDiameter = platform::ParseLeadingReal(table->ToolDiameter[i]);
                    st_.ConditionHeight = platform::ParseLeadingReal(table->ToolHigh[i]);
                }
            }
        }
    }
    // 7. Marking and cutting marks.
    if (r_.OptionMarks[kOptMarkOn] != 0) {
        st_.CuttingOn = 0;
        ++st_.MarkCount;
    } else if (r_.OptionMarks[kOptCutOn] != 0) {
        st_.CuttingOn = 1;
        ++st_.PierceCount;
    }
    // 8. Group 3.
    if (r_.BlockGroups[3] != -1) st_.CompGroup = r_.BlockGroups[3];
}

NcHookFlow NcBlockInterpreter::SpecialCodes() {
    const bool g53 = r_.BlockGroups[5] == 53;
    if (g53) {
        r_.BlockGroups[0] = 0;
    } else {
        if (r_.BlockGroups[9] == 90) st_.Incremental = 0;
        if (r_.BlockGroups[9] == 91) st_.Incremental = 1;
        const int g14 = r_.BlockGroups[14];
        if (r_.BlockGroups[11] == 92) {
            const CxyzData init = Settings().G92BaseInit;
            const double words[3] = {w_.X, w_.Y, w_.Z};
            double* base[3] = {&st_.G92Base.x, &st_.G92Base.y, &st_.G92Base.z};
            const double current[3] = {st_.CurrentPos.x, st_.CurrentPos.y, st_.CurrentPos.z};
            const double start[3] = {-init.x, -init.y, -init.z};
            for (int k = 0; k < 3; ++k) {
                if (!IsGiven(words[k])) continue;
                *base[k] = current[k] == start[k] ? -words[k] : current[k] - words[k];
            }
            return kFlowEndBlock;
        }
        if (r_.BlockGroups[13] == 128) {
            w_.X = 0.0;
            w_.Y = 0.0;
            w_.Z = 0.0;
            st_.TargetPos = CxyzData(0.0, 0.0, 0.0);
            r_.BlockGroups[0] = 0;
        } else if (g14 == 28 && st_.NcType == kNcTypeLaser) {
            r_.BlockGroups[0] = 0;
        } else if (g14 == 25 || g14 == 27) {
            if (sheetMove_ != nullptr) {
                sheetMove_[0] = st_.TargetPos.x;
                sheetMove_[1] = st_.TargetPos.y;
                sheetMove_[2] = IsGiven(w_.X) ? w_.X : 0.0;
            }
            status_ = kNcSheetMove;
            return kFlowEndBlock;
        } else if (r_.BlockGroups[1] == 4) {
            return kFlowEndBlock;
        }
    }
    if (st_.Incremental == -1) st_.Incremental = 0;
    if (r_.ShapeGroups[kShapeG11] == 1 && st_.PrevCode != 112) {
        r_.BlockGroups[0] = 1;
    } else if (r_.BlockGroups[4] != -1) {
        r_.BlockGroups[0] = 1;
    }
    return kFlowContinue;
}

NcHookFlow NcBlockInterpreter::ComputeCoordinates() {
    const bool incremental = st_.Incremental == 1;
    const bool laser = st_.NcType == kNcTypeLaser;
    const int g14 = r_.BlockGroups[14];
    CxyzData& target = st_.TargetPos;
    const CxyzData& current = st_.CurrentPos;

    // 1. Local coordinates.
    if (r_.BlockGroups[3] == 52 || r_.BlockGroups[10] == 93) {
        if (!incremental) {
            st_.LocalShift.x = IsGiven(w_.X) ? w_.X : current.x - st_.G92Base.x;
            st_.LocalShift.y = IsGiven(w_.Y) ? w_.Y : current.y - st_.G92Base.y;
        } else {
            if (IsGiven(w_.X)) st_.CurrentPos.x += w_.X;
            if (IsGiven(w_.Y)) st_.CurrentPos.y += w_.Y;
        }
        if (st_.NcType == kNcTypeProcessInfo) {
            if (IsGiven(w_.C)) st_.RotAngle = w_.C;
            st_.RotCentre = st_.LocalShift;
            return kFlowToCommit;
        }
        return kFlowEndBlock;
    }
    // 2. / 3. Coordinate rotation.
    if (g14 == 68 && laser) {
        if (IsGiven(w_.R)) st_.RotAngle = w_.R;
        st_.RotCentre = target;
        return kFlowToCommit;
    }
    if (g14 == 69 && laser) {
        st_.RotAngle = 0.0;
        st_.RotCentre.x = 0.0;
        st_.RotCentre.y = 0.0;
    }
    // 4. Machine coordinates.
    if (r_.BlockGroups[5] == 53) {
        target.x = IsGiven(w_.X) ? w_.X : current.x;
        target.y = IsGiven(w_.Y) ? w_.Y : current.y;
        target.z = IsGiven(w_.Z) ? w_.Z : current.z;
        return kFlowContinue;
    }
    // 5. Reference point return.
    if (g14 == 28 && laser) {
        if (!IsGiven(w_.X) && !IsGiven(w_.Y) && !IsGiven(w_.Z) && !IsGiven(w_.C) &&
            !IsGiven(w_.A) && !IsGiven(w_.U) && !IsGiven(w_.B)) {
            w_.X = 0.0;
            w_.Y = 0.0;
            w_.Z = 0.0;
            target = CxyzData(0.0, 0.0, 0.0);
        } else {
            target.x = IsGiven(w_.X) ? w_.X : current.x;
            target.y = IsGiven(w_.Y) ? w_.Y : current.y;
            target.z = IsGiven(w_.Z) ? w_.Z : current.z;
        }
        return kFlowContinue;
    }
    // 6. The G08.1 point.
    if (r_.ShapeGroups[kShapeG08] == 1) {
        CxyzData& p = st_.ShapePos;
        if (!incremental) {
            p.x = IsGiven(w_.X) ? w_.X + st_.G92Base.x + st_.PartOrigin.x : current.x;
            p.y = IsGiven(w_.Y) ? w_.Y + st_.G92Base.y + st_.PartOrigin.y : current.y;
            p.z = IsGiven(w_.Z) ? w_.Z + st_.G92Base.z + st_.PartOrigin.z : current.z;
        } else {
            p.x = current.x + (IsGiven(w_.X) ? w_.X : 0.0);
            p.y = current.y + (IsGiven(w_.Y) ? w_.Y : 0.0);
            p.z = current.z + (IsGiven(w_.Z) ? w_.Z : 0.0);
        }
        return kFlowContinue;
    }
    // 7. "CIR/ i j angle".
    if (r_.BlockCir == 1) {
        if (!IsGiven(w_.I) || !IsGiven(w_.J) || !IsGiven(w_.R)) return kFlowToCommit;
        const double cx = w_.I + st_.G92Base.x + st_.LocalShift.x + st_.PartOrigin.x;
        const double cy = w_.J + st_.G92Base.y + st_.LocalShift.y + st_.PartOrigin.y;
        r_.BlockGroups[0] = w_.R > 0.0 ? 3 : 2;
        const double radius = std::hypot(current.x - cx, current.y - cy);
        const double start = Atan2Deg(current.y - cy, current.x - cx);
        target.x = cx + radius * CosDeg(start + w_.R);
        target.y = cy + radius * SinDeg(start + w_.R);
        w_.I = cx - current.x;
        w_.J = cy - current.y;
        w_.R = kNcAbsent;
        return kFlowContinue;
    }
    // 8. The G08 circle keeps the position.
    if (r_.BlockGroups[0] == 8) return kFlowContinue;
    // 9. Every other block.
    if (!incremental) {
        target.x =
            IsGiven(w_.X) ? w_.X + st_.G92Base.x + st_.LocalShift.x + st_.PartOrigin.x : current.x;
        target.y =
            IsGiven(w_.Y) ? w_.Y + st_.G92Base.y + st_.LocalShift.y + st_.PartOrigin.y : current.y;
        target.z = IsGiven(w_.Z) ? w_.Z + st_.G92Base.z + st_.PartOrigin.z : current.z;
    } else {
        target.x = current.x + (IsGiven(w_.X) ? w_.X : 0.0);
        target.y = current.y + (IsGiven(w_.Y) ? w_.Y : 0.0);
        target.z = current.z + (IsGiven(w_.Z) ? w_.Z : 0.0);
    }
    if (std::fabs(st_.RotAngle) >= 0.001) {
        SaveRotation();
        RotatePoint(&target.x, &target.y, st_.RotCentre.x, st_.RotCentre.y, st_.RotAngle);
        RotatePoint(&st_.CurrentPos.x, &st_.CurrentPos.y, st_.RotCentre.x, st_.RotCentre.y,
                    st_.RotAngle);
    }
    return kFlowContinue;
}

void NcBlockInterpreter::MotionFillIn() {
    if (r_.BlockGroups[0] != -1 || r_.OptionMarks[kOptSubCall] != 0) return;
    if (r_.ShapeGroups[kShapeG08] != -1 || r_.ShapeGroups[kShapeG11] != -1 ||
        r_.ShapeGroups[kShapeG12] != -1 || r_.BlockCir == 1) {
        return;
    }
    if (IsGiven(w_.X) || IsGiven(w_.Y) || IsGiven(w_.Z) || IsGiven(w_.I) || IsGiven(w_.J) ||
        IsGiven(w_.R)) {
        r_.BlockGroups[0] = st_.ModalGroups[0];
    }
}

void NcBlockInterpreter::SaveRotation() {
    rotationSaved_ = true;
    savedTarget_ = st_.TargetPos;
    savedCurrent_ = st_.CurrentPos;
    savedI_ = st_.ModalI;
    savedJ_ = st_.ModalJ;
}

void NcBlockInterpreter::RestoreRotation() {
    if (!rotationSaved_) return;
    rotationSaved_ = false;
    st_.TargetPos = savedTarget_;
    st_.CurrentPos = savedCurrent_;
    st_.ModalI = savedI_;
    st_.ModalJ = savedJ_;
}
