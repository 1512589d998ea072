// NcTextViewSettings: read from the system settings file.
#include "text/core/NcTextViewSettings.h"

#include "platform/Numbers.h"
#include "platform/Profile.h"

// "ＭＳ ゴシック" as CP932 bytes.
const char kDefaultNcFontName[] = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";

namespace {

void ReadRgb(const platform::ProfileFile& p, const char* section, const std::string& name,
             NcTextViewSettings::Rgb& rgb) {
    const char* suffix[3] = {"R", "G", "B"};
    for (int i = 0; i < 3; ++i)
        rgb[size_t(i)] = p.GetInt(section, name + suffix[i], rgb[size_t(i)]);
}

}  // namespace

int NcTextViewSettings::Load(const std::filesystem::path& ini) {
    *this = NcTextViewSettings{};
    platform::ProfileFile p;
    p.Load(ini);
    ReadRgb(p, "NcTextView", "OnoPen", OnoPen);
    ReadRgb(p, "NcTextView", "SubCallPen", SubCallPen);
    ReadRgb(p, "NcTextView", "CommentPen", CommentPen);
    ReadRgb(p, "NcTextView", "TextColor", TextColor);
    FontSize = p.GetInt("NcTextView", "FontSize", 110);
    FontName = p.GetString("NcTextView", "FontName", kDefaultNcFontName);
    if (FontName.size() > 31) FontName.resize(31);
    WeightTimeH = p.GetInt("NcTextView", "WeightTimeH", 0);
    WeightTimeM = p.GetInt("NcTextView", "WeightTimeM", 5);
    WeightTimeL = p.GetInt("NcTextView", "WeightTimeL", 40);
    WeightTimeFF = p.GetInt("NcTextView", "WeightTimeFF", 1);
    ReadRgb(p, "NcElemView", "TraceToolPen", TraceToolPen);
    TraceToolPenStyle = p.GetInt("NcElemView", "TraceToolPenStyle", 0);
    TraceToolPenWidth = p.GetInt("NcElemView", "TracetoolPenWide", 2);
    ManyEveryPart = p.GetInt("Trace", "ManyEveryPart", 0);
    TraceOnlyStartEndStop = p.GetInt("Trace", "TraceOnlyStartEndStop", 0);
    platform::WriteProfileString("NcTextView", "WeightTimeFF", platform::FormatInt(WeightTimeFF),
                                 ini);
    return 1;
}

std::array<int, 3> ReadColumnWidths(const std::filesystem::path& ini) {
    platform::ProfileFile p;
    p.Load(ini);
    return {p.GetInt("NcTextView", "ColumnWidth0", 25), p.GetInt("NcTextView", "ColumnWidth1", 50),
            p.GetInt("NcTextView", "ColumnWidth2", 350)};
}

void WriteColumnWidth(const std::filesystem::path& ini, int column, int width) {
    if (column < 0 || column > 2) return;
    const std::string key = "ColumnWidth" + platform::FormatInt(column);
    platform::WriteProfileString("NcTextView", key, platform::FormatInt(width), ini);
}
