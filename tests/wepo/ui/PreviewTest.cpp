// The preview painter, the renderers of the contract, the preview pane and the thumbnail list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <atomic>
#include <filesystem>
#include <fstream>

#include "HndFixture.h"
#include "TempDir.h"
#include "TinyProgram.h"
#include "wepo/Wepo.h"
#include "wepo/core/preview/PreviewRunFlag.h"
#include "wepo/filesel/FileSelectDialog.h"
#include "wepo/filesel/PreviewSeam.h"
#include "wepo/preview/PreviewList.h"
#include "wepo/preview/PreviewPainter.h"
#include "wepo/preview/PreviewPane.h"
#include "wepo/preview/Renderers.h"
#include "wepo/ui/ModalScript.h"
#include "wepo/util/WindowUtil.h"

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

int BlackPixels(const QImage& image) {
    int n = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) n += qGray(rgb.pixel(x, y)) < 128 ? 1 : 0;
    return n;
}

std::string Flange() {
    test::HndDrawing d;
    d.Line(0, 25, 100, 25, 0x0930);
    d.Arc(50, 25, 20, 0, 360);
    d.Text(10, 40, 6, 4, 1, 0, 0, "FLANGE");
    return d.data();
}

TEST(PreviewPainterTest, PicturesOfTheRequestedFormat) {
    test::TempDir dir;
    Write(dir.path() / "a.nmd", Flange());
    const QString path = QString::fromStdString((dir.path() / "a.nmd").string());
    const QRect rect(0, 0, 120, 80);
    wepo::PreviewRun run;
    std::string text;
    QImage colour = wepo::RenderCadDrawing(wepo::PRM_COLOR, path, &rect, &text, 1000, run);
    ASSERT_FALSE(colour.isNull());
    EXPECT_EQ(colour.format(), QImage::Format_RGB32);
    EXPECT_EQ(colour.size(), QSize(120, 80));
    EXPECT_GT(BlackPixels(colour), 100);
    EXPECT_EQ(text.substr(0, 17), "[Drawing name]\r\r\n");
    QImage mono = wepo::RenderCadDrawing(0, path, &rect, nullptr, 0, run);
    EXPECT_EQ(mono.format(), QImage::Format_Mono);
    EXPECT_GT(BlackPixels(mono), 100);
    // Text only without a rectangle; nothing from a stopped run or a file of the wrong form.
    EXPECT_TRUE(wepo::RenderCadDrawing(0, path, nullptr, &text, 1000, run).isNull());
    EXPECT_FALSE(text.empty());
    wepo::PreviewRun stopped;
    stopped.Stop();
    EXPECT_TRUE(wepo::RenderCadDrawing(0, path, &rect, nullptr, 0, stopped).isNull());
    EXPECT_TRUE(wepo::RenderDxfDrawing(0, QString::fromStdString(dir.path().string()), &rect,
                                       nullptr, 0, run)
                    .isNull());
    QRect empty(0, 0, 0, 10);
    EXPECT_TRUE(wepo::RenderCadDrawing(0, path, &empty, nullptr, 0, run).isNull());
}

TEST(PreviewPainterTest, MessagePictures) {
    const QString text = "Loading...";
    QImage picture = wepo::MakeTextPicture(wepo::PRM_COLOR, &text, QSize(100, 40));
    EXPECT_EQ(picture.size(), QSize(100, 40));
    EXPECT_GT(BlackPixels(picture), 10);
    EXPECT_EQ(BlackPixels(wepo::MakeTextPicture(0, nullptr, QSize(50, 20))), 0);  // plain white
    EXPECT_TRUE(wepo::MakeTextPicture(0, &text, QSize()).isNull());
    // A message picture stops no run going on.
    wepo::PreviewRun run;
    wepo::PreviewRunScope going(run);
    wepo::MakeTextPicture(0, &text, QSize(10, 10));
    EXPECT_TRUE(run.Running());
}

TEST(PreviewPainterTest, SinglePointDrawingsAndFarCoordinatesStayInRange) {
    wepo::PreviewDrawing d;
    d.picture = true;
    wepo::PreviewPrimitive view;
    view.kind = wepo::PP_VIEW;  // a box of no extent
    view.a[0] = view.a[2] = 5, view.a[1] = view.a[3] = 5;
    wepo::PreviewPrimitive point;
    point.a[0] = 5, point.a[1] = 5;
    wepo::PreviewPrimitive far;
    far.kind = wepo::PP_ARC;
    far.a[0] = 1e300, far.a[1] = 0, far.a[2] = 1e300, far.a[3] = 0, far.a[4] = 90;
    d.primitives = {view, point, far};
    wepo::PreviewRun run;
    QImage image = wepo::PaintPreview(d, QSize(20, 20), wepo::PRM_COLOR, run);
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(BlackPixels(image), 1);
}

// A renderer that waits for its run to be stopped before it answers (the first selection), or
// answers at once (the second).
struct BlockingStub {
    std::atomic<bool> firstStarted{false};
    QImage Render(const QString& path, std::string* text, wepo::PreviewRun& run) {
        if (path.endsWith("first.dxf")) {
            firstStarted = true;
            while (run.Running()) QThread::msleep(1);
            *text = "first";
            QImage red(10, 10, QImage::Format_RGB32);
            red.fill(Qt::red);
            return red;
        }
        *text = "second";
        QImage green(10, 10, QImage::Format_RGB32);
        green.fill(Qt::green);
        return green;
    }
};

wepo::PreviewPane* PaneOf(wepo::FileSelectDialog& dialog) {
    return dialog.findChild<wepo::PreviewPane*>();
}

TEST(PreviewPaneTest, ANewerSelectionStopsTheRunningWorkerAndWins) {
    wepo::FileSelectRequest r;
    r.filters = wepo::ParseFilterPairs(nullptr);
    r.folder = QDir::tempPath();
    wepo::FileSelectDialog dialog(nullptr, r);
    wepo::AttachPreviewPane(&dialog);
    wepo::PreviewPane* pane = PaneOf(dialog);
    ASSERT_NE(pane, nullptr);
    BlockingStub stub;
    pane->SetRendererForTest([&stub](const QString& p, std::string* t, wepo::PreviewRun& run) {
        return stub.Render(p, t, run);
    });
    QStringList shown;
    QObject::connect(pane, &wepo::PreviewPane::Shown, [&](const QString& p) { shown << p; });
    pane->Show("/x/first.dxf");
    EXPECT_TRUE(pane->Busy());  // set before the worker starts
    QTest::qWaitFor([&] { return stub.firstStarted.load(); }, 2000);
    pane->Show("/x/second.dxf");
    QTest::qWaitFor([&] { return !pane->Busy(); }, 3000);
    QTest::qWait(50);  // the first worker's late answer, if any, arrives too
    EXPECT_EQ(shown, QStringList{"/x/second.dxf"});
    EXPECT_EQ(pane->Info()->toPlainText(), "second");
    EXPECT_EQ(pane->Picture()->pixmap().toImage().pixel(0, 0), qRgb(0, 255, 0));
}

TEST(PreviewPaneTest, ProgramsShowTheirVersionAndNoPicture) {
    test::TempDir dir;
    Write(dir.path() / "tool.exe", test::TinyProgram(1 << 16 | 2, 3 << 16 | 4));
    Write(dir.path() / "plain.txt", "hello\r\nworld\r\n");
    wepo::FileSelectRequest r;
    r.filters = wepo::ParseFilterPairs(nullptr);
    r.folder = QString::fromStdString(dir.path().string());
    wepo::FileSelectDialog dialog(nullptr, r);
    wepo::AttachPreviewPane(&dialog);
    wepo::PreviewPane* pane = PaneOf(dialog);
    pane->Show(QString::fromStdString((dir.path() / "tool.exe").string()));
    QTest::qWaitFor([&] { return !pane->Busy(); }, 3000);
    EXPECT_EQ(pane->Info()->toPlainText(), "Version 1.2.3");
    const QImage notPreview = pane->Picture()->pixmap().toImage();
    pane->Show(QString::fromStdString((dir.path() / "plain.txt").string()));
    QTest::qWaitFor([&] { return !pane->Busy(); }, 3000);
    EXPECT_EQ(pane->Info()->toPlainText(), "hello\nworld\n");  // text files: text, no picture
    EXPECT_EQ(pane->Picture()->pixmap().toImage(), notPreview);
}

TEST(PreviewListTest, EntriesOfTwoPatternsSortedWithoutLetterCase) {
    test::TempDir dir;
    for (int i = 0; i < 1000; ++i)
        std::ofstream(dir.path() / ("P" + std::to_string(1000 + i) + ".dxf"));
    for (int i = 0; i < 500; ++i)
        std::ofstream(dir.path() / ("q" + std::to_string(1000 + i) + ".EXF"));
    fs::create_directory(dir.path() / "folder.dxf");
    const QString folder = QString::fromStdString(dir.path().string());
    QStringList names = wepo::SearchPreviewEntries(folder, {"*.dxf", "*.exf"});
    ASSERT_EQ(names.size(), 1500);
    EXPECT_EQ(names.first(), "P1000.dxf");
    EXPECT_EQ(names[1000], "q1000.EXF");
    // A file matching two patterns is listed twice.
    EXPECT_EQ(wepo::SearchPreviewEntries(folder, {"P1000.*", "*.DXF"}).count("P1000.dxf"), 2);
    wepo::PreviewList list(nullptr, {folder, {"*.dxf", "*.exf"}, {}, "q1001.exf"});
    ASSERT_NE(list.Dialog(), nullptr);
    EXPECT_EQ(list.EntryCount(), 1500);
    EXPECT_EQ(list.List()->currentIndex().row(), 1001);  // the chosen name, without letter case
    EXPECT_TRUE(list.Model().At(1001).chosen);
    // No match: the list ends at once.
    wepo::PreviewList none(nullptr, {folder, {"*.none"}, {}, {}});
    QString chosen = "unchanged";
    EXPECT_EQ(none.Run(&chosen), 0);
    EXPECT_EQ(chosen, "unchanged");
}

TEST(PreviewListTest, CancelStopsTheWorkerAfterTheCurrentThumbnail) {
    // The first thumbnails come at once; each later one is a drawing of many records, so the
    // worker is still busy when the cancel comes, however late a loaded machine lets it come.
    // The big drawing is one file under many names (hard links).
    test::TempDir dir;
    for (int i = 0; i < 4; ++i)
        Write(dir.path() / ("d" + std::to_string(1000 + i) + ".nmd"), Flange());
    test::HndDrawing big;
    for (int i = 0; i < 20000; ++i) big.Line(0, i % 50, 100, 50 - i % 50, 0x0930);
    Write(dir.path() / "big.drawing", big.data());
    for (int i = 4; i < 400; ++i)
        fs::create_hard_link(dir.path() / "big.drawing",
                             dir.path() / ("d" + std::to_string(1000 + i) + ".nmd"));
    wepo::PreviewList list(nullptr,
                           {QString::fromStdString(dir.path().string()), {"*.nmd"}, {}, {}});
    int doneAtCancel = -1;
    test::WhenShown([&](QDialog* d) {
        QTest::qWaitFor([&] { return list.Model().At(3).done; }, 5000);
        qobject_cast<QPushButton*>(wepo::FindControl(d, DBID_CANCEL))->click();
    });
    QString chosen;
    EXPECT_EQ(list.Run(&chosen), 0);
    for (int i = 0; i < list.EntryCount(); ++i)
        if (list.Model().At(i).done) doneAtCancel = i;
    EXPECT_FALSE(list.Working());
    EXPECT_GE(doneAtCancel, 3);
    EXPECT_LT(doneAtCancel, 399);  // stopped long before the end
    EXPECT_FALSE(list.Model().At(3).thumbnail.isNull());
    EXPECT_EQ(list.Model().At(3).thumbnail.format(), QImage::Format_Mono);
}

TEST(PreviewListTest, ADoubleClickEndsTheListAndTheFileDialog) {
    test::TempDir dir;
    Write(dir.path() / "a.nmd", Flange());
    Write(dir.path() / "b.nmd", Flange());
    Write(dir.path() / "c.nmd", "not a drawing");
    wpSelectFileGUI(0);
    char file[512] = "";
    FileSelectParams p{};
    p.title = "Open";
    p.filter = "Drawings\0*.NMD\0";
    p.initialDirectory = dir.path().c_str();
    p.file = file;
    p.fileSize = sizeof file;
    bool notPreviewShown = false;
    test::WhenShown([&](QDialog* d) {
        auto* pane = d->findChild<wepo::PreviewPane*>();
        ASSERT_NE(pane, nullptr);
        test::WhenShown([&](QDialog* listDialog) {
            auto* view = qobject_cast<QListView*>(wepo::FindControl(listDialog, 1064));
            ASSERT_NE(view, nullptr);
            ASSERT_EQ(view->model()->rowCount(), 3);
            QTest::qWaitFor(
                [&] { return view->model()->index(2, 0).data(Qt::UserRole + 2).toBool(); }, 5000);
            notPreviewShown =
                view->model()->index(2, 0).data(Qt::UserRole + 1).value<QImage>().isNull();
            const QModelIndex second = view->model()->index(1, 0);
            QTest::qWaitFor([&] { return view->visualRect(second).isValid(); }, 2000);  // laid out
            const QRect cell = view->visualRect(second);
            // A double click as the user makes it: a press and release, then the second press.
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        });
        pane->ListButton()->click();
    });
    EXPECT_EQ(wpSelectFileName(nullptr, WPF_OPEN | WPF_PREVIEW, 1, &p), 1);
    EXPECT_EQ(std::string(file), (dir.path() / "b.nmd").string());
    EXPECT_TRUE(notPreviewShown);  // "c.nmd" is no drawing: done, without a picture
    EXPECT_TRUE(wepo::PreviewList::LastSize().isValid());
}

}  // namespace
