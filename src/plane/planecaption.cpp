// SPDX-License-Identifier: GPL-3.0-or-later
// Implements planecaption.h: what the plane picture says in words.
#include "plane/planecaption.h"

#include "plane/planegeometry.h"

using reporttext::tr;

namespace {

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
    case Course::Ending::IntegerOptimum: {
        const int last = course.finalTable();
        lines << reporttext::integerOptimumLine() + QLatin1Char(' ') + reporttext::finalPointLine(view.coordinates(last))
                     + QStringLiteral(", ") + reporttext::valueLine(view.number(last, course.tables[last].m, course.n));
        break;
    }
    case Course::Ending::NoInteger:
        lines << reporttext::noIntegerSolutionLine();
        break;
    case Course::Ending::CutLimit:
        lines << reporttext::cutLimitLine(course.cutCount());
        break;
    case Course::Ending::NodeLimit:
        lines << view.nodeLimitLine();
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
    if (course.ending == Course::Ending::Optimum || course.ending == Course::Ending::IntegerOptimum)
        lines << tr("Оптимум обведён; штриховая линия — линия уровня F = %1 через него, стрелка от него — "
                    "направление, в котором F %2.")
                     .arg(view.number(course.finalTable(), course.tables[course.finalTable()].m, course.n),
                          course.maximise ? tr("растёт") : tr("убывает"));
    if (course.branched())
        lines << tr("Путь метода — до первого оптимума (узел 0). Точки — целые точки области; пунктирные линии B1, "
                    "B2, … — границы узлов 1, 2, …; квадраты — оптимумы узлов, у каждого «у» и номер узла.");
    if (course.cutsAt(int(course.tables.size()) - 1) > 0)
        lines << tr("Точки — целые точки области; штриховые линии S1, S2, … — отсечения, каждое отрезает точку "
                    "таблицы перед ним и ни одной целой точки.");
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString planeCaption(const CourseView &view)
{
    const Course &course = view.course();
    return captionOf(view, viewFrame(pathOf(course), halfPlanesOf(course)));
}

