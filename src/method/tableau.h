// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the dual simplex method as plain functions: the sign tests
// with their tolerance, the score of a column, the acceptance of a score,
// the pivot of a tableau, and the reading of a tableau's point from its row
// labels. The stages choose with them; the exact view replays a course with
// the same pivot, and the explanations and the feasibility check reason
// with the same tests.
#ifndef TABLEAU_H
#define TABLEAU_H

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

// A value strictly between -kTolerance and kTolerance counts as zero.
constexpr double kTolerance = 1e-6;
// An update of the tableau whose result is below this share of the larger of
// its two terms is taken as exact cancellation: what is left is rounding.
constexpr double kDropTolerance = 1e-12;
// A stage that has pivoted this many times without an end reports that it cycled.
constexpr int kIterationLimit = 100;

inline bool nearZero(double v)
{
    return v > -kTolerance && v < kTolerance;
}

// The first stage's entering test of an objective entry: of the wrong sign
// for a bound (at most -tolerance when maximising, at least +tolerance when
// minimising).
inline bool entersBound(double z, bool maximise)
{
    return maximise ? z <= -kTolerance : z >= kTolerance;
}

// An entry of the entering column that can be the first stage's pivot.
inline bool isPositiveEntry(double a)
{
    return a >= kTolerance;
}

// A free term that makes a row a candidate of the second stage.
//
// "The point is feasible" has one rule for the method: no free term of a
// constraint row is negative beyond the tolerance (this test). The second
// stage ends on it, and the explanations that reason about a table (the
// bound's "the point still breaks constraints", the search for a feasible
// point behind "нет решений") use the same test on the same table, so that
// they never contradict the course. The plane view alone judges a point by
// its coordinates instead (isFeasible in planegeometry.h: each constraint within
// a share of its terms' size): it checks points read from tables against
// the constraints as typed, where the values carry the rounding of a whole
// course, and an absolute tolerance would call the optimum of a problem with
// large coefficients infeasible.
inline bool isNegativeFreeTerm(double b)
{
    return b < -kTolerance;
}

// An entry of the second stage's pivot row that makes its column a
// candidate: negative beyond the tolerance, so that a rounding residue never
// becomes the pivot element.
inline bool isNegativeEntry(double a)
{
    return a < -kTolerance;
}

// The score of a column against the pivot row: the ratio of its objective
// entry z to its pivot-row entry a. A near-zero objective entry over a
// negative pivot-row entry scores 0; where the ratio means nothing (the
// objective entry or the pivot-row entry near zero) the column is excluded:
// it scores 1 when maximising and -1 when minimising, which the choice never
// accepts.
struct ColumnScore {
    enum Kind { Ratio, Zero, ZeroObjective, ZeroEntry, NoCandidate };
    Kind kind = NoCandidate; // NoCandidate: the second stage did not score it
    double value = 0;
};

inline ColumnScore columnScore(double z, double a, bool maximise)
{
    const double excluded = maximise ? 1 : -1;
    if (nearZero(z) && isNegativeEntry(a))
        return {ColumnScore::Zero, 0};
    if (nearZero(z))
        return {ColumnScore::ZeroObjective, excluded};
    if (nearZero(a))
        return {ColumnScore::ZeroEntry, excluded};
    return {ColumnScore::Ratio, z / a};
}

// Whether a score replaces the best one so far: maximising, the largest
// score below +tolerance; minimising, the smallest above -tolerance. An
// equal score does not replace, so that of equal scores the lowest column
// stays.
inline bool acceptsScore(double score, bool haveBest, double best, bool maximise)
{
    return maximise ? score < kTolerance && (!haveBest || score > best)
                    : score > -kTolerance && (!haveBest || score < best);
}

// The update a - t of one tableau entry. When the two terms cancel but for
// rounding, the entry is exactly 0, so that the report never shows a residue
// such as 2.2e-16 where the exact value is 0. Values that are not finite keep
// their plain arithmetic. In exact arithmetic the update is plain.
inline double entryUpdate(double a, double t)
{
    const double v = a - t;
    const bool finite = std::isfinite(a) && std::isfinite(t);
    return finite && std::abs(v) <= kDropTolerance * std::max(std::abs(a), std::abs(t)) ? 0 : v;
}

// Transforms a tableau of `rows` x `cols` cells, stored row by row, around
// the element (r, s): one step of modified Jordan elimination. The element
// becomes its reciprocal, the rest of its row is divided by it, the rest of
// its column is divided by it and changes sign, and every other cell loses
// the product of its row's pivot-column cell and its column's pivot-row
// cell, divided by it. Returns the element's former value.
template <typename T>
T pivotCells(T *cells, int rows, int cols, int r, int s)
{
    auto at = [cells, cols](int i, int j) -> T & { return cells[i * cols + j]; };
    const T lead = at(r, s);
    at(r, s) = 1 / lead;
    for (int i = 0; i < rows; ++i) {
        if (i == r)
            continue;
        for (int j = 0; j < cols; ++j) {
            if (j != s)
                at(i, j) = entryUpdate(at(i, j), (at(r, j) * at(i, s)) / lead);
        }
    }
    for (int i = 0; i < rows; ++i) {
        if (i != r)
            at(i, s) = -at(i, s) / lead;
    }
    for (int j = 0; j < cols; ++j) {
        if (j != s)
            at(r, j) = at(r, j) / lead;
    }
    return lead;
}

// The label exchange of a pivot on (r, s): the variable of column s moves to
// row r without its minus sign, the variable of row r to column s with one.
inline void swapLabels(QStringList &columns, QStringList &rows, int r, int s)
{
    QString entered = columns[s];
    QString left = rows[r];
    entered.remove(0, 1);
    left.prepend(QLatin1Char('-'));
    rows[r] = entered;
    columns[s] = left;
}

// The starting labels: "-X0" … "-X(n-1)" and "L" over the columns, "Y0" …
// "Y(m-1)" and "Z" beside the rows.
inline QStringList initialColumnLabels(int n)
{
    QStringList labels;
    for (int j = 0; j < n; ++j)
        labels << QStringLiteral("-X") + QString::number(j);
    return labels << QStringLiteral("L");
}

inline QStringList initialRowLabels(int m)
{
    QStringList labels;
    for (int i = 0; i < m; ++i)
        labels << QStringLiteral("Y") + QString::number(i);
    return labels << QStringLiteral("Z");
}

// A row label that contains "X" names the variable whose number follows its
// first character; -1 for any other label.
inline int variableOfRow(const QString &label)
{
    return label.contains(QLatin1Char('X')) ? label.mid(1).toInt() : -1;
}

// The point of a tableau: a variable that labels constraint row i has the
// row's free term freeTerm(i), every other variable is 0.
template <typename FreeTerm>
auto basicPoint(const QStringList &rowLabels, int m, int n, FreeTerm freeTerm)
{
    std::vector<std::decay_t<decltype(freeTerm(0))>> x(n);
    for (int i = 0; i < m; ++i) {
        const int k = variableOfRow(rowLabels[i]);
        if (k >= 0 && k < n)
            x[k] = freeTerm(i);
    }
    return x;
}

#endif // TABLEAU_H
