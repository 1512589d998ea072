// Test helpers of the punch patterns: a die table, punch settings, a reader over a small punch
// program, and a text dump of an element tree with pens, marks, points and record bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CPunchTool.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcProgramRunner.h"
#include "nc/read/punch/PunchInfo.h"

namespace punchtest {

inline std::filesystem::path Fixture(const std::string& name) {
    return std::filesystem::path(MORVALEN_TEST_DATA) / "nc" / "punch" / name;
}

inline std::string Num(double v) {
    char buf[400];
    return std::string(buf, FormatFixed3(buf, v));
}
inline std::string Pt(const CxyzData& p) {
    return "(" + Num(p.x) + "," + Num(p.y) + "," + Num(p.z) + ")";
}
inline std::string Hex(const char* bytes, size_t n) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}
// Class, colour, width and kind of a pen, and the end marks when set.
inline std::string Pen(const CDtbInfo& i) {
    std::string s = std::to_string(i.classBits) + " " + std::to_string(i.red) + "," +
                    std::to_string(i.green) + "," + std::to_string(i.blue) + "/" +
                    std::to_string(i.penWidth) + "/" + std::to_string(i.penKind);
    if (i.startMark != 0 || i.endMark != 0) {
        s += " marks=" + std::to_string(i.startMark) + "," + std::to_string(i.endMark);
    }
    return s;
}

// One line per element, groups indented by two blanks per level:
//   L <pen> <from>-><to> | texts
//   A <pen> c=<centre> r=<radius> <start>..<end> dir=<d> | texts
//   P <pen> <point> k=<kind> | texts
//   G <owner>/<kind> [data=<56 bytes of a "Punch" group in hex>] | texts
inline void DumpChain(const CDtbElement* e, int level, std::string& out) {
    for (; e != nullptr; e = e->link.next) {
        out.append(static_cast<size_t>(level) * 2, ' ');
        if (auto* l = DtbCast<CDtbLine>(e)) {
            out += "L " + Pen(l->info) + " " + Pt(l->start) + "->" + Pt(l->end);
        } else if (auto* a = DtbCast<CDtbArc>(e)) {
            out += "A " + Pen(a->info) + " c=" + Pt(a->centre) + " r=" + Num(a->radius) + " " +
                   Num(a->startAngle) + ".." + Num(a->endAngle) +
                   " dir=" + std::to_string(a->direction);
        } else if (auto* p = DtbCast<CDtbPoint>(e)) {
            out += "P " + Pen(p->info) + " " + Pt(p->point) + " k=" + std::to_string(p->kind);
        } else if (auto* n = DtbCast<CDtbNode>(e)) {
            out += "G " + n->ownerName + "/" + n->kindName;
            if (n->HasData() && n->kindName == "Punch") {
                out += " data=" + Hex(n->GetData(), PunchInfo::kSize);
            } else if (n->HasData()) {
                out += " data=?";
            }
        } else {
            out += "?";
        }
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
inline std::string Dump(const CDtbElement* chain) {
    std::string out;
    DumpChain(chain, 0, out);
    return out;
}

// Punch settings with distinct pens: FF (rapid) 10,20,30 width 1 kind 1; Punch 200,0,0 width
// 2 kind 3. Work origin 0; coordinates without a point read as they stand.
inline CNcReadInfo PunchSettings() {
    CNcReadInfo s;
    s.LaserPunch = kNcTypePunch;
    s.G92BaseInit = {-0.0, -0.0, -0.0};
    s.ZeroTimes = 1;
    s.Pen[PenFF] = {10, 20, 30};
    s.PenWide[PenFF] = 1;
    s.PenKind[PenFF] = 1;
    s.Pen[PenPunch] = {200, 0, 0};
    s.PenWide[PenPunch] = 2;
    s.PenKind[PenPunch] = 3;
    return s;
}

inline DieRecord Die(int number, int shape, double x, double y = 0.0, double r = 0.0,
                     double angle = 0.0, std::string shapeFile = {}) {
    DieRecord d;
    d.Number = static_cast<int16_t>(number);
    d.Range = 1;
    d.Shape = static_cast<int16_t>(shape);
    d.SizeX = x;
    d.SizeY = y;
    d.SizeR = r;
    d.Angle = angle;
    d.ShapeFile = std::move(shapeFile);
    return d;
}

// A die table whose die i stands in station i + 1 (T1 is the first die). The station given by
// emptyStation (0 none) holds no die.
inline void SetDies(CPunchTool& tool, const std::vector<DieRecord>& dies, int emptyStation = 0) {
    tool.Header.DieCount = static_cast<int32_t>(dies.size());
    int stations = 0;
    for (size_t i = 0; i < dies.size(); ++i) {
        tool.Dies[i] = dies[i];
        StationRecord& s = tool.Arrangement.Stations[static_cast<size_t>(stations++)];
        s.Index = static_cast<int16_t>(i);
        s.StationNo = static_cast<int16_t>(i + 1);
        s.Die = dies[i];
    }
    if (emptyStation > 0) {
        StationRecord& s = tool.Arrangement.Stations[static_cast<size_t>(stations++)];
        s.StationNo = static_cast<int16_t>(emptyStation);
        s.Die.Number = -1;
    }
    tool.Arrangement.StationCount = stations;
}

// A punch program read through the interpreter's driver with the given dies.
struct Program {
    CNcReadInfo settings = PunchSettings();
    CPunchTool tool;
    NcAppContext app;
    CDtbEngine elements;
    NcRunnerSummary summary;
    std::unique_ptr<CNcRead> reader;

    Program(const std::vector<DieRecord>& dies, std::vector<std::string> lines,
            std::filesystem::path config = Fixture("")) {
        SetDies(tool, dies, 90);
        tool.TapTools[0].DieNumber = 107;
        tool.TapTools[0].StartCode = "M500";
        tool.TapTools[0].EndCode = "M501";
        tool.TapCount = 1;
        app.PunchTool = &tool;
        app.ConfigFolder = config;
        if (!config.empty()) app.IniPath = config / "MV_System.ini";
        reader = std::make_unique<CNcRead>(&app);
        reader->SetProgram(lines, &settings, nullptr, 1);
        NcProgramRunner runner(*reader);
        summary = runner.Run(elements);
    }
    std::string Dump() const { return punchtest::Dump(elements); }
};

// The dump of an expected tree, written as lines in the test.
inline std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (std::string_view l : lines) {
        out += l;
        out += "\n";
    }
    return out;
}

}  // namespace punchtest
