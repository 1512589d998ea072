// Until the preview pane exists the slot stays empty.
#include "wepo/filesel/PreviewSeam.h"

namespace wepo {

void AttachPreviewPane(FileSelectDialog*) {}

}  // namespace wepo
