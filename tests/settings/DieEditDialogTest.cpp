// The die edit dialogs: the layout of every shape, at set-up and when the shape changes, and the
// choice of a shape file.
#include <gtest/gtest.h>

#include "DieDialogFixture.h"

using namespace die_test;
using platform::PromptAnswer;

namespace {

constexpr unsigned kList = 1324;

class DieEdit : public DieDialogFixture {
protected:
    // Runs the add dialog from an empty die list with script.
    void RunAdd(std::function<void(QWidget*)> script) {
        tool->PossessedToolFileName = "pch.dat";
        scripts.Add(1537, [](QWidget* d) {
            Click(d, 32856);
            Click(d, DBID_CANCEL);
        });
        scripts.Add(1538, std::move(script));
        tool->EditPossessedDies();
    }
};

// What the dialog shows for a shape: '+' enabled, '-' disabled, ' ' hidden; for X, Y, R, angle,
// shape file, rotation, the direction buttons and the endless check; and the captions.
struct Layout {
    int shapeIndex;
    const char* fields;  // X Y R A F T D E
    const char* labelY;
    const char* first;  // caption of 1612 when shown
};
std::string Shown(QWidget* d) {
    std::string s;
    for (unsigned id : {1370u, 1371u, 1372u, 1375u, 1377u, 1437u, 1612u, 7011u}) {
        QWidget* w = DlgBoxControl(d, id);
        s += w->isHidden() ? ' ' : w->isEnabled() ? '+' : '-';
    }
    return s;
}

const Layout kLayouts[] = {
    {0, "+-----  ", "Y", nullptr},                       // RO
    {1, "+--+--  ", "Y", nullptr},                       // SQ: size Y follows size X
    {2, "++-+--  ", "Y", nullptr},                       // RE
    {3, "++-+--  ", "Y", nullptr},                       // OB
    {4, "+ ----+ ", "Direction", "Up"},                  // CP
    {5, "++-+--  ", "Y", nullptr},                       // DD
    {6, "++-+--  ", "Y", nullptr},                       // SD
    {7, "+  ---++", "Direction", "Up"},                  // BR
    {8, "++++--  ", "Y", nullptr},                       // RR
    {9, "---+++  ", "Y", nullptr},                       // SP
    {10, "+ ----+ ", "Direction", "Right-hand thread"},  // TP
    {11, "- -++++ ", "Direction", "Up"},                 // SE
    {12, "---+++  ", "Y", nullptr},                      // KI
    {13, "++++--  ", "Y", nullptr},                      // CR
};

TEST_F(DieEdit, LayoutOfEveryShapeWhenTheShapeChanges) {
    RunAdd([](QWidget* d) {
        for (const Layout& l : kLayouts) {
            Choose(d, 1361, l.shapeIndex);
            EXPECT_EQ(Shown(d), l.fields) << "shape " << l.shapeIndex;
            EXPECT_EQ(Text(d, 1611), l.labelY) << l.shapeIndex;
            if (l.first) EXPECT_EQ(Text(d, 1612), l.first) << l.shapeIndex;
            // Fields that do not apply show zero.
            for (unsigned id : {1370u, 1371u, 1372u, 1375u}) {
                QWidget* w = DlgBoxControl(d, id);
                if (!w->isHidden() && !w->isEnabled()) EXPECT_EQ(Text(d, id), "0.00") << id;
            }
        }
        Click(d, DBID_CANCEL);
    });
}

TEST_F(DieEdit, LayoutAtSetUpKeepsASquaresSizeYAndLocksThePlacedDiesRange) {
    LoadDies();  // die 3 is a square with size Y 20; die 10 is placed
    prompt.answers = {PromptAnswer::No};
    scripts.Add(1537, [](QWidget* d) {
        Click(d, 1490);
        for (int r = 0; r < RowCount(d, kList); ++r) {
            if (RowText(d, kList, r).startsWith("    3")) {
                SelectRow(d, kList, r);
                Click(d, 32855);
            }
        }
        for (int r = 0; r < RowCount(d, kList); ++r) {
            if (RowText(d, kList, r).startsWith("   10")) {
                SelectRow(d, kList, r);
                Click(d, 32855);
            }
        }
        Click(d, DBID_OK);
    });
    scripts.Add(1546, [](QWidget* d) {
        QWidget* y = DlgBoxControl(d, 1371);
        EXPECT_FALSE(y->isEnabled());
        EXPECT_TRUE(Text(d, 1371).startsWith("20.00"));
        EXPECT_TRUE(C<QWidget>(d, 1376)->isEnabled());  // not placed
        Type(d, 1370, "25");
        Click(d, DBID_OK);
    });
    scripts.Add(1546, [](QWidget* d) {
        EXPECT_FALSE(C<QWidget>(d, 1376)->isEnabled());  // placed in a station
        Click(d, DBID_CANCEL);
    });
    tool->EditPossessedDies();
    EXPECT_EQ(tool->FindDie(3)->SizeY, 25.0);  // size Y follows size X
}

TEST_F(DieEdit, DirectionAndEndlessGoIntoSizeYAndR) {
    RunAdd([](QWidget* d) {
        Choose(d, 1361, 7);  // BR
        Type(d, 1370, "8");
        Click(d, 1613);  // down
        Click(d, 7011);  // endless
        Click(d, DBID_OK);
    });
    const DieRecord* br = tool->FindDie(1);
    ASSERT_NE(br, nullptr);
    EXPECT_EQ(br->Shape, 8);
    EXPECT_EQ(br->SizeY, 1.0);
    EXPECT_EQ(br->SizeR, 1.0);
}

TEST_F(DieEdit, BrowseKeepsTheNameAndRemembersItPerKind) {
    SetShapeFileFolder((config / "TOOL/").string());
    SetShapeFileFilterIndexes(1, 2, 3);
    fileAnswers.push_back(FileAnswer{(config / "TOOL/star.spf").string(), 1});
    fileAnswers.push_back(std::nullopt);  // cancelled: nothing changes
    fileAnswers.push_back(FileAnswer{(config / "TOOL/logo.dxf").string(), 4});
    fileAnswers.push_back(FileAnswer{(config / "TOOL/caf\xc3\xa9.kif").string(), 3});
    RunAdd([this](QWidget* d) {
        Choose(d, 1361, 9);  // SP
        Click(d, 1378);
        EXPECT_EQ(Text(d, 1377), "star.spf");
        Click(d, 1378);
        EXPECT_EQ(Text(d, 1377), "star.spf");
        Choose(d, 1361, 12);  // KI: the field keeps its text
        EXPECT_EQ(Text(d, 1377), "star.spf");
        Click(d, 1378);
        EXPECT_EQ(Text(d, 1377), "logo.dxf");
        // A name the die file cannot hold (no CP932 form) is refused.
        Click(d, 1378);
        EXPECT_EQ(Text(d, 1377), "logo.dxf");
        EXPECT_TRUE(Asked("cannot store"));
        Choose(d, 1361, 9);
        Click(d, DBID_OK);
    });
    ASSERT_EQ(fileAsked.size(), 4u);
    EXPECT_EQ(fileAsked[0].mode, unsigned(WPF_OPEN));
    EXPECT_EQ(fileAsked[0].title, "Shape file");
    EXPECT_EQ(fileAsked[0].folder, (config / "TOOL/").string());
    EXPECT_EQ(fileAsked[0].file, "*.SPF");
    EXPECT_EQ(fileAsked[0].extension, "SPF");
    EXPECT_EQ(fileAsked[0].filterIndex, 1u);
    EXPECT_EQ(fileAsked[0].filter,
              "Special shape files (*.SPF)|*.SPF|Forming shape files (*.SEF)|*.SEF|Stamping shape "
              "files (*.KIF)|*.KIF|Shape files (*.DXF)|*.DXF|All Files (*.*)|*.*|");
    EXPECT_EQ(fileAsked[1].file, "star.spf");
    EXPECT_EQ(fileAsked[2].file, "star.spf");
    EXPECT_EQ(fileAsked[2].filterIndex, 3u);
    EXPECT_EQ(fileAsked[3].file, "logo.dxf");
    EXPECT_EQ(fileAsked[3].filterIndex, 4u);
    int sp = 0, se = 0, ki = 0;
    GetShapeFileFilterIndexes(&sp, &se, &ki);
    EXPECT_EQ(sp, 1);
    EXPECT_EQ(se, 2);
    EXPECT_EQ(ki, 4);
    // The die keeps the name in its field, without a folder.
    const DieRecord* sp1 = tool->FindDie(1);
    ASSERT_NE(sp1, nullptr);
    EXPECT_EQ(sp1->Shape, 10);
    EXPECT_EQ(sp1->ShapeFile, "logo.dxf");
}

}  // namespace
