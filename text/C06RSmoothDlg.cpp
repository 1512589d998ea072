// The five-axis smoothing's dialogs.
#include "text/C06RSmoothDlg.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "text/core/NcOpsText.h"

namespace {

QString Label(unsigned id) {
    return QString::fromStdString(OpsText(id));
}

QPushButton* Button(QWidget* parent, int id, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QStringLiteral("id%1").arg(id));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* EditControl(QWidget* parent, int id) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QStringLiteral("id%1").arg(id));
    return e;
}

}  // namespace

// --- the smoothing dialog ------------------------------------------------------------------------

C06RSmoothDlg::C06RSmoothDlg(SmoothDlgContext context, QWidget* parent)
    : QDialog(parent), Params(context.Params), ctx_(std::move(context)) {
    setObjectName("id9916");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(Label(29542));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    start_ = EditControl(this, 1169);
    end_ = EditControl(this, 1170);
    QPushButton* pickStart = Button(this, 1187, QStringLiteral("..."));
    QPushButton* pickEnd = Button(this, 1188, QStringLiteral("..."));
    grid->addWidget(new QLabel(Label(29543), this), 0, 0);
    grid->addWidget(start_, 0, 1);
    grid->addWidget(pickStart, 0, 2);
    grid->addWidget(new QLabel(Label(29544), this), 1, 0);
    grid->addWidget(end_, 1, 1);
    grid->addWidget(pickEnd, 1, 2);
    layout->addLayout(grid);
    info_ = new QLabel(this);
    info_->setObjectName("id1189");
    layout->addWidget(info_);
    auto* buttons = new QHBoxLayout;
    auto* settings = new QToolButton(this);
    settings->setObjectName("id40009");
    settings->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    settings->setToolTip(Label(29560));
    QPushButton* execute = Button(this, 1, Label(29545));
    QPushButton* close = Button(this, 2, Label(29524));
    buttons->addWidget(settings);
    buttons->addStretch(1);
    buttons->addWidget(execute);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(pickStart, &QPushButton::clicked, this, [this] { Pick(1); });
    connect(pickEnd, &QPushButton::clicked, this, [this] { Pick(2); });
    connect(settings, &QToolButton::clicked, this, &C06RSmoothDlg::OpenSettings);
    connect(execute, &QPushButton::clicked, this, &C06RSmoothDlg::accept);
    connect(close, &QPushButton::clicked, this, &C06RSmoothDlg::OnClose);
    for (QLineEdit* e : {start_, end_})
        connect(e, &QLineEdit::editingFinished, this, [this] {
            TransferRange(false);
            if (ctx_.FitViews) ctx_.FitViews();
        });
    LoadSaveParams(0);
}

int C06RSmoothDlg::LoadSaveParams(int save) {
    if (!Params) return 0;
    if (save) return WriteSmoothParams(ctx_.MachineFile, *Params) ? 1 : 0;
    *Params = ReadSmoothParams(ctx_.MachineFile);
    return 1;
}

void C06RSmoothDlg::Create() {
    const int x = platform::GetProfileInt("06RSmoothDlg", "PositionX", -1, ctx_.IniPath);
    const int y = platform::GetProfileInt("06RSmoothDlg", "PositionY", -1, ctx_.IniPath);
    if (x != -1 && y != -1) move(x, y);
    show();
    TransferRange(true);
    Initialized = 1;
    if (ctx_.FitViews) ctx_.FitViews();
}

void C06RSmoothDlg::ClampRange() {
    int s = int(StartRow), e = int(EndRow);
    ::ClampRange(s, e, ctx_.LineCount ? ctx_.LineCount() : 0);
    StartRow = unsigned(s);
    EndRow = unsigned(e);
}

void C06RSmoothDlg::TransferRange(bool load) {
    if (load) {
        StartRow = Params ? unsigned(std::max(int(Params->StartRow), 0)) : 1;
        EndRow = Params ? unsigned(std::max(int(Params->EndRow), 0)) : 1;
    } else {
        // A text that is no number keeps what the field held.
        if (auto v = platform::ParseInt(start_->text().toStdString()); v && *v >= 0)
            StartRow = unsigned(std::min<long long>(*v, 1 << 30));
        if (auto v = platform::ParseInt(end_->text().toStdString()); v && *v >= 0)
            EndRow = unsigned(std::min<long long>(*v, 1 << 30));
    }
    StoreRange();
}

void C06RSmoothDlg::StoreRange() {
    ClampRange();
    if (Params) {
        Params->StartRow = int32_t(StartRow);
        Params->EndRow = int32_t(EndRow);
    }
    start_->setText(QString::number(StartRow));
    end_->setText(QString::number(EndRow));
}

void C06RSmoothDlg::ShowInfo() {
    info_->setText(InfoText);
}

void C06RSmoothDlg::Pick(int mode) {
    PickMode = mode;
    InfoText = Label(mode == 1 ? 20085 : 20086);
    ShowInfo();
    if (ctx_.FocusView) ctx_.FocusView();
}

int C06RSmoothDlg::SetPickedLine(int line) {
    if (PickMode == 0) return 0;
    if (PickMode == 1)
        StartRow = unsigned(std::max(line, 0));
    else
        EndRow = unsigned(std::max(line, 0));
    PickMode = 0;
    InfoText.clear();
    ShowInfo();
    StoreRange();
    if (ctx_.FitViews) ctx_.FitViews();
    return 1;
}

void C06RSmoothDlg::OpenSettings() {
    if (!Params) return;
    C06RSmoothSetDlg dlg(Params, this);
    dlg.OnInitDialog();
    if (ctx_.RunModal)
        ctx_.RunModal(dlg);
    else
        dlg.exec();
}

void C06RSmoothDlg::SavePosition() {
    platform::WriteProfileInt("06RSmoothDlg", "PositionX", pos().x(), ctx_.IniPath);
    platform::WriteProfileInt("06RSmoothDlg", "PositionY", pos().y(), ctx_.IniPath);
}

void C06RSmoothDlg::accept() {
    TransferRange(false);
    SavePosition();
    // The dialog stays: the frame closes it after a smoothing that succeeded.
    if (ctx_.ApplySmoothing) ctx_.ApplySmoothing(Params);
}

void C06RSmoothDlg::OnClose() {
    TransferRange(false);
    SavePosition();
    close();
}

void C06RSmoothDlg::reject() {
    close();
}

void C06RSmoothDlg::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!told_ && ctx_.Closed) {
        told_ = true;
        ctx_.Closed();
    }
}

// --- the settings dialog -------------------------------------------------------------------------

C06RSmoothSetDlg::C06RSmoothSetDlg(SmoothParams* params, QWidget* parent)
    : QDialog(parent), params_(params), copy_(params ? *params : SmoothParams{}) {
    setObjectName("id9917");
    setWindowTitle(Label(29546));
    auto* grid = new QGridLayout(this);
    const unsigned labels[12] = {29547, 29548, 29549, 29550, 29551, 29552,
                                 29553, 29554, 29555, 29556, 29557, 29558};
    const char* units[12] = {"mm",
                             "mm",
                             "deg",
                             "deg",
                             "deg",
                             "m/s2, Kdeg/s2",
                             "m/s2, Kdeg/s2",
                             "m/s2, Kdeg/s2",
                             "m/s2, Kdeg/s2",
                             "m/s2, Kdeg/s2",
                             "mm",
                             "mm"};
    for (int i = 0; i < 12; ++i) {
        tolerances_[size_t(i)] = EditControl(this, kToleranceIds[size_t(i)]);
        grid->addWidget(new QLabel(Label(labels[i]), this), i, 0);
        grid->addWidget(tolerances_[size_t(i)], i, 1);
        grid->addWidget(new QLabel(QString::fromLatin1(units[i]), this), i, 2);
        connect(tolerances_[size_t(i)], &QLineEdit::editingFinished, this,
                &C06RSmoothSetDlg::Validate);
    }
    digit_ = EditControl(this, kDigitId);
    grid->addWidget(new QLabel(Label(29559), this), 12, 0);
    grid->addWidget(digit_, 12, 1);
    connect(digit_, &QLineEdit::editingFinished, this, &C06RSmoothSetDlg::Validate);
    auto* buttons = new QHBoxLayout;
    QPushButton* ok = Button(this, 1, QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton* cancel = Button(this, 2, Label(29540));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 13, 0, 1, 3);
    connect(ok, &QPushButton::clicked, this, &C06RSmoothSetDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &C06RSmoothSetDlg::reject);
}

QLineEdit* C06RSmoothSetDlg::Edit(int id) const {
    if (id == kDigitId) return digit_;
    for (size_t i = 0; i < kToleranceIds.size(); ++i)
        if (kToleranceIds[i] == id) return tolerances_[i];
    return nullptr;
}

void C06RSmoothSetDlg::Show(const SmoothParams& p) {
    const std::array<double, 12> v = p.Tolerances();
    for (size_t i = 0; i < v.size(); ++i)
        tolerances_[i]->setText(QString::fromStdString(platform::FormatReal(v[i], 3)));
    digit_->setText(QString::number(p.Digit));
}

SmoothParams C06RSmoothSetDlg::Take() const {
    SmoothParams p = params_ ? *params_ : SmoothParams{};
    std::array<double, 12> v{};
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = platform::ParseLeadingReal(tolerances_[i]->text().toStdString());
    p.SetTolerances(v);
    p.Digit = int32_t(std::clamp<long long>(platform::ParseLeadingInt(digit_->text().toStdString()),
                                            -1000, 1000));
    return p;
}

void C06RSmoothSetDlg::OnInitDialog() {
    SmoothParams p = params_ ? *params_ : SmoothParams{};
    ValidateSmoothParams(p);
    Show(p);
}

void C06RSmoothSetDlg::Validate() {
    SmoothParams p = Take();
    ValidateSmoothParams(p);
    Show(p);
}

void C06RSmoothSetDlg::accept() {
    SmoothParams p = Take();
    ValidateSmoothParams(p);
    Show(p);
    if (params_) *params_ = p;
    QDialog::accept();
}

void C06RSmoothSetDlg::reject() {
    if (params_) *params_ = copy_;
    QDialog::reject();
}
