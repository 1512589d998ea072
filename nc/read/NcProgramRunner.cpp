// The callers' protocol of the NC reader: call stack, repeat counts, part numbers, end.
#include "nc/read/NcProgramRunner.h"

#include "kernel/db/CDtbEngine.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcReadStatus.h"

NcProgramRunner::NcProgramRunner(CNcRead& reader, NcRunnerLimits limits)
    : reader_(reader), limits_(limits) {
    Restart();
}

void NcProgramRunner::Restart(int startLine) {
    stack_.clear();
    line_ = startLine;
    rememberedSeqNo_ = 1;
    blocks_ = 0;
    end_ = NcRunnerEnd::Running;
    lastLine_ = 0;
    lastLineNo_ = 0;
    reader_.PartNo = 0;
}

NcRunnerStep NcProgramRunner::Step(CDtbEngine& sink, NcRunnerCalls calls) {
    const std::int64_t before = blocks_;
    NcRunnerStep step = Read(sink);
    if (blocks_ != before) Advance(step, calls);
    return step;
}

NcRunnerStep NcProgramRunner::Read(CDtbEngine& sink) {
    NcRunnerStep step;
    step.Line = line_;
    step.Depth = Depth();
    if (end_ != NcRunnerEnd::Running) {
        step.End = end_;
        return step;
    }
    if (blocks_ >= limits_.MaxBlocks) {
        end_ = step.End = NcRunnerEnd::BlockLimit;
        return step;
    }
    if (static_cast<std::int64_t>(sink.GetLinkedCount()) >= limits_.MaxElements) {
        end_ = step.End = NcRunnerEnd::BlockLimit;
        return step;
    }
    int next = line_ + 1;
    int lineNo = 0;
    int nextLineNo = 0;
    int repeat = 1;
    step.Status = reader_.ReadBlock(&sink, line_, &next, &lineNo, &nextLineNo,
                                    step.SheetMove.data(), &repeat);
    ++blocks_;
    lastLine_ = line_;
    lastLineNo_ = lineNo;
    step.LineNo = lineNo;
    step.ReadNextLine = next;
    step.ReadNextLineNo = nextLineNo;
    step.Repeat = repeat;
    switch (step.Status) {
        case kNcEndOfProgram:
            end_ = NcRunnerEnd::EndOfProgram;
            break;
        case kNcProgramEnd:
            end_ = NcRunnerEnd::ProgramEnd;
            break;
        case kNcCountLimit:
            end_ = NcRunnerEnd::CountLimit;
            break;
        default:
            break;
    }
    step.NextLine = line_;
    step.NextLineNo = lineNo;
    step.End = end_;
    return step;
}

void NcProgramRunner::Advance(NcRunnerStep& step, NcRunnerCalls calls) {
    const bool repeats = calls == NcRunnerCalls::Repeat;
    switch (step.Status) {
        case kNcEndOfProgram:
        case kNcProgramEnd:
        case kNcCountLimit:
            break;
        case kNcBlockJump:
            if (Depth() < limits_.MaxCallDepth) {
                stack_.push_back({step.Line + 1, repeats ? step.Repeat : 1, step.ReadNextLine});
                line_ = step.ReadNextLine;
            } else {
                line_ = step.Line + 1;
            }
            break;
        case kNcReturn:
            if (stack_.empty()) {
                line_ = step.ReadNextLine;
            } else if (repeats && stack_.back().Count > 1) {
                --stack_.back().Count;
                line_ = stack_.back().Target;
            } else {
                line_ = stack_.back().ReturnLine;
                stack_.pop_back();
            }
            break;
        default:  // 0, -2, -7, -8: the next line
            line_ = step.ReadNextLine;
            break;
    }
    // Elements drawn inside a sub-program carry the main program's sequence number.
    if (stack_.empty()) {
        reader_.PartNo = 0;
        rememberedSeqNo_ = reader_.State.SeqNo;
    } else {
        reader_.PartNo = rememberedSeqNo_;
    }
    step.NextLine = line_;
    const int count = static_cast<int>(reader_.LineMap.size());
    step.NextLineNo =
        line_ >= 0 && line_ < count ? reader_.LineMap[static_cast<size_t>(line_)] : count - 1;
    step.Depth = Depth();
    step.End = end_;
}

NcRunnerSummary NcProgramRunner::Run(CDtbEngine& sink) {
    const int lines = static_cast<int>(reader_.LineMap.size());
    while (end_ == NcRunnerEnd::Running) {
        (void)Step(sink);
        if (progress_ && blocks_ % kProgressBlocks == 0) progress_(line_, lines);
    }
    NcRunnerSummary summary;
    summary.Blocks = blocks_;
    summary.End = end_;
    summary.LastLine = lastLine_;
    summary.LastLineNo = lastLineNo_;
    return summary;
}
