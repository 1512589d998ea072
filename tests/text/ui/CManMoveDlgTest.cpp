// The manual-movement dialog: its totals, their reset on another line and after To Next, the
// Close button against the close box, the stored step.
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <fstream>

#include "NcOpsFixture.h"
#include "platform/Profile.h"
#include "text/CManMoveDlg.h"

namespace {

class ManMoveDialog : public NcOpsFixture {
protected:
    int closed = 0;
    int stepOnClose = -2;
    QPointer<CManMoveDlg> dlg;

    std::filesystem::path Machine() const { return dir.path() / "MV_Machine.nmd"; }

    CManMoveDlg* Open(int row, std::vector<std::string> lines = {"O1", "G01X10.Y5.", "G01X20.Y5.",
                                                                 "(C)", "M30"}) {
        Make(std::move(lines));
        int r = row;
        view->SelectLine(1, &r, 1);
        ManMoveContext ctx;
        ctx.ManualMove = [this](int axis, int line, double step) {
            return view->ManualMove(axis, line, step);
        };
        ctx.SelectLine = [this](int r) { return view->SelectLine(1, &r, 1); };
        ctx.SelectedRow = [this] { return view->FirstSelectedRow(); };
        ctx.Closed = [this] {
            ++closed;
            stepOnClose = dlg ? dlg->StepIndex : -3;
        };
        ctx.IniPath = host.iniPath;
        ctx.MachineFile = Machine();
        dlg = new CManMoveDlg(std::move(ctx));
        dlg->Create();
        return dlg;
    }
    void Click(int id) { dlg->findChild<QPushButton*>(QStringLiteral("id%1").arg(id))->click(); }
    QString Position() { return dlg->findChild<QLabel*>("id1205")->text(); }
    QString Rotation() { return dlg->findChild<QLabel*>("id1206")->text(); }
    void TearDown() override {
        if (dlg) delete dlg.data();
        NcOpsFixture::TearDown();
    }
};

TEST_F(ManMoveDialog, TotalsFollowTheMoves) {
    std::ofstream(Machine()) << "[Manual_Move]\r\nMoveVal=2\r\n";
    Open(1);
    EXPECT_EQ(dlg->CurrentLine, 1);
    EXPECT_TRUE(dlg->findChild<QRadioButton*>("id1202")->isChecked());
    EXPECT_EQ(Position(), "Total : X  0.000  Y  0.000  Z  0.000");
    for (int i = 0; i < 3; ++i) Click(1191);  // X +
    EXPECT_EQ(host.lines[1], "G01X10.3Y5.");
    EXPECT_EQ(Position(), "Total : X  0.300  Y  0.000  Z  0.000");
    dlg->findChild<QRadioButton*>("id1208")->setChecked(true);
    Click(1192);  // Y -
    Click(1199);  // A +: the line has no A word, nothing moves
    EXPECT_EQ(host.lines[1], "G01X10.3Y-5.");
    EXPECT_EQ(Position(), "Total : X  0.300  Y -10.000  Z  0.000");
    EXPECT_EQ(Rotation(), "C  0.000  A  0.000");
    EXPECT_EQ(view->FirstSelectedRow(), 1);

    // Another line (a click in the list, through the frame) starts the totals again.
    dlg->SetCurrentLine(2);
    EXPECT_EQ(Position(), "Total : X  0.000  Y  0.000  Z  0.000");
    Click(1191);
    EXPECT_EQ(host.lines[2], "G01X30.Y5.");
    // To Next selects the next row and starts again; To Prev back.
    Click(1207);
    EXPECT_EQ(dlg->CurrentLine, 3);
    EXPECT_EQ(view->FirstSelectedRow(), 3);
    EXPECT_EQ(Position(), "Total : X  0.000  Y  0.000  Z  0.000");
    Click(1191);  // a comment line: nothing
    EXPECT_EQ(host.lines[3], "(C)");
    Click(1204);
    EXPECT_EQ(dlg->CurrentLine, 2);
}

// A total as wide as its field keeps the blank after its letter, as the others have.
TEST_F(ManMoveDialog, WideTotalsKeepTheirBlank) {
    std::ofstream(Machine()) << "[Manual_Move]\r\nMoveVal=4\r\n";  // steps of 10
    Open(1, {"O1", "G01X10.Y5.C0.A0.", "M30"});
    for (int i = 0; i < 13; ++i) Click(1191);  // X +
    for (int i = 0; i < 11; ++i) Click(1192);  // Y -
    for (int i = 0; i < 13; ++i) Click(1199);  // A +
    EXPECT_EQ(host.lines[1], "G01X140.Y-105.C0.A130.");
    EXPECT_EQ(Position(), "Total : X 130.000  Y -110.000  Z  0.000");
    EXPECT_EQ(Rotation(), "C  0.000  A 130.000");
}

TEST_F(ManMoveDialog, NoLineNoMove) {
    Make({"G01X1."});
    ManMoveContext ctx;
    int calls = 0;
    ctx.ManualMove = [&](int, int, double) { return ++calls; };
    ctx.SelectedRow = [] { return -1; };
    ctx.MachineFile = Machine();
    dlg = new CManMoveDlg(std::move(ctx));
    dlg->Create();
    EXPECT_EQ(dlg->MoveAxis(1), 0);
    EXPECT_EQ(calls, 0);
}

TEST_F(ManMoveDialog, CloseButtonSavesThePlace) {
    Open(1);
    dlg->move(123, 77);
    dlg->findChild<QRadioButton*>("id1203")->setChecked(true);
    Click(2);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(stepOnClose, 3);
    EXPECT_EQ(platform::GetProfileInt("ManMoveDlg", "PositionX", -1, host.iniPath), 123);
    EXPECT_EQ(platform::GetProfileInt("ManMoveDlg", "PositionY", -1, host.iniPath), 77);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dlg.isNull());
}

TEST_F(ManMoveDialog, CloseBoxDoesNot) {
    Open(1);
    dlg->close();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(platform::GetProfileInt("ManMoveDlg", "PositionX", -1, host.iniPath), -1);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dlg.isNull());
}

TEST_F(ManMoveDialog, StoredStep) {
    const struct {
        const char* stored;
        int index;
        const char* button;
    } cases[] = {{"4", 4, "id1208"}, {"0", 0, "id1200"}, {"7", 0, "id1200"}, {"-1", 0, "id1200"}};
    for (const auto& c : cases) {
        std::ofstream(Machine()) << "[Manual_Move]\nMoveVal=" << c.stored << "\n";
        Open(1);
        EXPECT_EQ(dlg->StepIndex, c.index) << c.stored;
        EXPECT_TRUE(dlg->findChild<QRadioButton*>(c.button)->isChecked()) << c.stored;
        dlg->findChild<QRadioButton*>("id1201")->setChecked(true);
        dlg->close();
        dlg->MoveValProfile(1);
        EXPECT_EQ(platform::GetProfileInt("Manual_Move", "MoveVal", -1, Machine()), 1);
        delete dlg.data();
    }
}

}  // namespace
