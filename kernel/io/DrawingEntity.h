// DrawingEntity: one line or arc found in a drawing file, before it becomes an element.
#pragma once

// A line or arc of the x/y plane as the drawing readers find it. Angles in degrees; an arc runs
// counter-clockwise from startAngle to endAngle (a full circle is 0 to 360).
struct DrawingEntity {
    enum class Kind { Line, Arc };
    Kind kind = Kind::Line;
    double x1 = 0.0;  // line start, arc centre
    double y1 = 0.0;
    double x2 = 0.0;  // line end
    double y2 = 0.0;
    double radius = 0.0;
    double startAngle = 0.0;
    double endAngle = 360.0;
};
