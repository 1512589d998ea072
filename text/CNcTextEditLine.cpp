// CNcTextEditLine: the NC editor's line-number margin.
#include "text/CNcTextEditLine.h"

#include <QPainter>
#include <algorithm>

#include "text/CNcTextEdit.h"
#include "text/core/NcLineNumbers.h"

CNcTextEditLine::CNcTextEditLine(CNcTextEdit* editor, int width)
    : QWidget(editor), Width(width), editor_(editor) {
    setObjectName("NcTextEditLine");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::vector<CNcTextEditLine::Number> CNcTextEditLine::Numbers() {
    std::vector<Number> out;
    FirstLine = editor_->FirstVisibleLine();
    LineCount = editor_->LineCount();
    const bool originShift = editor_->OriginShiftNumbering();
    if (originShift) LineCount = std::min(LineCount, int(editor_->LineMap.size()));
    const int digits = DecimalDigits(size_t(std::max(LineCount, 0)));
    const int bottom = height() + 10;
    for (int i = FirstLine; i < LineCount; ++i) {
        // Each line's own top: a line drawn with a taller fallback face (Japanese text) moves
        // the ones below it.
        const int y = editor_->LineTop(i) + LineSpacing / 2;
        if (y > bottom) break;
        QString text;
        if (originShift) {
            const uint32_t n = editor_->LineMap[size_t(i)];
            text =
                n == 0 ? QStringLiteral(" ") : QString::fromStdString(FormatLineNumber(n, digits));
        } else {
            text = QString::fromStdString(FormatLineNumber(i + 1, digits));
        }
        out.push_back({y, text});
        if (y + 2 * std::max(LineHeight, 1) > bottom) break;
    }
    return out;
}

void CNcTextEditLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setFont(Font);
    p.setPen(Qt::black);
    const int lineHeight = std::max(LineHeight, CharHeight);
    for (const Number& n : Numbers())
        p.drawText(QRect(0, n.Y, Width, lineHeight), Qt::AlignRight | Qt::AlignTop, n.Text);
}
