// CColorButton: the push button that shows a colour as a swatch.
#pragma once

#include <QColor>
#include <QPushButton>

// The owner assigns Red, Green and Blue and calls update(); a click goes to the owner, which runs
// the colour chooser. Only the low byte of each member is painted (256 paints as 0), so a value
// read from a file is kept as it is until the user chooses a colour. The caption is never drawn.
class CColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit CColorButton(QWidget* parent = nullptr);

    int Red = 255;
    int Green = 255;
    int Blue = 255;

    // The swatch colour of the low bytes.
    QColor Swatch() const;
    // Red, Green and Blue from a chosen colour.
    void SetColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
};
