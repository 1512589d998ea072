// CShiftCoordinateDlg: the Shift Coordinate dialog (template 157): the line range, seven rows
// of axis letter, offset and permit, the macro and G52 options, Reverse.
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>
#include <string>

class CNcReadInfo;
class QCheckBox;
class QLineEdit;
namespace platform {
class UserPrompt;
}

class CShiftCoordinateDlg : public QDialog {
    Q_OBJECT
public:
    // machineFile: the current machine file ([ShiftCoord] is read from and written to it);
    // machine: the application's machine settings, which OK updates; prompt: validation
    // messages; appMachineType 1 hides the two options and sets them.
    CShiftCoordinateDlg(std::filesystem::path machineFile, CNcReadInfo* machine, int appMachineType,
                        platform::UserPrompt* prompt, QWidget* parent = nullptr);

    // The fields (1-based lines; letters as CP932 bytes). The caller may set the two line
    // numbers before OnInitDialog; 0 or less reads both from the file.
    int StartLineNo = 0;
    int EndLineNo = 0;
    std::array<std::string, 7> Axis;
    std::array<double, 7> Offset{};
    std::array<int, 7> Permit{};
    int MacroProc = 0;
    int G52Proc = 0;

    // Reads the settings the fields do not yet hold and shows them.
    void OnInitDialog();
    // Button 1172: offsets of 0.001 or more change sign, smaller ones become "0.0".
    void OnReverse();
    // OK: validates (lines 1-30000, start not after end, letters of one character, offsets
    // numbers); on a failure says why and stays open. Then writes [ShiftCoord] and the
    // machine settings and closes.
    void accept() override;

    // Text of an offset field: "0.0" below 0.001 in magnitude.
    static QString OffsetText(double value);

private:
    bool TakeFromControls();
    void ShowFields();
    void Refuse(unsigned messageId, QWidget* field);
    void WriteSettings();

    std::filesystem::path machineFile_;
    CNcReadInfo* machine_ = nullptr;
    int appMachineType_ = 0;
    platform::UserPrompt* prompt_ = nullptr;
    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
    std::array<QLineEdit*, 7> axis_{};
    std::array<QLineEdit*, 7> offset_{};
    std::array<QCheckBox*, 7> permit_{};
    QCheckBox* macro_ = nullptr;
    QCheckBox* g52_ = nullptr;
};
