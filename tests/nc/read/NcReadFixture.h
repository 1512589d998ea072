// Test helpers of the block interpreter: a reader over a small program, a text dump of an
// element tree and of the reading's counters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcProgramRunner.h"

namespace nctest {

inline std::string Num(double v) {
    char buf[400];
    return std::string(buf, FormatFixed3(buf, v));
}
inline std::string Pt(const CxyzData& p) {
    return "(" + Num(p.x) + "," + Num(p.y) + "," + Num(p.z) + ")";
}

// One line per element, groups indented by two blanks per level:
//   L <class> <r,g,b> <from>-><to> [hidden] | texts...
//   A <class> <r,g,b> c=<centre> r=<radius> <start>..<end> dir=<d> | texts...
//   G <owner>/<kind> | texts...
inline void DumpChain(const CDtbElement* e, int level, std::string& out) {
    for (; e != nullptr; e = e->link.next) {
        out.append(static_cast<size_t>(level) * 2, ' ');
        auto info = [](const CDtbInfo& i) {
            return std::to_string(i.classBits) + " " + std::to_string(i.red) + "," +
                   std::to_string(i.green) + "," + std::to_string(i.blue);
        };
        if (auto* l = DtbCast<CDtbLine>(e)) {
            out += "L " + info(l->info) + " " + Pt(l->start) + "->" + Pt(l->end);
        } else if (auto* a = DtbCast<CDtbArc>(e)) {
            out += "A " + info(a->info) + " c=" + Pt(a->centre) + " r=" + Num(a->radius) + " " +
                   Num(a->startAngle) + ".." + Num(a->endAngle) +
                   " dir=" + std::to_string(a->direction);
        } else if (auto* n = DtbCast<CDtbNode>(e)) {
            out += "G " + n->ownerName + "/" + n->kindName;
        } else {
            out += "?";
        }
        if (e->noDisplay) out += " hidden";
        for (std::string_view t : e->attributes) {
            out += " | ";
            out += t;
        }
        out += "\n";
        if (auto* n = DtbCast<CDtbNode>(e)) DumpChain(n->firstChild, level + 1, out);
    }
}
inline std::string Dump(const CDtbEngine& db) {
    std::string out;
    DumpChain(db.GetFirstElement(), 0, out);
    return out;
}

// Settings of the tests: laser type, work origin 0 (start at the origin), coordinates without
// a point read as they stand.
inline CNcReadInfo LaserSettings() {
    CNcReadInfo s;
    s.LaserPunch = kNcTypeLaser;
    // The start is the negated work origin: -0.0 keeps it at +0.0, so that untouched
    // coordinates print as "0.000" rather than "-0.000".
    s.G92BaseInit = {-0.0, -0.0, -0.0};
    s.ZeroTimes = 1;
    return s;
}

// A reader set up over lines, and the elements of a whole run.
struct Program {
    CNcReadInfo settings;
    CNcRead reader;
    CDtbEngine elements;
    NcRunnerSummary summary;

    explicit Program(std::vector<std::string> lines, CNcReadInfo s = LaserSettings(),
                     NcRunnerLimits limits = {})
        : settings(std::move(s)) {
        reader.SetProgram(lines, &settings, nullptr, 1);
        NcProgramRunner runner(reader, limits);
        summary = runner.Run(elements);
    }
    std::string Dump() const { return nctest::Dump(elements); }
};

}  // namespace nctest
