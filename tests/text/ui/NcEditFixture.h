// A fixture that builds an NC editor over lines of the test's own, with recording fakes for
// what it reaches of the program (the commit, messages, the switch, the fixed phrases).
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "text/CNcTextEdit.h"

class NcEditFixture : public ::testing::Test {
public:  // the table tests' steps reach the fixture
    test::TempDir dir;
    std::vector<std::string> lines;
    NcTextRules rules;
    EditChangeList records;
    std::vector<std::vector<std::string>> commits;
    std::vector<std::string> messages;
    std::vector<std::string> phrases = std::vector<std::string>(8);
    int toggles = 0;
    int textChanges = 0;
    std::unique_ptr<CNcTextEdit> edit;

    std::filesystem::path Ini() const { return dir.path() / "MV_System.ini"; }

    NcTextViewContext Context() {
        NcTextViewContext ctx;
        ctx.IniPath = Ini();
        ctx.Lines = [this] { return &lines; };
        ctx.Rules = [this] { return rules; };
        ctx.ToggleEditMode = [this] { ++toggles; };
        ctx.Message = [this](const std::string& text) { messages.push_back(text); };
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
        lines = std::move(text);
        edit.reset();
        edit = std::make_unique<CNcTextEdit>(nullptr, Context());
        edit->resize(500, 300);
        edit->show();
        QApplication::processEvents();
        return edit.get();
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
