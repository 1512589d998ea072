// Message boxes of the installer.
#include "installer/QtInstallerUi.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

#include "installer/SetupPage.h"
#include "installer/engine/InstallerText.h"
#include "installer/engine/MessageIds.h"

namespace installer {

namespace {

QMessageBox::Icon IconOf(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::Information:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

PromptAnswer Parse(const QString& word, PromptButtons buttons) {
    const QString w = word.trimmed().toLower();
    if (w == "yes") return PromptAnswer::Yes;
    if (w == "no") return PromptAnswer::No;
    if (w == "cancel") return PromptAnswer::Cancel;
    if (w == "retry") return PromptAnswer::Retry;
    if (w == "abort") return PromptAnswer::Abort;
    if (w == "ok") return PromptAnswer::Ok;
    return FirstAnswer(buttons);
}

}  // namespace

void QtInstallerUi::SetUnattended(const QStringList& answers) {
    unattended_ = true;
    answers_.assign(answers.begin(), answers.end());
}

PromptAnswer QtInstallerUi::Message(unsigned id, const std::vector<std::string>& args,
                                    PromptButtons buttons, PromptIcon icon, std::string_view lead) {
    const QString text = Q(InstallerMessage(id, args, lead));
    if (unattended_) {
        PromptAnswer a = FirstAnswer(buttons);
        if (!answers_.empty()) {
            a = Parse(answers_.front(), buttons);
            answers_.pop_front();
        }
        std::fprintf(stderr, "haldimon: message %u: %s\n", id, text.toUtf8().constData());
        return a;
    }
    QMessageBox box(IconOf(icon), Text(msg::kAppName), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    struct Choice {
        unsigned textId;
        PromptAnswer answer;
        QMessageBox::ButtonRole role;
    };
    std::vector<Choice> choices;
    switch (buttons) {
        case PromptButtons::YesNo:
            choices = {{msg::kYes, PromptAnswer::Yes, QMessageBox::YesRole},
                       {msg::kNo, PromptAnswer::No, QMessageBox::NoRole}};
            break;
        case PromptButtons::OkCancel:
            choices = {{msg::kOk, PromptAnswer::Ok, QMessageBox::AcceptRole},
                       {msg::kButtonCancel, PromptAnswer::Cancel, QMessageBox::RejectRole}};
            break;
        default:
            choices = {{msg::kOk, PromptAnswer::Ok, QMessageBox::AcceptRole}};
    }
    std::vector<QAbstractButton*> made;
    for (const Choice& c : choices) made.push_back(box.addButton(Text(c.textId), c.role));
    box.setDefaultButton(qobject_cast<QPushButton*>(made.front()));
    if (choices.size() > 1) box.setEscapeButton(made.back());
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i]) return choices[i].answer;
    return choices.back().answer;
}

bool QtInstallerUi::ConfirmStop(bool uninstall) {
    if (unattended_) {
        bool stop = true;
        if (!answers_.empty()) {
            stop = answers_.front().trimmed().toLower() != "retry";
            answers_.pop_front();
        }
        std::fprintf(stderr, "haldimon: stop question: %s\n", stop ? "abort" : "retry");
        return stop;
    }
    QMessageBox box(QMessageBox::Warning,
                    Text(uninstall ? msg::kStopUninstallTitle : msg::kStopSetupTitle),
                    Text(uninstall ? msg::kStopUninstallNotFinished : msg::kStopSetupNotFinished),
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.setInformativeText(Text(uninstall ? msg::kStopUninstallRetry : msg::kStopSetupRetry) +
                           "\n" + Text(msg::kStopAbort));
    QAbstractButton* retry = box.addButton(Text(msg::kRetry), QMessageBox::AcceptRole);
    QAbstractButton* abort = box.addButton(Text(msg::kAbort), QMessageBox::RejectRole);
    box.setDefaultButton(qobject_cast<QPushButton*>(retry));
    box.setEscapeButton(retry);
    box.exec();
    return box.clickedButton() == abort;
}

}  // namespace installer
