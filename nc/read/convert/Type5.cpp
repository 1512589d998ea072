// The converter of NC type 5 programs: program marks, the end code and completed G52 lines.
#include "nc/read/CNcRead.h"
#include "nc/read/convert/ConvertText.h"

using namespace ncconvert;

namespace {

// The remembered G52 values and the L number, shared from line to line.
struct Type5Run {
    double X = 0.0;
    double Y = 0.0;
    double C = 0.0;
    int L = 0;

    // A G52 line (or a line after one) gets every value it leaves out from the lines before;
    // the values it gives are remembered. Nothing when it holds none of X, Y and C.
    std::optional<std::string> Complete(const std::string& copy) {
        const auto x = RealWord(copy, 'X');
        const auto y = RealWord(copy, 'Y');
        const auto c = RealWord(copy, 'C');
        if (!x && !y && !c) return std::nullopt;
        std::string out = copy;
        if (!HasLetter(copy, 'G')) out += "G52";
        if (x)
            X = *x;
        else
            out += "X" + Real(X, 4);
        if (y)
            Y = *y;
        else
            out += "Y" + Real(Y, 4);
        if (c)
            C = *c;
        else
            out += "C" + Real(C, 3);
        if (auto l = CountWord(copy, 'L'))
            L = *l;
        else
            out += "L" + Int(L);
        return out;
    }
};

}  // namespace

// The code that a line without G29, G99, G52, G28 or G98 gives is read from its first G. (Read
// only from the third character on, a move such as "G01X5." after a G52 line kept the code 52
// and was completed with the G52 values, which changed its end point.)
void CNcRead::ConvertType5() {
    Type5Run run;
    int lastCode = -1;
    for (std::string& line : Lines.Mutable()) {
        const std::string copy(TrimLeft(line));
        if (Contains(copy, "G29")) {
            line = "O0";
            lastCode = 29;
        } else if (Contains(copy, "G99")) {
            line = "M30";
            lastCode = 99;
        } else if (Contains(copy, "G52")) {
            lastCode = 52;
            if (auto out = run.Complete(copy)) line = std::move(*out);
        } else if (Contains(copy, "G28")) {
            if (auto l = CountWord(copy, 'L', 2)) run.L = *l;
            line = "O" + Int(run.L);
            lastCode = 28;
        } else if (Contains(copy, "G98")) {
            line = copy;
            lastCode = 98;
        } else {
            if (auto g = CountWord(copy, 'G')) lastCode = *g;
            if (lastCode == 52) {
                if (auto out = run.Complete(copy)) line = std::move(*out);
            }
        }
    }
}
