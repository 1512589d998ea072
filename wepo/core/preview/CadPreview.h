// Previews of the CAD product's files: native drawings, backups and the headers of its other
// products, as recorded primitives and preview text.
#pragma once

#include <string>
#include <string_view>

#include "wepo/core/preview/PreviewTypes.h"

namespace wepo {

// A native drawing (file kinds 0 and 1): points, lines and arcs with their pens and end marks,
// texts (or, with PRM_TEXT_BOXES, their boxes); the preview text is its name, number and
// designer. No picture for a file shorter than 1024 bytes or than its records, without a product
// name, or stopped through run.
PreviewDrawing ParseCadDrawing(std::string_view bytes, int mode, PreviewText& text,
                               const PreviewLabels& labels, const PreviewRun& run);
// A backup file (kind 24): its records with their pens, no end marks, texts always as boxes,
// every layer shown.
PreviewDrawing ParseCadBackup(std::string_view bytes, PreviewText& text,
                              const PreviewLabels& labels, const PreviewRun& run);
// The title fields of the headers of kinds 2 and 3 as preview text; never a picture.
void DescribeCadHeader(std::string_view bytes, int kind, PreviewText& text,
                       const PreviewLabels& labels);

// A text's bytes as read from its records (up to the first zero) with every single-byte '|',
// '_', '[' and ']' removed and the rest widened to full width (limit 256).
std::string CadTextOf(std::string raw);

// The preview text of the three title fields: "label\r\r\nfield padded to 42\r\r\n\r\r\n" each.
void AppendTitleFields(PreviewText& text, const PreviewLabels& labels, std::string_view name,
                       std::string_view number, std::string_view designer);

}  // namespace wepo
