// SPDX-License-Identifier: GPL-3.0-or-later
// The report explains itself: why each pivot was chosen, why the first
// stage's bound is one, and why the course ended as it did (the optimum with
// its dual solution, which of the two kinds of "нет решений", and whether
// the method came back to a table or ran out of pivots). The texts are
// built from the course's record, which the stages' own choice functions
// wrote, in the numbers of the view that shows them.
#ifndef EXPLAIN_H
#define EXPLAIN_H

#include "texts/reporttext.h"

#include <vector>

// Every explanation of the course, in the report's order.
std::vector<Explanation> explainCourse(const CourseView &view);

// The index of the first table that repeats an earlier one (its labels and
// every cell as the report prints them) and of that earlier table; {-1, -1}
// when no table repeats.
std::pair<int, int> firstRepetition(const Course &course);

// Whether the constraints of a tableau have a solution. The search runs the
// second stage's rules on a copy whose objective row is 0 (every ratio is then
// 0), choosing the pivot row and column by the smallest variable number
// (Bland's rule), so that it always ends: with a tableau without negative
// free terms, whose point satisfies every constraint, or with a row whose
// free term is negative and whose entries are not, which no non-negative
// point satisfies.
struct Feasibility {
    bool decided = false;   // false only if the search ran out of pivots
    bool feasible = false;
    QString row;            // not feasible: the label of the row that shows it
};
Feasibility searchFeasiblePoint(Tableau tableau);

#endif // EXPLAIN_H
