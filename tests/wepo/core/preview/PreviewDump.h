// A text form of recorded preview primitives, for comparing with expected lists.
#pragma once

#include <cstdio>
#include <string>

#include "wepo/core/preview/PreviewTypes.h"

namespace test {

inline std::string Num(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%g", v);
    return b;
}

inline std::string Dump(const wepo::PreviewDrawing& d) {
    std::string out;
    for (const wepo::PreviewPrimitive& p : d.primitives) {
        const double* a = p.a;
        switch (p.kind) {
            case wepo::PP_POINT:
                out += "POINT " + Num(a[0]) + "," + Num(a[1]);
                break;
            case wepo::PP_LINE:
                out += "LINE pen" + std::to_string(p.pen) + " " + Num(a[0]) + "," + Num(a[1]) +
                       " " + Num(a[2]) + "," + Num(a[3]);
                break;
            case wepo::PP_ARC:
                out += "ARC pen" + std::to_string(p.pen) + " " + Num(a[0]) + "," + Num(a[1]) +
                       " r" + Num(a[2]) + " " + Num(a[3]) + ".." + Num(a[4]);
                break;
            case wepo::PP_TEXTBOX:
                out += "BOX " + Num(a[0]) + "," + Num(a[1]) + " " + Num(a[2]) + "," + Num(a[3]) +
                       " @" + Num(a[4]) + "," + Num(a[5]) + " " + Num(a[6]);
                break;
            case wepo::PP_TEXT:
                out += "TEXT " + Num(a[0]) + "," + Num(a[1]) + " h" + Num(a[2]) + " w" + Num(a[3]) +
                       " s" + Num(a[4]) + " " + Num(a[5]) + " '" + p.text + "'";
                break;
            case wepo::PP_VIEW:
                out += "VIEW " + Num(a[0]) + "," + Num(a[1]) + " " + Num(a[2]) + "," + Num(a[3]);
                break;
            case wepo::PP_CLEAR:
                out += "CLEAR";
                break;
        }
        if (p.marks)
            out +=
                " marks" + std::to_string(p.marks & 0xFFFF) + "/" + std::to_string(p.marks >> 16);
        out += "\n";
    }
    return out;
}

}  // namespace test
