// CNcTextEdit: the NC editor, the NC pane of the main frame in edit mode. A plain text editor
// that does not wrap lines, with the line classes' colours, a line-number margin, its own undo
// and redo over the program's change records, fixed phrases, find and replace, and the commit
// of its text back into the document.
#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "text/FindReplaceDialog.h"
#include "text/INcPane.h"
#include "text/NcTextViewContext.h"
#include "text/core/EditChangeRecords.h"
#include "text/core/NcTextRules.h"
#include "text/core/NcTextViewSettings.h"

class CNcTextEditLine;
class QTextBlock;

class CNcTextEdit : public QPlainTextEdit, public INcPane {
    Q_OBJECT
public:
    // Loads the settings and the document's lines.
    CNcTextEdit(QWidget* parent, NcTextViewContext context);
    ~CNcTextEdit() override;

    // --- state ----------------------------------------------------------------------------
    int CaretLine = 0;                 // line of the caret to hand over or restore
    int ScrollLine = 0;                // line to bring into view (the list's top row on entry)
    std::array<int, 3> ColumnWidth{};  // the NC list's column widths; they size the margin
    int RowHeight = 0;                 // the list's row height (not used here)
    // One entry per line with its ORIGINSFT number (0 none); only with AppMachineType 1.
    std::vector<uint32_t> LineMap;
    CNcTextEditLine* Margin = nullptr;
    int CharHeight = 0;
    int LineSpacing = 0;
    NcTextViewSettings Settings;  // colours, font size and face
    int Modified = 0;             // 1 once a change was recorded since the last commit
    QPointer<FindReplaceDialog> FindDialog;
    int FindMode = 0;  // 0 the open dialog finds, 1 it replaces
    QString FindText;
    QString ReplaceText;
    int SearchDown = 1;
    int MatchCase = 0;

    NcTextViewContext& Context() { return ctx_; }
    EditChangeList& ChangeRecords() { return *records_; }

    // --- INcPane --------------------------------------------------------------------------
    QWidget* Widget() override { return this; }
    bool IsEditor() const override { return true; }
    // The document's lines changed outside the editor: they are loaded again, unless the
    // editor holds changes not yet committed (typed text is never thrown away).
    void UpdateFromDocument() override;
    // GetSavedPositions: the caret line and the line one page below the first visible one;
    // an open find or replace dialog is closed.
    void SaveViewState(PaneHandOver& out) override;
    // Takes the hand-over block, sets up the margin and restores the positions.
    void RestoreViewState(const PaneHandOver& in) override;

    // --- text -----------------------------------------------------------------------------
    int LoadSettings();
    // Shows text (UTF-8 or QString, lines separated by '\n'); the line map is made again.
    void LoadText(const QString& text);
    void SetupGutter();
    void RestorePositions();
    int GetSavedPositions(int* caretLine, int* scrollLine);
    // Puts the text into the document when it was changed (every line whole, every byte as
    // it was read unless edited); sets CaretLine and ScrollLine. 0 when the text cannot be
    // written as CP932 (never expected: such characters are refused as they come in).
    int SaveTextToDocument();
    // New settings: font, colours, text rules and line map follow them; the text, the
    // selection and the scroll position stay.
    void Reload();

    // --- edit commands --------------------------------------------------------------------
    // 1 when a record was applied.
    int Undo();
    int Redo();
    void Cut();
    void Copy();
    void Paste();
    // Fixed phrase n (0-7): ':' becomes a line break, inserted above the caret's line as one
    // change.
    void InsertFixedPhrase(int n);
    // Lines startRow..endRow (1-based, inclusive) replaced by lines (CP932) as one change.
    // 0 unless 1 <= startRow <= endRow <= the line count.
    int ReplaceInRange(int startRow, int endRow, const std::vector<std::string>& lines);

    // --- find and replace (CNcTextEditFind.cpp) --------------------------------------------
    void Find();
    void Replace();
    // Forward from the selection's end; 1 when found (selected).
    int FindNext();
    // Line by line upwards from the line above the caret's; 1 when found.
    int FindPrevious();
    // The dialog's buttons.
    void OnFindDialogNext();
    void OnReplaceCurrent();
    void OnReplaceAll();

    // --- what the margin and tests read -----------------------------------------------------
    // The text as the records count it: lines joined by '\n'.
    const QString& Text() const { return text_; }
    int LineCount() const;
    int FirstVisibleLine() const;
    // The top of line i in the margin's (and viewport's) coordinates.
    int LineTop(int line) const;
    bool OriginShiftNumbering() const { return rules_.AppMachineType == 1; }
    // The colour line i is shown in (coloured now if it was not yet).
    QColor LineColour(int line);
    // The margin's width: the list's first two columns less 3 pixels.
    int MarginWidth() const;

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    friend class EditAction;

    // Whatever one event changes (a key, an input method's commit, a drop, a middle click)
    // becomes one record once the outermost event has been handled.
    template <class Handle>
    bool AsOneChange(Handle&& handle) {
        if (eventDepth_++ == 0 && pending_.Empty()) savedCaretLine_ = textCursor().blockNumber();
        const bool result = handle();
        if (--eventDepth_ == 0 && ownEdit_ == 0) Flush(true);
        return result;
    }
    void OnContentsChange(int position, int removed, int added);
    // Makes the record of what changed since the last flush (record false: only keeps the
    // text in step, for undo and redo).
    void Flush(bool record);
    // Undo or redo: applies the splice when the text it replaces is expected, else drops the
    // records.
    int ApplyRecord(const EditSplice& splice, const std::u16string& expected);
    // Replaces length characters at position by text as the editor's own edit.
    QTextCursor ApplySplice(const EditSplice& splice, bool record);
    // The document's characters position..position+length with '\n' for line breaks.
    QString DocumentText(int position, int length) const;
    // The text as the document holds it, after something went out of step (records dropped).
    void Resync();
    void KeepLineMap(const EditChangeRecord& change);
    void MarkUncoloured(int position, int length);
    void ColourLine(const QTextBlock& block);
    void ColourVisibleLines();
    void TakeColourReports();
    // True (after telling the user) when text holds a character an NC program cannot hold.
    bool RefuseText(const QString& text);
    void Message(const std::string& text);
    void ApplyFont();
    void TakePositions();
    void CloseFindDialog();
    void FindMessage(unsigned id);
    // The replace dialog's flags and texts; false when they cannot replace anything.
    bool TakeReplaceTexts();
    void OpenFindDialog(bool replace);
    int SearchForward(QTextCursor from, bool select);
    int SearchBackward();

    NcTextViewContext ctx_;
    EditChangeList ownRecords_;
    EditChangeList* records_ = nullptr;
    NcTextRules rules_;
    std::array<QColor, 4> classColours_;
    int colourGeneration_ = 0;  // a block is coloured when its state holds this generation
    QString text_;              // the editor's text as the records count it
    EditChangeSpan pending_;    // changes not yet recorded
    int eventDepth_ = 0;        // events being handled: their changes form one record
    int ownEdit_ = 0;           // the editor's own edits under way
    bool loading_ = false;      // a load replaces the whole text
    bool colouring_ = false;    // Qt reports the lines just coloured: no change of the text
    bool flushQueued_ = false;
    bool restorePending_ = false;
    int savedCaretLine_ = 0;  // the caret line before the change being recorded
    std::string scratch_;
};

// The editor's own edit (a command, a replacement, undo or redo): what the user changed before
// it is recorded first; its own changes are gathered while it runs and recorded (or, for undo
// and redo, only followed) when it flushes.
class EditAction {
public:
    explicit EditAction(CNcTextEdit* edit);
    ~EditAction();
    EditAction(const EditAction&) = delete;
    EditAction& operator=(const EditAction&) = delete;

private:
    CNcTextEdit* edit_;
};
