// CConvG08Dlg: "Convert G12 into G08" (template 9914): the conversion's parameters, checked
// and shown as the fields lose the focus, stored in [Convert_G08] on "Convert".
#pragma once

#include <QDialog>
#include <filesystem>
#include <map>

#include "text/core/ConvertG08.h"

class QCheckBox;
class QLineEdit;
class QToolButton;

class CConvG08Dlg : public QDialog {
    Q_OBJECT
public:
    // ini: the system settings file; lineCount: the document's lines (the range's limit);
    // params: the application's record, published on "Convert".
    CConvG08Dlg(std::filesystem::path ini, int lineCount, ConvG08Params* params,
                QWidget* parent = nullptr);

    ConvG08Texts Texts;

    // Reads the keys, starts the range at 1 to the line count, checks and shows.
    void OnInitDialog();
    // The controls read back, checked and shown again.
    void Revalidate();
    // The spin buttons of the start (1129) and end (1128) line: up adds 1 while below the line
    // count, down takes 1 while above 1.
    void StepRow(bool endRow, bool up);
    // "Convert": checked, stored, published, closed.
    void accept() override;

    QLineEdit* Edit(int id) const;

private:
    void Show();
    void Take();
    void EnableDependents();

    std::filesystem::path ini_;
    int lineCount_;
    ConvG08Params* params_;
    std::map<int, QLineEdit*> edits_;
    QCheckBox* specifyRow_ = nullptr;
    QCheckBox* updateW_ = nullptr;
    std::map<int, QWidget*> rowControls_;    // 1166, 1168, 1169, 1170 and the spins
    std::map<int, QWidget*> classControls_;  // 1156-1163
};
