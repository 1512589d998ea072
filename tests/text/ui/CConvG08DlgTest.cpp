// The G12-to-G08 dialog (checks as fields are left, dependent controls, spins, stored keys)
// and the conversion run from the list.
#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>

#include "NcOpsFixture.h"
#include "platform/Profile.h"
#include "text/CConvG08Dlg.h"

namespace {

using G08Dialog = NcOpsFixture;

QString Text(CConvG08Dlg& d, int id) {
    return d.Edit(id)->text();
}

TEST_F(G08Dialog, ChecksAndShows) {
    ConvG08Params params;
    params.StartRow = 1;
    params.EndRow = 12;
    CConvG08Dlg d(host.iniPath, 12, &params);
    d.OnInitDialog();
    EXPECT_EQ(Text(d, 1154), "50.000");
    EXPECT_EQ(Text(d, 1165), "0.500");
    EXPECT_EQ(Text(d, 1164), "2");
    EXPECT_EQ(Text(d, 1169), "1");
    EXPECT_EQ(Text(d, 1170), "12");
    EXPECT_EQ(Text(d, 1156), "0.000");
    EXPECT_EQ(Text(d, 1159), "10.000");
    EXPECT_EQ(Text(d, 1160), "19.999");
    EXPECT_EQ(Text(d, 1162), "20.000");
    // Unchecked boxes disable their controls.
    EXPECT_FALSE(d.Edit(1169)->isEnabled());
    EXPECT_FALSE(d.findChild<QWidget*>("id1129")->isEnabled());
    EXPECT_FALSE(d.Edit(1157)->isEnabled());
    d.findChild<QCheckBox*>("id1167")->setChecked(true);
    EXPECT_TRUE(d.Edit(1169)->isEnabled());
    EXPECT_TRUE(d.findChild<QWidget*>("id1166")->isEnabled());
    d.findChild<QCheckBox*>("id1155")->setChecked(true);
    EXPECT_TRUE(d.Edit(1163)->isEnabled());

    // Leaving a field checks every field.
    d.Edit(1157)->setText("20");
    d.Edit(1160)->setText("10");
    d.Edit(1154)->setText("-3");
    emit d.Edit(1157)->editingFinished();
    EXPECT_EQ(Text(d, 1160), "20.001");
    EXPECT_EQ(Text(d, 1159), "20.001");
    EXPECT_EQ(Text(d, 1162), "20.002");
    EXPECT_EQ(Text(d, 1154), "0.000");

    // The spins step one line within 1 and the line count.
    auto spin = [&](int id, const char* which) {
        d.findChild<QWidget*>(QStringLiteral("id%1").arg(id))
            ->findChild<QToolButton*>(which)
            ->click();
    };
    spin(1129, "down");
    EXPECT_EQ(Text(d, 1169), "1");
    spin(1129, "up");
    spin(1129, "up");
    EXPECT_EQ(Text(d, 1169), "3");
    spin(1128, "up");
    EXPECT_EQ(Text(d, 1170), "12");
    spin(1128, "down");
    EXPECT_EQ(Text(d, 1170), "11");

    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(params.SpecifyRow, 1);
    EXPECT_EQ(params.StartRow, 3);
    EXPECT_EQ(params.EndRow, 11);
    EXPECT_EQ(params.UpdateWCheck, 1);
    EXPECT_DOUBLE_EQ(params.WDia2, 20.001);
    EXPECT_EQ(params.ConvertDia, 0.0);
    const auto get = [&](const char* key) {
        return platform::GetProfileString("Convert_G08", key, "<none>", host.iniPath);
    };
    EXPECT_EQ(get("ConvertDia"), "0.000");
    EXPECT_EQ(get("WDia1"), "20.000");
    EXPECT_EQ(get("WDia2"), "20.001");
    EXPECT_EQ(get("SpecifyRow"), "1");
    EXPECT_EQ(get("UpdateWCheck"), "1");
    EXPECT_EQ(get("StartRow"), "<none>");

    // The next dialog shows the stored values, but the range again from 1 to the line count.
    params.StartRow = 1;
    params.EndRow = 30;
    CConvG08Dlg again(host.iniPath, 30, &params);
    again.OnInitDialog();
    EXPECT_EQ(Text(again, 1169), "1");
    EXPECT_EQ(Text(again, 1170), "30");
    EXPECT_EQ(Text(again, 1160), "20.001");
    EXPECT_TRUE(again.findChild<QCheckBox*>("id1167")->isChecked());
}

TEST_F(G08Dialog, ConvertFromTheList) {
    Make({"O1000", "G90", "G00X30.Y50.", "W5", "G01X40.Y50.", "G12X60.Y50.", "G12.1X50.Y60.",
          "G12.2", "W0", "M30"});
    int rows = 0;
    answer = [&](QDialog& d) {
        auto& dlg = static_cast<CConvG08Dlg&>(d);
        rows = dlg.Edit(1170)->text().toInt();
        dlg.accept();
        return int(QDialog::Accepted);
    };
    view->ConvertG08();
    EXPECT_EQ(rows, 10);
    EXPECT_EQ(host.lines, (std::vector<std::string>{"O1000", "G90", "G00X50.Y50.Z0.", "W5",
                                                    "G08D20.K0.5", "W0", "M30"}));
    EXPECT_EQ(view->Model()->rowCount(), 7);
    EXPECT_EQ(host.changes, 1);

    // Cancel: nothing.
    answer = [](QDialog&) { return int(QDialog::Rejected); };
    view->ConvertG08();
    EXPECT_EQ(host.changes, 1);
    EXPECT_EQ(host.prompt.asked.size(), 1u);  // the count of the first run only
}

}  // namespace
