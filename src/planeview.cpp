// SPDX-License-Identifier: GPL-3.0-or-later
#include "planeview.h"

#include "reporttext.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A point satisfies a constraint when it breaks it by no more than this
// share of the constraint's terms: the report shows six digits.
constexpr double kFeasibleShare = 1e-6;
// The margin around what the view must show, as a share of its range.
constexpr double kMarginShare = 0.12;
// Sizes on the screen, in device-independent pixels.
constexpr int kPictureWidth = 600;
constexpr int kPictureHeight = 480;
constexpr int kPlotMargin = 36;
constexpr double kMarkerRadius = 5;
constexpr double kArrowSize = 9;
constexpr int kTicks = 8;
constexpr double kShortLine = 80;

using reporttext::tr;

bool hasLine(const HalfPlane &h)
{
    return h.a0 != 0 || h.a1 != 0;
}

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

} // namespace

std::vector<HalfPlane> halfPlanesOf(const Course &course)
{
    // The problem of the last table: with the changes made after an optimum.
    const int last = int(course.tables.size()) - 1;
    const std::vector<double> a = course.constraintsAt(last), b = course.rightHandsAt(last);
    std::vector<HalfPlane> constraints;
    for (size_t i = 0; i < b.size(); ++i)
        constraints.push_back({a[i * course.n], a[i * course.n + 1], b[i]});
    return constraints;
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
    for (const Tableau &table : course.tables) {
        const std::vector<double> x = table.point();
        path.push_back(QPointF(x[0], x[1]));
    }
    return path;
}

std::vector<Marker> markersOf(const std::vector<QPointF> &path, const std::vector<HalfPlane> &constraints)
{
    // Points are the same when the report prints them alike.
    auto text = [](const QPointF &p) { return reporttext::decimal(p.x()) + QLatin1Char(' ') + reporttext::decimal(p.y()); };
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

namespace {

// The drawing: the problem, its region and the method's path, in a frame of
// the plane mapped onto a rectangle of any painter, the window's or a page's.
class PlaneDrawing
{
public:
    explicit PlaneDrawing(const Course &course)
        : constraints(halfPlanesOf(course)), path(pathOf(course)), markers(markersOf(path, constraints)),
          frame(viewFrame(path, constraints)), maximise(course.maximise), objective(course.c[0], course.c[1])
    {
        if (course.ending == Course::Ending::Optimum)
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
        drawLevelLine(painter, shown);
        drawPath(painter, shown);
        painter.restore();
        drawAxes(painter, shown);
        drawMarkers(painter);
        painter.restore();
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
        for (int i = 0; i < int(constraints.size()); ++i) {
            const std::optional<QLineF> line = lineInside(constraints[i], shown);
            if (!line)
                continue;
            painter.drawLine(toScreen(line->p1()), toScreen(line->p2()));
            // The name on the line's part where x0, x1 >= 0 (its whole part
            // in the view when that one is short), near its end far from the
            // origin, where the lines' corners and the path are rarely; on
            // the side the constraint forbids, away from the region.
            const QRectF quadrant = shown.intersected(QRectF(0, 0, shown.right(), shown.bottom()));
            std::optional<QLineF> part = lineInside(constraints[i], quadrant);
            if (!part || QLineF(toScreen(part->p1()), toScreen(part->p2())).length() < kShortLine)
                part = line;
            const bool firstFar = QLineF(QPointF(), part->p1()).length() > QLineF(QPointF(), part->p2()).length();
            const QPointF middle = toScreen(firstFar ? part->pointAt(0.3) : part->pointAt(0.7));
            const QPointF normal = toScreen(QPointF(constraints[i].a0, constraints[i].a1)) - toScreen({0, 0});
            const QPointF away = normal / std::max(1e-9, std::hypot(normal.x(), normal.y())) * 14;
            painter.drawText(QRectF(middle + away - QPointF(20, 9), QSizeF(40, 18)), Qt::AlignCenter,
                             QStringLiteral("Y") + QString::number(i));
        }
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
        painter.drawText(QPointF(area.right() - 16, origin.y() - 8), QStringLiteral("x0"));
        painter.drawText(QPointF(origin.x() + 8, area.top() + 4), QStringLiteral("x1"));
        const QFontMetricsF metrics(painter.font(), painter.device());
        for (double x : ticksOf(shown.left(), shown.right(), tickStep(shown.width(), kTicks))) {
            const QPointF at = toScreen({x, 0});
            painter.drawLine(at + QPointF(0, -3), at + QPointF(0, 3));
            if (x != 0)
                painter.drawText(QRectF(at.x() - 40, at.y() + 4, 80, metrics.height()), Qt::AlignHCenter,
                                 reporttext::decimal(x));
        }
        for (double y : ticksOf(shown.top(), shown.bottom(), tickStep(shown.height(), kTicks))) {
            const QPointF at = toScreen({0, y});
            painter.drawLine(at + QPointF(-3, 0), at + QPointF(3, 0));
            if (y != 0)
                painter.drawText(QRectF(at.x() - 86, at.y() - metrics.height() / 2, 80, metrics.height()),
                                 Qt::AlignRight | Qt::AlignVCenter, reporttext::decimal(y));
        }
    }

    void drawMarkers(QPainter &painter) const
    {
        for (const Marker &marker : markers) {
            const QPointF at = toScreen(marker.point);
            if (!plotArea().adjusted(-kMarkerRadius, -kMarkerRadius, kMarkerRadius, kMarkerRadius).contains(at))
                continue;
            const bool best = optimum && marker.tables.contains(int(path.size()) - 1);
            painter.setPen(QPen(pathColour(), 2));
            painter.setBrush(marker.feasible ? QBrush(pathColour()) : colours.brush(QPalette::Base));
            painter.drawEllipse(at, kMarkerRadius, kMarkerRadius);
            if (best) { // the optimum: a ring around its marker
                painter.setBrush(Qt::NoBrush);
                painter.setPen(QPen(levelColour(), 2));
                painter.drawEllipse(at, kMarkerRadius + 4, kMarkerRadius + 4);
            }
            QStringList numbers;
            for (int t : marker.tables)
                numbers << QString::number(t);
            painter.setPen(ink());
            painter.drawText(at + QPointF(kMarkerRadius + 5, -kMarkerRadius - 2), numbers.join(QStringLiteral(", ")));
        }
        painter.setBrush(Qt::NoBrush);
    }

    std::vector<HalfPlane> constraints;
    std::vector<QPointF> path;
    std::vector<Marker> markers;
    QRectF frame;
    bool maximise;
    QPointF objective;
    std::optional<QPointF> optimum;
    QRectF bounds;
    QPalette colours;
};

// The window's drawing, as large as the window lets it be.
class PlanePicture : public QWidget
{
public:
    PlanePicture(const Course &course, QWidget *parent) : QWidget(parent), drawing(course)
    {
        setObjectName(QStringLiteral("planePicture"));
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
    }

    QSize sizeHint() const override { return {kPictureWidth, kPictureHeight}; }
    QSize minimumSizeHint() const override { return {kPictureWidth / 3, kPictureHeight / 3}; }

    QPointF toScreen(const QPointF &p) { return drawing.toScreen(p, rect()); }
    void show(const Course &course)
    {
        drawing = PlaneDrawing(course);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        drawing.paint(painter, rect(), palette());
    }

private:
    PlaneDrawing drawing;
};

// What the picture says in words: the verdict as the report states it, the
// region, the constraints without a line, the scales, and a legend.
QString captionOf(const CourseView &view, const QRectF &frame)
{
    const Course &course = view.course();
    QStringList lines;
    switch (course.ending) {
    case Course::Ending::Optimum: {
        const int last = int(course.tables.size()) - 1;
        lines << reporttext::optimumLine() + reporttext::finalPointLine(view.coordinates(last)) + QStringLiteral(", ")
                     + reporttext::valueLine(view.number(last, course.tables[last].m, course.n));
        break;
    }
    case Course::Ending::NoPivotRow:
    case Course::Ending::NoCandidate:
        lines << reporttext::noSolutionLine();
        break;
    case Course::Ending::Cycled:
        lines << reporttext::cycledLine();
        break;
    default:
        break;
    }
    const std::vector<HalfPlane> constraints = halfPlanesOf(course);
    switch (regionKind(constraints)) {
    case Region::Empty:
        lines << tr("Область допустимых решений пуста: ни одна точка не удовлетворяет всем ограничениям.");
        break;
    case Region::Unbounded:
        lines << tr("Область допустимых решений не ограничена: она закрашена до края картинки.");
        break;
    case Region::Bounded:
        break;
    }
    for (int i = 0; i < int(constraints.size()); ++i) {
        const HalfPlane &h = constraints[i];
        if (!hasLine(h))
            lines << (h.b >= 0 ? tr("Ограничение Y%1: 0 <= %2 выполняется везде, линии у него нет.")
                               : tr("Ограничение Y%1: 0 <= %2 не выполняется нигде, линии у него нет."))
                         .arg(i)
                         .arg(reporttext::decimal(h.b));
    }
    if (!oneScale(frame))
        lines << tr("Масштабы осей различны.");
    lines << tr("Закрашено: допустимые решения. Кружок — точка таблицы (номер таблицы рядом, от 0): закрашенный — "
                "внутри области, пустой — вне её; стрелки — путь метода.");
    if (course.ending == Course::Ending::Optimum)
        lines << tr("Оптимум обведён; штриховая линия — линия уровня F = %1 через него, стрелка от него — "
                    "направление, в котором F %2.")
                     .arg(view.number(int(course.tables.size()) - 1, course.tables.back().m, course.n),
                          course.maximise ? tr("растёт") : tr("убывает"));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QWidget *openPlaneView(const CourseView &view, QWidget *report)
{
    const Course &course = view.course();
    auto *window = new QWidget(report, Qt::Dialog | Qt::WindowMaximizeButtonHint);
    window->setObjectName(QStringLiteral("planeView"));
    window->setWindowTitle(tr("На плоскости"));
    window->setWindowIcon(report->windowIcon());
    auto *layout = new QVBoxLayout(window);
    auto *picture = new PlanePicture(course, window);
    auto *caption = new QLabel(window);
    caption->setObjectName(QStringLiteral("planeCaption"));
    caption->setWordWrap(true);
    layout->addWidget(picture, 1);
    layout->addWidget(caption);

    auto addAction = [window](const QString &text, const QList<QKeySequence> &keys, auto run) {
        auto *action = new QAction(text, window);
        action->setShortcuts(keys);
        QObject::connect(action, &QAction::triggered, window, run);
        window->addAction(action);
    };
    addAction(tr("Копировать картинку"), {QKeySequence::Copy}, [window] {
        QGuiApplication::clipboard()->setImage(window->grab().toImage());
    });
    addAction(tr("Закрыть"), {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}, [window] { window->close(); });
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
    updatePlaneView(window, view);
    return window;
}

void updatePlaneView(QWidget *planeView, const CourseView &view)
{
    const Course &course = view.course();
    static_cast<PlanePicture *>(planeView->findChild<QWidget *>(QStringLiteral("planePicture")))->show(course);
    planeView->findChild<QLabel *>(QStringLiteral("planeCaption"))
        ->setText(captionOf(view, viewFrame(pathOf(course), halfPlanesOf(course))));
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

QPoint planePointInWindow(const QWidget *planeView, const QPointF &p)
{
    auto *picture = static_cast<PlanePicture *>(planeView->findChild<QWidget *>(QStringLiteral("planePicture")));
    return picture->mapTo(planeView, picture->toScreen(p).toPoint());
}
