// SPDX-License-Identifier: GPL-3.0-or-later
// Implements exact.h: exact arithmetic for the exact view of a report.
#include "method/exact.h"

#include "method/branches.h"
#include "method/cuts.h"
#include "method/fieldtext.h"

#include <cmath>

namespace {

// The method's tolerance, exactly: 1/1000000.
const mpq_class kExactTolerance(1, 1000000);

// The fields in the order the course keeps them, each read exactly into
// `values`; false, with the field's place in *why (counted from `first`),
// for the first one whose value is not a finite number.
bool readExactly(const QStringList &texts, std::vector<mpq_class> &values, int first, ReplayFailure *why)
{
    for (int k = 0; k < texts.size(); ++k) {
        const std::optional<mpq_class> value = exactFieldValue(texts[k]);
        if (!value) {
            *why = {ReplayFailure::NotFinite, first + k, -1, -1};
            return false;
        }
        values.push_back(*value);
    }
    return true;
}

} // namespace

std::optional<ExactCourse> replayExactly(const Course &course, ReplayFailure *why)
{
    const int n = course.n, m = course.m;
    ExactCourse exact;
    if (!readExactly(course.objectiveTexts, exact.c, 0, why)
        || !readExactly(course.constraintTexts, exact.a, n, why)
        || !readExactly(course.rightHandTexts, exact.b, n + n * m, why))
        return std::nullopt;

    // The starting table: constraint rows as typed, the objective row with
    // its signs changed, the corner 0.
    std::vector<mpq_class> cells((m + 1) * (n + 1));
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j)
            cells[i * (n + 1) + j] = exact.a[i * n + j];
        cells[i * (n + 1) + n] = exact.b[i];
    }
    for (int j = 0; j < n; ++j)
        cells[m * (n + 1) + j] = -exact.c[j];
    exact.tables.push_back(cells);

    exact.rightHands.push_back(exact.b);
    std::vector<std::vector<mpq_class>> constraintsOf{exact.a}; // of each table's problem
    exact.cutForms.resize(course.changes.size());
    for (size_t k = 0; k < course.pivots.size() && exact.tables.size() < course.tables.size(); ++k) {
        const PivotChoice &pivot = course.pivots[k];
        // A branch starts from its parent's last table, anything else from the one before.
        const int from = course.sourceTable(int(k));
        const Tableau &labels = course.tables[from];
        cells = exact.tables[from];
        std::vector<mpq_class> rightHands = exact.rightHands[from], constraints = constraintsOf[from];
        const Course::Change *change = pivot.stage == kChangeStage ? &course.changes[pivot.row] : nullptr;
        if (change && change->cut) {
            // A cut, written exactly from the same row as the decimals' cut.
            const std::vector<mpq_class> row = cutRow(labels, cells, change->source);
            std::vector<mpq_class> &form = exact.cutForms[pivot.row];
            form = cutInX(labels, row, constraints, rightHands);
            constraints.insert(constraints.end(), form.begin(), form.begin() + n);
            rightHands.push_back(form[n]);
            cells.insert(cells.begin() + labels.m * (n + 1), row.begin(), row.end());
        } else if (change && change->branch()) {
            // A bound, on the same variable and whole value as the decimals'.
            const mpq_class bound(change->upper ? change->rightHand : -change->rightHand);
            const std::vector<mpq_class> row = branchRow(labels, cells, change->variable, change->upper, bound);
            for (double c : change->coefficients)
                constraints.push_back(mpq_class(c));
            rightHands.push_back(mpq_class(change->rightHand));
            cells.insert(cells.begin() + labels.m * (n + 1), row.begin(), row.end());
        } else if (change) {
            // The table changed, not pivoted: the change's fields read exactly.
            std::vector<mpq_class> values;
            if (!readExactly(change->coefficientTexts + QStringList{change->rightHandText}, values, 0, why)) {
                why->change = pivot.row;
                return std::nullopt;
            }
            const mpq_class b = values.back();
            values.pop_back();
            if (change->row >= 0) {
                shiftRightHand(labels, cells, change->row, mpq_class(b - rightHands[change->row]));
                rightHands[change->row] = b;
            } else {
                cells = withConstraint(labels, cells, values, b);
                constraints.insert(constraints.end(), values.begin(), values.end());
                rightHands.push_back(b);
            }
        } else {
            if (cells[pivot.row * (n + 1) + pivot.column] == 0) {
                *why = {ReplayFailure::ZeroPivot, -1, int(k), -1};
                return std::nullopt;
            }
            pivotCells(cells.data(), labels.m + 1, n + 1, pivot.row, pivot.column);
        }
        exact.tables.push_back(cells);
        exact.rightHands.push_back(std::move(rightHands));
        constraintsOf.push_back(std::move(constraints));
    }
    return exact;
}

std::optional<mpq_class> exactScore(const Course &course, const ExactCourse &exact, int p, int j)
{
    const PivotChoice &pivot = course.pivots[p];
    switch (pivot.scores[j].kind) {
    case ColumnScore::Zero:
        return mpq_class(0);
    case ColumnScore::Ratio: {
        const mpq_class &entry = exact.at(course, p, pivot.row, j);
        if (entry == 0)
            return std::nullopt;
        return mpq_class(exact.at(course, p, course.tables[p].m, j) / entry);
    }
    default:
        return std::nullopt;
    }
}

std::optional<ExactTie> rowTie(const Course &course, const ExactCourse &exact, int p)
{
    const PivotChoice &pivot = course.pivots[p];
    if (pivot.stage != 2)
        return std::nullopt;
    const int n = course.n;
    const mpq_class &taken = exact.at(course, p, pivot.row, n);
    int ruled = -1;
    for (int i = 0; i < course.tables[p].m; ++i) {
        const mpq_class &b = exact.at(course, p, i, n);
        if (b < -kExactTolerance && (ruled < 0 || b < exact.at(course, p, ruled, n)))
            ruled = i;
    }
    if (ruled < 0 || ruled == pivot.row || exact.at(course, p, ruled, n) != taken)
        return std::nullopt;
    return ExactTie{pivot.row, ruled, taken};
}

std::optional<ExactTie> columnTie(const Course &course, const ExactCourse &exact, int p)
{
    const PivotChoice &pivot = course.pivots[p];
    const bool max = course.maximise;
    int ruled = -1;
    mpq_class best;
    for (int j = 0; j < course.n; ++j) {
        const std::optional<mpq_class> score = exactScore(course, exact, p, j);
        if (!score || (max ? *score >= kExactTolerance : *score <= -kExactTolerance))
            continue;
        if (ruled < 0 || (max ? *score > best : *score < best)) {
            ruled = j;
            best = *score;
        }
    }
    const std::optional<mpq_class> taken = exactScore(course, exact, p, pivot.column);
    if (ruled < 0 || ruled == pivot.column || !taken || *taken != best)
        return std::nullopt;
    return ExactTie{pivot.column, ruled, best};
}

QString fractionText(const mpq_class &q)
{
    return QString::fromStdString(q.get_str());
}

double nearestDouble(const mpq_class &q)
{
    // get_d truncates towards zero; the nearest double is it or the next one
    // away from zero.
    const double truncated = q.get_d();
    if (!std::isfinite(truncated))
        return truncated;
    const double away = std::nextafter(truncated, q >= 0 ? HUGE_VAL : -HUGE_VAL);
    if (!std::isfinite(away))
        return truncated;
    const mpq_class below = abs(q - mpq_class(truncated)), above = abs(mpq_class(away) - q);
    return above < below ? away : truncated;
}
