// A fixture that builds an NC editor over lines of the test's own, with recording fakes for
// what it reaches of the program (the commit, messages, the switch, the fixed phrases).
#pragma once

#include "NcTextFixture.h"
#include "text/CNcTextEdit.h"

class NcEditFixture : public NcTextFixture {
public:  // the table tests' steps reach the fixture
    EditChangeList records;
    std::vector<std::vector<std::string>> commits;
    std::vector<std::string> phrases = std::vector<std::string>(8);
    int textChanges = 0;
    std::unique_ptr<CNcTextEdit> edit;

    NcTextViewContext Context() {
        NcTextViewContext ctx = SharedContext();
        ctx.ChangeRecords = &records;
        ctx.InsertString = [this](int n) { return phrases[size_t(n)]; };
        ctx.CommitLines = [this](std::vector<std::string>&& l) {
            lines = l;
            commits.push_back(std::move(l));
        };
        ctx.TextChanged = [this] { ++textChanges; };
        return ctx;
    }

    CNcTextEdit* Make(std::vector<std::string> text) {
        return Show(edit, std::move(text), Context(), 500);
    }

    // The caret to a character position.
    void Caret(int position, int anchor = -1) {
        QTextCursor c = edit->textCursor();
        c.setPosition(anchor < 0 ? position : anchor);
        if (anchor >= 0) c.setPosition(position, QTextCursor::KeepAnchor);
        edit->setTextCursor(c);
    }

    // The control's own text, to check the editor's record of it.
    QString ControlText() const { return edit->document()->toPlainText(); }
};
