// CNcTextEditLine: the line-number margin over the left edge of the NC editor, where the NC
// list shows its marker and line-number columns.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class CNcTextEdit;

class CNcTextEditLine : public QWidget {
    Q_OBJECT
public:
    // width: the x at which the numbers end (they are right-aligned there).
    CNcTextEditLine(CNcTextEdit* editor, int width);

    QFont Font;           // the editor's font
    int CharHeight = 0;   // character height in pixels
    int LineSpacing = 0;  // pixels of a line beyond CharHeight
    int LineCount = 1;    // lines numbered at the last paint
    int FirstLine = 0;    // the editor's first visible line at the last paint
    int LineHeight = 0;   // CharHeight + LineSpacing
    int Width = 0;
    int TopOffset = 0;  // y of the first number when the editor has no lines

    void SetLineHeight(int height) { LineHeight = height; }
    void SetTopOffset(int offset) { TopOffset = offset; }

    // One number as it is painted: its top and its text.
    struct Number {
        int Y = 0;
        QString Text;
    };
    // The numbers of the lines in view: zero-padded to the digits of the line count, or the
    // editor's ORIGINSFT numbers (blank for 0). Updates LineCount and FirstLine.
    std::vector<Number> Numbers();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CNcTextEdit* editor_;
};
