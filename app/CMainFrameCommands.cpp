// CMainFrame: the actions, menus and tool bars built from the resource file, the display flags,
// the command table that routes every command, the command states and the view commands.
#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/FrameIcons.h"
#include "app/core/CommandIds.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace {

QString Str(unsigned id) {
    return QString::fromStdString(platform::LoadString(id));
}
QString Utf8(const std::string& s) {
    return QString::fromStdString(s);
}

// The bars by the names the resource file and the saved state use.
int BarIndexOf(const std::string& name) {
    static const char* kNames[kBarCount] = {"ToolBarStandard", "ToolBarEdit",      "ToolBarZoom",
                                            "ToolBarScroll",   "ToolBarOperation", "ToolBarTrace",
                                            "ToolBarProperty"};
    for (int i = 0; i < kBarCount; ++i)
        if (name == kNames[i]) return i;
    return kBarNone;
}

// A text shown in a menu keeps its '&' characters as they are.
QString EscapeMnemonics(QString s) {
    return s.replace('&', "&&");
}

}  // namespace

QAction* CMainFrame::Action(int command) const {
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
    const bool japanese = app_->IsJapanese();
    // The menu text of each command: its first item in the menu bar, else in the context menu.
    std::map<int, QString> texts;
    auto collect = [&](auto& self, const std::vector<MenuNode>& nodes) -> void {
        for (const MenuNode& n : nodes) {
            if (n.kind == MenuNode::Kind::Item && !texts.count(n.command))
                texts[n.command] = Utf8(n.Text(japanese));
            self(self, n.children);
        }
    };
    for (int menu : {128, 143})
        if (resources_.menus.count(menu)) collect(collect, resources_.menus.at(menu));

    for (int id : resources_.AllCommands()) {
        auto* act = new QAction(texts.count(id) ? texts[id] : QString(), this);
        act->setData(id);
        act->setIcon(CommandIcon(id));
        connect(act, &QAction::triggered, this, [this, id] { OnCommand(id); });
        actions_[id] = act;
        addAction(act);  // accelerators work whether or not the item is in a menu
    }
    for (const AcceleratorDef& a : resources_.accelerators) {
        QAction* act = Action(a.command);
        if (!act) continue;
        QList<QKeySequence> keys = act->shortcuts();
        for (const std::string& k : a.keys)
            keys << QKeySequence::fromString(Utf8(k), QKeySequence::PortableText);
        act->setShortcuts(keys);
    }
    // The button texts of the bars.
    for (const ToolBarDef& bar : resources_.bars) {
        int index = BarIndexOf(bar.name);
        if (index == kBarNone) continue;
        barTables_[index] = bar.commands;
        for (size_t i = 0; i < bar.commands.size(); ++i)
            if (QAction* act = Action(bar.commands[i]); act && bar.textIds[i])
                act->setIconText(Str(bar.textIds[i]).trimmed());
    }
}

void CMainFrame::ApplyDisplaySettings() {
    // No external application configured: its button is hidden, its menu item stays.
    if (!App1Configured) Flags.Set(cmd::Boot, Flags.FlagsOf(cmd::Boot) & ~kFlagButton);
    if (!App2Configured) Flags.Set(cmd::Boot2, Flags.FlagsOf(cmd::Boot2) & ~kFlagButton);
    const auto& groups = DisplayGroups();
    for (size_t g = 0; g < groups.size(); ++g) {
        const DisplayGroup& group = groups[g];
        std::vector<int> table;
        if (group.bar != kBarNone)
            table = barTables_[group.bar];
        else
            for (const DisplayKey& k : group.keys) table.push_back(k.command);
        const std::vector<uint16_t>& flags =
            g < Flags.groups.size() ? Flags.groups[g] : std::vector<uint16_t>{};
        std::vector<BarButtonPlan> plan = ApplyDisplayFlags(table, flags, group.bar != kBarNone);
        for (const BarButtonPlan& b : plan)
            if (!b.inMenu) removedFromMenu_.emplace_back(group.menuPosition, b.command);
        if (group.bar != kBarNone) barPlans_[group.bar] = std::move(plan);
    }
}

void CMainFrame::CreateToolBars() {
    for (const ToolBarDef& def : resources_.bars) {
        int index = BarIndexOf(def.name);
        if (index == kBarNone) continue;
        auto* bar = new QToolBar(Str(def.titleId), this);
        bar->setObjectName(QString::fromStdString(def.name));
        bar->setIconSize(QSize(16, 15));
        for (const BarButtonPlan& b : barPlans_[index]) {
            if (!b.shown) continue;
            if (b.separatorBefore) bar->addSeparator();
            if (QAction* act = Action(b.command)) bar->addAction(act);
        }
        bars_[index] = bar;
    }
    // Docked at the top in this order.
    for (int index :
         {kBarStandard, kBarEdit, kBarZoom, kBarScroll, kBarTrace, kBarOperation, kBarProperty})
        if (bars_[index]) addToolBar(Qt::TopToolBarArea, bars_[index]);
    // Every bar exists even when the resource file lacks it, so the frame never holds a null.
    for (int i = 0; i < kBarCount; ++i)
        if (!bars_[i]) {
            bars_[i] = new QToolBar(this);
            bars_[i]->setObjectName(QStringLiteral("ToolBar%1").arg(i));
            addToolBar(Qt::TopToolBarArea, bars_[i]);
            bars_[i]->hide();
        }
}

void CMainFrame::BuildMenu(const std::vector<MenuNode>& nodes, QMenu* menu, int menuPosition) {
    for (const MenuNode& n : nodes) {
        switch (n.kind) {
            case MenuNode::Kind::Separator:
                menu->addSeparator();
                break;
            case MenuNode::Kind::Popup: {
                QMenu* sub = menu->addMenu(Utf8(n.Text(app_->IsJapanese())));
                BuildMenu(n.children, sub, menuPosition);
                connect(sub, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
                break;
            }
            case MenuNode::Kind::Item: {
                if (std::find(removedFromMenu_.begin(), removedFromMenu_.end(),
                              std::make_pair(menuPosition, n.command)) != removedFromMenu_.end())
                    break;
                QAction* act = Action(n.command);
                if (!act) break;
                menu->addAction(act);
                if (n.command == cmd::RecentFile1) {
                    fileMenu_ = menu;
                    recentAnchor_ = act;
                }
                break;
            }
        }
    }
}

void CMainFrame::CreateMenus() {
    if (!resources_.menus.count(128)) return;
    const auto& top = resources_.menus.at(128);
    for (size_t pos = 0; pos < top.size(); ++pos) {
        const MenuNode& n = top[pos];
        if (n.kind != MenuNode::Kind::Popup) continue;
        QMenu* menu = menuBar()->addMenu(Utf8(n.Text(app_->IsJapanese())));
        BuildMenu(n.children, menu, int(pos));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }
    RebuildRecentFileMenu();
}

QMenu* CMainFrame::createPopupMenu() {
    return CreateResourceMenu(143, this);
}

QMenu* CMainFrame::CreateResourceMenu(int menuId, QWidget* parent, int popup) {
    if (!resources_.menus.count(menuId) || popup < 0 ||
        size_t(popup) >= resources_.menus.at(menuId).size())
        return nullptr;
    const MenuNode& sub = resources_.menus.at(menuId)[size_t(popup)];
    auto* menu = new QMenu(parent);
    BuildMenu(sub.children, menu, -1);
    UpdateCommandStates();
    return menu;
}

void CMainFrame::CreateStatusBar() {
    statusMessage_ = new QLabel(Str(29008), this);
    statusMessage_->setObjectName("StatusMessage");
    statusBar()->addWidget(statusMessage_, 1);
    overwritePane_ = new QLabel(this);
    overwritePane_->setObjectName("StatusOverwrite");
    overwritePane_->setMinimumWidth(36);
    overwritePane_->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(overwritePane_);
}

void CMainFrame::RebuildRecentFileMenu() {
    if (!fileMenu_ || !recentAnchor_) return;
    for (QAction* a : recentActions_) {
        fileMenu_->removeAction(a);
        actions_.erase(a->data().toInt());
        handlers_.erase(a->data().toInt());
        a->deleteLater();
    }
    recentActions_.clear();
    const QStringList files = app_->RecentFiles();
    // The anchor stands for an empty list (greyed, as it has no file), else the first entry.
    recentAnchor_->setVisible(files.isEmpty());
    handlers_.erase(cmd::RecentFile1);
    for (int i = 0; i < files.size(); ++i) {
        const int id = cmd::RecentFile1 + 1 + i;  // the anchor keeps 57616 itself
        auto* act =
            new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(EscapeMnemonics(files[i])), this);
        act->setData(id);
        fileMenu_->insertAction(recentAnchor_, act);
        connect(act, &QAction::triggered, this, [this, id] { OnCommand(id); });
        actions_[id] = act;
        const std::string path = files[i].toStdString();
        handlers_[id] = [this, path] {
            if (EditMode != 1) app_->OpenDocumentFile(path);
        };
        recentActions_.push_back(act);
    }
}

// --- command table -----------------------------------------------------------------------------

void CMainFrame::SetHandler(int command, std::function<void()> handler) {
    handlers_[command] = std::move(handler);
}

bool CMainFrame::OnCommand(int command) {
    auto it = handlers_.find(command);
    if (it == handlers_.end()) return false;
    // Copy: the handler may replace itself (the recent-file list is rebuilt by an open).
    std::function<void()> handler = it->second;
    handler();
    UpdateCommandStates();
    return true;
}

void CMainFrame::NotYetAvailable() {
    app_->Prompt().Message(platform::LoadString(29001), platform::PromptIcon::Information,
                           platform::PromptButtons::Ok);
}

void CMainFrame::WriteMainViewInt(const char* key, int value) {
    platform::WriteProfileInt("MainView", key, value, app_->Paths.IniPath);
}

void CMainFrame::InstallHandlers() {
    // Commands of later parts of the program say so until they arrive; printing is not offered.
    for (int id : resources_.AllCommands())
        if (id != cmd::Print && id != cmd::PrintSetup && id != cmd::RecentFile1)
            handlers_[id] = [this] { NotYetAvailable(); };

    InstallSettingsHandlers();
    handlers_[cmd::New] = [this] { app_->OnFileNew(); };
    handlers_[cmd::Open] = [this] { app_->OnFileOpen(); };
    handlers_[cmd::About] = [this] { app_->OnAppAbout(); };
    handlers_[cmd::Save] = [this] { app_->OnFileSave(); };
    handlers_[cmd::SaveAs] = [this] { app_->OnFileSaveAs(); };
    handlers_[cmd::Exit] = [this] { close(); };
    for (int t = 0; t <= 4; ++t) handlers_[cmd::ViewTop + t] = [this, t] { OnViewType(t); };
    auto onActive = [this](void (IElemView::*op)()) {
        return [this, op] {
            if (IElemView* v = GetActiveElemView()) (v->*op)();
        };
    };
    handlers_[cmd::ZoomIn] = onActive(&IElemView::ZoomIn);
    handlers_[cmd::ZoomOut] = onActive(&IElemView::ZoomOut);
    handlers_[cmd::Fit] = onActive(&IElemView::ZoomFit);
    handlers_[cmd::ScrollUp] = onActive(&IElemView::ScrollUp);
    handlers_[cmd::ScrollDown] = onActive(&IElemView::ScrollDown);
    handlers_[cmd::ScrollLeft] = onActive(&IElemView::ScrollLeft);
    handlers_[cmd::ScrollRight] = onActive(&IElemView::ScrollRight);
    handlers_[cmd::AllFit] = [this] { ZoomFitInViews(); };
    handlers_[cmd::RotateView] = [this] { OnRotateView(); };
    handlers_[cmd::XyzAxis] = [this] {
        XYZAxis = !XYZAxis;
        WriteMainViewInt("XYZAxis", XYZAxis);
        FitAspectInViews();
    };
    handlers_[cmd::EdgeDisp] = [this] {
        EdgeDisp = !EdgeDisp;
        WriteMainViewInt("EdgeDisp", EdgeDisp);
        FitAspectInViews();
    };
    handlers_[cmd::AcAxis] = [this] {
        ACAxis = !ACAxis;
        WriteMainViewInt("ACAxis", ACAxis);
        FitAspectInViews();
    };
    handlers_[cmd::OpScroll] = [this] {
        CtrlSwitch = 0;
        WriteMainViewInt("CtrlSwitch", CtrlSwitch);
    };
    handlers_[cmd::OpZoom] = [this] {
        CtrlSwitch = 1;
        WriteMainViewInt("CtrlSwitch", CtrlSwitch);
    };
    for (int s = 0; s < 3; ++s)
        handlers_[cmd::SpeedHigh + s] = [this, s] {
            TraceTime = s;
            WriteMainViewInt("TraceTime", TraceTime);
        };
    handlers_[cmd::ButtonText] = [this] {
        ButtonText = !ButtonText;
        platform::WriteProfileInt("Tool Bars", "DispText", ButtonText, app_->Paths.IniPath);
        RefreshToolBars();
    };
    const std::pair<int, int> barCommands[] = {
        {cmd::BarStandard, kBarStandard},   {cmd::BarEdit, kBarEdit},
        {cmd::BarZoom, kBarZoom},           {cmd::BarScroll, kBarScroll},
        {cmd::BarOperation, kBarOperation}, {cmd::BarTrace, kBarTrace},
        {cmd::BarProperty, kBarProperty}};
    for (auto [id, bar] : barCommands) handlers_[id] = [this, bar = bar] { ToggleBar(bar); };
    handlers_[cmd::StatusBar] = [this] { statusBar()->setVisible(statusBar()->isHidden()); };
    handlers_[cmd::NextPane] = [this] { focusNextChild(); };
    handlers_[cmd::PreviousPane] = [this] { focusPreviousChild(); };
    InstallShellHandlers();
    InstallEditHandlers();
    InstallNcOpsHandlers();
    InstallTraceHandlers();
}

void CMainFrame::ToggleBar(int bar) {
    QToolBar* b = bars_[bar];
    const bool show = b->isHidden();
    b->setVisible(show);
    if (show) RefreshToolBars();
}

void CMainFrame::OnViewType(int viewType) {
    if (!RebuildElemViews(viewType)) return;
    WriteMainViewInt("ViewType", viewType);
    RotateAngles = {0, 0, 0};
    AxisRotationProfile(1);
    RefreshAxisRotateDlg();
}

// --- tool bars ---------------------------------------------------------------------------------

int CMainFrame::RestoreToolBars() {
    QSettings profile(MORVALEN_PROFILE_ORG, MORVALEN_PROFILE_APP);
    if (profile.value("Tool Bars/Version").toInt() == 14 &&
        restoreState(profile.value("Control Bars").toByteArray(), 14) && ToolBarsFit()) {
        ButtonText = platform::GetProfileInt("Tool Bars", "DispText", 0, app_->Paths.IniPath);
        return 0;
    }
    // First start, or a state of another version (or one that does not restore, or that does
    // not fit this window: squeezed bars would leave the panes smaller than the window).
    ButtonText = 1;
    platform::WriteProfileString("Tool Bars", "DispText", "1", app_->Paths.IniPath);
    FirstRunLayout();
    return 1;
}

bool CMainFrame::ToolBarsFit() {
    if (QLayout* l = layout()) l->activate();
    for (QToolBar* bar : bars_) {
        if (!bar || bar->isHidden()) continue;
        if (bar->isFloating()) {
            bool onScreen = false;
            for (QScreen* screen : QGuiApplication::screens())
                onScreen = onScreen || screen->availableGeometry().intersects(bar->geometry());
            if (!onScreen) return false;
            continue;
        }
        const QSize need = bar->sizeHint();
        const bool across = bar->orientation() == Qt::Horizontal;
        if ((across ? bar->width() < need.width() : bar->height() < need.height())) return false;
    }
    return true;
}

void CMainFrame::FirstRunLayout() {
    // Two rows at the top: Standard, Edit, Property; then Trace, Zoom, Scroll, Operation.
    for (QToolBar* b : bars_) removeToolBar(b);
    for (int index : {kBarStandard, kBarEdit, kBarProperty}) {
        addToolBar(Qt::TopToolBarArea, bars_[index]);
        bars_[index]->show();
    }
    addToolBarBreak(Qt::TopToolBarArea);
    for (int index : {kBarTrace, kBarZoom, kBarScroll, kBarOperation}) {
        addToolBar(Qt::TopToolBarArea, bars_[index]);
        bars_[index]->show();
    }
}

void CMainFrame::RefreshToolBars() {
    for (int index :
         {kBarStandard, kBarEdit, kBarZoom, kBarScroll, kBarOperation, kBarTrace, kBarProperty})
        SetToolBarButtonTexts(index);
    // Qt packs the bars of a row itself: nothing is left to close up.
}

void CMainFrame::SetToolBarButtonTexts(int index) {
    QToolBar* bar = bars_[index];
    if (bar->isHidden()) return;
    bool any = false;
    for (const BarButtonPlan& b : barPlans_[index]) {
        if (!b.shown) continue;
        any = true;
        if (b.command == cmd::Boot || b.command == cmd::Boot2) {
            const std::string& title = b.command == cmd::Boot ? ToolBarTitle : ToolBarTitle2;
            if (QAction* act = Action(b.command))
                act->setIconText(title.empty() ? QStringLiteral(" ") : Utf8(title));
        }
    }
    if (!any) {
        bar->hide();
        return;
    }
    bar->setToolButtonStyle(ButtonText ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    bar->show();
}

void CMainFrame::UpdateToolBarStates() {
    // The rules decide the final states of the buttons too (see UpdateCommandStates).
    UpdateCommandStates();
}

FrameState CMainFrame::CurrentState() const {
    FrameState s;
    s.TraceActive = app_->TraceActive;
    s.StepPending = app_->StepPending;
    s.ProcessMode = app_->ProcessMode;
    s.English = !app_->IsJapanese();
    s.EditMode = EditMode;
    s.ViewType = ViewType;
    s.TraceTime = TraceTime;
    s.CtrlSwitch = CtrlSwitch;
    s.EdgeDisp = EdgeDisp;
    s.ACAxis = ACAxis;
    s.XYZAxis = XYZAxis;
    s.ButtonText = ButtonText;
    s.GetSubProgMode = GetSubProgMode;
    s.SmoothDlgOpen = SmoothDlg != nullptr;
    s.ManMoveDlgOpen = ManMoveDlg != nullptr;
    s.AxisRotateDlgOpen = AxisRotateDlg != nullptr;
    s.App1Configured = App1Configured;
    s.App2Configured = App2Configured;
    for (int i = 0; i < kBarCount; ++i) s.BarVisible[i] = bars_[i] && !bars_[i]->isHidden();
    s.StatusBarVisible = !statusBar()->isHidden();
    if (app_->SystemData) {
        const CNcReadInfo& info = app_->SystemData->NcReadInfo;
        for (int i = 0; i < 8; ++i) {
            s.InsertString[i] = platform::Cp932ToUtf8(info.String[i]);
            s.InsertComment[i] = platform::Cp932ToUtf8(info.Comment[i]);
        }
    }
    return s;
}

void CMainFrame::UpdateCommandStates() {
    ShowModifiedMark();
    const FrameState state = CurrentState();
    for (auto& [id, act] : actions_) {
        CommandState cs = EvaluateCommand(id, state);
        bool enabled = cs.hasRule ? cs.enabled : HasHandler(id);
        if (GreyedByMenuMode(id, state)) enabled = false;
        if (id == cmd::Boot || id == cmd::Boot2) {
            const std::string& title = id == cmd::Boot ? ToolBarTitle : ToolBarTitle2;
            act->setText(Utf8(BootMenuText(id, title, state.English)));
        }
        if (cmd::IsInsertStr(id))
            act->setText(cs.text ? EscapeMnemonics(Utf8(*cs.text)) : Str(20083));
        if (act->isEnabled() != enabled) act->setEnabled(enabled);
        if (cs.checkKind != CheckKind::None) {
            act->setCheckable(true);
            act->setChecked(cs.check == kCheckOn);
            // A menu item shows either its icon or its check mark; the icon (drawn sunken when
            // checked) hides the state, so checkable items show the mark. Tool buttons keep it.
            act->setIconVisibleInMenu(false);
        }
    }
}
