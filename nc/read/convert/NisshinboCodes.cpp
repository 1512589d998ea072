// The punch codes of the Nisshinbo dialect rewritten into the native pattern codes.
#include <array>
#include <cmath>
#include <cstdlib>

#include "kernel/base/DegreeTrig.h"
#include "nc/read/convert/PunchDialectRun.h"

namespace ncconvert {

namespace {

// Words are read from the fourth character on, behind the code.
constexpr size_t kWordsFrom = 3;

struct CodeLine {
    const PunchDialectRun& Run;
    const std::string& Text;

    std::optional<double> Real(char letter) const { return RealWord(Text, letter, kWordsFrom); }
    std::optional<int> Count(char letter) const { return CountWord(Text, letter, kWordsFrom); }
    std::string N(double v) const { return Run.Num(v); }
    // "T%d" when the T word is there; likewise "C%d".
    std::string T() const {
        auto t = Count('T');
        return t ? "T" + Int(*t) : std::string();
    }
    std::string C() const {
        auto c = Count('C');
        return c ? "C" + Int(*c) : std::string();
    }
};

LineRewrite Converted(std::string text) {
    LineRewrite r;
    r.Outcome = RuleOutcome::Converted;
    r.Text = std::move(text);
    return r;
}

LineRewrite WithInserted(std::string text, std::string inserted) {
    LineRewrite r = Converted(std::move(text));
    r.Inserted = std::move(inserted);
    r.HasInserted = true;
    return r;
}

LineRewrite Refused() {
    LineRewrite r;
    r.Outcome = RuleOutcome::Refused;
    return r;
}

// All of the given words present, read as reals; nothing when one is missing.
template <size_t N>
std::optional<std::array<double, N>> Need(const CodeLine& l, const char (&letters)[N + 1]) {
    std::array<double, N> out{};
    for (size_t i = 0; i < N; ++i) {
        auto v = l.Real(letters[i]);
        if (!v) return std::nullopt;
        out[i] = *v;
    }
    return out;
}

}  // namespace

LineRewrite ConvertNisshinboCode(PunchDialectRun& run, const std::string& text) {
    const CodeLine l{run, text};
    auto is = [&](std::string_view code) { return text.starts_with(code); };

    if (is("G01") || is("G05")) {
        std::string out = text;
        out[1] = '7';
        out[2] = '0';
        if (auto x = l.Real('X')) run.LastX = *x;
        if (auto y = l.Real('Y')) run.LastY = *y;
        return Converted(std::move(out));
    }
    if (is("G02") || is("G03")) return Converted(text.substr(3));
    if (is("G28")) {
        run.Scale = 10.0;
        return Converted(text);
    }
    if (is("G29")) {
        run.Scale = 1.0;
        return Converted(text);
    }
    if (is("G71")) {  // holes on a line
        auto w = Need<4>(l, "XYIA");
        auto h = l.Count('H');
        if (!w || !h) return Refused();
        const auto [x, y, i, a] = *w;
        return WithInserted("X" + l.N(x) + "Y" + l.N(y) + l.T() + l.C(),
                            "G28I" + l.N(i) + "J" + l.N(a) + "K" + Int(*h - 1LL));
    }
    if (is("G73") || is("G74")) {  // grid of holes
        auto w = Need<4>(l, "XYIJ");
        auto h = l.Count('H');
        auto k = l.Count('K');
        if (!w || !h || !k) return Refused();
        const auto [x, y, i, j] = *w;
        return WithInserted("X" + l.N(x) + "Y" + l.N(y) + l.T() + l.C(),
                            std::string(is("G73") ? "G36" : "G37") + "I" + l.N(i) + "J" + l.N(j) +
                                "P" + Int(*h - 1LL) + "K" + Int(*k - 1LL));
    }
    if (is("G72")) {  // holes on an arc; the C and M words are read and not written
        auto w = Need<4>(l, "XYRA");
        auto h = l.Count('H');
        auto b = l.Real('B');
        if (!w || !h || !b) return Refused();
        const auto [x, y, r, a] = *w;
        const double s = run.Scale;
        return WithInserted(
            "G72X" + l.N(x * s) + "Y" + l.N(y * s) + l.T(),
            "G29I" + l.N(r * s) + "J" + l.N(a) + "P" + l.N(*b) + "K" + Int(*h) + l.T());
    }
    if (is("G61")) {  // line at angle
        auto w = Need<6>(l, "XYLAIJ");
        if (!w) return Refused();
        const auto [x, y, len, a, i, j] = *w;
        return WithInserted(
            "G72X" + l.N(x) + "Y" + l.N(y),
            "G66I" + l.N(len) + "J" + l.N(a) + "P" + l.N(i) + "Q" + l.N(j) + l.T() + l.C());
    }
    if (is("G51")) {  // line to a point; the T word is read and not written
        auto w = Need<4>(l, "XYIJ");
        if (!w) return Refused();
        const auto [x, y, i, j] = *w;
        const double dx = run.InAbsInc == 0 ? x - run.LastX : x;
        const double dy = run.InAbsInc == 0 ? y - run.LastY : y;
        const double p = j < 0.0 ? -std::fabs(i) : std::fabs(i);
        return WithInserted("G66I" + l.N(std::hypot(dx, dy)) + "J" + l.N(Atan2Deg(dy, dx)) + "P" +
                                l.N(p) + "Q" + l.N(j),
                            "G70X" + l.N(x) + "Y" + l.N(y));
    }
    if (is("G80")) {  // chain of holes
        auto w = Need<5>(l, "XYLAP");
        auto s = l.Count('S');
        if (!w || !s) return Refused();
        const auto [x, y, len, a, p] = *w;
        return WithInserted(
            "G72X" + l.N(x) + "Y" + l.N(y),
            "G69I" + l.N(len) + "J" + l.N(a) + "P" + l.N(p) + "Q" + Int(*s) + l.T() + l.C());
    }
    if (is("G62") || is("G81")) {  // holes on an arc by start and end angle
        const char pitchLetter = is("G62") ? 'J' : 'P';
        auto xy = Need<2>(l, "XY");
        auto pitch = l.Real(pitchLetter);
        auto rab = Need<3>(l, "RAB");
        if (!xy || !pitch || !rab) return Refused();
        const auto [x, y] = *xy;
        auto [r, a, b] = *rab;
        long long count = l.Count('S').value_or(1);
        double sweep = b - a;
        if (sweep < 0.0) sweep += run.Decimal ? 360.0 : 360.0 * run.ZeroTimes;
        if (r < 0.0) sweep = -sweep;
        if (r < 0.000001) r = std::fabs(r);
        if (!run.Decimal) count *= run.ZeroTimes;
        const double s = run.Scale;
        return WithInserted("G72X" + l.N(x * s) + "Y" + l.N(y * s),
                            "G68I" + l.N(r * s) + "J" + l.N(a) + "K" + l.N(sweep) + "P" +
                                l.N(*pitch) + "Q" + Int(count) + l.T() + l.C());
    }
    if (is("G63")) {  // grid at angle
        auto w = Need<6>(l, "XYIJLR");
        if (!w) return Refused();
        const auto [x, y, i, j, len, r] = *w;
        return WithInserted("G72X" + l.N(x) + "Y" + l.N(y),
                            "G67I" + l.N(len) + "J" + l.N(r) + "P" + l.N(i) + "Q" + l.N(j) + l.T());
    }
    if (is("G10")) {
        auto x = l.Real('X');
        if (!x) return Refused();
        return Converted("G25X" + l.N(-*x));
    }
    return {};
}

}  // namespace ncconvert
