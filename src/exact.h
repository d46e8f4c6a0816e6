// SPDX-License-Identifier: GPL-3.0-or-later
// Exact arithmetic for the exact view of a report: the course's pivots
// replayed in rational numbers (GMP's mpq_class) on the fields read exactly,
// and the fraction format of an exact value.
#ifndef EXACT_H
#define EXACT_H

#include "course.h"

#include <QString>

#include <gmpxx.h>

#include <optional>
#include <vector>

// The update a - t of one tableau entry in exact arithmetic: nothing to round.
inline mpq_class entryUpdate(const mpq_class &a, const mpq_class &t)
{
    return a - t;
}

// The exact values of a course: the problem as the fields read exactly, and
// every table of the report, row by row as in Tableau.
struct ExactCourse {
    std::vector<mpq_class> c, a, b;
    std::vector<std::vector<mpq_class>> tables;

    const mpq_class &at(const Course &course, int table, int i, int j) const
    {
        return tables[table][i * (course.n + 1) + j];
    }
};

// The course replayed exactly: the starting table from the fields read
// exactly, then the same pivot, row and column, as the decimal course made
// at every step, even where exact arithmetic would have chosen otherwise, so
// that both views describe one course. Nothing, and in *why the reason, when
// a field's value is not a finite number or a pivot element is exactly 0.
std::optional<ExactCourse> replayExactly(const Course &course, QString *why);

// An integer as itself ("2", "-10000", "0", never "-0"); any other value as
// a reduced fraction with its sign in front ("-3/4", "8/5").
QString fractionText(const mpq_class &q);

// The double nearest to an exact value.
double nearestDouble(const mpq_class &q);

#endif // EXACT_H
