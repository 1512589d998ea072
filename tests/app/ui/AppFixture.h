// A fresh application per test: its own configuration folder and per-user profile, and a
// scripted prompt that records the questions.
#pragma once

#include <gtest/gtest.h>

#include <QSettings>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "TempDir.h"
#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "kernel/db/CDtbNode.h"
#include "platform/ScriptedPrompt.h"

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_DATA_HOME", (dir_.path() / "data").c_str(), 1);
        // The instance's socket and mark go into a runtime folder of the test's own.
        std::filesystem::create_directories(RuntimeFolder());
        std::filesystem::permissions(RuntimeFolder(), std::filesystem::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", RuntimeFolder().c_str(), 1);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString((dir_.path() / "profile").string()));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString((dir_.path() / "profile").string()));
    }
    void TearDown() override { app_.reset(); }

    // Starts an application with these arguments; the previous one ends first (as a program
    // run that was closed).
    bool Start(const std::vector<std::string>& args, QSize screen = QSize(1920, 1080)) {
        if (app_) {
            app_->MainFrame()->close();
            app_.reset();
        }
        prompt_ = std::make_unique<platform::ScriptedPrompt>();
        app_ = std::make_unique<CTessmarkApp>();
        AppStartOptions options;
        options.Prompt = prompt_.get();
        options.ScreenSize = screen;
        return app_->InitInstance(args, options);
    }

    CMainFrame* Frame() const { return app_->MainFrame(); }
    bool Asked(const std::string& part) const {
        for (const auto& a : prompt_->asked)
            if (a.text.find(part) != std::string::npos) return true;
        return false;
    }
    static std::string Sample() {
        return std::string(MORVALEN_SOURCE_DIR) + "/examples/laser-sample.nc";
    }
    // The punch hits in the open program's drawing.
    int PunchHits() const {
        int hits = 0;
        std::function<void(const CDtbElement*)> count = [&](const CDtbElement* e) {
            for (; e; e = e->link.next)
                if (const auto* n = DtbCast<CDtbNode>(e)) {
                    if (n->kindName == "Punch1") ++hits;
                    count(n->firstChild);
                }
        };
        count(app_->Document->Elements.GetFirstElement());
        return hits;
    }
    std::filesystem::path ConfigFolder() const { return dir_.path() / "data" / "Morvalen"; }
    std::filesystem::path RuntimeFolder() const { return dir_.path() / "run"; }

    test::TempDir dir_;
    std::unique_ptr<platform::ScriptedPrompt> prompt_;
    std::unique_ptr<CTessmarkApp> app_;
};
