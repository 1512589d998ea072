// Dispatch of the preview parsers by file kind, scripts, and the version resource reader.
#include "wepo/core/preview/PreviewFiles.h"

#include <algorithm>
#include <cstring>

#include "kernel/io/ReadWholeFile.h"
#include "wepo/core/FileKind.h"
#include "wepo/core/TextUtil.h"
#include "wepo/core/preview/CadPreview.h"
#include "wepo/core/preview/TextPreview.h"

namespace wepo {

std::string ResolveScriptName(const std::string& script, const std::string& name) {
    std::string n = name;
    std::replace(n.begin(), n.end(), '\\', '/');
    if (!n.empty() && n.front() == '/') return n;
    std::string folder;
    GetPathPart(script.c_str(), kPathDrive | kPathDirectory, &folder);
    return folder + n;
}

PreviewDrawing ParsePreviewFile(const std::string& path, int kind, int mode, PreviewText& text,
                                const PreviewLabels& labels, const PreviewRun& run) {
    switch (kind) {
        case FK_CAD_NATIVE:
        case FK_CAD_V4:
        case FK_CAD_RW:
        case FK_CAD_TW:
        case FK_DXF:
        case FK_EXF:
        case FK_TEXT:
        case FK_CAD_BACKUP:
        case FK_SCRIPT:
            break;
        default:
            return {};  // NC programs and every other kind: nothing
    }
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return {};
    switch (kind) {
        case FK_CAD_NATIVE:
        case FK_CAD_V4:
            return ParseCadDrawing(*bytes, mode, text, labels, run);
        case FK_CAD_RW:
        case FK_CAD_TW:
            DescribeCadHeader(*bytes, kind, text, labels);
            return {};
        case FK_DXF:
            return ParseDxfDrawing(*bytes, mode, text, run);
        case FK_EXF:
            return ParseExfDrawing(*bytes, mode, text, labels, run);
        case FK_TEXT:
            text.AppendCut(bytes->substr(0, bytes->find('\0')));
            return {};
        case FK_CAD_BACKUP:
            return ParseCadBackup(*bytes, text, labels, run);
        default:
            break;
    }
    // A script: its lines as text, the drawing it names as picture (without text of its own).
    std::string name = ScriptPreviewName(*bytes, text);
    if (name.empty()) return {};
    const std::string target = ResolveScriptName(path, name);
    const int targetKind = IdentifyFileKind(target.c_str(), nullptr, 0);
    if (targetKind != FK_CAD_NATIVE && targetKind != FK_CAD_V4 && targetKind != FK_DXF &&
        targetKind != FK_EXF)
        return {};
    PreviewText none;
    return ParsePreviewFile(target, targetKind, mode, none, labels, run);
}

namespace {

struct Reader {
    std::string_view b;
    bool Has(uint64_t at, uint64_t n) const { return at <= b.size() && n <= b.size() - at; }
    uint32_t U16(uint64_t at) const {
        return static_cast<uint32_t>(static_cast<unsigned char>(b[at]) |
                                     static_cast<unsigned char>(b[at + 1]) << 8);
    }
    uint32_t U32(uint64_t at) const { return U16(at) | U16(at + 2) << 16; }
};

}  // namespace

std::optional<FileVersion> ReadFixedFileVersion(std::string_view bytes) {
    Reader r{bytes};
    if (!r.Has(0, 0x40) || bytes.substr(0, 2) != "MZ") return std::nullopt;
    const uint64_t pe = r.U32(0x3C);
    if (!r.Has(pe, 24) || bytes.substr(pe, 4) != std::string_view("PE\0\0", 4)) return std::nullopt;
    const uint32_t sections = r.U16(pe + 6), optionalSize = r.U16(pe + 20);
    const uint64_t opt = pe + 24;
    if (!r.Has(opt, 2)) return std::nullopt;
    const uint32_t magic = r.U16(opt);
    const uint64_t directories = opt + (magic == 0x20B ? 112 : 96);
    if (!r.Has(directories + 16, 8) || directories + 24 > opt + optionalSize) return std::nullopt;
    const uint32_t resourceRva = r.U32(directories + 16);
    // RVA to file offset through the section table.
    const uint64_t table = opt + optionalSize;
    auto offsetOf = [&](uint64_t rva) -> std::optional<uint64_t> {
        for (uint32_t s = 0; s < sections; ++s) {
            const uint64_t at = table + 40ull * s;
            if (!r.Has(at, 40)) return std::nullopt;
            const uint64_t va = r.U32(at + 12), size = std::max(r.U32(at + 8), r.U32(at + 16)),
                           raw = r.U32(at + 20);
            if (rva >= va && rva < va + size) return raw + (rva - va);
        }
        return std::nullopt;
    };
    const auto root = offsetOf(resourceRva);
    if (!root || resourceRva == 0) return std::nullopt;
    // Three levels: type 16 (version), then the first name, then the first language.
    uint64_t dir = *root;
    for (int level = 0; level < 3; ++level) {
        if (!r.Has(dir, 16)) return std::nullopt;
        const uint32_t entries = r.U16(dir + 12) + r.U16(dir + 14);
        uint64_t chosen = 0;
        bool found = false;
        for (uint32_t e = 0; e < entries && !found; ++e) {
            const uint64_t at = dir + 16 + 8ull * e;
            if (!r.Has(at, 8)) return std::nullopt;
            if (level == 0 && r.U32(at) != 16) continue;
            chosen = r.U32(at + 4);
            found = true;
        }
        if (!found) return std::nullopt;
        const bool subdirectory = chosen & 0x80000000u;
        if ((level < 2) != subdirectory) return std::nullopt;
        dir = *root + (chosen & 0x7FFFFFFFu);
    }
    if (!r.Has(dir, 8)) return std::nullopt;
    const auto data = offsetOf(r.U32(dir));
    const uint64_t size = r.U32(dir + 4);
    if (!data || !r.Has(*data, size)) return std::nullopt;
    // VS_FIXEDFILEINFO begins with the signature FEEF04BD, 4-byte aligned inside the block.
    for (uint64_t at = *data; at + 16 <= *data + size; at += 4) {
        if (r.U32(at) == 0xFEEF04BDu) return FileVersion{r.U32(at + 8), r.U32(at + 12)};
    }
    return std::nullopt;
}

std::string VersionText(const FileVersion& v) {
    return "Version " + std::to_string(v.high >> 16) + "." + std::to_string(v.high & 0xFFFF) + "." +
           std::to_string(v.low >> 16);
}

}  // namespace wepo
