// Element database: building, deep copy, insertion, deletion and searches.
#include "kernel/db/CDtbEngine.h"

#include <utility>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbPoint.h"
#include "platform/UserPrompt.h"

namespace {
platform::UserPrompt* g_defaultPrompt = nullptr;
constexpr const char* kLevelUpError = "DTB LEVEL UP ERROR";
constexpr const char* kLevelDownError = "DTB LEVEL DOWN ERROR";
}  // namespace

void CDtbEngine::SetDefaultPrompt(platform::UserPrompt* prompt) {
    g_defaultPrompt = prompt;
}

void CDtbEngine::Report(const char* text) const {
    platform::UserPrompt* p = prompt_ != nullptr ? prompt_ : g_defaultPrompt;
    if (p != nullptr) p->Message(text, platform::PromptIcon::Error, platform::PromptButtons::Ok);
}

CDtbEngine::CDtbEngine(CDtbEngine&& other) noexcept : prompt_(other.prompt_) {
    *this = std::move(other);
}

CDtbEngine& CDtbEngine::operator=(CDtbEngine&& other) noexcept {
    if (this == &other) return *this;
    Empty();
    head_ = other.head_;
    tail_ = other.tail_;
    level_ = other.level_;
    for (int i = 0; i < kLevelCount; ++i) {
        nodeStack_[i] = other.nodeStack_[i];
        levelHasElement_[i] = other.levelHasElement_[i];
    }
    const size_t linked = other.linked_;
    other.Init();
    linked_ = linked;
    return *this;
}

int CDtbEngine::Init() {
    head_ = nullptr;
    tail_ = nullptr;
    level_ = 0;
    for (int i = 0; i < kLevelCount; ++i) {
        nodeStack_[i] = nullptr;
        levelHasElement_[i] = 0;
    }
    levelHasElement_[0] = 1;
    linked_ = 0;
    return 0;
}

// --- Building -------------------------------------------------------------------------------

CDtbElement* CDtbEngine::SettleTail() {
    if (tail_ == nullptr) {
        // An empty level, or one whose elements all came by insertion.
        CDtbNode* parent = nodeStack_[level_];
        CDtbElement* first = parent != nullptr ? parent->firstChild : head_;
        if (first == nullptr) return nullptr;
        tail_ = first;
    }
    while (tail_->link.next != nullptr) tail_ = tail_->link.next;
    return tail_;
}

int CDtbEngine::AppendDtb(CDtbElement* elem) {
    if (elem == nullptr) return 0;
    CDtbNode* parent = nodeStack_[level_];
    CDtbElement* last = SettleTail();
    if (last != nullptr) {
        last->link.next = elem;
    } else if (parent != nullptr) {
        parent->firstChild = elem;
    } else {
        head_ = elem;
    }
    elem->link.parent = parent;
    elem->link.prev = last;
    elem->link.next = nullptr;
    tail_ = elem;
    levelHasElement_[level_] = 1;
    ++linked_;
    return 1;
}

bool CDtbEngine::OpenLevel(CDtbNode* node) {
    if (node == nullptr || level_ >= kMaxLevel) return false;
    ++level_;
    nodeStack_[level_] = node;
    tail_ = nullptr;
    levelHasElement_[level_] = node->firstChild != nullptr ? 1 : 0;
    return true;
}

int CDtbEngine::NodeUp(CDtbNode* node) {
    if (node == nullptr) return 0;
    if (!OpenLevel(node)) {
        Report(kLevelUpError);
        return 0;
    }
    return 1;
}

int CDtbEngine::NodeDown() {
    if (level_ == 0) {
        Report(kLevelDownError);
        return 0;
    }
    tail_ = nodeStack_[level_];
    nodeStack_[level_] = nullptr;
    levelHasElement_[level_] = 0;
    --level_;
    return 1;
}

int CDtbEngine::AppendDtb(const CDtbEngine* other) {
    if (other == nullptr) return 0;
    return AppendDtb1(other->head_, 0);
}

int CDtbEngine::AppendDtb1(const CDtbElement* chain, int onlyOne) {
    bool depthFailed = false;
    CopyChain(chain, onlyOne != 0, depthFailed);
    if (depthFailed) {
        Report(kLevelUpError);
        return 0;
    }
    return 1;
}

void CDtbEngine::CopyChain(const CDtbElement* chain, bool onlyOne, bool& depthFailed) {
    // When the source chain is the chain being appended to (a database copied into itself), the
    // walk would run into its own copies for ever: stop behind the element that was last before
    // the copying began.
    const CDtbElement* stopAfter = SettleTail();
    for (const CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        switch (e->GetType()) {
            case kDtbTypeNode: {
                const auto* node = static_cast<const CDtbNode*>(e);
                auto* copy = new CDtbNode(*node);
                AppendDtb(copy);
                if (OpenLevel(copy)) {
                    CopyChain(node->firstChild, false, depthFailed);
                    NodeDown();
                } else {
                    // Too deep: the content follows the (empty) group in the current chain.
                    depthFailed = true;
                    CopyChain(node->firstChild, false, depthFailed);
                }
                break;
            }
            case kDtbTypeLine:
                AppendDtb(new CDtbLine(*static_cast<const CDtbLine*>(e)));
                break;
            case kDtbTypeArc:
                AppendDtb(new CDtbArc(*static_cast<const CDtbArc*>(e)));
                break;
            case kDtbTypePoint:
                AppendDtb(new CDtbPoint(*static_cast<const CDtbPoint*>(e)));
                break;
            default:
                break;  // other objects are not copied
        }
        if (onlyOne || e == stopAfter) break;
    }
}

int CDtbEngine::InsertDtb(CDtbElement* elem, CDtbElement* at, int asChild) {
    if (elem == nullptr || at == nullptr) return 0;
    if (asChild == 1 && at->IsNode()) {
        auto* group = static_cast<CDtbNode*>(at);
        elem->link.parent = group;
        elem->link.prev = nullptr;
        elem->link.next = group->firstChild;
        if (group->firstChild != nullptr) group->firstChild->link.prev = elem;
        group->firstChild = elem;
        for (int k = 1; k <= level_; ++k)
            if (nodeStack_[k] == group) levelHasElement_[k] = 1;
    } else {
        elem->link.parent = at->link.parent;
        elem->link.prev = at;
        elem->link.next = at->link.next;
        if (at->link.next != nullptr) at->link.next->link.prev = elem;
        at->link.next = elem;
        // Behind the append position: the next append must follow it, not overwrite it.
        if (at == tail_) tail_ = elem;
    }
    ++linked_;
    return 0;
}

int CDtbEngine::InsertDtbArray(std::span<CDtbElement* const> elems, CDtbElement* at, int asChild) {
    if (elems.empty() || at == nullptr) return 0;
    CDtbElement* place = at;
    int child = asChild;
    for (CDtbElement* e : elems) {
        if (e == nullptr) continue;
        InsertDtb(e, place, child);
        place = e;
        child = 0;
    }
    return 0;
}

// --- Removing -------------------------------------------------------------------------------

void CDtbEngine::Empty() {
    Empty(head_);
    Init();
}

void CDtbEngine::Empty(CDtbElement* chain) {
    CDtbElement* e = chain;
    while (e != nullptr) {
        CDtbElement* next = e->link.next;
        if (e->IsNode()) {
            auto* node = static_cast<CDtbNode*>(e);
            Empty(node->firstChild);
            node->firstChild = nullptr;
        }
        delete e;
        e = next;
    }
}

int CDtbEngine::DeleteDtb(CDtbElement* from, CDtbElement* to, int del) {
    if (from == nullptr) return 0;
    CDtbElement* before = from->link.prev;
    CDtbNode* group = before == nullptr ? from->link.parent : nullptr;
    const bool atHead = before == nullptr && group == nullptr && from == head_;

    bool tailRemoved = false;
    int closeFrom = kLevelCount;  // lowest level whose open group is in the run
    CDtbElement* last = nullptr;
    CDtbElement* e = from;
    while (e != nullptr) {
        CDtbElement* next = e->link.next;
        const bool stop = e == to;
        if (e == tail_) tailRemoved = true;
        if (e->IsNode()) {
            auto* node = static_cast<CDtbNode*>(e);
            for (int k = 1; k <= level_; ++k)
                if (nodeStack_[k] == node && k < closeFrom) closeFrom = k;
            Empty(node->firstChild);
            node->firstChild = nullptr;  // never leave a group pointing at deleted children
        }
        if (del == 1) {
            delete e;
        } else {
            e->link.parent = nullptr;
            last = e;
        }
        e = next;
        if (stop) break;
    }
    CDtbElement* after = e;
    if (del != 1) {
        // The run goes back to the caller as a chain of its own.
        from->link.prev = nullptr;
        last->link.next = nullptr;
    }

    if (before != nullptr) {
        before->link.next = after;
        if (after != nullptr) after->link.prev = before;
    } else if (group != nullptr) {
        group->firstChild = after;
        if (after != nullptr) after->link.prev = nullptr;
    } else if (atHead) {
        head_ = after;
        if (after != nullptr) after->link.prev = nullptr;
    }

    // Keep the append position valid: a removed open group closes its levels, and a removed
    // append position moves back to the element before the run (or is looked up afresh).
    if (closeFrom < kLevelCount) {
        for (int k = closeFrom; k < kLevelCount; ++k) {
            nodeStack_[k] = nullptr;
            levelHasElement_[k] = 0;
        }
        level_ = closeFrom - 1;
        tail_ = before;
    } else if (tailRemoved) {
        tail_ = before;
    }
    if (tail_ == nullptr && level_ > 0)
        levelHasElement_[level_] = nodeStack_[level_]->firstChild != nullptr ? 1 : 0;
    return 0;
}

int CDtbEngine::DeleteDtb(int red, int green, int blue, int width, int kind, int classBits) {
    return FilterDelete(head_, DtbFilter{red, green, blue, width, kind, classBits});
}

int CDtbEngine::DeleteDtb(CDtbElement* chain, int red, int green, int blue, int width, int kind,
                          int classBits) {
    return FilterDelete(chain, DtbFilter{red, green, blue, width, kind, classBits});
}

int CDtbEngine::FilterDelete(CDtbElement* chain, const DtbFilter& filter) {
    int count = 0;
    CDtbElement* e = chain;
    while (e != nullptr) {
        CDtbElement* next = e->link.next;
        if (e->IsNode()) {
            count += FilterDelete(static_cast<CDtbNode*>(e)->firstChild, filter);
        } else if (const CDtbInfo* info = DtbInfoOf(e); info != nullptr && filter.Passes(*info)) {
            DeleteDtb(e, e, 1);
            ++count;
        }
        e = next;
    }
    return count;
}

// --- Finding --------------------------------------------------------------------------------

CDtbElement* CDtbEngine::FindFirstElement1(CDtbElement* chain, int mode) {
    for (CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        switch (e->GetType()) {
            case kDtbTypeLine:
            case kDtbTypeArc:
                return e;
            case kDtbTypePoint:
                if (mode >= 1) return e;
                break;
            case kDtbTypeNode:
                if (mode == 2) return e;
                if (CDtbElement* found =
                        FindFirstElement1(static_cast<CDtbNode*>(e)->firstChild, mode))
                    return found;
                break;
            default:
                break;
        }
    }
    return nullptr;
}

CDtbElement* CDtbEngine::FindLastElement(CDtbElement* chain) {
    if (chain == nullptr) return nullptr;
    while (chain->link.next != nullptr) chain = chain->link.next;
    return chain;
}

namespace {

template <class Point>
int FirstPathPoint(CDtbElement* first, Point* out) {
    if (first == nullptr || out == nullptr) return 0;
    if (const CDtbLine* line = DtbCast<CDtbLine>(first)) {
        if constexpr (std::is_same_v<Point, CxyzData>) {
            *out = line->start;
        } else {
            out->AssignXY(line->start);
        }
        return 1;
    }
    if (const CDtbArc* arc = DtbCast<CDtbArc>(first)) {
        arc->GetStartPoint(*out);
        return 1;
    }
    return 0;
}

size_t CountChain(const CDtbElement* chain) {
    size_t n = 0;
    for (const CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        ++n;
        if (e->IsNode()) n += CountChain(static_cast<const CDtbNode*>(e)->firstChild);
    }
    return n;
}

}  // namespace

int CDtbEngine::GetFirstPoint(CxyData* out, CDtbElement* chain) const {
    return FirstPathPoint(FindFirstElement1(chain != nullptr ? chain : head_, 0), out);
}

int CDtbEngine::GetFirstPoint(CxyzData* out, CDtbElement* chain) const {
    return FirstPathPoint(FindFirstElement1(chain != nullptr ? chain : head_, 0), out);
}

size_t CDtbEngine::GetCount() const {
    return CountChain(head_);
}
