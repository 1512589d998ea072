// CAxisRotateDlg: the modeless "XYZ Axes rotate" dialog (template 146): the rotation angles of
// the active element view about X, Y and Z, applied as typed or with Apply, and whether mouse
// drags in the element views rotate.
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>
#include <functional>

#include "kernel/base/CxyzData.h"

class QCheckBox;
class QPushButton;
class QSpinBox;

// What the dialog reaches of the frame. Unset functions do nothing.
struct AxisRotateContext {
    // The active element view's rotation angles; false when the active pane is not an element
    // view.
    std::function<bool(CxyzData* angles)> ActiveAngles;
    // SetRotationAngles on the active element view (mask 1 X, 2 Y, 4 Z); false when the active
    // pane is not an element view.
    std::function<bool(const CxyzData& angles, int mask)> SetActiveAngles;
    // The frame's OnAxisRotateDlgClosed with the dialog's angles, called once when the window
    // goes (OK, the close box, the frame's command), while the dialog still exists.
    std::function<void(const std::array<int, 3>& angles)> Closed;
    // [AxisRotateDlg] of the system settings file.
    std::filesystem::path IniPath;
};

class CAxisRotateDlg : public QDialog {
    Q_OBJECT
public:
    // Reads [AxisRotateDlg] RealTimeUpdate and MouseOperation and the active view's angles; the
    // window is shown by Create. The dialog deletes itself after its window has closed.
    explicit CAxisRotateDlg(AxisRotateContext context, QWidget* parent = nullptr);

    // Shows the dialog, at its stored place when PositionX and PositionY are both not -1 and
    // the place lies on a screen. Returns 1.
    int Create();
    // The fields take the active view's angles (truncated toward zero). Returns 1.
    int SyncFromView();

    int AngleX = 0;
    int AngleY = 0;
    int AngleZ = 0;
    int RealTimeUpdate = 1;
    int MouseOperation = 1;

    // OK: the fields are read, RealTimeUpdate, MouseOperation and the window position written,
    // the window closed.
    void OnOK();
    // Apply: all three angles to the active view (mask 7), then each wrapped into -360..360.
    void OnApply();

    static constexpr int kIdX = 1025, kIdY = 1028, kIdZ = 1031;
    static constexpr int kIdMouse = 1033, kIdRealTime = 1030, kIdApply = 32855;

protected:
    // The close box, Escape and the frame's command close the window without writing settings.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // The change of one field (0 X, 1 Y, 2 Z).
    void OnAngleChanged(int axis);
    // Angles of 360 or more lose 360, of -360 or less gain 360; the field is shown again.
    void Wrap(int axis);
    void ReadFields();
    int& Angle(int axis) { return axis == 0 ? AngleX : axis == 1 ? AngleY : AngleZ; }

    AxisRotateContext ctx_;
    std::array<QSpinBox*, 3> fields_{};
    QCheckBox* mouse_ = nullptr;
    QCheckBox* realTime_ = nullptr;
    QPushButton* apply_ = nullptr;
    bool initialised_ = false;
    bool told_ = false;
};
