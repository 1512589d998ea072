// INcPane: what the main frame asks of its NC pane (the line list, or the editor in edit mode),
// and the position state the panes hand over at a swap.
#pragma once

#include <array>

class QWidget;

// Position state handed from the outgoing NC pane to the incoming one at a pane swap.
struct PaneHandOver {
    int SelectedRow = 0;
    int TopRow = 0;
    std::array<int, 3> ColumnWidths{};
    int RowHeight = 0;
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
