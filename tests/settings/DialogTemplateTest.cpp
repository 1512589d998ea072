// The dialog templates: each loads in both languages with its controls, and every caption has
// its Japanese text.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "SettingsFixture.h"
#include "settings/CColorButton.h"

namespace {

struct TemplateCase {
    int id;
    const char* english;
    const char* japanese;
    std::vector<int> controls;
};

const TemplateCase kTemplates[] = {
    {108, "Parameter", "パラメータ", {1026, 1034, 1035, 1052, 1184, 1038, 1039}},
    {109, "Coordinates", "座標系", {1024, 1005, 1063, 1285}},
    {110, "Color", "カラー", {1021, 1022, 1023, 1024, 1004}},
    {111, "Replace", "置換", {1041, 32856, 32855, 32857, 1042, 1043}},
    {9915, "Fixed phrase", "定型文", {1184, 1185, 1059, 1060}},
    {154, "Replace", "置換文字列", {1043, 1044, 1211, 1212, 1213, 1, 2}},
};

class DialogTemplates : public ::testing::Test {
protected:
    void TearDown() override {
        platform::SetLanguage(platform::Language::English);
        SyncTemplateLanguage();
    }
};

TEST_F(DialogTemplates, EveryTemplateLoadsInBothLanguagesWithItsControls) {
    for (platform::Language lang : {platform::Language::English, platform::Language::Japanese}) {
        platform::SetLanguage(lang);
        for (const TemplateCase& t : kTemplates) {
            std::unique_ptr<QWidget> form(LoadTemplate(t.id, nullptr));
            ASSERT_TRUE(form);
            EXPECT_EQ(
                form->windowTitle(),
                QString::fromUtf8(lang == platform::Language::English ? t.english : t.japanese))
                << t.id;
            for (int id : t.controls)
                EXPECT_NE(form->findChild<QWidget*>(ControlName(id)), nullptr) << t.id << " " << id;
        }
    }
    platform::SetLanguage(platform::Language::Japanese);
    std::unique_ptr<QWidget> form(LoadTemplate(108, nullptr));
    EXPECT_EQ(Control<QRadioButton>(form.get(), 1052)->text(), QString::fromUtf8("村田系"));
    std::unique_ptr<QWidget> colours(LoadTemplate(110, nullptr));
    EXPECT_NE(qobject_cast<CColorButton*>(Control<QWidget>(colours.get(), 1023)), nullptr);
    std::unique_ptr<QWidget> pair(LoadTemplate(154, nullptr));
    EXPECT_EQ(Control<QPushButton>(pair.get(), 1213)->text(), QString::fromUtf8("参照"));
}

TEST_F(DialogTemplates, AMissingTemplateOrControlIsReported) {
    EXPECT_THROW(LoadTemplate(4242, nullptr), std::runtime_error);
    std::unique_ptr<QWidget> form(LoadTemplate(154, nullptr));
    EXPECT_THROW(Control<QLabel>(form.get(), 9999), std::logic_error);
}

TEST_F(DialogTemplates, EveryCaptionHasItsJapaneseText) {
    QFile ts(QStringLiteral(MORVALEN_SOURCE_DIR "/resources/templates/templates_ja.ts"));
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(ts.readAll());
    EXPECT_FALSE(text.contains("type=\"unfinished\""));
    EXPECT_FALSE(text.contains("type=\"vanished\""));
    EXPECT_FALSE(text.contains("type=\"obsolete\""));
}

}  // namespace
