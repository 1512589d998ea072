// Row marks of the settings dialogs' lists (QTreeWidget in report style).
#pragma once

class QTreeWidget;

// The first selected row; else, with orCurrent, the list's current row (the mark a list keeps
// when it lost its selection); -1 when there is none.
int FirstSelectedRow(const QTreeWidget* list, bool orCurrent = false);
// Selects row alone, makes it the current row and scrolls it into view; a row the list does not
// have clears the selection.
void MarkRow(QTreeWidget* list, int row);
// Report style: full rows, the stored column widths applied exactly.
void SetUpReportList(QTreeWidget* list, bool multiSelect);
// A list that gets the focus without a selection selects its current row again (the mark the
// commands work on), as the dialogs' lists did with their drop-highlighted row.
void KeepRowMark(QTreeWidget* list);
