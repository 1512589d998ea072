// The list's table model: model rules, colour classes, error marks and numbering.
#include <QAbstractItemModelTester>
#include <QColor>
#include <QIcon>

#include "NcListFixture.h"
#include "platform/Profile.h"
#include "text/core/NcLineClass.h"

using NcLineModelTest = NcListFixture;

TEST_F(NcLineModelTest, PassesTheModelTester) {
    Make({"O1", "G01 X1.", "M30"});
    QAbstractItemModelTester tester(Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    lines = NumberedLines(50);
    view->UpdateFromDocument();
    Model()->ClickBreakpoint(3);
    Model()->SetErrorMark(4, 1);
    Model()->ClickHeader();
    Model()->SetDropRow(7);
    EXPECT_EQ(Model()->rowCount(), 50);
    EXPECT_EQ(Model()->columnCount(), 3);
}

TEST_F(NcLineModelTest, ColourClasses) {
    Make({"O1234", "(COMMENT", "G00 M98 P10", "(M98)", "O10 M98", "G01 X1.", ""});
    const QColor ono(255, 0, 0), sub(0, 0, 255), comment(0, 128, 0), text(0, 0, 0);
    const QColor expected[] = {ono, comment, sub, comment, ono, text, text};
    const int classes[] = {1, 3, 2, 3, 1, 0, 0};
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(Data(row, 2, Qt::ForegroundRole).value<QColor>(), expected[row]) << row;
        const uint32_t param = Data(row, 0, NcLineModel::kRowParamRole).toUInt();
        EXPECT_EQ(RowParamColourClass(param), classes[row]) << row;
        EXPECT_EQ(RowParamBreakpoint(param), 0);
    }
    // Stored colours come from the settings, each component cut to a byte.
    platform::WriteProfileString("NcTextView", "CommentPenB", "300", Ini());
    view->UpdateFromDocument();
    EXPECT_EQ(Data(1, 2, Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 300 & 0xFF));
}

TEST_F(NcLineModelTest, ErrorMarkIsWhiteOnRed) {
    Make({"O1234", "G01 X1."});
    Model()->SetErrorMark(0, 1);
    EXPECT_EQ(Data(0, 2, Qt::ForegroundRole).value<QColor>(), QColor(255, 255, 255));
    EXPECT_EQ(Data(0, 2, Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(RowParamErrorMark(Data(0, 0, NcLineModel::kRowParamRole).toUInt()), 1);
    // A fill clears it.
    view->UpdateFromDocument();
    EXPECT_FALSE(Data(0, 2, Qt::BackgroundRole).isValid());
}

TEST_F(NcLineModelTest, RowsAreShownDecodedFromCp932) {
    // "(加工)" in CP932.
    Make({"(\x89\xc1\x8d\x48)", "G01 X1."});
    EXPECT_EQ(Data(0, 2).toString(), QString::fromUtf8("(加工)"));
    EXPECT_EQ(Data(1, 2).toString(), "G01 X1.");
}

// The reader stops a number at a NUL ("X1<NUL>." is X0.001): the list shows such bytes as
// marks, not as nothing, and leaves the line itself alone.
TEST_F(NcLineModelTest, ControlBytesAreShownAsMarks) {
    const std::string nul = std::string("G00X1") + '\0' + ".Y2.";
    Make({nul, "G01X1.\x1b\x7fY2.\r", "G01\tX1.", "(\x89\xc1)\x01"});
    EXPECT_EQ(Data(0, 2).toString(), QString::fromUtf8("G00X1\u2400.Y2."));
    EXPECT_EQ(Data(1, 2).toString(), QString::fromUtf8("G01X1.\u241b\u2421Y2.\u240d"));
    EXPECT_EQ(Data(2, 2).toString(), "G01\tX1.");  // a tab is read as a blank and shown as one
    EXPECT_EQ(Data(3, 2).toString(), QString::fromUtf8("(加)\u2401"));
    EXPECT_EQ(lines[0], nul);
}

TEST_F(NcLineModelTest, AHugeLineShowsItsFirstPartWithoutHalfACharacter) {
    // 2047 bytes, then "加" (two bytes) across the cut at 2048, then a megabyte more.
    const std::string head(2047, 'X');
    Make({head + "\x89\xc1" + std::string(1 << 20, 'Y'), std::string(2048, 'Z')});
    EXPECT_EQ(Data(0, 2).toString(), QString::fromStdString(head) + QString::fromUtf8("加"));
    EXPECT_EQ(Data(1, 2).toString().size(), 2048);  // exactly the limit: shown whole
}

TEST_F(NcLineModelTest, LineNumbersPadToTheCount) {
    Make(NumberedLines(1000));
    EXPECT_EQ(Data(0, 1).toString(), "0001");
    EXPECT_EQ(Data(999, 1).toString(), "1000");
    EXPECT_EQ(view->GetLineNumberOfRow(41), 42);
    lines = NumberedLines(999);
    view->UpdateFromDocument();
    EXPECT_EQ(Data(0, 1).toString(), "001");
    EXPECT_EQ(Data(998, 1).toString(), "999");
    EXPECT_EQ(view->GetLineNumberOfRow(999), 0);  // out of range
}

TEST_F(NcLineModelTest, OriginShiftNumbering) {
    rules.AppMachineType = 1;
    Make({"A", "ORIGINSFT", "X1", " Y2", "", "Z3"});
    const char* expected[] = {" ", "1", "2", "2", " ", "3"};
    for (int row = 0; row < 6; ++row) EXPECT_EQ(Data(row, 1).toString(), expected[row]) << row;
    EXPECT_EQ(view->GetLineNumberOfRow(0), 0);
    EXPECT_EQ(view->GetLineNumberOfRow(5), 3);
}

TEST_F(NcLineModelTest, EmptyDocumentHasColumnsAndNoRows) {
    Make({});
    EXPECT_EQ(Model()->rowCount(), 0);
    EXPECT_EQ(Model()->columnCount(), 3);
    EXPECT_EQ(Model()->headerData(1, Qt::Horizontal).toString(), "Line");
    EXPECT_EQ(Model()->headerData(2, Qt::Horizontal).toString(), "Data");
}

TEST_F(NcLineModelTest, LinesChangedBeforeTheRefillAreNotRead) {
    Make(NumberedLines(10));
    lines.resize(4);  // an operation changed the document; the fill comes later
    EXPECT_EQ(Model()->rowCount(), 10);
    EXPECT_EQ(Data(8, 2).toString(), "");
    EXPECT_EQ(RowParamColourClass(Data(8, 0, NcLineModel::kRowParamRole).toUInt()), 0);
    view->UpdateFromDocument();
    EXPECT_EQ(Model()->rowCount(), 4);
}
