// SPDX-License-Identifier: GPL-3.0-or-later
#include "exact.h"

#include "fieldtext.h"
#include "reporttext.h"

#include <QCoreApplication>

#include <cmath>
#include <functional>

namespace {

using reporttext::tr;

// The fields of the form in the order the course keeps them, each read
// exactly into `values`; false, with the field named in *why, for the first
// one whose value is not a finite number.
bool readExactly(const QStringList &texts, std::vector<mpq_class> &values, const std::function<QString(int)> &name,
                 QString *why)
{
    for (int k = 0; k < texts.size(); ++k) {
        const std::optional<mpq_class> value = exactFieldValue(texts[k]);
        if (!value) {
            *why = tr("Точного вида нет: значение поля «%1» («%2») не является конечным числом")
                       .arg(name(k), texts[k].trimmed().left(40));
            return false;
        }
        values.push_back(*value);
    }
    return true;
}

} // namespace

std::optional<ExactCourse> replayExactly(const Course &course, QString *why)
{
    const int n = course.n, m = course.m;
    ExactCourse exact;
    auto coefficient = [](const QString &owner, int j) { return tr("%1: коэффициент при x%2").arg(owner).arg(j); };
    auto constraint = [](int i) { return tr("Ограничение %1").arg(i); };
    if (!readExactly(course.objectiveTexts, exact.c, [&](int j) { return coefficient(QStringLiteral("F"), j); }, why)
        || !readExactly(course.constraintTexts, exact.a, [&](int k) { return coefficient(constraint(k / n), k % n); }, why)
        || !readExactly(course.rightHandTexts, exact.b, [&](int i) { return tr("%1: правая часть").arg(constraint(i)); },
                        why))
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

    for (size_t k = 0; k < course.pivots.size() && exact.tables.size() < course.tables.size(); ++k) {
        const PivotChoice &pivot = course.pivots[k];
        if (cells[pivot.row * (n + 1) + pivot.column] == 0) {
            *why = tr("Точного вида нет: в точной арифметике ведущий элемент таблицы %1 равен 0").arg(k);
            return std::nullopt;
        }
        pivotCells(cells.data(), m + 1, n + 1, pivot.row, pivot.column);
        exact.tables.push_back(cells);
    }
    return exact;
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
