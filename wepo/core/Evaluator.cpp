// Recursive-descent evaluation over six levels: conditional, logical, comparison, additive,
// multiplicative, primary.
#include "wepo/core/Evaluator.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/Numbers.h"

namespace wepo {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegPerRad = 57.29577951308232;
constexpr double kRadPerDeg = 0.017453292519943295;
constexpr double kTolerance = 1e-8;
constexpr size_t kMaxText = 255;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

enum class Func { Abs, Acos, Asin, Atan, Atan2, Cos, Hypot, Pai, Sin, Sqrt, Tan };
struct FuncName {
    const char* name;
    Func func;
};
constexpr FuncName kFunctions[] = {
    {"abs", Func::Abs},     {"acos", Func::Acos}, {"asin", Func::Asin},   {"atan", Func::Atan},
    {"atan2", Func::Atan2}, {"cos", Func::Cos},   {"hypot", Func::Hypot}, {"pai", Func::Pai},
    {"sin", Func::Sin},     {"sqrt", Func::Sqrt}, {"tan", Func::Tan},
};

// One evaluation: the working copy (tabs as blanks), the read position and the error code.
class Parser {
public:
    explicit Parser(std::string text) : s_(std::move(text)) {
        for (char& c : s_)
            if (c == '\t') c = ' ';
    }

    double Run() {
        double v = Conditional();
        if (error_ == 0) SkipBlanks();
        return v;
    }
    size_t Position() const { return pos_; }
    int Error() const { return error_; }

private:
    char Peek(size_t ahead = 0) const { return pos_ + ahead < s_.size() ? s_[pos_ + ahead] : '\0'; }
    void SkipBlanks() {
        while (Peek() == ' ') ++pos_;
    }
    void Fail(int code) {
        if (error_ == 0) error_ = code;
    }

    // Level 1: a ? b : c, its operands of level 2 (no nesting without parentheses).
    double Conditional() {
        double first = Logical();
        SkipBlanks();
        if (Peek() != '?') return first;
        ++pos_;
        double second = Logical();
        SkipBlanks();
        if (Peek() != ':') {
            Fail(kExprSyntaxError);
            return first != 0.0 ? second : 0.0;  // the missing third operand counts as 0
        }
        ++pos_;
        double third = Logical();
        return first != 0.0 ? second : third;
    }

    // Level 2: && and || with one precedence.
    double Logical() {
        double left = Comparison();
        for (;;) {
            SkipBlanks();
            char c = Peek();
            if ((c == '&' || c == '|') && Peek(1) == c) {
                pos_ += 2;
                double right = Comparison();
                left = c == '&' ? (left != 0.0 && right != 0.0) : (left != 0.0 || right != 0.0);
            } else {
                return left;
            }
        }
    }

    // Level 3: comparisons giving 1 or 0; a chain compares the 0 or 1 with the next operand.
    double Comparison() {
        double left = Additive();
        for (;;) {
            SkipBlanks();
            char c = Peek(), d = Peek(1);
            enum { Eq, Ne, Gt, Lt, Ge, Le } op;
            size_t len = 2;
            if (c == '=' && d == '=')
                op = Eq;
            else if (c == '!' && d == '=')
                op = Ne;
            else if (c == '<' && d == '>')
                op = Ne;
            else if (c == '>' && d == '<')
                op = Ne;
            else if (c == '>' && d == '=')
                op = Ge;
            else if (c == '<' && d == '=')
                op = Le;
            else if (c == '=')
                op = Eq, len = 1;
            else if (c == '>')
                op = Gt, len = 1;
            else if (c == '<')
                op = Lt, len = 1;
            else
                return left;
            pos_ += len;
            double b = Additive();
            double a = left;
            switch (op) {
                case Eq:
                    left = std::fabs(a - b) <= kTolerance;
                    break;
                case Ne:
                    left = std::fabs(a - b) > kTolerance;
                    break;
                case Gt:
                    left = a > b;
                    break;
                case Lt:
                    left = a < b;
                    break;
                case Ge:
                    left = a - b + kTolerance >= 0;
                    break;
                case Le:
                    left = a - b - kTolerance <= 0;
                    break;
            }
        }
    }

    // Level 4: + and -.
    double Additive() {
        double left = Multiplicative();
        for (;;) {
            SkipBlanks();
            char c = Peek();
            if (c != '+' && c != '-') return left;
            ++pos_;
            double right = Multiplicative();
            left = c == '+' ? left + right : left - right;
        }
    }

    // Level 5: * and / (a division by zero follows floating-point rules).
    double Multiplicative() {
        double left = Primary();
        for (;;) {
            SkipBlanks();
            char c = Peek();
            if (c != '*' && c != '/') return left;
            ++pos_;
            double right = Primary();
            left = c == '*' ? left * right : left / right;
        }
    }

    // Level 6: number, (expression), unary sign, function. After an error every operand is 0.
    double Primary() {
        if (error_) return 0.0;
        SkipBlanks();
        char c = Peek();
        if (IsDigit(c) || c == '.') return Number();
        if (c == '(') {
            ++pos_;
            double v = Conditional();
            SkipBlanks();
            if (Peek() != ')') {
                Fail(kExprSyntaxError);
                return 0.0;
            }
            ++pos_;
            return error_ ? 0.0 : v;
        }
        if (c == '-') {
            ++pos_;
            return -Primary();
        }
        if (c == '+') {
            ++pos_;
            return Primary();
        }
        if (IsLetter(c)) return Function();
        Fail(kExprSyntaxError);
        return 0.0;
    }

    double Decimal() {
        size_t used = 0;
        double v = platform::ParseLeadingReal(std::string_view(s_).substr(pos_), &used);
        pos_ += used;
        return v;
    }

    double Number() {
        double value;
        if (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) {
            // Hexadecimal as a signed 32-bit value: too large saturates, as strtol did.
            pos_ += 2;
            int64_t v = 0;
            while (HexValue(Peek()) >= 0) {
                v = v * 16 + HexValue(Peek());
                if (v > INT32_MAX) v = int64_t{INT32_MAX} + 1;
                ++pos_;
            }
            value = static_cast<double>(v > INT32_MAX ? INT32_MAX : v);
        } else {
            value = Decimal();
        }
        // Degrees, minutes and seconds: value:mm'ss" (or the degree byte 0xDF for ':').
        char mark = Peek();
        if (mark == ':' || static_cast<unsigned char>(mark) == 0xDF) {
            ++pos_;
            if (IsDigit(Peek())) {
                double minutes = Decimal();
                if (Peek() != '\'') {
                    Fail(kExprSyntaxError);
                    return 0.0;
                }
                ++pos_;
                value += minutes / 60.0;
                if (IsDigit(Peek())) {
                    double seconds = Decimal();
                    if (Peek() != '"') {
                        Fail(kExprSyntaxError);
                        return 0.0;
                    }
                    ++pos_;
                    value += seconds / 3600.0;
                }
            }
        }
        return value;
    }

    double Function() {
        std::string name;
        while (IsLetter(Peek()) || IsDigit(Peek())) {
            char c = Peek();
            if (name.size() < 8) name += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            ++pos_;
        }
        const FuncName* found = nullptr;
        for (const FuncName& f : kFunctions)
            if (name == f.name) found = &f;
        if (!found) {
            Fail(kExprUnknownFunction);
            return 0.0;
        }
        if (found->func == Func::Pai) return kPi;
        SkipBlanks();
        if (Peek() != '(') {
            Fail(kExprSyntaxError);
            return 0.0;
        }
        ++pos_;
        double x = Conditional();
        double y = 0.0;
        bool two = found->func == Func::Atan2 || found->func == Func::Hypot;
        if (two) {
            SkipBlanks();
            if (Peek() != ',') {
                Fail(kExprSyntaxError);
                return 0.0;
            }
            ++pos_;
            y = Conditional();
        }
        SkipBlanks();
        if (Peek() != ')') {
            Fail(kExprSyntaxError);
            return 0.0;
        }
        ++pos_;
        if (error_) return 0.0;
        switch (found->func) {
            case Func::Abs:
                return std::fabs(x);
            case Func::Acos:
                return std::acos(x) * kDegPerRad;
            case Func::Asin:
                return std::asin(x) * kDegPerRad;
            case Func::Atan:
                return std::atan(x) * kDegPerRad;
            case Func::Atan2:
                return std::atan2(x, y) * kDegPerRad;
            case Func::Cos:
                return std::cos(x * kRadPerDeg);
            case Func::Hypot:
                return std::sqrt(x * x + y * y);
            case Func::Sin:
                return std::sin(x * kRadPerDeg);
            case Func::Sqrt:
                return std::sqrt(x);
            case Func::Tan:
                return std::tan(x * kRadPerDeg);
            case Func::Pai:
                break;
        }
        return kPi;
    }

    std::string s_;
    size_t pos_ = 0;
    int error_ = 0;
};

}  // namespace

int EvaluateExpression(const char*& text, double* result, int* error) {
    if (!text || std::strlen(text) > kMaxText) {
        if (result) *result = 0.0;
        if (error) *error = kExprSyntaxError;
        return 0;
    }
    Parser parser(text);
    double value = parser.Run();
    if (result) *result = value;
    if (error) *error = parser.Error();
    text += parser.Position();
    return parser.Error() == 0 ? 1 : 0;
}

}  // namespace wepo
