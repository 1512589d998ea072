// The size of the program's file dialogs.
#pragma once

class QFileDialog;

// Qt's own dialog opens narrow, its Size, Type and Date columns cut ("Uni...ent"): it opens wide
// enough for a name and those columns, which take the width of their content whenever a folder
// has been read. Call before exec().
void FitFileDialog(QFileDialog& dialog);
