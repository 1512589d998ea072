// CNcCheckReportDlg: the report of Check NC.
#include "text/CNcCheckReportDlg.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "platform/TextCodec.h"
#include "text/core/TextStrings.h"

CNcCheckReportDlg::CNcCheckReportDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("id158");
    setWindowTitle(QString::fromStdString(TextString(29502)));
    edit_ = new QPlainTextEdit(this);
    edit_->setObjectName("id1091");
    edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit_->setReadOnly(true);
    // The outside checker's table is aligned by character counts: a fixed-pitch face keeps it
    // aligned.
    edit_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    resize(560, 360);
}

void CNcCheckReportDlg::SetReportText(std::string report) {
    report_ = std::move(report);
    // The report's line ends are CR LF; the edit shows one line per LF.
    QString text = QString::fromStdString(platform::Cp932ToUtf8(report_));
    text.remove(QLatin1Char('\r'));
    edit_->setPlainText(text);
}
