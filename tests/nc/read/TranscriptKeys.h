// Key numbers of an element tree, found by walking the tree itself (not its transcript), and
// their check against a table of values worked out by hand from the NC text: keys.txt beside
// the transcripts of a folder. A transcript is recorded by the code it checks; its key numbers
// are not, so a change that alters both the tree and its transcript still fails here.
//
// keys.txt: one row per case, "#" starts a comment line.
//   <case> groups=<n> pieces=<n> hidden=<n> rapid=<mm> drawn=<mm> first=<x,y,z> last=<x,y,z>
// groups: group nodes at every depth; pieces: lines, arcs and points at every depth; hidden: the
// pieces among them not shown; rapid: length of the rapid traverse (class 1) pieces; drawn:
// length of every other line and arc; first: where the first line or arc (tree order) starts;
// last: where the last one ends. An arc runs counter-clockwise from its start to its end angle
// (direction 0), clockwise from its end to its start angle (direction 1). Without lines and arcs
// first and last are "-".
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"

namespace nctest {

struct TranscriptKeys {
    int groups = 0;
    int pieces = 0;
    int hidden = 0;
    double rapid = 0.0;
    double drawn = 0.0;
    bool any = false;  // a line or arc was met: first and last hold its points
    double first[3] = {0, 0, 0};
    double last[3] = {0, 0, 0};
};

namespace keysdetail {

inline void Set(double out[3], double x, double y, double z) {
    out[0] = x;
    out[1] = y;
    out[2] = z;
}

inline void Path(TranscriptKeys& k, const double from[3], const double to[3]) {
    if (!k.any) Set(k.first, from[0], from[1], from[2]);
    Set(k.last, to[0], to[1], to[2]);
    k.any = true;
}

inline void Walk(const CDtbElement* e, TranscriptKeys& k) {
    constexpr double kRad = 3.14159265358979323846 / 180.0;
    for (; e != nullptr; e = e->link.next) {
        if (auto* n = DtbCast<CDtbNode>(e)) {
            ++k.groups;
            Walk(n->firstChild, k);
            continue;
        }
        ++k.pieces;
        if (e->noDisplay) ++k.hidden;
        if (auto* l = DtbCast<CDtbLine>(e)) {
            const double a[3] = {l->start.x, l->start.y, l->start.z};
            const double b[3] = {l->end.x, l->end.y, l->end.z};
            const double len =
                std::sqrt((b[0] - a[0]) * (b[0] - a[0]) + (b[1] - a[1]) * (b[1] - a[1]) +
                          (b[2] - a[2]) * (b[2] - a[2]));
            (l->info.classBits == 1 ? k.rapid : k.drawn) += len;
            Path(k, a, b);
        } else if (auto* c = DtbCast<CDtbArc>(e)) {
            // Counter-clockwise sweep from start to end, brought into (0, 360].
            double sweep = std::fmod(c->endAngle - c->startAngle, 360.0);
            if (sweep <= 0.0) sweep += 360.0;
            (c->info.classBits == 1 ? k.rapid : k.drawn) += c->radius * sweep * kRad;
            const double s[3] = {c->centre.x + c->radius * std::cos(c->startAngle * kRad),
                                 c->centre.y + c->radius * std::sin(c->startAngle * kRad),
                                 c->centre.z};
            const double t[3] = {c->centre.x + c->radius * std::cos(c->endAngle * kRad),
                                 c->centre.y + c->radius * std::sin(c->endAngle * kRad),
                                 c->centre.z};
            if (c->direction == 0) {
                Path(k, s, t);
            } else {
                Path(k, t, s);
            }
        }
    }
}

// A number as written, whatever the locale; NaN when the text is none.
inline double Number(std::string_view text) {
    double v = 0.0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    return r.ec == std::errc() && r.ptr == text.data() + text.size() ? v : std::nan("");
}

// A count as written; -1 when the text is none.
inline int Count(std::string_view text) {
    const double v = Number(text);
    return v >= 0.0 && v < 1e9 ? static_cast<int>(v) : -1;
}

// "x,y,z" into three numbers; false when the text is no such triple.
inline bool ParsePoint(std::string_view text, double out[3]) {
    for (int i = 0; i < 3; ++i) {
        const size_t comma = i < 2 ? text.find(',') : text.size();
        if (comma == std::string_view::npos) return false;
        out[i] = Number(text.substr(0, comma));
        if (std::isnan(out[i])) return false;
        text.remove_prefix(i < 2 ? comma + 1 : comma);
    }
    return true;
}

}  // namespace keysdetail

inline TranscriptKeys KeysOf(const CDtbEngine& db) {
    TranscriptKeys k;
    keysdetail::Walk(db.GetFirstElement(), k);
    return k;
}

// The rows of a keys.txt: case name to the rest of its row.
inline std::map<std::string, std::string> ReadKeyTable(const std::filesystem::path& file) {
    std::map<std::string, std::string> rows;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const size_t blank = line.find(' ');
        rows[line.substr(0, blank)] = blank == std::string::npos ? "" : line.substr(blank + 1);
    }
    return rows;
}

// Checks the tree's key numbers against a row of its keys.txt ("name=value" items; every item
// of the row is required). Lengths and coordinates agree to 0.002.
inline void ExpectKeys(const TranscriptKeys& k, const std::string& row) {
    constexpr double kTol = 0.002;
    std::istringstream in(row);
    int items = 0;
    for (std::string item; in >> item;) {
        const size_t eq = item.find('=');
        ASSERT_NE(eq, std::string::npos) << item;
        const std::string name = item.substr(0, eq);
        const std::string value = item.substr(eq + 1);
        ++items;
        if (name == "groups") {
            EXPECT_EQ(k.groups, keysdetail::Count(value)) << name;
        } else if (name == "pieces") {
            EXPECT_EQ(k.pieces, keysdetail::Count(value)) << name;
        } else if (name == "hidden") {
            EXPECT_EQ(k.hidden, keysdetail::Count(value)) << name;
        } else if (name == "rapid") {
            EXPECT_NEAR(k.rapid, keysdetail::Number(value), kTol) << name;
        } else if (name == "drawn") {
            EXPECT_NEAR(k.drawn, keysdetail::Number(value), kTol) << name;
        } else if (name == "first" || name == "last") {
            const double* have = name == "first" ? k.first : k.last;
            if (value == "-") {
                EXPECT_FALSE(k.any) << name;
                continue;
            }
            double want[3];
            ASSERT_TRUE(keysdetail::ParsePoint(value, want)) << item;
            EXPECT_TRUE(k.any) << name;
            for (int i = 0; i < 3; ++i) EXPECT_NEAR(have[i], want[i], kTol) << name << " " << i;
        } else {
            ADD_FAILURE() << "unknown key " << name;
        }
    }
    EXPECT_EQ(items, 7) << "a row names all seven keys: " << row;
}

// The table of tests/data/nc/keys.txt, rows named "<folder>/<case>".
inline std::map<std::string, std::string> NcKeyTable() {
    return ReadKeyTable(std::filesystem::path(MORVALEN_TEST_DATA) / "nc" / "keys.txt");
}

// Checks the tree of the case against its row of the table; a case without a row fails, so a
// new transcript needs its hand-worked keys too.
inline void ExpectTableKeys(const std::map<std::string, std::string>& table,
                            const std::string& name, const CDtbEngine& db) {
    SCOPED_TRACE("keys of " + name);
    const auto row = table.find(name);
    if (row == table.end()) {
        ADD_FAILURE() << "no hand-worked key numbers for " << name << " in keys.txt";
        return;
    }
    ExpectKeys(KeysOf(db), row->second);
}

}  // namespace nctest
