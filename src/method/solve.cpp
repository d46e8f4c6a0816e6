// SPDX-License-Identifier: GPL-3.0-or-later
// Implements solve.h: one solve.
#include "method/solve.h"

#include "method/cuts.h"
#include "method/fieldtext.h"

namespace {

// A report item about the record's last table and last pivot.
void addItem(Course &course, Course::Item::Kind kind)
{
    course.items.push_back({kind, int(course.tables.size()) - 1, int(course.pivots.size()) - 1});
}

void readValues(const QStringList &texts, QStringList &keptTexts, std::vector<double> &values)
{
    keptTexts = texts;
    for (const QString &text : texts) {
        bool isNumber = false;
        values.push_back(fieldValue(text, &isNumber));
    }
}

// The pivot on (row, column) of the last table, recorded with what its
// choice looked at; the new table follows it.
void pivotLastTable(Course &course, PivotChoice choice, StageRun &run)
{
    Tableau table = course.tables.back();
    run.lead = pivotCells(table.cells.data(), table.m + 1, table.n + 1, choice.row, choice.column);
    swapLabels(table.columns, table.rows, choice.row, choice.column);
    run.column = choice.column;
    ++run.pivots;
    course.pivots.push_back(std::move(choice));
    course.tables.push_back(std::move(table));
}

} // namespace

Course readProblem(const ProblemTexts &problem)
{
    Course course;
    course.n = problem.n;
    course.m = problem.m;
    course.maximise = problem.maximise;
    readValues(problem.objective, course.objectiveTexts, course.c);
    readValues(problem.constraints, course.constraintTexts, course.a);
    readValues(problem.rightHands, course.rightHandTexts, course.b);
    return course;
}

Tableau startingTable(const Course &course)
{
    const int n = course.n, m = course.m;
    Tableau table;
    table.n = n;
    table.m = m;
    table.columns = initialColumnLabels(n);
    table.rows = initialRowLabels(m);
    table.cells.assign((m + 1) * (n + 1), 0.0);
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j)
            table.cells[i * (n + 1) + j] = course.a[i * n + j];
        table.cells[i * (n + 1) + n] = course.b[i];
    }
    for (int j = 0; j < n; ++j)
        table.cells[m * (n + 1) + j] = -course.c[j];
    return table;
}

StageRun firstStage(Course &course)
{
    StageRun run;
    addItem(course, Course::Item::Task);
    addItem(course, Course::Item::Table);
    for (; run.pivots < kIterationLimit;) {
        const Tableau &table = course.tables.back();
        const int k = enteringColumn(table, course.maximise);
        if (k < 0) {
            run.goesOn = true;
            addItem(course, Course::Item::Bound);
            addItem(course, Course::Item::FinalPoint);
            return run;
        }
        run.row = firstPositiveRow(table, k);
        if (run.row < 0) {
            course.endingColumn = k;
            course.ending = Course::Ending::NoPivotRow;
            addItem(course, Course::Item::NoSolution);
            return run;
        }
        std::vector<ColumnScore> scores;
        const int column = pivotColumn(table, run.row, false, course.maximise, &scores);
        if (column < 0) { // only values that are not finite numbers leave no column to score
            course.ending = Course::Ending::NoColumn;
            return run;
        }
        pivotLastTable(course, {1, run.row, column, k, std::move(scores)}, run);
        addItem(course, Course::Item::Point);
        addItem(course, Course::Item::Pivot);
        addItem(course, Course::Item::Table);
    }
    course.ending = Course::Ending::Cycled;
    addItem(course, Course::Item::Cycled);
    return run;
}

StageRun secondStage(Course &course)
{
    StageRun run;
    addItem(course, Course::Item::Stage2);
    for (; run.pivots < kIterationLimit;) {
        const Tableau &table = course.tables.back();
        const int row = mostNegativeFreeTermRow(table);
        if (row < 0) {
            course.ending = Course::Ending::Optimum;
            addItem(course, Course::Item::OptimumHeading);
            addItem(course, Course::Item::FinalPoint);
            addItem(course, Course::Item::Value);
            return run;
        }
        run.row = row;
        if (firstNegativeEntry(table, row) < 0) {
            course.endingRow = row;
            course.ending = Course::Ending::NoCandidate;
            addItem(course, Course::Item::NoSolution);
            return run;
        }
        std::vector<ColumnScore> scores;
        const int column = pivotColumn(table, row, true, course.maximise, &scores);
        if (column < 0) {
            course.endingRow = row;
            course.ending = Course::Ending::NoColumn;
            return run;
        }
        pivotLastTable(course, {2, row, column, -1, std::move(scores)}, run);
        addItem(course, Course::Item::Pivot);
        addItem(course, Course::Item::Table);
    }
    course.ending = Course::Ending::Cycled;
    addItem(course, Course::Item::Cycled);
    return run;
}

void continueWithCuts(Course &course)
{
    addItem(course, Course::Item::IntegerSearch);
    for (int k = 1;; ++k) {
        if (isWholePoint(course.tables.back())) {
            course.ending = Course::Ending::IntegerOptimum;
            for (Course::Item::Kind kind : {Course::Item::IntegerOptimum, Course::Item::FinalPoint, Course::Item::Value})
                addItem(course, kind);
            return;
        }
        if (k > kCutLimit) {
            course.ending = Course::Ending::CutLimit;
            addItem(course, Course::Item::CutLimit);
            return;
        }
        addCut(course, k);
        secondStage(course);
        if (course.ending == Course::Ending::NoCandidate) {
            // No pivot column after a cut: the cut leaves no whole point.
            course.items.back().kind = Course::Item::NoIntegerSolution;
            course.ending = Course::Ending::NoInteger;
            return;
        }
        if (course.ending != Course::Ending::Optimum)
            return; // the pivot limit, or values that are not finite numbers
    }
}

Course solveCourse(const ProblemTexts &problem)
{
    Course course = readProblem(problem);
    course.tables.push_back(startingTable(course));
    if (firstStage(course).goesOn)
        secondStage(course);
    if (problem.integer && cutsUnavailable(course).isEmpty())
        continueWithCuts(course);
    return course;
}
