// Where the preview pane joins the explorer-style file dialog (mode bit 0x20).
#pragma once

namespace wepo {

class FileSelectDialog;

// Puts the preview pane into the dialog's slot and lets it follow the selection.
void AttachPreviewPane(FileSelectDialog* dialog);

}  // namespace wepo
