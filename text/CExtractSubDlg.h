// CExtractSubDlg: the save dialog of the sub-program extraction: the file to write and the
// program number of its header ("changing O number", edit 1092 of template 160).
#pragma once

#include <QDialog>

class QLineEdit;

class CExtractSubDlg : public QDialog {
    Q_OBJECT
public:
    // programNumber is read and written through the pointer; initialPath is the proposed file
    // (its folder and name); filter the string table's NC file filter.
    CExtractSubDlg(int* programNumber, const QString& title, const QString& initialPath,
                   const QString& filter, QWidget* parent = nullptr);

    // The file chosen (as typed or browsed).
    QString FilePath() const;
    QLineEdit* FileEdit() const { return file_; }
    QLineEdit* NumberEdit() const { return number_; }

    // The number field read back and clamped to 1-9999, shown "%04d" (its focus leaves, OK).
    void TakeNumber();
    // OK: the number taken; a file name is needed.
    void accept() override;
    // The browse button: Qt's own save dialog, which never asks about replacing (the
    // extraction asks itself).
    void Browse();

private:
    int* programNumber_;
    QString filter_;
    QLineEdit* file_ = nullptr;
    QLineEdit* number_ = nullptr;
};
