// What the user waits for in the NC editor on a program of a million lines: the switch into the
// editor (a new editor over the document's lines, shown and painted), one typed key (its record,
// the line's colour, the repaint of the text and the margin), and the commit back (the text as
// lines, then the document's rebuild of its elements).
#include <benchmark/benchmark.h>

#ifdef MORVALEN_HAVE_TEXT_UI

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "GeneratedProgram.h"
#include "QtBenchMain.h"
#include "app/core/CTessmarkDoc.h"
#include "text/CNcTextEdit.h"
#include "text/CNcTextEditLine.h"

namespace {

std::filesystem::path IniPath() {
    return std::filesystem::temp_directory_path() / "NcTextEditBench.ini";
}

NcTextViewContext Context(const std::vector<std::string>* lines, EditChangeList* records,
                          std::function<void(std::vector<std::string>&&)> commit) {
    NcTextViewContext ctx;
    ctx.IniPath = IniPath();
    ctx.Lines = [lines] { return lines; };
    ctx.ChangeRecords = records;
    ctx.CommitLines = std::move(commit);
    ctx.Message = [](const std::string&) {};
    return ctx;
}

void Show(CNcTextEdit& edit) {
    edit.resize(400, 700);
    edit.show();
    edit.repaint();
    QApplication::processEvents();
}

// The caret in the middle of the program, in view.
void CaretToMiddle(CNcTextEdit& edit) {
    QTextCursor c(edit.document()->findBlockByNumber(500000));
    c.movePosition(QTextCursor::EndOfBlock);
    edit.setTextCursor(c);
    edit.ensureCursorVisible();
    edit.repaint();
    QApplication::processEvents();
}

// The switch into the editor.
void BM_OpenEditor(benchmark::State& state) {
    EditChangeList records;
    MillionLines();
    for (auto _ : state) {
        CNcTextEdit edit(nullptr, Context(&MillionLines(), &records, nullptr));
        PaneHandOver in;
        in.SelectedRow = 500000;
        in.TopRow = 499990;
        in.ColumnWidths = {25, 66, 350};
        edit.RestoreViewState(in);
        Show(edit);
        benchmark::DoNotOptimize(edit.LineCount());
    }
    state.counters["lines"] = double(MillionLines().size());
}
BENCHMARK(BM_OpenEditor)->Unit(benchmark::kMillisecond)->Iterations(1);

// One key typed in the middle of the program and everything it repaints. The first key after
// the switch is timed apart (first_key_ms): it lays out what the switch left for later.
void TypeKey(CNcTextEdit& edit, bool erase) {
    const int key = erase ? Qt::Key_Backspace : Qt::Key_X;
    const QString text = erase ? QStringLiteral("\b") : QStringLiteral("X");
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&edit, &press);
    edit.viewport()->repaint();
    edit.Margin->repaint();
}

void BM_TypeKey(benchmark::State& state) {
    EditChangeList records;
    CNcTextEdit edit(nullptr, Context(&MillionLines(), &records, nullptr));
    Show(edit);
    CaretToMiddle(edit);
    const auto start = std::chrono::steady_clock::now();
    TypeKey(edit, false);
    const double firstMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    int n = 1;
    for (auto _ : state) TypeKey(edit, (n++ & 1) != 0);
    state.counters["first_key_ms"] = firstMs;
    state.counters["records"] = double(records.Count());
}
BENCHMARK(BM_TypeKey)->Unit(benchmark::kMillisecond);

// Commits after one typed key each (the key is not measured).
void MeasureCommits(benchmark::State& state, CNcTextEdit& edit) {
    Show(edit);
    CaretToMiddle(edit);
    for (auto _ : state) {
        state.PauseTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("X"));
        QApplication::sendEvent(&edit, &press);
        state.ResumeTiming();
        edit.SaveTextToDocument();
    }
}

// The commit back: the editor's text as CP932 lines handed over.
void BM_CommitText(benchmark::State& state) {
    EditChangeList records;
    std::vector<std::string> into;
    CNcTextEdit edit(nullptr, Context(&MillionLines(), &records,
                                      [&](std::vector<std::string>&& l) { into = std::move(l); }));
    MeasureCommits(state, edit);
    benchmark::DoNotOptimize(into.size());
}
BENCHMARK(BM_CommitText)->Unit(benchmark::kMillisecond)->Iterations(1);

// The commit back into a document, which rebuilds its elements from the lines (a plain laser
// program: the other one calls sub-programs it does not hold).
void BM_CommitIntoDocument(benchmark::State& state) {
    EditChangeList records;
    CTessmarkDoc doc;
    doc.Lines = MillionLaserLines();
    CNcTextEdit edit(nullptr, Context(&doc.Lines, &records, [&](std::vector<std::string>&& l) {
                         doc.ReplaceLinesFromEditor(std::move(l));
                     }));
    MeasureCommits(state, edit);
    benchmark::DoNotOptimize(doc.Lines.size());
}
BENCHMARK(BM_CommitIntoDocument)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv, IniPath());
}

#else

// Built without the Qt user interface: nothing to measure.
BENCHMARK_MAIN();

#endif
