// Check of the NC file framing: the lines a file is read as, and the bytes a save writes back.
#pragma once

#include <string>
#include <string_view>

#include "app/core/NcProgramFile.h"

namespace fuzzcheck {

// Splits the bytes as an NC file is read (the first byte's low bit: the "%" rule) and joins
// them back as a save writes them. The bytes must come back whole whenever the file's line ends
// are all LF or all CR LF (a file of mixed ends gets CR LF throughout); the lines never hold a
// line feed, and the text read never passes a 0x1A byte. "" when all holds, else what failed.
inline std::string CheckNcFile(std::string_view bytes) {
    const bool percentRule = !bytes.empty() && (static_cast<unsigned char>(bytes[0]) & 1) != 0;
    const NcLoadResult read = SplitNcText(bytes, percentRule);
    size_t crlf = 0, lf = 0;
    for (const std::string& line : read.lines)
        if (line.find('\n') != std::string::npos) return "a line holds a line feed";
    const std::string_view text =
        std::string_view(bytes).substr(0, bytes.size() - read.frame.rest.size());
    if (text.find('\x1a') != std::string_view::npos) return "the text read passes a 0x1A byte";
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') ++(i > 0 && text[i - 1] == '\r' ? crlf : lf);
    const std::string joined = JoinNcText(read.lines, 0, read.lines.size(), read.frame);
    if ((crlf == 0 || lf == 0) && joined != bytes) return "open and save changed the bytes";
    if (joined.size() > bytes.size() + lf) return "the save grew beyond one CR per line";
    return {};
}

}  // namespace fuzzcheck
