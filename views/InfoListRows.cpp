// Rows of the information list in C-notation fixed formats, and its settings.
#include "views/InfoListRows.h"

#include <string_view>

#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbEngine.h"
#include "nc/read/CNcReadState.h"
#include "platform/Cp932.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace {

std::string PadLeft(std::string s, size_t width) {
    if (s.size() < width) s.insert(0, width - s.size(), ' ');
    return s;
}

struct OwnText {
    unsigned id;
    const char* english;
    const char* japanese;
};

// Texts of the list, used when the string table has no entry for the id.
constexpr OwnText kOwnTexts[] = {
    {kInfoHeadSign, "Sign", "記号"},
    {kInfoHeadValue, "Address value", "アドレス値"},
    {kInfoLabelXyz, "XYZ", "座標"},
    {kInfoLabelCutLength, "Cutting length", "切断長"},
    {kInfoLabelPierceCount, "Pierce count", "ﾋﾟｱｽ回数"},
    {kInfoLabelCutTime, "Cutting time", "切断時間"},
};

// The face name of the default font: MS Gothic in Japanese, as CP932 bytes.
constexpr char kDefaultFontName[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

}  // namespace

std::string InfoListText(unsigned id) {
    std::string s = platform::LoadString(id);
    if (!s.empty()) return s;
    for (const OwnText& t : kOwnTexts)
        if (t.id == id)
            return platform::CurrentLanguage() == platform::Language::Japanese ? t.japanese
                                                                               : t.english;
    return {};
}

std::string FormatReal9(double value) {
    std::string text = platform::FormatReal(value, 3);
    // A value that rounds to zero shows as 0.000, never as -0.000.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return PadLeft(text, 9);
}

std::string FormatInt9(long long value) {
    return PadLeft(platform::FormatInt(value), 9);
}

std::string FormatTriple(double a, double b, double c) {
    return FormatReal9(a) + ", " + FormatReal9(b) + ", " + FormatReal9(c);
}

std::vector<InfoListRow> ExtentRows(const CDtbEngine& elements) {
    CxyzData min(1e15, 1e15, 1e15);
    CxyzData max(-1e15, -1e15, -1e15);
    if (!elements.MinMax(&min, &max)) return {};
    return {{"Max", FormatTriple(max.x, max.y, max.z)}, {"Min", FormatTriple(min.x, min.y, min.z)}};
}

std::vector<InfoListRow> TraceStatusRows(const CNcReadState& s, int workTime) {
    return {
        {InfoListText(kInfoLabelXyz), FormatTriple(s.CurrentPos.x, s.CurrentPos.y, s.CurrentPos.z)},
        {InfoListText(kInfoLabelCutLength), FormatTriple(s.CutLength, s.MarkLength, s.RapidLength)},
        {InfoListText(kInfoLabelPierceCount),
         FormatInt9(s.PierceCount) + ", " + FormatInt9(s.MarkCount)},
        {InfoListText(kInfoLabelCutTime), FormatInt9(workTime)},
    };
}

void InfoListSettings::Load(const std::filesystem::path& ini) {
    constexpr char kSection[] = "NcInfoView";
    textR = platform::GetProfileInt(kSection, "TextColorR", 0, ini);
    textG = platform::GetProfileInt(kSection, "TextColorG", 0, ini);
    textB = platform::GetProfileInt(kSection, "TextColorB", 255, ini);
    fontSize = platform::GetProfileInt(kSection, "FontSize", 110, ini);
    std::string name = platform::GetProfileString(kSection, "FontName", kDefaultFontName, ini);
    // The name buffer holds 31 bytes; a double-byte character is never split.
    size_t cut = 0;
    while (cut < name.size()) {
        const size_t n = platform::CharLength(name, cut);
        if (cut + n > 31) break;
        cut += n;
    }
    name.resize(cut);
    fontName = platform::Cp932ToUtf8(name);
}
