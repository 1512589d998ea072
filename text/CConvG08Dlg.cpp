// CConvG08Dlg: the parameters of the G12-to-G08 conversion.
#include "text/CConvG08Dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/Numbers.h"
#include "platform/TextCodec.h"
#include "text/core/NcOpsText.h"

namespace {

QString Label(unsigned id) {
    return QString::fromStdString(OpsText(id));
}

}  // namespace

CConvG08Dlg::CConvG08Dlg(std::filesystem::path ini, int lineCount, ConvG08Params* params,
                         QWidget* parent)
    : QDialog(parent), ini_(std::move(ini)), lineCount_(std::max(lineCount, 1)), params_(params) {
    setObjectName("id9914");
    setWindowTitle(Label(29530));
    auto* layout = new QVBoxLayout(this);
    auto edit = [this](int id) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("id%1").arg(id));
        edits_[id] = e;
        return e;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Label(29531), this), 0, 0);
    grid->addWidget(edit(1154), 0, 1);
    grid->addWidget(new QLabel(Label(29532), this), 1, 0);
    grid->addWidget(edit(1165), 1, 1);
    grid->addWidget(new QLabel(Label(29533), this), 1, 2);
    grid->addWidget(new QLabel(Label(29534), this), 2, 0);
    grid->addWidget(edit(1164), 2, 1);
    layout->addLayout(grid);

    specifyRow_ = new QCheckBox(Label(29535), this);
    specifyRow_->setObjectName("id1167");
    layout->addWidget(specifyRow_);
    auto* rows = new QGridLayout;
    const struct {
        int label, edit, spin;
        unsigned text;
        bool end;
    } rowDefs[2] = {{1166, 1169, 1129, 29536, false}, {1168, 1170, 1128, 29537, true}};
    for (int r = 0; r < 2; ++r) {
        auto* label = new QLabel(Label(rowDefs[r].text), this);
        label->setObjectName(QStringLiteral("id%1").arg(rowDefs[r].label));
        auto* spin = new QWidget(this);
        spin->setObjectName(QStringLiteral("id%1").arg(rowDefs[r].spin));
        auto* spinLayout = new QVBoxLayout(spin);
        spinLayout->setContentsMargins(0, 0, 0, 0);
        spinLayout->setSpacing(0);
        for (bool up : {true, false}) {
            auto* b = new QToolButton(spin);
            b->setObjectName(up ? "up" : "down");
            b->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
            b->setFixedSize(18, 11);
            spinLayout->addWidget(b);
            const bool end = rowDefs[r].end;
            connect(b, &QToolButton::clicked, this, [this, end, up] { StepRow(end, up); });
        }
        rows->addWidget(label, r, 0);
        rows->addWidget(edit(rowDefs[r].edit), r, 1);
        rows->addWidget(spin, r, 2);
        rowControls_[rowDefs[r].label] = label;
        rowControls_[rowDefs[r].edit] = edits_[rowDefs[r].edit];
        rowControls_[rowDefs[r].spin] = spin;
    }
    layout->addLayout(rows);

    updateW_ = new QCheckBox(Label(29538), this);
    updateW_->setObjectName("id1155");
    layout->addWidget(updateW_);
    auto* classes = new QGridLayout;
    const int classIds[3][3] = {{1156, 1157, 1158}, {1159, 1160, 1161}, {1162, 0, 1163}};
    for (int c = 0; c < 3; ++c) {
        QLineEdit* lower = edit(classIds[c][0]);
        lower->setReadOnly(true);
        classes->addWidget(lower, c, 0);
        classes->addWidget(new QLabel(QStringLiteral("-"), this), c, 1);
        if (classIds[c][1]) classes->addWidget(edit(classIds[c][1]), c, 2);
        classes->addWidget(new QLabel(QStringLiteral("W"), this), c, 3);
        classes->addWidget(edit(classIds[c][2]), c, 4);
        for (int id : classIds[c])
            if (id) classControls_[id] = edits_[id];
    }
    layout->addLayout(classes);

    auto* buttons = new QHBoxLayout;
    auto* convert = new QPushButton(Label(29539), this);
    convert->setObjectName("id1");
    convert->setDefault(true);
    auto* cancel = new QPushButton(Label(29540), this);
    cancel->setObjectName("id2");
    cancel->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(convert);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(convert, &QPushButton::clicked, this, &CConvG08Dlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(specifyRow_, &QCheckBox::toggled, this, &CConvG08Dlg::EnableDependents);
    connect(updateW_, &QCheckBox::toggled, this, &CConvG08Dlg::EnableDependents);
    for (int id : {1154, 1157, 1158, 1160, 1161, 1164, 1165, 1169, 1170})
        connect(edits_[id], &QLineEdit::editingFinished, this, &CConvG08Dlg::Revalidate);
}

QLineEdit* CConvG08Dlg::Edit(int id) const {
    auto it = edits_.find(id);
    return it == edits_.end() ? nullptr : it->second;
}

void CConvG08Dlg::OnInitDialog() {
    Texts = ConvG08Texts::Load(ini_, lineCount_);
    Texts.StartRow = platform::FormatInt(params_ ? params_->StartRow : 1);
    Texts.EndRow = platform::FormatInt(params_ ? params_->EndRow : lineCount_);
    Texts.Validate(lineCount_);
    Show();
}

void CConvG08Dlg::Show() {
    const std::pair<int, const std::string*> fields[] = {
        {1154, &Texts.ConvertDia}, {1165, &Texts.ApproachLen}, {1164, &Texts.DecimalDigit},
        {1169, &Texts.StartRow},   {1170, &Texts.EndRow},      {1156, &Texts.Lower1},
        {1157, &Texts.WDia1},      {1158, &Texts.WNo1},        {1159, &Texts.Lower2},
        {1160, &Texts.WDia2},      {1161, &Texts.WNo2},        {1162, &Texts.Lower3},
        {1163, &Texts.WNo3},
    };
    for (auto [id, text] : fields) edits_[id]->setText(QString::fromStdString(*text));
    specifyRow_->setChecked(Texts.SpecifyRow != 0);
    updateW_->setChecked(Texts.UpdateWCheck != 0);
    EnableDependents();
}

void CConvG08Dlg::Take() {
    auto text = [this](int id) { return edits_[id]->text().toStdString(); };
    Texts.ConvertDia = text(1154);
    Texts.ApproachLen = text(1165);
    Texts.DecimalDigit = text(1164);
    Texts.StartRow = text(1169);
    Texts.EndRow = text(1170);
    Texts.WDia1 = text(1157);
    Texts.WNo1 = text(1158);
    Texts.WDia2 = text(1160);
    Texts.WNo2 = text(1161);
    Texts.WNo3 = text(1163);
    Texts.SpecifyRow = specifyRow_->isChecked() ? 1 : 0;
    Texts.UpdateWCheck = updateW_->isChecked() ? 1 : 0;
}

void CConvG08Dlg::Revalidate() {
    Take();
    Texts.Validate(lineCount_);
    Show();
}

void CConvG08Dlg::EnableDependents() {
    for (auto& [id, w] : rowControls_) w->setEnabled(specifyRow_->isChecked());
    for (auto& [id, w] : classControls_) w->setEnabled(updateW_->isChecked());
}

void CConvG08Dlg::StepRow(bool endRow, bool up) {
    QLineEdit* e = edits_[endRow ? 1170 : 1169];
    long long row = platform::ParseLeadingInt(e->text().toStdString());
    if (up && row < lineCount_) ++row;
    if (!up && row > 1) --row;
    e->setText(QString::number(row));
}

void CConvG08Dlg::accept() {
    Revalidate();
    Texts.Save(ini_);
    if (params_) *params_ = Texts.Params();
    QDialog::accept();
}
