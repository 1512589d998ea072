// The skip log of the outside library: loading and initialising it, its 56-byte record, and
// the route of an interrupted job rebuilt from it (process mode 4).
#include <bit>

#include "nc/NcAppContext.h"
#include "nc/machine/CNcReadInfo.h"
#include "platform/Profile.h"
#include "text/core/NcOpsHost.h"
#include "text/core/NcTraceEngine.h"
#include "text/core/TextStrings.h"

namespace {

constexpr char kSection[] = "Setting for 16ILB";
constexpr char kPathKey[] = "derore_Path";
constexpr char kLibraryName[] = "derore.dll";
constexpr unsigned kCantGetSkipLog = 29800;

template <class U>
U GetLE(const SkipLogRecord::Bytes& b, size_t at) {
    U value = 0;
    for (size_t i = 0; i < sizeof(U); ++i) value |= static_cast<U>(b[at + i]) << (8 * i);
    return value;
}

}  // namespace

SkipLogRecord SkipLogRecord::FromBytes(const Bytes& b) {
    SkipLogRecord r;
    r.MainProgram = static_cast<int32_t>(GetLE<uint32_t>(b, 4));
    r.SubProgram = static_cast<int32_t>(GetLE<uint32_t>(b, 8));
    r.MainSequence = static_cast<int32_t>(GetLE<uint32_t>(b, 12));
    r.SubSequence = static_cast<int32_t>(GetLE<uint32_t>(b, 16));
    r.X = std::bit_cast<double>(GetLE<uint64_t>(b, 40));
    r.Y = std::bit_cast<double>(GetLE<uint64_t>(b, 48));
    return r;
}

int NcTraceEngine::LoadDerOre() {
    DerOreLoaded = 0;
    DerOre.Close();
    const std::filesystem::path ini = document_.SystemIniPath();
    const NcAppContext* app = document_.AppContext();
    // The program's own folder by default: a Windows folder written back would never load.
    const std::string fallback = app ? app->ProgramFolder.string() : std::string();
    const std::string folder = platform::GetProfileString(kSection, kPathKey, fallback, ini);
    if (!ini.empty()) platform::WriteProfileString(kSection, kPathKey, folder, ini);
    // The folder joined to the file name: a stored folder without its separator works too.
    // A library loaded already is shared (the loader counts the references), so closing ours
    // never frees another's.
    if (folder.empty() || !DerOre.Open(folder, kLibraryName)) return 0;
    using InitFn = int (*)();
    const auto init = DerOre.Function<InitFn>("flDllInit");
    if (init == nullptr || init() != 0) {
        DerOre.Close();
        return 0;
    }
    DerOreLoaded = 1;
    return 1;
}

int NcTraceEngine::CallGetSkipLog(SkipLogRecord::Bytes& record) {
    if (!DerOreLoaded) return 0;
    using GetSkipLogFn = int (*)(void*);
    const auto get = DerOre.Function<GetSkipLogFn>("GetSkipLog");
    if (get == nullptr) return 0;
    // The library writes into our buffer of the record's size.
    return get(record.data()) == 0 ? 1 : 0;
}

int NcTraceEngine::ResumeFromSkipLog() {
    host_.SkipLogElements().Empty();
    SkipLogRecord::Bytes bytes{};
    if (CallGetSkipLog(bytes) == 0) {
        host_.ShowWarning(TextString(kCantGetSkipLog));
        return -1;
    }
    const SkipLogRecord record = SkipLogRecord::FromBytes(bytes);
    // The resume reads with the trace's reader: an open trace ends first.
    if (host_.TraceActive() != 0) StopTrace();

    Reader.App = document_.AppContext();
    Reader.SetProgram(document_.Lines(), &document_.Machine(), document_.Conditions(), 0);
    runner_.Restart(0);
    FinishSubProgram = 0;
    TargetMainProgram = record.MainProgram;
    TargetSubProgram = record.SubProgram;
    TargetMainSequence = record.MainSequence == 0 ? -1 : record.MainSequence;
    TargetSubSequence = record.SubSequence;
    TargetX = record.X;
    TargetY = record.Y;
    TargetMoveKind = 200;
    TraceType = 0;

    if (RunToPosition(0) == -1) return -1;
    CDtbEngine& route = host_.SkipLogElements();
    RunSequenceBlocks(1, &route);
    const int rapidPen = Reader.Settings ? Reader.Settings->PenKind[PenFF] : -1;
    MarkRapidElements(&route, rapidPen);
    host_.SetSkipLogRouteInViews(&route);
    const CxyzData start(TargetX, TargetY, 0.0);
    host_.SetSkipLogStart(start);
    host_.MoveTorchMarkInViews(4, &start, 200);
    host_.InvalidateFrame();
    return 0;
}
