// Flattening of element chains into runs over one vertex array, projected or as they stand.
#include "views/model/ProjectedLayer.h"

#include <cstring>
#include <unordered_map>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/DtbBox.h"
#include "kernel/geom/CVectoMatrix.h"
#include "views/model/ElemViewSettings.h"

namespace {

constexpr int kClassRapidOnly = 1;

// Kinds other than 1 and 2 draw nothing but still end a polyline.
uint8_t MarkKind(int32_t m) {
    return m == 1 || m == 2 ? static_cast<uint8_t>(m) : m ? 3 : 0;
}

bool SameBits(const CxyData& a, const CxyData& b) {
    return std::memcmp(&a.x, &b.x, sizeof(double)) == 0 &&
           std::memcmp(&a.y, &b.y, sizeof(double)) == 0;
}

CxyData Projected(const ViewProjection& projection, const CxyzData& p) {
    CxyData out;
    projection.ProjectPoint(p.x, p.y, p.z, &out.x, &out.y, true);
    return out;
}

// The cosines and sines of the piece angles of arcs, per angle set: the parts of a program
// repeat their arcs, and a million arcs would cost ten million of each. The values are the
// very ones CDtbArc::GetAnglePosition computes (CosDeg and SinDeg of s + i * step), so the
// points come out bit for bit the same.
class UnitPieces {
public:
    const CxyData* For(const ArcPieces& p) {
        const Key key{Bits(p.s), Bits(p.e), p.pieces};
        auto it = cache_.find(key);
        if (it != cache_.end()) return it->second.data();
        if (cache_.size() >= kMaxEntries) cache_.clear();  // programs of unique arcs
        std::vector<CxyData>& v = cache_[key];
        v.resize(static_cast<size_t>(p.pieces) + 1);
        const double step = (p.e - p.s) / p.pieces;
        for (int i = 0; i <= p.pieces; ++i) {
            const double angle = p.s + i * step;
            v[static_cast<size_t>(i)] = CxyData(CosDeg(angle), SinDeg(angle));
        }
        return v.data();
    }

private:
    static constexpr size_t kMaxEntries = 4096;
    struct Key {
        uint64_t s, e;
        int pieces;
        bool operator==(const Key&) const = default;
    };
    struct Hash {
        size_t operator()(const Key& k) const {
            return std::hash<uint64_t>()(k.s * 31 + k.e * 1000003 +
                                         static_cast<uint64_t>(k.pieces));
        }
    };
    static uint64_t Bits(double v) {
        uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        return b;
    }
    std::unordered_map<Key, std::vector<CxyData>, Hash> cache_;
};

}  // namespace

// One walk over a chain. With a projection, lines are projected and arcs divided into
// projected pieces (ProjectElements' rules); without, the chain is taken as it stands.
class ProjectedLayerBuilder {
public:
    ProjectedLayerBuilder(ProjectedLayer& layer, const ViewProjection* projection)
        : layer_(layer), projection_(projection) {}

    // Counts what Walk will store, shared vertices included, so that the arrays are allocated
    // once and exactly (a layer of a million elements holds a hundred megabytes).
    void Count(const CDtbElement* e, bool visible) {
        for (; e != nullptr; e = e->link.next) {
            const bool shown = visible && e->noDisplay == 0;
            if (const CDtbNode* node = DtbCast<CDtbNode>(e)) {
                Count(node->firstChild, shown);
            } else if (!shown) {
                continue;
            } else if (const CDtbLine* line = DtbCast<CDtbLine>(e)) {
                ++runs_;
                CountVertices(Place(line->start), Place(line->end), 1);
            } else if (const CDtbArc* arc = DtbCast<CDtbArc>(e)) {
                ArcPieces p;
                if (!projection_) {
                    ++runs_;
                } else if (DivideArc(*arc, &p)) {
                    ++runs_;
                    CountVertices(ArcPoint(*arc, p, 0), ArcPoint(*arc, p, p.pieces), p.pieces);
                }
            }
        }
    }

    void Build(const CDtbElement* first) {
        layer_.Clear();
        Count(first, true);
        haveLast_ = false;
        layer_.runs_.reserve(runs_);
        layer_.vertices_.reserve(vertices_);
        ResetBox(&layer_.min_, &layer_.max_);
        Walk(first, 0, true);
        if (!projection_) layer_.any_ = DtbChainMinMax(first, &layer_.min_, &layer_.max_) != 0;
    }

private:
    void Walk(const CDtbElement* e, uint8_t inherited, bool visible) {
        for (; e != nullptr; e = e->link.next) {
            const bool shown = visible && e->noDisplay == 0;
            if (const CDtbNode* node = DtbCast<CDtbNode>(e)) {
                uint8_t flags = inherited | ProjectedRun::kInGroup;
                if (node->Is(kDtbOwnerTessmark, kDtbKindPunch)) flags |= ProjectedRun::kInPunch;
                if (shown) pendingBreak_ = true;
                Walk(node->firstChild, flags, shown);
                if (shown) pendingBreak_ = true;
            } else if (const CDtbLine* line = DtbCast<CDtbLine>(e)) {
                Line(*line, inherited, shown);
            } else if (const CDtbArc* arc = DtbCast<CDtbArc>(e)) {
                Arc(*arc, inherited, shown);
            }
        }
    }

    CxyData Place(const CxyzData& p) const {
        return projection_ ? Projected(*projection_, p) : CxyData(p.x, p.y);
    }

    // Point i of an arc's pieces, as ProjectElements computes it (CDtbArc::GetAnglePosition).
    CxyData ArcPoint(const CDtbArc& arc, const ArcPieces& p, int i) {
        return OnArc(arc, unit_.For(p)[i]);
    }
    CxyData OnArc(const CDtbArc& arc, const CxyData& unit) const {
        return Place(CxyzData(arc.centre.x + arc.radius * unit.x,
                              arc.centre.y + arc.radius * unit.y, arc.centre.z));
    }

    void CountVertices(const CxyData& first, const CxyData& last, int pieces) {
        vertices_ += static_cast<size_t>(pieces) + (haveLast_ && SameBits(last_, first) ? 0 : 1);
        last_ = last;
        haveLast_ = true;
    }

    void Widen(const CxyData& p) {
        if (!projection_) return;  // the unprojected box comes from the tree itself
        WidenBox(&layer_.min_, &layer_.max_, p);
        layer_.any_ = true;
    }

    // Appends v, or reuses the last vertex when it holds the very same coordinates.
    uint32_t StartVertex(const CxyData& v) {
        auto& vs = layer_.vertices_;
        if (!vs.empty() && SameBits(vs.back(), v)) return static_cast<uint32_t>(vs.size() - 1);
        vs.push_back(v);
        return static_cast<uint32_t>(vs.size() - 1);
    }

    void Emit(const CDtbElement& source, const CDtbInfo& info, uint8_t flags, uint32_t vertex,
              uint16_t pieces, int32_t startMark, int32_t endMark) {
        if (pendingBreak_) flags |= ProjectedRun::kBreakBefore;
        pendingBreak_ = false;
        ProjectedRun run;
        run.source = &source;
        run.vertex = vertex;
        run.classBits = info.classBits;
        run.colourAndFlags =
            ColourValue(ViewRgb{info.red, info.green, info.blue}) | (uint32_t{flags} << 24);
        run.pieces = pieces;
        run.startMark = MarkKind(startMark);
        run.endMark = MarkKind(endMark);
        layer_.runs_.push_back(run);
    }

    void Line(const CDtbLine& line, uint8_t flags, bool shown) {
        const CxyData a = Place(line.start), b = Place(line.end);
        Widen(a);
        Widen(b);
        if (!shown) return;
        const uint32_t v = StartVertex(a);
        layer_.vertices_.push_back(b);
        Emit(line, line.info, flags, v, 1, line.info.startMark, line.info.endMark);
    }

    void Arc(const CDtbArc& arc, uint8_t flags, bool shown) {
        if (!projection_) {
            if (!shown) return;
            const uint32_t v = static_cast<uint32_t>(layer_.vertices_.size());
            Emit(arc, arc.info, flags | ProjectedRun::kArc, v, 0, arc.info.startMark,
                 arc.info.endMark);
            return;
        }
        ArcPieces p;
        if (!DivideArc(arc, &p)) return;
        // The pieces form a group of their own ("DevideArc"), hidden with the arc.
        const CxyData* unit = unit_.For(p);
        auto point = [&](int i) { return OnArc(arc, unit[i]); };
        if (!shown) {
            for (int i = 0; i <= p.pieces; ++i) Widen(point(i));
            return;
        }
        pendingBreak_ = true;
        const CxyData first = point(0);
        Widen(first);
        const uint32_t v = StartVertex(first);
        for (int i = 1; i <= p.pieces; ++i) {
            const CxyData q = point(i);
            Widen(q);
            layer_.vertices_.push_back(q);
        }
        const bool forward = arc.direction == 0;
        Emit(arc, arc.info, flags | ProjectedRun::kInGroup, v, static_cast<uint16_t>(p.pieces),
             forward ? arc.info.startMark : arc.info.endMark,
             forward ? arc.info.endMark : arc.info.startMark);
        pendingBreak_ = true;
    }

    ProjectedLayer& layer_;
    const ViewProjection* projection_;
    bool pendingBreak_ = false;
    UnitPieces unit_;
    size_t runs_ = 0;
    size_t vertices_ = 0;
    CxyData last_;  // the last vertex counted
    bool haveLast_ = false;
};

void ProjectedLayer::Project(const ViewProjection& projection, const CDtbElement* first) {
    ProjectedLayerBuilder(*this, &projection).Build(first);
}

void ProjectedLayer::Flatten(const CDtbElement* first) {
    ProjectedLayerBuilder(*this, nullptr).Build(first);
}

void ProjectedLayer::Clear() {
    // Handing the storage back: a layer of a million elements holds a hundred megabytes.
    std::vector<ProjectedRun>().swap(runs_);
    std::vector<CxyData>().swap(vertices_);
    any_ = false;
    ResetBox(&min_, &max_);
}

int ProjectedLayer::MinMax(CxyData* min, CxyData* max) const {
    if (!any_) return 0;
    WidenBox(min, max, min_);
    WidenBox(min, max, max_);
    return 1;
}

size_t ProjectedLayer::MemoryBytes() const {
    return runs_.capacity() * sizeof(ProjectedRun) + vertices_.capacity() * sizeof(CxyData);
}

namespace {

// The line a projected element ends with, as the arrow walk finds it: a line itself, an arc's
// last piece, a group's last projected child (descending). False when there is none.
bool LastSegment(const ViewProjection& projection, const CDtbElement* e, ProjectedSegment& out) {
    if (const CDtbLine* line = DtbCast<CDtbLine>(e)) {
        const CxyData a = Projected(projection, line->start), b = Projected(projection, line->end);
        out = {a.x, a.y, b.x, b.y};
        return true;
    }
    if (const CDtbArc* arc = DtbCast<CDtbArc>(e)) {
        ArcPieces p;
        if (!DivideArc(*arc, &p)) return false;
        const double step = (p.e - p.s) / p.pieces;
        CxyzData a, b;
        arc->GetAnglePosition(p.s + (p.pieces - 1) * step, a);
        arc->GetAnglePosition(p.s + p.pieces * step, b);
        const CxyData pa = Projected(projection, a), pb = Projected(projection, b);
        out = {pa.x, pa.y, pb.x, pb.y};
        return true;
    }
    return false;
}

// The last child of a group that projection keeps (points and arcs that cannot be divided are
// left out of the projected group).
const CDtbElement* LastProjectedChild(const CDtbNode& node) {
    const CDtbElement* last = nullptr;
    for (const CDtbElement* c = node.firstChild; c != nullptr; c = c->link.next) {
        ArcPieces p;
        if (c->IsNode() || c->IsLine()) last = c;
        if (const CDtbArc* arc = DtbCast<CDtbArc>(c); arc && DivideArc(*arc, &p)) last = c;
    }
    return last;
}

void ArrowWalk(const ViewProjection& projection, const CDtbElement* e,
               std::vector<ProjectedSegment>& out, bool onlyFirst) {
    for (; e != nullptr; e = onlyFirst ? nullptr : e->link.next) {
        if (e->noDisplay) continue;
        const CDtbElement* target = e;
        if (const CDtbNode* node = DtbCast<CDtbNode>(e)) {
            if (node->Is(kDtbOwnerTessmark, kDtbKindPunch) ||
                node->Is(kDtbOwnerTessmark, kDtbKindPunch2)) {
                ArrowWalk(projection, node->firstChild, out, false);
                continue;
            }
            if (node->Is(kDtbOwnerTessmark, kDtbKindPunch1)) continue;
            // Any other group stands for its last child; a hidden last line draws no arrow,
            // while the pieces of a divided arc are never hidden themselves.
            target = LastProjectedChild(*node);
            while (const CDtbNode* inner = DtbCast<CDtbNode>(target))
                target = LastProjectedChild(*inner);
            if (target == nullptr || (target->IsLine() && target->noDisplay)) continue;
        }
        ProjectedSegment s;
        if (LastSegment(projection, target, s)) out.push_back(s);
    }
}

}  // namespace

void CollectEdgeArrows(const ViewProjection& projection, const CDtbElement* first,
                       std::vector<ProjectedSegment>& out, bool onlyFirst) {
    out.clear();
    ArrowWalk(projection, first, out, onlyFirst);
}

void CollectAcAxisLines(const ViewProjection& projection, const CDtbElement* first,
                        const AcAxisParams& ac, std::vector<ProjectedSegment>& out) {
    out.clear();
    auto add = [&](const CxyzData& point, float a, float c) {
        Vec3 v{};
        CVectoMatrix::ToolDirection(ac.headType, HeadAngles{c, a}, v);
        const CxyzData end(point.x + v[0] * ac.length, point.y + v[1] * ac.length,
                           point.z + v[2] * ac.length);
        const CxyData pa = Projected(projection, point), pb = Projected(projection, end);
        out.push_back({pa.x, pa.y, pb.x, pb.y});
    };
    for (const CDtbElement* e = first; e != nullptr; e = e->link.next) {
        if (const CDtbNode* node = DtbCast<CDtbNode>(e)) {
            if (!node->Is(kDtbOwnerTessmark, kDtbKindDevideArc)) continue;
            const CDtbElement* last = node->GetLastChild();
            if (const CDtbLine* l = DtbCast<CDtbLine>(last)) {
                add(l->end, l->headAngleA, l->headAngleC);
            } else if (const CDtbArc* a = DtbCast<CDtbArc>(last)) {
                CxyzData end;
                a->GetEndPoint(end);
                add(end, a->headAngleA, a->headAngleC);
            }
        } else if (const CDtbLine* line = DtbCast<CDtbLine>(e)) {
            if (line->info.classBits != kClassRapidOnly)
                add(line->end, line->headAngleA, line->headAngleC);
        } else if (const CDtbArc* arc = DtbCast<CDtbArc>(e)) {
            if (arc->info.classBits != kClassRapidOnly) {
                CxyzData end;
                arc->GetEndPoint(end);
                add(end, arc->headAngleA, arc->headAngleC);
            }
        }
    }
}
