// ElemViewDraw: draws projected element chains and the view's marks with a QPainter.
#pragma once

#include <QColor>
#include <QPoint>
#include <array>
#include <cstdint>
#include <vector>

#include "kernel/base/CxyData.h"
#include "kernel/base/CxyzData.h"
#include "views/ElemViewFrameState.h"
#include "views/RasterLine.h"
#include "views/model/ElemViewSettings.h"
#include "views/model/ViewProjection.h"
#include "views/model/ViewWindow.h"

class CDtbArc;
class ProjectedLayer;
struct ProjectedSegment;
class CDtbElement;
class CDtbLine;
class QFont;
class QPainter;

// The colour of a stored triple: only the low eight bits of each component count.
QColor ToQColor(ViewRgb colour);

// A segment in client pixels, before the conversion to int.
struct PixelSegment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// True when the line a-b lies wholly on one side of the world window (drawn nothing).
bool CullLine(const ViewWindow& w, double ax, double ay, double bx, double by);
// The pixels of the line a-b, kept near the client area. Above one pixel per unit an end
// outside the client area is moved to the view's client diagonal from the visible end (both
// outside: half a diagonal either side of the foot of the perpendicular from the client
// centre), so the visible part is unchanged. At any scale pixels farther off than the
// rasteriser can take are pulled in along the line the same way.
PixelSegment LinePixels(const ViewWindow& w, double ax, double ay, double bx, double by);

// How an arc reaches the screen.
struct ArcPixels {
    enum Kind { None, Dot, Chord, Arc } kind = None;
    double g = 0, h = 0;  // start and end angle, counter-clockwise, 0 <= g < h < 720
    QPoint k, s, e;       // centre, start and end pixel
    int radius = 0;       // pixel radius
};
ArcPixels PlanArc(const ViewWindow& w, const CDtbArc& arc);

// One walker per drawing call. Pen and brush are set for each layer and live for that call.
// Everything is drawn without antialiasing so that XOR pairs restore their pixels exactly.
class ElemViewDraw {
public:
    ElemViewDraw(QPainter& painter, const ViewWindow& window);
    QPainter& Painter() { return p_; }

    // The layer pen (style 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none; the
    // width in pixels) and a solid brush, both in colour.
    void SelectPen(ViewRgb colour, int style, int width);

    // One layer with one pen: lines and arcs whose class shares a bit with classMask.
    int DrawLayer(const CDtbElement* first, ViewRgb colour, int style, int width, int classMask,
                  bool onlyFirst);
    // Rapid moves with the pen table's FF entry, then mark, cut and punch in colour.
    int DrawLayerTwoPass(const CDtbElement* first, ViewRgb colour, int width, const ElemPen& ff,
                         bool onlyFirst);
    // Rapid, mark, cut and punch with their pen-table pens; with condition colours on, mark and
    // cut once per distinct element colour, in the order the colours first occur.
    int DrawLayerByClass(const CDtbElement* first, const ElemViewPenTable& pens, bool onlyFirst);
    // An arrowhead where each line and each true arc ends; arrowSize in thousandths of the
    // window diagonal.
    void DrawEdgeArrows(const CDtbElement* first, ViewRgb colour, int arrowSize, bool onlyFirst);
    // The A/C head-direction lines, 1 pixel wide.
    void DrawAcAxisLayer(const CDtbElement* first, ViewRgb colour, bool onlyFirst);
    // The torch mark of diameter size pixels at a view position.
    void DrawTorchMark(const CxyzData& position, int size, ViewRgb outline, ViewRgb fill);
    // The origin mark at a client pixel.
    void DrawOriginMark(QPoint pixel);
    // The same two for a layer in its projected form (LayerMain): the same pixels as the walk
    // of its element tree. Only the runs [first, end) when given (one element's runs).
    int DrawLayer(const ProjectedLayer& layer, ViewRgb colour, int style, int width, int classMask,
                  uint32_t first = 0, uint32_t end = UINT32_MAX);
    int DrawLayerByClass(const ProjectedLayer& layer, const ElemViewPenTable& pens,
                         uint32_t first = 0, uint32_t end = UINT32_MAX);
    // Arrowheads at the ends of the given lines (DrawEdgeArrows of a projected layer).
    void DrawEdgeArrows(const std::vector<ProjectedSegment>& lines, ViewRgb colour, int arrowSize);
    // The A/C head-direction lines of a projected layer, 1 pixel wide.
    void DrawAcAxisLines(const std::vector<ProjectedSegment>& lines, ViewRgb colour);
    // The XYZ indicator in the lower left corner; splitView halves it.
    void DrawXyzAxes(const ViewProjection& projection, int axisLength, bool splitView,
                     const QFont& font);

    // The chain gathered into polylines of at most 100 points; colourFilter -1 takes every
    // colour, else only elements of exactly that colour value.
    int DrawElementsPolyline(const CDtbElement* first, int classMask, bool onlyFirst,
                             long colourFilter);
    // The chain element by element (groups as polylines). 1 when anything was handed over.
    int DrawElements(const CDtbElement* first, int classMask, bool onlyFirst);
    // One line or arc with the current pen. 0 when culled or not drawable.
    int DrawElement(const CDtbElement* element);
    // End mark kind 1 (arrowhead) or 2 (dot) at view point (x, y); size in view units.
    void DrawEdgeArrow(int kind, double x, double y, double angle, double size);

    // The distinct colour values of the lines and arcs of the chain whose class shares a bit
    // with classMask, in the order found (punch groups are not entered).
    static void CollectColors(const CDtbElement* first, int classMask,
                              std::vector<unsigned>& colours);

private:
    struct Polyline {
        std::array<QPoint, 102> points;
        int count = 0;
    };
    int DrawLine(const CDtbLine& line, Polyline* buffer);
    int DrawSegment(double ax, double ay, double bx, double by, int startMark, int endMark,
                    Polyline* buffer);
    int DrawRuns(const ProjectedLayer& layer, int classMask, long colourFilter,
                 bool topLevelAsLines, uint32_t first, uint32_t end);
    void DrawPiecesZoomedOut(const CxyData* pieces, int count, Polyline& buffer);
    bool ZoomedOutPixel(double x, double y, QPoint& pixel) const;
    void ArrowAt(double ax, double ay, double bx, double by, double size);
    void AcAxisLine(double ax, double ay, double bx, double by);
    // A line or polyline with the current pen.
    void StrokeLine(QPoint a, QPoint b);
    void StrokePolyline(const QPoint* points, int count);
    int DrawArc(const CDtbArc& arc, Polyline* buffer);
    void Flush(Polyline& buffer);
    void DrawEndMarks(int startMark, int endMark, double x1, double y1, double x2, double y2,
                      double angle);
    void ArrowFor(const CDtbElement* e, double size);
    void DrawAxisArrow(const ViewProjection& projection, int axis, int length, int margin);
    double MarkSize() const;

    QPainter& p_;
    const ViewWindow& w_;
    RasterTarget raster_;  // the image's pixels when drawing on a 32-bit image
    bool fast_ = false;    // the current pen's lines go straight into raster_
    int fastWidth_ = 1;
    uint32_t fastColour_ = 0;
};
