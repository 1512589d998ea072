// The application with its real element views, for the frame's settings commands.
#pragma once

#include <QApplication>
#include <QImage>

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
