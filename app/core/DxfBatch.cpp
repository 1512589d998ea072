// The batch DXF output's loop and its report.
#include "app/core/DxfBatch.h"

#include <filesystem>
#include <set>

#include "app/core/AppMessages.h"
#include "app/core/FileTimes.h"

namespace fs = std::filesystem;

std::string BatchDxfPath(const std::string& outFolder, const std::string& ncPath) {
    return outFolder + fs::path(ncPath).stem().string() + ".dxf";
}

DxfBatchResult RunDxfBatch(const std::vector<std::string>& ncFiles, const std::string& outFolder,
                           DxfBatchEffects& fx) {
    DxfBatchResult r;
    const int count = static_cast<int>(ncFiles.size());
    // "a.nc" and "a.ncd" share "a.dxf": the second would find the first one's file new and
    // pass as up to date.
    std::set<std::string> written;
    for (int i = 0; i < count; ++i) {
        if (fx.EscapePressed()) {
            r.interrupted = true;
            break;
        }
        fx.Progress(i + 1, count);
        const std::string& nc = ncFiles[i];
        const std::string dxf = BatchDxfPath(outFolder, nc);
        if (written.count(dxf)) {
            r.failedFile = nc;
            break;
        }
        if (IsOutputOutdated(dxf, nc) != 1) {
            ++r.skipped;
            continue;
        }
        if (!fx.Open(nc)) {
            r.failedFile = nc;
            break;
        }
        if (!fx.HasElements()) continue;
        if (fx.WriteDxf(dxf)) {
            ++r.converted;
            written.insert(dxf);
        }
    }
    return r;
}

namespace {

// "1 file ..." or "2 files ...": the count in the text of its number.
std::string Counted(int count, int textOfOne, int textOfMore) {
    std::string text =
        FillMessage(AppMessage(count == 1 ? textOfOne : textOfMore), {std::to_string(count)});
    // 20101 ends with the break before the up-to-date count; the report adds its own.
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

}  // namespace

DxfBatchReport MakeDxfBatchReport(const DxfBatchResult& r) {
    DxfBatchReport out;
    if (!r.failedFile.empty()) {
        out.text = FillMessage(AppMessage(20098), {r.failedFile});
        return out;
    }
    if (r.interrupted) {
        out.text = AppMessage(20099);
        return out;
    }
    out.icon = platform::PromptIcon::Information;
    if (r.converted == 0 && r.skipped > 0) {
        out.text = Counted(r.skipped, 20102, 20103);
    } else {
        out.text = Counted(r.converted, 20101, 29412);
        if (r.skipped > 0) out.text += "\n" + Counted(r.skipped, 20102, 29413);
        out.reportTitle = true;
    }
    return out;
}
