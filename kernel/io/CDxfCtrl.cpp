// The DXF output: settings, file choice, extents, header, entities and the move into place.
#include "kernel/io/CDxfCtrl.h"

#include <cmath>
#include <optional>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/DtbWalk.h"
#include "kernel/io/ApproachJoint.h"
#include "kernel/io/DxfHeaderTemplate.h"
#include "kernel/io/DxfText.h"
#include "kernel/io/ReadWholeFile.h"
#include "platform/Cp932.h"
#include "platform/Paths.h"
#include "platform/StringTable.h"
#include "platform/UserPrompt.h"

namespace {

constexpr unsigned kMsgNothing = 61619;
constexpr unsigned kMsgCreate = 61620;
constexpr unsigned kMsgTemplate = 61621;
constexpr unsigned kMsgOutput = 61623;
constexpr unsigned kTitleSave = 61581;
constexpr unsigned kFilterSave = 61582;

// The English texts, for a string table that lacks them.
std::string Text(unsigned id) {
    std::string s = platform::LoadString(id);
    if (!s.empty()) return s;
    switch (id) {
        case kMsgNothing:
            return "No element data to output exist \n\nPlease confirm setting file";
        case kMsgCreate:
            return "Failure to create DXF file\n\n[%s]";
        case kMsgTemplate:
            return "Failure to open header file of DXF file \n\nPlease confirm header "
                   "file\n\n[%s]";
        case kMsgOutput:
            return "Failure to output DXF file\n\nThe file might be used by other "
                   "application\n\n[%s]";
        case kTitleSave:
            return "Save dxf file";
        case kFilterSave:
            return "Dxf file (*.dxf)|*.dxf|All Files (*.*)|*.*||";
        default:
            return {};
    }
}

// "Desc|*.a;*.b|..||" as the prompt's "Desc (*.a *.b);;..." form.
std::string PromptFilter(std::string_view mfc) {
    std::string out;
    while (!mfc.empty()) {
        size_t bar = mfc.find('|');
        std::string_view desc = mfc.substr(0, bar);
        if (bar == std::string_view::npos || desc.empty()) break;
        mfc.remove_prefix(bar + 1);
        bar = mfc.find('|');
        std::string_view pattern = mfc.substr(0, bar);
        mfc.remove_prefix(bar == std::string_view::npos ? mfc.size() : bar + 1);
        if (!out.empty()) out += ";;";
        out += desc;
        if (desc.find('(') == std::string_view::npos) {
            out += " (";
            for (char c : pattern) out += c == ';' ? ' ' : c;
            out += ')';
        }
    }
    return out;
}

std::string FileNameOf(std::string_view path) {
    size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// A sweep within 0.001 degrees of 0 or of whole turns: written as a CIRCLE.
bool IsFullCircle(const CDtbArc& a) {
    const double d = a.endAngle - a.startAngle;
    return std::fabs(d) < 0.001 || IsWholeTurn(d, 0.001);
}

void Head(std::string& out, std::string_view kind, const DxfLayerStyle& style) {
    dxftext::Code(out, 0);
    dxftext::Line(out, kind);
    dxftext::Code(out, 8);
    dxftext::Line(out, style.layer);
    dxftext::Code(out, 6);
    dxftext::Line(out, DxfLineTypeName(style.lineTypeNo));
    dxftext::Code(out, 62);
    dxftext::Int6(out, DxfColourOfPen(style.penNo));
}

void Group(std::string& out, int code, double value) {
    dxftext::Code(out, code);
    dxftext::Real(out, value);
}

}  // namespace

CDxfCtrl::CDxfCtrl(CDtbEngine* source, DxfAppServices services)
    : source_(source), services_(std::move(services)) {}

int CDxfCtrl::ReadSettings() {
    settings.Read(services_.IniPath);
    templatePath = services_.ProgramFolder / "MVDXF.HED";
    return 1;
}

void CDxfCtrl::Tell(unsigned id, std::string_view arg) const {
    if (!services_.Prompt) return;
    std::string text = Text(id);
    // The argument is put in by hand: a path must never act as a format.
    size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, arg);
    services_.Prompt->Message(text, platform::PromptIcon::Warning, platform::PromptButtons::Ok);
}

std::vector<std::string> CDxfCtrl::LayerList() const {
    std::vector<std::string> layers;
    auto add = [&layers](const DxfLayerStyle& style) {
        if (!style.output) return;
        for (const std::string& have : layers)
            if (platform::EqualsNoCase(have, style.layer)) return;
        layers.push_back(style.layer);
    };
    add(settings.cut);
    add(settings.mark);
    add(settings.rapid);
    return layers;
}

int CDxfCtrl::OutputDxf(int useGivenName, std::string& path) {
    // The work copy is emptied however the output ends.
    struct EmptyOnExit {
        CDtbEngine& engine;
        ~EmptyOnExit() { engine.Empty(); }
    } emptyOnExit{workCopy_};

    if (useGivenName) {
        if (path.find('.') == std::string::npos) path += ".dxf";
    } else {
        if (!services_.Prompt) return kCancelled;
        std::optional<std::string> chosen = services_.Prompt->AskFileName(
            Text(kTitleSave), PromptFilter(Text(kFilterSave)), path, true);
        if (!chosen || chosen->empty()) return kCancelled;
        path = *chosen;
        // The dialog's default extension: a name typed without one gets ".dxf".
        if (FileNameOf(path).find('.') == std::string::npos) path += ".dxf";
    }

    const uint32_t mask = settings.OutputMask();
    if ((mask & 15u) == 0) {
        Tell(kMsgNothing, {});
        return kNothingToWrite;
    }

    // Extents of the unprocessed source under the mask, widened by 3 %. A source with nothing
    // under the mask writes zero extents rather than the untouched +-1e15 box.
    CxyData min(1e15, 1e15);
    CxyData max(-1e15, -1e15);
    if (!source_ || !source_->MinMaxMask(&min, &max, mask)) {
        min = CxyData();
        max = CxyData();
    }
    const double w = std::fabs(max.x - min.x);
    const double h = std::fabs(max.y - min.y);
    min.x -= 0.03 * w;
    max.x += 0.03 * w;
    min.y -= 0.03 * h;
    max.y += 0.03 * h;

    const CDtbEngine* from = source_;
    if (settings.aprProc && source_) {
        MakeApproachJoint();
        from = &workCopy_;
    }

    // Through a link the file it names is written; the temporary file goes beside that one,
    // so that the rename stays within one file system.
    const std::filesystem::path target = platform::FileToReplace(path);
    std::optional<platform::TempFile> temp = platform::TempFile::CreateBeside(target, ".tmp");
    if (!temp) {
        std::filesystem::path folder = target.parent_path();
        if (folder.empty()) folder = ".";
        Tell(kMsgCreate, (folder / ("." + target.filename().string() + ".XXXXXX.tmp")).string());
        return kCannotCreate;
    }

    std::string text;
    text.reserve(1 << 16);
    const int r = WriteDxfFile(text, from ? from->GetFirstElement() : nullptr, min, max, mask);
    if (r == kNothingToWrite) {
        Tell(kMsgNothing, {});
        return r;
    }
    if (r == kNoTemplate) {
        Tell(kMsgTemplate, templatePath.string());
        return r;
    }
    // A failed write (a full disk) is reported like a failed move: the old file stays. So is
    // a read-only file, which the rename would replace as readily as any other.
    if (!platform::MayReplaceFile(target) || !temp->Write(text) || !temp->CommitTo(target)) {
        temp.reset();  // gone before the message waits for the user
        Tell(kMsgOutput, path);
        return kCannotMove;
    }
    return kWritten;
}

int CDxfCtrl::WriteDxfFile(std::string& out, CDtbElement* first, const CxyData& min,
                           const CxyData& max, uint32_t mask) {
    if ((mask & 15u) == 0) return kNothingToWrite;
    std::optional<std::string> templ = ReadWholeFile(templatePath);
    if (!templ) return kNoTemplate;
    WriteHeader(out, *templ, min, max);
    if (!WriteEntities(out, first, mask)) return kNothingToWrite;
    dxftext::Code(out, 0);
    dxftext::Line(out, "ENDSEC");
    dxftext::Code(out, 0);
    dxftext::Line(out, "EOF");
    return kWritten;
}

int CDxfCtrl::WriteHeader(std::string& out, std::string_view templ, const CxyData& min,
                          const CxyData& max) {
    DxfHeaderValues values;
    values.ncName = services_.NcName;
    values.min = min;
    values.max = max;
    values.layers = LayerList();
    FillDxfHeader(templ, values, out);
    return 0;
}

int CDxfCtrl::WriteEntities(std::string& out, const CDtbElement* chain, uint32_t mask) {
    int result = 0;
    for (const CDtbElement* e = chain; e; e = e->link.next) {
        if (e->noDisplay) continue;
        if (const CDtbNode* node = DtbCast<CDtbNode>(e)) {
            WriteEntities(out, node->firstChild, mask);
            result = 1;
            continue;
        }
        if (!e->IsLine() && !e->IsArc()) continue;
        const CDtbInfo* info = DtbInfoOf(e);
        if ((static_cast<uint32_t>(info->classBits) & mask) == 0) continue;
        WriteEntity(out, e, info->classBits);
        result = 1;
    }
    return result;
}

const DxfLayerStyle& CDxfCtrl::StyleOf(const CDtbElement* e, int classBits) const {
    if (e->GetOption(7) == kOptionApproach) return settings.approach;
    if (e->GetOption(7) == kOptionJoint) return settings.joint;
    if (classBits == 2) return settings.mark;
    if (classBits == 4 || classBits == 8) return settings.cut;
    return settings.rapid;
}

int CDxfCtrl::WriteEntity(std::string& out, const CDtbElement* e, int classBits) {
    const DxfLayerStyle& style = StyleOf(e, classBits);
    if (const CDtbLine* line = DtbCast<CDtbLine>(e)) {
        Head(out, "LINE", style);
        Group(out, 10, line->start.x);
        Group(out, 20, line->start.y);
        Group(out, 11, line->end.x);
        Group(out, 21, line->end.y);
        return 1;
    }
    if (const CDtbArc* arc = DtbCast<CDtbArc>(e)) {
        const bool circle = IsFullCircle(*arc);
        Head(out, circle ? "CIRCLE" : "ARC", style);
        Group(out, 10, arc->centre.x);
        Group(out, 20, arc->centre.y);
        Group(out, 40, arc->radius);
        if (!circle) {
            Group(out, 50, arc->startAngle);
            Group(out, 51, arc->endAngle);
        }
        return 1;
    }
    return 0;
}

int CDxfCtrl::MakeApproachJoint() {
    workCopy_.Empty();
    if (!source_) return 0;
    workCopy_.AppendDtb(source_);
    ApproachJoint walk(workCopy_, settings.aprMode, settings.jointLen, settings.aprChkLen);
    walk.Run();
    return 0;
}
