// The string cache over the table compiled into the library as a Qt resource.
#include "wepo/util/StringCache.h"

#include <QFile>
#include <map>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <utility>

#include "platform/StringTable.h"

namespace wepo {

namespace {

struct Cache {
    std::shared_mutex mutex;
    bool loaded = false;
    platform::StringTable table;
    // Nodes of a std::map never move, so the texts handed out stay where they are.
    std::map<std::pair<unsigned, platform::Language>, std::string> texts;
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

}  // namespace

const void* LibraryModule() {
    static const char module = 0;
    return &module;
}

const char* LoadStringCached(const void* module, unsigned id) {
    if (module != LibraryModule()) return nullptr;
    Cache& c = TheCache();
    const auto key = std::make_pair(id, platform::CurrentLanguage());
    {
        std::shared_lock lock(c.mutex);
        auto it = c.texts.find(key);
        if (it != c.texts.end()) return it->second.c_str();
        if (c.loaded && !c.table.Contains(id)) return nullptr;
    }
    std::unique_lock lock(c.mutex);
    if (!c.loaded) {
        QFile file(QStringLiteral(":/wepo/strings.tsv"));
        if (file.open(QIODevice::ReadOnly)) {
            QByteArray bytes = file.readAll();
            c.table.Parse(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        }
        c.loaded = true;
    }
    auto it = c.texts.find(key);
    if (it != c.texts.end()) return it->second.c_str();
    std::string text = c.table.Get(id, key.second);
    if (text.empty()) return nullptr;
    return c.texts.emplace(key, std::move(text)).first->second.c_str();
}

}  // namespace wepo
