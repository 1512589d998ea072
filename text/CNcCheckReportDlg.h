// CNcCheckReportDlg: the report of Check NC (template 158, edit control 1091).
#pragma once

#include <QDialog>
#include <string>

class QPlainTextEdit;

class CNcCheckReportDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNcCheckReportDlg(QWidget* parent = nullptr);

    // The report as CP932 bytes (lines ended by CR LF); the edit shows it decoded.
    void SetReportText(std::string report);
    const std::string& ReportText() const { return report_; }

    QPlainTextEdit* Edit() const { return edit_; }

private:
    std::string report_;
    QPlainTextEdit* edit_ = nullptr;
};
