// Field scanners for die files, conversion tables and point lists: a line is cut at delimiters
// and each field is read into the next destination with its scan format.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

// One destination and the scanf-style format that reads it. The destination's type decides
// what is stored, so a format can never write past it: integer conversions (%d %i %u %x %o,
// with or without h/l) store into int, short or long and fail when the number does not fit;
// %f %e %g (with or without l) store into double or float; %s stores the next blank-free word
// (at most the width, when given) into a std::string; %c stores one byte into a char, or
// width bytes into a std::string. A format may start with literal text, which must match
// (a blank in it matches any run of white space). Numbers are read in C notation whatever
// the process locale. A field that does not convert leaves its destination unchanged, so
// callers set defaults first. The format is kept as a view: pass a literal or a string that
// outlives the scan.
class ScanField {
public:
    using Target = std::variant<int*, short*, long*, double*, float*, char*, std::string*>;

    ScanField(int* dest, std::string_view format = "%d") : target_(dest), format_(format) {}
    ScanField(short* dest, std::string_view format = "%hd") : target_(dest), format_(format) {}
    ScanField(long* dest, std::string_view format = "%ld") : target_(dest), format_(format) {}
    ScanField(double* dest, std::string_view format = "%lf") : target_(dest), format_(format) {}
    ScanField(float* dest, std::string_view format = "%f") : target_(dest), format_(format) {}
    ScanField(char* dest, std::string_view format = "%c") : target_(dest), format_(format) {}
    ScanField(std::string* dest, std::string_view format = "%s") : target_(dest), format_(format) {}

    const Target& target() const { return target_; }
    std::string_view format() const { return format_; }

    // Reads text with the format into the destination (sscanf rules); true when it stored.
    bool Scan(std::string_view text) const;

private:
    Target target_;
    std::string_view format_;
};

using ScanFieldList = std::span<const ScanField>;

// Cuts text into tokens, the maximal runs of bytes that are none of the delimiters (empty
// fields are skipped, as strtok does), and reads token k into fields[k]. Stops at the end of
// the tokens or of the fields. Returns the number of tokens read, whether they converted or
// not. The text is not changed (it ends at its first NUL byte).
int ScanTokens(std::string_view delimiters, std::string_view text, ScanFieldList fields);
int ScanTokens(std::string_view delimiters, std::string_view text,
               std::initializer_list<ScanField> fields);

// For each field in turn: the delimiters are tried in the order they are listed, and the first
// of them that occurs anywhere in the rest of the text (as a single-byte character) ends the
// field at its first occurrence; when none occurs the field is the rest of the text and it is
// the last one. Empty fields count. Returns the number of fields read.
int ScanFieldsDelim(std::string_view delimiters, std::string_view text, ScanFieldList fields);
int ScanFieldsDelim(std::string_view delimiters, std::string_view text,
                    std::initializer_list<ScanField> fields);

// As ScanFieldsDelim, except that a field whose format is exactly "%s" is copied into its
// std::string: the text between its first double quote and the next one (or the field's end)
// when it holds a double quote, else the text after its leading blanks up to its first blank.
// A delimiter inside quotes still ends the field.
int ScanFieldsQuoted(std::string_view delimiters, std::string_view text, ScanFieldList fields);
int ScanFieldsQuoted(std::string_view delimiters, std::string_view text,
                     std::initializer_list<ScanField> fields);
