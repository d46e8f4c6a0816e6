// SPDX-License-Identifier: GPL-3.0-or-later
// Implements practicecells.h: practice of the arithmetic.
#include "practice/practicecells.h"

#include "method/exact.h"
#include "method/fieldtext.h"

namespace {

using reporttext::tr;

// The rule that makes cell (i, j) of table t from table t - 1, worded with
// its numbers, the value it leads to after " = " when `withValue`.
QString cellRule(const CourseView &view, int t, int i, int j, bool explain, bool withValue)
{
    const Course &course = view.course();
    const PivotChoice &pivot = course.pivots[t - 1];
    const int r = pivot.row, s = pivot.column;
    const QString lead = view.number(t - 1, r, s);
    const QString name = cellName(course, t, i, j);
    const QString value = withValue ? QStringLiteral(" = ") + view.number(t, i, j) : QString();
    if (i == r && j == s)
        return (explain ? tr("%1 стоит на месте ведущего элемента: в новой таблице там число, обратное ему: 1 / %2%3.")
                        : tr("%1 — место ведущего элемента: 1 / %2%3."))
            .arg(name, factorText(lead), value);
    if (i == r)
        return (explain ? tr("%1 стоит в ведущей строке: её элемент делится на ведущий элемент: %2 / %3%4.")
                        : tr("%1 — в ведущей строке: %2 / %3%4."))
            .arg(name, view.number(t - 1, i, j), factorText(lead), value);
    if (j == s)
        return (explain ? tr("%1 стоит в ведущем столбце: её элемент делится на ведущий элемент и меняет знак: "
                             "-%2 / %3%4.")
                        : tr("%1 — в ведущем столбце: -%2 / %3%4."))
            .arg(name, factorText(view.number(t - 1, i, j)), factorText(lead), value);
    const QString a = view.number(t - 1, i, j), row = view.number(t - 1, r, j), column = view.number(t - 1, i, s);
    const QString rectangle = QStringLiteral("%1 - %2·%3 / %4").arg(a, factorText(row), factorText(column), factorText(lead));
    return (explain ? tr("%1 не в ведущей строке и не в ведущем столбце: по правилу прямоугольника из её элемента "
                         "(%2) вычитается произведение элемента ведущей строки (%3) и элемента ведущего столбца "
                         "(%4), делённое на ведущий элемент (%5): %6%7.")
                          .arg(name, a, row, column, lead, rectangle, value)
                    : tr("%1 — по правилу прямоугольника: %2%3.").arg(name, rectangle, value));
}

} // namespace

QString cellName(const Course &course, int t, int i, int j)
{
    const Tableau &table = course.tables[t];
    return tr("Клетка %1, %2").arg(table.rows[i], table.columns[j]);
}

CellCheck checkCell(const CourseView &view, int t, int i, int j, const QString &text, int wrongBefore, bool explain)
{
    const Course &course = view.course();
    bool isNumber = false;
    fieldValue(text, &isNumber);
    if (!isNumber)
        return {false, QString(), tr("Неверно: «%1» не читается как число.").arg(text.trimmed())};
    const std::optional<mpq_class> typed = exactFieldValue(text);
    bool right = false;
    if (typed) {
        if (const ExactCourse *exact = view.exactReplay())
            right = *typed == exact->at(course, t, i, j);
        // What the report prints for the cell, read back: six digits are
        // right in the decimal view.
        if (!view.isExact())
            right = right || *typed == exactFieldValue(reporttext::decimal(course.tables[t].at(i, j)));
    }
    QString whole;
    if (right)
        return {true, view.cell(t, i, j, &whole), tr("Верно: %1.").arg(view.number(t, i, j))};
    return {false, QString(),
            tr("Неверно: %1. ").arg(text.trimmed()) + cellRule(view, t, i, j, explain, wrongBefore >= 1)};
}
