// The toolkit on Qt: pictures, drawing modes, font records, window arrangement.
#include "wepo/toolkit/Toolkit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QProcess>
#include <QWidget>

namespace {

const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255),
           kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);

// A 2 x 2 picture: red, green / blue, white.
QImage Quad() {
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, kRed);
    image.setPixel(1, 0, kGreen);
    image.setPixel(0, 1, kBlue);
    image.setPixel(1, 1, kWhite);
    return image;
}

QImage Canvas(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kBlack);
    return image;
}

TEST(ToolkitTest, DrawBitmapExModes) {
    const QImage quad = Quad();
    {  // Stretch: each source pixel becomes a 2 x 2 block (the alignment bits do not apply).
        QImage out = Canvas(4, 4);
        QPainter p(&out);
        QRect target(0, 0, 4, 4);
        ASSERT_EQ(wepo::DrawBitmapEx(&p, quad, &target, nullptr, Qt::black, 0x222), 1);
        p.end();
        EXPECT_EQ(out.pixel(1, 1), kRed);
        EXPECT_EQ(out.pixel(2, 1), kGreen);
        EXPECT_EQ(out.pixel(3, 3), kWhite);
    }
    {  // Tile from the top left.
        QImage out = Canvas(5, 3);
        QPainter p(&out);
        QRect target(0, 0, 5, 3);
        ASSERT_EQ(wepo::DrawBitmapEx(&p, quad, &target, nullptr, Qt::black, wepo::kBitmapTile), 1);
        p.end();
        EXPECT_EQ(out.pixel(2, 0), kRed);
        EXPECT_EQ(out.pixel(4, 2), kRed);
        EXPECT_EQ(out.pixel(3, 1), kWhite);
    }
    {  // Copy into a wider target aligned right and at the bottom.
        QImage out = Canvas(4, 4);
        QPainter p(&out);
        QRect target(0, 0, 4, 4);
        ASSERT_EQ(wepo::DrawBitmapEx(&p, quad, &target, nullptr, Qt::black,
                                     wepo::kBitmapCopy | wepo::kAlignRight | wepo::kAlignBottom),
                  1);
        p.end();
        EXPECT_EQ(out.pixel(0, 0), kBlack);
        EXPECT_EQ(out.pixel(2, 2), kRed);
        EXPECT_EQ(out.pixel(3, 3), kWhite);
    }
    {  // Copy into a narrower target centred: the source is cut (3 wide into 1: middle column).
        QImage wide(3, 1, QImage::Format_RGB32);
        wide.setPixel(0, 0, kRed);
        wide.setPixel(1, 0, kGreen);
        wide.setPixel(2, 0, kBlue);
        QImage out = Canvas(1, 1);
        QPainter p(&out);
        QRect target(0, 0, 1, 1);
        ASSERT_EQ(wepo::DrawBitmapEx(&p, wide, &target, nullptr, Qt::black,
                                     wepo::kBitmapCopy | wepo::kAlignCentreX),
                  1);
        p.end();
        EXPECT_EQ(out.pixel(0, 0), kGreen);
    }
    {  // Transparent copy: green leaves the target as it was.
        QImage out = Canvas(2, 2);
        QPainter p(&out);
        ASSERT_EQ(wepo::DrawBitmapEx(&p, quad, nullptr, nullptr, QColor(kGreen), 0), 1);
        p.end();
        EXPECT_EQ(out.pixel(0, 0), kRed);
        EXPECT_EQ(out.pixel(1, 0), kBlack);
        EXPECT_EQ(out.pixel(1, 1), kWhite);
    }
    {  // A source beyond the picture draws nothing.
        QImage out = Canvas(2, 2);
        QPainter p(&out);
        QRect source(1, 1, 2, 2);
        EXPECT_EQ(wepo::DrawBitmapEx(&p, quad, nullptr, &source, Qt::black, wepo::kBitmapCopy), 0);
        EXPECT_EQ(wepo::DrawBitmapEx(&p, QImage(), nullptr, nullptr, Qt::black, wepo::kBitmapCopy),
                  0);
        EXPECT_EQ(wepo::DrawBitmapEx(nullptr, quad, nullptr, nullptr, Qt::black, wepo::kBitmapCopy),
                  0);
        p.end();
        EXPECT_EQ(out.pixel(1, 1), kBlack);
    }
}

TEST(ToolkitTest, MakeDisabledBitmapKeepsTheButtonFace) {
    const QRgb face = QApplication::palette().color(QPalette::Button).rgb();
    const QRgb shadow = QApplication::palette().color(QPalette::Dark).rgb();
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, face);
    image.setPixel(1, 0, kRed);
    QImage out = wepo::MakeDisabledBitmap(image);
    ASSERT_EQ(out.size(), image.size());
    EXPECT_EQ(out.pixel(0, 0), face);
    EXPECT_EQ(out.pixel(1, 0), shadow);
    EXPECT_TRUE(wepo::MakeDisabledBitmap(QImage()).isNull());
}

TEST(ToolkitTest, FontRecordBounds) {
    std::unique_ptr<wepo::FontBlock> block(wepo::ListFontFamilies(nullptr, 0));
    ASSERT_NE(block, nullptr);
    int count = wepo::GetFontRecordCount(block.get());
    wepo::FontRecord record;
    EXPECT_EQ(wepo::GetFontRecord(block.get(), count, &record), 0);
    EXPECT_EQ(wepo::GetFontRecord(block.get(), -1, &record), 0);
    EXPECT_EQ(wepo::GetFontRecord(nullptr, 0, &record), 0);
    EXPECT_EQ(wepo::SetFontRecord(block.get(), count, record), 0);
    if (count > 0) {
        ASSERT_EQ(wepo::GetFontRecord(block.get(), 0, &record), 1);
        record.family = "Changed";
        ASSERT_EQ(wepo::SetFontRecord(block.get(), 0, record), 1);
        wepo::FontRecord back;
        wepo::GetFontRecord(block.get(), 0, &back);
        EXPECT_EQ(back.family, "Changed");
    }
    // A mask no font type matches lists nothing.
    std::unique_ptr<wepo::FontBlock> none(wepo::ListFontFamilies(nullptr, wepo::kDeviceFont));
    EXPECT_EQ(wepo::GetFontRecordCount(none.get()), 0);
}

TEST(ToolkitTest, TileAndCascadeChildren) {
    QWidget parent;
    parent.resize(600, 400);
    std::vector<QWidget*> children;
    for (int i = 0; i < 5; ++i) children.push_back(new QWidget(&parent));
    EXPECT_EQ(wepo::CountUnownedChildren(&parent), 5);
    ASSERT_EQ(wepo::TileChildWindows(&parent), 1);
    // From the top of the stacking order down: the last child is first, top left.
    EXPECT_EQ(children[4]->geometry(), QRect(0, 0, 300, 200));
    EXPECT_EQ(children[0]->geometry(), QRect(300, 266, 300, 133));
    children[0]->setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(wepo::CountIconicChildren(&parent), 1);
    ASSERT_EQ(wepo::CascadeChildWindows(&parent), 1);
    EXPECT_EQ(children[1]->pos(), QPoint(0, 0));
    EXPECT_GT(children[2]->pos().x(), 0);
    wepo::MinimizeOrRestoreChildren(&parent, true);
    EXPECT_EQ(wepo::CountIconicChildren(&parent), 5);
    EXPECT_EQ(wepo::CascadeChildWindows(&parent), 0);  // only icons
    wepo::MinimizeOrRestoreChildren(&parent, false);
    EXPECT_EQ(wepo::CountIconicChildren(&parent), 0);
    QWidget empty;
    EXPECT_EQ(wepo::TileChildWindows(&empty), 0);
}

TEST(ToolkitTest, WindowHelpers) {
    QWidget top;
    top.setGeometry(10, 10, 200, 100);
    QWidget inner(&top);
    inner.setGeometry(5, 5, 50, 50);
    auto* innermost = new QWidget(&inner);
    EXPECT_EQ(wepo::GetTopParent(innermost), &top);
    EXPECT_EQ(wepo::GetTopParent(nullptr), nullptr);
    EXPECT_EQ(wepo::MoveWindowBy(&inner, 3, 4), 1);
    EXPECT_EQ(inner.pos(), QPoint(8, 9));
    EXPECT_EQ(wepo::MoveWindowBy(nullptr, 3, 4), 0);
    QSize size;
    QString text = "Punch";
    EXPECT_EQ(wepo::GetTextSize(&top, &text, &size), 1);
    EXPECT_GT(size.width(), 0);
    EXPECT_EQ(wepo::GetTextSize(&top, nullptr, nullptr), 0);

    QWidget* made = wepo::RecreateWindow(&inner, nullptr);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->isWindow());
    EXPECT_EQ(innermost->parentWidget(), made);
    delete made;
    EXPECT_EQ(wepo::RecreateWindow(nullptr, nullptr), nullptr);

    QWidget owned(&top, Qt::Dialog);
    wepo::EnableOwnedWindows(&top, false);
    EXPECT_FALSE(owned.isEnabled());
    wepo::EnableOwnedWindows(&top, true);
    EXPECT_TRUE(owned.isEnabled());
    EXPECT_GE(wepo::CountClassWindows(nullptr), 2);
    EXPECT_EQ(wepo::FindProcessWindow(-5), nullptr);
}

}  // namespace
