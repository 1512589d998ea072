// The panes of the main frame as small interfaces, the factory that makes them and the
// placeholders used until the drawing and NC text views are in the program.
#pragma once

#include <QPlainTextEdit>
#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

class CDtbEngine;
struct CxyzData;
class CMainFrame;
class CTessmarkDoc;

// Position state handed from the outgoing NC pane to the incoming one at a pane swap.
struct PaneHandOver {
    int SelectedRow = 0;
    int TopRow = 0;
    std::array<int, 3> ColumnWidths{};
    int RowHeight = 0;
};

// The element view's part that the frame forwards to (one view, or four in the split view).
class IElemView {
public:
    virtual ~IElemView() = default;
    virtual QWidget* Widget() = 0;
    // View type 0 Top, 1 Front, 2 Left, 3 ISO, with the rotation angles in degrees.
    virtual void SetViewType(int type, int angleX, int angleY, int angleZ) = 0;
    virtual int ViewType() const = 0;
    virtual void CommitTraceStep() {}
    // 0 when no tip was shown.
    virtual int HideElemTip() { return 0; }
    virtual void FitAspect() { Widget()->update(); }
    virtual void ClearTrace() {}
    virtual void ZoomFit() {}
    virtual void ZoomIn() {}
    virtual void ZoomOut() {}
    virtual void ScrollUp() {}
    virtual void ScrollDown() {}
    virtual void ScrollLeft() {}
    virtual void ScrollRight() {}
    virtual void HighlightLine(int /*lineNo*/) {}
    virtual void BuildDangerZones(int /*toolNo*/) {}
    virtual void SetSkipLogRoute(CDtbEngine* /*route*/) {}
    virtual void MoveTorchMark(int /*stepKind*/, const CxyzData* /*pos*/, int /*moveKind*/) {}
    virtual void DrawTraceStep(CDtbEngine* /*step*/) {}
    virtual void SetToolLayer(CDtbEngine* /*tool*/, int /*unused*/) {}
    virtual void MoveSheet(const double /*offset*/[3]) {}
    virtual void RebuildMainLayer() {}
    // Rotation pivot, pivot offset and origin mark to (0, 0, 0).
    virtual void ResetPivot() {}
    // Empties the given layers (0 to 12).
    virtual void EmptyLayers(const std::vector<int>& /*layers*/) {}
    // A wheel turn over the view; the frame has already chosen this view.
    virtual void WheelZoom(unsigned /*keyFlags*/, int /*delta*/, QPoint /*screen*/) {}
};

// The NC pane: the line list (edit mode 0) or the editor (edit mode 1).
class INcPane {
public:
    virtual ~INcPane() = default;
    virtual QWidget* Widget() = 0;
    virtual bool IsEditor() const = 0;
    // Shows the document's lines again.
    virtual void UpdateFromDocument() = 0;
    // The outgoing pane writes the hand-over block (the editor only SelectedRow and TopRow).
    virtual void SaveViewState(PaneHandOver& out) = 0;
    // The incoming pane takes it at its initial update.
    virtual void RestoreViewState(const PaneHandOver& in) = 0;
    // The list's default wheel handling; the editor is never routed a wheel turn.
    virtual void DefaultMouseWheel(int /*delta*/) {}
};

// Makes the panes. The drawing and text views install their makers here; until then the frame
// gets placeholders. Every maker builds its widget as a child of parent.
struct PaneFactory {
    std::function<IElemView*(QWidget* parent, CMainFrame* frame)> ElemView;
    std::function<INcPane*(QWidget* parent, CMainFrame* frame, bool editor)> NcPane;
    std::function<QWidget*(QWidget* parent, CMainFrame* frame)> InfoView;
    std::function<QWidget*(QWidget* parent, CMainFrame* frame)> SwitchForm;

    static PaneFactory& Instance();
};

// The placeholder element view: a blank drawing area named after its projection.
class PlaceholderElemView : public QWidget, public IElemView {
    Q_OBJECT
public:
    explicit PlaceholderElemView(QWidget* parent);
    QWidget* Widget() override { return this; }
    void SetViewType(int type, int angleX, int angleY, int angleZ) override;
    int ViewType() const override { return type_; }
    void ZoomFit() override { ++zoomFits; }
    void EmptyLayers(const std::vector<int>& layers) override { emptied = layers; }
    void ResetPivot() override { ++pivotResets; }

    // What the frame asked of the view, for tests.
    int zoomFits = 0;
    int pivotResets = 0;
    std::vector<int> emptied;
    std::array<int, 3> angles{};

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int type_ = 0;
};

// The placeholder NC pane: the document's lines as plain text (read-only in list mode).
class PlaceholderNcPane : public QPlainTextEdit, public INcPane {
    Q_OBJECT
public:
    PlaceholderNcPane(QWidget* parent, CTessmarkDoc* doc, bool editor);
    QWidget* Widget() override { return this; }
    bool IsEditor() const override { return editor_; }
    void UpdateFromDocument() override;
    void SaveViewState(PaneHandOver& out) override;
    void RestoreViewState(const PaneHandOver& in) override;

private:
    CTessmarkDoc* doc_ = nullptr;
    bool editor_ = false;
};

// A titled empty pane for the information list and the switch form.
QWidget* MakePlaceholderPane(QWidget* parent, const QString& title, const char* objectName);
