// SPDX-License-Identifier: GPL-3.0-or-later
// Implements cutwords.h: Gomory's cuts in words, in the numbers of a view.
#include "texts/cutwords.h"

#include "method/cuts.h"
#include "method/exact.h"

namespace {

using reporttext::tr;

// The fractional part of the free term of row i of table t, in the view's
// numbers.
QString partOfFreeTerm(const CourseView &view, int t, int i)
{
    const Course &course = view.course();
    if (view.isExact())
        return fractionText(fractionalPart(view.exactReplay()->at(course, t, i, course.n)));
    return reporttext::decimal(fractionalPart(course.tables[t].at(i, course.n)));
}

// The cut in x: "x0 + x1 <= 3", coefficient 1 unwritten, 0 left out.
QString cutInXText(const CourseView &view, int change)
{
    const Course &course = view.course();
    QStringList texts;
    if (const ExactCourse *exact = view.isExact() ? view.exactReplay() : nullptr) {
        for (const mpq_class &v : exact->cutForms[change])
            texts << fractionText(v);
    } else {
        for (double v : course.changes[change].coefficients)
            texts << reporttext::decimal(v);
        texts << reporttext::decimal(course.changes[change].rightHand);
    }
    QString form;
    for (int j = 0; j < course.n; ++j) {
        const QString &c = texts[j];
        if (c == QLatin1String("0"))
            continue;
        const bool negative = c.startsWith(QLatin1Char('-'));
        const QString size = negative ? c.mid(1) : c;
        form += form.isEmpty() ? (negative ? QStringLiteral("-") : QString())
                               : (negative ? QStringLiteral(" - ") : QStringLiteral(" + "));
        form += (size == QLatin1String("1") ? QString() : size + QStringLiteral("·")) + QStringLiteral("x%1").arg(j);
    }
    return (form.isEmpty() ? QStringLiteral("0") : form) + QStringLiteral(" <= ") + texts[course.n];
}

// Where the exact replay sees the cut otherwise than the decimals: another
// row with the largest fractional part, or a fractional part the decimals
// took as 0 (inside the tolerance band). One line each; none without a replay.
QStringList exactRemarks(const CourseView &view, int t, int source)
{
    const ExactCourse *exact = view.exactReplay();
    if (!exact)
        return {};
    const Course &course = view.course();
    const Tableau &table = course.tables[t];
    QStringList remarks;
    const int exactSource = cutSourceRow(table, exact->tables[t]);
    if (exactSource >= 0 && exactSource != source)
        remarks << tr("в дробях дробная часть свободного члена наибольшая у строки %1 (%2); в десятичных числах из-за "
                      "округления у строки %3, поэтому отсечение по ней")
                       .arg(table.rows[exactSource], fractionText(fractionalPart(exact->at(course, t, exactSource, course.n))),
                            table.rows[source]);
    for (int j = 0; j <= course.n; ++j) {
        const mpq_class part = fractionalPart(exact->at(course, t, source, j));
        if (fractionalPart(table.at(source, j)) != 0 || part == 0)
            continue;
        remarks << (j < course.n ? tr("в дробях дробная часть элемента в столбце %1 равна %2, а в десятичных числах "
                                      "она внутри полосы 0.000001 и взята за 0").arg(table.columns[j], fractionText(part))
                                 : tr("в дробях дробная часть свободного члена равна %1, а в десятичных числах она "
                                      "внутри полосы 0.000001 и взята за 0").arg(fractionText(part)));
    }
    return remarks;
}

} // namespace

QString cutRowReason(const CourseView &view, int t, int source, bool branching)
{
    const Course &course = view.course();
    const Tableau &table = course.tables[t];
    QStringList parts;
    bool tied = false;
    for (int i = 0; i < table.m; ++i) {
        if (variableOfRow(table.rows[i]) < 0)
            continue;
        parts << QStringLiteral("%1 — %2").arg(table.rows[i], partOfFreeTerm(view, t, i));
        tied = tied || (i < source && fractionalPart(table.at(i, course.n)) == fractionalPart(table.at(source, course.n)));
    }
    const QString rule = branching ? tr("переменная ветвления — x той строки, у которой наибольшая дробная часть "
                                        "свободного члена (v - ⌊v⌋)")
                                   : tr("отсечение пишется по строке переменной x с наибольшей дробной частью "
                                        "свободного члена (v - ⌊v⌋)");
    return tr("%1: это %2 (%3)%4; дробные части строк x: %5.")
        .arg(rule, table.rows[source], partOfFreeTerm(view, t, source),
             tied ? tr(", из равных остаётся верхняя") : QString(), parts.join(QStringLiteral(", ")));
}

QString explainCut(const CourseView &view, int change)
{
    const Course &course = view.course();
    const int t = course.changePivot(change);
    const Course::Change &cut = course.changes[change];
    const QString row = course.tables[t].rows[cut.source];
    QStringList lines{tr("Почему отсечение по строке %1: ").arg(row) + cutRowReason(view, t, cut.source),
                      tr("Строка читается как %1 = свободный член - (её элементы, умноженные на переменные столбцов). "
                         "При целых %1 и целых переменных столбцов дробные части элементов, умноженные на эти "
                         "переменные, в сумме не меньше дробной части свободного члена: это отсечение, новая строка "
                         "%2 с элементами -{a} и свободным членом -{b}.")
                          .arg(row, course.tables[t + 1].rows[course.tables[t + 1].m - 1]),
                      tr("в переменных x (переменные Y и прежних отсечений заменены их ограничениями): %1")
                          .arg(cutInXText(view, change))};
    lines << exactRemarks(view, t, cut.source);
    return lines.join(QLatin1Char('\n'));
}

QString cutRowVerdict(const CourseView &view, int t, int source, int row, bool *right, bool branching)
{
    const Course &course = view.course();
    const Tableau &table = course.tables[t];
    *right = row == source;
    if (*right) {
        QString reason = cutRowReason(view, t, source, branching);
        reason[0] = reason[0].toUpper();
        return tr("Верно. ") + reason;
    }
    QString why;
    if (row >= table.m)
        why = branching ? tr("Ветвят по переменной строки x, а не по строке Z.")
                        : tr("Отсечение пишется по строке переменной x, а не по строке Z.");
    else if (variableOfRow(table.rows[row]) < 0)
        why = branching ? tr("Строка %1 — не строка переменной x: ветвят по переменной x с дробным значением.")
                              .arg(table.rows[row])
                        : tr("Строка %1 — не строка переменной x: отсечение пишется по строке x с дробным свободным "
                             "членом.").arg(table.rows[row]);
    else if (fractionalPart(table.at(row, course.n)) == 0)
        why = branching ? tr("Свободный член строки %1 (%2) целый: ветвить по ней нечего.")
                              .arg(table.rows[row], view.number(t, row, course.n))
                        : tr("Свободный член строки %1 (%2) целый: отсечение по ней ничего не отрежет.")
                              .arg(table.rows[row], view.number(t, row, course.n));
    else if (fractionalPart(table.at(row, course.n)) == fractionalPart(table.at(source, course.n)))
        why = tr("Дробная часть свободного члена строки %1 (%2) равна дробной части строки %3, а из равных остаётся "
                 "верхняя.").arg(table.rows[row], partOfFreeTerm(view, t, row), table.rows[source]);
    else
        why = tr("Дробная часть свободного члена строки %1 (%2) не наибольшая: это %3 в строке %4.")
                  .arg(table.rows[row], partOfFreeTerm(view, t, row), partOfFreeTerm(view, t, source), table.rows[source]);
    return tr("Неверно. ") + why;
}

QString explainIntegerOptimum()
{
    return tr("Почему это целочисленный оптимум: все x в точке целые. Каждое отсечение отрезало только нецелые "
              "точки, так что все целые точки задачи остались, а среди оставшихся эта — оптимум.");
}

QString explainNoInteger(const CourseView &view, int t, int row)
{
    const Tableau &table = view.course().tables[t];
    return tr("Почему нет целочисленных решений: в строке %1 свободный член %2 отрицателен, а все её элементы не "
              "меньше -0.000001, так что ни одна неотрицательная точка не удовлетворяет отсечениям. Отсечения не "
              "отрезают целых точек задачи — значит, целых точек в её области нет.")
        .arg(table.rows[row], view.number(t, row, table.n));
}

QString explainCutLimit(int cuts)
{
    return tr("Почему остановлено: за %1 отсечений точка так и не стала целой; метод отсечений остановлен на этом "
              "пределе.").arg(cuts);
}
