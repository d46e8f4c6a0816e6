// SPDX-License-Identifier: GPL-3.0-or-later
// Implements whatif.h: "Что если…".
#include "method/whatif.h"

#include "method/basictext.h"
#include "method/exact.h"
#include "method/fieldtext.h"
#include "method/solve.h"

#include <cmath>

namespace {

using basictext::tr;

} // namespace

QString whatIfUnavailable(const Course &course)
{
    if (course.cutCount() > 0)
        return tr("«Что если» — для задачи без отсечений, а в отчёте они уже есть");
    if (course.branched())
        return tr("«Что если» — для задачи без ветвей, а в отчёте они уже есть");
    if (course.ending != Course::Ending::Optimum)
        return tr("«Что если» продолжает решение от оптимума, а отчёт кончается иначе");
    if (!course.allFinite())
        return tr("«Что если» нельзя: не все значения полей — конечные числа");
    return QString();
}

QString rightHandText(const Course &course, int i)
{
    QString text = i < course.m ? course.rightHandTexts.value(i) : QString();
    int added = course.m;
    for (const Course::Change &change : course.changes)
        if (change.row == i || (change.row < 0 && added++ == i))
            text = change.rightHandText;
    bool isNumber = false;
    fieldValue(text, &isNumber);
    return isNumber ? text.trimmed() : fractionText(exactFieldValue(text).value_or(0));
}

bool continueCourse(Course &course, const WhatIf &whatIf, QString *error)
{
    error->clear();
    if (whatIf.row >= 0 && exactFieldValue(whatIf.rightHandText) == exactFieldValue(rightHandText(course, whatIf.row)))
        return false;
    Course::Change change;
    change.row = whatIf.row;
    change.rightHandText = whatIf.rightHandText;
    change.coefficientTexts = whatIf.row < 0 ? whatIf.coefficientTexts : QStringList();
    bool isNumber = false;
    change.rightHand = fieldValue(change.rightHandText, &isNumber);
    for (const QString &text : change.coefficientTexts)
        change.coefficients.push_back(fieldValue(text, &isNumber));
    if (!std::isfinite(change.rightHand)
        || !std::all_of(change.coefficients.begin(), change.coefficients.end(), [](double v) { return std::isfinite(v); })) {
        *error = tr("Значение поля не является конечным числом");
        return false;
    }

    const int last = int(course.tables.size()) - 1;
    Tableau table = course.tables[last];
    if (change.row >= 0) {
        const double delta = change.rightHand - course.rightHandsAt(last)[change.row];
        shiftRightHand(table, table.cells, change.row, delta);
    } else {
        table.cells = withConstraint(table, table.cells, change.coefficients, change.rightHand);
        table.rows.insert(table.m, QStringLiteral("Y%1").arg(table.m));
        ++table.m;
    }
    course.changes.push_back(change);
    course.pivots.push_back({kChangeStage, int(course.changes.size()) - 1, -1, -1, {}});
    course.tables.push_back(table);
    course.ending = Course::Ending::None;
    course.endingRow = course.endingColumn = -1;
    course.items.push_back({Course::Item::Change, int(course.tables.size()) - 1, int(course.changes.size()) - 1});
    course.items.push_back({Course::Item::Table, int(course.tables.size()) - 1, int(course.pivots.size()) - 1});
    secondStage(course);
    return true;
}
