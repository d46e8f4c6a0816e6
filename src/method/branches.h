// SPDX-License-Identifier: GPL-3.0-or-later
// Integer solutions by branch and bound, each branch continued by the dual
// simplex method: a node whose point has a fractional x is branched on the
// variable that a cut would be written from, into x <= ⌊v⌋ and x >= ⌈v⌉;
// each child adds its bound to its parent's last table as a row Bk with a
// negative free term, and the second stage goes on from there. Nodes are
// taken depth first, the `<=` child first, and numbered in the order taken.
// The bound's row is a template, so that the exact replay writes it exactly.
#ifndef BRANCHES_H
#define BRANCHES_H

#include "method/course.h"

#include <QString>

#include <vector>

// At most this many nodes are taken (node 0, the first optimum, not counted).
constexpr int kNodeLimit = 50;

// The row of bound x`variable` <= `bound` (`upper`) or >= `bound` in a
// table where x`variable` labels a row: for x <= b the row's entries
// negated and the free term b − v; for x >= b the entries as they are and
// the free term v − b.
template <typename T>
std::vector<T> branchRow(const Tableau &labels, const std::vector<T> &cells, int variable, bool upper, const T &bound)
{
    const int n = labels.n;
    const int source = labels.rows.indexOf(QStringLiteral("X%1").arg(variable));
    std::vector<T> row(n + 1);
    for (int j = 0; j < n; ++j)
        row[j] = upper ? T(0 - cells[source * (n + 1) + j]) : cells[source * (n + 1) + j];
    const T &v = cells[source * (n + 1) + n];
    row[n] = upper ? T(bound - v) : T(v - bound);
    return row;
}

// Why a course's optimum cannot be continued by branch and bound; empty
// when it can (the same problems as the cuts, and no integer method yet).
QString branchesUnavailable(const Course &course);

// The course continued by branch and bound after its optimum: "Ищем
// целочисленное решение методом ветвей и границ", node 0's ending, then
// node after node, to the integer optimum, "нет целочисленных решений" or
// the limit of nodes.
void continueWithBranches(Course &course);

// Whether F value `f` is no better than the record `record` (max: not
// above it; min: not below), within the method's tolerance.
bool notBetter(const Course &course, double f, double record);

#endif // BRANCHES_H
