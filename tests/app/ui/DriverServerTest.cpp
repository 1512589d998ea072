// The frame's local server for outside drivers and second instances, in-process: the socket,
// the stale-socket rule, the instance mark, what the commands do to the frame, and the
// receiver's rules of a hand-over.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFileInfo>
#include <QLocalServer>
#include <QTest>
#include <filesystem>

#include "AppFixture.h"
#include "TestFiles.h"
#include "app/core/DdeCommands.h"
#include "app/ipc/DdeServer.h"
#include "app/ipc/IpcEndpoint.h"
#include "platform/Profile.h"
#include "text/CNcTextEdit.h"

namespace fs = std::filesystem;
using platform::PromptAnswer;
using platform::PromptButtons;

namespace {

class DriverServer : public AppFixture {
protected:
    DdeReply Execute(const std::string& command) {
        return DdeExecute(command, Frame()->DriverEffects());
    }
    // A copy of the sample in the test's folder, which the tests may change.
    std::string SampleCopy(const std::string& name = "copy.nc") {
        const fs::path p = dir_.path() / "nc" / name;
        test::WriteFile(p, test::ReadFile(Sample()));
        return p.string();
    }
};

TEST_F(DriverServer, ListensOnTheUsersSocketAndMarksTheFirstInstance) {
    ASSERT_TRUE(Start({"/n4"}));
    ASSERT_TRUE(Frame()->Server());
    const QString path = Frame()->Server()->SocketPath();
    EXPECT_TRUE(path.startsWith(QString::fromStdString(RuntimeFolder().string()) + "/"));
    EXPECT_TRUE(path.contains("/ZeVizeza DDE Service4."));
    // Only the user reaches it.
    const fs::perms perms = fs::status(path.toStdString()).permissions();
    EXPECT_EQ(perms & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
    EXPECT_EQ(ReadInstanceMark(), path);
    EXPECT_FALSE(Asked("DDE Initial Error"));

    // The exit stops the server and removes the mark.
    Frame()->close();
    EXPECT_FALSE(fs::exists(path.toStdString()));
    EXPECT_EQ(ReadInstanceMark(), "");
}

TEST_F(DriverServer, SocketOfACrashedInstanceIsTakenOver) {
    // A socket file nobody listens on, as a killed instance leaves it.
    const QString path = DdeSocketPath(0);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.toUtf8().constData());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    ASSERT_TRUE(fs::exists(path.toStdString()));

    ASSERT_TRUE(Start({}));
    ASSERT_TRUE(Frame()->Server());
    EXPECT_TRUE(Frame()->Server()->IsListening());
    EXPECT_FALSE(Asked("DDE Initial Error"));
}

TEST_F(DriverServer, NameServedByAnotherInstanceRunsWithoutServerAndWithoutBox) {
    QLocalServer other;
    ASSERT_TRUE(other.listen(DdeSocketPath(2)));
    ASSERT_TRUE(Start({"/n2"}));
    EXPECT_FALSE(Frame()->Server());
    EXPECT_FALSE(Asked("DDE Initial Error"));
    // The other instance's socket is left alone.
    EXPECT_TRUE(other.isListening());
    EXPECT_TRUE(fs::exists(DdeSocketPath(2).toStdString()));
}

TEST_F(DriverServer, SocketThatCannotBeMadeShowsTheError) {
    // Something that is no socket sits at the socket's path.
    fs::create_directories(DdeSocketPath(0).toStdString());
    test::WriteFile(fs::path(DdeSocketPath(0).toStdString()) / "keep", "x");
    ASSERT_TRUE(Start({}));
    EXPECT_FALSE(Frame()->Server());
    ASSERT_FALSE(prompt_->asked.empty());
    EXPECT_EQ(prompt_->asked.back().text, "DDE Initial Error");
    EXPECT_EQ(prompt_->asked.back().icon, platform::PromptIcon::Error);
    EXPECT_TRUE(fs::exists(fs::path(DdeSocketPath(0).toStdString()) / "keep"));
}

TEST_F(DriverServer, WaitTimeIsReadAndWrittenBackAtEachConnection) {
    ASSERT_TRUE(Start({}));
    const std::string ini = app_->Paths.IniPath;
    EXPECT_EQ(platform::GetProfileString("System", "DdeWaitTime", "-", ini), "-");
    DdeConversation conv(Frame()->DriverEffects());
    ASSERT_TRUE(conv.Connect(kDdeTopic));
    EXPECT_EQ(platform::GetProfileString("System", "DdeWaitTime", "-", ini), "100");
    platform::WriteProfileString("System", "DdeWaitTime", "0", ini);
    ASSERT_TRUE(conv.Connect(kDdeTopic));
    EXPECT_EQ(Frame()->DdeWaitTime, 0);
}

TEST_F(DriverServer, WrongTopicBoxComesAfterTheReply) {
    ASSERT_TRUE(Start({}));
    prompt_->asked.clear();
    DdeConversation conv(Frame()->DriverEffects());
    EXPECT_FALSE(conv.Connect("Other"));
    EXPECT_TRUE(prompt_->asked.empty());  // nothing shown while the reply is made
    QTest::qWait(0);
    QCoreApplication::processEvents();
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].text, "CONNECT Failuer");
    EXPECT_EQ(prompt_->asked[0].caption, "DDE Server");
    EXPECT_EQ(prompt_->asked[0].icon, platform::PromptIcon::Warning);
}

TEST_F(DriverServer, ScaleMovesAndSizesTheWindow) {
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(Execute("SCALE 30 40 700 500"), DdeReply::Ack);
    EXPECT_EQ(Frame()->frameGeometry(), QRect(30, 40, 700, 500));
    // The fixed window of an embedded mode takes the size too.
    Frame()->SetProcMode(2);
    EXPECT_EQ(Execute("SCALE 5 6 640 480"), DdeReply::Ack);
    EXPECT_EQ(Frame()->frameGeometry(), QRect(5, 6, 640, 480));
    EXPECT_EQ(Execute("SCALE 5 6 0 480"), DdeReply::NotProcessed);
    EXPECT_EQ(Frame()->frameGeometry(), QRect(5, 6, 640, 480));
}

TEST_F(DriverServer, OpenAndProcMode) {
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(Execute("OPEN " + Sample()), DdeReply::Ack);
    EXPECT_EQ(app_->Document->GetPathName(), fs::path(Sample()).lexically_normal().string());
    EXPECT_EQ(Execute("OPEN " + (dir_.path() / "missing.nc").string()), DdeReply::NotProcessed);
    EXPECT_TRUE(Asked("missing.nc"));
    EXPECT_EQ(app_->Document->GetPathName(), fs::path(Sample()).lexically_normal().string());

    EXPECT_EQ(Execute("PROC_MODE 2"), DdeReply::Ack);
    EXPECT_EQ(app_->ProcessMode, 2);
    EXPECT_EQ(Frame()->size(), QSize(817, 675));
    prompt_->asked.clear();
    EXPECT_EQ(Execute("PROC_MODE 7"), DdeReply::Ack);
    EXPECT_EQ(app_->ProcessMode, 2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Asked("Invalid value of PROC_MODE is specified. "));
    EXPECT_EQ(Execute("PROC_MODE 1"), DdeReply::Ack);
    EXPECT_EQ(app_->ProcessMode, 1);
}

TEST_F(DriverServer, CloseOfAModifiedDocumentOffersOnlyYesAndNo) {
    ASSERT_TRUE(Start({SampleCopy()}));
    const std::string before = test::ReadFile(app_->Document->GetPathName());
    // The text is being edited: CLOSE takes it back into the document first.
    Frame()->ToggleEditMode();
    ASSERT_TRUE(Frame()->Editor());
    Frame()->Editor()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(Frame()->Editor(), "(DRIVEN)");
    QTest::keyClick(Frame()->Editor(), Qt::Key_Return);
    Frame()->DdeWaitTime = 0;
    prompt_->asked.clear();
    prompt_->answers = {PromptAnswer::No};
    EXPECT_EQ(Execute("close"), DdeReply::Ack);
    EXPECT_EQ(Frame()->EditMode, 0);
    EXPECT_EQ(app_->Document->Lines.front(), "(DRIVEN)");
    EXPECT_EQ(app_->Document->CloseRequested, 1);
    // Nothing closes while the reply goes out; the exit follows the wait.
    EXPECT_TRUE(Frame()->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Frame()->isVisible(); }, 5000));
    ASSERT_FALSE(prompt_->asked.empty());
    EXPECT_EQ(prompt_->asked.back().buttons, PromptButtons::YesNo);
    EXPECT_TRUE(Asked("Do you want to save?"));
    EXPECT_EQ(test::ReadFile(app_->Document->GetPathName()), before);  // No: not saved
}

TEST_F(DriverServer, HandOverReceiverRules) {
    const std::string first = SampleCopy("first.nc");
    const std::string second = SampleCopy("second.nc");
    ASSERT_TRUE(Start({"/n3", first}));
    CTessmarkDoc& doc = *app_->Document;
    prompt_->asked.clear();

    // Another instance number, an empty path, the open file: nothing happens.
    EXPECT_EQ(Frame()->OnCopyData(1, second), 0);
    EXPECT_EQ(Frame()->OnCopyData(3, ""), 0);
    EXPECT_EQ(Frame()->OnCopyData(3, (dir_.path() / "nc" / "." / "first.nc").string()), 0);
    EXPECT_EQ(doc.GetPathName(), first);
    EXPECT_TRUE(prompt_->asked.empty());

    // Cancel at the save question keeps the document and its change.
    doc.Lines.push_back("M02");
    doc.SetModifiedFlag(true);
    prompt_->answers = {PromptAnswer::Cancel};
    EXPECT_EQ(Frame()->OnCopyData(3, second), 0);
    EXPECT_EQ(doc.GetPathName(), first);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Lines.back(), "M02");

    // No: the handed file is opened.
    prompt_->answers = {PromptAnswer::No};
    EXPECT_EQ(Frame()->OnCopyData(3, second), 1);
    EXPECT_EQ(doc.GetPathName(), second);
    EXPECT_FALSE(doc.IsModified());
    // A file that cannot be opened leaves an empty document.
    EXPECT_EQ(Frame()->OnCopyData(3, (dir_.path() / "gone.nc").string()), 0);
}

// A second start hands a file over while the user types: the typing is taken into the
// document first, so the question names the open file and Yes saves it there. Before, the
// question named an untitled text, Yes asked where to save and the typing's log was gone.
TEST_F(DriverServer, HandOverWhileTypingAsksAboutTheOpenFile) {
    const std::string first = SampleCopy("first.nc");
    const std::string second = SampleCopy("second.nc");
    const std::string before = test::ReadFile(first);
    ASSERT_TRUE(Start({"/n3", first}));
    Frame()->ToggleEditMode();
    ASSERT_TRUE(Frame()->Editor());
    Frame()->Editor()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(Frame()->Editor(), "(TYPED)");
    QTest::keyClick(Frame()->Editor(), Qt::Key_Return);
    Frame()->LogEditorText();
    prompt_->asked.clear();
    prompt_->answers = {PromptAnswer::Yes};
    EXPECT_EQ(Frame()->OnCopyData(3, second), 1);
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].text, "Save changes to first.nc?");
    EXPECT_EQ(test::ReadFile(first), "(TYPED)\r\n" + before);
    EXPECT_EQ(app_->Document->GetPathName(), second);
    EXPECT_FALSE(app_->Document->IsModified());
}

TEST_F(DriverServer, HandOverComparesPathsWithTheirCase) {
    const std::string lower = SampleCopy("case.nc");
    const std::string upper = SampleCopy("CASE.nc");
    ASSERT_TRUE(Start({lower}));
    // Two files that differ only in case are two files here.
    EXPECT_EQ(Frame()->OnCopyData(0, upper), 1);
    EXPECT_EQ(app_->Document->GetPathName(), upper);
}

}  // namespace
