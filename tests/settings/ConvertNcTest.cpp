// Convert NC: the tables on ten buttons a page, the page arrows for every count of tables, and a
// click that closes the dialog before the run's message.
#include <QPushButton>
#include <QToolButton>

#include "SettingsFixture.h"
#include "app/core/CTessmarkDoc.h"
#include "settings/CExecReplaceDlg.h"

using namespace settings_test;
namespace fs = std::filesystem;

namespace {

class ConvertNc : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        ctx.Nc = &nc;
    }
    void Tables(int n) {
        for (const auto& e : fs::directory_iterator(config))
            if (e.path().extension() == ".CTB") fs::remove(e.path());
        for (int i = 0; i < n; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "T%02d.CTB", i);
            WriteAll(config / name, "*VER=1.0\r\n*DATA\r\n\x83\x52\x83\x81\x83\x93\x83\x67=c" +
                                        std::to_string(i) +
                                        "\r\n*REPLACE_DATA\r\n\"G01\",\"G1\",\"1\",\"1\"\r\n");
        }
    }
    std::unique_ptr<CExecReplaceDlg> Open() {
        auto dlg = std::make_unique<CExecReplaceDlg>(ctx);
        ModalScriptGuard guard([](QDialog& d) { return d.result(); });
        dlg->Run();
        return dlg;
    }
    // The enabled buttons' captions of the page shown, and the arrows' states.
    static std::vector<std::string> Shown(const CExecReplaceDlg& d) {
        std::vector<std::string> v;
        for (int k = 0; k < 10; ++k) {
            QPushButton* b = d.TableButton(k);
            if (b->isEnabled())
                v.push_back(b->text().toStdString());
            else
                EXPECT_TRUE(b->text().isEmpty());
        }
        return v;
    }
};

TEST_F(ConvertNc, PagesOfTenForEveryCount) {
    struct Case {
        int tables;
        std::vector<int> pageSizes;  // enabled buttons on each page in turn
    } cases[] = {{0, {0}}, {8, {8}}, {9, {9}}, {10, {10}}, {11, {10, 1}}, {23, {10, 10, 3}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tables);
        Tables(c.tables);
        auto dlg = Open();
        EXPECT_EQ(dlg->TableCount(), c.tables);
        for (size_t page = 0; page < c.pageSizes.size(); ++page) {
            const std::vector<std::string> shown = Shown(*dlg);
            ASSERT_EQ(int(shown.size()), c.pageSizes[page]);
            if (!shown.empty()) {
                char first[8];
                std::snprintf(first, sizeof first, "T%02d", int(page * 10));
                EXPECT_EQ(shown[0], first);
                EXPECT_EQ(dlg->TableButton(0)->toolTip(), QString("c%1").arg(page * 10));
            }
            EXPECT_EQ(dlg->PreviousPage()->isEnabled(), page > 0);
            EXPECT_EQ(dlg->NextPage()->isEnabled(), page + 1 < c.pageSizes.size());
            if (page + 1 < c.pageSizes.size()) dlg->NextPage()->click();
        }
        for (size_t page = c.pageSizes.size(); page > 1; --page) dlg->PreviousPage()->click();
        EXPECT_EQ(dlg->PageOffset(), 0);
    }
}

// A prompt that notes whether the dialog was still open when a message came.
struct WatchingPrompt : platform::ScriptedPrompt {
    QDialog* dialog = nullptr;
    std::vector<int> resultAtMessage;
    platform::PromptAnswer Message(std::string_view text, platform::PromptIcon icon,
                                   platform::PromptButtons buttons) override {
        resultAtMessage.push_back(dialog ? dialog->result() : -1);
        return ScriptedPrompt::Message(text, icon, buttons);
    }
};

TEST_F(ConvertNc, AClickClosesTheDialogThenRunsTheTable) {
    Tables(12);
    WatchingPrompt watching;
    ctx.Prompt = &watching;
    nc.Prompt = &watching;
    CTessmarkDoc::Services services;
    services.Ctx = &nc;
    CTessmarkDoc doc(services);
    doc.Lines = {"%", "G92X0.Y0.", "G01X10.", "M30", "%"};
    ctx.Document = &doc;
    int updates = 0;
    ctx.UpdateViews = [&] { ++updates; };
    auto dlg = std::make_unique<CExecReplaceDlg>(ctx);
    watching.dialog = dlg.get();
    ModalScriptGuard guard([](QDialog& d) {
        auto* exec = qobject_cast<CExecReplaceDlg*>(&d);
        exec->NextPage()->click();
        exec->TableButton(1)->click();  // T11
        return d.result();
    });
    EXPECT_EQ(dlg->Run(), QDialog::Accepted);
    ASSERT_EQ(watching.asked.size(), 1u);
    EXPECT_EQ(watching.asked[0].text, "NC data was converted by [T11] setting");
    EXPECT_EQ(watching.resultAtMessage[0], QDialog::Accepted);  // the dialog had ended
    EXPECT_EQ(doc.Lines[2], "G1X10.");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(updates, 1);
}

}  // namespace
