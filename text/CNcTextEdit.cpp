// CNcTextEdit: the NC editor: loading and committing the text, recording changes, undo and
// redo, the edit commands, colours, keys and the margin.
#include "text/CNcTextEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

#include "text/CNcTextEditLine.h"
#include "text/NcTextLook.h"
#include "text/PaneKeys.h"
#include "text/core/NcEditLineMap.h"
#include "text/core/NcEditText.h"
#include "text/core/NcLineClass.h"
#include "text/core/NcLineNumbers.h"
#include "text/core/TextStrings.h"

namespace {

constexpr int kContextMenu = 162;
// "The character cannot be written in an NC program".
constexpr unsigned kMsgNoCp932Form = 29261;

std::u16string_view U16(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())};
}
QString FromU16(const std::u16string& s) {
    return QString::fromUtf16(s.data(), qsizetype(s.size()));
}

}  // namespace

EditAction::EditAction(CNcTextEdit* edit) : edit_(edit) {
    edit_->Flush(true);
    edit_->savedCaretLine_ = edit_->textCursor().blockNumber();
    ++edit_->ownEdit_;
}

EditAction::~EditAction() {
    --edit_->ownEdit_;
}

CNcTextEdit::CNcTextEdit(QWidget* parent, NcTextViewContext context)
    : QPlainTextEdit(parent), ctx_(std::move(context)) {
    setObjectName("NcTextEdit");
    records_ = ctx_.ChangeRecords ? ctx_.ChangeRecords : &ownRecords_;
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false);
    setMinimumSize(0, 0);
    ColumnWidth = ReadColumnWidths(ctx_.IniPath);
    Margin = new CNcTextEditLine(this, MarginWidth() - 4);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy)
            Margin->scroll(0, dy);
        else
            Margin->update(0, rect.y(), Margin->width(), rect.height());
    });
    LoadSettings();
    const std::vector<std::string>* lines = ctx_.Lines ? ctx_.Lines() : nullptr;
    LoadText(QString::fromStdString(lines ? LinesToEditText(*lines) : std::string()));
    SetupGutter();
}

CNcTextEdit::~CNcTextEdit() {
    if (FindDialog) delete FindDialog.data();
}

int CNcTextEdit::LoadSettings() {
    Settings.Load(ctx_.IniPath);
    rules_ = ctx_.Rules ? ctx_.Rules() : NcTextRules{};
    classColours_ = NcClassColours(Settings);
    ++colourGeneration_;
    return 1;
}

void CNcTextEdit::ApplyFont() {
    const QFont font = NcTextFont(Settings);
    setFont(font);
    document()->setDefaultFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Text, classColours_[kClassPlain]);
    setPalette(pal);
    const QFontMetrics fm(font);
    CharHeight = fm.height();
    LineSpacing = std::max(fm.lineSpacing() - fm.height(), 0);
}

int CNcTextEdit::MarginWidth() const {
    return std::max(ColumnWidth[0] + ColumnWidth[1] - 3, 8);
}

// --- loading and committing --------------------------------------------------------------------

void CNcTextEdit::LoadText(const QString& text) {
    // A document filled before it has a layout and then handed to the control is laid out
    // once; setPlainText on the shown control would lay out as it goes.
    auto* doc = new QTextDocument(this);
    doc->setUndoRedoEnabled(false);  // the change records are the undo
    doc->setDefaultFont(NcTextFont(Settings));
    doc->setPlainText(text);
    doc->setDocumentLayout(new QPlainTextDocumentLayout(doc));
    // The control deletes a document of its own; one of ours goes here.
    QPointer<QTextDocument> old = document();
    if (old) disconnect(old, nullptr, this, nullptr);
    loading_ = true;
    setDocument(doc);
    loading_ = false;
    if (old && old->parent() == this) delete old.data();
    connect(doc, &QTextDocument::contentsChange, this, &CNcTextEdit::OnContentsChange);
    text_ = text;
    // A copy of its own now, with room: the first key would copy the whole text otherwise.
    text_.reserve(text.size() + 4096);
    pending_.Clear();
    ApplyFont();
    LineMap.clear();
    if (OriginShiftNumbering()) {
        std::vector<std::string> lines;
        if (EditTextToLines(text.toStdString(), lines)) LineMap = OriginShiftNumbers(lines, rules_);
        LineMap.resize(size_t(LineCount()), 0);
    }
    savedCaretLine_ = 0;
}

void CNcTextEdit::UpdateFromDocument() {
    Flush(true);
    if (Modified) return;
    const int caret = textCursor().blockNumber();
    const std::vector<std::string>* lines = ctx_.Lines ? ctx_.Lines() : nullptr;
    LoadSettings();
    LoadText(QString::fromStdString(lines ? LinesToEditText(*lines) : std::string()));
    SetupGutter();
    QTextCursor c(document()->findBlockByNumber(std::min(caret, LineCount() - 1)));
    setTextCursor(c);
}

void CNcTextEdit::TakePositions() {
    CaretLine = textCursor().blockNumber();
    const int lineHeight = std::max(CharHeight + LineSpacing, 1);
    ScrollLine = FirstVisibleLine() + viewport()->height() / lineHeight;
    // A page below the last line would hand the list a row it does not have.
    ScrollLine = std::clamp(ScrollLine, 0, std::max(LineCount() - 1, 0));
}

int CNcTextEdit::SaveTextToDocument() {
    Flush(true);
    TakePositions();
    if (!Modified) return 1;  // the document holds this text already
    std::vector<std::string> lines;
    if (!EditTextToLines(text_.toStdString(), lines)) {
        RefuseText(text_);
        return 0;
    }
    if (ctx_.CommitLines) ctx_.CommitLines(std::move(lines));
    Modified = 0;
    return 1;
}

void CNcTextEdit::Reload() {
    Flush(true);
    const QTextCursor selection = textCursor();
    const int top = verticalScrollBar()->value();
    const int left = horizontalScrollBar()->value();
    LoadSettings();
    ApplyFont();
    LineMap.clear();
    if (OriginShiftNumbering()) {
        std::vector<std::string> lines;
        if (EditTextToLines(text_.toStdString(), lines))
            LineMap = OriginShiftNumbers(lines, rules_);
        LineMap.resize(size_t(LineCount()), 0);
    }
    SetupGutter();
    setTextCursor(selection);
    verticalScrollBar()->setValue(top);
    horizontalScrollBar()->setValue(left);
    viewport()->update();
    Margin->update();
}

// --- hand-over ---------------------------------------------------------------------------------

void CNcTextEdit::SetupGutter() {
    Margin->Font = font();
    Margin->CharHeight = CharHeight;
    Margin->LineSpacing = LineSpacing;
    Margin->SetLineHeight(CharHeight + LineSpacing);
    Margin->SetTopOffset(LineSpacing / 2);
    Margin->Width = MarginWidth() - 4;
    setViewportMargins(MarginWidth(), 0, 0, 0);
    const QRect cr = contentsRect();
    Margin->setGeometry(cr.left(), cr.top(), MarginWidth(), cr.height());
    Margin->update();
}

void CNcTextEdit::RestoreViewState(const PaneHandOver& in) {
    CaretLine = in.SelectedRow;
    ScrollLine = in.TopRow;
    if (in.ColumnWidths[0] > 0 || in.ColumnWidths[1] > 0) ColumnWidth = in.ColumnWidths;
    RowHeight = in.RowHeight;
    SetupGutter();
    RestorePositions();
}

void CNcTextEdit::RestorePositions() {
    const int last = std::max(LineCount() - 1, 0);
    CaretLine = std::clamp(CaretLine, 0, last);
    ScrollLine = std::clamp(ScrollLine, 0, last);
    // One line per block: the scroll value is the first visible line.
    verticalScrollBar()->setValue(ScrollLine);
    setTextCursor(QTextCursor(document()->findBlockByNumber(CaretLine)));
    ensureCursorVisible();
    // Before the first show the view has no height yet: again once it has.
    restorePending_ = !isVisible();
}

void CNcTextEdit::showEvent(QShowEvent* event) {
    QPlainTextEdit::showEvent(event);
    if (restorePending_) {
        restorePending_ = false;
        verticalScrollBar()->setValue(ScrollLine);
        ensureCursorVisible();
    }
}

int CNcTextEdit::GetSavedPositions(int* caretLine, int* scrollLine) {
    if (caretLine) *caretLine = CaretLine;
    if (scrollLine) *scrollLine = ScrollLine;
    CloseFindDialog();
    return 1;
}

void CNcTextEdit::SaveViewState(PaneHandOver& out) {
    Flush(true);
    TakePositions();
    GetSavedPositions(&out.SelectedRow, &out.TopRow);
}

// --- recording ---------------------------------------------------------------------------------

void CNcTextEdit::OnContentsChange(int position, int removed, int added) {
    if (colouring_) return;
    MarkUncoloured(position, added);
    if (loading_) return;
    pending_.Add(position, removed, added);
    // A change outside any event or edit of the editor's own (another object's call) is
    // recorded once the current handler has returned.
    if (eventDepth_ == 0 && ownEdit_ == 0 && !flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                flushQueued_ = false;
                Flush(true);
            },
            Qt::QueuedConnection);
    }
}

QString CNcTextEdit::DocumentText(int position, int length) const {
    if (length <= 0) return {};
    QTextCursor c(document());
    c.setPosition(position);
    c.setPosition(position + length, QTextCursor::KeepAnchor);
    QString s = c.selectedText();
    s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return s;
}

void CNcTextEdit::Flush(bool record) {
    if (pending_.Empty()) return;
    const int docLength = document()->characterCount() - 1;
    const int start = pending_.Start();
    // A change reported up to the document's final (invisible) line end reaches one past the
    // text on both sides.
    const int oldEnd = std::min(pending_.OldEnd(), int(text_.size()));
    const int newEnd = std::min(pending_.NewEnd(), docLength);
    pending_.Clear();
    if (start < 0 || start > oldEnd || start > newEnd ||
        text_.size() - (oldEnd - start) + (newEnd - start) != docLength) {
        Resync();
        return;
    }
    const QString inserted = DocumentText(start, newEnd - start);
    const QString removed = text_.mid(start, oldEnd - start);
    text_.replace(start, oldEnd - start, inserted);
    // The change as it really is: a report may reach wider than what changed.
    std::optional<EditChangeRecord> r = MakeChangeRecord(start, U16(removed), U16(inserted));
    if (r) KeepLineMap(*r);
    savedCaretLine_ = textCursor().blockNumber();
    if (!record || !r) return;
    // Typing, a paste or an input method that brought a character without a CP932 form: the
    // change is taken back; saving would have turned it into '?'.
    if (RefuseText(FromU16(r->Inserted))) {
        QTextCursor c = ApplySplice(UndoSplice(*r), false);
        setTextCursor(c);
        return;
    }
    records_->Push(std::move(*r));
    Modified = 1;
    if (ctx_.TextChanged) ctx_.TextChanged();
}

void CNcTextEdit::Resync() {
    QString all = document()->toRawText();
    all.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text_ = all;
    // The records' positions no longer fit the text.
    records_->Reset();
    Modified = 1;
}

QTextCursor CNcTextEdit::ApplySplice(const EditSplice& splice, bool record) {
    QTextCursor c(document());
    c.setPosition(splice.Position);
    c.setPosition(splice.Position + splice.Length, QTextCursor::KeepAnchor);
    ++ownEdit_;
    if (splice.Text.empty())
        c.removeSelectedText();
    else
        c.insertText(FromU16(splice.Text));
    --ownEdit_;
    Flush(record);
    return c;
}

void CNcTextEdit::KeepLineMap(const EditChangeRecord& change) {
    if (!OriginShiftNumbering()) return;
    const auto breaks = [](const std::u16string& s) {
        return int(std::count(s.begin(), s.end(), u'\n'));
    };
    const int d = breaks(change.Inserted) - breaks(change.Removed);
    if (d == 0) return;
    const QTextBlock startBlock = document()->findBlock(change.Start);
    LineMapEdit e;
    e.LineCount = LineCount();
    e.SavedLineCount = e.LineCount - d;
    e.SavedCaretLine = savedCaretLine_;
    e.CaretLine = textCursor().blockNumber();
    e.InsertAt = startBlock.blockNumber() + (change.Start > startBlock.position() ? 1 : 0);
    TrackLineMap(LineMap, e);
}

bool CNcTextEdit::RefuseText(const QString& text) {
    const std::string bad = FirstCharWithoutCp932(text.toStdString());
    if (bad.empty()) return false;
    std::string message = TextString(kMsgNoCp932Form);
    if (const size_t at = message.find("%s"); at != std::string::npos) message.replace(at, 2, bad);
    Message(message);
    return true;
}

void CNcTextEdit::Message(const std::string& text) {
    if (ctx_.Message)
        ctx_.Message(text);
    else
        QMessageBox::information(this, QString(), QString::fromStdString(text));
}

// --- undo, redo and the edit commands -----------------------------------------------------------

int CNcTextEdit::Undo() {
    EditAction action(this);
    const EditChangeRecord* r = records_->Undo();
    return r ? ApplyRecord(UndoSplice(*r), r->Inserted) : 0;
}

int CNcTextEdit::Redo() {
    EditAction action(this);
    const EditChangeRecord* r = records_->Redo();
    return r ? ApplyRecord(RedoSplice(*r), r->Removed) : 0;
}

int CNcTextEdit::ApplyRecord(const EditSplice& splice, const std::u16string& expected) {
    // A record must find its own text where it left it; otherwise it no longer belongs to
    // this text and applying it would splice it into different lines.
    if (text_.mid(splice.Position, splice.Length) != FromU16(expected)) {
        records_->Reset();
        return 0;
    }
    setTextCursor(ApplySplice(splice, false));
    ensureCursorVisible();
    Modified = 1;
    if (ctx_.TextChanged) ctx_.TextChanged();
    return 1;
}

void CNcTextEdit::Cut() {
    if (!textCursor().hasSelection()) return;
    EditAction action(this);
    QPlainTextEdit::cut();
    Flush(true);
}

void CNcTextEdit::Copy() {
    QPlainTextEdit::copy();
}

void CNcTextEdit::Paste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return;
    EditAction action(this);
    insertFromMimeData(data);
    Flush(true);
    ensureCursorVisible();
}

bool CNcTextEdit::canInsertFromMimeData(const QMimeData* source) const {
    // Files dropped on the editor are the frame's (it refuses to open them in edit mode);
    // their names never become NC text.
    return source && source->hasText() && !source->hasUrls();
}

void CNcTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    // Plain text only, and nothing an NC program cannot hold: refused before it goes in.
    if (RefuseText(source->text())) return;
    QTextCursor c = textCursor();
    c.insertText(source->text());
    setTextCursor(c);
    ensureCursorVisible();
}

void CNcTextEdit::InsertFixedPhrase(int n) {
    if (n < 0 || n > 7 || !ctx_.InsertString) return;
    const std::string phrase = ctx_.InsertString(n);
    if (phrase.empty()) return;
    QString text = QString::fromStdString(LinesToEditText({phrase}));
    text.replace(QLatin1Char(':'), QLatin1Char('\n'));
    text += QLatin1Char('\n');
    EditAction action(this);
    QTextCursor c = textCursor();
    c.clearSelection();
    c.movePosition(QTextCursor::StartOfBlock);
    const int at = c.position();
    setTextCursor(ApplySplice({at, 0, text.toStdU16String()}, true));
    ensureCursorVisible();
}

int CNcTextEdit::ReplaceInRange(int startRow, int endRow, const std::vector<std::string>& lines) {
    const int count = LineCount();
    if (startRow < 1 || startRow > endRow || endRow > count) return 0;
    int from = document()->findBlockByNumber(startRow - 1).position();
    const int to =
        endRow < count ? document()->findBlockByNumber(endRow).position() : int(text_.size());
    QString text = QString::fromStdString(LinesToEditText(lines));
    // The replaced lines end with a line break unless they run to the end of the text; no
    // lines at the end take the line break before them along.
    if (endRow < count && !lines.empty()) text += QLatin1Char('\n');
    if (endRow == count && lines.empty() && from > 0) --from;
    EditAction action(this);
    setTextCursor(ApplySplice({from, to - from, text.toStdU16String()}, true));
    ensureCursorVisible();
    return 1;
}

// --- what the margin reads -----------------------------------------------------------------------

int CNcTextEdit::LineCount() const {
    return document()->blockCount();
}

int CNcTextEdit::FirstVisibleLine() const {
    return firstVisibleBlock().blockNumber();
}

int CNcTextEdit::LineTop(int line) const {
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid()) return 0;
    return int(blockBoundingGeometry(block).translated(contentOffset()).top());
}

// --- colours -----------------------------------------------------------------------------------

void CNcTextEdit::MarkUncoloured(int position, int length) {
    QTextBlock b = document()->findBlock(position);
    const QTextBlock last = document()->findBlock(position + length);
    while (b.isValid()) {
        b.setUserState(-1);
        if (b == last) break;
        b = b.next();
    }
    // The line after a split or a join is looked at again too.
    if (b.isValid() && b.next().isValid()) b.next().setUserState(-1);
}

void CNcTextEdit::ColourLine(const QTextBlock& block) {
    const int state = block.userState();
    if (state >= 0 && (state >> 2) == colourGeneration_) return;
    QTextLayout* layout = block.layout();
    // The input method's text under composition keeps its own look until it is committed.
    if (!layout || !layout->preeditAreaText().isEmpty()) return;
    std::string bytes;
    EditTextToCp932(block.text().toStdString(), bytes);
    const int cls = ClassifyNcLine(bytes, rules_, scratch_) & 3;
    QTextLayout::FormatRange range;
    range.start = 0;
    range.length = block.length();
    range.format.setForeground(classColours_[size_t(cls)]);
    layout->setFormats({range});
    QTextBlock(block).setUserState((colourGeneration_ << 2) | cls);
}

void CNcTextEdit::ColourVisibleLines() {
    const QPointF offset = contentOffset();
    const int bottom = viewport()->height();
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        ColourLine(b);
        if (blockBoundingGeometry(b).translated(offset).top() > bottom) break;
    }
    TakeColourReports();
}

// Qt counts colours set on a line's layout as a change of the line, and reports it together
// with the next edit: the user's next key would hand every line coloured since over to be
// compared with the text (most of a second after a jump across a million lines). An empty edit
// block takes the report here.
void CNcTextEdit::TakeColourReports() {
    colouring_ = true;
    QTextCursor c(document());
    c.beginEditBlock();
    c.endEditBlock();
    colouring_ = false;
}

QColor CNcTextEdit::LineColour(int line) {
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid()) return {};
    ColourLine(block);
    TakeColourReports();
    return classColours_[size_t(block.userState() & 3)];
}

void CNcTextEdit::paintEvent(QPaintEvent* event) {
    // Only the lines in view are classified: a million-line program opens without a pass
    // over every line.
    ColourVisibleLines();
    QPlainTextEdit::paintEvent(event);
}

// --- events ------------------------------------------------------------------------------------

bool CNcTextEdit::event(QEvent* event) {
    // Escape leaves the editor here rather than cancelling a trace through the frame.
    if (ClaimPlainKey(event, Qt::Key_Escape)) return true;
    return AsOneChange([&] { return QPlainTextEdit::event(event); });
}

bool CNcTextEdit::viewportEvent(QEvent* event) {
    return AsOneChange([&] { return QPlainTextEdit::viewportEvent(event); });
}

void CNcTextEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
        // The switch destroys the editor: it runs after this handler.
        if (ctx_.ToggleEditMode) QueueInOwner(ctx_, [toggle = ctx_.ToggleEditMode] { toggle(); });
        event->accept();
        return;
    }
    // The control keeps these keys from the frame's accelerators: they reach the records here.
    if (event->matches(QKeySequence::Undo)) {
        Undo();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        Redo();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        Cut();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods != Qt::NoModifier) {
        // Shift+Enter would break the line inside one NC line: every line end is a real one.
        QKeyEvent plain(QEvent::KeyPress, key, Qt::NoModifier, QStringLiteral("\r"));
        QPlainTextEdit::keyPressEvent(&plain);
        return;
    }
    if (!event->text().isEmpty() && event->text().at(0).isPrint() && RefuseText(event->text())) {
        event->accept();
        return;
    }
    const bool upDown = (key == Qt::Key_Up || key == Qt::Key_Down) && !(mods & Qt::ShiftModifier);
    QPlainTextEdit::keyPressEvent(event);
    if (upDown) {
        // Back fully to the left when the caret's column fits the view.
        const int charWidth = std::max(fontMetrics().horizontalAdvance(QLatin1Char('0')), 1);
        const int columns = viewport()->width() / charWidth;
        if (textCursor().positionInBlock() <= columns) horizontalScrollBar()->setValue(0);
    }
}

void CNcTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    QPlainTextEdit::inputMethodEvent(event);
    // The composition's own look replaced the line's colour for a while.
    QTextBlock(textCursor().block()).setUserState(-1);
}

void CNcTextEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect cr = contentsRect();
    Margin->setGeometry(cr.left(), cr.top(), MarginWidth(), cr.height());
    Margin->SetTopOffset(LineSpacing / 2);
}

void CNcTextEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (!ctx_.PopupMenu) return;
    QMenu* menu = ctx_.PopupMenu(kContextMenu, this);
    if (!menu) return;
    menu->exec(event->globalPos());
    delete menu;
}
