// SPDX-License-Identifier: GPL-3.0-or-later
// The course of one solve as data. While the two stages run they append the
// report's items to its page and, beside them, to this record: the problem
// as read, every table the report shows, every pivot with what its choice
// looked at, the report's items in order, and how the course ended. Every
// view of the report (the copy, the exact fractions, the explanations, the
// picture on the plane) reads the record; none re-runs the method.
#ifndef COURSE_H
#define COURSE_H

#include "tableau.h"

#include <QStringList>

#include <vector>

// One snapshot table: the tableau under its labels.
struct Tableau {
    int n = 0, m = 0;          // variables and constraints
    QStringList columns, rows; // labels: n + 1 and m + 1 of them
    std::vector<double> cells; // (m + 1) x (n + 1), row by row; the objective row last

    double at(int i, int j) const { return cells[i * (n + 1) + j]; }
    std::vector<double> point() const
    {
        return basicPoint(rows, m, n, [this](int i) { return at(i, n); });
    }
    // Where the dual estimate of constraint i stands: the column labelled
    // "-Y" and i, whose objective-row entry it is; -1 when "Y" and i labels a
    // row, whose estimate is 0.
    int estimateColumn(int i) const { return columns.indexOf(QStringLiteral("-Y") + QString::number(i)); }
};

// One pivot: which stage chose it, where, and what the choice looked at. It
// was chosen in table k of the report and leads to table k + 1.
struct PivotChoice {
    int stage = 1;
    int row = 0, column = 0;
    int entering = -1;                // first stage: the column whose objective entry asked for it
    std::vector<ColumnScore> scores;  // every variable column's score
};

struct Course {
    // What each line or table of the report shows; the report's page holds
    // them in this order, "Ok" after them.
    struct Item {
        enum Kind { Task, Table, Point, Pivot, Bound, FinalPoint, Stage2, OptimumHeading, Value, NoSolution, Cycled };
        Kind kind;
        int table; // the table it belongs to: shown, or whose point, bound or value it states
        int pivot; // a pivot line: the pivot it names
    };
    enum class Ending {
        None,            // still running
        Optimum,         // the second stage found the optimum
        NoPivotRow,      // first stage: the entering column has no pivot row
        NoCandidate,     // second stage: the pivot row has no negative entry
        NoColumn,        // no column could be scored: values that are not finite numbers
        Cycled,          // the iteration limit
    };

    // The problem as read: the fields' texts and the values the form counts.
    int n = 0, m = 0;
    bool maximise = true;
    QStringList objectiveTexts, constraintTexts, rightHandTexts; // constraints row by row
    std::vector<double> c, a, b;

    std::vector<Tableau> tables;
    std::vector<PivotChoice> pivots;
    std::vector<Item> items;
    Ending ending = Ending::None;
    int endingRow = -1;    // second stage without a candidate: the pivot row
    int endingColumn = -1; // first stage without a pivot row: the entering column

    bool allFinite() const;
};

#endif // COURSE_H
