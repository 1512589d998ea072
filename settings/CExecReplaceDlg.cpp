// Convert NC: the tables listed once at set-up, paged by ten; a click closes the dialog and then
// runs the table, so the run's message comes after the dialog has gone.
#include "settings/CExecReplaceDlg.h"

#include <QPushButton>
#include <QToolButton>

#include "app/core/RunConversionTable.h"
#include "nc/machine/CNcReplaceInfo.h"
#include "platform/TextCodec.h"
#include "settings/SettingsIcons.h"

namespace {

// The buttons' ids in position order, top to bottom.
constexpr int kButtons[10] = {1139, 1140, 1141, 1142, 1143, 1144, 1146, 1148, 1145, 1147};

QIcon PageIcon(int enabled, int disabled) {
    QIcon icon;
    icon.addPixmap(SettingsIcon(enabled).pixmap(24, 24), QIcon::Normal);
    icon.addPixmap(SettingsIcon(disabled).pixmap(24, 24), QIcon::Disabled);
    return icon;
}

}  // namespace

CExecReplaceDlg::CExecReplaceDlg(SettingsContext& ctx, QWidget* parent)
    : CSettingsDialog(9913, ctx, parent) {
    for (int k = 0; k < 10; ++k) {
        buttons_[size_t(k)] = Ctl<QPushButton>(kButtons[k]);
        buttons_[size_t(k)]->setAutoDefault(false);
        connect(buttons_[size_t(k)], &QPushButton::clicked, this, [this, k] { OnTable(k); });
    }
    previous_ = Ctl<QToolButton>(1151);
    next_ = Ctl<QToolButton>(1150);
    previous_->setIcon(PageIcon(188, 189));
    next_->setIcon(PageIcon(190, 191));
    connect(previous_, &QToolButton::clicked, this, &CExecReplaceDlg::OnPrevPage);
    connect(next_, &QToolButton::clicked, this, &CExecReplaceDlg::OnNextPage);
}

CExecReplaceDlg::~CExecReplaceDlg() = default;

bool CExecReplaceDlg::OnInitDialog() {
    if (ctx_.Nc) {
        tables_ = std::make_unique<CNcReplaceInfo>(*ctx_.Nc);
        tables_->ListTables();
    }
    offset_ = 0;
    RefreshButtons();
    return true;
}

int CExecReplaceDlg::TableCount() const {
    return tables_ ? int(tables_->TableNames.size()) : 0;
}

void CExecReplaceDlg::RefreshButtons() {
    const int n = TableCount();
    for (int k = 0; k < 10; ++k) {
        QPushButton* b = buttons_[size_t(k)];
        const int i = offset_ + k;
        if (i < n) {
            b->setEnabled(true);
            b->setText(QString::fromStdString(tables_->TableNames[size_t(i)]));
            const std::string comment =
                size_t(i) < tables_->TableComments.size() ? tables_->TableComments[size_t(i)] : "";
            b->setToolTip(QString::fromStdString(platform::Cp932ToUtf8(comment)));
        } else {
            b->setEnabled(false);
            b->setText(QString());
            b->setToolTip(QString());
        }
    }
    previous_->setEnabled(offset_ != 0);
    // Only when a next page has a table (the test p + 9 <= n led to an empty page for 9, 10,
    // 19, 20 ... tables).
    next_->setEnabled(offset_ + 10 < n);
    if (!previous_->isEnabled() || !next_->isEnabled()) buttons_[0]->setFocus(Qt::OtherFocusReason);
}

void CExecReplaceDlg::OnNextPage() {
    offset_ += 10;
    RefreshButtons();
}

void CExecReplaceDlg::OnPrevPage() {
    offset_ = std::max(0, offset_ - 10);
    RefreshButtons();
}

void CExecReplaceDlg::OnTable(int position) {
    const int index = offset_ + position;
    accept();
    ExecReplace(index);
}

int CExecReplaceDlg::ExecReplace(int index) {
    if (!ctx_.Nc || !ctx_.Document || index < 0 || index >= TableCount()) return 0;
    return RunConversionTable(*ctx_.Document, tables_->TableNames[size_t(index)], *ctx_.Nc,
                              ctx_.UpdateViews);
}
