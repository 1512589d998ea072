// CAxisRotateDlg: the modeless axis-rotation dialog.
#include "views/CAxisRotateDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "platform/Profile.h"
#include "platform/StringTable.h"

namespace {

constexpr char kSection[] = "AxisRotateDlg";

QString Text(unsigned id) {
    return QString::fromStdString(platform::LoadString(id));
}

template <class W>
W* Named(W* w, int id) {
    w->setObjectName(QStringLiteral("id%1").arg(id));
    return w;
}

// Truncated toward zero, as the field takes a view angle.
int Whole(double angle) {
    return std::isfinite(angle) && std::fabs(angle) < 1e9 ? static_cast<int>(angle) : 0;
}

}  // namespace

CAxisRotateDlg::CAxisRotateDlg(AxisRotateContext context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)) {
    setObjectName(QStringLiteral("id146"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(Text(29600));
    setMinimumWidth(260);  // room for the title

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const int ids[3] = {kIdX, kIdY, kIdZ};
    for (int axis = 0; axis < 3; ++axis) {
        auto* field = Named(new QSpinBox(this), ids[axis]);
        field->setRange(-360, 360);
        field->setKeyboardTracking(true);
        grid->addWidget(new QLabel(Text(29601 + unsigned(axis)), this), axis, 0);
        grid->addWidget(field, axis, 1);
        fields_[size_t(axis)] = field;
        connect(field, &QSpinBox::valueChanged, this, [this, axis] { OnAngleChanged(axis); });
    }
    layout->addLayout(grid);
    mouse_ = Named(new QCheckBox(Text(29604), this), kIdMouse);
    realTime_ = Named(new QCheckBox(Text(29605), this), kIdRealTime);
    layout->addWidget(mouse_);
    layout->addWidget(realTime_);
    auto* buttons = new QHBoxLayout;
    auto* ok = Named(new QPushButton(Text(29606), this), 1);
    apply_ = Named(new QPushButton(Text(29607), this), kIdApply);
    ok->setDefault(true);
    apply_->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(apply_);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CAxisRotateDlg::OnOK);
    connect(apply_, &QPushButton::clicked, this, &CAxisRotateDlg::OnApply);
    connect(realTime_, &QCheckBox::toggled, this, [this] {
        ReadFields();
        apply_->setEnabled(RealTimeUpdate == 0);
    });
    // The element views read the state while the dialog exists.
    connect(mouse_, &QCheckBox::toggled, this, [this] { ReadFields(); });

    RealTimeUpdate = platform::GetProfileInt(kSection, "RealTimeUpdate", 1, ctx_.IniPath);
    MouseOperation = platform::GetProfileInt(kSection, "MouseOperation", 1, ctx_.IniPath);
    {
        const QSignalBlocker b1(realTime_), b2(mouse_);
        realTime_->setChecked(RealTimeUpdate != 0);
        mouse_->setChecked(MouseOperation != 0);
    }
    apply_->setEnabled(RealTimeUpdate == 0);
    initialised_ = true;
    SyncFromView();
}

int CAxisRotateDlg::Create() {
    const int x = platform::GetProfileInt(kSection, "PositionX", -1, ctx_.IniPath);
    const int y = platform::GetProfileInt(kSection, "PositionY", -1, ctx_.IniPath);
    if (x != -1 && y != -1) {
        // A place left by another screen layout would put the dialog out of reach.
        const QRect at(QPoint(x, y), sizeHint());
        bool onScreen = false;
        for (const QScreen* screen : QGuiApplication::screens())
            onScreen = onScreen || screen->availableGeometry().intersects(at);
        if (onScreen) move(x, y);
    }
    show();
    return 1;
}

int CAxisRotateDlg::SyncFromView() {
    CxyzData angles;
    if (!ctx_.ActiveAngles || !ctx_.ActiveAngles(&angles)) return 1;
    AngleX = Whole(angles.x);
    AngleY = Whole(angles.y);
    AngleZ = Whole(angles.z);
    // The view already has these angles: showing them applies nothing.
    for (int axis = 0; axis < 3; ++axis) {
        const QSignalBlocker block(fields_[size_t(axis)]);
        fields_[size_t(axis)]->setValue(Angle(axis));
    }
    return 1;
}

void CAxisRotateDlg::ReadFields() {
    for (int axis = 0; axis < 3; ++axis) Angle(axis) = fields_[size_t(axis)]->value();
    RealTimeUpdate = realTime_->isChecked() ? 1 : 0;
    MouseOperation = mouse_->isChecked() ? 1 : 0;
}

void CAxisRotateDlg::Wrap(int axis) {
    int& angle = Angle(axis);
    if (angle >= 360)
        angle -= 360;
    else if (angle <= -360)
        angle += 360;
    else
        return;
    fields_[size_t(axis)]->setValue(angle);  // one more change, with the wrapped angle
}

void CAxisRotateDlg::OnAngleChanged(int axis) {
    // (A lone minus sign being typed never reaches here: the field has no value yet.)
    CxyzData probe;
    if (!initialised_ || !ctx_.ActiveAngles || !ctx_.ActiveAngles(&probe)) return;
    ReadFields();
    if (RealTimeUpdate && ctx_.SetActiveAngles)
        ctx_.SetActiveAngles(CxyzData(AngleX, AngleY, AngleZ), 1 << axis);
    Wrap(axis);
}

void CAxisRotateDlg::OnApply() {
    CxyzData probe;
    if (!ctx_.ActiveAngles || !ctx_.ActiveAngles(&probe)) return;
    ReadFields();
    if (ctx_.SetActiveAngles) ctx_.SetActiveAngles(CxyzData(AngleX, AngleY, AngleZ), 7);
    for (int axis = 0; axis < 3; ++axis) Wrap(axis);
}

void CAxisRotateDlg::OnOK() {
    ReadFields();
    platform::WriteProfileInt(kSection, "RealTimeUpdate", RealTimeUpdate, ctx_.IniPath);
    platform::WriteProfileInt(kSection, "MouseOperation", MouseOperation, ctx_.IniPath);
    const QPoint at = pos();
    platform::WriteProfileInt(kSection, "PositionX", at.x(), ctx_.IniPath);
    platform::WriteProfileInt(kSection, "PositionY", at.y(), ctx_.IniPath);
    close();
}

void CAxisRotateDlg::reject() {
    close();
}

void CAxisRotateDlg::closeEvent(QCloseEvent* event) {
    event->accept();
    // The frame takes the angles and forgets the dialog while it still exists; the window
    // then deletes itself once its handlers have returned.
    if (!told_) {
        told_ = true;
        ReadFields();
        if (ctx_.Closed) ctx_.Closed({AngleX, AngleY, AngleZ});
    }
}
