// Renders the frame with the sample program and its menus into PNG files of the build folder,
// for a reviewer to look at (the pictures are not compared), and checks through the frame's
// widgets what the pictures show: title, menu titles, the recent file, the NC list's rows, the
// information pane and the status bar.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

#include "AppFixture.h"
#include "text/CNcTextView.h"
#include "text/NcLineModel.h"

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

    // "[*]" shows where the modified mark goes; an unchanged program shows none.
    EXPECT_EQ(f->windowTitle(), "laser-sample.nc[*] - Morvalen");
    EXPECT_FALSE(f->isWindowModified());
    QStringList titles;
    for (QAction* top : f->menuBar()->actions()) titles << top->text().remove('&');
    EXPECT_EQ(titles, QStringList({"File", "Edit", "Search", "View", "Trace", "Setup", "Help"}));
    // The recent file stands in the File menu with its number.
    QStringList recent;
    for (QAction* a : f->menuBar()->actions().value(0)->menu()->actions())
        if (a->isVisible() && a->text().startsWith("&1 ")) recent << a->text();
    EXPECT_EQ(recent, QStringList({"&1 " + QString::fromStdString(app_->NcFileName)}));

    // The NC list holds the sample's 19 lines, numbered 01 to 19.
    auto* list = f->findChild<CNcTextView*>();
    ASSERT_TRUE(list);
    const QAbstractItemModel* m = list->model();
    ASSERT_EQ(m->rowCount(), 19);
    auto cell = [m](int row, int column) { return m->data(m->index(row, column)).toString(); };
    EXPECT_EQ(cell(0, NcLineModel::kColLine), "01");
    EXPECT_EQ(cell(0, NcLineModel::kColData), "%");
    EXPECT_EQ(cell(1, NcLineModel::kColData), "O0001(LASER SAMPLE 100X60 PLATE)");
    EXPECT_EQ(cell(14, NcLineModel::kColData), "G02X60.Y50.I10.J0.");
    EXPECT_EQ(cell(18, NcLineModel::kColLine), "19");
    EXPECT_EQ(cell(18, NcLineModel::kColData), "%");

    auto* info = qobject_cast<QLabel*>(f->InfoPane());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->text(), "Information\n\nProgram: laser-sample.nc\nLines: 19");
    auto* status = f->findChild<QLabel*>("StatusMessage");
    ASSERT_TRUE(status);
    EXPECT_EQ(status->text(), "Lines: 19");
}

}  // namespace
