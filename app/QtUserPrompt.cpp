// The program's questions to the user: message boxes and Qt's own file dialogs.
#include "app/QtUserPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QSpacerItem>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/CLoadingDlg.h"
#include "app/FileDialogFit.h"
#include "platform/StringTable.h"

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

QString Qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The answer of an unattended run: the one that changes nothing.
PromptAnswer SafeAnswer(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::YesNo:
            return PromptAnswer::No;
        case PromptButtons::AbortRetryIgnore:
            return PromptAnswer::Abort;
        default:
            return PromptAnswer::Cancel;
    }
}

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

// Room a title bar takes besides the caption's text: the window's icon, its three buttons and
// the margins.
constexpr int kCaptionButtonsWidth = 150;
// A long caption is not worth a box across the screen.
constexpr int kCaptionRoomMax = 640;

int CaptionRoomWidth(const QWidget& box) {
    // The window manager draws the caption in a bold face beside its icon and three buttons;
    // Qt's own allowance for the caption (50 pixels) leaves a short message's caption cut.
    QFont bold = box.font();
    bold.setBold(true);
    return std::min(QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + kCaptionButtonsWidth,
                    kCaptionRoomMax);
}

void KeepCaptionWhole(QMessageBox& box) {
    // The box takes its width from its layout's minimum: a spacer across the last row sets it.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    grid->addItem(
        new QSpacerItem(CaptionRoomWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
        grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

QtUserPrompt::QtUserPrompt(QWidget* parent) : parent_(parent) {
    const char* v = std::getenv("MORVALEN_UNATTENDED");
    unattended_ = v && *v;
}

QWidget* QtUserPrompt::Parent() const {
    return parent_ ? parent_ : QApplication::activeWindow();
}

PromptAnswer QtUserPrompt::Message(std::string_view text, PromptIcon icon, PromptButtons buttons) {
    return MessageTitled({}, text, icon, buttons);
}

PromptAnswer QtUserPrompt::MessageTitled(std::string_view caption, std::string_view text,
                                         PromptIcon icon, PromptButtons buttons) {
    const std::string title = !caption.empty()                      ? std::string(caption)
                              : platform::LoadString(57344).empty() ? std::string("Morvalen")
                                                                    : platform::LoadString(57344);
    if (unattended_) {
        std::fprintf(stderr, "morvalen: %s: %.*s\n", title.c_str(), int(text.size()), text.data());
        std::fflush(stderr);
        return SafeAnswer(buttons);
    }
    LoadingWindowsAside aside;
    QMessageBox box(Parent());
    box.setWindowTitle(Qs(title));
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
    KeepCaptionWhole(box);
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
    if (unattended_) return std::nullopt;
    // Qt's own dialog: its filters match names ignoring case (A.NC against "*.nc").
    QFileDialog dialog(Parent(), Qs(title), Qs(initial), ConvertFileFilter(Qs(filter)));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::vector<std::string>> QtUserPrompt::AskFileNames(std::string_view title,
                                                                   std::string_view filter,
                                                                   std::string_view initial) {
    if (unattended_) return std::nullopt;
    QFileDialog dialog(Parent(), Qs(title), Qs(initial), ConvertFileFilter(Qs(filter)));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    std::vector<std::string> files;
    for (const QString& f : dialog.selectedFiles()) files.push_back(f.toStdString());
    return files;
}

std::optional<std::string> QtUserPrompt::AskFolder(std::string_view title,
                                                   std::string_view initial) {
    if (unattended_) return std::nullopt;
    QFileDialog dialog(Parent(), Qs(title), Qs(initial));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setFileMode(QFileDialog::Directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}
