// SPDX-License-Identifier: GPL-3.0-or-later
// The plane picture of a problem with two variables: the axes x0 and x1,
// every constraint's line, the feasible region shaded, and the dual simplex
// method's path through the points of the report's tables, which stay
// outside the region until the last one; at an optimum the level line of F
// through it and the direction in which F improves. The geometry is plain
// functions (planegeometry.h); this draws it on any painter, the window's
// or a document's, and words it for the caption.
#ifndef PLANEDRAWING_H
#define PLANEDRAWING_H

#include "plane/planegeometry.h"
#include "texts/reporttext.h"

#include <memory>

class QFont;
class QPainter;
class QPalette;

// A name of a line or cut, or the table numbers of a point, where it is drawn.
struct PlaneLabel {
    QString text;
    QRectF rect;
};

// What a picture of the plane draws: the constraints as half-planes in the
// quadrant where both coordinates are not negative, the cuts or the bounds
// and points of branch and bound's nodes, the path of
// the tables' points, the objective and its sense, whether the last point
// is the optimum, the axes' names and the constraints'.
struct PlaneProblem {
    std::vector<HalfPlane> constraints, cuts;
    std::vector<HalfPlane> bounds;  // branch and bound's, named Bk by node
    std::vector<NodePoint> nodes;   // branch and bound's nodes' points
    std::vector<QPointF> path;
    bool maximise = true;
    QPointF objective;
    bool optimum = false;
    QStringList axes;
    QString linePrefix = QStringLiteral("Y"); // the constraints' names: Y0, Y1, …
};

// The course's problem on the plane of x0 and x1.
PlaneProblem primalPlane(const Course &course);

// The drawing of one course (or any plane problem), mapped onto a rectangle
// of any painter.
class PlaneDrawing
{
public:
    explicit PlaneDrawing(const Course &course);
    explicit PlaneDrawing(const PlaneProblem &problem);
    ~PlaneDrawing();
    PlaneDrawing(PlaneDrawing &&) noexcept;
    PlaneDrawing &operator=(PlaneDrawing &&) noexcept;

    // Where a point of the plane is drawn in `rect`.
    QPointF toScreen(const QPointF &p, const QRectF &rect);
    // The whole drawing in `rect`, its colours from `palette` (the base
    // behind it is the caller's).
    void paint(QPainter &painter, const QRectF &rect, const QPalette &palette);
    // The labels as the drawing in `rect` places them in `font`: apart from
    // each other and from the points.
    std::vector<PlaneLabel> labels(const QRectF &rect, const QFont &font);

private:
    class Parts;
    std::unique_ptr<Parts> d;
};

// Whether the course has a picture on the plane: two variables, every field
// a finite number.
bool hasPlanePicture(const Course &course);

// The same drawing in `rect` of any painter (a page of a document, an image),
// in print colours on white, as vectors where the painter keeps them.
void paintPlane(QPainter &painter, const QRectF &rect, const Course &course);

#endif // PLANEDRAWING_H
