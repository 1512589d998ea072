// What the NC list and NC editor fixtures share: a temporary folder for the settings file, the
// test's own lines and rules, and recording fakes for the edit-mode switch and the messages.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "text/NcTextViewContext.h"

class NcTextFixture : public ::testing::Test {
public:  // the table tests' steps reach the fixture
    test::TempDir dir;
    std::vector<std::string> lines;
    NcTextRules rules;
    int toggles = 0;
    std::vector<std::string> messages;

    std::filesystem::path Ini() const { return dir.path() / "MV_System.ini"; }

    // The context parts both widgets read: the settings file, the lines, the rules, the switch
    // and the messages.
    NcTextViewContext SharedContext() {
        NcTextViewContext ctx;
        ctx.IniPath = Ini();
        ctx.Lines = [this] { return &lines; };
        ctx.Rules = [this] { return rules; };
        ctx.ToggleEditMode = [this] { ++toggles; };
        ctx.Message = [this](const std::string& text) { messages.push_back(text); };
        return ctx;
    }

    // A new widget with context over text in widget (the old one goes first), shown at width
    // by 300 pixels.
    template <class Widget>
    Widget* Show(std::unique_ptr<Widget>& widget, std::vector<std::string> text,
                 NcTextViewContext context, int width) {
        lines = std::move(text);
        widget.reset();
        widget = std::make_unique<Widget>(nullptr, std::move(context));
        widget->resize(width, 300);
        widget->show();
        QApplication::processEvents();
        return widget.get();
    }
};
