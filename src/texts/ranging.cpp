// SPDX-License-Identifier: GPL-3.0-or-later
// Implements ranging.h: after the optimum.
#include "texts/ranging.h"

#include "method/exact.h"

#include <optional>

namespace {

// The interval of one right-hand side or coefficient, as the shift from its
// value; an end that is not there is open (infinite).
template <typename T>
struct Shift {
    std::optional<T> down, up; // the value may go from value + down to value + up
};

using reporttext::decimal;
using reporttext::tr;

// The shift of right-hand side i: when Yi labels a row, it may fall by that
// row's free term and rise without end; otherwise, with the column -Yi,
// every constraint row k must keep L_k + a_k·d >= 0: a positive entry
// bounds d from below by -L_k/a_k, a negative one from above.
template <typename T, typename At>
Shift<T> rightHandShift(const Tableau &table, int i, At at)
{
    Shift<T> shift;
    const int s = table.estimateColumn(i);
    if (s < 0) {
        shift.down = T(-at(table.rows.indexOf(QStringLiteral("Y%1").arg(i)), table.n));
        return shift;
    }
    for (int k = 0; k < table.m; ++k) {
        const T a = at(k, s);
        if (nearZero(table.at(k, s)) || a == 0)
            continue;
        const T bound = T(-at(k, table.n) / a);
        if (table.at(k, s) > 0 && (!shift.down || bound > *shift.down))
            shift.down = bound;
        if (table.at(k, s) < 0 && (!shift.up || bound < *shift.up))
            shift.up = bound;
    }
    return shift;
}

// The shift of objective coefficient j: when xj labels a column, its Z-row
// entry z may be used up (F's coefficient of -xj becomes z - d, which must
// keep its sign); when xj labels row r, every variable column s must keep
// the sign of z_s + d·a_rs.
template <typename T, typename At>
Shift<T> coefficientShift(const Tableau &table, int j, bool maximise, At at)
{
    Shift<T> shift;
    const int s = table.columns.indexOf(QStringLiteral("-X%1").arg(j));
    if (s >= 0) {
        (maximise ? shift.up : shift.down) = T(at(table.m, s));
        return shift;
    }
    const int r = table.rows.indexOf(QStringLiteral("X%1").arg(j));
    for (int k = 0; k < table.n; ++k) {
        const T a = at(r, k);
        if (nearZero(table.at(r, k)) || a == 0)
            continue;
        const T bound = T(-at(table.m, k) / a);
        const bool below = (table.at(r, k) > 0) == maximise;
        if (below && (!shift.down || bound > *shift.down))
            shift.down = bound;
        if (!below && (!shift.up || bound < *shift.up))
            shift.up = bound;
    }
    return shift;
}

// The interval's ends as texts: "-∞" and "+∞" where open.
template <typename T, typename Text>
QStringList interval(const T &value, const Shift<T> &shift, Text text)
{
    // value + shift, a sum that cancels but for rounding being 0, as in the tables
    return {shift.down ? text(entryUpdate(value, T(-*shift.down))) : QStringLiteral("-∞"),
            shift.up ? text(entryUpdate(value, T(-*shift.up))) : QStringLiteral("+∞")};
}

} // namespace

QString rangingUnavailable(const Course &course)
{
    if (course.cutCount() > 0)
        return tr("Устойчивость — для задачи без отсечений, а в отчёте они уже есть");
    if (course.branched())
        return tr("Устойчивость — для задачи без ветвей, а в отчёте они уже есть");
    switch (course.ending) {
    case Course::Ending::Optimum:
        return QString();
    case Course::Ending::NoPivotRow:
    case Course::Ending::NoCandidate:
        return tr("Устойчивость есть только у оптимума, а у задачи нет решений");
    case Course::Ending::Cycled:
        return tr("Устойчивость есть только у оптимума, а метод зациклился");
    default:
        return tr("Устойчивость есть только у оптимума, а отчёт обрывается: не все значения полей — конечные числа");
    }
}

std::vector<TitledGrid> rangingGrids(const CourseView &view)
{
    const Course &course = view.course();
    if (course.ending != Course::Ending::Optimum)
        return {};
    const int t = int(course.tables.size()) - 1;
    const Tableau &table = course.tables[t];
    const ExactCourse *exact = view.isExact() ? view.exactReplay() : nullptr;
    auto decimalAt = [&](int i, int j) { return table.at(i, j); };
    auto exactAt = [&](int i, int j) { return exact->at(course, t, i, j); };
    auto decimalText = [](double v) { return decimal(v); };
    auto exactText = [](const mpq_class &v) { return fractionText(v); };

    TitledGrid rightHands{tr("Правые части"), {tr("b"), tr("оценка"), tr("от"), tr("до")}, {}, {}, {}};
    const std::vector<double> b = course.rightHandsAt(t);
    for (int i = 0; i < table.m; ++i) {
        rightHands.rows << QStringLiteral("Y%1").arg(i);
        QStringList row{view.rightHandAt(t, i), view.dualEstimate(t, i)};
        row += exact ? interval(exact->rightHands[t][i], rightHandShift<mpq_class>(table, i, exactAt), exactText)
                     : interval(b[i], rightHandShift<double>(table, i, decimalAt), decimalText);
        rightHands.cells.push_back(row);
    }
    rightHands.note = tr("Как читается строка Yi: если Yi стоит в строке таблицы, b может убывать на её "
                         "свободный член и расти без предела; иначе в столбце -Yi у каждой строки k "
                         "L_k + a_k·d не меньше 0: положительный элемент a_k ограничивает сдвиг d снизу "
                         "числом -L_k/a_k, отрицательный — сверху.");

    TitledGrid coefficients{tr("Коэффициенты F"), {tr("c"), tr("оценка"), tr("от"), tr("до")}, {}, {}, {}};
    for (int j = 0; j < course.n; ++j) {
        coefficients.rows << QStringLiteral("x%1").arg(j);
        const int s = table.columns.indexOf(QStringLiteral("-X%1").arg(j));
        QStringList row{view.objective(j), s >= 0 ? view.number(t, table.m, s) : QStringLiteral("0")};
        row += exact ? interval(exact->c[j], coefficientShift<mpq_class>(table, j, course.maximise, exactAt), exactText)
                     : interval(course.c[j], coefficientShift<double>(table, j, course.maximise, decimalAt), decimalText);
        coefficients.cells.push_back(row);
    }
    coefficients.note = course.maximise
                            ? tr("Как читается строка xj: если xj стоит в столбце -Xj, c может расти на его элемент "
                                 "строки Z и убывать без предела; если в строке r, у каждого столбца s элемент "
                                 "строки Z z_s + d·a_rs не меньше 0: сдвиг d ограничен числами -z_s/a_rs, снизу "
                                 "при положительном a_rs, сверху при отрицательном.")
                            : tr("Как читается строка xj: если xj стоит в столбце -Xj, c может убывать на его "
                                 "элемент строки Z и расти без предела; если в строке r, у каждого столбца s "
                                 "элемент строки Z z_s + d·a_rs не больше 0: сдвиг d ограничен числами -z_s/a_rs, "
                                 "сверху при положительном a_rs, снизу при отрицательном.");
    return {rightHands, coefficients};
}
