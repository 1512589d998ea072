// A fixture that builds an NC line list over lines of the test's own, with recording fakes.
#pragma once

#include "NcTextFixture.h"
#include "text/CNcTextView.h"
#include "text/NcLineModel.h"

class NcListFixture : public NcTextFixture {
protected:
    int traceActive = 0;
    std::vector<int> highlighted;
    std::vector<int> notified;
    int steps = 0;
    std::unique_ptr<CNcTextView> view;

    NcTextViewContext Context() {
        NcTextViewContext ctx = SharedContext();
        ctx.TraceActive = [this] { return traceActive; };
        ctx.HighlightLineInViews = [this](int line) { highlighted.push_back(line); };
        ctx.NotifyModelessDialogs = [this](int row) { notified.push_back(row); };
        ctx.StepKey = [this] { ++steps; };
        return ctx;
    }

    CNcTextView* Make(std::vector<std::string> text) {
        return Show(view, std::move(text), Context(), 400);
    }

    NcLineModel* Model() const { return view->Model(); }
    QVariant Data(int row, int column, int role = Qt::DisplayRole) const {
        return Model()->data(Model()->index(row, column), role);
    }
};

// Lines "L1".."Ln".
inline std::vector<std::string> NumberedLines(int n) {
    std::vector<std::string> v;
    v.reserve(size_t(n));
    for (int i = 1; i <= n; ++i) v.push_back("L" + std::to_string(i));
    return v;
}
