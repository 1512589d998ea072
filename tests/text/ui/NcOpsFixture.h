// The NC line list over an NcOpsHost of the test's own, with the modal dialogs of the NC
// operations answered by the test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <functional>
#include <memory>

#include "../core/FakeOpsHost.h"
#include "TempDir.h"
#include "text/CNcTextView.h"
#include "text/NcLineModel.h"

class NcOpsFixture : public ::testing::Test {
protected:
    test::TempDir dir;
    FakeOpsHost host;
    std::unique_ptr<CNcTextView> view;
    // Each modal dialog goes to this answer; the default closes it with Cancel.
    std::function<int(QDialog&)> answer = [](QDialog&) { return int(QDialog::Rejected); };
    std::vector<std::string> dialogs;  // object names of the dialogs run

    void SetUp() override {
        host.configFolder = dir.path();
        host.iniPath = dir.path() / "MV_System.ini";
        host.machine.FileName = (dir.path() / "MV_Machine.nmd").string();
    }
    void TearDown() override { view.reset(); }

    CNcTextView* Make(std::vector<std::string> text) {
        host.lines = std::move(text);
        NcTextViewContext ctx;
        ctx.IniPath = host.iniPath;
        ctx.Lines = [this] { return &host.lines; };
        ctx.Rules = [this] { return NcTextRules::FromMachine(host.machine, host.appMachineType); };
        ctx.TraceActive = [this] { return host.traceActive; };
        ctx.Ops = &host;
        ctx.RunModal = [this](QDialog& d) {
            dialogs.push_back(d.objectName().toStdString());
            return answer(d);
        };
        view = std::make_unique<CNcTextView>(nullptr, std::move(ctx));
        view->resize(400, 300);
        view->show();
        QApplication::processEvents();
        return view.get();
    }

    int ErrorMark(int row) const { return view->Model()->States().ErrorMark(size_t(row)); }
};
