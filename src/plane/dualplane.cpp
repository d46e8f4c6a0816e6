// SPDX-License-Identifier: GPL-3.0-or-later
// Implements dualplane.h: the dual problem on the plane.
#include "plane/dualplane.h"

#include "texts/duality.h"

namespace {

using reporttext::tr;

// The tables of the problem as first solved: those before the first change
// or cut.
int firstProblemTables(const Course &course)
{
    for (int t = 0; t + 1 < int(course.tables.size()); ++t)
        if (course.pivots[t].stage == kChangeStage)
            return t + 1;
    return int(course.tables.size());
}

} // namespace

bool hasDualPlanePicture(const Course &course)
{
    return course.m == 2 && course.allFinite();
}

PlaneProblem dualPlane(const Course &course)
{
    // The quadrant of the picture is where both coordinates are not
    // negative: y itself for a maximisation, -y for a minimisation.
    const double sign = course.maximise ? 1 : -1;
    const DualProblem dual = dualOf(course, 0);
    PlaneProblem plane;
    for (int j = 0; j < course.n; ++j) // rows·y >= c (max) or <= c (min), in the picture's coordinates as <=
        plane.constraints.push_back(course.maximise ? HalfPlane{-dual.rows[j][0], -dual.rows[j][1], -dual.c[j]}
                                                    : HalfPlane{-dual.rows[j][0], -dual.rows[j][1], dual.c[j]});
    const int tables = firstProblemTables(course);
    for (int t = 0; t < tables; ++t)
        plane.path.push_back(QPointF(sign * zRowEntry(course.tables[t], QStringLiteral("Y0")),
                                     sign * zRowEntry(course.tables[t], QStringLiteral("Y1"))));
    plane.maximise = dual.maximise;
    plane.objective = QPointF(sign * dual.w[0], sign * dual.w[1]);
    plane.optimum = tables == int(course.tables.size()) ? course.ending == Course::Ending::Optimum
                                                        : course.pivots[tables - 1].stage == kChangeStage;
    plane.linePrefix = QStringLiteral("X"); // the dual's row of x_j, whose slack column -Xj holds
    plane.axes = course.maximise ? QStringList{QStringLiteral("y0"), QStringLiteral("y1")}
                                 : QStringList{QStringLiteral("-y0"), QStringLiteral("-y1")};
    return plane;
}

QString dualPlaneCaption(const CourseView &view)
{
    const Course &course = view.course();
    const PlaneProblem plane = dualPlane(course);
    const int last = int(plane.path.size()) - 1;
    QStringList lines{dualProblemLines(view, 0).mid(1).join(QStringLiteral("; "))};
    if (plane.optimum)
        lines << tr("Оптимум двойственной задачи: %1, W = %2 — столько же, сколько F в оптимуме.")
                     .arg(dualPointLine(view, last).section(QStringLiteral(", W"), 0, 0).mid(tr("двойственная точка: ").size()),
                          view.number(last, course.tables[last].m, course.n));
    if (!course.maximise)
        lines << tr("В задаче на минимум y <= 0: по осям отложены -y0 и -y1.");
    if (last + 1 < int(course.tables.size()))
        lines << tr("Показана задача до первого изменения или отсечения.");
    lines << tr("Прямая Xj — ограничение двойственной задачи при переменной xj; закрашено: допустимые точки "
                "двойственной задачи. Кружок — двойственная точка таблицы (номер таблицы "
                "рядом): закрашенный — допустимая, пустой — нет; стрелки — путь метода: первый этап ищет допустимую "
                "точку, второй идёт по ним.");
    return lines.join(QLatin1Char('\n'));
}
