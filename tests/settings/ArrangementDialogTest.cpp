// The arrangement and station dialogs under CPunchTool::EditArrangement.
#include <gtest/gtest.h>

#include "DieDialogFixture.h"
#include "nc/machine/DieTestSupport.h"

using namespace die_test;
using platform::PromptAnswer;

namespace {

constexpr unsigned kStations = 1041, kDies = 1326;
constexpr unsigned kCount = 1368, kPath = 1360, kTurret = 1370;
constexpr unsigned kPut = 40009, kEmpty = 1366, kChange = 32855, kBrowse = 1369;

class Arrangement : public DieDialogFixture {
protected:
    void SetUp() override {
        DieDialogFixture::SetUp();
        LoadDies();  // dies 10 (RO), 3 (SQ), 7 (SP), 25 (TP); stations 1: die 10, 2: die 25
    }
    static int DieRowOf(QWidget* d, int number) {
        const QString lead = QStringLiteral("%1 ").arg(number, 4);
        for (int r = 0; r < RowCount(d, kDies); ++r)
            if (RowText(d, kDies, r).startsWith(lead)) return r;
        return -1;
    }
};

TEST_F(Arrangement, PutEmptyFilterCountStationFileAndOK) {
    scripts.Add(1551, [this](QWidget* d) {
        EXPECT_EQ(Text(d, 1359), "[pch.dat]");
        EXPECT_EQ(Text(d, kPath).toStdString(), (config / "turret.arr").string());
        EXPECT_EQ(Text(d, kTurret), "T-30");
        EXPECT_FALSE(C<QWidget>(d, 1016)->isEnabled());
        ASSERT_EQ(RowCount(d, kStations), 2);
        EXPECT_EQ(RowText(d, kStations, 0), QString::fromUtf8("  1   1  10  A -- O φ10"));
        EXPECT_EQ(RowText(d, kStations, 1), "  2 ---  25  C -- - TP6");
        ASSERT_EQ(RowCount(d, kDies), 4);
        EXPECT_EQ(RowText(d, kDies, DieRowOf(d, 3)),
                  QString::fromUtf8("   3 B  角   20.00  20.00   0.00  45.00  ON   -O---- "));

        // The count the controller shows after evaluating is the count listed.
        Type(d, kCount, "1+2");
        Leave(d, kCount);
        EXPECT_EQ(Text(d, kCount), "3");
        ASSERT_EQ(RowCount(d, kStations), 3);
        EXPECT_EQ(RowText(d, kStations, 2), "  3 ---  --  A -- - ");

        // Die 3 into the new station; die 10 stands in station 1 already and is refused.
        SelectRow(d, kStations, 2);
        SelectRow(d, kDies, DieRowOf(d, 3));
        Click(d, kPut);
        EXPECT_EQ(RowText(d, kStations, 2), QString::fromUtf8("  3 ---   3  A -- - □20-45"));
        // The rows the user chose stay chosen.
        EXPECT_EQ(SelectedRowOf(d, kStations), 2);
        EXPECT_EQ(SelectedRowOf(d, kDies), DieRowOf(d, 3));
        SelectRow(d, kDies, DieRowOf(d, 10));
        Click(d, kPut);
        EXPECT_EQ(RowText(d, kStations, 2), QString::fromUtf8("  3 ---   3  A -- - □20-45"));

        // A double click on a die puts it: die 7 replaces die 25 in station 2.
        SelectRow(d, kStations, 1);
        DoubleClickRow(d, kDies, DieRowOf(d, 7));
        QApplication::processEvents();
        EXPECT_EQ(RowText(d, kStations, 1),
                  QString::fromUtf8("  2 ---   7  C -- - 特fig dies/star"));

        // Station 1 emptied.
        SelectRow(d, kStations, 0);
        Click(d, kEmpty);
        EXPECT_EQ(RowText(d, kStations, 0), "  1   1  --  A -- O ");

        // Only stations with automatic change, keeping their slot numbers.
        Click(d, 6060);
        ASSERT_EQ(RowCount(d, kStations), 1);
        EXPECT_TRUE(RowText(d, kStations, 0).startsWith("  1"));
        Click(d, 6059);
        ASSERT_EQ(RowCount(d, kStations), 3);

        // The station dialog: die 10 (now free) goes into station 3 with its whole record.
        SelectRow(d, kStations, 2);
        Click(d, kChange);
        EXPECT_EQ(RowText(d, kStations, 2), QString::fromUtf8("  3 305  10  A AI - φ10"));

        fileAnswers.push_back(FileAnswer{(config / "new").string(), 1});
        Click(d, kBrowse);
        EXPECT_EQ(Text(d, kPath).toStdString(), (config / "new").string());
        Type(d, kTurret, "T-NEW");
        Click(d, DBID_OK);
    });
    scripts.Add(1552, [this](QWidget* d) {
        EXPECT_EQ(Text(d, 1373), "0");
        EXPECT_EQ(Text(d, 1374), "3");
        for (const char* refused : {"7", "999", "0"}) {
            const size_t asked = prompt.asked.size();
            Type(d, 1374, refused);
            Click(d, DBID_OK);
            ASSERT_EQ(prompt.asked.size(), asked + 1) << refused;
            EXPECT_EQ(prompt.asked.back().text, platform::LoadString(kMsgStationDieNumber));
        }
        Type(d, 1373, "305");
        Type(d, 1374, "10");
        Type(d, 6070, "100000");
        Click(d, 1370);
        Click(d, DBID_OK);
    });
    EXPECT_EQ(tool->EditArrangement(), 0);

    ASSERT_TRUE(Asked("Update punch arrange file new.arr"));
    EXPECT_EQ(tool->ArrangedToolFileName, (config / "new.arr").string());
    const TurretArrangement& a = tool->Arrangement;
    EXPECT_EQ(a.StationCount, 3);
    EXPECT_EQ(a.TurretName, "T-NEW");
    EXPECT_EQ(a.Stations[0].Die.Number, -1);
    EXPECT_EQ(a.Stations[1].Die.Number, 7);
    EXPECT_EQ(a.Stations[2].StationNo, 305);
    EXPECT_EQ(a.Stations[2].Die.Number, 10);
    EXPECT_EQ(a.Stations[2].Die.Shape, 1);
    EXPECT_EQ(a.Stations[2].PosX, 9999.0);
    EXPECT_EQ(a.Stations[2].AutoIndex, 1);
    ASSERT_EQ(fileAsked.size(), 1u);
    EXPECT_EQ(fileAsked[0].mode, unsigned(WPF_NOOVERWRITEPROMPT));
    EXPECT_EQ(fileAsked[0].title, "Punch arrangement file");
    EXPECT_EQ(fileAsked[0].folder, config.string() + "/");
    EXPECT_EQ(fileAsked[0].file, "turret.arr");
    EXPECT_EQ(fileAsked[0].extension, "arr");
    EXPECT_EQ(fileAsked[0].filter, "Punch arrangement files (*.ARR)|*.ARR|All Filters (*.*)|*.*|");

    // Written and read back.
    CPunchTool back(&nc);
    back.PossessedToolFileName = "pch.dat";
    back.ArrangedToolFileName = "new.arr";
    ASSERT_EQ(back.ReadWritePossessed(1), 0);
    ASSERT_EQ(back.ReadWriteArrangement(1), 0);
    EXPECT_EQ(back.Arrangement.StationCount, 3);
    EXPECT_EQ(back.GetDieOfStation(305), 10);
    EXPECT_EQ(back.Arrangement.Stations[1].Die.Number, 7);
    EXPECT_EQ(settings_test::Value(config / "machine.nmd", "Punch", "ArrangedToolFileName"),
              (config / "new.arr").string());
}

// A die file of 2005 dies numbered from 1: dies 2001 to 2005 lie beyond the table, and no
// station may hold one of them (the arrangement reader would not find it); the refusal says so.
// A comma in a code is refused too: the arrangement file's fields are separated by commas, and
// the code would come back cut. Codes without one are kept whole.
TEST_F(Arrangement, AStationTakesADieOfTheTableAndCodesWithoutAComma) {
    dietest::WriteBytes(config / "pch.dat", dietest::ManyDies(kMaxDies + 5, 4, true));
    ASSERT_EQ(tool->ReadWritePossessed(1), 0);
    ASSERT_EQ(tool->ReadWriteArrangement(1), 0);  // stations 1: die 10, 2: die 25
    prompt.asked.clear();
    scripts.Add(1551, [](QWidget* d) {
        SelectRow(d, kStations, 1);
        Click(d, kChange);
        Click(d, DBID_OK);
    });
    scripts.Add(1552, [this](QWidget* d) {
        const auto refused = [&](const char* die, const char* start, const char* end) {
            const size_t asked = prompt.asked.size();
            Type(d, 1374, die);
            Type(d, 1606, start);
            Type(d, 1607, end);
            Click(d, DBID_OK);
            EXPECT_EQ(prompt.asked.size(), asked + 1) << die << " " << start << " " << end;
            return prompt.asked.size() > asked ? prompt.asked.back().text : std::string();
        };
        for (const char* beyond : {"2003", "2001"}) {
            std::string text = platform::LoadString(kMsgStationDieBeyondTable);
            text.replace(text.find("%s"), 2, beyond);
            EXPECT_EQ(refused(beyond, "M12", "M14"), text);
        }
        EXPECT_EQ(refused("10", "M12", "M14"), platform::LoadString(kMsgStationDieNumber));
        EXPECT_EQ(refused("2006", "M12", "M14"), platform::LoadString(kMsgStationDieNumber));
        EXPECT_EQ(refused("2000", "M12,M13", "M14"), platform::LoadString(kMsgStationCodeComma));
        EXPECT_EQ(refused("2000", "M12", "M1,4"), platform::LoadString(kMsgStationCodeComma));
        Type(d, 1606, "M12 M13");
        Type(d, 1607, "M14");
        Click(d, DBID_OK);
    });
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(tool->EditArrangement(), 0);
    ASSERT_EQ(prompt.asked.size(), 7u);
    EXPECT_TRUE(Asked("Update punch arrange file turret.arr"));

    CPunchTool back(&nc);
    back.PossessedToolFileName = "pch.dat";
    back.ArrangedToolFileName = "turret.arr";
    ASSERT_EQ(back.ReadWritePossessed(1), 0);
    ASSERT_EQ(back.ReadWriteArrangement(1), 0);
    const StationRecord& station = back.Arrangement.Stations[1];
    EXPECT_EQ(station.Die.Number, 2000);
    EXPECT_EQ(station.StartCode, "M12 M13");
    EXPECT_EQ(station.EndCode, "M14");
}

TEST_F(Arrangement, CancelTakesNothing) {
    const TurretArrangement before = tool->Arrangement;
    const std::vector<DieRecord> dies = tool->Dies;
    scripts.Add(1551, [](QWidget* d) {
        Type(d, kCount, "5");
        Leave(d, kCount);
        SelectRow(d, kStations, 4);
        SelectRow(d, kDies, 1);
        Click(d, kPut);
        Click(d, DBID_CANCEL);
    });
    EXPECT_EQ(tool->EditArrangement(), -1);
    EXPECT_EQ(tool->Arrangement, before);
    EXPECT_EQ(tool->Dies, dies);
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(Arrangement, StationCountIsLimitedAndAlwaysRefills) {
    prompt.answers = {PromptAnswer::No};
    scripts.Add(1551, [](QWidget* d) {
        Type(d, kCount, "120");
        Leave(d, kCount);
        EXPECT_EQ(Text(d, kCount), "100");
        EXPECT_EQ(RowCount(d, kStations), 100);
        EXPECT_TRUE(RowText(d, kStations, 99).startsWith("100"));
        Type(d, kCount, "abc");
        Leave(d, kCount);
        EXPECT_EQ(Text(d, kCount), "0");
        EXPECT_EQ(RowCount(d, kStations), 0);
        Type(d, kCount, "2");
        Leave(d, kCount);
        EXPECT_EQ(RowCount(d, kStations), 2);
        Click(d, DBID_OK);
    });
    EXPECT_EQ(tool->EditArrangement(), 0);
    EXPECT_EQ(tool->Arrangement.StationCount, 2);
}

TEST_F(Arrangement, DoubleClickOnAStationSelectsItsDie) {
    scripts.Add(1551, [](QWidget* d) {
        DoubleClickRow(d, kStations, 1);  // holds die 25
        const int row = SelectedRowOf(d, kDies);
        ASSERT_GE(row, 0);
        EXPECT_TRUE(RowText(d, kDies, row).startsWith("  25"));
        Click(d, DBID_CANCEL);
    });
    tool->EditArrangement();
}

}  // namespace
