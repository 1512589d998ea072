// Previews of drawings stored as text (EXF and DXF), and the line splitting they and the script
// preview share.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Cp932.h"
#include "wepo/core/preview/PreviewTypes.h"

namespace wepo {

// The lines of a text: a line ends at the first byte below 0x20 (a CP932 double-byte character
// stays whole); the control bytes that follow are passed over, so empty lines vanish. The whole
// text is used (its last byte included).
std::vector<std::string_view> SplitPreviewLines(std::string_view text);

// The same lines handed to f one by one while f returns true.
template <class F>
void ForEachPreviewLine(std::string_view text, F&& f) {
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x20) ++i;
        if (i >= text.size()) break;
        const size_t start = i;
        while (i < text.size() && static_cast<unsigned char>(text[i]) >= 0x20)
            i += platform::CharLength(text, i);
        if (!f(text.substr(start, i - start))) return;
    }
}

// Appends the lines of bytes with AppendPreviewLine until no line can fit any more (a drawing of
// a million lines gives the first few hundred).
void AppendPreviewLines(PreviewText& text, std::string_view bytes);

// Appends line and "\r\r\n" when the line's length plus 3 is below the room left.
void AppendPreviewLine(PreviewText& text, std::string_view line);

// An EXF drawing (file kind 7). Nothing is drawn before the first "AR " line; a command line
// whose numbers do not all read is passed over. The preview text is its name, number and
// designer.
PreviewDrawing ParseExfDrawing(std::string_view bytes, int mode, PreviewText& text,
                               const PreviewLabels& labels, const PreviewRun& run);

// A DXF drawing (kind 4): $EXTMIN/$EXTMAX applied once (else the frame 0, 0 - 420, 297), and the
// POINT, LINE, ARC, CIRCLE and TEXT entities of the ENTITIES section, read as group-code and
// value pairs (codes with or without their padding; keywords only as values of codes 0, 2 and
// 9); line types of group 6 set the pen for every later entity. The preview text is the file's
// lines.
PreviewDrawing ParseDxfDrawing(std::string_view bytes, int mode, PreviewText& text,
                               const PreviewRun& run);

// The characters a DXF text shows: "%%" and a digit take 5 bytes, another "%%" sequence 3, each
// counting one; a sequence cut by the end of the text ends the count.
size_t DxfTextLength(std::string_view text);

// The name a script's DIALOG_PREVIEW line gives (the first such line, any letter case, one
// character skipped, the name between double quotes, at most 259 bytes), or empty; the preview
// text receives the script's lines.
std::string ScriptPreviewName(std::string_view bytes, PreviewText& text);

}  // namespace wepo
