// CNcTextView: the NC operations of the list (Check NC, the outside checker, Shift Coordinate).
#include <QItemSelectionModel>
#include <QProcess>

#include "nc/machine/CNcReadInfo.h"
#include "platform/UserPrompt.h"
#include "text/CNcCheckReportDlg.h"
#include "text/CNcTextView.h"
#include "text/CShiftCoordinateDlg.h"
#include "text/NcLineModel.h"
#include "text/core/CoordShift.h"
#include "text/core/NcCheck.h"
#include "text/core/NcLineNumbers.h"
#include "text/core/NcOpsHost.h"
#include "text/core/NcOpsText.h"
#include "text/core/NcOutsideCheck.h"

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

void ShowReport(const NcTextViewContext& ctx, QWidget* parent, std::string report) {
    CNcCheckReportDlg dlg(parent);
    dlg.SetReportText(std::move(report));
    RunModalDialog(ctx, dlg);
}

}  // namespace

void CNcTextView::CheckNcProgram() {
    NcOpsHost* ops = ctx_.Ops;
    if (!ops || ops->TraceActive()) return;
    const std::optional<std::set<int>> accepted = LoadAcceptedGCodes(ops->ConfigFolder());
    const std::vector<int> codes =
        CheckNcLines(ops->Lines(), &ops->Machine(), ops->Conditions(), ops->AppContext(), accepted);
    model_->SetErrorMarks(codes);
    ShowReport(ctx_, this, NcCheckReport(codes));
}

void CNcTextView::RunExternalCheck(const std::filesystem::path& checkerPath) {
    NcOpsHost* ops = ctx_.Ops;
    if (!ops || ops->TraceActive()) return;
    platform::UserPrompt* prompt = &ops->Prompt();
    const std::string path = ops->DocumentPath();
    if (path.empty()) {
        ShowOpsMessage(prompt, 20081, PromptIcon::Warning, PromptButtons::Ok);
        return;
    }
    if (ops->IsModified() &&
        ShowOpsMessage(prompt, 61502, PromptIcon::Warning, PromptButtons::YesNo,
                       {ops->DocumentTitle()}) == PromptAnswer::Yes &&
        !ops->SaveDocument())
        return;  // the report would describe text that is not on disk

    // The program and the file as separate arguments: blanks in either are no problem.
    QProcess checker;
    checker.setStandardInputFile(QProcess::nullDevice());
    checker.setStandardOutputFile(QProcess::nullDevice());
    checker.setStandardErrorFile(QProcess::nullDevice());
    checker.start(QString::fromStdString(checkerPath.string()), {QString::fromStdString(path)});
    if (!checker.waitForStarted(-1)) {
        ShowOpsMessage(prompt, 29500, PromptIcon::Warning, PromptButtons::Ok,
                       {checkerPath.string()});
        return;
    }
    checker.waitForFinished(-1);
    const int result =
        CheckerResult(checker.exitCode(), checker.exitStatus() == QProcess::CrashExit);
    ShowReport(ctx_, this, OutsideCheckReport(result, path, prompt));
}

void CNcTextView::ShiftCoordinate() {
    NcOpsHost* ops = ctx_.Ops;
    if (!ops || ops->TraceActive()) return;
    const bool origin = ops->AppMachineType() == 1;
    // The default range: the selection's first and last rows, as the list numbers them.
    int first = -1, last = -1;
    for (const QModelIndex& i : selectionModel()->selectedRows()) {
        if (first < 0 || i.row() < first) first = i.row();
        if (i.row() > last) last = i.row();
    }
    auto lineOf = [&](int row) {
        if (origin)
            for (int r = row; r < model_->Count(); ++r)
                if (const int n = GetLineNumberOfRow(r); n > 0) return n;
        return row + 1;
    };
    CShiftCoordinateDlg dlg(ops->Machine().MachineFilePath(), &ops->Machine(),
                            ops->AppMachineType(), &ops->Prompt(), this);
    if (first >= 0) {
        dlg.StartLineNo = lineOf(first);
        dlg.EndLineNo = lineOf(last);
    }
    dlg.OnInitDialog();
    if (RunModalDialog(ctx_, dlg) != QDialog::Accepted) return;

    std::vector<uint32_t> numbers;
    if (origin) numbers = OriginShiftNumbers(ops->Lines(), model_->Rules());
    if (ShiftCoordinateLines(*ops, ops->Machine(), origin ? &numbers : nullptr) > 0)
        UpdateFromDocument();
}
