// SPDX-License-Identifier: GPL-3.0-or-later
// The dual problem beside every table: the dual of the problem a table
// belongs to, in the report's own form, and each table read as a point of
// it from its row Z. For a maximisation the dual is W = b·y -> min with
// Aᵀy >= c and y >= 0; for a minimisation W = b·y -> max with Aᵀy <= c and
// y <= 0, so that the dual estimates the report prints are its solution.
// y_i is the entry of row Z in column -Yi (0 where Yi labels a row), the
// slack of the dual's row j the entry in column -Xj, and W the free term of
// row Z, the same value as F at the table's point. The first stage looks
// for a dual point that is feasible, the second walks such points until the
// two values meet.
#ifndef DUALITY_H
#define DUALITY_H

#include "texts/reporttext.h"

#include <QString>
#include <QStringList>

#include <vector>

// The dual of the problem that table t belongs to, as numbers: W = w·y to be
// minimised (maximise: false) or maximised, rows[j]·y >= c[j] (or <= for a
// minimisation) for every variable x_j, and y >= 0 (or <= 0).
struct DualProblem {
    bool maximise = false;
    std::vector<double> w;                 // one per constraint of the primal problem
    std::vector<std::vector<double>> rows; // one per variable of the primal problem
    std::vector<double> c;
};
DualProblem dualOf(const Course &course, int t);

// The entry of table's row Z in the column of `variable` ("Y1", "X0"), in
// decimals: 0 where the variable labels a row.
double zRowEntry(const Tableau &table, const QString &variable);

// Whether table t is read as a dual point: the tables before the first cut
// (cuts change the problem in a way the view does not follow).
bool hasDualPoint(const Course &course, int t);

// The dual problem's lines: "Двойственная задача:", its objective, a row per
// variable, the signs; in the view's numbers.
QStringList dualProblemLines(const CourseView &view, int t);

// Table t as a point of the dual problem: "двойственная точка: y = (2/5
// 1/5), W = 14/5 — допустима", or "— недопустима: нарушены ограничения 1, 3
// двойственной задачи".
QString dualPointLine(const CourseView &view, int t);

// Why a minimisation's dual variables are not positive (empty for a
// maximisation): a line for the explanations under the dual problem.
QString dualSignNote(const Course &course);

// The line where the view stops, at the first cut.
QString dualStopLine(bool branches = false);

// Whether table t's dual point is feasible: every entry of row Z but the
// free term of the sign a dual point needs (by the method's tolerance in
// decimals, exactly in the exact view).
bool isDualFeasible(const CourseView &view, int t);

// The method in dual words, for the explanations: why a minimisation's dual
// variables are not positive, why the bound bounds F (weak duality), that
// the second stage walks dual feasible points, the optimum's F = W and
// complementary slackness, and at "нет решений" the dual direction that
// grows without bound.
std::vector<Explanation> dualExplanations(const CourseView &view);

#endif // DUALITY_H
