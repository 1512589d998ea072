// The sub-program extraction: the [ExtractSub] settings, the header and footer templates, the
// parts taken from the program, and the file written.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// [ExtractSub] of the current machine file.
struct ExtractSettings {
    std::string FilePath;  // folder offered by the file dialog
    std::string Header = "O{PGNO}{SCC}:G40G01:G90G92X0.Y0.Z0.:M61:(*PGS)";
    std::string Footer = "(*PGE):M62:M30";
    std::string Scc = ":M200(%s)";
    int PrgNoLen = 4;

    // The keys of machineFile, with the defaults above for missing ones.
    static ExtractSettings Read(const std::filesystem::path& machineFile);
    // Writes FilePath back. False when the file cannot be written.
    static bool WriteFilePath(const std::filesystem::path& machineFile, const std::string& folder);
};

// The keyword table of the templates, in table order (164 entries).
const std::vector<std::string_view>& TemplateKeywords();

// Expands a header or footer template: ':' is a line break ('\n'); "{keyword}" is matched
// against the keyword table in table order, each entry over its own length; PGNO and PGN1
// give programNumber zero-padded to prgNoLen digits; SCC gives scc with its ':' as line
// breaks and its first "%s" replaced by callArg (every other '%' copied as it stands), or
// nothing when callArg is empty; every other keyword gives nothing; a '{' at the very end ends
// the expansion.
std::string ExpandTemplate(std::string_view tmpl, int programNumber, int prgNoLen,
                           std::string_view scc, std::string_view callArg);

// The sub-program around a row: its program-number line first, its M99 line last.
struct SubProgramPart {
    int First = 0;
    int Last = 0;
    std::string ProposedName;       // the first line before its first '(', blanks trimmed
    int ProgramNumber = 0;          // the decimal value after the first line's first character
    std::vector<std::string> Body;  // the lines between the first and the last
};
// Found with the block search in sub-program mode; false when there is none.
bool FindSubProgram(const std::vector<std::string>& lines, int row, char mainLetter, char subLetter,
                    SubProgramPart& part);

// The call argument: among the first 16 lines the first one holding "M200" gives the text
// between its first '(' and its first ')' (empty when either is missing or ')' comes first).
std::string CallArgument(const std::vector<std::string>& lines);

// The name the file is written as: the chosen path, with the extension of the document's file
// name appended when the chosen name has no '.' (nothing when the document's name has none).
std::filesystem::path WithDocumentExtension(const std::filesystem::path& chosen,
                                            const std::string& documentPath);

// The file's bytes: the expanded header, the body and the expanded footer, each line ended by
// CR LF.
std::string SubProgramFileText(const std::string& header, const std::vector<std::string>& body,
                               const std::string& footer);

// A program number as the dialog's number field reads it: leading blanks, a sign and digits
// (a long digit string saturates), then clamped to 1-9999: "0" and "-5" give 1, "12345" 9999,
// "42abc" 42.
int ClampProgramNumber(std::string_view text);
