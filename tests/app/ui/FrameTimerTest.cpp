// The frame timer: armed on activation, put off while a mouse button is held, the check of the
// open file on disk, and the save after a load-time conversion table; the element views call
// it after a load.
#include <QApplication>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <utility>

#include "AppFixture.h"
#include "TestFiles.h"
#include "app/ViewPanes.h"
#include "app/core/AppMessages.h"
#include "app/core/CommandIds.h"
#include "nc/machine/CNcReplaceInfo.h"
#include "text/CNcTextEdit.h"
#include "text/CNcTextView.h"
#include "text/QtTracePump.h"
#include "text/core/NcTraceEngine.h"

namespace fs = std::filesystem;
using platform::PromptAnswer;

namespace {

class FrameTimer : public AppFixture {
protected:
    void TearDown() override {
        AppFixture::TearDown();
        PaneFactory::Instance().ElemView = nullptr;
        PaneFactory::Instance().InfoView = nullptr;
    }
    std::string NcFile(const std::string& text, const std::string& name = "prog.nc") {
        const fs::path p = dir_.path() / "nc" / name;
        test::WriteFile(p, text);
        return p.string();
    }
    // The file is written anew by someone else, with a later time than the one it was read at.
    static void ChangeOnDisk(const std::string& path, const std::string& text) {
        test::WriteFile(path, text);
        fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(10));
    }
    // A conversion table "conv" that turns M05 into M06, asking before the save or not.
    void MakeTable(int confirm) {
        CNcReplaceInfo t(app_->Context);
        ASSERT_EQ(t.CreateTable("conv", "test"), 1);
        t.BeforeTexts = {"M05"};
        t.AfterTexts = {"M06"};
        t.StartLines = {0};
        t.EndLines = {0};
        t.ConfirmOnReplace = confirm;
        t.DeleteCtbLines = 0;
        ASSERT_EQ(t.SaveTable("conv", "test"), 0);
    }
    // The real element views (their update after a load runs the check), a started program, the
    // table, and a program naming it; the path of the program, which the caller then opens.
    std::string ConvertedProgram(int confirm) {
        InstallViewPanes();
        EXPECT_TRUE(Start({"/US"}));
        MakeTable(confirm);
        prompt_->asked.clear();
        return NcFile("(CTB=conv)\r\nM05\r\nM30\r\n");
    }
    int Questions() const {
        int n = 0;
        for (const auto& a : prompt_->asked) n += a.buttons == platform::PromptButtons::YesNo;
        return n;
    }
};

TEST_F(FrameTimer, ActivationArmsTheTimerAtOnce) {
    ASSERT_TRUE(Start({}));
    Frame()->FrameTimer()->stop();
    QApplication::setActiveWindow(Frame());
    ASSERT_TRUE(Frame()->isActiveWindow());
    EXPECT_TRUE(Frame()->FrameTimer()->isActive());
    EXPECT_TRUE(Frame()->FrameTimer()->isSingleShot());
    EXPECT_EQ(Frame()->FrameTimer()->interval(), 0);
}

TEST_F(FrameTimer, HeldButtonPutsTheCheckOffByASecond) {
    const std::string path = NcFile("G00X0Y0\r\nM30\r\n");
    ASSERT_TRUE(Start({path}));
    // The file changes on disk.
    ChangeOnDisk(path, "G00X5Y5\r\nM30\r\n");
    prompt_->asked.clear();

    // On the status bar: a press there starts nothing (a tool button would run its command).
    const QPoint idle = Frame()->statusBar()->geometry().center();
    QTest::mousePress(Frame()->windowHandle(), Qt::LeftButton, {}, idle);
    ASSERT_NE(QGuiApplication::mouseButtons(), Qt::NoButton);
    Frame()->OnFrameTimer();
    EXPECT_TRUE(Frame()->FrameTimer()->isActive());
    EXPECT_EQ(Frame()->FrameTimer()->interval(), 1000);
    EXPECT_TRUE(prompt_->asked.empty());

    // Released: the check runs and offers the reload.
    QTest::mouseRelease(Frame()->windowHandle(), Qt::LeftButton, {}, idle);
    prompt_->answers = {PromptAnswer::Yes};
    Frame()->OnFrameTimer();
    EXPECT_FALSE(Frame()->FrameTimer()->isActive());
    EXPECT_TRUE(Asked("A change is added to this file"));
    EXPECT_EQ(app_->Document->Lines.front(), "G00X5Y5");
}

TEST_F(FrameTimer, TheCheckWaitsForALoad) {
    const std::string path = NcFile("G00X0Y0\r\nM30\r\n");
    ASSERT_TRUE(Start({path}));
    ChangeOnDisk(path, "G00X5Y5\r\nM30\r\n");
    prompt_->asked.clear();
    // A load or a rebuild under way (its loading window lets the timer run): put off.
    app_->Loading = true;
    Frame()->OnFrameTimer();
    EXPECT_TRUE(prompt_->asked.empty());
    EXPECT_TRUE(Frame()->FrameTimer()->isActive());
    EXPECT_GT(Frame()->FrameTimer()->interval(), 0);
    app_->Loading = false;
    prompt_->answers = {PromptAnswer::No};
    Frame()->OnFrameTimer();
    EXPECT_TRUE(Asked("A change is added to this file"));
}

TEST_F(FrameTimer, ConversionTableAsksBeforeTheSave) {
    const std::string path = ConvertedProgram(1);
    prompt_->answers = {PromptAnswer::Yes};
    // The element view's update after the load runs the check: the question, then the save.
    ASSERT_TRUE(app_->OpenDocumentFile(path));
    ASSERT_EQ(Questions(), 1);
    EXPECT_TRUE(Asked("Conversion has been done by using [conv] setting"));
    EXPECT_TRUE(app_->ConvTableName.empty());
    EXPECT_FALSE(app_->Document->IsModified());
    EXPECT_EQ(test::ReadFile(path), "(CTB=conv)\r\nM06\r\nM30\r\n");
}

TEST_F(FrameTimer, ConversionTableAnsweredNoStaysModifiedAndIsNotAskedAgain) {
    const std::string path = ConvertedProgram(1);
    prompt_->answers = {PromptAnswer::No};
    ASSERT_TRUE(app_->OpenDocumentFile(path));
    EXPECT_EQ(Questions(), 1);
    EXPECT_TRUE(app_->Document->IsModified());
    Frame()->OnFrameTimer();
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(test::ReadFile(path), "(CTB=conv)\r\nM05\r\nM30\r\n");
}

TEST_F(FrameTimer, ConversionTableAnsweredNoLeavesTheConvertedTextInTheRecoveryLog) {
    const std::string path = ConvertedProgram(1);
    prompt_->answers = {PromptAnswer::No};
    ASSERT_TRUE(app_->OpenDocumentFile(path));
    ASSERT_TRUE(app_->Document->IsModified());
    EXPECT_TRUE(Frame()->isWindowModified());
    const auto lines = test::ReadLines(app_->NcLog.LogFile);
    EXPECT_EQ(lines, (std::vector<std::string>{"Log file:" + path, "(CTB=conv)", "M06", "M30"}));
}

TEST_F(FrameTimer, TypingIsCommittedBeforeTheQuestionOfAFileChangedOnDisk) {
    const std::string path = NcFile("G00X0Y0\r\nM30\r\n");
    ASSERT_TRUE(Start({path}));
    Frame()->ToggleEditMode();
    CNcTextEdit* editor = Frame()->Editor();
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, "N1");
    ASSERT_FALSE(app_->Document->IsModified());
    // Nothing changed on disk: the typing stays in the editor.
    Frame()->OnFrameTimer();
    EXPECT_EQ(editor->Modified, 1);
    ChangeOnDisk(path, "G00X5Y5\r\nM30\r\n");
    prompt_->asked.clear();
    prompt_->answers = {PromptAnswer::No};
    Frame()->OnFrameTimer();
    // The question knows the program was changed here, and declining keeps the typing.
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].text, FillMessage(AppMessage(kMsgFileChangedModified), {path}));
    EXPECT_TRUE(app_->Document->IsModified());
    EXPECT_EQ(app_->Document->Lines.front(), "N1G00X0Y0");
}

TEST_F(FrameTimer, TheCheckWaitsForATraceStep) {
    const std::string path = NcFile("%\r\nO1\r\nG01X10.Y0\r\nG01X10.Y10.\r\nM30\r\n%\r\n");
    ASSERT_TRUE(Start({path}));
    // The step's animation serves events: the timer comes then, with the file changed on disk.
    struct CheckingPump : QtTracePump {
        std::function<void()> action;
        bool Pump() override {
            if (action) std::exchange(action, nullptr)();
            return QtTracePump::Pump();
        }
    } pump;
    Frame()->NcList()->Trace()->SetPump(pump);
    Frame()->TraceTime = 1;
    bool askedDuringStep = true;
    pump.action = [&] {
        ChangeOnDisk(path, "M30\r\n");
        prompt_->asked.clear();
        Frame()->OnFrameTimer();
        askedDuringStep = !prompt_->asked.empty();
    };
    for (int i = 0; i < 10 && pump.action; ++i) Frame()->OnCommand(cmd::Step);
    ASSERT_FALSE(pump.action);
    EXPECT_FALSE(askedDuringStep);
    prompt_->answers = {PromptAnswer::Yes};
    for (int i = 0; i < 50 && prompt_->asked.empty(); ++i) QApplication::processEvents();
    EXPECT_TRUE(Asked("A change is added to this file"));
    EXPECT_EQ(app_->Document->Lines, std::vector<std::string>{"M30"});
    EXPECT_EQ(app_->TraceActive, 0);
}

TEST_F(FrameTimer, ConversionTableWithoutQuestionSaves) {
    const std::string path = ConvertedProgram(0);
    ASSERT_TRUE(app_->OpenDocumentFile(path));
    EXPECT_EQ(Questions(), 0);
    EXPECT_FALSE(app_->Document->IsModified());
    EXPECT_EQ(test::ReadFile(path), "(CTB=conv)\r\nM06\r\nM30\r\n");
}

}  // namespace
