// CDtbLink: the links of an element to its group and its neighbours in the element tree.
#pragma once

class CDtbElement;
class CDtbNode;

// Plain references; an element owns neither its neighbours nor its group.
struct CDtbLink {
    CDtbNode* parent = nullptr;   // the group whose chain holds the element; null at the top level
    CDtbElement* prev = nullptr;  // null for the first element of a chain
    CDtbElement* next = nullptr;  // null for the last element of a chain
};
