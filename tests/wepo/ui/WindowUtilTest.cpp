// Window utilities: strings of the library, centring, re-layout, 3-D frames.
#include "wepo/util/WindowUtil.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <cstring>
#include <string>
#include <vector>

#include "platform/StringTable.h"
#include "wepo/util/StringCache.h"

namespace {

TEST(WindowUtilTest, LibraryStringsFollowTheLanguageAndStayPut) {
    const platform::Language before = platform::CurrentLanguage();
    platform::SetLanguage(platform::Language::English);
    const char* loading = wepo::LoadStringCached(wepo::LibraryModule(), 11);
    ASSERT_NE(loading, nullptr);
    EXPECT_STREQ(loading, "Loading...");
    EXPECT_STREQ(wepo::LoadStringCached(wepo::LibraryModule(), 10),
                 "%s already exists.Overwrite ?");
    platform::SetLanguage(platform::Language::Japanese);
    EXPECT_STREQ(wepo::LoadStringCached(wepo::LibraryModule(), 11), "処理中です...");
    EXPECT_STREQ(wepo::LoadStringCached(wepo::LibraryModule(), 10),
                 "%s は既に存在します\n上書きしますか？");
    EXPECT_STREQ(wepo::LoadStringCached(wepo::LibraryModule(), 37), "[作成者]");
    EXPECT_STREQ(loading, "Loading...");  // a text once handed out never changes
    EXPECT_EQ(wepo::LoadStringCached(wepo::LibraryModule(), 11),
              wepo::LoadStringCached(wepo::LibraryModule(), 11));
    EXPECT_EQ(wepo::LoadStringCached(wepo::LibraryModule(), 99999), nullptr);
    EXPECT_EQ(wepo::LoadStringCached(nullptr, 11), nullptr);
    platform::SetLanguage(before);
}

TEST(WindowUtilTest, StringCacheIsSafeFromSeveralThreads) {
    std::vector<QThread*> threads;
    std::atomic<int> bad{0};
    for (int t = 0; t < 4; ++t) {
        threads.push_back(QThread::create([&bad] {
            for (int i = 0; i < 2000; ++i) {
                const char* s = wepo::LoadStringCached(wepo::LibraryModule(), 11 + i % 2);
                if (!s || !*s) ++bad;
            }
        }));
        threads.back()->start();
    }
    for (QThread* t : threads) {
        t->wait();
        delete t;
    }
    EXPECT_EQ(bad, 0);
}

TEST(WindowUtilTest, PlatformCodeSelectsTheLibrarysOwnDialogs) {
    EXPECT_EQ(wepo::GetPlatformCode(), 8);
}

TEST(WindowUtilTest, CenterWindowOnTheParentAndOnTheScreen) {
    QWidget parent;
    parent.setGeometry(100, 100, 400, 300);
    QWidget child(&parent);
    child.resize(100, 50);
    EXPECT_EQ(wepo::CenterWindow(&child), 1);
    EXPECT_EQ(child.geometry(), QRect(150, 125, 100, 50));

    QWidget window(&parent, Qt::Dialog);
    window.resize(200, 100);
    ASSERT_EQ(wepo::CenterWindow(&window), 1);
    QRect frame = window.frameGeometry();
    QRect reference = parent.frameGeometry();
    EXPECT_NEAR(frame.center().x(), reference.center().x(), 1);
    EXPECT_NEAR(frame.center().y(), reference.center().y(), 1);

    // Larger than the screen: kept at the screen's top left.
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    QRect area = screen->availableGeometry();
    QWidget big;
    QRect huge(0, 0, area.width() + 400, area.height() + 400);
    ASSERT_EQ(wepo::CenterWindow(&big, &huge), 1);
    EXPECT_EQ(big.frameGeometry().topLeft(), area.topLeft());
    EXPECT_EQ(wepo::CenterWindow(nullptr), 0);
}

TEST(WindowUtilTest, RelayoutMovesControlsFromTheirRecordedPlace) {
    QWidget dialog;
    dialog.resize(300, 200);
    auto* tree = new QLabel(&dialog);
    tree->setObjectName("id1068");
    tree->setGeometry(10, 10, 200, 150);
    auto* ok = new QLabel(&dialog);
    ok->setObjectName("id1");
    ok->setGeometry(220, 170, 70, 24);
    wepo::LayoutRecord records[] = {
        {1068, 0x1 | 0x2, 0, {}},
        {1, 0x10 | 0x20, 0, {}},
        {4711, 0x1, 0, {}},  // no such control: skipped
    };
    ASSERT_EQ(wepo::RelayoutDialogControls(&dialog, records, 3, 0, 0), 1);
    for (int d : {40, 13, -7, 40})
        ASSERT_EQ(wepo::RelayoutDialogControls(&dialog, records, 3, d, d / 2), 1);
    EXPECT_EQ(tree->geometry(), QRect(10, 10, 240, 170));
    EXPECT_EQ(ok->geometry(), QRect(260, 190, 70, 24));
    ASSERT_EQ(wepo::RelayoutDialogControls(&dialog, records, 3, 1, 0), 1);
    ASSERT_EQ(wepo::RelayoutDialogControls(&dialog, records, 3, 0, 0), 1);  // records again
    EXPECT_EQ(records[0].rect, (wepo::IntRect{10, 10, 211, 160}));
    EXPECT_EQ(wepo::RelayoutDialogControls(nullptr, records, 3, 1, 1), 0);
    EXPECT_EQ(wepo::RelayoutDialogControls(&dialog, nullptr, 3, 1, 1), 0);
    EXPECT_EQ(wepo::RelayoutDialogControls(&dialog, records, 0, 1, 1), 0);
}

TEST(WindowUtilTest, GetWindowPosSize) {
    QWidget w;
    w.setGeometry(30, 40, 120, 80);
    QPoint pos;
    QSize size;
    EXPECT_EQ(wepo::GetWindowPosSize(&w, &pos, &size), 1);
    EXPECT_EQ(size, w.frameGeometry().size());
    EXPECT_EQ(wepo::GetWindowPosSize(&w, nullptr, nullptr), 0);
    EXPECT_EQ(wepo::GetWindowPosSize(nullptr, &pos, nullptr), 0);
}

TEST(WindowUtilTest, Draw3DFrameRings) {
    QImage image(6, 6, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb shadow = QApplication::palette().color(QPalette::Dark).rgb();
    {
        QPainter p(&image);
        QBrush fill(QColor(0, 0, 200));
        EXPECT_EQ(wepo::Draw3DFrame(&p, QRect(0, 0, 6, 6), 1, &fill, false), 1);
    }
    // Raised: white along the top and the left, shadow along the right and the bottom.
    EXPECT_EQ(image.pixel(0, 0), white);
    EXPECT_EQ(image.pixel(4, 0), white);
    EXPECT_EQ(image.pixel(0, 4), white);
    EXPECT_EQ(image.pixel(5, 0), shadow);
    EXPECT_EQ(image.pixel(5, 5), shadow);
    EXPECT_EQ(image.pixel(0, 5), shadow);
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 200));
    {
        QPainter p(&image);
        EXPECT_EQ(wepo::Draw3DFrame(&p, QRect(0, 0, 6, 6), 2, nullptr, true), 1);
    }
    // Sunken, two rings: shadow at the top left of each ring, white at the bottom right.
    EXPECT_EQ(image.pixel(0, 0), shadow);
    EXPECT_EQ(image.pixel(1, 1), shadow);
    EXPECT_EQ(image.pixel(5, 5), white);
    EXPECT_EQ(image.pixel(4, 4), white);
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 200));
    EXPECT_EQ(wepo::Draw3DFrame(nullptr, QRect(0, 0, 6, 6), 1, nullptr, true), 0);
}

}  // namespace
