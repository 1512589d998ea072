// Renders the frame with the sample program and its menus into PNG files of the build folder,
// for a reviewer to look at (the pictures are not compared).
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

#include "AppFixture.h"

namespace {

using FramePicture = AppFixture;

TEST_F(FramePicture, FrameAndMenus) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    f->showNormal();
    f->setGeometry(0, 0, 1200, 760);
    f->UpdateCommandStates();
    const QString folder = QStringLiteral(MORVALEN_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    QPixmap frame = f->grab();
    EXPECT_FALSE(frame.isNull());
    EXPECT_TRUE(frame.save(folder + "/frame-offscreen.png"));
    // The seven menus side by side.
    std::vector<QPixmap> menus;
    int width = 0, height = 0;
    for (QAction* top : f->menuBar()->actions()) {
        QMenu* m = top->menu();
        ASSERT_TRUE(m);
        emit m->aboutToShow();
        m->adjustSize();
        menus.push_back(m->grab());
        width += menus.back().width() + 8;
        height = std::max(height, menus.back().height());
    }
    EXPECT_EQ(menus.size(), 7u);
    QPixmap sheet(width, height);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int x = 0;
    for (const QPixmap& m : menus) {
        p.drawPixmap(x, 0, m);
        x += m.width() + 8;
    }
    p.end();
    EXPECT_TRUE(sheet.save(folder + "/menus-offscreen.png"));
}

}  // namespace
