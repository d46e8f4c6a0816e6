// SPDX-License-Identifier: GPL-3.0-or-later
// Practice of the arithmetic: the student computes a table the course
// reached by a pivot, cell by cell, and each cell typed is checked exactly.
// The rule that makes a cell (the pivot element's reciprocal, a cell of the
// pivot row or of the pivot column divided by the pivot, or the rectangle
// rule) is worded with its own numbers from the table before, in the view's
// numbers; the exact replay decides what is right.
#ifndef PRACTICECELLS_H
#define PRACTICECELLS_H

#include "texts/reporttext.h"

#include <QString>

// What a text typed into cell (i, j) of table t is told.
struct CellCheck {
    bool right = false;
    QString shown; // right: the cell's text as the report's table shows it
    QString words; // starts with "Верно" or "Неверно"
};

// The check of `text` for cell (i, j) of table t, which pivot t - 1 made.
// Right when it is the cell's exact value; in the decimal view also when it
// is the number the report prints there. A wrong text is told the cell's
// rule with its numbers, in the explanations' words when `explain`, and,
// from its second wrong try on (`wrongBefore` >= 1), the value the rule
// leads to.
CellCheck checkCell(const CourseView &view, int t, int i, int j, const QString &text, int wrongBefore, bool explain);

// How a cell is named in the record of tries: "клетка X1, -Y0".
QString cellName(const Course &course, int t, int i, int j);

#endif // PRACTICECELLS_H
