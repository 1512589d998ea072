// CShiftCoordinateDlg: the Shift Coordinate dialog.
#include "text/CShiftCoordinateDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

#include "nc/machine/CNcReadInfo.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "platform/TextCodec.h"
#include "platform/UserPrompt.h"
#include "text/core/NcOpsText.h"

namespace {

constexpr const char* kSection = "ShiftCoord";
constexpr char kDefaultLetters[7] = {'X', 'Y', 'Z', 'C', 'A', 'U', 'B'};

QString Label(unsigned id) {
    return QString::fromStdString(OpsText(id));
}

std::string Key(const char* name, int k) {
    char digits[4] = {char('0' + k / 100), char('0' + k / 10 % 10), char('0' + k % 10), 0};
    return std::string(name) + digits;
}

std::optional<long long> LineNumber(const QLineEdit* edit) {
    return platform::ParseInt(edit->text().toStdString());
}

}  // namespace

CShiftCoordinateDlg::CShiftCoordinateDlg(std::filesystem::path machineFile, CNcReadInfo* machine,
                                         int appMachineType, platform::UserPrompt* prompt,
                                         QWidget* parent)
    : QDialog(parent),
      machineFile_(std::move(machineFile)),
      machine_(machine),
      appMachineType_(appMachineType),
      prompt_(prompt) {
    setObjectName("id157");
    setWindowTitle(Label(29503));
    auto* layout = new QVBoxLayout(this);

    auto* range = new QHBoxLayout;
    start_ = new QLineEdit(this);
    start_->setObjectName("id1067");
    end_ = new QLineEdit(this);
    end_->setObjectName("id1068");
    range->addWidget(new QLabel(Label(29504), this));
    range->addWidget(start_);
    range->addWidget(new QLabel(Label(29505), this));
    range->addWidget(end_);
    layout->addLayout(range);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Label(29506), this), 0, 0);
    grid->addWidget(new QLabel(Label(29507), this), 0, 1);
    for (int k = 0; k < 7; ++k) {
        axis_[size_t(k)] = new QLineEdit(this);
        axis_[size_t(k)]->setObjectName(QStringLiteral("id%1").arg(1069 + k));
        axis_[size_t(k)]->setMaxLength(1);
        axis_[size_t(k)]->setFixedWidth(32);
        offset_[size_t(k)] = new QLineEdit(this);
        offset_[size_t(k)]->setObjectName(QStringLiteral("id%1").arg(1076 + k));
        permit_[size_t(k)] = new QCheckBox(this);
        permit_[size_t(k)]->setObjectName(QStringLiteral("id%1").arg(1083 + k));
        grid->addWidget(axis_[size_t(k)], k + 1, 0);
        grid->addWidget(offset_[size_t(k)], k + 1, 1);
        grid->addWidget(permit_[size_t(k)], k + 1, 2);
    }
    layout->addLayout(grid);

    macro_ = new QCheckBox(Label(29508), this);
    macro_->setObjectName("id1090");
    g52_ = new QCheckBox(Label(29509), this);
    g52_->setObjectName("id1091");
    layout->addWidget(macro_);
    layout->addWidget(g52_);

    auto* buttons = new QHBoxLayout;
    auto* reverse = new QPushButton(Label(29510), this);
    reverse->setObjectName("id1172");
    reverse->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("id1");
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName("id2");
    cancel->setAutoDefault(false);
    buttons->addWidget(reverse);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(reverse, &QPushButton::clicked, this, &CShiftCoordinateDlg::OnReverse);
    connect(ok, &QPushButton::clicked, this, &CShiftCoordinateDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString CShiftCoordinateDlg::OffsetText(double value) {
    if (!std::isfinite(value) || std::fabs(value) < 0.001) return QStringLiteral("0.0");
    std::string text = platform::TrimTrailingZeros(platform::FormatReal(value, 3));
    if (!text.empty() && text.back() == '.') text.pop_back();
    return QString::fromStdString(text);
}

void CShiftCoordinateDlg::OnInitDialog() {
    platform::ProfileFile file;
    file.Load(machineFile_);
    if (appMachineType_ == 1) {
        macro_->hide();
        g52_->hide();
        MacroProc = 1;
        G52Proc = 1;
    } else {
        MacroProc = file.GetInt(kSection, "MacroProc", 0);
        G52Proc = file.GetInt(kSection, "G52Proc", 0);
    }
    if (StartLineNo <= 0 || EndLineNo <= 0) {
        StartLineNo = file.GetInt(kSection, "StartLineNo", -1);
        EndLineNo = file.GetInt(kSection, "EndLineNo", -1);
    }
    for (int k = 0; k < 7; ++k) {
        std::string letter =
            file.GetString(kSection, Key("Axis", k), std::string(1, kDefaultLetters[k]));
        if (letter.size() > 1) letter.resize(1);
        Axis[size_t(k)] = letter;
        Offset[size_t(k)] = file.GetReal(kSection, Key("Offset", k), 0.0);
        Permit[size_t(k)] = file.GetInt(kSection, Key("Permit", k), 0);
    }
    ShowFields();
}

void CShiftCoordinateDlg::ShowFields() {
    start_->setText(QString::number(StartLineNo));
    end_->setText(QString::number(EndLineNo));
    for (size_t k = 0; k < 7; ++k) {
        axis_[k]->setText(QString::fromStdString(platform::Cp932ToUtf8(Axis[k])));
        offset_[k]->setText(OffsetText(Offset[k]));
        permit_[k]->setChecked(Permit[k] != 0);
    }
    macro_->setChecked(MacroProc != 0);
    g52_->setChecked(G52Proc != 0);
}

void CShiftCoordinateDlg::Refuse(unsigned messageId, QWidget* field) {
    ShowOpsMessage(prompt_, messageId, platform::PromptIcon::Warning, platform::PromptButtons::Ok);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

bool CShiftCoordinateDlg::TakeFromControls() {
    for (size_t k = 0; k < 7; ++k) {
        const std::optional<double> v = platform::ParseReal(offset_[k]->text().toStdString());
        if (!v || !std::isfinite(*v)) {
            Refuse(29515, offset_[k]);
            return false;
        }
        Offset[k] = std::fabs(*v) < 0.001 ? 0.0 : *v;
        if (Offset[k] == 0.0) offset_[k]->setText(OffsetText(0.0));
        const std::string letter = platform::Utf8ToCp932(axis_[k]->text().toStdString()).bytes;
        if (letter.size() > 1) {
            Refuse(29514, axis_[k]);
            return false;
        }
        Axis[k] = letter;
        Permit[k] = permit_[k]->isChecked() ? 1 : 0;
    }
    MacroProc = macro_->isChecked() ? 1 : 0;
    G52Proc = g52_->isChecked() ? 1 : 0;
    return true;
}

void CShiftCoordinateDlg::OnReverse() {
    for (size_t k = 0; k < 7; ++k) {
        const std::optional<double> v = platform::ParseReal(offset_[k]->text().toStdString());
        if (v && std::fabs(*v) < 0.001) offset_[k]->setText(OffsetText(0.0));
    }
    if (!TakeFromControls()) return;
    for (double& v : Offset)
        if (std::fabs(v) >= 0.001) v = -v;
    for (size_t k = 0; k < 7; ++k) offset_[k]->setText(OffsetText(Offset[k]));
}

void CShiftCoordinateDlg::accept() {
    if (!TakeFromControls()) return;
    const std::optional<long long> start = LineNumber(start_);
    if (!start || *start < 1 || *start > 30000) return Refuse(29512, start_);
    const std::optional<long long> end = LineNumber(end_);
    if (!end || *end < 1 || *end > 30000) return Refuse(29512, end_);
    // A reversed range would change nothing or, read as "up to the end", far too much.
    if (*start > *end) return Refuse(29513, start_);
    StartLineNo = int(*start);
    EndLineNo = int(*end);
    WriteSettings();
    QDialog::accept();
}

void CShiftCoordinateDlg::WriteSettings() {
    platform::ProfileFile file;
    std::error_code ec;
    // A machine file that exists but cannot be read is never written.
    if (file.Load(machineFile_) || !std::filesystem::exists(machineFile_, ec)) {
        file.SetInt(kSection, "StartLineNo", StartLineNo);
        file.SetInt(kSection, "EndLineNo", EndLineNo);
        for (int k = 0; k < 7; ++k) {
            file.Set(kSection, Key("Axis", k), Axis[size_t(k)]);
            file.SetReal(kSection, Key("Offset", k), Offset[size_t(k)]);
            file.SetInt(kSection, Key("Permit", k), Permit[size_t(k)]);
        }
        file.SetInt(kSection, "MacroProc", MacroProc);
        file.SetInt(kSection, "G52Proc", G52Proc);
        file.Save(machineFile_);
    }
    if (!machine_) return;
    machine_->StartLineNo = StartLineNo;
    machine_->EndLineNo = EndLineNo;
    machine_->MacroProc = MacroProc;
    machine_->G52Proc = G52Proc;
    machine_->Permit = Permit;
    machine_->Axis = Axis;
    machine_->Offset = Offset;
}
