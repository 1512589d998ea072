// The arithmetic expressions that numeric dialog fields accept in place of a plain number.
#pragma once

namespace wepo {

// Error codes of EvaluateExpression.
enum : int { kExprSyntaxError = 1001, kExprUnknownFunction = 1003 };

// Evaluates the expression at text: numbers in C notation ("1.5e3", "0x1F"), angles with
// minutes and seconds (30:15'36" or the degree byte 0xDF in place of ':'), + - * /, unary
// signs (binding tighter than * and /), comparisons (== = != <> >< > < >= <=, equality within
// 1e-8), && and ||, the conditional a ? b : c, parentheses and the functions abs, acos, asin,
// atan, atan2(y, x), cos, hypot, pai, sin, sqrt, tan with angles in degrees (names compared on
// their first 8 letters, any case). Parsing stops at the first character that no rule can
// continue; what follows a complete expression is no error.
// Returns 1 on success, 0 on failure (error as kExpr*, when error is not null). result gets the
// value in both cases (after a failure, computed with 0 for the failing operand and all later
// ones). text is advanced past what was read, on success also past trailing blanks. A text
// longer than 255 characters is refused (0, syntax error, text not advanced).
// Keeps no state between calls: safe from any thread.
int EvaluateExpression(const char*& text, double* result, int* error = nullptr);

}  // namespace wepo
