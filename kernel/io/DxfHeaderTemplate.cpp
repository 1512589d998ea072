// The header template's line rules: placeholders, layer count and the LAYER-table skip.
#include "kernel/io/DxfHeaderTemplate.h"

#include "kernel/io/DxfText.h"
#include "platform/Cp932.h"

namespace {

bool Contains(std::string_view line, std::string_view what) {
    return line.find(what) != std::string_view::npos;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' ||
                          s.back() == '\n' || s.back() == '\v' || s.back() == '\f'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

void FillDxfHeader(std::string_view templ, const DxfHeaderValues& values, std::string& out) {
    const int n = static_cast<int>(values.layers.size());
    int k = -1;
    bool skipping = false;
    size_t pos = 0;
    while (pos < templ.size()) {
        size_t end = templ.find('\n', pos);
        if (end == std::string_view::npos) end = templ.size();
        const std::string_view line = TrimRight(templ.substr(pos, end - pos));
        pos = end + 1;

        if (skipping) {
            if (platform::EqualsNoCase(line, "  0")) {
                skipping = false;
                continue;
            }
            if (!platform::EqualsNoCase(line, "ENDTAB")) continue;
            skipping = false;
        }
        if (Contains(line, "{NC_NAME}")) {
            dxftext::Line(out, values.ncName);
        } else if (Contains(line, "{$EXTMIN_X}")) {
            dxftext::Real(out, values.min.x);
        } else if (Contains(line, "{$EXTMIN_Y}")) {
            dxftext::Real(out, values.min.y);
        } else if (Contains(line, "{$EXTMAX_X}")) {
            dxftext::Real(out, values.max.x);
        } else if (Contains(line, "{$EXTMAX_Y}")) {
            dxftext::Real(out, values.max.y);
        } else if (Contains(line, "{LAYER_NUM}")) {
            dxftext::Int6(out, n);
        } else if (platform::EqualsNoCase(line, "LAYER")) {
            if (k >= n) {
                skipping = true;
                continue;
            }
            ++k;
            dxftext::Line(out, line);
        } else if (Contains(line, "{LAYER_NAME1}")) {
            dxftext::Line(out, n >= 1 ? std::string_view(values.layers[0]) : std::string_view());
        } else if (Contains(line, "{LAYER_NAME2}")) {
            dxftext::Line(out, n >= 2 ? std::string_view(values.layers[1]) : std::string_view());
        } else if (Contains(line, "{LAYER_NAME3}")) {
            dxftext::Line(out, n >= 3 ? std::string_view(values.layers[2]) : std::string_view());
        } else {
            dxftext::Line(out, line);
        }
    }
}
