// Pieces shared by the punch hit and strip routines: the rapid approach, the "Punch1" and
// "Punch2" groups, the settings and the die of an index.
#pragma once

#include <string_view>

#include "kernel/base/CxyzData.h"

class CDtbEngine;
class CDtbNode;
class CNcRead;
class CNcReadInfo;
class CPunchTool;
struct DieRecord;

namespace punch {

// The reader's machine settings, or the defaults of an empty machine file without them.
const CNcReadInfo& SettingsOf(const CNcRead& reader);

// The die at index of the possessed-die table; null when index lies outside the DieCount dies
// of the table or there is no table.
const DieRecord* DieAt(const CPunchTool* dies, int index);

// A rapid line in the FF pen from the last element's end to q, appended at the sink's current
// level; the rapid length grows by its length in space and the last element end becomes q.
void RapidApproach(CNcRead& reader, CDtbEngine& sink, const CxyzData& q);

// A point element of kind 1 in the FF pen (class rapid) at p: the first stroke of a strip.
void StrokeMark(const CNcRead& reader, CDtbEngine& sink, const CxyzData& p);

// Appends a group of owner "Tessmark" and the given kind with its "LineNo=" text, and opens
// it; close it with CDtbEngine::NodeDown. Null when the sink could not open it (depth).
CDtbNode* OpenGroup(const CNcRead& reader, CDtbEngine& sink, std::string_view kind);

// "LineNo=<lineNo>" in C notation.
void AddLineNoText(CDtbNode& node, int lineNo);

}  // namespace punch
