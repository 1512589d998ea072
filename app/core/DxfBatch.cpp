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

DxfBatchReport MakeDxfBatchReport(const DxfBatchResult& r) {
    DxfBatchReport out;
    if (!r.failedFile.empty()) {
        out.text = FillMessage(AppMessage(20098), {r.failedFile});
    } else if (r.interrupted) {
        out.text = AppMessage(20099);
    } else if (r.converted == 0) {
        out.text = FillMessage(AppMessage(20103), {std::to_string(r.skipped)});
    } else {
        out.text = FillMessage(AppMessage(20101), {std::to_string(r.converted)});
        if (r.skipped > 0) out.text += FillMessage(AppMessage(20102), {std::to_string(r.skipped)});
        out.reportTitle = true;
    }
    return out;
}
