// The colour button's pixels: swatch of the low bytes, raised and pressed rings.
#include <QImage>

#include "settings/CColorButton.h"

#include <gtest/gtest.h>

namespace {

QColor At(const QImage& img, int x, int y) {
    return QColor(img.pixel(x, y));
}

TEST(ColorButton, NewButtonIsWhiteAndRaised) {
    CColorButton b;
    b.resize(40, 24);
    EXPECT_EQ(b.Swatch(), QColor(255, 255, 255));
    const QImage img = b.grab().toImage();
    EXPECT_EQ(At(img, 0, 0), QColor(Qt::white));
    EXPECT_EQ(At(img, 39, 23), QColor(Qt::black));
    EXPECT_EQ(At(img, 20, 12), QColor(Qt::white));
}

TEST(ColorButton, RaisedAndPressedRingsAroundTheLowByteSwatch) {
    CColorButton b;
    b.setText("never drawn");
    b.resize(40, 24);
    b.Red = 256 + 10;
    b.Green = 20;
    b.Blue = 30;
    const QColor swatch(10, 20, 30);
    QImage img = b.grab().toImage();
    // Two rings: white over black.
    EXPECT_EQ(At(img, 0, 0), QColor(Qt::white));
    EXPECT_EQ(At(img, 1, 1), QColor(Qt::white));
    EXPECT_EQ(At(img, 20, 0), QColor(Qt::white));
    EXPECT_EQ(At(img, 0, 12), QColor(Qt::white));
    EXPECT_EQ(At(img, 39, 0), QColor(Qt::black));  // top-right belongs to the right side
    EXPECT_EQ(At(img, 0, 23), QColor(Qt::black));
    EXPECT_EQ(At(img, 39, 23), QColor(Qt::black));
    EXPECT_EQ(At(img, 38, 22), QColor(Qt::black));
    EXPECT_EQ(At(img, 20, 23), QColor(Qt::black));
    EXPECT_EQ(At(img, 2, 2), swatch);
    EXPECT_EQ(At(img, 20, 12), swatch);  // no caption

    b.setDown(true);
    img = b.grab().toImage();
    EXPECT_EQ(At(img, 0, 0), QColor(Qt::black));
    EXPECT_EQ(At(img, 39, 23), QColor(Qt::black));
    EXPECT_EQ(At(img, 1, 1), swatch);
    EXPECT_EQ(At(img, 38, 22), swatch);
    EXPECT_EQ(At(img, 20, 12), swatch);
}

}  // namespace
