// CDtbLink: the links of an element to its group and its neighbours in the element tree.
#pragma once

#include "kernel/db/DtbRef.h"

class CDtbElement;
class CDtbNode;

// Plain references, read and written as pointers; an element owns neither its neighbours nor
// its group.
struct CDtbLink {
    CDtbLink() = default;
    CDtbLink(CDtbNode* group, CDtbElement* before = nullptr, CDtbElement* after = nullptr)
        : parent(group), prev(before), next(after) {}

    DtbRef<CDtbNode> parent;   // the group whose chain holds the element; null at the top level
    DtbRef<CDtbElement> prev;  // null for the first element of a chain
    DtbRef<CDtbElement> next;  // null for the last element of a chain
};
