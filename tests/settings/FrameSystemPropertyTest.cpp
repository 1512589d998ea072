// The frame's command 32821: the system sheet, and after OK the panes show the new colours and
// fonts at once, the tool bar its new title, and the machine file chosen is loaded.
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "FrameFixture.h"
#include "ScriptedChoosers.h"
#include "SettingsFixture.h"
#include "TestFiles.h"
#include "app/core/CommandIds.h"
#include "settings/CColorButton.h"
#include "settings/CSetSystemPage1.h"
#include "settings/CSetSystemPage3.h"
#include "settings/CSetSystemSheet.h"
#include "settings/ModalRun.h"
#include "text/CNcTextView.h"
#include "views/CNcInfoView.h"

namespace {

class FrameSystemProperty : public FrameFixture {
protected:
    // Runs 32821; the script edits the sheet and ends it with OK (button 1) or Cancel (2).
    void Run(const std::function<void(CSetSystemSheet&)>& edit, int button) {
        Frame()->SettingsChoosers = &choose;
        int ran = 0;
        ModalScriptGuard guard([&](QDialog& d) {
            ++ran;
            auto* sheet = qobject_cast<CSetSystemSheet*>(&d);
            EXPECT_NE(sheet, nullptr);
            if (!sheet) return 0;
            edit(*sheet);
            Control<QPushButton>(sheet, button)->click();
            return d.result();
        });
        EXPECT_TRUE(Frame()->OnCommand(cmd::Property));
        EXPECT_EQ(ran, 1);
        Frame()->SettingsChoosers = nullptr;
    }
    ScriptedChoosers choose;
};

TEST_F(FrameSystemProperty, OkRepaintsThePanesRetitlesTheBarAndLoadsTheMachineFile) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    Frame()->resize(1000, 700);
    Frame()->show();
    settings_test::WriteAll(ConfigFolder() / "other.nmd", "[NcRead]\r\nFrameX=777.000\r\n");
    const QColor background(200, 0, 0);
    EXPECT_EQ(Count(background), 0);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSize(14);
    choose.fonts = {font};
    choose.colours = {background, QColor(10, 20, 30)};
    Run(
        [](CSetSystemSheet& sheet) {
            sheet.Tabs()->setCurrentIndex(2);
            static_cast<CSetSystemPage3*>(sheet.Page(3))->Button(1018)->click();
            sheet.Tabs()->setCurrentIndex(1);
            static_cast<CSetSystemPage2*>(sheet.Page(2))->Button(1002)->click();
            sheet.Tabs()->setCurrentIndex(0);
            static_cast<CSetSystemPage1*>(sheet.Page(1))->FontButton()->click();
            sheet.Tabs()->setCurrentIndex(4);
            sheet.Page(6)->Ctl<QLineEdit>(1136)->setText("/usr/bin/true");
            sheet.Page(6)->Ctl<QLineEdit>(1135)->setText("MyApp");
            sheet.Tabs()->setCurrentIndex(5);
            sheet.Page(4)->Ctl<QLineEdit>(1057)->setText("other.nmd");
        },
        1);
    EXPECT_GT(Count(background), 10000);
    auto* list = dynamic_cast<CNcTextView*>(Frame()->NcPane());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Settings.TextColor, (NcTextViewSettings::Rgb{10, 20, 30}));
    auto* info = qobject_cast<CNcInfoView*>(Frame()->InfoPane());
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Settings().fontName, "DejaVu Sans Mono");
    EXPECT_EQ(info->Settings().fontSize, 140);
    EXPECT_EQ(Frame()->ToolBarTitle, "MyApp");
    EXPECT_EQ(Frame()->App1Configured, 1);
    EXPECT_EQ(Frame()->Action(cmd::Boot)->iconText(), "MyApp");
    EXPECT_EQ(app_->SystemData->NcReadInfo.FrameX, 777.0);
    EXPECT_EQ(app_->SystemData->NcReadInfo.FileName, (ConfigFolder() / "other.nmd").string());
}

TEST_F(FrameSystemProperty, CancelChangesNothing) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    Frame()->resize(1000, 700);
    Frame()->show();
    const QColor background(200, 0, 0);
    choose.colours = {background};
    Run(
        [](CSetSystemSheet& sheet) {
            sheet.Tabs()->setCurrentIndex(2);
            static_cast<CSetSystemPage3*>(sheet.Page(3))->Button(1018)->click();
        },
        2);
    EXPECT_EQ(Count(background), 0);
}

// OK on a settings file that cannot be written says so and keeps the sheet open; after Cancel
// the panes, the tool bar and the machine are as they were, and so is the file.
TEST_F(FrameSystemProperty, OkOnASettingsFileThatCannotBeWrittenChangesNothing) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    Frame()->resize(1000, 700);
    Frame()->show();
    const std::filesystem::path ini = app_->Paths.IniPath;
    if (!std::filesystem::exists(ini)) settings_test::WriteAll(ini, "[System]\r\n");
    const std::string before = test::ReadFile(ini);
    settings_test::NotWritten(ini);
    settings_test::WriteAll(ConfigFolder() / "other.nmd", "[NcRead]\r\nFrameX=777.000\r\n");
    const std::string title = Frame()->ToolBarTitle;
    const std::string machine = app_->SystemData->NcReadInfo.FileName;
    const QColor background(200, 0, 0);
    choose.colours = {background};
    int okResult = -1;
    Run(
        [&](CSetSystemSheet& sheet) {
            sheet.Tabs()->setCurrentIndex(2);
            static_cast<CSetSystemPage3*>(sheet.Page(3))->Button(1018)->click();
            sheet.Tabs()->setCurrentIndex(4);
            sheet.Page(6)->Ctl<QLineEdit>(1135)->setText("MyApp");
            sheet.Tabs()->setCurrentIndex(5);
            sheet.Page(4)->Ctl<QLineEdit>(1057)->setText("other.nmd");
            Control<QPushButton>(&sheet, 1)->click();
            okResult = sheet.result();
        },
        2);
    EXPECT_EQ(okResult, 0);
    EXPECT_TRUE(
        Asked("The settings cannot be written; the file is kept as it was:\n" + ini.string()));
    EXPECT_EQ(test::ReadFile(ini), before);
    EXPECT_EQ(Count(background), 0);
    EXPECT_EQ(Frame()->ToolBarTitle, title);
    EXPECT_NE(Frame()->Action(cmd::Boot)->iconText(), "MyApp");
    EXPECT_EQ(app_->SystemData->NcReadInfo.FileName, machine);
    EXPECT_NE(app_->SystemData->NcReadInfo.FrameX, 777.0);
}

// The punch sample's header chooses its machine. Machine sheet OKs without a change keep its
// die files, and a system sheet OK that leaves the machine file field as it was keeps that
// machine, so that the drawing and the machine in use agree and every hit stays.
TEST_F(FrameSystemProperty, OkKeepsTheMachineTheProgramChoseAndItsHits) {
    const std::filesystem::path sample = PunchSample();
    const std::filesystem::path folder = sample.parent_path();
    const std::filesystem::path machine = folder / "punch-sample.nmd";
    const std::string machineText = test::ReadFile(machine);
    ASSERT_TRUE(Start({"/US", sample.string()}));
    ASSERT_EQ(app_->SystemData->NcReadInfo.FileName, machine.string());
    ASSERT_EQ(PunchHits(), 15);
    const auto machineOk = [this] {
        int ran = 0;
        ModalScriptGuard guard([&](QDialog& d) {
            ++ran;
            d.accept();
            return d.result();
        });
        EXPECT_TRUE(Frame()->OnCommand(cmd::PropertyMachine));
        EXPECT_EQ(ran, 1);
    };
    const auto sameMachine = [&](const char* step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(app_->SystemData->NcReadInfo.FileName, machine.string());
        EXPECT_EQ(app_->PunchTool.PossessedPath(), folder / "punch-sample.dat");
        EXPECT_EQ(app_->PunchTool.ArrangementPath(), folder / "punch-sample.arr");
        EXPECT_EQ(PunchHits(), 15);
    };

    machineOk();
    sameMachine("machine sheet");
    Run([](CSetSystemSheet& sheet) { sheet.Tabs()->setCurrentIndex(5); }, 1);
    sameMachine("system sheet");
    machineOk();
    sameMachine("machine sheet again");
    EXPECT_TRUE(prompt_->asked.empty());
    EXPECT_EQ(test::ReadFile(machine), machineText);
}

// A machine file chosen in the sheet is drawn with at once: a laser machine in place of the
// punch sample's shows no hits.
TEST_F(FrameSystemProperty, OkWithAnotherMachineFileRebuildsTheDrawing) {
    const std::filesystem::path sample = PunchSample();
    ASSERT_TRUE(Start({"/US", sample.string()}));
    ASSERT_EQ(PunchHits(), 15);
    settings_test::WriteAll(ConfigFolder() / "laser.nmd", "[NcRead]\r\nLaserPunch=1\r\n");
    Run(
        [](CSetSystemSheet& sheet) {
            sheet.Tabs()->setCurrentIndex(5);
            sheet.Page(4)->Ctl<QLineEdit>(1057)->setText("laser.nmd");
        },
        1);
    EXPECT_EQ(app_->SystemData->NcReadInfo.FileName, (ConfigFolder() / "laser.nmd").string());
    EXPECT_EQ(app_->SystemData->NcReadInfo.LaserPunch, 1);
    EXPECT_EQ(PunchHits(), 0);
}

}  // namespace
