// The frame's command 32822: it opens the machine sheet; after OK the machine settings are
// reloaded from the working copy and the drawing uses them, after Cancel nothing changes.
#include <QApplication>
#include <QImage>

#include <QPushButton>
#include <algorithm>
#include <functional>
#include <set>

#include "DieDialogFixture.h"
#include "FrameFixture.h"
#include "ScriptedChoosers.h"
#include "TestFiles.h"
#include "app/core/CommandIds.h"
#include "nc/machine/DieTestSupport.h"
#include "settings/CColorButton.h"
#include "settings/CSetMachinePage3.h"
#include "settings/CSetMachinePage5.h"
#include "settings/CSetMachineSheet.h"
#include "settings/ModalRun.h"
#include "settings/TableDialogRun.h"

namespace {

class FrameMachineProperty : public FrameFixture {
protected:
    // Runs 32822: act works in the open sheet, which then ends by button (1 OK, 2 Cancel).
    void RunMachineSheet(const std::function<void(CSetMachineSheet&)>& act, int button) {
        int ran = 0;
        ModalScriptGuard guard([&](QDialog& d) {
            ++ran;
            auto* sheet = qobject_cast<CSetMachineSheet*>(&d);
            EXPECT_NE(sheet, nullptr);
            if (!sheet) return 0;
            act(*sheet);
            if (button == 1)
                sheet->accept();
            else
                sheet->reject();
            return d.result();
        });
        EXPECT_TRUE(Frame()->OnCommand(cmd::PropertyMachine));
        EXPECT_EQ(ran, 1);
    }
    // Runs 32822 with the cutting pen chosen as magenta and the sheet ended by button.
    void ChangeCuttingPen(int button) {
        ScriptedChoosers choose;
        choose.colours = {QColor(255, 0, 255)};
        Frame()->SettingsChoosers = &choose;
        RunMachineSheet(
            [](CSetMachineSheet& sheet) {
                static_cast<CSetMachinePage3*>(sheet.Page(3))->Button(2)->click();
            },
            button);
        Frame()->SettingsChoosers = nullptr;
    }
    // The punch page's button "Property of punch tool".
    static void EditDies(CSetMachineSheet& sheet) {
        static_cast<CSetMachinePage5*>(sheet.Page(5))->Ctl<QPushButton>(1047)->click();
    }
};

TEST_F(FrameMachineProperty, OkReloadsTheMachineAndTheDrawingUsesTheNewCuttingPen) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    Frame()->resize(1000, 700);
    Frame()->show();
    const QColor magenta(255, 0, 255);
    EXPECT_EQ(Count(magenta), 0);
    ChangeCuttingPen(1);
    EXPECT_EQ(app_->SystemData->NcReadInfo.Pen[PenCut], (std::array<int, 3>{255, 0, 255}));
    EXPECT_GT(Count(magenta), 20);
    EXPECT_FALSE(Asked("not yet available"));
}

TEST_F(FrameMachineProperty, CancelReloadsNothing) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    Frame()->resize(1000, 700);
    Frame()->show();
    const auto before = app_->SystemData->NcReadInfo.Pen[PenCut];
    ChangeCuttingPen(2);
    EXPECT_EQ(app_->SystemData->NcReadInfo.Pen[PenCut], before);
    EXPECT_EQ(Count(QColor(255, 0, 255)), 0);
}

// The punch sample with a die file of 2005 dies numbered 1 to 2005: the program tells once that
// its table holds the first 2000, and neither the machine sheet nor its die button tells it
// again. Die 200 cannot take the number of die 2003, which stays in the file beyond the table,
// as it cannot take that of die 400.
TEST_F(FrameMachineProperty, DiesBeyondTheTableAreToldOnceAndKeepTheirNumbers) {
    const std::filesystem::path sample = PunchSample();
    const std::filesystem::path dies = sample.parent_path() / "punch-sample.dat";
    const std::string bytes = dietest::ManyDies(kMaxDies + 5, 4, true);
    dietest::WriteBytes(dies, bytes);
    ASSERT_TRUE(Start({"/US", sample.string()}));
    const auto told = [this] {
        return std::count_if(prompt_->asked.begin(), prompt_->asked.end(), [](const auto& a) {
            return a.text.find("first 2000 of 2005") != std::string::npos;
        });
    };
    EXPECT_EQ(told(), 1);

    TableDialogScripts scripts;
    scripts.Add(1537, [](QWidget* d) {
        using namespace die_test;
        int row = -1;
        for (int i = 0; i < RowCount(d, 1324) && row < 0; ++i)
            if (RowText(d, 1324, i).startsWith("  200 ")) row = i;
        ASSERT_GE(row, 0);
        SelectRow(d, 1324, row);
        Click(d, 32855);
        Click(d, DBID_CANCEL);
    });
    scripts.Add(1546, [this](QWidget* d) {
        using namespace die_test;
        for (const char* taken : {"2003", "400"}) {
            const size_t asked = prompt_->asked.size();
            Type(d, 1373, taken);
            Click(d, DBID_OK);
            ASSERT_EQ(prompt_->asked.size(), asked + 1) << taken;
            EXPECT_EQ(prompt_->asked.back().text, "This punch number is already in use.");
        }
        Click(d, DBID_CANCEL);
    });
    RunMachineSheet(
        [&](CSetMachineSheet& sheet) {
            EXPECT_EQ(told(), 1);
            EditDies(sheet);
        },
        2);
    EXPECT_EQ(told(), 1);
    EXPECT_TRUE(scripts.failures.empty()) << scripts.failures.front();
    EXPECT_TRUE(scripts.Done());
    EXPECT_TRUE(test::ReadFile(dies) == bytes) << "the die file was written";

    // Die 200 takes a free number, the dies are saved ("Update punch file": Yes) and the sheet
    // ends with OK, which reads the dies again: the user's own save is no news.
    scripts.Add(1537, [](QWidget* d) {
        using namespace die_test;
        for (int i = 0; i < RowCount(d, 1324); ++i)
            if (RowText(d, 1324, i).startsWith("  200 ")) SelectRow(d, 1324, i);
        Click(d, 32855);
        Click(d, DBID_OK);
    });
    scripts.Add(1546, [](QWidget* d) {
        die_test::Type(d, 1373, "3000");
        die_test::Click(d, DBID_OK);
    });
    RunMachineSheet(EditDies, 1);
    EXPECT_TRUE(scripts.failures.empty()) << scripts.failures.front();
    EXPECT_TRUE(scripts.Done());
    EXPECT_EQ(told(), 1);
    CPunchTool back;
    ASSERT_EQ(back.ReadPossessedFile(dies), kDieFileOk);
    std::multiset<int> numbers;
    for (int i = 0; i < back.Header.DieCount; ++i) numbers.insert(back.Dies[size_t(i)].Number);
    for (int n : back.UnloadedDieNumbers()) numbers.insert(n);
    EXPECT_EQ(numbers.size(), size_t(kMaxDies + 5));
    EXPECT_EQ(numbers.count(3000), 1u);
    EXPECT_EQ(numbers.count(200), 0u);
    EXPECT_EQ(numbers.count(2003), 1u);
}

}  // namespace
