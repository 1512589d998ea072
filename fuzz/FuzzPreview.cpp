// Fuzz target of the drawing previews: file-kind recognition, native drawings and backups,
// EXF, DXF, scripts and the version resource, each over the same bytes; checks that every
// drawing starts with its view and that texts stay within their buffers.
#include <string>

#include "fuzz/FuzzTarget.h"
#include "wepo/core/FileKind.h"
#include "wepo/core/preview/CadPreview.h"
#include "wepo/core/preview/PreviewFiles.h"
#include "wepo/core/preview/TextPreview.h"

namespace {

std::string Check(std::string_view bytes) {
    char comment[64];
    wepo::IdentifyFileKindOf(reinterpret_cast<const unsigned char*>(bytes.data()),
                             static_cast<int64_t>(bytes.size()), ".zz", comment, sizeof comment);
    const wepo::PreviewRun run;
    const wepo::PreviewLabels labels;
    for (int mode : {0, static_cast<int>(wepo::PRM_TEXT_BOXES)}) {
        wepo::PreviewText text(300);
        const wepo::PreviewDrawing drawings[] = {
            wepo::ParseCadDrawing(bytes, mode, text, labels, run),
            wepo::ParseCadBackup(bytes, text, labels, run),
            wepo::ParseExfDrawing(bytes, mode, text, labels, run),
            wepo::ParseDxfDrawing(bytes, mode, text, run)};
        if (text.Text().size() >= 300) return "preview text beyond its buffer";
        for (const wepo::PreviewDrawing& d : drawings)
            if (d.picture && !d.primitives.empty() && d.primitives.front().kind != wepo::PP_VIEW)
                return "a drawing that does not start with its view";
    }
    wepo::PreviewText script(100);
    wepo::ScriptPreviewName(bytes, script);
    if (script.Text().size() >= 100) return "script text beyond its buffer";
    wepo::ReadFixedFileVersion(bytes);
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Report(Check(fuzz::AsText(data, size)));
    return 0;
}
