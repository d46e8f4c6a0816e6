// SPDX-License-Identifier: GPL-3.0-or-later
// Exact arithmetic for the exact view of a report: the course's pivots
// replayed in rational numbers (GMP's mpq_class) on the fields read exactly,
// the scores of its choices in exact arithmetic, the choices that only
// rounding decided, and the fraction format of an exact value. It words
// nothing: what failed is returned as data, and the views word it.
#ifndef EXACT_H
#define EXACT_H

#include "method/course.h"

#include <QString>

#include <gmpxx.h>

#include <optional>
#include <vector>

// The update a - t of one tableau entry in exact arithmetic: nothing to round.
inline mpq_class entryUpdate(const mpq_class &a, const mpq_class &t)
{
    return a - t;
}

// The fractional part q − ⌊q⌋ of an exact value.
inline mpq_class fractionalPart(const mpq_class &q)
{
    mpz_class floor;
    mpz_fdiv_q(floor.get_mpz_t(), q.get_num_mpz_t(), q.get_den_mpz_t());
    return q - floor;
}

// Whether exact fractional part f is larger than g.
inline bool largerPart(const mpq_class &f, const mpq_class &g)
{
    return f > g;
}

// The exact values of a course: the problem as the fields read exactly, and
// every table of the report, row by row as in Tableau.
struct ExactCourse {
    std::vector<mpq_class> c, a, b;
    std::vector<std::vector<mpq_class>> tables;
    std::vector<std::vector<mpq_class>> rightHands; // of each table's problem, changes made
    std::vector<std::vector<mpq_class>> cutForms;   // by change: a cut's form in x (c_0 … c_{n-1}, d)

    const mpq_class &at(const Course &course, int table, int i, int j) const
    {
        return tables[table][i * (course.n + 1) + j];
    }
};

// Why a course cannot be replayed exactly.
struct ReplayFailure {
    enum Kind { NotFinite, ZeroPivot };
    Kind kind = NotFinite;
    // NotFinite: the field whose value is no finite number, counted over the
    // objective's fields, then the constraints' row by row, then the
    // right-hand sides.
    int field = -1;
    // ZeroPivot: the table whose pivot element is exactly 0.
    int table = -1;
    // NotFinite in a change after the optimum: its number (the field then
    // counts its coefficients, then its right-hand side).
    int change = -1;
};

// The course replayed exactly: the starting table from the fields read
// exactly, then the same pivot, row and column, as the decimal course made
// at every step, even where exact arithmetic would have chosen otherwise, so
// that both views describe one course. Nothing, and in *why the reason, when
// a field's value is not a finite number or a pivot element is exactly 0.
std::optional<ExactCourse> replayExactly(const Course &course, ReplayFailure *why);

// The score of column j at pivot p in exact arithmetic, for a column the
// choice scored (a ratio or 0). Nothing for a column it did not score, and
// for a ratio whose pivot-row entry is exactly 0: that exact value does not
// exist (the decimal entry was a rounding residue beyond the tolerance).
std::optional<mpq_class> exactScore(const Course &course, const ExactCourse &exact, int p, int j);

// A choice that rounding decided: where the value of the row or column the
// course took equals, in exact arithmetic, that of another candidate which
// the rule takes there (the upper row, the left column of equal ones), the
// two and their common value.
struct ExactTie {
    int taken = -1;  // the row or column the course took
    int ruled = -1;  // the one the rule takes in exact arithmetic
    mpq_class value;
};
// The second stage's pivot row at pivot p: the most negative free term.
std::optional<ExactTie> rowTie(const Course &course, const ExactCourse &exact, int p);
// The pivot column at pivot p, in either stage: the score the rule accepts.
std::optional<ExactTie> columnTie(const Course &course, const ExactCourse &exact, int p);

// An integer as itself ("2", "-10000", "0", never "-0"); any other value as
// a reduced fraction with its sign in front ("-3/4", "8/5").
QString fractionText(const mpq_class &q);

// The double nearest to an exact value.
double nearestDouble(const mpq_class &q);

#endif // EXACT_H
