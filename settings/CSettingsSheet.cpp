// CSettingsSheet: tabs, the remembered tab and the page checks shared by the settings sheets.
#include "settings/CSettingsSheet.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/StringTable.h"
#include "settings/CSettingsPage.h"
#include "settings/ModalRun.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsMessages.h"

CSettingsSheet::CSettingsSheet(SettingsContext& ctx, unsigned caption, std::string section,
                               QWidget* parent)
    : QDialog(parent), ctx_(ctx), section_(std::move(section)) {
    setWindowTitle(QString::fromStdString(platform::LoadString(caption)));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    tabs_ = new QTabWidget(this);
}

int CSettingsSheet::Run() {
    return RunModal(*this);
}

void CSettingsSheet::AddPage(CSettingsPage* page) {
    tabPages_.push_back(page);
    tabs_->addTab(page, page->windowTitle());
}

void CSettingsSheet::Finish(const std::vector<QWidget*>& leftButtons, int fallback) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("id1"));
    box->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("id2"));
    if (ctx_.Help) {
        box->addButton(QDialogButtonBox::Help)->setObjectName(QStringLiteral("id9"));
        connect(box, &QDialogButtonBox::helpRequested, this, [this] { ctx_.Help(); });
    }
    connect(box, &QDialogButtonBox::accepted, this, &CSettingsSheet::accept);
    connect(box, &QDialogButtonBox::rejected, this, &CSettingsSheet::reject);
    auto* row = new QHBoxLayout;
    for (QWidget* w : leftButtons) row->addWidget(w);
    row->addStretch(1);
    row->addWidget(box);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(row);

    // The sheet starts on its first tab, then moves to the remembered one; set-up never writes
    // the key.
    OnTabShown(0);
    const int count = tabs_->count();
    const int active = ProfileEdit(ctx_.IniPath()).Int(section_, "ActivePage", 0);
    const int index = active >= 0 && active < count ? active : fallback < 0 ? count - 1 : fallback;
    ShowTab(index);
    OnTabShown(current_);
    connect(tabs_, &QTabWidget::currentChanged, this, &CSettingsSheet::OnTabChanged);
}

bool CSettingsSheet::PageTakesPart(int) const {
    return true;
}

void CSettingsSheet::ShowTab(int index) {
    const bool blocked = tabs_->blockSignals(true);
    tabs_->setCurrentIndex(index);
    tabs_->blockSignals(blocked);
    current_ = tabs_->currentIndex();
}

void CSettingsSheet::WriteActivePage(int index) {
    ProfileEdit ini(ctx_.IniPath());
    ini.SetInt(section_, "ActivePage", index);
    ini.Save();
}

void CSettingsSheet::OnTabChanged(int index) {
    if (index == current_) return;
    // The page being left must hold takeable values; otherwise the change is taken back.
    CSettingsPage* left =
        current_ >= 0 && current_ < int(tabPages_.size()) ? tabPages_[size_t(current_)] : nullptr;
    if (left && !left->TakeControls(nullptr)) {
        ShowTab(current_);
        // The message and the focus come once the tab widget has finished its change, which
        // would otherwise take the focus back to the tab bar.
        QTimer::singleShot(0, left, [this, left] { left->TakeControls(ctx_.Prompt); });
        return;
    }
    current_ = index;
    OnTabShown(index);
    WriteActivePage(index);
}

void CSettingsSheet::ReportNotWritten(const std::filesystem::path& file) const {
    ctx_.MessageText(
        FillPlaceholders(platform::LoadString(kMsgSettingsNotWritten), {file.string()}),
        platform::PromptIcon::Warning);
}

bool CSettingsSheet::CheckPages() {
    std::vector<int> order;
    if (current_ >= 0 && current_ < int(tabPages_.size())) order.push_back(current_);
    for (int i = 0; i < int(tabPages_.size()); ++i)
        if (i != current_) order.push_back(i);
    for (int i : order) {
        if (!PageTakesPart(i)) continue;
        CSettingsPage* page = tabPages_[size_t(i)];
        if (page->TakeControls(nullptr)) continue;
        ShowTab(i);
        page->TakeControls(ctx_.Prompt);
        return false;
    }
    return true;
}
