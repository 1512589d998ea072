// The conversion-table object the conversion dialogs share.
#pragma once

struct NcAppContext;
class CNcReplaceInfo;

// The object lives from the first opening of the table list to the end of the program; the
// list replaces it at each opening and refresh (ReplaceSharedTable). A request with another
// application context, or one that now names another table folder, makes a new one.
CNcReplaceInfo& SharedReplaceTable(const NcAppContext& ctx);
CNcReplaceInfo& ReplaceSharedTable(const NcAppContext& ctx);
