// A fixture that builds an NC line list over lines of the test's own, with recording fakes.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "text/CNcTextView.h"
#include "text/NcLineModel.h"

class NcListFixture : public ::testing::Test {
protected:
    test::TempDir dir;
    std::vector<std::string> lines;
    NcTextRules rules;
    int traceActive = 0;
    int toggles = 0;
    std::vector<int> highlighted;
    std::vector<int> notified;
    std::vector<std::string> messages;
    int steps = 0;
    std::unique_ptr<CNcTextView> view;

    std::filesystem::path Ini() const { return dir.path() / "MV_System.ini"; }

    NcTextViewContext Context() {
        NcTextViewContext ctx;
        ctx.IniPath = Ini();
        ctx.Lines = [this] { return &lines; };
        ctx.Rules = [this] { return rules; };
        ctx.TraceActive = [this] { return traceActive; };
        ctx.ToggleEditMode = [this] { ++toggles; };
        ctx.HighlightLineInViews = [this](int line) { highlighted.push_back(line); };
        ctx.NotifyModelessDialogs = [this](int row) { notified.push_back(row); };
        ctx.StepKey = [this] { ++steps; };
        ctx.Message = [this](const std::string& text) { messages.push_back(text); };
        return ctx;
    }

    CNcTextView* Make(std::vector<std::string> text) {
        lines = std::move(text);
        view = std::make_unique<CNcTextView>(nullptr, Context());
        view->resize(400, 300);
        view->show();
        QApplication::processEvents();
        return view.get();
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
