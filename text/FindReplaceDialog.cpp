// FindReplaceDialog: the find and replace dialog of the NC text views.
#include "text/FindReplaceDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "text/core/TextStrings.h"

namespace {

QString Label(TextLabelId id) {
    return QString::fromStdString(TextLabel(id));
}

template <class W>
W* WithId(W* w, int id) {
    w->setObjectName(QStringLiteral("id%1").arg(id));
    return w;
}

}  // namespace

FindReplaceDialog::FindReplaceDialog(QWidget* owner, bool replace, const FindDialogOptions& options)
    : QDialog(owner), replace_(replace) {
    setObjectName(replace ? "CCustomReplace" : "CCustomFind");
    setWindowTitle(Label(replace ? TextLabelId::ReplaceTitle : TextLabelId::FindTitle));
    setModal(false);

    auto* fields = new QGridLayout;
    find_ = WithId(new QLineEdit(options.FindText), 1152);
    auto* findLabel = new QLabel(Label(TextLabelId::FindWhat));
    findLabel->setBuddy(find_);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(find_, 0, 1);
    if (replace) {
        replaceEdit_ = WithId(new QLineEdit(options.ReplaceText), 1153);
        auto* replaceLabel = new QLabel(Label(TextLabelId::ReplaceWith));
        replaceLabel->setBuddy(replaceEdit_);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(replaceEdit_, 1, 1);
    }
    wholeWord_ = WithId(new QCheckBox(Label(TextLabelId::WholeWord)), 1040);
    wholeWord_->setVisible(!options.HideWholeWord);
    matchCase_ = WithId(new QCheckBox(Label(TextLabelId::MatchCase)), 1041);
    matchCase_->setChecked(options.MatchCase);

    auto* checks = new QVBoxLayout;
    checks->addWidget(wholeWord_);
    checks->addWidget(matchCase_);
    auto* options_row = new QHBoxLayout;
    options_row->addLayout(checks);
    up_ = WithId(new QRadioButton(Label(TextLabelId::Up)), 1056);
    down_ = WithId(new QRadioButton(Label(TextLabelId::Down)), 1057);
    (options.SearchDown ? down_ : up_)->setChecked(true);
    if (!replace) {
        direction_ = WithId(new QGroupBox(Label(TextLabelId::Direction)), 1072);
        auto* dir = new QHBoxLayout(direction_);
        dir->addWidget(up_);
        dir->addWidget(down_);
        options_row->addWidget(direction_);
    } else {
        up_->setParent(this);
        down_->setParent(this);
        up_->hide();
        down_->hide();
    }

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options_row);
    left->addStretch();

    auto* buttons = new QVBoxLayout;
    findNext_ = WithId(new QPushButton(Label(TextLabelId::FindNext)), 1);
    findNext_->setDefault(true);
    buttons->addWidget(findNext_);
    if (replace) {
        replaceButton_ = WithId(new QPushButton(Label(TextLabelId::Replace)), 1024);
        replaceAll_ = WithId(new QPushButton(Label(TextLabelId::ReplaceAll)), 1025);
        buttons->addWidget(replaceButton_);
        buttons->addWidget(replaceAll_);
        connect(replaceButton_, &QPushButton::clicked, this, &FindReplaceDialog::ClickReplace);
        connect(replaceAll_, &QPushButton::clicked, this, &FindReplaceDialog::ClickReplaceAll);
    }
    auto* cancel = WithId(new QPushButton(Label(TextLabelId::Cancel)), 2);
    buttons->addWidget(cancel);
    buttons->addStretch();
    connect(findNext_, &QPushButton::clicked, this, &FindReplaceDialog::ClickFindNext);
    connect(cancel, &QPushButton::clicked, this, &FindReplaceDialog::reject);
    connect(find_, &QLineEdit::textChanged, this, &FindReplaceDialog::UpdateButtons);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);
    UpdateButtons();
    find_->selectAll();
    find_->setFocus();
}

QString FindReplaceDialog::FindText() const {
    return find_->text();
}
QString FindReplaceDialog::ReplaceText() const {
    return replaceEdit_ ? replaceEdit_->text() : QString();
}
bool FindReplaceDialog::SearchDown() const {
    return down_->isChecked();
}
bool FindReplaceDialog::MatchCase() const {
    return matchCase_->isChecked();
}

void FindReplaceDialog::UpdateButtons() {
    // An empty find text finds nothing (and Replace All could not end): the buttons wait for it.
    const bool any = !find_->text().isEmpty();
    findNext_->setEnabled(any);
    if (replaceButton_) replaceButton_->setEnabled(any);
    if (replaceAll_) replaceAll_->setEnabled(any);
}

void FindReplaceDialog::ClickFindNext() {
    if (!find_->text().isEmpty()) emit findNext();
}
void FindReplaceDialog::ClickReplace() {
    if (!find_->text().isEmpty()) emit replaceCurrent();
}
void FindReplaceDialog::ClickReplaceAll() {
    if (!find_->text().isEmpty()) emit replaceAll();
}

void FindReplaceDialog::reject() {
    hide();
    if (!closed_) {
        closed_ = true;
        emit closing();
    }
}

void FindReplaceDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    reject();
}

void DismissFindDialog(FindReplaceDialog* dialog, QObject* receiver) {
    if (!dialog) return;
    dialog->disconnect(receiver);
    dialog->hide();
    dialog->deleteLater();
}
