// The registry of preview runs and the NC word splitter.
#include "wepo/core/preview/PreviewRunFlag.h"

#include <mutex>
#include <set>

namespace wepo {

namespace {
struct Registry {
    std::mutex mutex;
    std::set<PreviewRun*> runs;
};
Registry& TheRegistry() {
    static Registry r;
    return r;
}
}  // namespace

PreviewRunScope::PreviewRunScope(PreviewRun& run) : run_(run) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.runs.insert(&run_);
}

PreviewRunScope::~PreviewRunScope() {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.runs.erase(&run_);
}

int SetPreviewRunFlag(int value) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    int previous = 0;
    for (PreviewRun* run : r.runs) previous |= run->Running() ? 1 : 0;
    if (value == 0)
        for (PreviewRun* run : r.runs) run->Stop();
    return previous;
}

const char* SplitNcWord(const char* line, std::string* out, size_t outSize) {
    if (out) out->clear();
    if (!line) return nullptr;
    const char* p = line;
    while (*p && static_cast<unsigned char>(*p) <= 0x20) ++p;
    if (*p == '(') {
        while (*p && *p != ')') ++p;
        if (*p == ')') ++p;
    }
    if (!*p) return nullptr;
    const char* word = p;
    while (*p && !(*p >= '0' && *p <= '9')) ++p;
    if (!*p) return nullptr;
    while ((*p >= '0' && *p <= '9') || *p == '+' || *p == '-' || *p == '.') ++p;
    if (out && static_cast<size_t>(p - word) < outSize) out->assign(word, p);
    return *p ? p : nullptr;
}

}  // namespace wepo
