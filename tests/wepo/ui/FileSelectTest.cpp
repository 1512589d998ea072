// wpSelectFileName and wpSelectDirectryName driven through their dialogs' widgets.
#include <gtest/gtest.h>
#include <sys/time.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "TempDir.h"
#include "platform/StringTable.h"
#include "wepo/Wepo.h"
#include "wepo/filesel/FileSelectDialog.h"
#include "wepo/filesel/FolderDialogs.h"
#include "wepo/filesel/FolderModel.h"
#include "wepo/filesel/OldFileSelect.h"
#include "wepo/ui/ModalScript.h"
#include "wepo/util/WindowUtil.h"

namespace fs = std::filesystem;

namespace {

const char kFilters[] = "Shape files (*.SPF)\0*.SPF\0Drawings\0*.dxf;*.NMD\0All files\0*.*\0";

void Touch(const fs::path& p, size_t size = 0) {
    std::ofstream(p, std::ios::binary) << std::string(size, 'x');
}

class FileSelectTest : public ::testing::Test {
protected:
    void SetUp() override {
        wpSelectFileGUI(0);
        root_ = QString::fromStdString(dir_.path().string());
        Touch(dir_.path() / "a.spf", 10);
        Touch(dir_.path() / "B.SPF", 20);
        Touch(dir_.path() / "c.dxf", 30);
        Touch(dir_.path() / "d.txt", 40);
        fs::create_directory(dir_.path() / "sub.spf");
    }
    FileSelectParams Params(char* file, unsigned size, const char* initial = nullptr) {
        FileSelectParams p{};
        p.title = "Choose";
        p.filter = kFilters;
        p.initialDirectory = initial ? initial : dir_.path().c_str();
        p.filterIndex = 1;
        p.file = file;
        p.fileSize = size;
        return p;
    }
    static wepo::FileSelectDialog* Explorer(QDialog* d) {
        auto* dialog = qobject_cast<wepo::FileSelectDialog*>(d);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    // The names the list shows, once the folder is read.
    static QStringList Listed(wepo::FileSelectDialog* dialog) {
        wepo::FolderModel* model = dialog->Model();
        QTest::qWaitFor([&] { return !model->Loading(); }, 3000);
        QStringList names;
        for (int r = 0; r < model->rowCount(); ++r) {
            QModelIndex i = model->index(r, 0);
            if (!model->IsFolder(i)) names << model->FileName(i);
        }
        return names;
    }
    static void TypeAndConfirm(wepo::FileSelectDialog* dialog, const QString& name) {
        dialog->NameField()->setText(name);
        QTest::keyClick(dialog->NameField(), Qt::Key_Return);
    }
    test::TempDir dir_;
    QString root_;
};

TEST_F(FileSelectTest, OpenListsByTypeWithoutLetterCaseAndReturnsTheFile) {
    char file[256] = "";
    FileSelectParams p = Params(file, sizeof file);
    QStringList spf, drawings;
    test::WhenShown([&](QDialog* d) {
        auto* dialog = Explorer(d);
        spf = Listed(dialog);
        dialog->TypeBox()->setCurrentIndex(1);
        drawings = Listed(dialog);
        TypeAndConfirm(dialog, "c.dxf");
    });
    EXPECT_EQ(wpSelectFileName(nullptr, WPF_OPEN, 1, &p), 1);
    EXPECT_EQ(spf, (QStringList{"a.spf", "B.SPF"}));  // "*.SPF" shows "a.spf"
    EXPECT_EQ(drawings, (QStringList{"c.dxf"}));
    EXPECT_EQ(std::string(file), (dir_.path() / "c.dxf").string());
    EXPECT_EQ(p.filterIndex, 2u);
}

TEST_F(FileSelectTest, OpenRefusesAMissingFileAndStaysOpen) {
    char file[256] = "";
    FileSelectParams p = Params(file, sizeof file);
    QString message;
    test::WhenShown([&](QDialog* d) {
        auto* dialog = Explorer(d);
        test::AnswerMessage(QMessageBox::Ok, &message);
        TypeAndConfirm(dialog, "missing.spf");
        EXPECT_TRUE(dialog->isVisible());
        TypeAndConfirm(dialog, "sub.spf");  // a folder is entered
        EXPECT_EQ(dialog->Folder(), root_ + "/sub.spf");
        d->reject();
    });
    EXPECT_EQ(wpSelectFileName(nullptr, WPF_OPEN, 1, &p), 0);
    EXPECT_TRUE(message.contains("missing.spf"));
    EXPECT_STREQ(file, "");
}

TEST_F(FileSelectTest, SaveAddsTheDefaultExtensionOnlyToANameWithoutDot) {
    struct Case {
        const char* typed;
        const char* result;
    } cases[] = {{"set1", "set1.arr"},
                 {"set1.old", "set1.old"},
                 {"set1.", "set1."},
                 {"sub.spf/x", "sub.spf/x.arr"}};
    for (const Case& c : cases) {
        char file[256] = "";
        FileSelectParams p = Params(file, sizeof file);
        p.defaultExtension = "arr";
        test::WhenShown([&](QDialog* d) { TypeAndConfirm(Explorer(d), c.typed); });
        EXPECT_EQ(wpSelectFileName(nullptr, 0, 1, &p), 1) << c.typed;
        EXPECT_EQ(std::string(file), (dir_.path() / c.result).string());
    }
}

TEST_F(FileSelectTest, OverwriteQuestionAndItsCancelLoop) {
    Touch(dir_.path() / "set1.arr");
    char file[256] = "";
    FileSelectParams p = Params(file, sizeof file);
    p.defaultExtension = "arr";
    QString question, fieldAfterCancel;
    int asked = 0;
    test::WhenShown([&](QDialog* d) {
        auto* dialog = Explorer(d);
        test::AnswerMessage(QMessageBox::Cancel, &question);
        TypeAndConfirm(dialog, "set1");
        ++asked;
        fieldAfterCancel = dialog->NameField()->text();  // the dialog again, with the extended name
        test::AnswerMessage(QMessageBox::Ok);
        QTest::keyClick(dialog->NameField(), Qt::Key_Return);
        ++asked;
    });
    EXPECT_EQ(wpSelectFileName(nullptr, 0, 1, &p), 1);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(fieldAfterCancel, "set1.arr");
    EXPECT_TRUE(question.contains(QString::fromStdString((dir_.path() / "set1.arr").string())));
    EXPECT_EQ(std::string(file), (dir_.path() / "set1.arr").string());

    // Bit 0x10: no question.
    char again[256] = "";
    FileSelectParams q = Params(again, sizeof again);
    q.defaultExtension = "arr";
    test::WhenShown([&](QDialog* d) { TypeAndConfirm(Explorer(d), "set1"); });
    EXPECT_EQ(wpSelectFileName(nullptr, WPF_NOOVERWRITEPROMPT, 1, &q), 1);
    EXPECT_EQ(std::string(again), (dir_.path() / "set1.arr").string());
}

TEST_F(FileSelectTest, FilterIndexIsWrittenBackAfterOkAndAfterCancel) {
    char file[256] = "";
    FileSelectParams p = Params(file, sizeof file);
    p.filterIndex = 0;  // counts as 1
    int shownFirst = -1;
    test::WhenShown([&](QDialog* d) {
        auto* dialog = Explorer(d);
        shownFirst = dialog->TypeBox()->currentIndex();
        dialog->TypeBox()->setCurrentIndex(2);
        d->reject();
    });
    EXPECT_EQ(wpSelectFileName(nullptr, WPF_OPEN, 1, &p), 0);
    EXPECT_EQ(shownFirst, 0);
    EXPECT_EQ(p.filterIndex, 3u);
    p.filterIndex = 9;  // beyond the pairs: the first
    test::WhenShown([&](QDialog* d) {
        shownFirst = Explorer(d)->TypeBox()->currentIndex();
        TypeAndConfirm(Explorer(d), "d.txt");
    });
    EXPECT_EQ(wpSelectFileName(nullptr, WPF_OPEN, 1, &p), 1);
    EXPECT_EQ(shownFirst, 0);
    EXPECT_EQ(p.filterIndex, 1u);
}

TEST_F(FileSelectTest, TheResultMustFitTheCallersBuffer) {
    const std::string path = (dir_.path() / "a.spf").string();
    std::vector<char> file(path.size(), '\0');  // one byte short of the terminator
    FileSelectParams p = Params(file.data(), static_cast<unsigned>(file.size()));
    QString message;
    test::WhenShown([&](QDialog* d) {
        test::AnswerMessage(QMessageBox::Ok, &message);
        TypeAndConfirm(Explorer(d), "a.spf");
        EXPECT_TRUE(d->isVisible());
        d->reject();
    });
    EXPECT_EQ(wpSelectFileName(nullptr, WPF_OPEN, 1, &p), 0);
    EXPECT_FALSE(message.isEmpty());
    std::vector<char> exact(path.size() + 1, '\0');
    FileSelectParams q = Params(exact.data(), static_cast<unsigned>(exact.size()));
    test::WhenShown([&](QDialog* d) { TypeAndConfirm(Explorer(d), "a.spf"); });
    EXPECT_EQ(wpSelectFileName(nullptr, WPF_OPEN, 1, &q), 1);
    EXPECT_EQ(std::string(exact.data()), path);
}

TEST_F(FileSelectTest, StartingPlacesAndTheCurrentFolder) {
    const QString before = QDir::currentPath();
    QDir::setCurrent(root_);
    char file[256] = "sub.spf/proposed.spf";  // a proposed path opens its folder
    FileSelectParams p = Params(file, sizeof file, "sub.spf");
    QString folder, field;
    test::WhenShown([&](QDialog* d) {
        auto* dialog = Explorer(d);
        folder = dialog->Folder();
        field = dialog->NameField()->text();
        dialog->SetFolder("/");  // wander off
        d->reject();
    });
    EXPECT_EQ(wpSelectFileName(nullptr, WPF_OPEN, 0, &p), 0);
    EXPECT_EQ(folder, root_ + "/sub.spf");
    EXPECT_EQ(field, "proposed.spf");
    EXPECT_EQ(QDir::currentPath(), root_);  // the same after the call
    // A relative initial folder is taken against the current folder.
    char none[256] = "";
    FileSelectParams q = Params(none, sizeof none, "sub.spf");
    test::WhenShown([&](QDialog* d) {
        folder = Explorer(d)->Folder();
        d->reject();
    });
    wpSelectFileName(nullptr, WPF_OPEN, 1, &q);
    EXPECT_EQ(folder, root_ + "/sub.spf");
    QDir::setCurrent(before);
    EXPECT_EQ(wpSelectFileName(nullptr, WPF_OPEN, 1, nullptr), 0);
}

// ---- Old style ----------------------------------------------------------------------------

void SetTime(const fs::path& p, std::time_t t) {
    struct timeval times[2] = {{t, 0}, {t, 0}};
    ::utimes(p.c_str(), times);
}

QStringList Lines(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

TEST_F(FileSelectTest, ColumnsOpenAsWideAsTheirHeaderAndRows) {
    Touch(dir_.path() / "notes.verylongextension", 5);  // type "VERYLONGEXTENSION File"
    wepo::FileSelectRequest r;
    r.filters = wepo::ParseFilterPairs(nullptr);
    r.folder = root_;
    wepo::FileSelectDialog dialog(nullptr, r);
    dialog.show();
    QTreeView* list = dialog.FileList();
    QHeaderView* header = list->header();
    wepo::FolderModel* model = dialog.Model();
    // The width each column's header and rows need to show whole.
    auto needed = [&](int column) {
        int width = header->fontMetrics().horizontalAdvance(
            model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
        for (int row = 0; row < model->rowCount(); ++row)
            width = qMax(width, list->fontMetrics().horizontalAdvance(
                                    model->index(row, column).data().toString()));
        return width;
    };
    auto fitted = [&] {
        if (model->Loading() || model->rowCount() != 6) return false;
        for (int c = 0; c < wepo::FolderModel::kColumns; ++c)
            if (header->sectionSize(c) < needed(c)) return false;
        return true;
    };
    EXPECT_TRUE(QTest::qWaitFor(fitted, 3000));
    for (int c = 0; c < wepo::FolderModel::kColumns; ++c)
        EXPECT_GE(header->sectionSize(c), needed(c)) << "column " << c;
}

TEST_F(FileSelectTest, OldStyleLinesOrderSelectionAndTotals) {
    fs::path big = dir_.path() / "big.spf";
    std::ofstream(big).close();
    ASSERT_EQ(::truncate(big.c_str(), 5000000000LL), 0);  // sparse, above 4 GiB
    std::tm t{};
    t.tm_year = 124, t.tm_mon = 4, t.tm_mday = 17, t.tm_hour = 9, t.tm_min = 5, t.tm_sec = 3,
    t.tm_isdst = -1;
    SetTime(big, std::mktime(&t));
    SetTime(dir_.path() / "a.spf", std::mktime(&t) - 86400);
    SetTime(dir_.path() / "B.SPF", std::mktime(&t) + 86400);
    Touch(dir_.path() / "with blank.spf", 5);

    wepo::FileSelectRequest r;
    r.filters = wepo::ParseFilterPairs(kFilters);
    r.folder = root_;
    wepo::OldFileSelect old(nullptr, r, 0x1, 0x3);
    ASSERT_NE(old.Dialog(), nullptr);
    auto* files = qobject_cast<QListWidget*>(wepo::FindControl(old.Dialog(), 1120));
    auto rebuilt = [&] { QTest::qWaitFor([&] { return !old.Rebuilding(); }, 3000); };
    rebuilt();
    QStringList lines = Lines(files);
    ASSERT_EQ(lines.size(), 4);                  // not the folder sub.spf, not c.dxf or d.txt
    EXPECT_EQ(lines[0], "B.SPF\t20\t24/05/18");  // byte order: upper case first
    EXPECT_EQ(lines[1], "a.spf\t10\t24/05/16");
    EXPECT_EQ(lines[2], "big.spf\t5,000,000,000\t24/05/17");
    EXPECT_TRUE(lines[3].startsWith("with blank.spf\t5\t"));

    // Selecting a line puts its name (up to the first tab) into the name field.
    auto* name = qobject_cast<QLineEdit*>(wepo::FindControl(old.Dialog(), 1152));
    files->setCurrentRow(3);
    EXPECT_EQ(name->text(), "with blank.spf");
    // Sort by size (box 1005): the same file stays selected, found by its name.
    qobject_cast<QAbstractButton*>(wepo::FindControl(old.Dialog(), 1003))->click();  // name off
    qobject_cast<QAbstractButton*>(wepo::FindControl(old.Dialog(), 1005))->click();  // size on
    rebuilt();
    EXPECT_EQ(old.SortOptions(), 0x4u);
    QStringList bySize;
    for (const QString& l : Lines(files)) bySize << l.section('\t', 0, 0);
    EXPECT_EQ(bySize, (QStringList{"with blank.spf", "a.spf", "B.SPF", "big.spf"}));
    ASSERT_NE(files->currentItem(), nullptr);
    EXPECT_TRUE(files->currentItem()->text().startsWith("with blank.spf\t"));
    // The first line selected before a rebuild is selected again too.
    files->setCurrentRow(0);
    qobject_cast<QAbstractButton*>(wepo::FindControl(old.Dialog(), 1009))->click();  // time column
    rebuilt();
    EXPECT_EQ(files->currentRow(), 0);
    EXPECT_EQ(old.DisplayOptions(), 0x7u);
    EXPECT_EQ(Lines(files).value(3), "big.spf\t5,000,000,000\t24/05/17\t09:05:03");
    // Totals of the volume, in the byte-size format.
    for (unsigned id : {1011u, 1012u, 1013u}) {
        QString total = qobject_cast<QLabel*>(wepo::FindControl(old.Dialog(), id))->text();
        EXPECT_TRUE(total.endsWith("B")) << total.toStdString();
    }
}

TEST_F(FileSelectTest, OldStyleSaveThroughTheSwitch) {
    Touch(dir_.path() / "set2.arr");
    EXPECT_EQ(wpSelectFileGUI(1), 0);
    EXPECT_EQ(wpSelectFileGUI(-1), 1);  // reading changes nothing
    char file[256] = "";
    FileSelectParams p = Params(file, sizeof file);
    p.defaultExtension = "arr";
    p.sortOptions = 0x2;
    p.displayOptions = 0x8;
    QString question;
    test::WhenShown([&](QDialog* d) {
        EXPECT_EQ(qobject_cast<wepo::FileSelectDialog*>(d), nullptr);
        auto* name = qobject_cast<QLineEdit*>(wepo::FindControl(d, 1152));
        name->setText("set2");
        test::AnswerMessage(QMessageBox::Ok, &question);
        qobject_cast<QAbstractButton*>(wepo::FindControl(d, 1005))->click();  // sort by size too
        qobject_cast<QPushButton*>(wepo::FindControl(d, DBID_OK))->click();
    });
    EXPECT_EQ(wpSelectFileName(nullptr, 0, 1, &p), 1);
    EXPECT_EQ(std::string(file), (dir_.path() / "set2.arr").string());
    EXPECT_FALSE(question.isEmpty());
    EXPECT_EQ(p.sortOptions, 0x6u);
    EXPECT_EQ(p.displayOptions, 0x8u);
    EXPECT_EQ(wpSelectFileGUI(0), 1);
}

// ---- Folders ------------------------------------------------------------------------------

TEST_F(FileSelectTest, FolderTreeSelectsByTheRuleAndReturnsOneTrailingSlash) {
    fs::create_directories(dir_.path() / "dies/round");
    const QString dies = root_ + "/dies";
    {
        wepo::FolderTree tree(nullptr, "Folder", dies + "/round/", WP_MAX_PATH);
        ASSERT_NE(tree.Dialog(), nullptr);
        auto* model = qobject_cast<QFileSystemModel*>(tree.Tree()->model());
        EXPECT_EQ(model->filePath(tree.Tree()->currentIndex()), dies + "/round");
        EXPECT_EQ(tree.Dialog()->windowTitle(), "Folder - [" + dies + "/round]");
    }
    {
        wepo::FolderTree tree(nullptr, "Folder", dies + "/round",
                              WP_MAX_PATH);  // no '/': the folder above
        auto* model = qobject_cast<QFileSystemModel*>(tree.Tree()->model());
        EXPECT_EQ(model->filePath(tree.Tree()->currentIndex()), dies);
        EXPECT_TRUE(tree.Tree()->isExpanded(tree.Tree()->currentIndex()));
        // F5 rebuilds the tree and selects the caller's folder again, not the last choice.
        tree.Tree()->setCurrentIndex(model->index("/"));
        tree.Dialog()->show();
        QApplication::setActiveWindow(tree.Dialog());
        QTest::keyClick(tree.Tree(), Qt::Key_F5);
        auto* fresh = qobject_cast<QFileSystemModel*>(tree.Tree()->model());
        EXPECT_NE(fresh, model);
        EXPECT_EQ(fresh->filePath(tree.Tree()->currentIndex()), dies);
    }

    char directory[WP_MAX_PATH] = "";
    std::snprintf(directory, sizeof directory, "%s/", dies.toUtf8().constData());
    QSize opened;
    test::WhenShown([&](QDialog* d) {
        d->resize(520, 520);  // wide enough for the caption, which would widen it
        QTest::qWait(20);
        qobject_cast<QPushButton*>(wepo::FindControl(d, DBID_OK))->click();
    });
    EXPECT_EQ(wpSelectDirectryName(nullptr, "Folder", directory), 1);
    EXPECT_EQ(std::string(directory), (dies + "/").toStdString());
    // The next opening takes the last size; OK without a selection does nothing; the root ends in
    // one '/'.
    test::WhenShown([&](QDialog* d) {
        opened = d->size();
        auto* view = qobject_cast<QTreeView*>(wepo::FindControl(d, 1068));
        auto* model = qobject_cast<QFileSystemModel*>(view->model());
        view->setCurrentIndex(QModelIndex());
        qobject_cast<QPushButton*>(wepo::FindControl(d, DBID_OK))->click();
        EXPECT_TRUE(d->isVisible());
        view->setCurrentIndex(model->index("/"));
        qobject_cast<QPushButton*>(wepo::FindControl(d, DBID_OK))->click();
    });
    EXPECT_EQ(wpSelectDirectryName(nullptr, "Folder", directory), 1);
    EXPECT_EQ(opened, QSize(520, 520));
    EXPECT_STREQ(directory, "/");
    EXPECT_EQ(wpSelectDirectryName(nullptr, "Folder", nullptr), 0);
}

TEST_F(FileSelectTest, FolderTreeOpensScrolledToADeepFolderWithItsWholeCaption) {
    // Sixty folders above the given one (and "sub.spf" after them) put it far below the tree's
    // first screen.
    for (int i = 1; i <= 60; ++i)
        fs::create_directory(dir_.path() / QString::asprintf("a%02d", i).toStdString());
    const QString given = root_ + "/a59/inner/the-folder-of-the-shape-files";
    fs::create_directories(given.toStdString());
    wepo::FolderTree tree(nullptr, "Shape-file folder", given + "/", WP_MAX_PATH);
    ASSERT_NE(tree.Dialog(), nullptr);
    QTreeView* view = tree.Tree();
    auto* model = qobject_cast<QFileSystemModel*>(view->model());
    tree.Dialog()->show();
    // Once the level of the sixty is read and sorted, the given folder is current and in view.
    auto inView = [&] {
        return model->rowCount(model->index(root_)) == 61 &&
               model->index(root_ + "/a01").row() == 0 &&
               model->index(root_ + "/a60").row() == 59 &&
               view->viewport()->rect().intersects(view->visualRect(view->currentIndex()));
    };
    EXPECT_TRUE(QTest::qWaitFor(inView, 5000));
    EXPECT_EQ(model->filePath(view->currentIndex()), given);
    // The caption with the whole path fits the window's width.
    const QFontMetrics title(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    EXPECT_GE(tree.Dialog()->width(), title.horizontalAdvance(tree.Dialog()->windowTitle()));
    EXPECT_EQ(tree.Dialog()->windowTitle(), "Shape-file folder - [" + given + "]");
}

TEST_F(FileSelectTest, OldStyleFolderDialogThroughTheSwitch) {
    fs::create_directories(dir_.path() / "dies");
    wpSelectFileGUI(1);
    char directory[WP_MAX_PATH] = "";
    std::snprintf(directory, sizeof directory, "%s", root_.toUtf8().constData());
    test::WhenShown([&](QDialog* d) {
        auto* folders = qobject_cast<QListWidget*>(wepo::FindControl(d, 1121));
        ASSERT_NE(folders, nullptr);
        EXPECT_EQ(folders->item(1)->text(), "[dies]");
        folders->setCurrentRow(1);
        QTest::keyClick(folders, Qt::Key_Return);  // opens the folder, does not end the dialog
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(qobject_cast<QLabel*>(wepo::FindControl(d, 1088))->text(), root_ + "/dies");
        qobject_cast<QPushButton*>(wepo::FindControl(d, DBID_OK))->click();
    });
    EXPECT_EQ(wpSelectDirectryName(nullptr, "Folder", directory), 1);
    EXPECT_EQ(std::string(directory), (root_ + "/dies/").toStdString());
    wpSelectFileGUI(0);
}

}  // namespace

namespace {

TEST(LibraryTemplatesTest, CaptionsFollowTheLanguage) {
    const platform::Language before = platform::CurrentLanguage();
    for (auto [language, label, title] :
         {std::tuple{platform::Language::Japanese, "ﾌｧｲﾙ名(&N)：", "ﾃﾞｨﾚｸﾄﾘの設定"},
          std::tuple{platform::Language::English, "File &name :", "Directory Selection"}}) {
        platform::SetLanguage(language);
        wepo::FileSelectRequest r;
        r.filters = wepo::ParseFilterPairs(nullptr);
        r.folder = QDir::tempPath();
        wepo::OldFileSelect old(nullptr, r, 0, 0);
        ASSERT_NE(old.Dialog(), nullptr);
        EXPECT_EQ(qobject_cast<QLabel*>(wepo::FindControl(old.Dialog(), 1090))->text(),
                  QString::fromUtf8(label));
        wepo::OldFolderSelect folders(nullptr, QString(), QDir::tempPath(), WP_MAX_PATH);
        ASSERT_NE(folders.Dialog(), nullptr);
        EXPECT_EQ(folders.Dialog()->windowTitle(), QString::fromUtf8(title));
    }
    platform::SetLanguage(before);
}

}  // namespace
