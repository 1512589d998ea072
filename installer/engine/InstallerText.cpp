// The installer's string rows and placeholder filling.
#include "installer/engine/InstallerText.h"

#include <memory>

#include "platform/StringTable.h"

namespace installer {

namespace {

std::unique_ptr<platform::StringTable>& OwnTable() {
    static std::unique_ptr<platform::StringTable> table;
    return table;
}

}  // namespace

void UseInstallerStrings(std::string_view tableText) {
    auto t = std::make_unique<platform::StringTable>();
    t->Parse(tableText);
    OwnTable() = std::move(t);
}

std::string InstallerString(unsigned id) {
    if (const auto& t = OwnTable()) return t->Get(kStringBase + id, platform::CurrentLanguage());
    return platform::LoadString(kStringBase + id);
}

std::string FormatText(std::string_view format, const std::vector<std::string>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        char k = format[i + 1];
        if (k == '%') {
            out += '%';
            ++i;
        } else if (k == 's' || k == 'd' || k == 'u') {
            if (next < args.size()) out += args[next];
            ++next;
            ++i;
        } else if (k >= '1' && k <= '9') {
            size_t n = static_cast<size_t>(k - '1');
            if (n < args.size()) out += args[n];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string InstallerMessage(unsigned id, const std::vector<std::string>& args,
                             std::string_view lead) {
    return std::string(lead) + FormatText(InstallerString(id), args);
}

}  // namespace installer
