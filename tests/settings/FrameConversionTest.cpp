// The frame's commands 32823 (conditions), 32880 (conversion tables) and 32884 (Convert NC).
#include <QCheckBox>
#include <QPushButton>

#include "FrameFixture.h"
#include "ScriptedChoosers.h"
#include "SettingsFixture.h"
#include "app/core/CommandIds.h"
#include "settings/CExecReplaceDlg.h"
#include "settings/CSetReplaceDlg.h"
#include "settings/CSetToolDlg.h"
#include "settings/ModalRun.h"

namespace {

class FrameConversion : public FrameFixture {
protected:
    static std::string Program() { return MORVALEN_TEST_DATA "/settings/conditions.nc"; }
    // Runs a command; the script gets each dialog it opens, in turn.
    int Run(int command, const std::function<int(QDialog&)>& script) {
        int ran = 0;
        ModalScriptGuard guard([&](QDialog& d) {
            ++ran;
            return script(d);
        });
        EXPECT_TRUE(Frame()->OnCommand(command));
        return ran;
    }
};

TEST_F(FrameConversion, ANewConditionColourIsDrawnAfterOkAndNotAfterCancel) {
    ASSERT_TRUE(Start({"/US", Program()}));
    Frame()->resize(1000, 700);
    Frame()->show();
    ScriptedChoosers choose;
    Frame()->SettingsChoosers = &choose;
    const QColor magenta(255, 0, 255);
    auto addCondition = [&](int button) {
        choose.colours = {magenta};
        return [&, button](QDialog& d) {
            if (auto* tool = qobject_cast<CSetToolDlg*>(&d)) {
                tool->Ctl<QCheckBox>(1175)->setChecked(true);
                tool->OnAdd();
                Control<QPushButton>(tool, button)->click();
                return d.result();
            }
            // The condition of the row added: number 12, the colour chosen.
            Control<QPushButton>(&d, 1174)->click();
            return settings_test::Answer(d, {{{1036, "12"}}});
        };
    };
    EXPECT_EQ(Run(cmd::PropertyCondition, addCondition(2)), 2);
    EXPECT_EQ(Count(magenta), 0);
    EXPECT_EQ(app_->SystemData->ToolData.DrawShavColor, 0);
    EXPECT_EQ(Run(cmd::PropertyCondition, addCondition(1)), 2);
    EXPECT_EQ(app_->SystemData->ToolData.DrawShavColor, 1);
    EXPECT_GT(Count(magenta), 100);
    Frame()->SettingsChoosers = nullptr;
}

TEST_F(FrameConversion, TheTableListOpensAndConvertNcRunsATable) {
    ASSERT_TRUE(Start({"/US", Program()}));
    settings_test::WriteAll(
        ConfigFolder() / "Cut.CTB",
        "*VER=1.0\r\n*DATA\r\n*REPLACE_DATA\r\n\"M103\",\"M100\",\"1\",\"1\"\r\n");
    EXPECT_EQ(Run(cmd::PropertyConversion,
                  [](QDialog& d) {
                      auto* list = qobject_cast<CSetReplaceDlg*>(&d);
                      EXPECT_NE(list, nullptr);
                      EXPECT_EQ(list->Names(), (std::vector<std::string>{"Cut"}));
                      return settings_test::Answer(d, {});  // Close
                  }),
              1);
    EXPECT_FALSE(app_->Document->IsModified());
    EXPECT_EQ(Run(cmd::ConvertNc,
                  [](QDialog& d) {
                      auto* exec = qobject_cast<CExecReplaceDlg*>(&d);
                      EXPECT_NE(exec, nullptr);
                      exec->TableButton(0)->click();
                      return d.result();
                  }),
              1);
    EXPECT_EQ(app_->Document->Lines[5], "M100");
    EXPECT_TRUE(app_->Document->IsModified());
    EXPECT_TRUE(Asked("NC data was converted by [Cut] setting"));
    // Refused in process mode 11 and in edit mode: no dialog.
    app_->ProcessMode = 11;
    EXPECT_EQ(Run(cmd::ConvertNc, [](QDialog& d) { return d.result(); }), 0);
    app_->ProcessMode = 0;
    Frame()->EditMode = 1;
    EXPECT_EQ(Run(cmd::ConvertNc, [](QDialog& d) { return d.result(); }), 0);
    Frame()->EditMode = 0;
}

}  // namespace
