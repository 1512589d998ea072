// CMainFrame: the local server for outside drivers, what their commands do to the frame, the
// instance mark, and files handed over by second instances.
#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/core/CommandIds.h"
#include "app/core/DdeCommands.h"
#include "app/ipc/DdeServer.h"
#include "app/ipc/IpcEndpoint.h"
#include "platform/Profile.h"

namespace {

// How long the window system gets to activate the frame before it is flagged instead.
constexpr int kActivationCheckMs = 500;

// Both paths name one file: compared by their canonical paths with the letter case kept
// (two files may differ only in case here), by their clean absolute paths when a file is
// missing.
bool SameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    const QFileInfo fa(QString::fromStdString(a)), fb(QString::fromStdString(b));
    const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty()) return ca == cb;
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

class FrameDriverEffects : public DdeEffects {
public:
    explicit FrameDriverEffects(CMainFrame* frame) : frame_(frame) {}

    int ProcessMode() const override { return frame_->App()->ProcessMode; }
    int DdeWaitTime() const override { return frame_->DdeWaitTime; }
    void ConnectionAccepted() override {
        const std::string& ini = frame_->App()->Paths.IniPath;
        frame_->DdeWaitTime = platform::GetProfileInt("System", "DdeWaitTime", 100, ini);
        platform::WriteProfileInt("System", "DdeWaitTime", frame_->DdeWaitTime, ini);
    }
    void ShowMessage(std::string_view caption, std::string_view text,
                     platform::PromptIcon icon) override {
        // After the reply: the driver is not kept waiting by a box on this screen.
        QTimer::singleShot(
            0, frame_,
            [frame = frame_, caption = std::string(caption), text = std::string(text), icon] {
                frame->App()->Prompt().MessageTitled(caption, text, icon,
                                                     platform::PromptButtons::Ok);
            });
    }
    void TakeBackEditorText() override {
        if (frame_->EditMode != 1) return;
        frame_->CommitEditorText();
        // The pane stays the editor; the exit follows.
        frame_->EditMode = 0;
    }
    void SetCloseRequested() override {
        if (CTessmarkDoc* doc = frame_->App()->Document.get()) doc->CloseRequested = 1;
    }
    void ExitAfter(int milliseconds) override {
        QTimer::singleShot(std::max(0, milliseconds), frame_,
                           [frame = frame_] { frame->OnCommand(cmd::Exit); });
    }
    void SetFrameGeometry(int x, int y, int width, int height) override {
        if (frame_->isMinimized() || frame_->isMaximized()) frame_->showNormal();
        // The size given is the window's outer size, as the window system places it.
        const int dw = frame_->frameGeometry().width() - frame_->width();
        const int dh = frame_->frameGeometry().height() - frame_->height();
        const QSize client(std::max(1, width - dw), std::max(1, height - dh));
        // The fixed window of the embedded modes takes the new size as its fixed size.
        if (frame_->minimumSize() == frame_->maximumSize())
            frame_->setFixedSize(client);
        else
            frame_->resize(client);
        frame_->move(x, y);
        frame_->repaint();
    }
    void Step() override { frame_->OnCommand(cmd::Step); }
    bool OpenFile(const std::string& path) override {
        return frame_->App()->OpenDocumentFile(path);
    }
    void ResumeFromSkipLog() override { frame_->ResumeFromSkipLog(); }
    void SetProcMode(int mode) override { frame_->SetProcMode(mode); }
    int TraceToRequest(int type, int mainProgram, int subProgram, int mainSequence, int subSequence,
                       double x, double y, int moveKind) override {
        return frame_->TraceToRequest(type, mainProgram, subProgram, mainSequence, subSequence, x,
                                      y, moveKind);
    }

private:
    CMainFrame* frame_;
};

}  // namespace

bool CMainFrame::StartDdeServer() {
    if (!ddeEffects_) ddeEffects_ = std::make_unique<FrameDriverEffects>(this);
    ddeServer_ =
        std::make_unique<DdeServer>(*ddeEffects_, [this](int number, const std::string& path) {
            BringToFront();
            return OnCopyData(number, path);
        });
    switch (ddeServer_->Listen(DdeSocketPath(app_->InstanceNumber))) {
        case DdeServer::StartResult::Listening:
            return true;
        case DdeServer::StartResult::AlreadyServed:
            // A second, independent instance: the first one keeps serving the name.
            ddeServer_.reset();
            return false;
        case DdeServer::StartResult::Failed:
            break;
    }
    ddeServer_.reset();
    app_->Prompt().Message("DDE Initial Error", platform::PromptIcon::Error,
                           platform::PromptButtons::Ok);
    return false;
}

void CMainFrame::StopDdeServer() {
    if (!instanceMark_.isEmpty()) {
        RemoveInstanceMark(instanceMark_);
        instanceMark_.clear();
    }
    if (ddeServer_) ddeServer_->Close();
}

void CMainFrame::SetInstanceMark() {
    if (!ddeServer_ || !ddeServer_->IsListening()) return;
    if (WriteInstanceMark(ddeServer_->SocketPath())) instanceMark_ = ddeServer_->SocketPath();
}

int CMainFrame::OnCopyData(int instanceNumber, const std::string& path) {
    if (instanceNumber != app_->InstanceNumber) return 0;
    if (path.empty()) return 0;
    CTessmarkDoc* doc = app_->Document.get();
    if (!doc || SameFile(path, doc->GetPathName())) return 0;
    // The editor's text is the document's first, as for the driver's OPEN: the save question
    // then names the open file and Yes saves it there, before the new document drops its log.
    if (!CommitEditorText()) return 0;
    if (!doc->SaveModified()) return 0;
    doc->OnNewDocument();
    app_->NcFileName.clear();
    OnDocumentChanged();
    return app_->OpenDocumentFile(path) ? 1 : 0;
}

void CMainFrame::BringToFront() {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible()) show();
    QWidget* target = QApplication::activeModalWidget();
    if (!target || target->window() == nullptr) target = this;
    target->raise();
    target->activateWindow();
    // Focus-stealing prevention may refuse; the task bar then flags the window.
    QTimer::singleShot(kActivationCheckMs, this, [this] {
        if (!QApplication::activeWindow()) QApplication::alert(this);
    });
}
