// CNcTextView: the trace it owns, and the list's rows as the trace reads and marks them.
#include <QItemSelectionModel>
#include <algorithm>

#include "text/CNcTextView.h"
#include "text/NcLineModel.h"
#include "text/QtTracePump.h"
#include "text/core/NcTraceEngine.h"

namespace {

// The rows of the list: the trace row is the model's drop-highlighted row, given the focus
// (the current index) without being selected.
class ListTraceRows : public NcTraceRows {
public:
    explicit ListTraceRows(CNcTextView& list) : list_(list) {}

    int RowCount() const override { return list_.Model()->Count(); }
    int RowsPerPage() const override { return list_.RowsPerPage(); }
    bool ReadRowParam(int row, uint32_t& param) const override {
        if (row < 0 || row >= RowCount()) return false;
        param = list_.Model()->RowParam(row);
        return true;
    }
    bool WriteBreakpoint(int row, int state) override {
        return list_.Model()->SetBreakpoint(row, state);
    }
    std::vector<int> SelectedRows() const override {
        std::vector<int> rows;
        for (const QModelIndex& i : list_.selectionModel()->selectedRows()) rows.push_back(i.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    void ClearSelection() override { list_.selectionModel()->clear(); }
    void SelectRow(int row) override {
        if (row < 0 || row >= RowCount()) return;
        list_.selectionModel()->setCurrentIndex(
            list_.Model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void SetTraceRow(int row) override {
        list_.Model()->SetDropRow(row);
        if (row >= 0 && row < RowCount())
            list_.selectionModel()->setCurrentIndex(list_.Model()->index(row, 0),
                                                    QItemSelectionModel::NoUpdate);
    }
    void EnsureVisible(int row, bool partial) override {
        if (row < 0 || row >= RowCount()) return;
        if (partial) {
            const int top = list_.rowViewportPosition(row);
            if (top + list_.rowHeight(row) > 0 && top < list_.viewport()->height()) return;
        }
        list_.scrollTo(list_.Model()->index(row, 0), QAbstractItemView::EnsureVisible);
    }
    void SetHeaderImage(int image) override { list_.Model()->SetHeaderImage(image); }

private:
    CNcTextView& list_;
};

}  // namespace

void CNcTextView::CreateTrace() {
    if (!ctx_.Trace || !ctx_.Ops) return;
    traceRows_ = std::make_unique<ListTraceRows>(*this);
    tracePump_ = std::make_unique<QtTracePump>();
    trace_ =
        std::make_unique<NcTraceEngine>(*ctx_.Ops, *ctx_.Trace, *traceRows_, *tracePump_, Settings);
    // The outside skip-log library lives as long as the list.
    trace_->LoadDerOre();
}

int CNcTextView::TraceStep() {
    return trace_ ? trace_->TraceStep() : 0;
}
int CNcTextView::StartTrace() {
    return trace_ ? trace_->StartTrace() : 0;
}
int CNcTextView::StopTrace() {
    return trace_ ? trace_->StopTrace() : 0;
}
int CNcTextView::CancelTrace() {
    return trace_ ? trace_->CancelTrace() : 0;
}
int CNcTextView::UpdateTraceDisplay() {
    return trace_ ? trace_->UpdateTraceDisplay() : 0;
}
int CNcTextView::SetBreakpointOnSelection(int state) {
    return trace_ ? trace_->SetBreakpointOnSelection(state) : 0;
}
int CNcTextView::SetAllBreakpoints(int state) {
    return trace_ ? trace_->SetAllBreakpoints(state) : 0;
}
int CNcTextView::TraceToPosition(int type, int mainProgram, int subProgram, int mainSequence,
                                 int subSequence, double x, double y, int moveKind) {
    return trace_ ? trace_->TraceToPosition(type, mainProgram, subProgram, mainSequence,
                                            subSequence, x, y, moveKind)
                  : 0;
}
int CNcTextView::ResumeFromSkipLog() {
    return trace_ ? trace_->ResumeFromSkipLog() : -1;
}
platform::Library* CNcTextView::DerOre() const {
    return trace_ ? trace_->DerOreLibrary() : nullptr;
}
