// A wizard over a fixture setup file in a temporary tree, with the fakes of the engine tests.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <memory>

#include "installer/CInstallWizard.h"
#include "installer/SetupPage.h"
#include "installer/engine/InstallerTestSupport.h"
#include "installer/engine/SetupInfo.h"
#include "installer/engine/Startup.h"

namespace installer::test {

class WizardFixture : public SandboxFixture {
protected:
    void SetUp() override { ASSERT_TRUE(box.Contained()); }
    void TearDown() override {
        if (wizard) wizard->hide();
    }
    // Writes the setup file beside a fake installer and opens the wizard of mode on it.
    void Open(std::string_view setup, int mode = 0) {
        Write(box.source / "haldimon.INF", setup);
        Write(box.source / "haldimon", "installer");
        state.Mode = mode;
        ASSERT_TRUE(InitInstallerPaths(state, (box.source / "haldimon").string()));
        ASSERT_EQ(1, ReadSetupFile(state, engine.Keys, box.platform, ui));
        engine.CurrentFolder = state.SourceFolder;
        wizard = std::make_unique<CInstallWizard>(ctx);
        wizard->show();
        QApplication::processEvents();
    }
    QAbstractButton* Button(QWizard::WizardButton b) const { return wizard->button(b); }
    bool Enabled(QWizard::WizardButton b) const {
        return Button(b)->isVisible() && Button(b)->isEnabled();
    }
    template <class Page>
    Page* Current() const {
        return qobject_cast<Page*>(wizard->currentPage());
    }

    FakeProbe probe;
    WizardContext ctx{state, engine, probe};
    std::unique_ptr<CInstallWizard> wizard;
};

}  // namespace installer::test
