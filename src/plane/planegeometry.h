// SPDX-License-Identifier: GPL-3.0-or-later
// The plane of a problem with two variables as geometry: its constraints as
// half-planes, the feasible region and its kind, the method's path through
// the points of the report's tables, the frame a view shows and the ticks
// of its axes. Plain functions of the problem and the path.
#ifndef PLANEGEOMETRY_H
#define PLANEGEOMETRY_H

#include "method/course.h"

#include <QLineF>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <optional>
#include <vector>

// The half-plane a0·x0 + a1·x1 <= b of one constraint.
struct HalfPlane {
    double a0, a1, b;
};

// The problem's constraints (with the changes made after an optimum) as
// half-planes, and its cuts of Gomory's method, in the order they were made.
std::vector<HalfPlane> halfPlanesOf(const Course &course);
std::vector<HalfPlane> cutsOf(const Course &course);

// The whole points of the feasible region inside a rectangle; none when the
// rectangle holds more whole points than a picture can show apart.
constexpr double kMostWholePoints = 2500;
std::vector<QPoint> wholePoints(const QRectF &rect, const std::vector<HalfPlane> &constraints);

// Whether the constraint has a line (a coefficient that is not 0).
bool hasLine(const HalfPlane &h);

// The part of the segment from `start` to `end` inside a rectangle, if any;
// the part of the constraint's line inside it, if it crosses it.
std::optional<QLineF> segmentInside(const QPointF &start, const QPointF &end, const QRectF &rect);
std::optional<QLineF> lineInside(const HalfPlane &h, const QRectF &rect);

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

// The points of the report's tables in order (after branch and bound, up to
// the first optimum), read as the report reads them; and the markers that draw them: tables with the same point share one.
std::vector<QPointF> pathOf(const Course &course);

// After branch and bound: each node's bound as a half-plane (x <= b, or
// -x <= -b), by node from 1; and the point of each node that has one, with
// its number, the integer optimum marked.
std::vector<HalfPlane> branchBoundsOf(const Course &course);
struct NodePoint {
    QPointF point;
    int node;
    bool optimum;
};
std::vector<NodePoint> nodePointsOf(const Course &course);
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

#endif // PLANEGEOMETRY_H
