// Pattern memory (U, V and W lines), the G75/G76 repetition over a multi-part grid, the G98
// multi-part block and the copies of each block over the grid.
#include "kernel/db/DtbWalk.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcBlockInterpreter.h"
#include "platform/Numbers.h"

namespace {

// The number of a pattern line, read from its second character (as atoi).
int PatternNumber(const std::string& line) {
    if (line.size() < 2) return 0;
    const long long n = platform::ParseLeadingInt(std::string_view(line).substr(1));
    return n > 2147483647LL || n < -2147483647LL ? 0 : static_cast<int>(n);
}

// Rewrites the "ElmInfo=" texts of every element of the chain, groups recursively.
void OffsetChainTexts(CDtbElement* chain, const CxyzData& offset) {
    for (CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        OffsetAllElmInfo(*e, offset);
        if (auto* node = DtbCast<CDtbNode>(e)) OffsetChainTexts(node->firstChild, offset);
    }
}

}  // namespace

NcHookFlow NcBlockInterpreter::PatternLines() {
    const std::string& text = r_.LineBuffer;
    const char first = text.empty() ? '\0' : text[0];
    const bool gridSet = st_.PartCountX != 0 || st_.PartCountY != 0;
    auto end = [&](int status) {
        status_ = status;
        patternLine_ = true;
        return kFlowEndBlock;
    };
    // Passes a definition over: reading goes on after its 'V' line.
    auto passOver = [&](int n) {
        const int v = r_.FindAddressLine('V', n, line_, 1);
        if (v < 0) return end(kNcEndOfProgram);
        SetNextLine(v + 1);
        return end(kNcBlockDone);
    };

    if (first == 'U') {
        const int n = PatternNumber(text);
        if (gridSet || st_.ModalGroups[15] == 98) return passOver(n);
        if (st_.RecallDepth != 0) {
            int& top = st_.RecallStack[static_cast<size_t>(st_.RecallDepth - 1)];
            top = -top;
            return end(kNcBlockDone);
        }
        if (n >= 60 && n <= 89) return passOver(n);
        return end(kNcBlockDone);
    }
    if (first == 'V') {
        const int n = PatternNumber(text);
        if (gridSet) {
            if (Settings().In_AbsInc == 1) st_.Incremental = st_.IncrementalSaved;
            return end(kNcReturn);
        }
        if (st_.RecallDepth != 0) {
            for (int i = 0; i < st_.RecallDepth; ++i) {
                if (st_.RecallStack[static_cast<size_t>(i)] == n) {
                    --st_.RecallDepth;
                    return end(kNcReturn);
                }
            }
            int& top = st_.RecallStack[static_cast<size_t>(st_.RecallDepth - 1)];
            top = -top;
        }
        return end(kNcBlockDone);
    }
    if (first == 'W' && w_.W != -1) {
        int u = r_.FindAddressLine('U', w_.W, line_, -1);
        if (u < 0) u = r_.FindAddressLine('U', w_.W, line_, 1);
        if (u >= 0) {
            SetNextLine(u + 1);
            if (st_.RecallDepth < static_cast<int>(st_.RecallStack.size())) {
                st_.RecallStack[static_cast<size_t>(st_.RecallDepth++)] = w_.W;
            }
            return end(kNcBlockJump);
        }
    }
    // The direct lines of a recalled pattern numbered 90 or more are passed over.
    if (st_.RecallDepth != 0 && st_.RecallStack[static_cast<size_t>(st_.RecallDepth - 1)] >= 90) {
        return end(kNcBlockDone);
    }
    const int g14 = r_.BlockGroups[14];
    if ((g14 == 75 || g14 == 76) && w_.W != -1 && w_.QMode >= 1 && w_.QMode <= 4) {
        int u = r_.FindAddressLine('U', w_.W, line_, -1);
        if (u < 0) u = r_.FindAddressLine('U', w_.W, line_, 1);
        if (u >= 0) {
            SetNextLine(u + 1);
            st_.RepeatMode = g14 == 75 ? w_.QMode - 1 : w_.QMode + 3;
            st_.RepeatFirstLine = line_;
            if (Settings().In_AbsInc == 1) {
                st_.IncrementalSaved = st_.Incremental;
                st_.Incremental = 1;
            }
            return end(kNcBlockJump);
        }
    }
    return kFlowContinue;
}

NcHookFlow NcBlockInterpreter::MultiPartBlock() {
    // An absent word keeps the current position. The current position already holds the work
    // origin and the local shift, so they are taken off before it becomes the part origin
    // (adding them twice would lower z by the work origin at every multi-part block).
    CxyzData here(st_.CurrentPos.x - st_.G92Base.x - st_.LocalShift.x,
                  st_.CurrentPos.y - st_.G92Base.y - st_.LocalShift.y,
                  st_.CurrentPos.z - st_.G92Base.z);
    CxyzData origin;
    if (st_.Incremental != 1) {
        origin.x = IsGiven(w_.X) ? w_.X : here.x;
        origin.y = IsGiven(w_.Y) ? w_.Y : here.y;
        origin.z = IsGiven(w_.Z) ? w_.Z : here.z;
    } else {
        origin.x = here.x + (IsGiven(w_.X) ? w_.X : 0.0);
        origin.y = here.y + (IsGiven(w_.Y) ? w_.Y : 0.0);
        origin.z = here.z + (IsGiven(w_.Z) ? w_.Z : 0.0);
    }
    // Counts of 0 or less make no copies; a grid beyond the bound stops the program.
    const int nx = w_.PCount > 0 ? w_.PCount : 0;
    const int ny = w_.KCount > 0 ? w_.KCount : 0;
    if ((static_cast<long long>(nx) + 1) * (static_cast<long long>(ny) + 1) > kNcMaxGridCells) {
        status_ = kNcCountLimit;
        return kFlowEndBlock;
    }
    st_.PartOrigin = origin;
    st_.PartPitchX = IsGiven(w_.I) ? w_.I : 0.0;
    st_.PartPitchY = IsGiven(w_.J) ? w_.J : 0.0;
    st_.PartCountX = nx;
    st_.PartCountY = ny;
    st_.CurrentPos.x = st_.G92Base.x + st_.LocalShift.x + st_.PartOrigin.x;
    st_.CurrentPos.y = st_.G92Base.y + st_.LocalShift.y + st_.PartOrigin.y;
    st_.CurrentPos.z = st_.G92Base.z + st_.PartOrigin.z;
    return kFlowEndBlock;
}

void NcBlockInterpreter::AppendGridCopies(CDtbEngine* sink) {
    if (sink == nullptr || db_->IsEmpty()) return;
    const int nx = st_.PartCountX > 0 ? st_.PartCountX : 0;
    const int ny = st_.PartCountY > 0 ? st_.PartCountY : 0;
    const double px = st_.PartPitchX;
    const double py = st_.PartPitchY;
    const int mode = st_.RepeatMode >= 0 && st_.RepeatMode <= 7 ? st_.RepeatMode : 0;
    const bool xFirst = mode < 4;
    const int corner = mode % 4;  // 0 lower left, 1 lower right, 2 upper left, 3 upper right
    const double firstX = corner == 1 || corner == 3 ? nx * px : 0.0;
    const double firstY = corner == 2 || corner == 3 ? ny * py : 0.0;
    const double stepX = corner == 1 || corner == 3 ? -px : px;
    const double stepY = corner == 2 || corner == 3 ? -py : py;
    const int outerCount = xFirst ? ny : nx;
    const int innerCount = xFirst ? nx : ny;

    uint32_t codes[8] = {static_cast<uint32_t>(line_),
                         0,
                         0,
                         static_cast<uint32_t>(nx),
                         static_cast<uint32_t>(ny),
                         0,
                         static_cast<uint32_t>(mode),
                         static_cast<uint32_t>(st_.RepeatFirstLine)};
    const double values[4] = {px, py, 0.0, 0.0};

    for (int o = 0; o <= outerCount; ++o) {
        for (int i = 0; i <= innerCount; ++i) {
            const int walked = o % 2 == 0 ? i : innerCount - i;
            CxyzData offset(firstX, firstY, 0.0);
            if (xFirst) {
                offset.x += stepX * walked;
                offset.y += stepY * o;
            } else {
                offset.y += stepY * walked;
                offset.x += stepX * o;
            }
            CDtbEngine copy;
            copy.AppendDtb(db_);
            CDtbElement* chain = copy.GetFirstElement();
            CDtbEngine::Offset(chain, offset);
            // Every element's texts follow the copy, not only the first element's: a punch
            // hit's node behind its rapid would otherwise show the programmed part's position.
            OffsetChainTexts(chain, offset);
            const bool origin = offset.x == 0.0 && offset.y == 0.0;
            if (!origin) {
                CDtbEngine::NoDispFlagDtb(chain, kDtbAny, kDtbAny, kDtbAny, kDtbAny, kDtbAny,
                                          kDtbClassRapid);
            }
            codes[1] = static_cast<uint32_t>(xFirst ? i : o);
            codes[2] = static_cast<uint32_t>(xFirst ? o : i);
            codes[5] = origin ? 0u : 1u;
            CDtbEngine::OptionFlagDtb(chain, codes, values, kDtbAny, kDtbAny, kDtbAny, kDtbAny,
                                      kDtbAny, kDtbAny);
            MoveElementsInto(copy, *sink);
        }
    }
}
