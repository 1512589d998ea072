// The rapid approach, group opening and die look-up of the punch routines.
#include "nc/read/punch/PunchElements.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>

#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CPunchTool.h"
#include "nc/read/CNcRead.h"
#include "nc/read/punch/PunchPens.h"

namespace punch {

const CNcReadInfo& SettingsOf(const CNcRead& reader) {
    static const CNcReadInfo defaults;
    return reader.Settings != nullptr ? *reader.Settings : defaults;
}

const DieRecord* DieAt(const CPunchTool* dies, int index) {
    if (dies == nullptr || index < 0) return nullptr;
    const int count =
        std::clamp<int>(dies->Header.DieCount, 0, static_cast<int>(dies->Dies.size()));
    return index < count ? &dies->Dies[static_cast<size_t>(index)] : nullptr;
}

void RapidApproach(CNcRead& reader, CDtbEngine& sink, const CxyzData& q) {
    CNcReadState& st = reader.State;
    auto* line =
        sink.Append(std::make_unique<CDtbLine>(st.LastElementEnd, q, RapidPen(SettingsOf(reader))));
    st.RapidLength += line->GetElementLength3D();
    st.LastElementEnd = q;
}

void StrokeMark(const CNcRead& reader, CDtbEngine& sink, const CxyzData& p) {
    sink.Append(std::make_unique<CDtbPoint>(p, 1u, RapidPen(SettingsOf(reader))));
}

void AddLineNoText(CDtbNode& node, int lineNo) {
    char buf[32] = "LineNo=";
    const size_t prefix = std::strlen(buf);
    const auto r = std::to_chars(buf + prefix, buf + sizeof buf, lineNo);
    node.attributes.Add(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

CDtbNode* OpenGroup(const CNcRead& reader, CDtbEngine& sink, std::string_view kind) {
    // No data block: a hit group costs no 2 KB block of zeros.
    auto* node = sink.Append(std::make_unique<CDtbNode>(
        kDtbOwnerTessmark.data(), kDtbOwnerTessmark.size(), kind.data(), kind.size(), nullptr, 0));
    AddLineNoText(*node, reader.LineNo);
    return sink.NodeUp(node) == 1 ? node : nullptr;
}

}  // namespace punch
