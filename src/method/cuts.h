// SPDX-License-Identifier: GPL-3.0-or-later
// Integer solutions by Gomory's cutting-plane method, continued by the dual
// simplex method: at an optimum whose x are not all whole, a cut is written
// from the row of an x with the largest fractional part of its free term
// (the upper of equal ones), added to the last table as a new row Sk, and
// the second stage goes on from there (solve.h runs the two in turn). The
// cut's rules are templates, so that the exact replay writes the same cut
// exactly.
#ifndef CUTS_H
#define CUTS_H

#include "method/course.h"

#include <QString>

#include <cmath>
#include <vector>

// At most this many cuts; then the course says that no whole point was reached.
constexpr int kCutLimit = 25;

// The fractional part v − ⌊v⌋ of a decimal; within the tolerance of 0 or 1
// it is 0 (the value counts as whole).
inline double fractionalPart(double v)
{
    const double f = v - std::floor(v);
    return f < kTolerance || f > 1 - kTolerance ? 0 : f;
}

// Whether fractional part f is larger than g. Decimals closer than
// rounding leaves them are equal, as exactly they are: a tie keeps the
// upper row in decimals as in fractions. (Exact values: exact.h.)
constexpr double kPartRounding = 1e-12;
inline bool largerPart(double f, double g)
{
    return f > g + kPartRounding;
}

// The row to cut by (and the variable to branch on): of the rows labelled
// with a variable x, the one whose free term has the largest fractional
// part, the upper of equal ones; -1 when every x is whole.
template <typename T>
int cutSourceRow(const Tableau &labels, const std::vector<T> &cells)
{
    const int n = labels.n;
    int source = -1;
    T best = 0;
    for (int i = 0; i < labels.m; ++i) {
        if (variableOfRow(labels.rows[i]) < 0)
            continue;
        const T f = fractionalPart(cells[i * (n + 1) + n]);
        if (f > 0 && (source < 0 || largerPart(f, best))) {
            source = i;
            best = f;
        }
    }
    return source;
}

// The cut's row in the table: −{a} under each column, −{b} as its free
// term; read as Sk = −{b} + Σ {a_j}·t_j >= 0 for the column variables t_j.
template <typename T>
std::vector<T> cutRow(const Tableau &labels, const std::vector<T> &cells, int source)
{
    const int n = labels.n;
    std::vector<T> row(n + 1);
    for (int j = 0; j <= n; ++j)
        row[j] = T(0) - fractionalPart(cells[source * (n + 1) + j]); // a whole entry gives 0, never -0
    return row;
}

// The cut in the problem's variables x: the column variables t_j replaced
// by their constraints (a slack y_i = b_i − a_i·x, an earlier cut's
// likewise, or x_k itself), as Σ c_k·x_k <= d. `rows` and `rightHands` are
// the table's problem's constraints, row by row.
template <typename T>
std::vector<T> cutInX(const Tableau &labels, const std::vector<T> &row, const std::vector<T> &rows,
                      const std::vector<T> &rightHands)
{
    const int n = labels.n;
    std::vector<T> form(n + 1); // c_0 … c_{n-1}, d
    form[n] = row[n];           // −{b}: Σ {a_j}·t_j >= {b} is −Σ {a_j}·t_j <= −{b}
    for (int j = 0; j < n; ++j) {
        const T f = -row[j];    // {a_j}
        const QString name = labels.columns[j].mid(1);
        const int x = variableOfRow(name);
        if (x >= 0) {
            form[x] -= f;
            continue;
        }
        for (int i = 0; i < int(rightHands.size()); ++i)
            if (labels.problemRowName(i) == name) {
                // {a_j}·(b_i − a_i·x): its x to the left, its constant to the right.
                for (int k = 0; k < n; ++k)
                    form[k] += f * rows[i * n + k];
                form[n] += f * rightHands[i];
            }
    }
    return form;
}

// Why a course's optimum cannot be continued by cuts; empty when it can:
// the course ends at an optimum whose x are not all whole, no cut was made
// yet, and every constraint's coefficient and right-hand side is whole
// (otherwise the first field that is not, named as the form names it).
QString cutsUnavailable(const Course &course);

// Whether the x of table t are all whole (within the tolerance).
bool isWholePoint(const Tableau &table);

// The course as it stood at its optimum, before its cuts.
Course withoutCuts(Course course);

// Cut k after the last table: its row in the table, its form in x recorded
// as a change of the problem, the table with the row Sk before the Z row.
void addCut(Course &course, int k);

#endif // CUTS_H
