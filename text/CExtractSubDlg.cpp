// CExtractSubDlg: the save dialog of the sub-program extraction.
#include "text/CExtractSubDlg.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "text/FileFilter.h"
#include "text/core/NcOpsText.h"
#include "text/core/SubProgramExtract.h"

namespace {

QString Label(unsigned id) {
    return QString::fromStdString(OpsText(id));
}

}  // namespace

CExtractSubDlg::CExtractSubDlg(int* programNumber, const QString& title, const QString& initialPath,
                               const QString& filter, QWidget* parent)
    : QDialog(parent), programNumber_(programNumber), filter_(filter) {
    setObjectName("id160");
    setWindowTitle(title);
    auto* grid = new QGridLayout(this);
    file_ = new QLineEdit(initialPath, this);
    file_->setObjectName("FileName");
    file_->setMinimumWidth(360);
    auto* browse = new QPushButton(Label(29527), this);
    browse->setObjectName("Browse");
    browse->setAutoDefault(false);
    number_ = new QLineEdit(this);
    number_->setObjectName("id1092");
    grid->addWidget(new QLabel(Label(29526), this), 0, 0);
    grid->addWidget(file_, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(new QLabel(Label(29525), this), 1, 0);
    grid->addWidget(number_, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    grid->addWidget(buttons, 2, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExtractSubDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &CExtractSubDlg::Browse);
    connect(number_, &QLineEdit::editingFinished, this, &CExtractSubDlg::TakeNumber);
    number_->setText(
        QStringLiteral("%1").arg(programNumber_ ? *programNumber_ : 1, 4, 10, QLatin1Char('0')));
}

QString CExtractSubDlg::FilePath() const {
    return file_->text().trimmed();
}

void CExtractSubDlg::TakeNumber() {
    const int n = ClampProgramNumber(number_->text().toStdString());
    if (programNumber_) *programNumber_ = n;
    number_->setText(QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')));
}

void CExtractSubDlg::accept() {
    TakeNumber();
    if (FilePath().isEmpty()) {
        file_->setFocus();
        return;
    }
    QDialog::accept();
}

void CExtractSubDlg::Browse() {
    QFileDialog dialog(this, windowTitle(), FilePath(), ConvertFileFilter(filter_));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QFileInfo initial(FilePath());
    dialog.setDirectory(initial.absolutePath());
    dialog.selectFile(initial.fileName());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        file_->setText(dialog.selectedFiles().front());
}
