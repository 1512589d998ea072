// CNcReplaceInfo: conversion tables (.CTB files) of find-and-replace rows for NC programs.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

struct NcAppContext;

// Lists the tables of the table folder with their comments, reads one table into the row
// lists, and creates, renames, re-comments, deletes and saves table files. Made for one task
// and dropped after it. Callers fill or read the row lists and flags directly.
//
// Table names are file names without or with the extension ".CTB" (any case); an existing
// file whose name differs only in case is the same table. Files are Shift-JIS text; the
// comment, the texts and the flags are kept as bytes.
class CNcReplaceInfo {
public:
    // The table folder: the folder of the current machine file ([NcRead] FileName of the
    // system settings) when it exists, else the configuration folder. ctx must outlive the
    // object; its Prompt (may be null) shows the messages.
    explicit CNcReplaceInfo(const NcAppContext& ctx);

    // Appends every table of the folder (sorted by name, without case) to TableNames and its
    // comment to TableComments. 1, or 0 when the folder cannot be read.
    int ListTables();
    // Appends the comment of a table file (name with extension) to TableComments: the text
    // after "コメント=" of its data section, trailing blanks removed; "" when there is none or
    // the file cannot be read. Always 1.
    int ReadComment(std::string_view fileName);
    // 1 when the table can be opened for reading, else 0. CurrentFile = name with extension.
    int TableExists(std::string_view name);
    // Appends the rows of a table and sets the two flags. 1 read; 0 failed (message shown,
    // every row list and CurrentFile emptied).
    int ReadTable(std::string_view name);
    // Empties the four row lists; the flags and CurrentFile stay.
    void ClearTable();
    // Rewrites an existing table from the rows and flags in memory, with the given comment.
    // 0 saved; -1 not written (message; the old file stays whole); -2 no such table (message).
    int SaveTable(std::string_view name, std::string_view comment);
    // Writes a new table with the comment, both flags 0 and no rows; an existing table of that
    // name is replaced. 1 created; 0 invalid name (message) or write failure.
    int CreateTable(std::string_view name, std::string_view comment);
    // Gives a table a new name and comment, keeping its rows and flags. The renamed copy is
    // complete before the old file goes, and another existing table is never replaced. With
    // the name unchanged only the comment is saved, into the table's own file: a read-only
    // table is refused, a link written through. 1 done; 0 refused or failed (the old table
    // stays as it was).
    int RenameTable(std::string_view oldName, std::string_view newName, std::string_view comment);
    // Non-zero when the table file was deleted.
    int DeleteTable(std::string_view name);

    // One row record: "before","after","start","end". Appends the row and gives 0, or gives -1
    // (fewer than three commas outside quotes, or an empty before text) and appends nothing.
    int ParseRecord(std::string_view line);

    // The name with ".CTB" appended unless it already ends in ".CTB" (any case).
    static std::string WithExtension(std::string_view name);
    // The table's file: an existing file of the folder whose name matches without case, else
    // the folder and the name (extension rule applied).
    std::filesystem::path TablePath(std::string_view name) const;

    std::filesystem::path TableFolder;
    std::vector<std::string> TableNames;     // without extension
    std::vector<std::string> TableComments;  // parallel to TableNames
    std::string CurrentFile;                 // name with extension of the table last tested or read

    // Rows, parallel lists: text to replace (never empty), replacement, first and last line.
    std::vector<std::string> BeforeTexts;
    std::vector<std::string> AfterTexts;
    std::vector<unsigned> StartLines;
    std::vector<unsigned> EndLines;

    int DeleteCtbLines = 0;  // "CTB記述行削除=": remove the line of the "CTB=" directive
    int ConfirmOnReplace = 0;  // "置換処理時確認メッセージ=": ask before saving the result

private:
    // The file text of a table with the given comment, flags and rows (CR LF lines).
    std::string TableText(std::string_view comment, bool withRows) const;
    bool ValidName(std::string_view name, const std::string& withExt) const;
    void Message(int id, std::initializer_list<std::string_view> args, bool icon = true) const;

    const NcAppContext* ctx_;
};
