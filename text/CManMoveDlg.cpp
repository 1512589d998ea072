// CManMoveDlg: the modeless manual-movement dialog.
#include "text/CManMoveDlg.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "text/core/NcOpsText.h"

namespace {

// "%7.3lf" in C notation, always apart from its axis letter: a total as wide as the field or
// wider ("130.000", "-10.000") gets a blank of its own.
QString Total(double v) {
    const QString text = QString::fromStdString(platform::FormatReal(v, 3)).rightJustified(7);
    return text.startsWith(' ') ? text : ' ' + text;
}

QPushButton* Button(QWidget* parent, int id, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QStringLiteral("id%1").arg(id));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

CManMoveDlg::CManMoveDlg(ManMoveContext context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)) {
    setObjectName("id9918");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QString::fromStdString(OpsText(29520)));
    PositionFormat = QString::fromStdString(OpsText(20090)) + "X%1  Y%2  Z%3";
    RotationFormat = QStringLiteral("C%1  A%2");

    auto* layout = new QVBoxLayout(this);
    auto* axes = new QGridLayout;
    const char* letters = "XYZCA";
    for (int a = 0; a < 5; ++a) {
        QPushButton* minus = Button(this, 1190 + 2 * a, QStringLiteral("%1 -").arg(letters[a]));
        QPushButton* plus = Button(this, 1191 + 2 * a, QStringLiteral("%1 +").arg(letters[a]));
        axes->addWidget(minus, a, 0);
        axes->addWidget(plus, a, 1);
        connect(minus, &QPushButton::clicked, this, [this, a] { MoveAxis(-(a + 1)); });
        connect(plus, &QPushButton::clicked, this, [this, a] { MoveAxis(a + 1); });
    }
    auto* group = new QGroupBox(QString::fromStdString(OpsText(29521)), this);
    auto* groupLayout = new QVBoxLayout(group);
    steps_ = new QButtonGroup(this);
    const int ids[5] = {1200, 1201, 1202, 1203, 1208};
    const char* texts[5] = {"0.001", "0.01", "0.1", "1", "10"};
    for (int i = 0; i < 5; ++i) {
        auto* r = new QRadioButton(texts[i], group);
        r->setObjectName(QStringLiteral("id%1").arg(ids[i]));
        steps_->addButton(r, i);
        groupLayout->addWidget(r);
    }
    auto* top = new QHBoxLayout;
    top->addLayout(axes);
    top->addWidget(group);
    layout->addLayout(top);

    position_ = new QLabel(this);
    position_->setObjectName("id1205");
    rotation_ = new QLabel(this);
    rotation_->setObjectName("id1206");
    QFont fixed = position_->font();
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFamily(QStringLiteral("monospace"));
    position_->setFont(fixed);
    rotation_->setFont(fixed);
    layout->addWidget(position_);
    layout->addWidget(rotation_);

    auto* buttons = new QHBoxLayout;
    QPushButton* prev = Button(this, 1204, QString::fromStdString(OpsText(29522)));
    QPushButton* next = Button(this, 1207, QString::fromStdString(OpsText(29523)));
    QPushButton* close = Button(this, 2, QString::fromStdString(OpsText(29524)));
    buttons->addWidget(prev);
    buttons->addWidget(next);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(prev, &QPushButton::clicked, this, [this] { ToPrev(); });
    connect(next, &QPushButton::clicked, this, [this] { ToNext(); });
    connect(close, &QPushButton::clicked, this, &CManMoveDlg::OnClose);

    MoveValProfile(0);
    if (QAbstractButton* b = steps_->button(StepIndex)) b->setChecked(true);
    ShowPosition();
}

void CManMoveDlg::Create() {
    const int x = platform::GetProfileInt("ManMoveDlg", "PositionX", -1, ctx_.IniPath);
    const int y = platform::GetProfileInt("ManMoveDlg", "PositionY", -1, ctx_.IniPath);
    if (x != -1 && y != -1) move(x, y);
    show();
    ShowPosition();
    CurrentLine = ctx_.SelectedRow ? ctx_.SelectedRow() : -1;
}

int CManMoveDlg::MoveValProfile(int save) {
    if (save) {
        return platform::WriteProfileInt("Manual_Move", "MoveVal", StepIndex, ctx_.MachineFile) ? 1
                                                                                                : 0;
    }
    StepIndex = platform::GetProfileInt("Manual_Move", "MoveVal", 0, ctx_.MachineFile);
    // A stored value that names no step would leave the buttons without one.
    if (StepIndex < 0 || StepIndex > 4) StepIndex = 0;
    return 1;
}

int CManMoveDlg::SetCurrentLine(int row) {
    if (row != CurrentLine) {
        CurrentLine = row;
        Moved.fill(0.0);
        ShowPosition();
    }
    return 1;
}

void CManMoveDlg::ShowPosition() {
    PositionText = PositionFormat.arg(Total(Moved[0]), Total(Moved[1]), Total(Moved[2]));
    RotationText = RotationFormat.arg(Total(Moved[3]), Total(Moved[4]));
    position_->setText(PositionText);
    rotation_->setText(RotationText);
}

void CManMoveDlg::ReadStep() {
    const int checked = steps_->checkedId();
    if (checked >= 0) StepIndex = checked;
}

int CManMoveDlg::MoveAxis(int signedAxis) {
    ReadStep();
    if (CurrentLine == -1 || signedAxis == 0 || std::abs(signedAxis) > 5) return 0;
    const int axis = std::abs(signedAxis) - 1;
    const double step = kSteps[StepIndex >= 0 && StepIndex <= 4 ? StepIndex : 0];
    const double amount = signedAxis < 1 ? -step : step;
    if (!ctx_.ManualMove || ctx_.ManualMove(axis, CurrentLine, amount) == 0) return 0;
    Moved[size_t(axis)] += amount;
    ShowPosition();
    return 1;
}

int CManMoveDlg::Step(int delta) {
    const int row = CurrentLine + delta;
    if (!ctx_.SelectLine || ctx_.SelectLine(row) != 1) return 0;
    CurrentLine = row;
    Moved.fill(0.0);
    ShowPosition();
    return 1;
}

int CManMoveDlg::ToNext() {
    return Step(1);
}

int CManMoveDlg::ToPrev() {
    return Step(-1);
}

void CManMoveDlg::OnClose() {
    ReadStep();
    const QPoint at = pos();
    platform::WriteProfileInt("ManMoveDlg", "PositionX", at.x(), ctx_.IniPath);
    platform::WriteProfileInt("ManMoveDlg", "PositionY", at.y(), ctx_.IniPath);
    close();
}

void CManMoveDlg::reject() {
    close();
}

void CManMoveDlg::closeEvent(QCloseEvent* event) {
    ReadStep();
    event->accept();
    // The frame saves the step and forgets the dialog while it still exists; the window then
    // deletes itself.
    if (!told_ && ctx_.Closed) {
        told_ = true;
        ctx_.Closed();
    }
}
