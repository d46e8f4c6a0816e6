// SPDX-License-Identifier: GPL-3.0-or-later
// Gomory's cuts in words, in the numbers of a view: why a cut is written by
// its row, the cut in the problem's variables x, where the exact replay
// sees a choice or a fractional part the decimals did not, and the
// integer endings; for the explanations and for practice alike.
#ifndef CUTWORDS_H
#define CUTWORDS_H

#include "texts/reporttext.h"

#include <QString>

// The explanation of cut `change`: why its row, how the cut follows from the
// row, and the cut in x ("в переменных x: x0 + x1 <= 3").
QString explainCut(const CourseView &view, int change);

// Why the source row of table t is the one to cut by (or, `branching`, the
// one whose variable branch and bound branches on): the largest fractional
// part of its free term among the rows of x, the upper of equal ones.
QString cutRowReason(const CourseView &view, int t, int source, bool branching = false);

// What practice answers a click on row `row` of table t where the cut is to
// be written from row `source`: right (with the reason) or the rule it breaks.
QString cutRowVerdict(const CourseView &view, int t, int source, int row, bool *right, bool branching = false);

// The explanations of the integer endings.
QString explainIntegerOptimum();
QString explainNoInteger(const CourseView &view, int t, int row);
QString explainCutLimit(int cuts);

#endif // CUTWORDS_H
