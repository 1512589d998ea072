// CNcTextView: the NC line list.
#include "text/CNcTextView.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "platform/Numbers.h"
#include "platform/TextCodec.h"
#include "text/FindReplaceDialog.h"
#include "text/NcLineModel.h"
#include "text/NcTextLook.h"
#include "text/PaneKeys.h"
#include "text/QtTracePump.h"
#include "text/core/NcBlockRange.h"
#include "text/core/NcLineNumbers.h"
#include "text/core/NcNumberFormat.h"
#include "text/core/NcTextSearch.h"
#include "text/core/NcTraceEngine.h"
#include "text/core/TextStrings.h"

namespace {

const std::vector<std::string> kNoLines;

// The frame's commands of the context menu (menu 130).
enum : int {
    kUndo = 57643,
    kRedo = 57644,
    kFind = 32850,
    kFindNextCmd = 32851,
    kFindPrevCmd = 32852,
    kReplace = 32853,
    kRun = 32801,
    kStep = 32798,
    kCancel = 32800,
    kSpeedHigh = 32808,
    kSpeedNormal = 32809,
    kSpeedLow = 32810,
    kZoomInCommand = 32777,   // "Zoom up", Page Up
    kZoomOutCommand = 32776,  // "Zoom down", Page Down
    kCmdBreakOn = 32803,
    kBreakOff = 32804,
    kBreakWait = 32805,
    kAllEnable = 32811,
    kAllRelease = 32812,
    kAllDisable = 32813,
};

}  // namespace

CNcTextView::CNcTextView(QWidget* parent, NcTextViewContext context)
    : QTableView(parent), ctx_(std::move(context)) {
    setObjectName("NcTextView");
    model_ = new NcLineModel(this);
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);  // the scroll bar counts rows
    setIconSize(QSize(14, 14));
    setMinimumSize(0, 0);
    verticalHeader()->hide();
    // Uniform rows: the header never measures a million rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->viewport()->installEventFilter(this);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CNcTextView::OnSelectionChanged);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CNcTextView::OnHeaderClicked);
    // QTableView sizes the column to its contents on a divider double click first.
    connect(horizontalHeader(), &QHeaderView::sectionHandleDoubleClicked, this, [this](int) {
        for (int c = 0; c < 3; ++c) WriteColumnWidth(ctx_.IniPath, c, columnWidth(c));
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int) {
        if (horizontalHeader()->viewport()->underMouse() &&
            QApplication::mouseButtons() & Qt::LeftButton)
            trackedColumn_ = section;
    });
    UpdateFromDocument();
    CreateTrace();
}

CNcTextView::~CNcTextView() {
    if (FindDlg) delete FindDlg.data();
}

int CNcTextView::LoadSettings() {
    return Settings.Load(ctx_.IniPath);
}

// --- fill --------------------------------------------------------------------------------------

void CNcTextView::ApplyFont() {
    const QFont font = NcTextFont(Settings);
    setFont(font);
    const int rowHeight = std::max(QFontMetrics(font).height() + 2, 16);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
}

void CNcTextView::ApplyColumns() {
    const std::array<int, 3> widths = ReadColumnWidths(ctx_.IniPath);
    setColumnWidth(0, widths[0]);
    setColumnWidth(2, widths[2]);
    if (model_->Rules().AppMachineType == 1 || model_->Count() == 0) {
        setColumnWidth(1, widths[1]);
        return;
    }
    // The numbers all have the digits of the line count: fit the widest.
    const QFontMetrics fm(font());
    const int digits = DecimalDigits(size_t(model_->Count()));
    const int text = fm.horizontalAdvance(QString(digits, QLatin1Char('0')));
    const int header = horizontalHeader()->fontMetrics().horizontalAdvance(
        model_->headerData(1, Qt::Horizontal).toString());
    setColumnWidth(1, std::max(text, header) + 16);
}

void CNcTextView::UpdateFromDocument() {
    LoadSettings();
    ApplyFont();
    QPalette pal = palette();
    pal.setColor(QPalette::Text, NcColour(Settings.TextColor));
    setPalette(pal);
    const std::vector<std::string>* lines = ctx_.Lines ? ctx_.Lines() : nullptr;
    NcTextRules rules = ctx_.Rules ? ctx_.Rules() : NcTextRules{};
    model_->Refill(lines, std::move(rules), Settings);
    ApplyColumns();
    ApplyPending();
}

void CNcTextView::RefreshAllViews() {
    if (ctx_.UpdateAllViews)
        ctx_.UpdateAllViews();
    else
        UpdateFromDocument();
}

void CNcTextView::ApplyPending() {
    if (!PendingSelection) return;
    PendingSelection = 0;
    const int count = model_->Count();
    // The document may have changed while the editor was shown.
    if (count == 0) return;
    const int row = std::clamp(PendingRow, 0, count - 1);
    selectionModel()->setCurrentIndex(
        model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const int top = PendingTopRow != 0 ? std::clamp(PendingTopRow, 0, count - 1) : row;
    scrollTo(model_->index(top, 0), QAbstractItemView::EnsureVisible);
}

// --- hand-over ---------------------------------------------------------------------------------

int CNcTextView::FirstSelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& i : rows)
        if (first < 0 || i.row() < first) first = i.row();
    return first;
}

int CNcTextView::TopRow() const {
    const int row = rowAt(0);
    return row < 0 ? 0 : row;
}

void CNcTextView::SaveViewState(int* selectedRow, int* topRow, int widths[3], int* rowHeight) {
    if (selectedRow) *selectedRow = FirstSelectedRow();
    if (topRow) *topRow = TopRow();
    for (int c = 0; c < 3; ++c) {
        const int w = columnWidth(c);
        if (widths) widths[c] = w;
        WriteColumnWidth(ctx_.IniPath, c, w);
    }
    if (rowHeight) *rowHeight = verticalHeader()->defaultSectionSize();
    CloseFindDialog();
}

void CNcTextView::SaveViewState(PaneHandOver& out) {
    int widths[3] = {};
    SaveViewState(&out.SelectedRow, &out.TopRow, widths, &out.RowHeight);
    out.ColumnWidths = {widths[0], widths[1], widths[2]};
}

void CNcTextView::RestoreViewState(const PaneHandOver& in) {
    PendingSelection = 1;
    PendingRow = in.SelectedRow;
    PendingTopRow = in.TopRow;
    ApplyPending();
}

// --- row services ------------------------------------------------------------------------------

int CNcTextView::RowsPerPage() const {
    const int h = std::max(1, verticalHeader()->defaultSectionSize());
    return std::max(1, viewport()->height() / h);
}

int CNcTextView::SelectLine(int select, int* row, int echo) {
    EchoSelection = echo;
    if (!row) return 0;
    if (select == 0) {
        int next = -1;
        for (const QModelIndex& i : selectionModel()->selectedRows())
            if (i.row() > *row && (next < 0 || i.row() < next)) next = i.row();
        *row = next;
        return 1;
    }
    const int count = model_->Count();
    if (*row < 0 || *row >= count) return 0;
    model_->SetDropRow(-1);
    setFocus();
    selectionModel()->setCurrentIndex(
        model_->index(*row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // The selected row ends about a third down the page. Making row + P/3 and then row - P/3
    // visible would leave it two thirds down when the list scrolls down: the top row is set.
    const int third = RowsPerPage() / 3;
    scrollTo(model_->index(std::min(*row + third, count - 1), 0), EnsureVisible);
    verticalScrollBar()->setValue(std::max(*row - third, 0));
    EchoSelection = 1;
    return 1;
}

int CNcTextView::FindBlockRange(int mode, int row, int* first, int* last, int* info) const {
    const std::vector<std::string>* lines = model_->Lines();
    if (!lines) return 0;
    const NcTextRules& r = model_->Rules();
    return ::FindBlockRange(*lines, mode, row, r.MainProgramLetter, r.SubProgramLetter, first, last,
                            info);
}

int CNcTextView::GetLineNumberOfRow(int row) const {
    std::string label = model_->LineLabel(row);
    if (label.size() > 31) label.resize(31);
    return int(platform::ParseLeadingInt(label));
}

void CNcTextView::OnSelectionChanged() {
    const int traceActive = ctx_.TraceActive ? ctx_.TraceActive() : 0;
    if (traceActive || !EchoSelection || !ctx_.HighlightLineInViews) return;
    ctx_.HighlightLineInViews(FirstSelectedRow() + 1);
}

void CNcTextView::AppendAxisWord(int axis, int decimals, std::string& out, double value, int feed) {
    ::AppendAxisWord(axis, decimals, out, value, feed);
}

int CNcTextView::ScanNumberEnd(std::string_view text, int start) {
    return ::ScanNumberEnd(text, start);
}

// --- mouse and keys ----------------------------------------------------------------------------

void CNcTextView::QueueEditMode() {
    if (model_->Count() == 0 || !ctx_.ToggleEditMode) return;
    // The swap destroys this view: it runs after the handler has returned.
    QueueInOwner(ctx_, [toggle = ctx_.ToggleEditMode] { toggle(); });
}

void CNcTextView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() == NcLineModel::kColMark)
        model_->ClickBreakpoint(index.row());
    if (ctx_.NotifyModelessDialogs) ctx_.NotifyModelessDialogs(FirstSelectedRow());
}

void CNcTextView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) QueueEditMode();
}

bool CNcTextView::event(QEvent* event) {
    // F2 is also the Low-speed accelerator; in the list it opens the editor.
    if (ClaimPlainKey(event, Qt::Key_F2)) return true;
    return QTableView::event(event);
}

void CNcTextView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) &&
        model_->Count() > 0) {
        QueueEditMode();
        event->accept();
        return;
    }
    if (key == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (ctx_.StepKey) ctx_.StepKey();
        event->accept();
        return;
    }
    // Page Up and Page Down are the views' zoom keys, as the menus show them, wherever the
    // focus is in the frame.
    if ((key == Qt::Key_PageUp || key == Qt::Key_PageDown) &&
        event->modifiers() == Qt::NoModifier && ctx_.Action) {
        if (QAction* zoom = ctx_.Action(key == Qt::Key_PageUp ? kZoomInCommand : kZoomOutCommand);
            zoom && zoom->isEnabled()) {
            zoom->trigger();
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void CNcTextView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // Clicking the text of a long line would scroll the line numbers out of sight.
    const int column = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(column);
}

void CNcTextView::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (ctx_.RouteMouseWheel &&
        ctx_.RouteMouseWheel(unsigned(event->modifiers()), event->angleDelta().y(),
                             event->globalPosition().toPoint()))
        return;
    DefaultMouseWheel(event->angleDelta().y());
}

void CNcTextView::DefaultMouseWheel(int delta) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - delta * 3 / 120);
}

void CNcTextView::contextMenuEvent(QContextMenuEvent* event) {
    if (!ctx_.Action) return;
    const bool tracing = ctx_.TraceActive && ctx_.TraceActive();
    QMenu menu(this);
    auto add = [&](QMenu* m, int command) {
        if (QAction* a = ctx_.Action(command)) m->addAction(a);
    };
    if (!tracing) {
        add(&menu, kUndo);
        add(&menu, kRedo);
        menu.addSeparator();
        QMenu* search = menu.addMenu(QString::fromStdString(TextLabel(TextLabelId::SearchMenu)));
        for (int c : {kFind, kFindNextCmd, kFindPrevCmd, kReplace}) add(search, c);
        menu.addSeparator();
    }
    add(&menu, kRun);
    add(&menu, kStep);
    add(&menu, kCancel);
    QMenu* speed = menu.addMenu(QString::fromStdString(TextLabel(TextLabelId::TracingSpeedMenu)));
    for (int c : {kSpeedHigh, kSpeedNormal, kSpeedLow}) add(speed, c);
    menu.addSeparator();
    for (int c : {kCmdBreakOn, kBreakOff, kBreakWait}) add(&menu, c);
    menu.addSeparator();
    for (int c : {kAllEnable, kAllRelease, kAllDisable}) add(&menu, c);
    menu.exec(event->globalPos());
}

void CNcTextView::OnHeaderClicked(int section) {
    if (section == NcLineModel::kColMark) model_->ClickHeader();
}

bool CNcTextView::eventFilter(QObject* watched, QEvent* event) {
    // The end of a divider drag writes the width of the column dragged.
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease &&
        trackedColumn_ >= 0) {
        const int column = trackedColumn_;
        trackedColumn_ = -1;
        WriteColumnWidth(ctx_.IniPath, column, columnWidth(column));
    }
    return QTableView::eventFilter(watched, event);
}

// --- find --------------------------------------------------------------------------------------

void CNcTextView::Find() {
    if (FindDlg) return;
    FindDialogOptions options;
    options.FindText = FindText;
    options.ReplaceText = ReplaceText;
    options.SearchDown = SearchDown != 0;
    options.MatchCase = MatchCase != 0;
    auto* dlg = new CCustomFind(this, options);
    FindDlg = dlg;
    connect(dlg, &FindReplaceDialog::findNext, this, &CNcTextView::OnFindDialogNext);
    connect(dlg, &FindReplaceDialog::closing, this, &CNcTextView::OnFindDialogClosing);
    dlg->show();
}

int CNcTextView::SearchFrom(int start, bool down) {
    const std::vector<std::string>* lines = model_->Lines();
    if (!lines || FindText.isEmpty()) return 0;
    // The document's lines are CP932 bytes: search with the text's bytes.
    const platform::Cp932Encoding bytes = platform::Utf8ToCp932(FindText.toStdString());
    if (!bytes.ok()) return 0;  // a character no NC line can hold
    const int row = FindLine(*lines, bytes.bytes, MatchCase != 0, start, down);
    if (row < 0) return 0;
    clearSelection();
    setFocus();
    model_->SetDropRow(row);
    selectionModel()->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::NoUpdate);
    scrollTo(model_->index(row, 0), EnsureVisible);
    return 1;
}

int CNcTextView::FindNext() {
    int start = FirstSelectedRow();
    if (start < 0) start = model_->DropRow();
    return SearchFrom(start, true);
}

int CNcTextView::FindPrevious() {
    int start = FirstSelectedRow();
    if (start < 0) start = model_->DropRow();
    if (start < 0) return 0;
    return SearchFrom(start, false);
}

void CNcTextView::OnFindDialogNext() {
    if (!FindDlg) return;
    SearchDown = FindDlg->SearchDown() ? 1 : 0;
    MatchCase = FindDlg->MatchCase() ? 1 : 0;
    FindText = FindDlg->FindText();
    const int found = SearchDown ? FindNext() : FindPrevious();
    if (!found) {
        const std::string text = TextString(20070);
        if (ctx_.Message)
            ctx_.Message(text);
        else
            QMessageBox::information(FindDlg, QString(), QString::fromStdString(text));
        return;
    }
    if (FindDlg) FindDlg->activateWindow();
}

void CNcTextView::OnFindDialogClosing() {
    // The dialog's own signal runs this: it is deleted once its handler has returned.
    CloseFindDialog();
    clearSelection();
    const int row = model_->DropRow();
    model_->SetDropRow(-1);
    if (row >= 0)
        selectionModel()->setCurrentIndex(
            model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    setFocus();
}

void CNcTextView::CloseFindDialog() {
    CCustomFind* dlg = FindDlg;
    FindDlg = nullptr;
    DismissFindDialog(dlg, this);
}
