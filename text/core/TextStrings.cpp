// Texts of the NC text views by string id.
#include "text/core/TextStrings.h"

#include "platform/StringTable.h"

namespace {

struct BuiltIn {
    unsigned id;
    const char* english;
    const char* japanese;
};

// Ids used by the list and the find dialogs that may be missing from an older string table.
constexpr BuiltIn kBuiltIn[] = {
    {20070, "Search completed successfully", "検索が完了しました"},
    {20071, "Replacement completed successfully", "置換が完了しました"},
    {20072, "Please wait.", "しばらくお待ちください。"},
    {61449, "Line", "No."},
    {61450, "Data", "データ"},
    {61451, " ", " "},
    {29800, "Can't get SkipLog", "SkipLogを取得できません"},
};

// Texts of the view's own templates (context menu pop-ups, switch buttons), by TextLabel.
constexpr BuiltIn kLabels[] = {
    {0, "Sea&rch", "検索(&R)"},
    {1, "&Tracing speed", "トレース速度(&T)"},
    {2, "Trace", "トレース"},
    {3, "Edit", "編集"},
    {4, "Find", "検索"},
    {5, "Replace", "置換"},
    {6, "Fi&nd what:", "検索する文字列(&N):"},
    {7, "Re&place with:", "置換後の文字列(&P):"},
    {8, "Match &whole word only", "単語単位で探す(&W)"},
    {9, "Match &case", "大文字と小文字を区別する(&C)"},
    {10, "Direction", "検索する方向"},
    {11, "&Up", "上へ(&U)"},
    {12, "&Down", "下へ(&D)"},
    {13, "&Find Next", "次を検索(&F)"},
    {14, "&Replace", "置換して次に(&R)"},
    {15, "Replace &All", "すべて置換(&A)"},
    {16, "Cancel", "キャンセル"},
};

const char* Pick(const BuiltIn& b) {
    return platform::CurrentLanguage() == platform::Language::Japanese ? b.japanese : b.english;
}

}  // namespace

std::string TextString(unsigned id) {
    std::string s = platform::LoadString(id);
    if (!s.empty()) return s;
    for (const BuiltIn& b : kBuiltIn)
        if (b.id == id) return Pick(b);
    return {};
}

std::string TextLabel(TextLabelId label) {
    for (const BuiltIn& b : kLabels)
        if (b.id == unsigned(label)) return Pick(b);
    return {};
}
