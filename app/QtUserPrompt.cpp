// The program's questions to the user: message boxes and Qt's own file dialogs.
#include "app/QtUserPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <vector>

#include "app/CLoadingDlg.h"
#include "platform/StringTable.h"

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

QString Qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

}  // namespace

namespace {

// A loading window stays on top of everything: while a message of the work it stands for
// waits for an answer, it steps aside so that the message can be read.
class LoadingWindowsAside {
public:
    LoadingWindowsAside() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dlg = qobject_cast<CLoadingDlg*>(w); dlg && dlg->isVisible()) {
                dlg->hide();
                hidden_.push_back(dlg);
            }
    }
    ~LoadingWindowsAside() {
        for (const QPointer<CLoadingDlg>& dlg : hidden_)
            if (dlg) dlg->show();
    }
    LoadingWindowsAside(const LoadingWindowsAside&) = delete;
    LoadingWindowsAside& operator=(const LoadingWindowsAside&) = delete;

private:
    std::vector<QPointer<CLoadingDlg>> hidden_;
};

}  // namespace

PromptAnswer QtUserPrompt::Message(std::string_view text, PromptIcon icon, PromptButtons buttons) {
    LoadingWindowsAside aside;
    QMessageBox box(parent_ ? parent_ : QApplication::activeWindow());
    box.setWindowTitle(Qs(platform::LoadString(57344).empty() ? std::string("Morvalen")
                                                              : platform::LoadString(57344)));
    box.setText(Qs(text));
    switch (icon) {
        case PromptIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case PromptIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case PromptIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case PromptIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case PromptIcon::None:
            break;
    }
    QMessageBox::StandardButtons set;
    switch (buttons) {
        case PromptButtons::Ok:
            set = QMessageBox::Ok;
            break;
        case PromptButtons::OkCancel:
            set = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case PromptButtons::YesNo:
            set = QMessageBox::Yes | QMessageBox::No;
            break;
        case PromptButtons::YesNoCancel:
            set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
        case PromptButtons::RetryCancel:
            set = QMessageBox::Retry | QMessageBox::Cancel;
            break;
        case PromptButtons::AbortRetryIgnore:
            set = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
            break;
    }
    box.setStandardButtons(set);
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Retry:
            return PromptAnswer::Retry;
        case QMessageBox::Abort:
            return PromptAnswer::Abort;
        case QMessageBox::Ignore:
            return PromptAnswer::Ignore;
        default:
            // Closing the box by its title bar answers what Escape would.
            if (buttons == PromptButtons::YesNo) return PromptAnswer::No;
            if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
            return PromptAnswer::Cancel;
    }
}

std::optional<std::string> QtUserPrompt::AskFileName(std::string_view title,
                                                     std::string_view filter,
                                                     std::string_view initial, bool save) {
    // Qt's own dialog: its filters match names ignoring case (A.NC against "*.nc").
    QFileDialog dialog(parent_ ? parent_ : QApplication::activeWindow(), Qs(title), Qs(initial),
                       ConvertFileFilter(Qs(filter)));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}
