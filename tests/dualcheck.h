// SPDX-License-Identifier: GPL-3.0-or-later
// The dual problem's view checked against the problem, for the differential
// test: GLPK on the dual as written, and the exact identities of every
// table's row Z read as a dual point.
#ifndef DUALCHECK_H
#define DUALCHECK_H

#include "glpkreference.h"
#include "method/exact.h"
#include "texts/duality.h"

namespace glpkreference {

// The dual view against the problem: the dual written is the dual (GLPK
// solves it to the primal optimum, or finds it infeasible or unbounded as
// duality says); every table read as a dual point satisfies, exactly, the
// identities of its row Z (the free term is b·y, column -Xj's entry is
// A_j·y - c_j); its feasibility statement is right; in the second stage W
// never moves the wrong way; at an optimum complementary slackness holds.
inline QString dualDisagreement(const Reference &ref, const Course &course)
{
    const int last = int(course.tables.size()) - 1;
    const Reference dual = solveDualWithGlpk(dualOf(course, last));
    if (ref.verdict == Verdict::Optimum
        && (dual.verdict != Verdict::Optimum || !equalToDigitsShown(dual.value, ref.value, std::max(1.0, qAbs(ref.value)))))
        return QStringLiteral("the dual's optimum %1 (status %2), the primal's %3").arg(dual.value).arg(dual.status).arg(ref.value);
    if (ref.status == GLP_UNBND && dual.status != GLP_NOFEAS)
        return QStringLiteral("an unbounded primal, but the dual is not infeasible (status %1)").arg(dual.status);
    if (ref.status == GLP_NOFEAS && dual.status == GLP_OPT)
        return QStringLiteral("an infeasible primal, but the dual has an optimum");
    ReplayFailure failure;
    const std::optional<ExactCourse> exact = replayExactly(course, &failure);
    if (!exact)
        return QString();
    const CourseView view(course, &*exact, &*exact);
    const int n = course.n;
    std::vector<mpq_class> w(course.tables.size());
    for (int t = 0; t <= last; ++t) {
        const Tableau &table = course.tables[t];
        const int m = int(exact->rightHands[t].size());
        auto entry = [&](const QString &variable) {
            const int j = table.columns.indexOf(QLatin1Char('-') + variable);
            return j < 0 ? mpq_class(0) : exact->at(course, t, table.m, j);
        };
        auto value = [&](const QString &variable) {
            const int i = table.rows.indexOf(variable);
            return i < 0 ? mpq_class(0) : exact->at(course, t, i, table.n);
        };
        std::vector<mpq_class> y;
        mpq_class by = 0;
        bool feasible = true;
        for (int i = 0; i < m; ++i) {
            y.push_back(entry(QStringLiteral("Y%1").arg(i)));
            by += exact->rightHands[t][i] * y.back();
            feasible = feasible && (course.maximise ? y.back() >= 0 : y.back() <= 0);
        }
        w[t] = exact->at(course, t, table.m, table.n);
        if (w[t] != by)
            return QStringLiteral("table %1: W %2 is not b·y %3").arg(t).arg(fractionText(w[t]), fractionText(by));
        for (int j = 0; j < n; ++j) {
            const mpq_class s = entry(QStringLiteral("X%1").arg(j));
            feasible = feasible && (course.maximise ? s >= 0 : s <= 0);
            if (m == course.m) { // the rows as typed: A_j·y - c_j
                mpq_class ay = -exact->c[j];
                for (int i = 0; i < m; ++i)
                    ay += exact->a[i * n + j] * y[i];
                if (s != ay)
                    return QStringLiteral("table %1: column -X%2 holds %3, A·y - c is %4").arg(t).arg(j).arg(fractionText(s), fractionText(ay));
            }
            if (course.ending == Course::Ending::Optimum && t == last && value(QStringLiteral("X%1").arg(j)) * s != 0)
                return QStringLiteral("x%1 and its dual slack are both non-zero at the optimum").arg(j);
        }
        for (int i = 0; course.ending == Course::Ending::Optimum && t == last && i < m; ++i)
            if (y[i] * value(QStringLiteral("Y%1").arg(i)) != 0)
                return QStringLiteral("y%1 and its row's slack are both non-zero at the optimum").arg(i);
        // The decimals say the same, by the method's tolerance.
        for (const CourseView &numbers : {view, CourseView(course)})
            if (dualPointLine(numbers, t).endsWith(QStringLiteral("— допустима")) != feasible)
                return QStringLiteral("table %1: %2").arg(t).arg(dualPointLine(numbers, t));
    }
    for (int t = 0; t < last; ++t)
        if (course.pivots[t].stage == 2 && (course.maximise ? w[t + 1] > w[t] : w[t + 1] < w[t]))
            return QStringLiteral("the second stage moved W the wrong way at table %1").arg(t + 1);
    return QString();
}

} // namespace glpkreference

#endif // DUALCHECK_H
