// CDtbEngine: the element database, a tree of elements of at most 16 levels that owns them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "kernel/base/CxyData.h"
#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbElement.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/DtbWalk.h"

namespace platform {
class UserPrompt;
}

// The element database. The top-level chain starts at GetFirstElement() and runs through
// link.next; a group's chain starts at its firstChild. Every linked element lives on the heap
// and belongs to the database: emptying or destroying it deletes them all, each group's chain
// before the group.
//
// Building: AppendDtb links an element at the end of the current level; a group is built by
// appending the node, opening it with NodeUp, appending its content and closing it with
// NodeDown, after which the next element follows the group in the outer chain. Levels run from
// 0 (top) to 15.
//
// The append position always stays valid: deleting the element at it (or an open group) moves
// it back to the last remaining element of that chain (closing the deleted group's levels), and
// elements inserted behind it are appended after, never overwritten.
//
// Results follow the kernel's int codes as documented per operation. Nothing throws except
// std::bad_alloc. Not thread-safe; one database belongs to one thread.
class CDtbEngine {
public:
    static constexpr int kLevelCount = 16;
    static constexpr int kMaxLevel = kLevelCount - 1;

    CDtbEngine() { Init(); }
    ~CDtbEngine() { Empty(); }
    CDtbEngine(const CDtbEngine&) = delete;
    CDtbEngine& operator=(const CDtbEngine&) = delete;
    // Moving hands every element over; the source is left empty.
    CDtbEngine(CDtbEngine&& other) noexcept;
    CDtbEngine& operator=(CDtbEngine&& other) noexcept;

    // Where the depth messages ("DTB LEVEL UP ERROR", "DTB LEVEL DOWN ERROR") go: this
    // database's prompt, else the process-wide default, else nowhere.
    void SetPrompt(platform::UserPrompt* prompt) { prompt_ = prompt; }
    static void SetDefaultPrompt(platform::UserPrompt* prompt);

    // --- Building ---------------------------------------------------------------------------

    // Forgets every element without deleting it and returns to the top level; 0. Only for a
    // database whose elements were handed elsewhere: Empty() is the normal way back.
    int Init();
    // Links elem (a heap element, not linked anywhere) at the end of the current level and
    // takes ownership; 1. A null elem does nothing: 0.
    int AppendDtb(CDtbElement* elem);
    // The same for an owned element; returns the element (now owned by the database).
    template <class T>
    T* Append(std::unique_ptr<T> elem) {
        T* raw = elem.release();
        AppendDtb(raw);
        return raw;
    }
    // Opens node (the group just appended) as the new current level; 1. At level 15 the
    // message "DTB LEVEL UP ERROR" is shown and nothing changes: 0. A null node: 0.
    int NodeUp(CDtbNode* node);
    // Closes the current group; the append position becomes the group node; 1. At the top
    // level the message "DTB LEVEL DOWN ERROR" is shown: 0.
    int NodeDown();
    // Appends a deep copy of all of other (which may be this database); 1, or 0 when a group
    // would have nested deeper than 16 levels (see AppendDtb1).
    int AppendDtb(const CDtbEngine* other);
    // Appends deep copies of the chain's elements from chain to its end (only chain itself when
    // onlyOne is non-zero) at the current level; groups are copied with their content, elements
    // of other classes skipped. The copies take everything the copy constructors take,
    // attribute texts included. The chain may belong to this database.
    // 1 when done. When a copied group would nest deeper than 16 levels its content follows it
    // in the current chain instead, the builder's level is left as it was, the message
    // "DTB LEVEL UP ERROR" is shown once, and the result is 0; both trees stay consistent.
    int AppendDtb1(const CDtbElement* chain, int onlyOne);
    // Links elem (a heap element, then owned by the database) as the first child of at (when at
    // is a group and asChild is 1) or right after at in at's chain. Returns 0; a null elem or at
    // does nothing (the caller keeps elem).
    int InsertDtb(CDtbElement* elem, CDtbElement* at, int asChild);
    // The same for several elements, in order: the first where InsertDtb would put it, each
    // further one right after its predecessor. 0.
    int InsertDtbArray(std::span<CDtbElement* const> elems, CDtbElement* at, int asChild);

    // --- Removing ---------------------------------------------------------------------------

    // Deletes every element and returns to the initial state.
    void Empty();
    // Deletes chain and every element after it in its chain, each group's chain before the
    // group. Links around the deleted elements are NOT repaired: for elements linked into a
    // database use DeleteDtb.
    static void Empty(CDtbElement* chain);
    // Unlinks the run from..to of one chain (to the end of the chain when to is null or not in
    // it) and relinks its neighbours (the element before it, its group or the database head).
    // The chains of groups in the run are deleted. With del 1 the run's elements are deleted;
    // otherwise they come back to the caller, who then owns them, as a chain of their own (first
    // prev and last next null, parents null, groups empty). 0.
    int DeleteDtb(CDtbElement* from, CDtbElement* to, int del);
    // Deletes the lines, arcs and points of the whole tree (of the chain from chain on, groups
    // recursively) that pass the attribute filter (kDtbAny for any value). Returns the count
    // deleted.
    int DeleteDtb(int red, int green, int blue, int width, int kind, int classBits);
    int DeleteDtb(CDtbElement* chain, int red, int green, int blue, int width, int kind,
                  int classBits);

    // --- Finding ----------------------------------------------------------------------------

    CDtbElement* GetFirstElement() const { return head_; }
    bool IsEmpty() const { return head_ == nullptr; }
    // Depth first from the top: the first line or arc (mode 0); line, arc or point (mode 1);
    // line, arc, point or group (mode 2, the group itself returned). Null when there is none.
    CDtbElement* FindFirstElement(int mode) const { return FindFirstElement1(head_, mode); }
    static CDtbElement* FindFirstElement1(CDtbElement* chain, int mode);
    // The last element of the chain; null for a null chain.
    static CDtbElement* FindLastElement(CDtbElement* chain);
    // The path start of the first line or arc from chain (from the top when chain is null):
    // 1, or 0 with out untouched when there is none.
    int GetFirstPoint(CxyData* out, CDtbElement* chain = nullptr) const;
    int GetFirstPoint(CxyzData* out, CDtbElement* chain = nullptr) const;
    // Count of elements of the tree, groups included (a walk of the tree).
    size_t GetCount() const;
    // Elements linked in by AppendDtb, InsertDtb and InsertDtbArray since the database was
    // made or last emptied (a running count: what a builder has added, without a walk).
    size_t GetLinkedCount() const { return linked_; }

    // Builder state.
    int GetLevel() const { return level_; }
    CDtbNode* GetOpenNode(int level) const {
        return level >= 0 && level < kLevelCount ? nodeStack_[level] : nullptr;
    }

    // --- Attribute filters (each also from a given chain on; returns the count touched) -----

    // No filter: sets red, green and blue together when all three are given (not kDtbAny), and
    // penWidth, penKind and classBits each when given.
    int ChangeDtbInfo(int red, int green, int blue, int width, int kind, int classBits);
    static int ChangeDtbInfo(CDtbElement* chain, int red, int green, int blue, int width, int kind,
                             int classBits);
    // Sets noDisplay 1 on every line, arc and point that passes; never clears it.
    int NoDispFlagDtb(int red, int green, int blue, int width, int kind, int classBits);
    static int NoDispFlagDtb(CDtbElement* chain, int red, int green, int blue, int width, int kind,
                             int classBits);
    // Copies the eight codes and four values into every line, arc and point that passes and
    // into every group met on the way (groups unfiltered).
    int OptionFlagDtb(const uint32_t codes[8], const double values[4], int red, int green, int blue,
                      int width, int kind, int classBits);
    static int OptionFlagDtb(CDtbElement* chain, const uint32_t codes[8], const double values[4],
                             int red, int green, int blue, int width, int kind, int classBits);

    // --- Boxes and transforms ----------------------------------------------------------------

    // Widen the caller's box (start it at min +1e15, max -1e15); 1 when any element was taken
    // in, else 0 and the box untouched.
    int MinMax(CxyData* min, CxyData* max) const { return DtbChainMinMax(head_, min, max); }
    int MinMax(CxyzData* min, CxyzData* max) const { return DtbChainMinMax(head_, min, max); }
    static int MinMax1(const CDtbElement* chain, CxyData* min, CxyData* max) {
        return DtbChainMinMax(chain, min, max);
    }
    static int MinMax1(const CDtbElement* chain, CxyzData* min, CxyzData* max) {
        return DtbChainMinMax(chain, min, max);
    }
    // One line or arc alone (its own MinMax; the elements after it are not walked); 1.
    static int MinMax1(const CDtbLine* line, CxyData* min, CxyData* max) {
        return line->MinMax(min, max);
    }
    static int MinMax1(const CDtbLine* line, CxyzData* min, CxyzData* max) {
        return line->MinMax(min, max);
    }
    static int MinMax1(const CDtbArc* arc, CxyData* min, CxyData* max) {
        return arc->MinMax(min, max);
    }
    static int MinMax1(const CDtbArc* arc, CxyzData* min, CxyzData* max) {
        return arc->MinMax(min, max);
    }
    // A line, arc or point of the chain itself counts only when mask AND its classBits is not 0;
    // a group counts with all its content.
    int MinMaxMask(CxyData* min, CxyData* max, uint32_t mask) const {
        return DtbChainMinMaxMask(head_, min, max, mask);
    }
    static int MinMaxMask1(const CDtbElement* chain, CxyData* min, CxyData* max, uint32_t mask) {
        return DtbChainMinMaxMask(chain, min, max, mask);
    }
    // Moves every element of the chain (groups recursively) by v; 1.
    static int Offset(CDtbElement* chain, const CxyzData& v);
    // Rotates the chain (groups recursively) about centre in the x/y plane by angle degrees,
    // counter-clockwise for a positive angle; arcs get the angle added and are normalised with
    // NormalizeArcSweep(1, ...). 1; a non-finite angle changes nothing: 0.
    static int Rotate(CDtbElement* chain, const CxyzData& centre, double angle);
    // Total path length of the tree (of the chain, groups recursively): lines in space, arcs by
    // their sweep, points 0. 1; 0 for a null length.
    int GetElementLength(double* length) const { return GetElementLength1(head_, length); }
    static int GetElementLength1(const CDtbElement* chain, double* length);

private:
    // Makes tail_ the true last element of the current level's chain (elements may have been
    // inserted behind it) and returns it; null when that chain is empty.
    CDtbElement* SettleTail();
    bool OpenLevel(CDtbNode* node);
    void Report(const char* text) const;
    // Deep copy worker; sets depthFailed when a group could not be opened.
    void CopyChain(const CDtbElement* chain, bool onlyOne, bool& depthFailed);
    int FilterDelete(CDtbElement* chain, const DtbFilter& filter);

    CDtbElement* head_ = nullptr;
    CDtbElement* tail_ = nullptr;  // the append position
    int level_ = 0;
    CDtbNode* nodeStack_[kLevelCount] = {};  // the open group per level; entry 0 always null
    int levelHasElement_[kLevelCount] = {};
    platform::UserPrompt* prompt_ = nullptr;
    size_t linked_ = 0;
};
