// A shown element view of 400 x 300 pixels over an element database the test fills.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "views/CNcElemView.h"

class ElemViewFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    void SetUp() override {
        view = std::make_unique<CNcElemView>();
        view->Context().Elements = &doc;
        view->FrameState().XYZAxis = 0;  // out of the way unless a test wants it
        view->SetViewType(kViewTop, 0, 0, 0);
        view->resize(kWidth, kHeight);
        view->show();
        // Pens of the machine's pen table: distinct colours, one pixel wide.
        const ViewRgb colours[6] = {{0, 0, 200},  {200, 0, 200}, {0, 200, 0},
                                    {10, 10, 10}, {20, 20, 20},  {200, 200, 0}};
        for (int i = 0; i < 6; ++i) view->FrameState().Pens.entries[size_t(i)] = {colours[i], 1, 0};
    }

    // The world window 0..400 x 0..300 at one pixel per unit, or the given window fitted.
    void SetWindow(double xmin, double ymin, double xmax, double ymax) {
        ViewWindow& w = view->Model().MutableWindow();
        w.xmin = xmin;
        w.ymin = ymin;
        w.xmax = xmax;
        w.ymax = ymax;
        view->Model().FitAspect();
    }

    static CDtbInfo Info(ViewRgb c, int classBits, int width = 1) {
        CDtbInfo i;
        i.red = c.r;
        i.green = c.g;
        i.blue = c.b;
        i.penWidth = width;
        i.classBits = classBits;
        return i;
    }
    // A line of the document (world coordinates; Top view without rotation keeps x and y).
    CDtbLine* AddLine(double x1, double y1, double x2, double y2, int classBits,
                      ViewRgb c = {255, 0, 0}) {
        return doc.Append(std::make_unique<CDtbLine>(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0),
                                                     Info(c, classBits)));
    }
    static void AddTo(ViewLayer& layer, double x1, double y1, double x2, double y2, int classBits,
                      ViewRgb c = {255, 0, 0}) {
        layer.Append(std::make_unique<CDtbLine>(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0),
                                                Info(c, classBits)));
    }

    QRgb Pixel(int x, int y) const { return view->BackBuffer().pixel(x, y) & 0xFFFFFFu; }
    static QRgb Rgb(ViewRgb c) { return qRgb(c.r & 0xFF, c.g & 0xFF, c.b & 0xFF) & 0xFFFFFFu; }
    QRgb Background() const { return Rgb(view->Model().Settings().Colour(kBackGround)); }
    // Client pixel of a view point.
    QPoint Px(double x, double y) const {
        const ViewWindow& w = view->Model().Window();
        return QPoint(WorldToScreenX(w, x), WorldToScreenY(w, y));
    }

    CDtbEngine doc;
    std::unique_ptr<CNcElemView> view;
};
