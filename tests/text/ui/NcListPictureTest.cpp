// Renders the NC line list with every row state to a PNG for a reviewer to look at
// (build/shots/nc-line-list.png).
#include <QDir>
#include <QHeaderView>
#include <QPixmap>

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
    int row = 9;
    view->SelectLine(1, &row, 1);
    view->FindText = "m104";
    view->FindNext();  // row 10 drop-highlighted
    const QString folder = QStringLiteral(MORVALEN_BINARY_DIR "/shots");
    QDir().mkpath(folder);
    const QPixmap shot = view->grab();
    EXPECT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(folder + "/nc-line-list.png"));
}
