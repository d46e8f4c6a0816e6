// SPDX-License-Identifier: GPL-3.0-or-later
#include "whatif.h"

#include "basictext.h"
#include "fieldtext.h"
#include "tableau.h"

#include <cmath>

namespace {

using basictext::tr;

void addItem(Course &course, Course::Item::Kind kind, int pivot = -1)
{
    course.items.push_back({kind, int(course.tables.size()) - 1, pivot < 0 ? int(course.pivots.size()) - 1 : pivot});
}

// The second stage from the last table: the most negative free term's row,
// then among the columns with a negative entry in it the one whose score
// the rule accepts last; until no free term is negative (the optimum), the
// row has no negative entry (no solution) or the pivots run out.
void secondStage(Course &course)
{
    addItem(course, Course::Item::Stage2);
    for (int pivots = 0; pivots < kIterationLimit; ++pivots) {
        Tableau table = course.tables.back();
        const int n = table.n, m = table.m;
        const int r = mostNegativeFreeTermRow(table);
        if (r < 0) {
            course.ending = Course::Ending::Optimum;
            addItem(course, Course::Item::OptimumHeading);
            addItem(course, Course::Item::FinalPoint);
            addItem(course, Course::Item::Value);
            return;
        }
        PivotChoice choice{2, r, -1, -1, std::vector<ColumnScore>(n)};
        double best = 0;
        for (int j = 0; j < n; ++j) {
            if (!isNegativeEntry(table.at(r, j)))
                continue;
            choice.scores[j] = columnScore(table.at(m, j), table.at(r, j), course.maximise);
            if (acceptsScore(choice.scores[j].value, choice.column >= 0, best, course.maximise)) {
                best = choice.scores[j].value;
                choice.column = j;
            }
        }
        if (choice.column < 0) {
            const bool candidates = std::any_of(choice.scores.begin(), choice.scores.end(),
                                                [](const ColumnScore &s) { return s.kind != ColumnScore::NoCandidate; });
            course.ending = candidates ? Course::Ending::NoColumn : Course::Ending::NoCandidate;
            course.endingRow = r;
            if (!candidates)
                addItem(course, Course::Item::NoSolution);
            return;
        }
        course.pivots.push_back(choice);
        pivotCells(table.cells.data(), m + 1, n + 1, r, choice.column);
        swapLabels(table.columns, table.rows, r, choice.column);
        course.tables.push_back(table);
        addItem(course, Course::Item::Pivot);
        addItem(course, Course::Item::Table);
    }
    course.ending = Course::Ending::Cycled;
    addItem(course, Course::Item::Cycled);
}

} // namespace

QString whatIfUnavailable(const Course &course)
{
    if (course.ending != Course::Ending::Optimum)
        return tr("«Что если» продолжает решение от оптимума, а отчёт кончается иначе");
    if (!course.allFinite())
        return tr("«Что если» нельзя: не все значения полей — конечные числа");
    return QString();
}

bool continueCourse(Course &course, const WhatIf &whatIf, QString *error)
{
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
    addItem(course, Course::Item::Table);
    secondStage(course);
    return true;
}
