// The manual move.
#include "text/core/ManualMove.h"

#include "nc/machine/CNcReadInfo.h"
#include "platform/Cp932.h"
#include "text/core/CoordShift.h"
#include "text/core/NcOpsHost.h"

int ManualMoveLine(NcOpsHost& host, int axis, int line, double step) {
    static constexpr char kLetters[] = "XYZCA";
    if (host.TraceActive() || axis < 0 || axis > 4 || line < 0 ||
        size_t(line) >= host.Lines().size())
        return 0;
    const std::string& original = host.Lines()[size_t(line)];
    std::string text = original;
    std::string tail;
    if (const size_t open = platform::FindFirstSingle(text, '('); open != std::string::npos) {
        tail = text.substr(open);
        text.resize(open);
    }
    if (text.empty()) return 0;

    const CNcReadInfo& machine = host.Machine();
    CNcReadInfo one;
    one.Axis.fill({});
    one.Axis[0] = std::string(1, kLetters[axis]);
    one.Permit.fill(0);
    one.Permit[0] = 1;
    one.Offset.fill(0.0);
    one.Offset[0] = step;
    one.ZeroTimes = machine.ZeroTimes;
    one.NcFigure = machine.NcFigure;
    one.ZeroSuppress = machine.ZeroSuppress;
    one.HeadType = machine.HeadType;
    if (!ShiftLine(text, one, 1, nullptr, 1, &host.Prompt())) return 0;
    text += tail;
    if (text == original) return 0;
    host.ReplaceLine(size_t(line), std::move(text));
    host.LinesChanged();
    return 1;
}
