// Renders the NC line list with every row state to a PNG for a reviewer to look at
// (build/shots/nc-line-list.png), and checks through the model that each row shows the state
// the picture is meant to show.
#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPixmap>
#include <QTest>

#include "NcListFixture.h"

using NcListPicture = NcListFixture;

TEST_F(NcListPicture, EveryRowState) {
    Make({"%", "O0001(SAMPLE)", "(\x89\xc1\x8d\x48 CUT)", "G92X1000.Y1000.", "G00X20.Y20.", "M103",
          "G01X120.Y20.", "G01X120.Y80.", "M98P1000", "G01X20.Y20.", "M104", "M30", "%"});
    view->resize(320, 330);
    Model()->ClickBreakpoint(4);  // on
    Model()->ClickBreakpoint(6);
    Model()->ClickBreakpoint(6);  // disabled
    Model()->SetErrorMark(7, 1);
    view->FindText = "m104";
    ASSERT_EQ(view->FindNext(), 1);  // row 10 drop-highlighted
    // A click on row 9's number selects it; the found row keeps its highlight.
    const QModelIndex nine = Model()->index(9, NcLineModel::kColLine);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(nine).center());

    struct Row {
        int breakpoint;       // 0 none, 1 on, 2 disabled
        int errorMark;        // 0 or 1
        QVariant back, fore;  // Background and Foreground of the text column; back null: none
    };
    const QColor white(255, 255, 255);
    const QVariant none;
    auto plain = [&] { return Row{0, 0, none, none}; };
    std::vector<Row> rows(13, plain());
    rows[4].breakpoint = 1;
    rows[6].breakpoint = 2;
    rows[7] = Row{0, 1, QColor(255, 0, 0), white};
    rows[10] = Row{0, 0, QColor(0, 96, 192), white};
    for (int r = 0; r < 13; ++r) {
        const uint32_t param = Data(r, 0, NcLineModel::kRowParamRole).toUInt();
        EXPECT_EQ(RowParamBreakpoint(param), rows[size_t(r)].breakpoint) << "row " << r;
        EXPECT_EQ(RowParamErrorMark(param), rows[size_t(r)].errorMark) << "row " << r;
        const QVariant back = Data(r, 2, Qt::BackgroundRole);
        EXPECT_EQ(back.isValid(), rows[size_t(r)].back.isValid()) << "row " << r;
        if (rows[size_t(r)].back.isValid()) {
            EXPECT_EQ(back.value<QColor>(), rows[size_t(r)].back.value<QColor>()) << "row " << r;
            EXPECT_EQ(Data(r, 2, Qt::ForegroundRole).value<QColor>(),
                      rows[size_t(r)].fore.value<QColor>())
                << "row " << r;
        }
    }
    EXPECT_EQ(Model()->DropRow(), 10);
    const QModelIndexList selected = view->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.front().row(), 9);

    const QString folder = QStringLiteral(MORVALEN_BINARY_DIR "/shots");
    QDir().mkpath(folder);
    const QPixmap shot = view->grab();
    EXPECT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(folder + "/nc-line-list.png"));
}
