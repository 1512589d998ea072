// CNcTextView: the NC operations of the list (Check NC, the outside checker, Shift Coordinate).
#include <QItemSelectionModel>
#include <QProcess>

#include "nc/machine/CNcReadInfo.h"
#include "platform/Paths.h"
#include "platform/UserPrompt.h"
#include "text/CConvG08Dlg.h"
#include "text/CExtractSubDlg.h"
#include "text/CNcCheckReportDlg.h"
#include "text/CNcTextView.h"
#include "text/CShiftCoordinateDlg.h"
#include "text/NcLineModel.h"
#include "text/core/ConvertG08.h"
#include "text/core/CoordShift.h"
#include "text/core/FiveAxisSmoothing.h"
#include "text/core/ManualMove.h"
#include "text/core/NcCheck.h"
#include "text/core/NcLineNumbers.h"
#include "text/core/NcOpsHost.h"
#include "text/core/NcOpsText.h"
#include "text/core/NcOutsideCheck.h"
#include "text/core/SubProgramExtract.h"

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

int CNcTextView::ManualMove(int axis, int line, double step) {
    NcOpsHost* ops = ctx_.Ops;
    if (!ops || ManualMoveLine(*ops, axis, line, step) == 0) return 0;
    UpdateFromDocument();
    SelectLine(1, &line, 0);
    return 1;
}

int CNcTextView::ExtractSubProgram(int row) {
    NcOpsHost* ops = ctx_.Ops;
    if (!ops || ops->TraceActive()) return -1;
    platform::UserPrompt* prompt = &ops->Prompt();
    const std::filesystem::path machineFile = ops->Machine().MachineFilePath();
    const ExtractSettings settings = ExtractSettings::Read(machineFile);
    const NcTextRules& rules = model_->Rules();
    SubProgramPart part;
    if (!FindSubProgram(ops->Lines(), row, rules.MainProgramLetter, rules.SubProgramLetter, part)) {
        ShowOpsMessage(prompt, 61573, PromptIcon::Warning, PromptButtons::Ok);
        return -1;
    }
    // The folder offered: the one of the last extraction, else the program's own.
    std::filesystem::path folder = settings.FilePath;
    if (folder.empty()) folder = std::filesystem::path(ops->DocumentPath()).parent_path();
    int number = part.ProgramNumber;
    std::filesystem::path file = folder / part.ProposedName;
    for (;;) {
        CExtractSubDlg dlg(&number, QString::fromStdString(OpsText(61572)),
                           QString::fromStdString(file.string()),
                           QString::fromStdString(OpsText(61536)), this);
        if (RunModalDialog(ctx_, dlg) != QDialog::Accepted) return 1;
        file = WithDocumentExtension(dlg.FilePath().toStdString(), ops->DocumentPath());
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) break;
        if (ShowOpsMessage(prompt, 61574, PromptIcon::Question, PromptButtons::YesNo,
                           {file.string()}) == PromptAnswer::Yes)
            break;
    }
    folder = file.parent_path();
    const std::string arg = CallArgument(ops->Lines());
    const std::string text = SubProgramFileText(
        ExpandTemplate(settings.Header, number, settings.PrgNoLen, settings.Scc, arg), part.Body,
        ExpandTemplate(settings.Footer, number, settings.PrgNoLen, settings.Scc, arg));
    if (!platform::WriteFileAtomic(file, text)) {
        ShowOpsMessage(prompt, 61575, PromptIcon::Warning, PromptButtons::Ok, {file.string()});
        return -1;
    }
    ShowOpsMessage(prompt, 61576, PromptIcon::Information, PromptButtons::Ok, {file.string()});
    ExtractSettings::WriteFilePath(machineFile, folder.string() + "/");
    return 0;
}

void CNcTextView::ConvertG08() {
    NcOpsHost* ops = ctx_.Ops;
    if (!ops || ops->TraceActive()) return;
    ConvG08Params& params = ops->G08Params();
    const int count = std::max(1, int(ops->Lines().size()));
    params.StartRow = 1;
    params.EndRow = count;
    CConvG08Dlg dlg(ops->SystemIniPath(), count, &params, this);
    dlg.OnInitDialog();
    if (RunModalDialog(ctx_, dlg) != QDialog::Accepted) return;
    if (::ConvertG08(*ops, params).Converted > 0) UpdateFromDocument();
}

int CNcTextView::Smooth06R(const SmoothParams& params, std::vector<std::string>& out) {
    NcOpsHost* ops = ctx_.Ops;
    return ops ? ::Smooth06R(*ops, params, out) : 0;
}
