// SPDX-License-Identifier: GPL-3.0-or-later
// The plane view of a problem with two variables: the axes x0 and x1, every
// constraint's line, the feasible region shaded, and the dual simplex
// method's path through the points of the report's tables, which stay
// outside the region until the last one; at an optimum the level line of F
// through it and the direction in which F improves. The geometry is plain
// functions of the problem and the path; the window only draws it.
#ifndef PLANEVIEW_H
#define PLANEVIEW_H

#include "course.h"
#include "reporttext.h"

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <vector>

class QPainter;
class QWidget;

// The half-plane a0·x0 + a1·x1 <= b of one constraint.
struct HalfPlane {
    double a0, a1, b;
};

std::vector<HalfPlane> halfPlanesOf(const Course &course);

// Whether a point satisfies every constraint and x0, x1 >= 0, allowing for
// the six digits a report shows: a tolerance relative to each constraint's
// terms, where the method tests free terms absolutely (see
// isNegativeFreeTerm in tableau.h for why the two differ).
bool isFeasible(const QPointF &p, const std::vector<HalfPlane> &constraints);

// The feasible region inside a rectangle: the rectangle clipped by x0 >= 0,
// x1 >= 0 and every half-plane; an empty polygon when none of it is feasible.
QPolygonF feasiblePolygon(const QRectF &rect, const std::vector<HalfPlane> &constraints);

enum class Region { Empty, Bounded, Unbounded };
// The kind of the whole feasible region (with x0, x1 >= 0), not only of its
// part in a view.
Region regionKind(const std::vector<HalfPlane> &constraints);

// The points of the report's tables in order, read as the report reads them;
// and the markers that draw them: tables with the same point share one.
std::vector<QPointF> pathOf(const Course &course);
struct Marker {
    QPointF point;
    QList<int> tables;
    bool feasible;
};
std::vector<Marker> markersOf(const std::vector<QPointF> &path, const std::vector<HalfPlane> &constraints);

// The part of the plane the view shows: the origin, every path point and the
// points where each line meets the axes (where finite), with a margin.
QRectF viewFrame(const std::vector<QPointF> &path, const std::vector<HalfPlane> &constraints);

// Whether both axes can be drawn at one scale and stay readable: the one
// range at most kScaleRatio times the other.
constexpr double kScaleRatio = 5;
bool oneScale(const QRectF &frame);

// A round step for ticks (1, 2 or 5 times a power of ten) so that at most
// `count` of them cover `range`, and the ticks of [from, to] at that step.
double tickStep(double range, int count);
std::vector<double> ticksOf(double from, double to, double step);

// The window "На плоскости" for the view's course, owned by the report
// window and transient for it. Its caption states the verdict in the view's
// numbers; the picture and the caption follow the view when it changes (the
// fractions, the path so far in practice).
QWidget *openPlaneView(const CourseView &view, QWidget *report);
void updatePlaneView(QWidget *planeView, const CourseView &view);

// Whether the course has a picture on the plane: two variables, every field
// a finite number.
bool hasPlanePicture(const Course &course);

// The same drawing in `rect` of any painter (a page of a document, an image),
// in print colours on white, as vectors where the painter keeps them.
void paintPlane(QPainter &painter, const QRectF &rect, const Course &course);

// Where a point of the plane is drawn in that window, in its coordinates.
QPoint planePointInWindow(const QWidget *planeView, const QPointF &p);

#endif // PLANEVIEW_H
