// The shared conversion-table object.
#include "settings/SharedReplaceTable.h"

#include <memory>

#include "nc/machine/CNcReplaceInfo.h"

namespace {

struct Shared {
    const NcAppContext* ctx = nullptr;
    std::unique_ptr<CNcReplaceInfo> table;
};

Shared& TheShared() {
    static Shared shared;
    return shared;
}

}  // namespace

CNcReplaceInfo& ReplaceSharedTable(const NcAppContext& ctx) {
    Shared& s = TheShared();
    s.ctx = &ctx;
    s.table = std::make_unique<CNcReplaceInfo>(ctx);
    return *s.table;
}

CNcReplaceInfo& SharedReplaceTable(const NcAppContext& ctx) {
    Shared& s = TheShared();
    // Another context, or the same one now naming another table folder (a new machine file).
    if (!s.table || s.ctx != &ctx || CNcReplaceInfo(ctx).TableFolder != s.table->TableFolder)
        return ReplaceSharedTable(ctx);
    return *s.table;
}
