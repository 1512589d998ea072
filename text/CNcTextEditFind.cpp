// CNcTextEdit: find and replace through the find and replace dialogs.
#include <QTextBlock>
#include <QTextDocument>

#include "text/CNcTextEdit.h"
#include "text/core/TextStrings.h"

namespace {

constexpr unsigned kMsgSearchDone = 20070;
constexpr unsigned kMsgReplaceDone = 20071;

}  // namespace

void CNcTextEdit::Find() {
    OpenFindDialog(false);
}

void CNcTextEdit::Replace() {
    OpenFindDialog(true);
}

void CNcTextEdit::OpenFindDialog(bool replace) {
    if (FindDialog) return;
    FindDialogOptions options;
    options.FindText = FindText;
    options.ReplaceText = ReplaceText;
    options.SearchDown = SearchDown != 0;
    options.MatchCase = MatchCase != 0;
    FindReplaceDialog* dlg =
        replace ? static_cast<FindReplaceDialog*>(new CCustomReplace(this, options))
                : new CCustomFind(this, options);
    FindDialog = dlg;
    FindMode = replace ? 1 : 0;
    connect(dlg, &FindReplaceDialog::findNext, this, &CNcTextEdit::OnFindDialogNext);
    connect(dlg, &FindReplaceDialog::replaceCurrent, this, &CNcTextEdit::OnReplaceCurrent);
    connect(dlg, &FindReplaceDialog::replaceAll, this, &CNcTextEdit::OnReplaceAll);
    connect(dlg, &FindReplaceDialog::closing, this, &CNcTextEdit::CloseFindDialog);
    dlg->show();
}

void CNcTextEdit::FindMessage(unsigned id) {
    Message(TextString(id));
    // The search goes on from the dialog, not from the window the message box left active.
    if (FindDialog) FindDialog->activateWindow();
}

void CNcTextEdit::CloseFindDialog() {
    FindReplaceDialog* dlg = FindDialog;
    FindDialog = nullptr;
    DismissFindDialog(dlg, this);
}

int CNcTextEdit::SearchForward(QTextCursor from, bool select) {
    if (FindText.isEmpty()) return 0;
    QTextDocument::FindFlags flags;
    if (MatchCase) flags |= QTextDocument::FindCaseSensitively;
    // From the end of the cursor's selection, or from its position when it has none.
    const QTextCursor hit = document()->find(FindText, from, flags);
    if (hit.isNull()) return 0;
    if (select) {
        setTextCursor(hit);
        ensureCursorVisible();
    }
    return 1;
}

int CNcTextEdit::SearchBackward() {
    const Qt::CaseSensitivity cs = MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // Both the line and the find text are compared without case when MatchCase is 0; a
    // mixed-case find text would otherwise never match.
    for (QTextBlock b = textCursor().block().previous(); b.isValid(); b = b.previous()) {
        const int at = int(b.text().indexOf(FindText, 0, cs));
        if (at < 0) continue;
        QTextCursor c(document());
        c.setPosition(b.position() + at);
        c.setPosition(b.position() + at + int(FindText.size()), QTextCursor::KeepAnchor);
        setTextCursor(c);
        ensureCursorVisible();
        return 1;
    }
    return -1;
}

int CNcTextEdit::FindNext() {
    if (FindText.isEmpty()) return 0;
    SearchDown = 1;
    return SearchForward(textCursor(), true);
}

int CNcTextEdit::FindPrevious() {
    if (FindText.isEmpty()) return 0;
    SearchDown = 0;
    return SearchBackward() == 1 ? 1 : 0;
}

void CNcTextEdit::OnFindDialogNext() {
    if (!FindDialog) return;
    SearchDown = FindDialog->SearchDown() ? 1 : 0;
    MatchCase = FindDialog->MatchCase() ? 1 : 0;
    FindText = FindDialog->FindText();
    const int found = SearchDown ? SearchForward(textCursor(), true) : SearchBackward() == 1;
    if (!found) FindMessage(kMsgSearchDone);
}

bool CNcTextEdit::TakeReplaceTexts() {
    if (!FindDialog) return false;
    MatchCase = FindDialog->MatchCase() ? 1 : 0;
    FindText = FindDialog->FindText();
    ReplaceText = FindDialog->ReplaceText();
    // An empty find text would match at the same place for ever.
    return !FindText.isEmpty() && !RefuseText(ReplaceText);
}

void CNcTextEdit::OnReplaceCurrent() {
    if (!TakeReplaceTexts()) return;
    // The search runs forward from the selection's start, so a selected match is replaced.
    QTextCursor from = textCursor();
    from.setPosition(from.selectionStart());
    QTextDocument::FindFlags flags;
    if (MatchCase) flags |= QTextDocument::FindCaseSensitively;
    const QTextCursor hit = document()->find(FindText, from, flags);
    if (hit.isNull()) {
        FindMessage(kMsgReplaceDone);
        return;
    }
    {
        // One record per occurrence, holding the matched text as it stood.
        EditAction action(this);
        const int start = hit.selectionStart();
        setTextCursor(
            ApplySplice({start, hit.selectionEnd() - start, ReplaceText.toStdU16String()}, true));
    }
    if (!SearchForward(textCursor(), true)) FindMessage(kMsgReplaceDone);
}

void CNcTextEdit::OnReplaceAll() {
    if (!TakeReplaceTexts()) return;
    Flush(true);
    // Every occurrence from the start, each search going on after the previous match; no find
    // text holds a line break, so matching the whole text is matching line by line.
    const Qt::CaseSensitivity cs = MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int length = int(FindText.size());
    std::vector<int> hits;
    for (qsizetype at = text_.indexOf(FindText, 0, cs); at >= 0;
         at = text_.indexOf(FindText, at + length, cs))
        hits.push_back(int(at));
    if (hits.empty()) {
        FindMessage(kMsgReplaceDone);
        return;
    }
    {
        EditAction action(this);
        // The document is changed in one edit, last occurrence first so the others keep
        // their places; the text and the records are made alongside in one pass rather than
        // one pass over the whole text per occurrence.
        loading_ = true;
        QTextCursor c(document());
        c.beginEditBlock();
        for (auto it = hits.rbegin(); it != hits.rend(); ++it) {
            c.setPosition(*it);
            c.setPosition(*it + length, QTextCursor::KeepAnchor);
            if (ReplaceText.isEmpty())
                c.removeSelectedText();
            else
                c.insertText(ReplaceText);
        }
        c.endEditBlock();
        loading_ = false;
        QString text;
        text.reserve(text_.size() + qsizetype(hits.size()) * (ReplaceText.size() - length));
        int copied = 0;
        int shift = 0;
        const std::u16string replacement = ReplaceText.toStdU16String();
        for (const int at : hits) {
            text += QStringView(text_).mid(copied, at - copied);
            const QString matched = text_.mid(at, length);
            text += ReplaceText;
            copied = at + length;
            const std::u16string removed = matched.toStdU16String();
            if (auto r = MakeChangeRecord(at + shift, removed, replacement)) records_->Push(*r);
            shift += int(ReplaceText.size()) - length;
        }
        text += QStringView(text_).mid(copied);
        text_ = std::move(text);
        Modified = 1;
        QTextCursor end(document());
        end.setPosition(hits.back() + shift + length);
        setTextCursor(end);
        ensureCursorVisible();
        if (ctx_.TextChanged) ctx_.TextChanged();
    }
    FindMessage(kMsgReplaceDone);
}
