// The block interpreter frame: CNcRead::ReadBlock's steps in order, the punch dispatch, the
// commit, the end and call codes and the epilogue that hands the block's elements on.
#include "nc/read/NcBlockInterpreter.h"

#include "nc/machine/CNcReadInfo.h"

namespace {

bool OneOf(int value, std::initializer_list<int> set) {
    for (int v : set) {
        if (v == value) return true;
    }
    return false;
}

}  // namespace

void MoveElementsInto(CDtbEngine& from, CDtbEngine& to) {
    if (from.GetLevel() != 0 || to.GetLevel() != 0) {
        // Inside an open group the depth limit must be checked: copy.
        to.AppendDtb(&from);
        from.Empty();
        return;
    }
    CDtbElement* e = from.GetFirstElement();
    from.Init();
    while (e != nullptr) {
        CDtbElement* next = e->link.next;
        to.AppendDtb(e);
        e = next;
    }
}

int CNcRead::ReadBlock(CDtbEngine* sink, int line, int* nextLine, int* lineNo, int* nextLineNo,
                       double* sheetMove, int* repeatCount) {
    NcBlockInterpreter interpreter(*this, line, nextLine, lineNo, nextLineNo, sheetMove,
                                   repeatCount);
    return interpreter.Run(sink);
}

NcBlockInterpreter::NcBlockInterpreter(CNcRead& reader, int line, int* nextLine, int* lineNo,
                                       int* nextLineNo, double* sheetMove, int* repeatCount)
    : r_(reader),
      st_(reader.State),
      w_(reader.Block),
      line_(line),
      nextLine_(nextLine),
      lineNo_(lineNo),
      nextLineNo_(nextLineNo),
      sheetMove_(sheetMove),
      repeatCount_(repeatCount) {}

const CNcReadInfo& NcBlockInterpreter::Settings() const {
    static const CNcReadInfo defaults;
    return r_.Settings ? *r_.Settings : defaults;
}

int NcBlockInterpreter::Run(CDtbEngine* sink) {
    int dummyNext = 0, dummyLineNo = 0, dummyNextLineNo = 0;
    if (nextLine_ == nullptr) nextLine_ = &dummyNext;
    if (lineNo_ == nullptr) lineNo_ = &dummyLineNo;
    if (nextLineNo_ == nullptr) nextLineNo_ = &dummyNextLineNo;

    // Elements go straight into the caller's database unless each block must be copied over a
    // multi-part grid or there is no caller's database. (A block that sets a grid, the G98
    // block, draws nothing itself.)
    if (sink != nullptr && sink->GetLevel() == 0 && st_.PartCountX == 0 && st_.PartCountY == 0) {
        db_ = sink;
    } else {
        db_ = &ownDb_.emplace();
    }

    NcHookFlow flow = Start();
    if (flow == kFlowContinue) {
        ModalUpdate();
        flow = SpecialCodes();
    }
    if (flow == kFlowContinue) flow = ComputeCoordinates();
    if (flow == kFlowContinue) {
        MotionFillIn();
        flow = Draw();
    }
    if (flow == kFlowContinue || flow == kFlowToDispatch) {
        Dispatch();
        flow = kFlowToCommit;
    }
    if (flow == kFlowToCommit) {
        Commit();
        EndCodes();
    } else if (flow == kFlowHeadFrameFailed) {
        status_ = kNcHeadFrameFailed;
        EndCodes();
    } else if (recognised_ && !patternLine_) {
        // A block that ends early (G92, G04, G52, a zero-length move, a shape definition, a
        // multi-part block ...) commits nothing, but its M30/M02 and its sub-program call or
        // return still act: otherwise reading would run on past the program's end.
        EndCodes();
    }
    // A corner-radius line still held when the program ends is drawn with a sharp corner.
    if (status_ == kNcEndOfProgram || status_ == kNcProgramEnd) FlushHeldLine();
    Epilogue(sink);
    return status_;
}

void NcBlockInterpreter::SetNextLine(int next) {
    *nextLine_ = next;
    const int count = static_cast<int>(r_.LineMap.size());
    *nextLineNo_ = next >= 0 && next < count ? r_.LineMap[static_cast<size_t>(next)] : count - 1;
}

NcHookFlow NcBlockInterpreter::Start() {
    r_.LineIndex = line_;
    r_.OptionMarks.fill(0);
    r_.ResetBlock();
    patternLine_ = true;  // until a word is recognised, an end here is a quiet one
    if (line_ < 0 || line_ >= static_cast<int>(r_.Lines.size())) {
        status_ = kNcEndOfProgram;
        return kFlowEndBlock;
    }
    r_.LineBuffer.assign(r_.Lines[static_cast<size_t>(line_)]);
    SetNextLine(line_ + 1);
    const int docLine = static_cast<size_t>(line_) < r_.LineMap.size()
                            ? r_.LineMap[static_cast<size_t>(line_)]
                            : line_;
    *lineNo_ = docLine;
    const std::string& text = r_.LineBuffer;
    if (text.empty() || text[0] == '\n') {
        status_ = kNcEmptyLine;
        return kFlowEndBlock;
    }
    if (text[0] == '%' && Settings().IgnorePercent == 0) {
        ++r_.PercentCount;
        if (r_.PercentCount > 1) {
            status_ = kNcEndOfProgram;
            return kFlowEndBlock;
        }
    }
    r_.PrevLineNo2 = r_.PrevLineNo;
    r_.PrevLineNo = r_.LineNo;
    r_.LineNo = docLine;
    r_.BlockDuplicate = 0;
    recognised_ = r_.TokenizeBlock(r_.LineBuffer, r_.OptionMarks, r_.ShapeGroups, r_.BlockGroups,
                                   r_.BlockCir, r_.BlockM, r_.Block, r_.BlockDuplicate) != 0;
    if (!recognised_) return kFlowEndBlock;
    patternLine_ = false;
    TypeCorrections();
    return PatternLines();
}

void NcBlockInterpreter::TypeCorrections() {
    if (st_.NcType == kNcTypeProcessInfo) return;
    const int g14 = r_.BlockGroups[14];
    if (g14 != -1 && !OneOf(g14, {28, 68, 69})) st_.NcType = kNcTypePunch;
    const int motion = r_.BlockGroups[0];
    if (motion != -1 && motion != 0) st_.NcType = kNcTypeLaser;
    if (r_.OptionMarks[kOptMarkOn] != 0 && r_.OptionMarks[kOptCutOn] != 0) {
        st_.NcType = kNcTypeLaser;
    }
    if (st_.TapIndex >= 0) st_.NcType = kNcTypePunch;
    if (r_.BlockM == 101 && Settings().PunchNcType == 0 && st_.NcType == kNcTypeLaser) {
        st_.NcType = Settings().LaserPunch;
        r_.BlockGroups[0] = -1;
        r_.OptionMarks[kOptMarkOn] = 0;
        r_.OptionMarks[kOptCutOn] = 0;
    }
}

NcHookFlow NcBlockInterpreter::Draw() {
    if (r_.BlockGroups[15] == 98 && st_.NcType != kNcTypeProcessInfo) return MultiPartBlock();
    if (OneOf(r_.BlockGroups[14], {72, 25, 26, 27, 29, 66, 67, 68, 69, 78, 79, 202})) {
        return kFlowToDispatch;
    }
    NcHookFlow flow = Motion();
    if (flow != kFlowContinue) return flow;
    const int form = r_.ShapeGroups[kShapeG08];
    if (form == 1 || form == 4) {
        if (form == 1) FlushHeldLine();
        flow = static_cast<NcHookFlow>(r_.LaserShapeMacro(db_));
        if (flow != kFlowContinue) return flow;
    }
    if (r_.ShapeGroups[kShapeG11] != -1 || r_.ShapeGroups[kShapeG12] != -1) {
        if (r_.ShapeGroups[kShapeG11] == 1 || r_.ShapeGroups[kShapeG12] == 2) FlushHeldLine();
        flow = static_cast<NcHookFlow>(r_.ThreePointShape(db_));
        if (flow != kFlowContinue) return flow;
    }
    return kFlowContinue;
}

void NcBlockInterpreter::Dispatch() {
    if (st_.NcType != kNcTypePunch) return;
    const int g14 = r_.BlockGroups[14];
    if (g14 == -1) {
        if (!IsGiven(w_.X) && !IsGiven(w_.Y)) return;
        FlushHeldLine();
        (void)r_.PunchPattern(-1, w_, db_);
        if (!(st_.TapIndex != -1 && st_.ConditionTool <= 0)) st_.PrevCode = -10;
    } else if (OneOf(g14, {26, 28, 29, 36, 37, 66, 67, 68, 69, 78, 79, 202})) {
        FlushHeldLine();
        (void)r_.PunchPattern(g14, w_, db_);
        st_.PrevCode = g14 * 10;
    }
}

void NcBlockInterpreter::Commit() {
    RestoreRotation();
    st_.LastPos = st_.TargetPos;
    st_.CurrentPos = st_.TargetPos;
}

void NcBlockInterpreter::EndCodes() {
    if (status_ != kNcBlockDone && status_ != kNcHeadFrameFailed) return;
    if (r_.BlockM == 30 || r_.BlockM == 2) {
        status_ = kNcProgramEnd;
        return;
    }
    if (r_.OptionMarks[kOptSubCall] != 0) {
        if (w_.ProgramNo == -1 && w_.N == -1) return;
        int found = r_.FindProgramLine(w_.ProgramNo, w_.N, line_);
        // The N word of a call block is most often the block's own sequence number: when the
        // program has no such sequence line, the call goes to the program line itself rather
        // than being dropped.
        if (found < 0 && w_.N != -1 && w_.ProgramNo != -1) {
            found = r_.FindProgramLine(w_.ProgramNo, -1, line_);
        }
        if (found < 0) return;
        if (w_.L > kNcMaxRepeatCount) {
            status_ = kNcCountLimit;
            return;
        }
        SetNextLine(found);
        if (repeatCount_ != nullptr) *repeatCount_ = w_.L;
        status_ = kNcBlockJump;
        return;
    }
    if (r_.OptionMarks[kOptSubBack] != 0) status_ = kNcReturn;
}

void NcBlockInterpreter::Epilogue(CDtbEngine* sink) {
    RestoreRotation();
    if (db_ != sink) {
        if (st_.PartCountX != 0 || st_.PartCountY != 0) {
            AppendGridCopies(sink);
            db_->Empty();
        } else if (sink != nullptr) {
            MoveElementsInto(*db_, *sink);
        } else {
            db_->Empty();
        }
    }
    for (int g = 0; g < kGCodeGroupCount; ++g) {
        if (r_.BlockGroups[g] != -1) st_.ModalGroups[g] = r_.BlockGroups[g];
    }
}
