// SPDX-License-Identifier: GPL-3.0-or-later
// Implements planedrawing.h: the plane picture of a problem with two
// variables.
#include "plane/planedrawing.h"

#include "plane/labelplaces.h"
#include "texts/reporttext.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Sizes in device-independent pixels.
constexpr int kPlotMargin = 36;
constexpr double kMarkerRadius = 5;
constexpr double kWholePointRadius = 2.5;
constexpr double kArrowSize = 9;
constexpr int kTicks = 8;
constexpr double kShortLine = 80;

constexpr double kLabelGap = 3;   // between a label and its point or line
constexpr int kLabelRings = 4;     // rings of places around a point, ever farther
constexpr int kLinePlaces = 9;     // places along a line for its name

using reporttext::tr;

} // namespace

// The drawing: the problem, its region and the method's path, in a frame of
// the plane mapped onto a rectangle of any painter, the window's or a page's.
class PlaneDrawing::Parts
{
public:
    explicit Parts(const PlaneProblem &problem)
        : constraints(problem.constraints), cuts(problem.cuts), branchBounds(problem.bounds), nodes(problem.nodes),
          path(problem.path), markers(markersOf(path, constraints)), frame(viewFrame(withNodes(problem), constraints)),
          maximise(problem.maximise), objective(problem.objective), integer(!cuts.empty() || !branchBounds.empty()),
          axes(problem.axes), linePrefix(problem.linePrefix)
    {
        const auto best = std::find_if(nodes.begin(), nodes.end(), [](const NodePoint &p) { return p.optimum; });
        if (best != nodes.end())
            optimum = best->point;
        else if (problem.optimum && nodes.empty())
            optimum = path.back();
    }

    // Where a point of the plane is drawn in `rect`.
    QPointF toScreen(const QPointF &p, const QRectF &rect)
    {
        bounds = rect;
        return toScreen(p);
    }

    // The whole drawing in `rect`, its colours from `colours` (the base
    // behind it is the caller's).
    void paint(QPainter &painter, const QRectF &rect, const QPalette &palette)
    {
        bounds = rect;
        colours = palette;
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF shown = shownFrame();
        painter.save();
        painter.setClipRect(plotArea());
        drawGrid(painter, shown);
        drawRegion(painter, shown);
        drawLines(painter, shown);
        drawCuts(painter, shown);
        drawBounds(painter, shown);
        drawLevelLine(painter, shown);
        drawPath(painter, shown);
        painter.restore();
        drawAxes(painter, shown);
        drawWholePoints(painter, shown);
        drawMarkers(painter);
        drawNodes(painter);
        drawLabels(painter, labels(rect, QFontMetricsF(painter.font(), painter.device())));
        painter.restore();
    }

    // The names of the lines and cuts and the numbers of the points, each
    // placed where it meets no point and no label placed before it: a
    // line's name at one of several places along the line on the side it
    // forbids, a point's number at one of the places around it, nearest
    // first. The table numbers of one point stand together, "1, 5".
    std::vector<PlaneLabel> labels(const QRectF &rect, const QFontMetricsF &metrics)
    {
        bounds = rect;
        const QRectF shown = shownFrame();
        std::vector<QRectF> taken;
        for (const PlaneLabel &text : axisTexts(shown, metrics))
            taken.push_back(text.rect);
        for (const Marker &marker : markers) {
            const double ring = isOptimum(marker) ? kMarkerRadius + 6 : kMarkerRadius + 1;
            const QPointF at = toScreen(marker.point);
            taken.push_back(QRectF(at - QPointF(ring, ring), QSizeF(2 * ring, 2 * ring)));
        }
        for (const NodePoint &node : nodes) {
            const double ring = node.optimum ? kMarkerRadius + 6 : kMarkerRadius + 1;
            taken.push_back(QRectF(toScreen(node.point) - QPointF(ring, ring), QSizeF(2 * ring, 2 * ring)));
        }
        std::vector<PlaneLabel> placed;
        auto place = [&](const QString &text, const std::vector<QRectF> &places) {
            if (places.empty())
                return;
            const QRectF box = firstFree(places, taken, bounds);
            taken.push_back(box);
            placed.push_back({text, box});
        };
        for (int i = 0; i < int(constraints.size()); ++i)
            place(linePrefix + QString::number(i), linePlaces(metrics, shown, constraints[i], 0.3, linePrefix + QString::number(i)));
        for (int k = 0; k < int(cuts.size()); ++k) {
            const QString name = QStringLiteral("S") + QString::number(k + 1);
            place(name, linePlaces(metrics, shown, cuts[k], 0.55 + 0.12 * (k % 3), name));
        }
        for (int k = 0; k < int(branchBounds.size()); ++k) {
            const QString name = QStringLiteral("B") + QString::number(k + 1);
            place(name, linePlaces(metrics, shown, branchBounds[k], 0.5 + 0.1 * (k % 4), name));
        }
        // Nodes at one point share one label: "у2, 5".
        std::vector<std::pair<QPointF, QStringList>> nodeNames;
        for (const NodePoint &node : nodes) {
            auto same = std::find_if(nodeNames.begin(), nodeNames.end(),
                                     [&](const auto &named) { return QLineF(named.first, node.point).length() < 1e-9; });
            if (same == nodeNames.end())
                nodeNames.push_back({node.point, {reporttext::tr("у") + QString::number(node.node)}});
            else
                same->second << QString::number(node.node);
        }
        for (const auto &named : nodeNames) {
            const QPointF at = toScreen(named.first);
            if (!plotArea().contains(at))
                continue;
            const QString text = named.second.join(QStringLiteral(", "));
            place(text, pointPlaces(metrics, at, text));
        }
        for (const Marker &marker : markers) {
            const QPointF at = toScreen(marker.point);
            if (!plotArea().adjusted(-kMarkerRadius, -kMarkerRadius, kMarkerRadius, kMarkerRadius).contains(at))
                continue;
            QStringList numbers;
            for (int t : marker.tables)
                numbers << QString::number(t);
            const QString text = numbers.join(QStringLiteral(", "));
            place(text, pointPlaces(metrics, at, text));
        }
        return placed;
    }

private:
    QPointF toScreen(const QPointF &p) const
    {
        const QRectF shown = shownFrame();
        const QRectF area = plotArea();
        return {area.left() + (p.x() - shown.left()) / shown.width() * area.width(),
                area.bottom() - (p.y() - shown.top()) / shown.height() * area.height()};
    }

    QRectF plotArea() const { return bounds.adjusted(kPlotMargin, kPlotMargin / 2, -kPlotMargin / 2, -kPlotMargin); }

    // The frame, widened to the widget's shape when both axes share a scale.
    QRectF shownFrame() const
    {
        if (!oneScale(frame))
            return frame;
        const QRectF area = plotArea();
        const double scale = std::min(area.width() / frame.width(), area.height() / frame.height());
        const QSizeF size(area.width() / scale, area.height() / scale);
        return QRectF(frame.center() - QPointF(size.width() / 2, size.height() / 2), size);
    }

    QColor ink() const { return colours.color(QPalette::Text); }
    QColor faint() const
    {
        QColor c = ink();
        c.setAlphaF(0.15);
        return c;
    }
    static QColor pathColour() { return QColor(215, 60, 40); }
    static QColor levelColour() { return QColor(40, 150, 70); }

    void drawGrid(QPainter &painter, const QRectF &shown) const
    {
        painter.setPen(QPen(faint(), 1));
        for (double x : ticksOf(shown.left(), shown.right(), tickStep(shown.width(), kTicks)))
            painter.drawLine(toScreen({x, shown.top()}), toScreen({x, shown.bottom()}));
        for (double y : ticksOf(shown.top(), shown.bottom(), tickStep(shown.height(), kTicks)))
            painter.drawLine(toScreen({shown.left(), y}), toScreen({shown.right(), y}));
    }

    void drawRegion(QPainter &painter, const QRectF &shown) const
    {
        QPolygonF region = feasiblePolygon(shown, constraints);
        for (QPointF &p : region)
            p = toScreen(p);
        QColor fill = colours.color(QPalette::Highlight);
        fill.setAlphaF(0.35);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawPolygon(region);
        painter.setBrush(Qt::NoBrush);
    }

    void drawLines(QPainter &painter, const QRectF &shown) const
    {
        painter.setPen(QPen(ink(), 1.5));
        for (const HalfPlane &h : constraints)
            drawLine(painter, shown, h);
    }

    void drawLine(QPainter &painter, const QRectF &shown, const HalfPlane &h) const
    {
        if (const std::optional<QLineF> line = lineInside(h, shown))
            painter.drawLine(toScreen(line->p1()), toScreen(line->p2()));
    }

    // The places for a line's name: on the line's part where x0, x1 >= 0
    // (its whole part in the view when that one is short), first `along` of
    // the way from its end far from the origin, where the lines' corners and
    // the path are rarely, then ever farther from there along the line; on
    // the side the line forbids, away from the region.
    std::vector<QRectF> linePlaces(const QFontMetricsF &metrics, const QRectF &shown, const HalfPlane &h, double along,
                                   const QString &name) const
    {
        const std::optional<QLineF> line = lineInside(h, shown);
        if (!line)
            return {};
        const QRectF quadrant = shown.intersected(QRectF(0, 0, shown.right(), shown.bottom()));
        std::optional<QLineF> part = lineInside(h, quadrant);
        if (!part || QLineF(toScreen(part->p1()), toScreen(part->p2())).length() < kShortLine)
            part = line;
        const bool firstFar = QLineF(QPointF(), part->p1()).length() > QLineF(QPointF(), part->p2()).length();
        const QPointF normal = toScreen(QPointF(h.a0, h.a1)) - toScreen({0, 0});
        const QPointF unit = normal / std::max(1e-9, std::hypot(normal.x(), normal.y()));
        const double away = metrics.height() / 2 + kLabelGap + metrics.horizontalAdvance(name) / 2 * std::abs(unit.x());
        std::vector<QRectF> places;
        for (int k = 0; k < kLinePlaces; ++k) {
            const double shift = (k + 1) / 2 * 0.1 * (k % 2 == 0 ? 1 : -1);
            const double t = std::clamp(along + shift, 0.05, 0.95);
            const QPointF middle = toScreen(firstFar ? part->pointAt(t) : part->pointAt(1 - t));
            places.push_back(textBox(metrics, name, middle + unit * away));
        }
        return places;
    }

    // The places for a point's number: beside it in eight directions, the
    // upper right first, in rings ever farther from it.
    std::vector<QRectF> pointPlaces(const QFontMetricsF &metrics, const QPointF &at, const QString &text) const
    {
        static const QPointF directions[] = {{1, -1}, {1, 1}, {-1, -1}, {-1, 1}, {1, 0}, {-1, 0}, {0, -1}, {0, 1}};
        const QRectF box = textBox(metrics, text, QPointF());
        std::vector<QRectF> places;
        for (int ring = 0; ring < kLabelRings; ++ring)
            for (const QPointF &d : directions) {
                const QPointF centre(at.x() + d.x() * (kMarkerRadius + kLabelGap + box.width() / 2 + ring * box.width() / 2),
                                     at.y() + d.y() * (kMarkerRadius + kLabelGap / 2 + box.height() / 2 + ring * box.height()));
                places.push_back(box.translated(centre));
            }
        return places;
    }

    void drawLabels(QPainter &painter, const std::vector<PlaneLabel> &placed) const
    {
        painter.setPen(ink());
        for (const PlaneLabel &label : placed)
            painter.drawText(label.rect, Qt::AlignCenter, label.text);
    }

    // Each cut's line, dashed, named Sk on the side it cuts off.
    void drawCuts(QPainter &painter, const QRectF &shown) const
    {
        painter.setPen(QPen(ink(), 1.2, Qt::DashLine));
        for (const HalfPlane &h : cuts)
            drawLine(painter, shown, h);
    }

    // Each node's bound, dotted, named Bk by its node.
    void drawBounds(QPainter &painter, const QRectF &shown) const
    {
        painter.setPen(QPen(ink(), 1.2, Qt::DotLine));
        for (const HalfPlane &h : branchBounds)
            drawLine(painter, shown, h);
    }

    // Each node's point as a small square; the integer optimum ringed.
    void drawNodes(QPainter &painter) const
    {
        for (const NodePoint &node : nodes) {
            const QPointF at = toScreen(node.point);
            if (!plotArea().contains(at))
                continue;
            painter.setPen(QPen(ink(), 1.5));
            painter.setBrush(colours.brush(QPalette::Base));
            painter.drawRect(QRectF(at - QPointF(kMarkerRadius - 1, kMarkerRadius - 1),
                                    QSizeF(2 * kMarkerRadius - 2, 2 * kMarkerRadius - 2)));
            if (node.optimum) {
                painter.setBrush(Qt::NoBrush);
                painter.setPen(QPen(levelColour(), 2));
                painter.drawEllipse(at, kMarkerRadius + 4, kMarkerRadius + 4);
            }
        }
        painter.setBrush(Qt::NoBrush);
    }

    // The whole points of the region (without the cuts), as small dots.
    void drawWholePoints(QPainter &painter, const QRectF &shown) const
    {
        if (!integer)
            return;
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink());
        for (const QPoint &p : wholePoints(shown, constraints))
            painter.drawEllipse(toScreen(p), kWholePointRadius, kWholePointRadius);
        painter.setBrush(Qt::NoBrush);
    }

    // The level line F = F* through the optimum, dashed, and an arrow from
    // the optimum in the direction in which F improves.
    void drawLevelLine(QPainter &painter, const QRectF &shown) const
    {
        if (!optimum || objective.isNull())
            return;
        const QPointF direction = maximise ? objective : -objective;
        const HalfPlane level{objective.x(), objective.y(), objective.x() * optimum->x() + objective.y() * optimum->y()};
        painter.setPen(QPen(levelColour(), 1.5, Qt::DashLine));
        if (const std::optional<QLineF> line = lineInside(level, shown))
            painter.drawLine(toScreen(line->p1()), toScreen(line->p2()));
        const QPointF from = toScreen(*optimum);
        QPointF towards = toScreen(*optimum + direction) - from;
        towards /= std::max(1e-9, std::hypot(towards.x(), towards.y()));
        painter.setPen(QPen(levelColour(), 2));
        drawArrow(painter, from, from + towards * 48);
    }

    // Arrows from each table's point to the next one's, the part in view.
    void drawPath(QPainter &painter, const QRectF &shown) const
    {
        painter.setPen(QPen(pathColour(), 1.8));
        for (size_t k = 1; k < path.size(); ++k) {
            const std::optional<QLineF> part = segmentInside(path[k - 1], path[k], shown);
            if (!part)
                continue;
            const QPointF from = toScreen(part->p1()), to = toScreen(part->p2());
            const QLineF line(from, to);
            if (line.length() <= 2 * kMarkerRadius)
                continue;
            const QPointF unit = (to - from) / line.length();
            drawArrow(painter, from + unit * kMarkerRadius, to - unit * (kMarkerRadius + 1));
        }
    }

    static void drawArrow(QPainter &painter, const QPointF &from, const QPointF &to)
    {
        painter.drawLine(from, to);
        const QLineF back(to, from);
        QLineF wing = back;
        wing.setLength(kArrowSize);
        QPainterPath head;
        head.moveTo(to);
        wing.setAngle(back.angle() + 25);
        head.lineTo(wing.p2());
        wing.setAngle(back.angle() - 25);
        head.lineTo(wing.p2());
        head.closeSubpath();
        painter.fillPath(head, painter.pen().color());
    }

    void drawAxes(QPainter &painter, const QRectF &shown) const
    {
        painter.setPen(QPen(ink(), 1.2));
        const QRectF area = plotArea();
        const QPointF origin = toScreen({0, 0});
        drawArrow(painter, QPointF(area.left(), origin.y()), QPointF(area.right() + kPlotMargin / 4, origin.y()));
        drawArrow(painter, QPointF(origin.x(), area.bottom()), QPointF(origin.x(), area.top() - kPlotMargin / 4));
        const QFontMetricsF metrics(painter.font(), painter.device());
        for (double x : ticksOf(shown.left(), shown.right(), tickStep(shown.width(), kTicks))) {
            const QPointF at = toScreen({x, 0});
            painter.drawLine(at + QPointF(0, -3), at + QPointF(0, 3));
        }
        for (double y : ticksOf(shown.top(), shown.bottom(), tickStep(shown.height(), kTicks))) {
            const QPointF at = toScreen({0, y});
            painter.drawLine(at + QPointF(-3, 0), at + QPointF(3, 0));
        }
        for (const PlaneLabel &text : axisTexts(shown, metrics))
            painter.drawText(text.rect, Qt::AlignCenter, text.text);
    }

    // The axes' names and the numbers at their ticks, where they are drawn.
    std::vector<PlaneLabel> axisTexts(const QRectF &shown, const QFontMetricsF &metrics) const
    {
        const QRectF area = plotArea();
        const QPointF origin = toScreen({0, 0});
        const double half = metrics.height() / 2;
        std::vector<PlaneLabel> texts{
            {axes[0], textBox(metrics, axes[0], QPointF(area.right() - 4 - metrics.horizontalAdvance(axes[0]) / 2, origin.y() - 8 - half))},
            {axes[1], textBox(metrics, axes[1], QPointF(origin.x() + 12 + metrics.horizontalAdvance(axes[1]) / 2, area.top() + 4 - half))}};
        for (double x : ticksOf(shown.left(), shown.right(), tickStep(shown.width(), kTicks)))
            if (x != 0) {
                const QString number = reporttext::decimal(x);
                texts.push_back({number, textBox(metrics, number, toScreen({x, 0}) + QPointF(0, 4 + half))});
            }
        for (double y : ticksOf(shown.top(), shown.bottom(), tickStep(shown.height(), kTicks)))
            if (y != 0) {
                const QString number = reporttext::decimal(y);
                texts.push_back({number, textBox(metrics, number,
                                                 toScreen({0, y}) - QPointF(6 + metrics.horizontalAdvance(number) / 2, 0))});
            }
        return texts;
    }

    void drawMarkers(QPainter &painter) const
    {
        for (const Marker &marker : markers) {
            const QPointF at = toScreen(marker.point);
            if (!plotArea().adjusted(-kMarkerRadius, -kMarkerRadius, kMarkerRadius, kMarkerRadius).contains(at))
                continue;
            const bool best = isOptimum(marker);
            painter.setPen(QPen(pathColour(), 2));
            painter.setBrush(marker.feasible ? QBrush(pathColour()) : colours.brush(QPalette::Base));
            painter.drawEllipse(at, kMarkerRadius, kMarkerRadius);
            if (best) { // the optimum: a ring around its marker
                painter.setBrush(Qt::NoBrush);
                painter.setPen(QPen(levelColour(), 2));
                painter.drawEllipse(at, kMarkerRadius + 4, kMarkerRadius + 4);
            }
        }
        painter.setBrush(Qt::NoBrush);
    }

    // Whether a table's marker is the optimum's: the last table's, when
    // the course ends at an optimum without branches.
    bool isOptimum(const Marker &marker) const
    {
        return optimum && nodes.empty() && marker.tables.contains(int(path.size()) - 1);
    }

    // The path's points and the nodes', for the frame.
    static std::vector<QPointF> withNodes(const PlaneProblem &problem)
    {
        std::vector<QPointF> points = problem.path;
        for (const NodePoint &node : problem.nodes)
            points.push_back(node.point);
        return points;
    }

    std::vector<HalfPlane> constraints, cuts, branchBounds;
    std::vector<NodePoint> nodes;
    std::vector<QPointF> path;
    std::vector<Marker> markers;
    QRectF frame;
    bool maximise;
    QPointF objective;
    bool integer; // the course goes on by cuts: the whole points are drawn
    QStringList axes;
    QString linePrefix;
    std::optional<QPointF> optimum;
    QRectF bounds;
    QPalette colours;
};

PlaneProblem primalPlane(const Course &course)
{
    PlaneProblem plane;
    plane.constraints = halfPlanesOf(course);
    plane.cuts = cutsOf(course);
    plane.bounds = branchBoundsOf(course);
    plane.nodes = nodePointsOf(course);
    plane.path = pathOf(course);
    plane.maximise = course.maximise;
    plane.objective = QPointF(course.c[0], course.c[1]);
    plane.optimum = course.ending == Course::Ending::Optimum || course.ending == Course::Ending::IntegerOptimum;
    plane.axes = QStringList{QStringLiteral("x0"), QStringLiteral("x1")};
    return plane;
}

PlaneDrawing::PlaneDrawing(const Course &course) : d(std::make_unique<Parts>(primalPlane(course))) {}
PlaneDrawing::PlaneDrawing(const PlaneProblem &problem) : d(std::make_unique<Parts>(problem)) {}
PlaneDrawing::~PlaneDrawing() = default;
PlaneDrawing::PlaneDrawing(PlaneDrawing &&) noexcept = default;
PlaneDrawing &PlaneDrawing::operator=(PlaneDrawing &&) noexcept = default;

std::vector<PlaneLabel> PlaneDrawing::labels(const QRectF &rect, const QFont &font)
{
    return d->labels(rect, QFontMetricsF(font));
}

QPointF PlaneDrawing::toScreen(const QPointF &p, const QRectF &rect)
{
    return d->toScreen(p, rect);
}

void PlaneDrawing::paint(QPainter &painter, const QRectF &rect, const QPalette &palette)
{
    d->paint(painter, rect, palette);
}

bool hasPlanePicture(const Course &course)
{
    return course.n == 2 && course.allFinite();
}

void paintPlane(QPainter &painter, const QRectF &rect, const Course &course)
{
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Text, Qt::black);
    light.setColor(QPalette::Highlight, QColor(48, 140, 198));
    painter.fillRect(rect, Qt::white);
    PlaneDrawing(course).paint(painter, rect, light);
}

