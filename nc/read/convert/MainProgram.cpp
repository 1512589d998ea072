// The main-program converter: the program mark, sub-program calls by the program's base name
// and sub-program marks of a main program (".MPF") become G-code program lines.
#include "nc/NcAppContext.h"
#include "nc/read/CNcRead.h"
#include "nc/read/convert/ConvertText.h"
#include "platform/Cp932.h"
#include "platform/TextCodec.h"

using namespace ncconvert;

namespace {

// The program file name without folder and extension, in the bytes of the program text
// (CP932). A name stored with Windows folder separators loses them too.
std::string BaseName(const std::filesystem::path& file) {
    std::string name = platform::Utf8ToCp932(file.filename().string()).bytes;
    const size_t slash = platform::FindLastSingle(name, '\\');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = platform::FindLastSingle(name, '.');
    if (dot != std::string::npos) name.resize(dot);
    return name;
}

}  // namespace

// A program without a base name (".MPF") has no call lines to find: an empty name would match
// every line.
void CNcRead::ConvertMainProgram() {
    const std::string base = App ? BaseName(App->NcFileName) : std::string();
    for (std::string& line : Lines.Mutable()) {
        const std::string_view copy = TrimLeft(line);
        if (copy.starts_with(";MAIN")) {
            line = "O0";
        } else if (!base.empty() && copy.starts_with(base)) {
            line = ReplaceAll(copy, base, "M98P");
        } else if (copy.starts_with("(*")) {
            line = ReplaceAll(copy, "(*", "O");
        } else {
            line = std::string(copy);
        }
    }
}
