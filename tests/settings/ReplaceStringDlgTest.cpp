// The string pair editor in its two modes: the checks of OK, the captions of mode 1 and the
// machine-file browse.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "SettingsFixture.h"
#include "settings/CReplaceStringDlg.h"

using namespace settings_test;

namespace {

using ReplaceStringDlg = Fixture;

TEST_F(ReplaceStringDlg, FindModeRequiresTheFindTextAndKeepsBytes) {
    CReplaceStringDlg dlg(ctx, nullptr, 0);
    dlg.First = "\x8C\x8A";  // CP932
    dlg.Second = " x ";
    int shown = 0;
    ModalScriptGuard guard([&](QDialog& d) {
        ++shown;
        EXPECT_TRUE(Control<QPushButton>(&d, 1213)->isHidden());
        EXPECT_EQ(Control<QLineEdit>(&d, 1043)->text(), QString::fromUtf8("穴"));
        EXPECT_EQ(Control<QLineEdit>(&d, 1044)->text(), " x ");
        Control<QLineEdit>(&d, 1043)->clear();
        Control<QAbstractButton>(&d, 1)->click();  // refused: stays open
        EXPECT_EQ(d.result(), 0);
        Control<QLineEdit>(&d, 1043)->setText(QString::fromUtf8("穴"));
        Control<QLineEdit>(&d, 1044)->clear();  // the replacement may be empty
        Control<QAbstractButton>(&d, 1)->click();
        return d.result();
    });
    EXPECT_EQ(dlg.Run(), QDialog::Accepted);
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Input the characters you want to find");
    EXPECT_EQ(prompt.asked[0].icon, platform::PromptIcon::Warning);
    EXPECT_EQ(dlg.First, "\x8C\x8A");
    EXPECT_EQ(dlg.Second, "");
    EXPECT_EQ(dlg.windowTitle(), "Replace");
}

TEST_F(ReplaceStringDlg, CancelLeavesTheTexts) {
    CReplaceStringDlg dlg(ctx);
    dlg.First = "a";
    ModalScriptGuard guard([](QDialog& d) {
        Control<QLineEdit>(&d, 1043)->setText("b");
        return Answer(d, {{}, 2});
    });
    EXPECT_EQ(dlg.Run(), QDialog::Rejected);
    EXPECT_EQ(dlg.First, "a");
}

TEST_F(ReplaceStringDlg, MachineModeCaptionsAndItsNameRules) {
    const std::pair<const char*, const char*> names[] = {
        {"LASER1", "LASER1.nmd"},
        {"LASER1.NMD", "LASER1.NMD"},
        {"A.B", "A.B"},
        {"機械", "\x8B\x40\x8A\x42.nmd"}};  // CP932, as every text of the settings file
    for (const auto& [typed, stored] : names) {
        CReplaceStringDlg dlg(ctx, nullptr, 1);
        ModalScriptGuard guard([&](QDialog& d) {
            EXPECT_FALSE(Control<QPushButton>(&d, 1213)->isHidden());
            EXPECT_EQ(Control<QLabel>(&d, 1211)->text(), "Extension");
            EXPECT_EQ(Control<QLabel>(&d, 1212)->text(), "Machine");
            EXPECT_EQ(d.windowTitle(), "Setting");
            return Answer(d, {{{1043, ""}, {1044, typed}}});
        });
        EXPECT_EQ(dlg.Run(), QDialog::Accepted);
        EXPECT_EQ(dlg.First, "");  // the extension may be empty
        EXPECT_EQ(dlg.Second, stored);
    }
    CReplaceStringDlg dlg(ctx, nullptr, 1);
    ModalScriptGuard guard([](QDialog& d) {
        Answer(d, {{{1043, "NC"}}});
        EXPECT_EQ(d.result(), 0);
        return Answer(d, {{}, 2});
    });
    dlg.Run();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Input the machine file name");
}

TEST_F(ReplaceStringDlg, BrowseKeepsAMachineFileRelativeInsideTheConfigurationFolder) {
    CReplaceStringDlg dlg(ctx, nullptr, 1);
    dlg.Second = "LASER1.nmd";
    choose.files = {(config / "sub" / "L2.NMD").string(), "/elsewhere/L3.nmd", std::nullopt};
    std::vector<QString> seen;
    ModalScriptGuard guard([&](QDialog& d) {
        for (int i = 0; i < 3; ++i) {
            Control<QPushButton>(&d, 1213)->click();
            seen.push_back(Control<QLineEdit>(&d, 1044)->text());
        }
        return Answer(d, {{}, 1});
    });
    dlg.Run();
    ASSERT_EQ(choose.asked.size(), 3u);
    EXPECT_EQ(choose.asked[0].file.initial, (config / "LASER1.nmd").string());
    EXPECT_EQ(choose.asked[0].file.title, "Machine file");
    EXPECT_TRUE(choose.asked[0].file.mustExist);
    EXPECT_EQ(seen, (std::vector<QString>{"sub/L2.NMD", "/elsewhere/L3.nmd", "/elsewhere/L3.nmd"}));
    EXPECT_EQ(dlg.Second, "/elsewhere/L3.nmd");
}

TEST_F(ReplaceStringDlg, ABrowsedMachineFileIsStoredInCp932OrRefusedAtOk) {
    choose.files = {(config / "機械2.nmd").string(), "/elsewhere/\xE2\x82\xAC.nmd"};  // euro sign
    {
        CReplaceStringDlg dlg(ctx, nullptr, 1);
        dlg.Second = "\x8B\x40\x8A\x42.nmd";  // 機械.nmd
        ModalScriptGuard guard([&](QDialog& d) {
            Control<QPushButton>(&d, 1213)->click();
            EXPECT_EQ(Control<QLineEdit>(&d, 1044)->text(), QString::fromUtf8("機械2.nmd"));
            return Answer(d, {{}, 1});
        });
        EXPECT_EQ(dlg.Run(), QDialog::Accepted);
        EXPECT_EQ(dlg.Second, std::string("\x8B\x40\x8A\x42") + "2.nmd");
    }
    ASSERT_EQ(choose.asked.size(), 1u);
    EXPECT_EQ(choose.asked[0].file.initial, (config / "機械.nmd").string());
    CReplaceStringDlg dlg(ctx, nullptr, 1);
    dlg.Second = "a.nmd";
    ModalScriptGuard guard([&](QDialog& d) {
        Control<QPushButton>(&d, 1213)->click();
        EXPECT_EQ(Control<QLineEdit>(&d, 1044)->text(), QString::fromUtf8("/elsewhere/€.nmd"));
        Answer(d, {{}, 1});
        EXPECT_EQ(d.result(), 0);  // refused: CP932 has no euro sign
        return Answer(d, {{}, 2});
    });
    EXPECT_EQ(dlg.Run(), QDialog::Rejected);
    EXPECT_EQ(dlg.Second, "a.nmd");
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, platform::LoadString(29305));
}

TEST_F(ReplaceStringDlg, EditsTakeWhatIsReadBack) {
    CReplaceStringDlg dlg(ctx);
    QLineEdit* find = dlg.Ctl<QLineEdit>(1043);
    int pos = 0;
    QString ok(255, 'a'), tooLong(256, 'a'), wide(128, QChar(0x7A74));
    EXPECT_EQ(find->validator()->validate(ok, pos), QValidator::Acceptable);
    EXPECT_EQ(find->validator()->validate(tooLong, pos), QValidator::Invalid);
    EXPECT_EQ(find->validator()->validate(wide, pos), QValidator::Invalid);  // 256 bytes
}

}  // namespace
