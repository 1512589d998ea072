// CMainFrame: construction, panes, pane swaps, process modes and the forwarders to the views.
#include "app/CMainFrame.h"

#include <QApplication>
#include <QDebug>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/CTessmarkApp.h"
#include "app/NcPaneMaker.h"
#include "app/core/AppMessages.h"
#include "app/core/DdeCommands.h"
#include "app/core/WindowPlacement.h"
#include "app/ipc/DdeServer.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "text/CNcTextEdit.h"

namespace {

QString Str(unsigned id) {
    return QString::fromStdString(platform::LoadString(id));
}

}  // namespace

CMainFrame::CMainFrame(CTessmarkApp* app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName("MainFrame");
    // The element views call the timer's check from their first update.
    frameTimer_ = new QTimer(this);
    frameTimer_->setSingleShot(true);
    connect(frameTimer_, &QTimer::timeout, this, [this] {
        if (!batchRunning_) OnFrameTimer();
    });
    ReadSettings();
    LoadFrameResources(DefaultFrameResourcesPath(app_->Paths.ProgramFolder), resources_);
    for (const std::string& p : resources_.problems) qWarning() << "menus.txt:" << p.c_str();
    CreateClient();
    CreateActions();
    ApplyDisplaySettings();
    CreateToolBars();
    CreateMenus();
    CreateStatusBar();
    InstallHandlers();
    setAcceptDrops(true);
    // An instance driven by another program under an instance number is not closed by the
    // user from the title bar.
    if (app_->InstanceNumber != 0)
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint);
    qApp->installEventFilter(this);

    // The rules also run whenever the program is idle, as the buttons need them.
    idleTimer_ = new QTimer(this);
    idleTimer_->setInterval(150);
    connect(idleTimer_, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
    idleTimer_->start();
    OnDocumentChanged();
    UpdateCommandStates();
    StartDdeServer();
}

CMainFrame::~CMainFrame() {
    StopDdeServer();
    // What is left of the modeless dialogs goes while the frame and its views still stand (the
    // dialogs report their end to the frame).
    if (AxisRotateDlg) AxisRotateDlg->close();
    if (SmoothDlg) SmoothDlg->close();
    app_->HeaderHost.RunExternalApp = nullptr;
    qApp->removeEventFilter(this);
#ifndef NDEBUG
    // The debugger trace of debug builds.
    qDebug("******************* ~CMainFrame *******************");
#endif
}

void CMainFrame::ReadSettings() {
    const std::string& ini = app_->Paths.IniPath;
    ViewType = platform::GetProfileInt("MainView", "ViewType", 0, ini);
    // A value outside the five types would leave the frame without element views.
    if (ViewType < 0 || ViewType > 4) ViewType = 0;
    TraceTime = platform::GetProfileInt("MainView", "TraceTime", 1, ini);
    CtrlSwitch = platform::GetProfileInt("MainView", "CtrlSwitch", 0, ini);
    EdgeDisp = platform::GetProfileInt("MainView", "EdgeDisp", 0, ini);
    ACAxis = platform::GetProfileInt("MainView", "ACAxis", 0, ini);
    XYZAxis = platform::GetProfileInt("MainView", "XYZAxis", 1, ini);
    if (ViewType != 4) AxisRotationProfile(0);
    // Defined from the start, so that a start in process mode 30 or 31 (which neither restores
    // the bars nor applies a mode layout) still has a button-text setting.
    ButtonText = platform::GetProfileInt("Tool Bars", "DispText", 0, ini);

    auto text = [&](const char* key, size_t max, const std::string& def) {
        std::string v = platform::GetProfileString("OutAppli", key, def, ini);
        if (v.size() > max) v.resize(max);
        return platform::Cp932ToUtf8(v);
    };
    App1Configured = !text("ApplicationName", 255, "").empty();
    App2Configured = !text("ApplicationName2", 255, "").empty();
    const std::string boot = platform::Utf8ToCp932(platform::LoadString(61650)).bytes;
    ToolBarTitle = text("ToolBarTitle", 63, boot);
    ToolBarTitle2 = text("ToolBarTitle2", 63, boot);
    Flags = LoadDisplayFlags(ini, app_->SystemData && app_->SystemData->ForbidSheetRead != 0);
    InfoPaneSize = QSize(platform::GetProfileInt("NcInfoView", "SizeX", 272, ini),
                         platform::GetProfileInt("NcInfoView", "SizeY", 155, ini));
    TextPaneSize = QSize(platform::GetProfileInt("NcTextView", "SizeX", 272, ini),
                         platform::GetProfileInt("NcTextView", "SizeY", 25, ini));
}

int CMainFrame::AxisRotationProfile(int save) {
    const std::string& ini = app_->Paths.IniPath;
    const char* keys[3] = {"AxisRotateAngleX", "AxisRotateAngleY", "AxisRotateAngleZ"};
    for (int i = 0; i < 3; ++i) {
        if (save)
            platform::WriteProfileInt("NcElemView", keys[i], RotateAngles[i], ini);
        else
            RotateAngles[i] = platform::GetProfileInt("NcElemView", keys[i], 0, ini);
    }
    return 1;
}

// --- panes -------------------------------------------------------------------------------------

IElemView* CMainFrame::MakeElemView(QWidget* parent) {
    if (auto& make = PaneFactory::Instance().ElemView) return make(parent, this);
    return new PlaceholderElemView(parent);
}

INcPane* CMainFrame::MakeNcPane(QWidget* parent, bool editor) {
    if (auto& make = PaneFactory::Instance().NcPane) return make(parent, this, editor);
    return editor ? MakeNcTextEdit(parent, this) : MakeNcTextView(parent, this);
}

QWidget* CMainFrame::CreateElemViewArea(int viewType, std::vector<IElemView*>& views) {
    views.clear();
    if (viewType != 4) {
        IElemView* v = MakeElemView(nullptr);
        if (!v) return nullptr;
        v->SetViewType(viewType, RotateAngles[0], RotateAngles[1], RotateAngles[2]);
        v->Widget()->installEventFilter(this);
        views.push_back(v);
        return v->Widget();
    }
    // Two rows of two panes whose columns move together: (0,0) Left, (0,1) ISO, (1,0) Top,
    // (1,1) Front.
    auto* rows = new QSplitter(Qt::Vertical);
    rows->setObjectName("Split4");
    rows->setChildrenCollapsible(false);
    QSplitter* row[2];
    const int types[2][2] = {{2, 3}, {0, 1}};
    for (int r = 0; r < 2; ++r) {
        row[r] = new QSplitter(Qt::Horizontal, rows);
        row[r]->setChildrenCollapsible(false);
        for (int c = 0; c < 2; ++c) {
            IElemView* v = MakeElemView(row[r]);
            if (!v) {
                for (IElemView* made : views) made->Widget()->setParent(nullptr);
                delete rows;
                return nullptr;
            }
            row[r]->addWidget(v->Widget());
            v->SetViewType(types[r][c], 0, 0, 0);
            v->Widget()->installEventFilter(this);
            views.push_back(v);
        }
    }
    connect(row[0], &QSplitter::splitterMoved, row[1], [a = row[0], b = row[1]] {
        if (b->sizes() != a->sizes()) b->setSizes(a->sizes());
    });
    connect(row[1], &QSplitter::splitterMoved, row[0], [a = row[1], b = row[0]] {
        if (b->sizes() != a->sizes()) b->setSizes(a->sizes());
    });
    return rows;
}

void CMainFrame::CreateClient() {
    mainSplitter_ = new QSplitter(Qt::Horizontal, this);
    mainSplitter_->setObjectName("MainSplitter");
    leftSplitter_ = new QSplitter(Qt::Vertical, mainSplitter_);
    leftSplitter_->setObjectName("LeftSplitter");
    leftSplitter_->setChildrenCollapsible(false);

    auto& factory = PaneFactory::Instance();
    infoPane_ = factory.InfoView ? factory.InfoView(leftSplitter_, this)
                                 : MakePlaceholderPane(leftSplitter_, Str(29005), "NcInfoView");
    ncPane_ = MakeNcPane(leftSplitter_, false);
    switchForm_ = factory.SwitchForm ? factory.SwitchForm(leftSplitter_, this)
                                     : MakeNcTextSwitch(leftSplitter_, this);
    leftSplitter_->addWidget(infoPane_);
    leftSplitter_->addWidget(ncPane_->Widget());
    leftSplitter_->addWidget(switchForm_);
    // The information pane keeps the height the user gave it and the switch form its 65
    // pixels; the NC pane takes what is left.
    leftSplitter_->setStretchFactor(0, 0);
    leftSplitter_->setStretchFactor(1, 1);
    leftSplitter_->setStretchFactor(2, 0);
    switchForm_->setMinimumHeight(0);

    QWidget* area = CreateElemViewArea(ViewType, views_);
    split4_ = ViewType == 4 ? area : nullptr;
    activeView_ = ViewType == 4 ? views_[2] : views_[0];
    mainSplitter_->addWidget(leftSplitter_);
    mainSplitter_->addWidget(area);
    mainSplitter_->setStretchFactor(0, 0);
    mainSplitter_->setStretchFactor(1, 1);
    mainSplitter_->setSizes({std::max(0, InfoPaneSize.width()), 800});
    infoRowHeight_ = std::max(0, InfoPaneSize.height());
    leftSplitter_->setSizes({infoRowHeight_, 400, kSwitchFormHeight});
    leftSplitter_->installEventFilter(this);
    connect(leftSplitter_, &QSplitter::splitterMoved, this,
            [this] { infoRowHeight_ = leftSplitter_->sizes().value(0); });
    setCentralWidget(mainSplitter_);
}

std::vector<IElemView*> CMainFrame::ElemViews() const {
    return views_;
}

IElemView* CMainFrame::GetActiveElemView() const {
    if (views_.empty()) return nullptr;
    if (ViewType != 4) return views_[0];
    return activeView_ ? activeView_ : views_[2];
}

void CMainFrame::FocusActiveElemView() {
    if (IElemView* v = GetActiveElemView()) v->Widget()->setFocus();
}

void CMainFrame::EnableSwitchButtons(int enable) {
    if (switchForm_) switchForm_->setEnabled(enable != 0);
}

void CMainFrame::ResizeLeftRows(int clientHeight) {
    if (!leftSplitter_ || !infoPane_) return;
    const int h = infoRowHeight_;
    const int handles = 2 * leftSplitter_->handleWidth();
    int nc = clientHeight - h - kSwitchFormHeight - handles;
    if (nc < 0) nc = 0;
    leftSplitter_->setSizes({h, nc, kSwitchFormHeight});
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    // The left rows follow the left splitter's own resize (see eventFilter), which comes after
    // the frame's layout has run.
    QMainWindow::resizeEvent(event);
}

bool CMainFrame::SwapNcPane() {
    const bool toEditor = EditMode == 1;
    if (!ncPane_ || ncPane_->IsEditor() == toEditor) return false;
    // The list owns the trace: it stays while a trace is open or a step runs.
    if (app_->TraceActive || TraceStepUnderWay()) return false;
    // The new pane first: when it cannot be made, the old one stays.
    INcPane* incoming = MakeNcPane(nullptr, toEditor);
    if (!incoming) return false;
    leftSplitter_->setUpdatesEnabled(false);
    if (toEditor) {
        CloseTraceDialogs();
        GetSubProgMode = 0;
    }
    ncPane_->SaveViewState(HandOver);
    const QList<int> sizes = leftSplitter_->sizes();
    QWidget* old = leftSplitter_->replaceWidget(1, incoming->Widget());
    ncPane_ = incoming;
    if (old) {
        old->hide();
        old->deleteLater();
    }
    leftSplitter_->setSizes(sizes);
    ResizeLeftRows(leftSplitter_->height());
    ncPane_->RestoreViewState(HandOver);
    if (!toEditor && app_->Document) app_->Document->WriteRecoveryLog();
    leftSplitter_->setUpdatesEnabled(true);
    ncPane_->Widget()->repaint();
    switchForm_->repaint();
    ncPane_->Widget()->setFocus();
    if (!toEditor) {
        overwritePane_->clear();
        OverwriteMode = 0;
    }
    return true;
}

bool CMainFrame::RebuildElemViews(int viewType) {
    if (viewType < 0 || viewType > 4 || ViewType < 0 || ViewType > 4) return false;
    if (!GetActiveElemView()) return false;
    std::vector<IElemView*> fresh;
    const std::array<int, 3> keep = RotateAngles;
    RotateAngles = {0, 0, 0};
    QWidget* area = CreateElemViewArea(viewType, fresh);
    RotateAngles = keep;
    if (!area) return false;
    const QList<int> sizes = mainSplitter_->sizes();
    QWidget* old = mainSplitter_->replaceWidget(1, area);
    ViewType = viewType;
    views_ = fresh;
    split4_ = viewType == 4 ? area : nullptr;
    activeView_ = viewType == 4 ? views_[2] : views_[0];
    if (old) {
        old->hide();
        old->deleteLater();
    }
    mainSplitter_->setSizes(sizes);
    ZoomFitInViews();
    return true;
}

int CMainFrame::RouteMouseWheel(unsigned keyFlags, int delta, QPoint screen) {
    auto hit = [&](QWidget* w) {
        return w && w->isVisible() && w->rect().contains(w->mapFromGlobal(screen));
    };
    if (hit(infoPane_)) {
        infoPane_->setFocus();
        return 1;
    }
    if (ncPane_ && !ncPane_->IsEditor() && hit(ncPane_->Widget())) {
        ncPane_->Widget()->setFocus();
        ncPane_->DefaultMouseWheel(delta);
        return 1;
    }
    for (IElemView* v : views_) {
        if (hit(v->Widget())) {
            v->Widget()->setFocus();
            v->WheelZoom(keyFlags, delta, screen);
            return 1;
        }
    }
    return 0;
}

void CMainFrame::OnDocumentChanged() {
    if (ncPane_) ncPane_->UpdateFromDocument();
    ShowDocumentInfo();
    RebuildMainLayerInViews();
}

void CMainFrame::ShowDocumentInfo() {
    CTessmarkDoc* doc = app_->Document.get();
    const QString title = doc ? QString::fromStdString(doc->GetTitle()) : QString();
    // A recovered text has no file name until it is saved: the title says where it came from.
    const QString shown =
        doc && !doc->RecoveredFrom().empty()
            ? QString::fromStdString(FillMessage(AppMessage(kMsgRecoveredTitle),
                                                 {doc->GetTitle(), doc->RecoveredFrom()}))
            : title;
    // "[*]" is where the window system shows the modified mark.
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(shown, Str(57344)));
    ShowModifiedMark();
    if (doc && statusMessage_)
        statusMessage_->setText(Str(29013).replace("%d", QString::number(doc->Lines.size())));
    if (auto* label = qobject_cast<QLabel*>(infoPane_)) {
        QString text = Str(29005);
        if (doc && !doc->GetPathName().empty())
            text += "\n\n" + Str(29014).replace("%s", title) + "\n" +
                    Str(29013).replace("%d", QString::number(doc->Lines.size()));
        label->setText(text);
    }
}

void CMainFrame::ShowModifiedMark() {
    const CTessmarkDoc* doc = app_->Document.get();
    const CNcTextEdit* editor = Editor();
    const bool modified = (doc && doc->IsModified()) || (editor && editor->Modified);
    if (isWindowModified() != modified) setWindowModified(modified);
}

// --- process modes -----------------------------------------------------------------------------

void CMainFrame::SetProcMode(int mode) {
    const int current = app_->ProcessMode;
    if (current == 0 || current == 1 || current == 11) SaveBarState();
    const bool wasVisible = isVisible();
    if (IsEmbeddedProcessMode(mode)) {
        // A fixed window that cannot be resized, minimised, maximised or closed by the user.
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setFixedSize(817, 675);
        move(213, 119);
        if (wasVisible) show();
    } else if (IsEmbeddedProcessMode(current)) {
        setWindowFlags(Qt::Window);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (wasVisible) show();
    }
    if ((current == 30 || current == 31) && (mode == 30 || mode == 31)) {
        app_->ProcessMode = mode;
        return;
    }
    app_->ProcessMode = mode;
    ApplyModeLayout();
    if (CTessmarkDoc* doc = app_->Document.get()) {
        doc->SkipLogElements.Empty();
        doc->PickPos[0] = doc->PickPos[1] = -1;
    }
    for (IElemView* v : views_) v->EmptyLayers({4, 5, 7, 8, 9});
    // The trace ends as by its Cancel command.
    OnTraceCancel();
    UpdateToolBarStates();
    ZoomFitInViews();
}

void CMainFrame::ApplyModeLayout() {
    WindowDivisionSize =
        platform::GetProfileInt("Setting for 16ILB", "WindowDivisionSize", 0, app_->Paths.IniPath);
    const int mode = app_->ProcessMode;
    if (mode == 1) {
        QSettings profile(MORVALEN_PROFILE_ORG, MORVALEN_PROFILE_APP);
        if (profile.value("Tool Bars/Version").toInt() == 14) {
            restoreState(profile.value("Control Bars").toByteArray(), 14);
            RefreshToolBars();
        }
        if (SavedLeftWidth > 0) {
            QList<int> sizes = mainSplitter_->sizes();
            sizes[1] += sizes[0] - SavedLeftWidth;
            sizes[0] = SavedLeftWidth;
            mainSplitter_->setSizes(sizes);
        }
    } else if (IsEmbeddedProcessMode(mode)) {
        for (int b = 0; b < kBarCount; ++b) bars_[b]->setVisible(b == kBarZoom);
        ButtonText = 1;
        // The Zoom bar alone, across the top.
        removeToolBar(bars_[kBarZoom]);
        addToolBar(Qt::TopToolBarArea, bars_[kBarZoom]);
        bars_[kBarZoom]->show();
        RefreshToolBars();
        QList<int> sizes = mainSplitter_->sizes();
        SavedLeftWidth = sizes[0];
        sizes[1] += sizes[0] - WindowDivisionSize;
        sizes[0] = WindowDivisionSize;
        mainSplitter_->setSizes(sizes);
    }
}

// --- forwarders --------------------------------------------------------------------------------

void CMainFrame::CommitTraceStepInViews() {
    for (IElemView* v : views_) v->CommitTraceStep();
}
int CMainFrame::HideElemTipInViews() {
    if (ViewType == 4) {
        for (IElemView* v : views_) v->HideElemTip();
        return 1;
    }
    return views_.empty() ? 0 : (views_[0]->HideElemTip() ? 1 : 0);
}
void CMainFrame::FitAspectInViews() {
    for (IElemView* v : views_) v->FitAspect();
}
void CMainFrame::ClearTraceInViews() {
    for (IElemView* v : views_) v->ClearTrace();
}
void CMainFrame::ZoomFitInViews() {
    for (IElemView* v : views_) v->ZoomFit();
}
void CMainFrame::HighlightLineInViews(int lineNo) {
    for (IElemView* v : views_) v->HighlightLine(lineNo);
}
void CMainFrame::BuildDangerZonesInViews(int toolNo) {
    for (IElemView* v : views_) v->BuildDangerZones(toolNo);
}
void CMainFrame::SetSkipLogRouteInViews(CDtbEngine* route) {
    for (IElemView* v : views_) v->SetSkipLogRoute(route);
}
void CMainFrame::MoveTorchMarkInViews(int stepKind, const CxyzData* position, int moveKind) {
    for (IElemView* v : views_) v->MoveTorchMark(stepKind, position, moveKind);
}
void CMainFrame::DrawTraceStepInViews(CDtbEngine* step) {
    for (IElemView* v : views_) v->DrawTraceStep(step);
}
void CMainFrame::SetToolLayerInViews(CDtbEngine* tool, int unused) {
    for (IElemView* v : views_) v->SetToolLayer(tool, unused);
}
void CMainFrame::MoveSheetInViews(const double offset[3]) {
    for (IElemView* v : views_) v->MoveSheet(offset);
}
void CMainFrame::RebuildMainLayerInViews() {
    for (IElemView* v : views_) v->RebuildMainLayer();
}
void CMainFrame::ResetPivotInViews() {
    for (IElemView* v : views_) v->ResetPivot();
}
void CMainFrame::ReleaseDocumentInViews() {
    for (IElemView* v : views_) v->ReleaseDocument();
}

// --- window events -----------------------------------------------------------------------------

void CMainFrame::SaveBarState() {
    QSettings profile(MORVALEN_PROFILE_ORG, MORVALEN_PROFILE_APP);
    profile.setValue("Control Bars", saveState(14));
    profile.setValue("Tool Bars/Version", 14);
}

void CMainFrame::SavePlacement() {
    WindowPlacementRecord r;
    r.showCmd = isMaximized() ? kShowMaximized : isMinimized() ? kShowMinimized : kShowNormal;
    const QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
    r.normal = {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    WritePlacement(app_->PlacementFilePath(), r);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == leftSplitter_ && event->type() == QEvent::Resize) {
        bool result = QMainWindow::eventFilter(watched, event);
        ResizeLeftRows(static_cast<QResizeEvent*>(event)->size().height());
        return result;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress) {
        for (IElemView* v : views_)
            if (v->Widget() == watched) activeView_ = v;
    }
    // The Insert key toggles the editor's overwrite mode; the key still reaches the editor.
    if (event->type() == QEvent::KeyPress && EditMode == 1) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_Insert && !key->isAutoRepeat() && w && w->window() == this &&
            w == QApplication::focusWidget()) {
            OverwriteMode = !OverwriteMode;
            overwritePane_->setText(OverwriteMode ? "INS" : "");
            overwritePane_->repaint();
            if (auto* edit = qobject_cast<QPlainTextEdit*>(ncPane_->Widget()))
                edit->setOverwriteMode(OverwriteMode != 0);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) return;
    event->acceptProposedAction();
    if (EditMode == 1) return;
    app_->OpenDocumentFile(urls.front().toLocalFile().toStdString());
}
