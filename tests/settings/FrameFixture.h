// The application with its real element views, for the frame's settings commands.
#pragma once

#include <QApplication>
#include <QImage>
#include <filesystem>

#include "app/ViewPanes.h"
#include "app/ui/AppFixture.h"

class FrameFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        InstallViewPanes();
    }
    void TearDown() override {
        AppFixture::TearDown();
        PaneFactory::Instance() = PaneFactory{};
    }
    // The punch sample (program, machine file and die files) copied into a folder of the test's
    // own, so that nothing a test does can change the shipped files; returns the program.
    std::filesystem::path PunchSample() {
        const std::filesystem::path examples =
            std::filesystem::path(MORVALEN_SOURCE_DIR) / "examples";
        const std::filesystem::path folder = dir_.path() / "examples";
        std::filesystem::create_directories(folder);
        for (const char* name :
             {"punch-sample.nc", "punch-sample.nmd", "punch-sample.dat", "punch-sample.arr"})
            std::filesystem::copy_file(examples / name, folder / name,
                                       std::filesystem::copy_options::overwrite_existing);
        return folder / "punch-sample.nc";
    }
    // Pixels of the colour in the active element view.
    int Count(QColor colour) {
        QApplication::processEvents();
        const QImage img = Frame()->GetActiveElemView()->Widget()->grab().toImage();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (QColor(img.pixel(x, y)) == colour) ++n;
        return n;
    }
};
