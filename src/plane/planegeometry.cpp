// SPDX-License-Identifier: GPL-3.0-or-later
// Implements planegeometry.h: the plane of a problem with two variables as
// geometry.
#include "plane/planegeometry.h"

#include "method/basictext.h"

#include <algorithm>
#include <cmath>

namespace {

// A point satisfies a constraint when it breaks it by no more than this
// share of the constraint's terms: the report shows six digits.
constexpr double kFeasibleShare = 1e-6;
// The margin around what the view must show, as a share of its range.
constexpr double kMarginShare = 0.12;

// The part of a convex polygon where a0·x + a1·y <= b.
QPolygonF clip(const QPolygonF &polygon, double a0, double a1, double b)
{
    QPolygonF out;
    for (int k = 0; k < polygon.size(); ++k) {
        const QPointF p = polygon[k], q = polygon[(k + 1) % polygon.size()];
        const double fp = a0 * p.x() + a1 * p.y() - b, fq = a0 * q.x() + a1 * q.y() - b;
        if (fp <= 0)
            out << p;
        if ((fp <= 0) != (fq <= 0))
            out << p + (q - p) * (fp / (fp - fq));
    }
    return out;
}

} // namespace

bool hasLine(const HalfPlane &h)
{
    return h.a0 != 0 || h.a1 != 0;
}

// The part of the segment from `start` to `end` inside a rectangle, if any
// (Liang and Barsky's clipping).
std::optional<QLineF> segmentInside(const QPointF &start, const QPointF &end, const QRectF &rect)
{
    if (!std::isfinite(start.x()) || !std::isfinite(start.y()) || !std::isfinite(end.x()) || !std::isfinite(end.y()))
        return std::nullopt;
    const QPointF d = end - start;
    double from = 0, to = 1;
    const double p[4] = {-d.x(), d.x(), -d.y(), d.y()};
    const double q[4] = {start.x() - rect.left(), rect.right() - start.x(), start.y() - rect.top(),
                         rect.bottom() - start.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            from = std::max(from, t);
        else
            to = std::min(to, t);
    }
    if (from > to)
        return std::nullopt;
    return QLineF(start + d * from, start + d * to);
}

// The part of the line a0·x + a1·y = b inside a rectangle, if it crosses
// it: a piece of the line longer than the rectangle, around its point
// nearest the rectangle's centre, clipped.
std::optional<QLineF> lineInside(const HalfPlane &h, const QRectF &rect)
{
    const double norm2 = h.a0 * h.a0 + h.a1 * h.a1;
    if (norm2 == 0)
        return std::nullopt;
    const QPointF centre = rect.center();
    const double offset = (h.a0 * centre.x() + h.a1 * centre.y() - h.b) / norm2;
    const QPointF p0 = centre - QPointF(h.a0, h.a1) * offset;
    const double reach = std::hypot(rect.width(), rect.height()) / std::sqrt(norm2);
    const QPointF d = QPointF(h.a1, -h.a0) * reach;
    const std::optional<QLineF> part = segmentInside(p0 - d, p0 + d, rect);
    if (!part || part->length() == 0)
        return std::nullopt;
    return part;
}

// The rows of the problem of the last table (or, after branch and bound,
// of the first optimum): its constraints, with the changes made after an
// optimum, and then its cuts.
std::vector<HalfPlane> problemRows(const Course &course)
{
    const int last = course.branched() ? course.nodes[0].lastTable : int(course.tables.size()) - 1;
    const std::vector<double> a = course.constraintsAt(last), b = course.rightHandsAt(last);
    std::vector<HalfPlane> rows;
    for (size_t i = 0; i < b.size(); ++i)
        rows.push_back({a[i * course.n], a[i * course.n + 1], b[i]});
    return rows;
}

std::vector<HalfPlane> halfPlanesOf(const Course &course)
{
    std::vector<HalfPlane> rows = problemRows(course);
    rows.resize(rows.size() - size_t(course.cutsAt(int(course.tables.size()) - 1)));
    return rows;
}

std::vector<HalfPlane> cutsOf(const Course &course)
{
    const std::vector<HalfPlane> rows = problemRows(course);
    return std::vector<HalfPlane>(rows.end() - course.cutsAt(int(course.tables.size()) - 1), rows.end());
}

std::vector<QPoint> wholePoints(const QRectF &rect, const std::vector<HalfPlane> &constraints)
{
    std::vector<QPoint> points;
    const double left = std::max(0.0, std::ceil(rect.left())), top = std::max(0.0, std::ceil(rect.top()));
    if ((rect.right() - left + 1) * (rect.bottom() - top + 1) > kMostWholePoints)
        return points;
    for (double x = left; x <= rect.right(); ++x)
        for (double y = top; y <= rect.bottom(); ++y)
            if (isFeasible(QPointF(x, y), constraints))
                points.push_back(QPoint(int(x), int(y)));
    return points;
}

bool isFeasible(const QPointF &p, const std::vector<HalfPlane> &constraints)
{
    auto allowance = [](double scale) { return kFeasibleShare * std::max(1.0, scale); };
    if (p.x() < -allowance(std::abs(p.x())) || p.y() < -allowance(std::abs(p.y())))
        return false;
    for (const HalfPlane &h : constraints) {
        const double lhs = h.a0 * p.x() + h.a1 * p.y();
        if (lhs > h.b + allowance(std::abs(h.a0 * p.x()) + std::abs(h.a1 * p.y()) + std::abs(h.b)))
            return false;
    }
    return true;
}

QPolygonF feasiblePolygon(const QRectF &rect, const std::vector<HalfPlane> &constraints)
{
    QPolygonF region = clip(clip(QPolygonF(rect), -1, 0, 0), 0, -1, 0);
    for (const HalfPlane &h : constraints) {
        if (!hasLine(h) && h.b < 0)
            return QPolygonF();
        if (hasLine(h))
            region = clip(region, h.a0, h.a1, h.b);
    }
    return region.size() >= 3 ? region : QPolygonF();
}

Region regionKind(const std::vector<HalfPlane> &constraints)
{
    // A region with x0, x1 >= 0 that is not empty has a corner: where two of
    // its lines (the axes among them) meet.
    std::vector<HalfPlane> lines{{1, 0, 0}, {0, 1, 0}};
    for (const HalfPlane &h : constraints)
        if (hasLine(h))
            lines.push_back(h);
    bool empty = true;
    for (size_t k = 0; k < lines.size() && empty; ++k) {
        for (size_t l = k + 1; l < lines.size() && empty; ++l) {
            const HalfPlane &g = lines[k], &h = lines[l];
            const double det = g.a0 * h.a1 - g.a1 * h.a0;
            if (std::abs(det) <= 1e-12 * (std::abs(g.a0 * h.a1) + std::abs(g.a1 * h.a0)))
                continue;
            const QPointF corner((g.b * h.a1 - g.a1 * h.b) / det, (g.a0 * h.b - g.b * h.a0) / det);
            empty = !isFeasible(corner, constraints);
        }
    }
    if (empty)
        return Region::Empty;
    // It is unbounded when a direction d >= 0 keeps every constraint: such a
    // direction can be taken along an axis or along a constraint's line.
    std::vector<QPointF> directions{{1, 0}, {0, 1}};
    for (const HalfPlane &h : constraints) {
        if (hasLine(h)) {
            const double length = std::hypot(h.a0, h.a1);
            directions.push_back(QPointF(h.a1, -h.a0) / length);
            directions.push_back(QPointF(-h.a1, h.a0) / length);
        }
    }
    for (const QPointF &d : directions) {
        bool keeps = d.x() >= -1e-12 && d.y() >= -1e-12;
        for (const HalfPlane &h : constraints)
            keeps = keeps && h.a0 * d.x() + h.a1 * d.y() <= 1e-12 * std::hypot(h.a0, h.a1);
        if (keeps)
            return Region::Unbounded;
    }
    return Region::Bounded;
}

std::vector<QPointF> pathOf(const Course &course)
{
    std::vector<QPointF> path;
    const int last = course.branched() ? course.nodes[0].lastTable : int(course.tables.size()) - 1;
    for (int t = 0; t <= last; ++t) {
        const std::vector<double> x = course.tables[t].point();
        path.push_back(QPointF(x[0], x[1]));
    }
    return path;
}

std::vector<HalfPlane> branchBoundsOf(const Course &course)
{
    std::vector<HalfPlane> bounds;
    for (size_t k = 1; k < course.nodes.size(); ++k) {
        const Course::Change &bound = course.changes[course.nodes[k].change];
        bounds.push_back({bound.coefficients[0], bound.coefficients[1], bound.rightHand});
    }
    return bounds;
}

std::vector<NodePoint> nodePointsOf(const Course &course)
{
    std::vector<NodePoint> points;
    for (int k = 1; k < int(course.nodes.size()); ++k) {
        const Course::Node &node = course.nodes[k];
        if (node.end == Course::Node::NoSolution || node.end == Course::Node::Stopped)
            continue;
        const std::vector<double> x = course.tables[node.lastTable].point();
        points.push_back({QPointF(x[0], x[1]), k, k == course.record && course.ending == Course::Ending::IntegerOptimum});
    }
    return points;
}

std::vector<Marker> markersOf(const std::vector<QPointF> &path, const std::vector<HalfPlane> &constraints)
{
    // Points are the same when the report prints them alike.
    auto text = [](const QPointF &p) { return basictext::decimal(p.x()) + QLatin1Char(' ') + basictext::decimal(p.y()); };
    std::vector<Marker> markers;
    for (int t = 0; t < int(path.size()); ++t) {
        auto same = std::find_if(markers.begin(), markers.end(), [&](const Marker &m) { return text(m.point) == text(path[t]); });
        if (same != markers.end())
            same->tables << t;
        else
            markers.push_back({path[t], {t}, isFeasible(path[t], constraints)});
    }
    return markers;
}

QRectF viewFrame(const std::vector<QPointF> &path, const std::vector<HalfPlane> &constraints)
{
    std::vector<QPointF> shown{{0, 0}};
    shown.insert(shown.end(), path.begin(), path.end());
    for (const HalfPlane &h : constraints) {
        if (h.a0 != 0)
            shown.push_back({h.b / h.a0, 0});
        if (h.a1 != 0)
            shown.push_back({0, h.b / h.a1});
    }
    double left = 0, right = 0, bottom = 0, top = 0;
    for (const QPointF &p : shown) {
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
            continue;
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        bottom = std::min(bottom, p.y());
        top = std::max(top, p.y());
    }
    // The first quadrant, where the region lies, gets at least the room of
    // the negative side.
    right = std::max(right, -left);
    top = std::max(top, -bottom);
    double width = right - left, height = top - bottom;
    if (width <= 0)
        width = height > 0 ? height : 1;
    if (height <= 0)
        height = width;
    const QRectF frame(left - kMarginShare * width, bottom - kMarginShare * height, width * (1 + 2 * kMarginShare),
                       height * (1 + 2 * kMarginShare));
    // Values near the limits of doubles leave no frame to draw in.
    return std::isfinite(frame.width()) && std::isfinite(frame.height()) ? frame : QRectF(-1, -1, 2, 2);
}

bool oneScale(const QRectF &frame)
{
    const double ratio = frame.width() / frame.height();
    return ratio <= kScaleRatio && ratio >= 1 / kScaleRatio;
}

double tickStep(double range, int count)
{
    const double rough = range / count;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
}

std::vector<double> ticksOf(double from, double to, double step)
{
    std::vector<double> ticks;
    for (double k = std::ceil(from / step); k * step <= to; k += 1)
        ticks.push_back(k * step == 0 ? 0 : k * step);
    return ticks;
}
