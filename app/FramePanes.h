// The factory that makes the main frame's panes (the pane interfaces live with the views that
// implement them) and the placeholders used until the drawing and NC text views are in the
// program.
#pragma once

#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "text/INcPane.h"
#include "views/IElemView.h"

class CDtbEngine;
struct CxyzData;
class CMainFrame;
class CTessmarkDoc;

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

// A titled empty pane for the information list and the switch form.
QWidget* MakePlaceholderPane(QWidget* parent, const QString& title, const char* objectName);
