// The "Replace" page: its commands as a table of edit sequences against the rows written, the
// end mark and the stale tail, quoting, and the column widths.
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "SettingsFixture.h"
#include "nc/machine/CNcReadInfo.h"
#include "settings/CSetMachinePage4.h"
#include "settings/CSetMachineSheet.h"

using namespace settings_test;

namespace {

struct Row {
    std::string from, to;
    uint32_t enable;
    bool operator==(const Row& o) const {
        return from == o.from && to == o.to && enable == o.enable;
    }
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << "{" << r.from << "," << r.to << "," << r.enable << "}";
}

std::string Section(size_t n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "TextConvert%03zu", n);
    return buf;
}

std::string RowsFile(const std::vector<Row>& rows) {
    std::string text;
    for (size_t i = 0; i < rows.size(); ++i)
        text += "[" + Section(i) + "]\r\nFrom=\"" + rows[i].from + "\"\r\nTo=\"" + rows[i].to +
                "\"\r\nEnable=" + std::to_string(rows[i].enable) + "\r\n";
    return text;
}

std::vector<Row> WrittenRows(const std::filesystem::path& file) {
    std::vector<Row> rows;
    platform::ProfileFile p;
    p.Load(file);
    for (size_t n = 0;; ++n) {
        std::string from = p.GetString(Section(n), "From", "");
        if (from.empty()) break;
        rows.push_back(
            {from, p.GetString(Section(n), "To", ""), uint32_t(p.GetInt(Section(n), "Enable", 0))});
    }
    return rows;
}

enum class Op { Select, Append, Update, DoubleClick, Delete, Up, Down, Check, Header };

struct Step {
    Op op;
    std::vector<int> rows = {};  // Select: the rows; Check, DoubleClick: the row; Header: column
    std::string first = {}, second = {};  // the editor's answer; empty first: Cancel
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<Row> rows;                                           // written after OK
    std::vector<int> selected;                                       // selected rows at the end
    std::vector<std::pair<std::string, std::string>> prefills = {};  // what the editor showed
};

const std::vector<Row> kStart = {{"A", "a", 1}, {"B", "b", 0}, {"C", "c", 1}, {"D", "d", 1}};

class MachinePage4 : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        SetWorkingCopy(RowsFile(kStart));
    }
    CSetMachinePage4* Page() { return static_cast<CSetMachinePage4*>(sheet->Page(4)); }
    QTreeWidget* List() { return Page()->List(); }
    std::vector<int> Selected() {
        std::vector<int> rows;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            if (List()->topLevelItem(i)->isSelected()) rows.push_back(i);
        return rows;
    }
    void Click(int row, int column, bool dbl = false) {
        QRect r = List()->visualRect(List()->model()->index(row, column));
        // A double click is a click and then the double-click event.
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, r.center());
        if (dbl) QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, r.center());
    }
    void Run(const Step& s, std::vector<std::pair<std::string, std::string>>& prefills) {
        ModalScriptGuard guard([&](QDialog& d) {
            prefills.push_back({Control<QLineEdit>(&d, 1043)->text().toStdString(),
                                Control<QLineEdit>(&d, 1044)->text().toStdString()});
            if (s.first.empty()) return Answer(d, {{}, 2});
            return Answer(d, {{{1043, QString::fromStdString(s.first)},
                               {1044, QString::fromStdString(s.second)}}});
        });
        switch (s.op) {
            case Op::Select:
                List()->clearSelection();
                for (int r : s.rows) List()->topLevelItem(r)->setSelected(true);
                break;
            case Op::Append:
                Page()->Ctl<QPushButton>(32856)->click();
                break;
            case Op::Update:
                Page()->Ctl<QPushButton>(32855)->click();
                break;
            case Op::DoubleClick:
                Click(s.rows[0], 1, true);
                break;
            case Op::Delete:
                Page()->Ctl<QPushButton>(32857)->click();
                break;
            case Op::Up:
                Page()->Ctl<QPushButton>(1042)->click();
                break;
            case Op::Down:
                Page()->Ctl<QPushButton>(1043)->click();
                break;
            case Op::Check:
                Click(s.rows[0], 0);
                break;
            case Op::Header: {
                QHeaderView* h = List()->header();
                QTest::mouseClick(
                    h->viewport(), Qt::LeftButton, {},
                    QPoint(h->sectionViewportPosition(s.rows[0]) + 3, h->height() / 2));
                break;
            }
        }
    }

    std::unique_ptr<CSetMachineSheet> sheet;
};

TEST_F(MachinePage4, EditSequences) {
    const Case cases[] = {
        {"append with one row selected: prefilled, enabled, alone selected",
         {{Op::Select, {1}}, {Op::Append, {}, "E", "e"}},
         {{"A", "a", 1}, {"B", "b", 0}, {"C", "c", 1}, {"D", "d", 1}, {"E", "e", 1}},
         {4},
         {{"B", "b"}}},
        {"append with two rows selected prefills from the upper",
         {{Op::Select, {2, 1}}, {Op::Append, {}, "E", ""}},
         {{"A", "a", 1}, {"B", "b", 0}, {"C", "c", 1}, {"D", "d", 1}, {"E", "", 1}},
         {4},
         {{"B", "b"}}},
        {"append with nothing selected starts empty",
         {{Op::Select, {}}, {Op::Append, {}, "E", "e"}},
         {{"A", "a", 1}, {"B", "b", 0}, {"C", "c", 1}, {"D", "d", 1}, {"E", "e", 1}},
         {4},
         {{"", ""}}},
        {"append cancelled changes nothing",
         {{Op::Select, {0}}, {Op::Append}},
         kStart,
         {0},
         {{"A", "a"}}},
        {"update keeps the flag",
         {{Op::Select, {1}}, {Op::Update, {}, "B2", "b2"}},
         {{"A", "a", 1}, {"B2", "b2", 0}, {"C", "c", 1}, {"D", "d", 1}},
         {1},
         {{"B", "b"}}},
        {"update with nothing selected asks nothing",
         {{Op::Select, {}}, {Op::Update, {}, "X", "x"}},
         kStart,
         {},
         {}},
        {"double click updates",
         {{Op::DoubleClick, {2}, "C2", "c2"}},
         {{"A", "a", 1}, {"B", "b", 0}, {"C2", "c2", 1}, {"D", "d", 1}},
         {2},
         {{"C", "c"}}},
        {"delete of several rows selects the row at the first deleted index",
         {{Op::Select, {1, 3}}, {Op::Delete}},
         {{"A", "a", 1}, {"C", "c", 1}},
         {1}},
        {"delete of the last row alone leaves nothing selected",
         {{Op::Select, {3}}, {Op::Delete}},
         {{"A", "a", 1}, {"B", "b", 0}, {"C", "c", 1}},
         {}},
        {"up at the top changes nothing", {{Op::Select, {0}}, {Op::Up}}, kStart, {0}},
        {"up swaps texts and flags and selects the moved row",
         {{Op::Select, {2}}, {Op::Up}},
         {{"A", "a", 1}, {"C", "c", 1}, {"B", "b", 0}, {"D", "d", 1}},
         {1}},
        {"down at the bottom changes nothing", {{Op::Select, {3}}, {Op::Down}}, kStart, {3}},
        {"down moves the first selected row",
         {{Op::Select, {0, 2}}, {Op::Down}},
         {{"B", "b", 0}, {"A", "a", 1}, {"C", "c", 1}, {"D", "d", 1}},
         {1}},
        {"up and down with nothing selected change nothing",
         {{Op::Select, {}}, {Op::Up}, {Op::Down}},
         kStart,
         {}},
        {"a click on the check image flips the row",
         {{Op::Check, {1}}, {Op::Check, {0}}},
         {{"A", "a", 0}, {"B", "b", 1}, {"C", "c", 1}, {"D", "d", 1}},
         {0}},
        {"the first header click switches every row off, the next on",
         {{Op::Header, {0}}},
         {{"A", "a", 0}, {"B", "b", 0}, {"C", "c", 0}, {"D", "d", 0}},
         {}},
        {"two header clicks switch every row on",
         {{Op::Header, {0}}, {Op::Header, {0}}},
         {{"A", "a", 1}, {"B", "b", 1}, {"C", "c", 1}, {"D", "d", 1}},
         {}},
        {"other headers do nothing", {{Op::Header, {1}}, {Op::Header, {2}}}, kStart, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetWorkingCopy(RowsFile(kStart));
        sheet = std::make_unique<CSetMachineSheet>(ctx);
        sheet->resize(700, 500);
        sheet->show();
        sheet->Tabs()->setCurrentWidget(Page());
        List()->clearSelection();
        std::vector<std::pair<std::string, std::string>> prefills;
        for (const Step& s : c.steps) Run(s, prefills);
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(prefills, c.prefills);
        // The list shows the rows and their flags.
        ASSERT_EQ(List()->topLevelItemCount(), int(Page()->From.size()));
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            EXPECT_EQ(List()->topLevelItem(i)->data(0, Qt::UserRole).toUInt(),
                      Page()->Enable[size_t(i)]);
        sheet->accept();
        EXPECT_EQ(WrittenRows(Work()), c.rows);
        // The end mark follows the last row.
        EXPECT_EQ(Value(Work(), Section(c.rows.size()), "From"), "");
        sheet.reset();
    }
}

TEST_F(MachinePage4, AShorterListKeepsTheStaleTailBehindTheEndMark) {
    SetWorkingCopy(RowsFile(kStart) + "[TextConvert004]\r\nFrom=\"E\"\r\nTo=\"e\"\r\nEnable=1\r\n");
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    ASSERT_EQ(Page()->From.size(), 5u);
    List()->topLevelItem(3)->setSelected(true);
    List()->topLevelItem(4)->setSelected(true);
    Page()->OnDelete();
    sheet->accept();
    EXPECT_EQ(WrittenRows(Work()).size(), 3u);
    EXPECT_EQ(Value(Work(), "TextConvert003", "From"), "");
    const std::string text = ReadAll(Work());
    EXPECT_NE(text.find("[TextConvert003]\r\nFrom=\r\nTo=\"d\"\r\nEnable=1\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[TextConvert004]\r\nFrom=\"E\"\r\n"), std::string::npos);
}

TEST_F(MachinePage4, LeadingBlanksAndDoubleByteTextsSurviveTheQuoting) {
    SetWorkingCopy(ReadAll(MORVALEN_TEST_DATA "/settings/machine.nmd"));
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    ASSERT_EQ(List()->topLevelItemCount(), 2);  // the empty From of row 2 ends the list
    EXPECT_EQ(List()->topLevelItem(0)->text(1), " G01");
    EXPECT_EQ(List()->topLevelItem(0)->text(2), "G1 ");
    EXPECT_EQ(List()->topLevelItem(1)->text(1), QString::fromUtf8("穴"));
    sheet->accept();
    const std::string text = ReadAll(Work());
    EXPECT_NE(text.find("From=\" G01\"\r\nTo=\"G1 \"\r\n"), std::string::npos);
    EXPECT_NE(text.find("From=\"\x8C\x8A\"\r\n"), std::string::npos);
    // Two rows: the end mark goes into the third section, whose later keys stay.
    EXPECT_EQ(Value(Work(), "TextConvert002", "To"), "stale");
    EXPECT_EQ(Value(Work(), "TextConvert003", "From"), "never read");
    CNcReadInfo info;
    info.LoadFrom(Work());
    EXPECT_EQ(info.TextFrom, (std::vector<std::string>{" G01", "\x8C\x8A"}));
    EXPECT_EQ(info.TextTo, (std::vector<std::string>{"G1 ", "(HOLE)"}));
    EXPECT_EQ(info.TextEnable, (std::vector<uint32_t>{1, 0}));
}

TEST_F(MachinePage4, ColumnWidthsComeFromTheSystemSettingsExactlyAndGoBackThere) {
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    QHeaderView* h = List()->header();
    EXPECT_EQ(h->sectionSize(0), 15);
    EXPECT_EQ(h->sectionSize(1), 170);
    EXPECT_EQ(h->sectionSize(2), 186);
    sheet.reset();
    WriteAll(Ini(),
             "[SetMachine4]\r\nLV_ColumnWidth0=12\r\nLV_ColumnWidth1=90\r\nLV_ColumnWidth2=60\r\n");
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    h = List()->header();
    EXPECT_EQ(h->sectionSize(0), 12);
    h->resizeSection(1, 120);
    // Whatever the target: a save-as writes them too.
    choose.files = {(config / "other.nmd").string()};
    sheet->OnSaveAs();
    EXPECT_EQ(Value(Ini(), "SetMachine4", "LV_ColumnWidth1"), "120");
    EXPECT_EQ(Value(Ini(), "SetMachine4", "LV_ColumnWidth0"), "12");
    EXPECT_EQ(Value(Ini(), "SetMachine4", "LV_ColumnWidth2"), "60");
}

}  // namespace
