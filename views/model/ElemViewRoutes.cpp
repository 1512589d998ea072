// Route layers of the process-start modes, the skip-log route and the outside start position.
#include <memory>
#include <string_view>
#include <vector>

#include "platform/Library.h"
#include "views/model/ElemViewModel.h"
#include "views/model/ElemViewPick.h"

namespace {

int LineNoOf(const CDtbElement* e) {
    return FirstNumber(*e, "LineNo=");
}

}  // namespace

void ElemViewModel::CopyRoute(ViewLayer& dst, const CDtbElement* e, ViewRgb colour) {
    if (const CDtbLine* line = DtbCast<CDtbLine>(e)) {
        auto copy = std::make_unique<CDtbLine>(*line);
        copy->info.red = colour.r;
        copy->info.green = colour.g;
        copy->info.blue = colour.b;
        if (copy->info.classBits & kDtbClassRapid) copy->noDisplay = 1;
        dst.Append(std::move(copy));
    } else if (const CDtbArc* arc = DtbCast<CDtbArc>(e)) {
        dst.Append(std::make_unique<CDtbArc>(*arc));
    } else if (const CDtbNode* node = DtbCast<CDtbNode>(e)) {
        CDtbNode* copy = dst.Append(std::make_unique<CDtbNode>(*node));
        const bool opened = dst.NodeUp(copy) != 0;
        DivideArcs(dst, node->firstChild);
        if (opened) dst.NodeDown();
    }
}

int ElemViewModel::BuildRouteLayers(int mode, int prtNo, int lineNo, int* seq) {
    ViewLayer& selected = layers_[LayerSelectedRoute];
    ViewLayer& incomplete = layers_[LayerIncompleteRoute];
    selected.Empty();
    incomplete.Empty();
    if (prtNo < 0 || lineNo < 0) return -1;
    int startLine = -1, endLine = -1, blockSeq = -1;
    if (!ctx_ || !ctx_->FindBlockRange ||
        !ctx_->FindBlockRange(mode, lineNo, &startLine, &endLine, &blockSeq) || blockSeq < 0)
        return -1;
    if (seq) *seq = blockSeq;

    // The top-level chain of LayerMain as an array, to walk it both ways.
    std::vector<const CDtbElement*> list;
    const ViewLayer& main = static_cast<const ElemViewModel&>(*this).Layer(LayerMain);
    for (const CDtbElement* e = main.GetFirstElement(); e; e = e->link.next) list.push_back(e);
    size_t found = list.size();
    for (size_t i = 0; i < list.size(); ++i) {
        if (LineNoOf(list[i]) == lineNo && FirstNumber(*list[i], "PrtNo=") == prtNo) {
            found = i;
            break;
        }
    }
    if (found == list.size()) return -2;

    // Back to the first element of the block: the earliest of the visible elements before the
    // picked one whose lines run up to it from the block's start line. (Stopping at the first
    // element at or below the start line took the last element of the previous block when the start
    // line made no element, and dropped all but the last element of a start line that made
    // several.)
    size_t first = found;
    for (size_t i = found; i-- > 0;) {
        if (list[i]->noDisplay) continue;
        const int n = LineNoOf(list[i]);
        if (n < startLine || n > LineNoOf(list[first])) break;
        first = i;
    }

    // Forward through the block; line numbers running backwards (a return from a
    // sub-program) or past the block's last line end it.
    const ViewRgb selectColour = settings_.Colour(kSelectRouteColor);
    size_t stop = list.size();
    int previous = -1;
    bool copied = false;
    for (size_t i = first; i < list.size(); ++i) {
        const CDtbElement* e = list[i];
        if (e->noDisplay) continue;
        const int n = LineNoOf(e);
        if (n < 0) continue;
        if (n > endLine || (copied && n < previous)) {
            stop = i;
            break;
        }
        CopyRoute(selected, e, selectColour);
        previous = n;
        copied = true;
    }
    if (!copied) return -2;

    // Everything after the block; nothing when the block runs to the end of the list.
    const ViewRgb incompleteColour = settings_.Colour(kIncmpProcRouteColor);
    for (size_t i = stop; i < list.size(); ++i) CopyRoute(incomplete, list[i], incompleteColour);
    return 0;
}

int ElemViewModel::SetSkipLogRoute(const CDtbEngine& route) {
    ViewLayer& layer = layers_[LayerSkipLogRoute];
    layer.Empty();
    const int count = ProjectInto(LayerSkipLogRoute, route.GetFirstElement(), false);
    if (count == 0) return 0;
    PaintLayer(LayerSkipLogRoute, kSkipLogRouteColor, 0, settings_[kSkipLogRoutePenWide],
               kDtbClassAll);
    return count;
}

int ElemViewModel::CallSetProcStartPos(int prtNo, int seq) {
    if (!ctx_ || ctx_->EditMode == 1 || !ctx_->DerOre || !ctx_->DerOre->IsOpen()) return 0;
    using SetProcStartPosFn = int (*)(int, int);
    auto fn = ctx_->DerOre->Function<SetProcStartPosFn>("SetProcStartPos");
    if (!fn) return 0;
    return fn(prtNo, seq) == 0 ? 1 : 0;
}
