// The whole-program run with its call stack.
#include "app/core/NcProgramRun.h"

#include <vector>

#include "kernel/db/CDtbEngine.h"

NcRunResult RunNcProgram(NcBlockSource& source, CDtbEngine& elements, const NcRunLimits& limits) {
    const int lineCount = source.LineCount();
    struct Call {
        int returnLine;
        int repeat;
        int target;
    };
    std::vector<Call> stack;
    NcRunResult result;
    int remembered = 1;
    int line = 0;
    while (line >= 0 && line < lineCount) {
        if (result.blocks >= limits.maxBlocks) {
            result.blockLimitReached = true;
            break;
        }
        CDtbEngine block;
        int next = line + 1;
        int repeat = 1;
        int status = source.ReadBlock(block, line, next, repeat);
        ++result.blocks;
        if (!block.IsEmpty()) elements.AppendDtb(&block);

        bool stop = false;
        switch (status) {
            case kBlockEnd:
            case kBlockProgramEnd:
            case -3:
            case -4:
                stop = true;
                break;
            case kBlockJump:
                if (int(stack.size()) >= limits.maxCallDepth) {
                    next = line + 1;
                } else {
                    stack.push_back({line + 1, repeat, next});
                }
                break;
            case kBlockReturn:
                if (!stack.empty()) {
                    Call& top = stack.back();
                    // Counts of 1 or less run once (compared unsigned, 0 or -1 ran for ever).
                    if (top.repeat > 1) {
                        --top.repeat;
                        next = top.target;
                    } else {
                        next = top.returnLine;
                        stack.pop_back();
                    }
                }
                break;
            default:
                break;
        }
        if (stack.empty()) {
            source.SetPartNumber(0);
            remembered = source.ProgramNumber();
        } else {
            source.SetPartNumber(remembered);
        }
        if (stop) break;
        line = next;
    }
    return result;
}
