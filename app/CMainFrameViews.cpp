// CMainFrame: the rotation dialog of the element views (its command, refresh and end) and the
// element views' context menu.
#include <QMenu>
#include <memory>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "views/CAxisRotateDlg.h"

void CMainFrame::OnRotateView() {
    if (AxisRotateDlg) {
        AxisRotateDlg->close();
        return;
    }
    AxisRotateContext ctx;
    ctx.ActiveAngles = [this](CxyzData* angles) {
        IElemView* v = GetActiveElemView();
        if (!v) return false;
        *angles = v->RotationAngles();
        return true;
    };
    ctx.SetActiveAngles = [this](const CxyzData& angles, int mask) {
        IElemView* v = GetActiveElemView();
        if (!v) return false;
        v->SetRotationAngles(angles, mask);
        return true;
    };
    ctx.Closed = [this](const std::array<int, 3>& angles) { OnAxisRotateDlgClosed(angles); };
    ctx.IniPath = app_->Paths.IniPath;
    auto* dlg = new CAxisRotateDlg(std::move(ctx), this);
    AxisRotateDlg = dlg;
    dlg->Create();
    UpdateCommandStates();
}

void CMainFrame::OnAxisRotateDlgClosed(const std::array<int, 3>& angles) {
    // The four panes of the split view have rotations of their own.
    if (ViewType != 4) {
        RotateAngles = angles;
        AxisRotationProfile(1);
    }
    AxisRotateDlg = nullptr;
    UpdateCommandStates();
}

void CMainFrame::RefreshAxisRotateDlg() {
    if (auto* dlg = qobject_cast<CAxisRotateDlg*>(AxisRotateDlg)) dlg->SyncFromView();
}

void CMainFrame::ShowElemViewMenu(int submenu, QPoint screen) {
    std::unique_ptr<QMenu> menu(CreateResourceMenu(144, this, submenu));
    if (menu) menu->exec(screen);
}
