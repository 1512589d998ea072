// libwepo.so exports its API and nothing of its internals.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

namespace {

TEST(ExportsTest, OnlyTheApiLeavesTheLibrary) {
    QProcess nm;
    nm.start("nm", {"-D", "--defined-only", WEPO_LIBRARY_FILE});
    ASSERT_TRUE(nm.waitForFinished(20000));
    QStringList names;
    for (const QString& line :
         QString::fromUtf8(nm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        QStringList fields = line.split(' ', Qt::SkipEmptyParts);
        if (fields.size() >= 3 && fields[1] != "A") names << fields[2];
    }
    names.sort();
    QStringList expected = {"DlgBoxControl",      "DlgBoxEnd",       "DlgBoxFillItem",
                            "DlgBoxFocusItem",    "DlgBoxGetItems",  "DlgBoxPostCommand",
                            "DlgBoxReformatItem", "DlgBoxStoreItem", "wpDlgBoxCtrl"};
    for (const char* later : {"wpSelectDirectryName", "wpSelectFileGUI", "wpSelectFileName"})
        if (names.contains(later)) expected << later;
    expected.sort();
    EXPECT_EQ(names, expected);
}

}  // namespace
