// SPDX-License-Identifier: GPL-3.0-or-later
// Thousands of seeded random problems solved through the real window and by
// GLPK: the report's verdict, optimal value and point must agree with it; so
// must the explanations' kind of "нет решений" and the dual solution at an
// optimum, and the exact view must describe the same course.
#include "dualcheck.h"
#include "glpkreference.h"
#include "reportdriver.h"

#include "method/fieldtext.h"
#include "practice/practice.h"
#include "practice/practicecells.h"
#include "texts/ranging.h"
#include "reportwindow/reportview.h"
#include "method/whatif.h"

#include <cfloat>

#include <gmpxx.h>

#include <map>

namespace {

using namespace glpkreference;

const int kProblems = repetitions(4000);

// Families: small integers, decimals, right-hand sides of 0, and pairs of
// opposite constraints that make an equation.
Problem randomProblem(Uniform &uniform)
{
    Problem p;
    const int n = uniform(2, 4), m = uniform(1, 8);
    p.maximise = uniform(0, 1) == 1;
    const bool decimals = uniform(0, 3) == 0;
    auto coefficient = [&]() {
        return decimals ? uniform(-50, 50) / (uniform(0, 1) ? 10.0 : 4.0) : double(uniform(-3, 3));
    };
    for (int j = 0; j < n; ++j)
        p.c.push_back(coefficient());
    for (int i = 0; i < m; ++i) {
        std::vector<double> row;
        for (int j = 0; j < n; ++j)
            row.push_back(coefficient());
        p.a.push_back(row);
        const int kind = uniform(0, 3);
        p.b.push_back(kind == 0 ? 0.0 : kind == 1 ? coefficient() * 2 : qAbs(coefficient()) * 2);
    }
    if (m >= 2 && uniform(0, 3) == 0) {
        const int from = uniform(0, m - 2);
        for (int j = 0; j < n; ++j)
            p.a[m - 1][j] = -p.a[from][j];
        p.b[m - 1] = -p.b[from];
    }
    return p;
}

// The band family: one or two constraint coefficients of a problem typed
// inside the band of +-0.000001, which the method counts as zero in every
// sign test of a pivot row's or column's entries.
void putBandValues(Problem &p, Uniform &uniform)
{
    const double band[] = {5e-7, -5e-7, 2e-7, -9e-7};
    for (int k = uniform(1, 2); k > 0; --k)
        p.a[uniform(0, int(p.a.size()) - 1)][uniform(0, int(p.c.size()) - 1)] = band[uniform(0, 3)];
}

QString describe(const Problem &p)
{
    QString text = p.maximise ? QStringLiteral("max") : QStringLiteral("min");
    for (double c : p.c)
        text += QLatin1Char(' ') + QString::number(c);
    for (size_t i = 0; i < p.a.size(); ++i) {
        text += QStringLiteral("\n  ");
        for (double a : p.a[i])
            text += QString::number(a) + QLatin1Char(' ');
        text += QStringLiteral("<= ") + QString::number(p.b[i]);
    }
    return text;
}

// The numbers of "достигается в точке - (x0 x1 ... )".
std::vector<double> pointOf(const QString &line)
{
    const int open = line.indexOf(QLatin1Char('(')), close = line.lastIndexOf(QLatin1Char(')'));
    std::vector<double> x;
    for (const QString &part : line.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        x.push_back(part.toDouble());
    return x;
}

// The number after the text that starts a report line.
double numberAfter(const QString &line, const QString &start)
{
    return line.mid(start.size()).toDouble();
}

// Empty when the report's course and ending hold up, otherwise what is wrong:
// the ending agrees with GLPK; no printed number is a rounding residue (the
// coefficients have at most two decimals, nothing exact is below 1e-9 here);
// the first stage's bound is not below the optimum when maximising nor above
// it when minimising; an optimal point is non-negative, satisfies every
// constraint, and gives the printed value.
QString disagreement(const Problem &p, const Reference &ref, const QStringList &items)
{
    static const QRegularExpression separators(QStringLiteral("[ ()/]"));
    for (const QString &item : items) {
        for (const QString &token : item.split(separators, Qt::SkipEmptyParts)) {
            bool ok = false;
            const double v = token.toDouble(&ok);
            if (ok && v != 0 && qAbs(v) < 1e-9)
                return QStringLiteral("residue %1 printed in: %2").arg(token, item);
        }
    }
    if (ref.verdict == Verdict::NoSolution)
        return items.value(items.size() - 2) == reportline::noSolution ? QString()
                                                                              : QStringLiteral("expected нет решений");
    if (items.size() < 4 || items[items.size() - 4] != reportline::optimum)
        return QStringLiteral("expected an optimum of %1").arg(ref.value);
    const double value = numberAfter(items[items.size() - 2], QStringLiteral("значение функции "));
    if (!equalToDigitsShown(value, ref.value, qMax(1.0, qAbs(ref.value))))
        return QStringLiteral("value %1, GLPK %2").arg(value).arg(ref.value);
    const QString boundStart = p.maximise ? QStringLiteral("Верхняя оценка функции - ")
                                          : QStringLiteral("Нижняя оценка функции - ");
    const QStringList boundLines = items.filter(QRegularExpression(QLatin1Char('^') + boundStart));
    if (boundLines.size() != 1)
        return QStringLiteral("no bound line");
    const double bound = numberAfter(boundLines.first(), boundStart);
    if ((p.maximise ? ref.value - bound : bound - ref.value) > 1e-5 * qMax(1.0, qAbs(ref.value)))
        return QStringLiteral("bound %1 on the wrong side of the optimum %2").arg(bound).arg(ref.value);
    const std::vector<double> x = pointOf(items[items.size() - 3]);
    if (x.size() != p.c.size())
        return QStringLiteral("point of the wrong size");
    double cx = 0, cxScale = qAbs(value);
    for (size_t j = 0; j < x.size(); ++j) {
        if (x[j] < 0)
            return QStringLiteral("negative coordinate %1").arg(x[j]);
        cx += p.c[j] * x[j];
        cxScale += qAbs(p.c[j] * x[j]);
    }
    if (!equalToDigitsShown(value, cx, cxScale))
        return QStringLiteral("value %1, but c·x = %2 at the point shown").arg(value).arg(cx);
    for (size_t i = 0; i < p.a.size(); ++i) {
        double lhs = 0, scale = qAbs(p.b[i]);
        for (size_t j = 0; j < x.size(); ++j) {
            lhs += p.a[i][j] * x[j];
            scale += qAbs(p.a[i][j] * x[j]);
        }
        if (lhs > p.b[i] + 1e-5 * qMax(1.0, scale))
            return QStringLiteral("constraint %1 violated: %2 > %3").arg(i).arg(lhs).arg(p.b[i]);
    }
    return QString();
}

// A problem of the band family is solved as if its band values were 0 in
// the sign tests but not in the arithmetic, so that no other solver agrees
// with it exactly. What must hold: no pivot element is smaller than
// 0.000001 in magnitude, and the report ends with a verdict.
QString bandDisagreement(const Widget &w)
{
    for (const QTableWidget *t : reportTables(w)) {
        for (const QString &at : markedCells(t)) {
            const QString pivot = cellText(t, at.section(',', 0, 0).toInt(), at.section(',', 1).toInt());
            if (!(qAbs(pivot.toDouble()) >= 1e-6))
                return QStringLiteral("pivot element %1 inside the band").arg(pivot);
        }
    }
    const QStringList items = reportItems(w);
    const QString last = items.value(items.size() - 2);
    if (last != reportline::noSolution && last != reportline::cycled && items.value(items.size() - 4) != reportline::optimum)
        return QStringLiteral("no verdict");
    return QString();
}

// A number of the exact view: an integer or a fraction, as a double.
double exactNumber(const QString &text, bool *ok)
{
    mpq_class q;
    *ok = q.set_str(text.toStdString(), 10) == 0 && q.get_den() != 0;
    if (!*ok)
        return 0;
    q.canonicalize();
    return q.get_d();
}

// The report's numbers in the exact view against those of the decimal view:
// every exact value converted to double agrees with the decimal shown to its
// six digits. Table cells are compared whole (a shortened cell's tooltip).
QString exactDisagreement(Widget &w)
{
    auto numbersOf = [&w](bool exact) {
        std::vector<std::pair<QString, double>> numbers; // text, and the scale of its table or line
        static const QRegularExpression separators(QStringLiteral("[ ()]"));
        QLayout *vert = w.Form->layout();
        for (int k = 0; k < vert->count(); ++k) {
            QWidget *item = vert->itemAt(k)->widget();
            if (auto *table = qobject_cast<QTableWidget *>(item)) {
                for (int i = 0; i < table->rowCount(); ++i)
                    for (int j = 0; j < table->columnCount(); ++j) {
                        const QLabel *cell = cellLabel(table, i, j);
                        numbers.push_back({exact && !cell->toolTip().isEmpty() ? cell->toolTip() : cell->text(), k});
                    }
            } else if (auto *label = qobject_cast<QLabel *>(item)) {
                for (const QString &token : label->text().split(separators, Qt::SkipEmptyParts))
                    numbers.push_back({token, k});
            }
        }
        return numbers;
    };
    const auto decimals = numbersOf(false);
    QAction *fractions = reportAction(w, "actionFractions");
    if (!fractions->isEnabled())
        return QStringLiteral("no exact view: ") + fractions->toolTip();
    fractions->trigger();
    const auto exacts = numbersOf(true);
    fractions->trigger();
    if (exacts.size() != decimals.size())
        return QStringLiteral("the exact view has other items");
    // The largest magnitude of each item, for values that cancel to about 0.
    std::map<double, double> scale;
    for (const auto &d : decimals)
        scale[d.second] = std::max({scale[d.second], 1.0, qAbs(d.first.toDouble())});
    for (size_t k = 0; k < decimals.size(); ++k) {
        bool isDecimal = false, isExact = false;
        const double d = decimals[k].first.toDouble(&isDecimal);
        const double e = exactNumber(exacts[k].first, &isExact);
        if (isDecimal != isExact)
            return QStringLiteral("%1 shown exactly as %2").arg(decimals[k].first, exacts[k].first);
        if (!isDecimal) {
            if (decimals[k].first != exacts[k].first)
                return QStringLiteral("text %1 became %2").arg(decimals[k].first, exacts[k].first);
            continue;
        }
        if (qAbs(e - d) > 1e-5 * qMax(qAbs(e), qAbs(d)) && qAbs(e - d) > 1e-9 * scale[decimals[k].second])
            return QStringLiteral("exact %1 (%2) against %3").arg(exacts[k].first).arg(e).arg(decimals[k].first);
    }
    return QString();
}

// GLPK's sensitivity analysis of its optimal basis, where that basis is
// unique (no basic value and no reduced cost zero): the range of every
// right-hand side (a basic row: from its activity up; a bound row:
// glp_analyze_bound) and of every objective coefficient (a basic column:
// glp_analyze_coef; a column at its bound: up to or down to where its
// reduced cost is used up). Empty when the basis is degenerate.
std::vector<std::pair<double, double>> glpkRanges(const Problem &p)
{
    glp_prob *lp = glpkProblem(p);
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    glp_simplex(lp, &parm);
    std::vector<std::pair<double, double>> ranges;
    const int m = glp_get_num_rows(lp), n = glp_get_num_cols(lp);
    bool degenerate = glp_get_status(lp) != GLP_OPT;
    for (int k = 1; k <= m + n && !degenerate; ++k) {
        const bool row = k <= m;
        const int at = row ? k : k - m;
        const int status = row ? glp_get_row_stat(lp, at) : glp_get_col_stat(lp, at);
        const double value = row ? (status == GLP_BS ? glp_get_row_ub(lp, at) - glp_get_row_prim(lp, at) : 0)
                                 : glp_get_col_prim(lp, at);
        const double reduced = row ? glp_get_row_dual(lp, at) : glp_get_col_dual(lp, at);
        degenerate = status == GLP_BS ? std::abs(value) < 1e-9 : std::abs(reduced) < 1e-9;
    }
    if (!glp_bf_exists(lp))
        glp_factorize(lp);
    auto infinite = [](double v) { return v <= -DBL_MAX ? -INFINITY : v >= DBL_MAX ? INFINITY : v; };
    for (int i = 1; i <= m && !degenerate; ++i) {
        if (glp_get_row_stat(lp, i) == GLP_BS) {
            ranges.push_back({glp_get_row_prim(lp, i), INFINITY});
            continue;
        }
        double low, high;
        int lowVar, highVar;
        glp_analyze_bound(lp, i, &low, &lowVar, &high, &highVar);
        ranges.push_back({infinite(low), infinite(high)});
    }
    for (int j = 1; j <= n && !degenerate; ++j) {
        const double c = glp_get_obj_coef(lp, j);
        if (glp_get_col_stat(lp, j) != GLP_BS) {
            const double d = glp_get_col_dual(lp, j);
            ranges.push_back(p.maximise ? std::pair<double, double>(-INFINITY, c - d) : std::pair<double, double>(c - d, INFINITY));
            continue;
        }
        double low, high, lowValue, highValue;
        int lowVar, highVar;
        glp_analyze_coef(lp, m + j, &low, &lowVar, &lowValue, &high, &highVar, &highValue);
        ranges.push_back({infinite(low), infinite(high)});
    }
    glp_delete_prob(lp);
    return degenerate ? std::vector<std::pair<double, double>>() : ranges;
}

// The report's ranging against GLPK's, to the six digits shown, where
// GLPK's basis is unique; counted in *compared.
QString rangingDisagreement(const Problem &p, const Course &course, int *compared)
{
    const std::vector<std::pair<double, double>> reference = glpkRanges(p);
    if (reference.empty())
        return QString();
    ++*compared;
    auto read = [](const QString &text) {
        return text == QStringLiteral("-∞") ? -INFINITY : text == QStringLiteral("+∞") ? INFINITY : text.toDouble();
    };
    auto same = [](double a, double b) {
        return std::isinf(a) || std::isinf(b) ? a == b : equalToDigitsShown(a, b, std::max({1.0, qAbs(a), qAbs(b)}));
    };
    size_t k = 0;
    for (const TitledGrid &grid : rangingGrids(CourseView(course)))
        for (size_t i = 0; i < grid.cells.size(); ++i, ++k) {
            const double from = read(grid.cells[i][2]), to = read(grid.cells[i][3]);
            if (!same(from, reference[k].first) || !same(to, reference[k].second))
                return QStringLiteral("%1 %2: from %3 to %4, GLPK %5 to %6")
                    .arg(grid.title, grid.rows[int(i)], grid.cells[i][2], grid.cells[i][3])
                    .arg(reference[k].first)
                    .arg(reference[k].second);
        }
    return QString();
}

// "Что если" on an optimum: one or two changes in a row (a right-hand side
// set anew, or a constraint added), the course continued by the dual
// simplex method, must end where GLPK ends on the changed problem: the same
// verdict, the same value to the digits shown. A right-hand side moved to
// the middle of its range needs no pivot and moves F by its estimate.

QString whatIfDisagreement(Problem p, Course course, Uniform &uniform, int *cycled)
{
    auto value = [&]() { return uniform(-40, 40) / (uniform(0, 1) ? 1.0 : 4.0); };
    const int changes = uniform(1, 2);
    for (int k = 0; k < changes && course.ending == Course::Ending::Optimum; ++k) {
        WhatIf whatIf;
        const int m = int(p.b.size());
        if (m < 8 && uniform(0, 2) == 0) {
            std::vector<double> row;
            for (size_t j = 0; j < p.c.size(); ++j) {
                row.push_back(value());
                whatIf.coefficientTexts << numberText(row.back());
            }
            p.a.push_back(row);
            p.b.push_back(value());
            whatIf.rightHandText = numberText(p.b.back());
        } else {
            whatIf.row = uniform(0, m - 1);
            p.b[whatIf.row] = value();
            whatIf.rightHandText = numberText(p.b[whatIf.row]);
        }
        QString error;
        if (!continueCourse(course, whatIf, &error))
            return error;
    }
    const Reference ref = solveWithGlpk(p);
    if (course.ending == Course::Ending::Cycled) {
        ++*cycled;
        return QString();
    }
    const Tableau &last = course.tables.back();
    // The exact replay follows the changes: the last table's every cell, exactly, is its decimal.
    ReplayFailure failure;
    const std::optional<ExactCourse> exact = replayExactly(course, &failure);
    if (!exact)
        return QStringLiteral("no exact replay of the changes");
    for (int k = 0; k < int(last.cells.size()); ++k) {
        const double e = exact->tables.back()[k].get_d(), d = last.cells[k];
        if (qAbs(e - d) > 1e-6 * std::max(1.0, qAbs(e)))
            return QStringLiteral("exact cell %1 is %2, the decimal %3").arg(k).arg(e).arg(d);
    }
    if (ref.verdict == Verdict::NoSolution)
        return course.ending == Course::Ending::NoCandidate ? dualDisagreement(ref, course) : QStringLiteral("GLPK: no solution");
    if (course.ending != Course::Ending::Optimum)
        return QStringLiteral("no optimum, GLPK's is %1").arg(ref.value);
    const double v = last.at(last.m, last.n);
    return equalToDigitsShown(v, ref.value, std::max(1.0, qAbs(ref.value)))
               ? dualDisagreement(ref, course)
               : QStringLiteral("value %1, GLPK %2").arg(v).arg(ref.value);
}

QString insideRangeDisagreement(const Course &optimum)
{
    const int t = int(optimum.tables.size()) - 1;
    const std::vector<TitledGrid> grids = rangingGrids(CourseView(optimum));
    for (int i = 0; i < optimum.tables[t].m; ++i) {
        const QStringList &row = grids[0].cells[i];
        if (row[2].startsWith(QLatin1Char('-')) && row[2].contains(QChar(0x221E)))
            continue;
        const double from = row[2].toDouble(), to = row[3].contains(QChar(0x221E)) ? from + 2 : row[3].toDouble();
        if (to - from < 1e-3)
            continue;
        Course course = optimum;
        const double b = (from + to) / 2;
        QString error;
        // A right-hand side set to its own value changes nothing.
        if (!continueCourse(course, WhatIf{i, numberText(b), {}}, &error)) {
            if (!error.isEmpty() || course.items.size() != optimum.items.size() || b != optimum.rightHandsAt(t)[i])
                return QStringLiteral("Y%1 set to %2 was refused: %3").arg(i).arg(b).arg(error);
            continue;
        }
        const Tableau &before = optimum.tables[t], &after = course.tables.back();
        const int column = before.estimateColumn(i);
        const double estimate = column < 0 ? 0 : before.at(before.m, column);
        const double expected = before.at(before.m, before.n) + estimate * (b - optimum.b[i]);
        if (course.pivots.size() != optimum.pivots.size() + 1 || course.ending != Course::Ending::Optimum)
            return QStringLiteral("Y%1 moved inside its range to %2 needed a pivot").arg(i).arg(b);
        if (!equalToDigitsShown(after.at(after.m, after.n), expected, std::max(1.0, qAbs(expected))))
            return QStringLiteral("Y%1 moved to %2: F %3, the estimate says %4").arg(i).arg(b).arg(after.at(after.m, after.n)).arg(expected);
        // Past the end of the range, by a tenth of it or 1, the basis changes.
        if (!row[3].contains(QChar(0x221E))) {
            Course outside = optimum;
            const double past = to + std::max(1.0, (to - from) / 10);
            continueCourse(outside, WhatIf{i, numberText(past), {}}, &error);
            if (outside.pivots.size() == optimum.pivots.size() + 1 && outside.ending == Course::Ending::Optimum)
                return QStringLiteral("Y%1 moved past its range to %2 kept the basis").arg(i).arg(past);
        }
        break; // one row per problem
    }
    return QString();
}

// The explanations of the ending against GLPK: which kind of "нет решений"
// it is, and at an optimum the dual estimates, read exactly: of the right
// sign, satisfying the dual constraints, with b·y the optimal value, all
// within 1e-9 relative, so that they are an optimal dual solution.
QString explanationDisagreement(const Problem &p, const Reference &ref, Widget &w)
{
    QAction *explain = reportAction(w, "actionExplain"), *fractions = reportAction(w, "actionFractions");
    explain->trigger();
    const QString last = explanationTexts(w).value(explanationTexts(w).size() - 1);
    fractions->trigger();
    const QStringList exactReasons = explanationTexts(w);
    fractions->trigger();
    explain->trigger();
    if (ref.verdict == Verdict::NoSolution) {
        const bool contradictory = last.contains(QStringLiteral("ограничения несовместны"));
        const bool unbounded = last.contains(QStringLiteral("целевая функция не ограничена"));
        if (contradictory != (ref.status == GLP_NOFEAS) || unbounded != (ref.status == GLP_UNBND))
            return QStringLiteral("GLPK status %1, but the explanation says: %2").arg(ref.status).arg(last);
        return QString();
    }
    const QString prefix = QStringLiteral("двойственные оценки: ");
    const QString line = exactReasons.value(exactReasons.size() - 2);
    if (!line.startsWith(prefix))
        return QStringLiteral("no dual estimates: ") + line;
    std::vector<double> y;
    for (const QString &estimate : line.mid(prefix.size()).split(QStringLiteral(", "))) {
        bool ok = false;
        y.push_back(exactNumber(estimate.section(QStringLiteral(" = "), 1), &ok));
        if (!ok)
            return QStringLiteral("dual estimate %1 unread").arg(estimate);
    }
    if (y.size() != p.b.size())
        return QStringLiteral("%1 dual estimates for %2 constraints").arg(y.size()).arg(p.b.size());
    const double sign = p.maximise ? 1 : -1;
    double by = 0, byScale = 0;
    for (size_t i = 0; i < y.size(); ++i) {
        if (sign * y[i] < -1e-9)
            return QStringLiteral("dual estimate Y%1 = %2 of the wrong sign").arg(i).arg(y[i]);
        by += p.b[i] * y[i];
        byScale += qAbs(p.b[i] * y[i]);
    }
    for (size_t j = 0; j < p.c.size(); ++j) {
        double ay = 0, scale = qAbs(p.c[j]);
        for (size_t i = 0; i < y.size(); ++i) {
            ay += p.a[i][j] * y[i];
            scale += qAbs(p.a[i][j] * y[i]);
        }
        if (sign * (ay - p.c[j]) < -1e-9 * qMax(1.0, scale))
            return QStringLiteral("dual constraint %1 broken: %2 against %3").arg(j).arg(ay).arg(p.c[j]);
    }
    if (qAbs(by - ref.value) > 1e-9 * std::max({1.0, qAbs(ref.value), byScale}))
        return QStringLiteral("b·y = %1, but GLPK's optimum is %2").arg(by, 0, 'g', 17).arg(ref.value, 0, 'g', 17);
    return QString();
}

} // namespace

class DifferentialTest : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithGlpk();
    void exactTiesAreExplained();
};

void DifferentialTest::agreesWithGlpk()
{
    Uniform uniform(20261207), bandUniform(7);
    int optima = 0, failures = 0, ranged = 0, continued = 0, whatIfCycled = 0;
    Uniform whatIfUniform(24);
    Widget w;
    for (int k = 0; k < kProblems; ++k) {
        Problem p = randomProblem(uniform);
        const bool band = k % 8 == 7;
        if (band)
            putBandValues(p, bandUniform);
        const Reference ref = solveWithGlpk(p);
        solve(w, p);
        QString why = band ? bandDisagreement(w) : disagreement(p, ref, reportItems(w));
        if (why.isEmpty())
            why = exactDisagreement(w);
        if (why.isEmpty() && !band)
            why = explanationDisagreement(p, ref, w);
        if (why.isEmpty() && !band && w.formArea->findChild<ReportViews *>()->course().ending != Course::Ending::Cycled)
            why = dualDisagreement(ref, w.formArea->findChild<ReportViews *>()->course());
        if (why.isEmpty() && !band && ref.verdict == Verdict::Optimum)
            why = rangingDisagreement(p, w.formArea->findChild<ReportViews *>()->course(), &ranged);
        if (why.isEmpty() && !band && ref.verdict == Verdict::Optimum) {
            const Course &course = w.formArea->findChild<ReportViews *>()->course();
            why = insideRangeDisagreement(course);
            if (why.isEmpty()) {
                why = whatIfDisagreement(p, course, whatIfUniform, &whatIfCycled);
                ++continued;
            }
        }
        if (!why.isEmpty()) {
            ++failures;
            qWarning().noquote() << "problem" << k << ":" << why << "\n" << describe(p) << "\n"
                                 << reportItems(w).mid(reportItems(w).size() - 5).join(" | ");
        }
        optima += ref.verdict == Verdict::Optimum;
        closeReport(w);
    }
    qInfo("%d problems, %d with an optimum, %d ranged against GLPK, %d continued after a change (%d cycled), "
          "%d disagreements", kProblems, optima, ranged, continued, whatIfCycled, failures);
    QCOMPARE(failures, 0);
    // The families must give optima and no-solution verdicts alike.
    QVERIFY2(optima >= kProblems / 4 && optima <= kProblems * 3 / 4, qPrintable(QString::number(optima)));
    QVERIFY2(ranged >= optima / 6, qPrintable(QString::number(ranged))); // unique bases are common
    QVERIFY2(continued >= optima * 3 / 4, qPrintable(QString::number(continued))); // all but the band family
}

namespace {

// A field typed as a fraction with a small denominator, the kind of input
// on which equal exact values come out of different paths of rounding.
QString fractionText(Uniform &uniform)
{
    static const int denominators[] = {1, 3, 7};
    const int q = denominators[uniform(0, 2)];
    return q == 1 ? QString::number(uniform(-4, 4)) : QStringLiteral("%1/%2").arg(uniform(-4, 4)).arg(q);
}

// A table cell's whole value: the tooltip of a shortened fraction, or the text.
QString wholeCell(const QTableWidget *table, int i, int j)
{
    const QLabel *cell = cellLabel(table, i, j);
    return cell->toolTip().isEmpty() ? cell->text() : cell->toolTip();
}

// The ties that only rounding decided, read from the report in fractions as
// a student reads it: a pivot row whose free term equals that of a candidate
// row above it, a pivot column whose score equals that of a scored column
// left of it. Each as the start of the line that must explain it.
QStringList tiesShown(const Widget &w)
{
    static const QRegularExpression rowLine(QStringLiteral("^Самый отрицательный свободный член — это (\\S+) в строке (\\S+):"));
    static const QRegularExpression scoreLine(QStringLiteral("^    (\\S+): .* = (\\S+)$"));
    static const QRegularExpression chosenLine(QStringLiteral("^Наи\\S+ (оценка|отношение) .* — (\\S+) в столбце (\\S+): он ведущий"));
    QStringList ties;
    const QTableWidget *table = nullptr;
    QLayout *page = w.Form->layout();
    for (int k = 0; k < page->count(); ++k) {
        QWidget *item = page->itemAt(k)->widget();
        if (auto *t = qobject_cast<QTableWidget *>(item))
            table = t;
        if (item->objectName() != QLatin1String("explanation"))
            continue;
        QStringList scoredBefore;
        QString scoreValue[8];
        const QStringList lines = qobject_cast<QLabel *>(item)->text().remove(QChar(0x2060)).split('\n');
        for (const QString &line : lines) {
            if (const QRegularExpressionMatch row = rowLine.match(line); row.hasMatch()) {
                const int last = table->columnCount() - 1;
                for (int i = 0; i < table->rowCount() - 1; ++i) {
                    const QString label = table->verticalHeaderItem(i)->text();
                    if (label == row.captured(2))
                        break;
                    if (wholeCell(table, i, last) == row.captured(1)) {
                        ties << QStringLiteral("в дробях строки %1 и %2 равны (%3)").arg(label, row.captured(2), row.captured(1));
                        break;
                    }
                }
            } else if (const QRegularExpressionMatch score = scoreLine.match(line); score.hasMatch()) {
                scoredBefore << score.captured(1);
                scoreValue[scoredBefore.size() - 1] = score.captured(2);
            } else if (const QRegularExpressionMatch chosen = chosenLine.match(line); chosen.hasMatch()) {
                for (int j = 0; j < scoredBefore.size() && scoredBefore[j] != chosen.captured(3); ++j)
                    if (scoreValue[j] == chosen.captured(2)) {
                        ties << QStringLiteral("в дробях %1 столбцов %2 и %3 равны (%4)")
                                    .arg(chosen.captured(1) == QStringLiteral("оценка") ? "оценки" : "отношения",
                                         scoredBefore[j], chosen.captured(3), chosen.captured(2));
                        break;
                    }
            }
        }
    }
    return ties;
}

// Practice on every step of a course: every cell of the step's table and
// every ending judged; right are exactly the program's choice, a pivot
// that ties with it where rounding decided, and "Зацикливание" from the
// first repeated table on. Empty when so, otherwise what is wrong.
QString practiceDisagreement(const Course &course)
{
    ReplayFailure failure;
    const std::optional<ExactCourse> exact = replayExactly(course, &failure);
    const CourseView view(course, nullptr, exact ? &*exact : nullptr);
    const std::vector<PracticeStep> steps = practiceSteps(course);
    if (steps.empty() || steps.back().lastItem != int(course.items.size()))
        return QStringLiteral("the steps do not cover the report");
    for (size_t k = 0; k < steps.size(); ++k) {
        const PracticeStep &step = steps[k];
        const Tableau &table = course.tables[step.table];
        int expected = step.answer == PracticeStep::Cycled || step.repeats;
        PracticeChoice programs{PracticeChoice::Cycled};
        if (step.answer == PracticeStep::Pivot) {
            const PivotChoice &pivot = course.pivots[step.pivot];
            programs = {PracticeChoice::Cell, pivot.row, pivot.column};
            expected += 1 + (exact && rowTie(course, *exact, step.pivot)) + (exact && columnTie(course, *exact, step.pivot));
        } else if (step.answer != PracticeStep::Cycled) {
            programs.kind = step.answer == PracticeStep::Bound     ? PracticeChoice::Bound
                            : step.answer == PracticeStep::Optimum ? PracticeChoice::Optimum
                                                                   : PracticeChoice::NoSolution;
            ++expected;
        }
        std::vector<PracticeChoice> choices{{PracticeChoice::Bound}, {PracticeChoice::Optimum},
                                            {PracticeChoice::NoSolution}, {PracticeChoice::Cycled}};
        for (int i = 0; i <= table.m; ++i)
            for (int j = 0; j <= table.n; ++j)
                choices.push_back({PracticeChoice::Cell, i, j});
        int rights = 0;
        for (const PracticeChoice &choice : choices) {
            const PracticeJudgement judgement = judgePractice(view, step, choice);
            const QString start = judgement.right ? QStringLiteral("Верно. ") : QStringLiteral("Неверно. ");
            if (!judgement.words.startsWith(start) || judgement.words.size() <= start.size() + 10)
                return QStringLiteral("step %1: words \"%2\"").arg(k).arg(judgement.words);
            rights += judgement.right;
        }
        if (!judgePractice(view, step, programs).right)
            return QStringLiteral("step %1: the program's own choice is judged wrong").arg(k);
        if (rights != expected)
            return QStringLiteral("step %1: %2 choices right, %3 expected").arg(k).arg(rights).arg(expected);
    }
    return QString();
}

// Every cell of every table a pivot made, checked as a student types it: its
// exact value is right (in the decimal view also the six digits printed);
// its negative, its reciprocal and the value of the rule with the pivot row
// and column swapped are wrong where they differ, each told the cell's rule
// with its numbers, and from the second try the value.
QString cellDisagreement(const Course &course)
{
    ReplayFailure failure;
    const std::optional<ExactCourse> exact = replayExactly(course, &failure);
    if (!exact)
        return QString();
    const CourseView decimals(course, nullptr, &*exact), fractions(course, &*exact);
    for (int t = 1; t < int(course.tables.size()); ++t) {
        const PivotChoice &pivot = course.pivots[t - 1];
        if (pivot.stage == kChangeStage)
            continue;
        const int r = pivot.row, s = pivot.column;
        auto old = [&](int i, int j) { return exact->at(course, t - 1, i, j); };
        for (const CourseView *view : {&decimals, &fractions})
            for (int i = 0; i <= course.tables[t].m; ++i)
                for (int j = 0; j <= course.n; ++j) {
                    const mpq_class v = exact->at(course, t, i, j);
                    const mpq_class printed = *exactFieldValue(reporttext::decimal(course.tables[t].at(i, j)));
                    QStringList rights{fractionText(v)};
                    if (!view->isExact())
                        rights << reporttext::decimal(course.tables[t].at(i, j));
                    for (const QString &text : rights)
                        if (!checkCell(*view, t, i, j, text, 0, false).right)
                            return QStringLiteral("table %1, cell %2,%3: %4 judged wrong").arg(t).arg(i).arg(j).arg(text);
                    const mpq_class swapped = i == r && j == s ? old(r, s)
                                              : i == r          ? mpq_class(-old(i, j) / old(r, s))
                                              : j == s          ? mpq_class(old(i, j) / old(r, s))
                                                                : mpq_class(old(i, j) + old(r, j) * old(i, s) / old(r, s));
                    std::vector<mpq_class> wrongs{-v, swapped};
                    if (v != 0)
                        wrongs.push_back(1 / v);
                    const QString rule = i == r && j == s ? QStringLiteral("ведущего элемента: 1 / ")
                                         : i == r          ? QStringLiteral("ведущей строке: ") + view->number(t - 1, i, j)
                                         : j == s          ? QStringLiteral("ведущем столбце: -") + factorText(view->number(t - 1, i, j))
                                                           : QStringLiteral("прямоугольника: ") + view->number(t - 1, i, j) + QStringLiteral(" - ");
                    for (const mpq_class &wrong : wrongs) {
                        if (wrong == v || (!view->isExact() && wrong == printed))
                            continue;
                        const CellCheck first = checkCell(*view, t, i, j, fractionText(wrong), 0, false);
                        const CellCheck second = checkCell(*view, t, i, j, fractionText(wrong), 1, true);
                        if (first.right || second.right || !first.words.contains(rule) || first.words.contains(QStringLiteral(" = "))
                            || !second.words.endsWith(QStringLiteral(" = ") + view->number(t, i, j) + QLatin1Char('.')))
                            return QStringLiteral("table %1, cell %2,%3: %4 told \"%5\" / \"%6\"")
                                .arg(t).arg(i).arg(j).arg(fractionText(wrong), first.words, second.words);
                    }
                }
    }
    return QString();
}

// The explanation lines about ties, in order.
QStringList tieLines(const Widget &w)
{
    return explanationTexts(w).join('\n').split('\n').filter(QRegularExpression(QStringLiteral("^в дробях ")));
}

} // namespace

// Problems typed in fractions: every tie that rounding decided, as the
// fractions show it, is explained by one line in both views, and no line
// claims a tie that the fractions do not show; practice accepts exactly the
// program's choices and those ties at every step.
void DifferentialTest::exactTiesAreExplained()
{
    Uniform uniform(25);
    Widget w;
    int ties = 0, checked = 0;
    for (int k = 0; k < repetitions(3000); ++k) {
        const int n = uniform(2, 4), m = uniform(1, 4);
        buildForm(w, n, m);
        for (QLineEdit *field : w.list_Z + w.list_A + w.list_L)
            field->setText(fractionText(uniform));
        w.maxmin->setCurrentIndex(uniform(0, 1));
        click(w, "pushButton_2");
        QAction *explain = reportAction(w, "actionExplain"), *fractions = reportAction(w, "actionFractions");
        explain->trigger();
        const QStringList decimalLines = tieLines(w);
        fractions->trigger();
        const QStringList shown = tiesShown(w), lines = tieLines(w);
        fractions->trigger();
        explain->trigger();
        QCOMPARE(lines, decimalLines);
        QCOMPARE(lines.size(), shown.size());
        for (int t = 0; t < shown.size(); ++t)
            QVERIFY2(lines[t].startsWith(shown[t] + QStringLiteral("; в десятичных числах из-за округления ")),
                     qPrintable(lines[t] + QStringLiteral(" / ") + shown[t]));
        ties += shown.size();
        const QString practice = practiceDisagreement(w.formArea->findChild<ReportViews *>()->course());
        QVERIFY2(practice.isEmpty(), qPrintable(QStringLiteral("problem %1: %2").arg(k).arg(practice)));
        if (k % 10 == 0) { // a few hundred of them, every table's every cell
            const QString cells = cellDisagreement(w.formArea->findChild<ReportViews *>()->course());
            QVERIFY2(cells.isEmpty(), qPrintable(QStringLiteral("problem %1: %2").arg(k).arg(cells)));
            ++checked;
        }
        closeReport(w);
    }
    qInfo("%d ties decided by rounding; the cells of %d courses checked", ties, checked);
    QVERIFY2(ties >= repetitions(3000) / 750, qPrintable(QString::number(ties))); // the generator finds ties
}

QTEST_MAIN(DifferentialTest)
#include "tst_differential.moc"
