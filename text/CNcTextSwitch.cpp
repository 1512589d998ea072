// CNcTextSwitch: the Trace/Edit switch form.
#include "text/CNcTextSwitch.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>

#include "text/core/TextStrings.h"

CNcTextSwitch::CNcTextSwitch(QWidget* parent, std::function<void()> toggleEditMode)
    : QWidget(parent), toggle_(std::move(toggleEditMode)) {
    setObjectName("NcTextSwitch");
    setMinimumSize(0, 0);
    trace_ = new QPushButton(QString::fromStdString(TextLabel(TextLabelId::TraceButton)), this);
    edit_ = new QPushButton(QString::fromStdString(TextLabel(TextLabelId::EditButton)), this);
    trace_->setObjectName(QStringLiteral("id%1").arg(kIdTrace));
    edit_->setObjectName(QStringLiteral("id%1").arg(kIdEdit));
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    for (QPushButton* b : {trace_, edit_}) {
        b->setCheckable(true);
        b->setFocusPolicy(Qt::TabFocus);
        // 56 x 18 dialog units.
        b->setMinimumSize(84, 28);
    }
    group_->addButton(trace_, kIdTrace);
    group_->addButton(edit_, kIdEdit);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 6, 6, 6);
    row->addWidget(trace_);
    row->addWidget(edit_);
    row->addStretch();
    SetButtonsFromMode();
    connect(trace_, &QPushButton::clicked, this, &CNcTextSwitch::OnListMode);
    connect(edit_, &QPushButton::clicked, this, &CNcTextSwitch::OnEditMode);
}

void CNcTextSwitch::OnInitialUpdate(int processMode) {
    editAllowed_ = processMode != 11;
    edit_->setEnabled(editAllowed_ && trace_->isEnabled());
}

void CNcTextSwitch::EnableButtons(int enable) {
    trace_->setEnabled(enable != 0);
    edit_->setEnabled(enable != 0 && editAllowed_);
}

void CNcTextSwitch::SetButtonsFromMode() {
    (Mode == 1 ? edit_ : trace_)->setChecked(true);
}

void CNcTextSwitch::Toggle() {
    if (toggle_) toggle_();
}

void CNcTextSwitch::OnEditMode() {
    if (Switching) {
        SetButtonsFromMode();
        return;
    }
    // A click on the button of the pane already shown keeps that pane: it would otherwise
    // toggle away from the mode the user just chose.
    if (Mode == 1 || !edit_->isChecked()) {
        SetButtonsFromMode();
        return;
    }
    Mode = 1;
    Toggle();
    SetButtonsFromMode();
}

void CNcTextSwitch::OnListMode() {
    if (Switching) return;
    if (Mode == 0 || !trace_->isChecked()) {
        SetButtonsFromMode();
        return;
    }
    Mode = 0;
    Toggle();
    SetButtonsFromMode();
}
