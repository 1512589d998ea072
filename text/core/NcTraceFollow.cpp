// The trace following a position that another program names: the run to a program position,
// the blocks of its sequence, the rows selected on the way and the torch mark moved there.
#include <algorithm>
#include <cmath>

#include "nc/machine/CNcReadInfo.h"
#include "nc/read/NcReadStatus.h"
#include "text/core/NcOpsHost.h"
#include "text/core/NcProgramPosition.h"
#include "text/core/NcTraceEngine.h"

namespace {

constexpr double kSamePosition = 0.001;  // a coordinate-only position this close is the last one
constexpr int kMaxCallDepth = 15;
// A run to a position reads at most this many blocks per line of the program: a program whose
// jumps never reach the row is reported as not found instead of freezing the window.
constexpr long long kBlocksPerLine = 100;

bool IsEnd(const NcRunnerStep& step) {
    return step.End != NcRunnerEnd::Running;
}

}  // namespace

int NcTraceEngine::TraceToPosition(int type, int mainProgram, int subProgram, int mainSequence,
                                   int subSequence, double x, double y, int moveKind) {
    if (host_.TraceActive() == 0) {
        TargetMainProgram = TargetSubProgram = TargetMainSequence = TargetSubSequence = -1;
        TargetX = TargetY = -999999.999;
        FinishSubProgram = 0;
        StartTrace();
    }
    auto remember = [&] {
        TargetX = x;
        TargetY = y;
        TraceType = type;
        TargetMoveKind = moveKind;
    };
    if (type == 0 || type == 1) {
        // Another program or main sequence: the run first leaves the sub-program it is in.
        if (TargetMainProgram != -1 &&
            (mainProgram != TargetMainProgram || subProgram != TargetSubProgram ||
             mainSequence != TargetMainSequence))
            FinishSubProgram = 1;
        TargetMainProgram = mainProgram;
        TargetSubProgram = subProgram;
        TargetMainSequence = mainSequence;
        TargetSubSequence = subSequence;
        remember();
        host_.CommitTraceStepInViews();
        if (RunToPosition(1) != 0) return 0;
        CDtbEngine sequence;
        RunSequenceBlocks(1, &sequence);
        host_.DrawTraceStepInViews(&sequence);
        host_.StepPending() = 0;
    } else if (type == 2) {
        remember();
        host_.CommitTraceStepInViews();
        CDtbEngine sequence;
        RunSequenceBlocks(1, &sequence);
        host_.DrawTraceStepInViews(&sequence);
        host_.StepPending() = 0;
    } else if (type == 3 || type == -1) {
        remember();
        host_.CommitTraceStepInViews();
    } else {
        if (std::fabs(x - TargetX) < kSamePosition && std::fabs(y - TargetY) < kSamePosition)
            return 0;
        remember();
    }
    const CxyzData at(TargetX, TargetY, 0.0);
    host_.MoveTorchMarkInViews(type, &at, TargetMoveKind);
    host_.StepPending() = 0;
    if (TraceType == 3) StopTrace();
    return 0;
}

int NcTraceEngine::FindProgramPosition(int mainProgram, int subProgram, int mainSequence,
                                       int subSequence, int* mainRow, int* subRow) const {
    NcProgramLetters letters;
    if (Reader.Settings) {
        letters.MainProgram = Reader.Settings->CodeLetter[0];
        letters.SubProgram = Reader.Settings->CodeLetter[1];
    }
    return ::FindProgramPosition(document_.Lines(), letters, mainProgram, subProgram, mainSequence,
                                 subSequence, mainRow, subRow);
}

int NcTraceEngine::ReaderLineOfRow(int row) const {
    // The reader's lines differ from the document's for converted formats: its line map
    // names the document row of each.
    const std::vector<int>& map = Reader.LineMap;
    if (map.empty()) return row;
    const auto it = std::lower_bound(map.begin(), map.end(), row);
    return static_cast<int>(it - map.begin());
}

int NcTraceEngine::RowOfReaderLine(int line) const {
    const std::vector<int>& map = Reader.LineMap;
    if (line < 0 || map.empty()) return line;
    return line < static_cast<int>(map.size()) ? map[static_cast<size_t>(line)] : -1;
}

NcRunnerStep NcTraceEngine::ReadFollowed(CDtbEngine& block) {
    block.Empty();
    NcRunnerStep step = runner_.Read(block);
    BlockRow = step.LineNo;
    NextLine = step.ReadNextLine;
    NextBlockRow = step.ReadNextLineNo;
    return step;
}

int NcTraceEngine::RunToPosition(int draw) {
    int mainRow = -1, subRow = -1;
    const int stage = FindProgramPosition(TargetMainProgram, TargetSubProgram, TargetMainSequence,
                                          TargetSubSequence, &mainRow, &subRow);
    if (stage == 0 || mainRow < 0) return -1;
    int targets[2] = {ReaderLineOfRow(mainRow), subRow > 0 ? ReaderLineOfRow(subRow) : 0};
    // Already inside the wanted sub-program: only its sequence is left to reach.
    if (CallDepth() != 0 && FinishSubProgram == 0) {
        targets[0] = subRow > 0 ? targets[1] : 0;
        targets[1] = 0;
    }
    const long long limit = kBlocksPerLine * std::max<long long>(1, Reader.Lines.size());
    long long blocks = 0;
    CDtbEngine collection;
    CDtbEngine block;
    for (int t = 0; t < 2; ++t) {
        const int r = targets[t];
        if (r <= 0) continue;
        auto more = [&] {
            if (t == 0 && CallDepth() != 0 && (FinishSubProgram == 1 || TargetMoveKind == 200))
                return true;
            return CurrentLine() < r;
        };
        while (more()) {
            if (++blocks > limit) return -1;
            NcRunnerStep step = ReadFollowed(block);
            if (IsEnd(step)) {
                StopTrace();
                return 1;
            }
            host_.FocusActiveElemView();
            if (draw == 1) SelectCurrentRow(&collection, &block);
            // A call is entered once; the run ends up in the sub-program it wants.
            if (step.Status == kNcBlockJump && CallDepth() < kMaxCallDepth) FinishSubProgram = 1;
            runner_.Advance(step, NcRunnerCalls::Once);
            if (step.Status == kNcSheetMove) host_.MoveSheetInViews(step.SheetMove.data());
        }
    }
    if (draw == 1) {
        host_.DrawTraceStepInViews(&collection);
        host_.CommitTraceStepInViews();
    }
    FinishSubProgram = 0;
    return 0;
}

int NcTraceEngine::RunSequenceBlocks(int mode, CDtbEngine* collect) {
    // The sequence wanted: a sub sequence given without its sub-program is one of the main
    // program; else the main sequence at the main level, the sub sequence inside a call.
    auto wanted = [&] {
        if (TargetSubProgram == -1 && TargetSubSequence != -1) return TargetSubSequence;
        return CallDepth() == 0 ? TargetMainSequence : TargetSubSequence;
    };
    const bool byProgram = TraceType == 0 || TraceType == 1;
    const long long limit = kBlocksPerLine * std::max<long long>(1, Reader.Lines.size());
    CDtbEngine block;
    // Outside the process modes the reader reads its lines without their sequence numbers:
    // the numbers are read from the document's lines the reader's lines come from.
    const std::vector<std::string>& lines = document_.Lines();
    auto documentLine = [&](int row) -> std::string_view {
        return row >= 0 && row < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(row)]
                                                                : std::string_view();
    };
    for (long long blocks = 0; blocks < limit; ++blocks) {
        // The next sequence's first line ends the collection unread. Showing the next
        // sequence (type 2) starts on such a line: that one is read.
        if (mode == 1 && !(blocks == 0 && !byProgram)) {
            int number = 0;
            if (SequenceLineNumber(documentLine(RowOfReaderLine(CurrentLine())), &number) &&
                number > 0 && number != wanted())
                break;
        }
        NcRunnerStep step = ReadFollowed(block);
        if (IsEnd(step)) break;
        if (byProgram) {
            // The reader's sequence number, kept from block to block; a reader that read the
            // line without its number has none, and the line's own is taken.
            const int seq = Reader.State.SeqNo > 0 ? Reader.State.SeqNo
                                                   : SequenceNumberOf(documentLine(step.LineNo));
            if (seq > 0 && seq != wanted()) {
                if (mode == 1) break;
                runner_.MoveTo(step.ReadNextLine);
                continue;
            }
            if (Reader.BlockM == 300) {
                runner_.MoveTo(step.ReadNextLine);
                break;
            }
        }
        SelectCurrentRow(collect, &block);
        if (step.Status == kNcBlockJump) {
            // The collection stops at a call; the trace stays on the call's line.
            if (mode == 1) break;
            runner_.Advance(step, NcRunnerCalls::Once);
            continue;
        }
        runner_.Advance(step, NcRunnerCalls::Once);
        if (step.Status == kNcReturn && !(!byProgram && mode != 0)) break;
    }
    return 0;
}

int NcTraceEngine::SelectCurrentRow(CDtbEngine* collect, CDtbEngine* block) {
    rows_.ClearSelection();
    rows_.SelectRow(BlockRow);
    rows_.EnsureVisible(BlockRow, true);
    if (collect && block) collect->AppendDtb(block);
    return 0;
}
