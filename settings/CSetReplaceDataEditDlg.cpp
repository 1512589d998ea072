// One row of a conversion table: the texts cut at 256 bytes, the line numbers kept in 1..99999.
#include "settings/CSetReplaceDataEditDlg.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "nc/machine/ProfileText.h"
#include "platform/TextCodec.h"
#include "settings/CUpDown.h"
#include "settings/ReplaceTableRules.h"
#include "settings/SettingsMessages.h"

namespace {

// The texts a row keeps.
constexpr size_t kTextBytes = 256;
constexpr size_t kLongestText = 65536;

}  // namespace

CSetReplaceDataEditDlg::CSetReplaceDataEditDlg(SettingsContext& ctx, QWidget* parent)
    : CSettingsDialog(179, ctx, parent) {
    // Typing stops at 256 bytes; a longer text set in the edit is cut at OK, at a character
    // boundary.
    for (auto [id, text] : {std::pair{1134, &Find}, {1135, &Replace}}) {
        bindings_.Text(Ctl<QLineEdit>(id), text, kLongestText);
        LimitStoredText(Ctl<QLineEdit>(id), kTextBytes);
    }
    for (int id : {1136, 1137}) {
        QLineEdit* edit = Ctl<QLineEdit>(id);
        // Digits only, as the number edits of the template.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
        edit->installEventFilter(this);
    }
    connect(Ctl<CUpDown>(1129), &CUpDown::Stepped, this,
            [this](int delta) { Step(Ctl<QLineEdit>(1136), delta); });
    connect(Ctl<CUpDown>(1128), &CUpDown::Stepped, this,
            [this](int delta) { Step(Ctl<QLineEdit>(1137), delta); });
}

bool CSetReplaceDataEditDlg::OnInitDialog() {
    // A text longer than the row keeps arrives cut at a character boundary.
    Find = CutToBuffer(Find, kTextBytes);
    Replace = CutToBuffer(Replace, kTextBytes);
    CSettingsDialog::OnInitDialog();
    Ctl<QLineEdit>(1136)->setText(QString::fromStdString(NormalizeLineNumber(Start)));
    Ctl<QLineEdit>(1137)->setText(QString::fromStdString(NormalizeLineNumber(End)));
    return true;
}

void CSetReplaceDataEditDlg::Normalize(QLineEdit* edit) {
    edit->setText(QString::fromStdString(NormalizeLineNumber(edit->text().toStdString())));
}

void CSetReplaceDataEditDlg::Step(QLineEdit* edit, int delta) {
    edit->setText(QString::fromStdString(StepLineNumber(edit->text().toStdString(), delta)));
}

bool CSetReplaceDataEditDlg::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::FocusOut) Normalize(edit);
    if (edit && event->type() == QEvent::KeyPress) {
        // The arrow keys step the number as the up-down buttons do.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(edit, key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return CSettingsDialog::eventFilter(watched, event);
}

void CSetReplaceDataEditDlg::OnOK() {
    if (!bindings_.Take(ctx_.Prompt)) return;
    Find = CutToBuffer(Find, kTextBytes);
    Replace = CutToBuffer(Replace, kTextBytes);
    if (Find.empty()) {
        ctx_.Message(kMsgEnterFindTextRow, platform::PromptIcon::Warning);
        QLineEdit* find = Ctl<QLineEdit>(1134);
        find->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Enter in a number edit comes here without its focus-out: the numbers are normalised here
    // too, so no "0" or "123456" reaches the table.
    Normalize(Ctl<QLineEdit>(1136));
    Normalize(Ctl<QLineEdit>(1137));
    Start = Ctl<QLineEdit>(1136)->text().toStdString();
    End = Ctl<QLineEdit>(1137)->text().toStdString();
    accept();
}
