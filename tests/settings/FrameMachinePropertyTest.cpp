// The frame's command 32822: it opens the machine sheet; after OK the machine settings are
// reloaded from the working copy and the drawing uses them, after Cancel nothing changes.
#include <QApplication>
#include <QImage>

#include "FrameFixture.h"
#include "ScriptedChoosers.h"
#include "app/core/CommandIds.h"
#include "settings/CColorButton.h"
#include "settings/CSetMachinePage3.h"
#include "settings/CSetMachineSheet.h"
#include "settings/ModalRun.h"

namespace {

class FrameMachineProperty : public FrameFixture {
protected:
    // Runs 32822 with the cutting pen chosen as magenta and the sheet ended by button (1 OK,
    // 2 Cancel).
    void ChangeCuttingPen(int button) {
        ScriptedChoosers choose;
        choose.colours = {QColor(255, 0, 255)};
        Frame()->SettingsChoosers = &choose;
        int ran = 0;
        ModalScriptGuard guard([&](QDialog& d) {
            ++ran;
            auto* sheet = qobject_cast<CSetMachineSheet*>(&d);
            EXPECT_NE(sheet, nullptr);
            if (!sheet) return 0;
            static_cast<CSetMachinePage3*>(sheet->Page(3))->Button(2)->click();
            if (button == 1)
                sheet->accept();
            else
                sheet->reject();
            return d.result();
        });
        EXPECT_TRUE(Frame()->OnCommand(cmd::PropertyMachine));
        EXPECT_EQ(ran, 1);
        Frame()->SettingsChoosers = nullptr;
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

}  // namespace
