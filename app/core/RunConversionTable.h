// Running a conversion table on the open program, with its messages and the document's refresh.
#pragma once

#include <functional>
#include <string_view>

class CTessmarkDoc;
struct NcAppContext;

// Reads table tableName (name without ".CTB") into a fresh table object and applies it to the
// document's lines. A table that cannot be read has shown its reader's message: 0. When nothing
// changed, message 61656: 0. Otherwise message 61655 with the table's file name without its
// extension, the document marked modified, its elements rebuilt, updateViews called (every view
// of the document reads it again) and the recovery log written: 1. No undo record is made and
// no file is written; messages go through ctx.Prompt.
int RunConversionTable(CTessmarkDoc& document, std::string_view tableName, const NcAppContext& ctx,
                       const std::function<void()>& updateViews);
