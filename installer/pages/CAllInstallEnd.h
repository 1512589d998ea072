// The bulk installation's last page: it runs the modules, then lists their results.
#pragma once

#include <functional>

#include "installer/SetupPage.h"

class QTreeWidget;

namespace installer {
class CBulkProgressDlg;
}

namespace installer {

class CAllInstallEnd : public SetupPage {
    Q_OBJECT
public:
    explicit CAllInstallEnd(WizardContext& context);
    QTreeWidget* Results() const { return list_; }
    // Called with the progress dialog before it runs (tests answer its questions).
    std::function<void(CBulkProgressDlg&)> BeforeRun;

protected:
    void OnInitDialog() override;
    void OnSetActive() override;

private:
    QTreeWidget* list_;
};

}  // namespace installer
