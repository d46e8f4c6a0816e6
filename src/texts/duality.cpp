// SPDX-License-Identifier: GPL-3.0-or-later
// Implements duality.h: the dual problem beside every table.
#include "texts/duality.h"

#include "method/exact.h"
#include "method/fieldtext.h"

namespace {

using reporttext::tr;

// The constraint rows of table t's problem: the problem's, then the rows
// added after its optimum, in order.
int rowsAt(const Course &course, int t)
{
    return int(course.rightHandsAt(t).size());
}

// Coefficient (i, j) of table t's problem in the view's numbers: a row added
// after the optimum as typed, read exactly in the exact view.
QString coefficientAt(const CourseView &view, int t, int i, int j)
{
    const Course &course = view.course();
    if (i < course.m)
        return view.constraint(i, j);
    int added = course.m;
    for (const Course::Change &change : course.changes) {
        if (change.row >= 0 || change.cut || change.branch())
            continue;
        if (added++ == i)
            return view.isExact() ? fractionText(exactFieldValue(change.coefficientTexts[j]).value_or(0))
                                  : basictext::decimal(change.coefficients[j]);
    }
    return basictext::decimal(course.constraintsAt(t)[i * course.n + j]);
}

// The entry of row Z in the column of `variable` ("Y1", "X0"); 0 where the
// variable labels a row. As a sign: -1, 0 or 1, by the method's tolerance in
// decimals and exactly in the exact view; and as the view writes it.
struct Entry {
    int sign = 0;
    QString text = QStringLiteral("0");
};

Entry zEntry(const CourseView &view, int t, const QString &variable)
{
    const Tableau &table = view.course().tables[t];
    const int j = table.columns.indexOf(QLatin1Char('-') + variable);
    Entry entry;
    if (j < 0)
        return entry;
    entry.text = view.number(t, table.m, j);
    if (view.isExact()) {
        const mpq_class &value = view.exactReplay()->at(view.course(), t, table.m, j);
        entry.sign = sgn(value);
    } else {
        const double value = zRowEntry(table, variable);
        entry.sign = nearZero(value) ? 0 : value > 0 ? 1 : -1;
    }
    return entry;
}

// The sign a dual point's entries need: not negative for a maximisation,
// not positive for a minimisation.
bool rightSign(const Entry &entry, bool maximise)
{
    return maximise ? entry.sign >= 0 : entry.sign <= 0;
}

QString rowVariable(int i)
{
    return QStringLiteral("Y") + QString::number(i);
}

QString columnVariable(int j)
{
    return QStringLiteral("X") + QString::number(j);
}

QStringList dualCoordinates(const CourseView &view, int t)
{
    QStringList y;
    for (int i = 0; i < rowsAt(view.course(), t); ++i)
        y << zEntry(view, t, rowVariable(i)).text;
    return y;
}

QString wOf(const CourseView &view, int t)
{
    const Tableau &table = view.course().tables[t];
    return view.number(t, table.m, table.n);
}

// The value of primal variable `variable` at table t's point: its row's free
// term, 0 where it labels a column.
QString primalValue(const CourseView &view, int t, const QString &variable)
{
    const Tableau &table = view.course().tables[t];
    const int i = table.rows.indexOf(variable);
    return i < 0 ? QStringLiteral("0") : view.number(t, i, table.n);
}

int lastItemOf(const Course &course, Course::Item::Kind kind)
{
    for (int k = int(course.items.size()) - 1; k >= 0; --k)
        if (course.items[k].kind == kind)
            return k;
    return -1;
}

QString negated(const QString &number)
{
    if (number == QLatin1String("0"))
        return number;
    return number.startsWith(QLatin1Char('-')) ? number.mid(1) : QLatin1Char('-') + number;
}

// Terms that follow others: " - 1·x0 - 2·x1", " + 3".
QString signedTerms(const QString &terms)
{
    return terms.startsWith(QLatin1Char('-')) ? QStringLiteral(" - ") + terms.mid(1) : QStringLiteral(" + ") + terms;
}

// Complementary slackness at the optimum of table t: for every row
// "y0·(4 - 1·x0 - 2·x1) = 2/5·0 = 0", for every variable
// "x1·(1·y0 + 3·y1 - 1) = 6/5·0 = 0".
QStringList slacknessLines(const CourseView &view, int t)
{
    const Course &course = view.course();
    QStringList lines;
    for (int i = 0; i < rowsAt(course, t); ++i) {
        QStringList negatedRow;
        for (int j = 0; j < course.n; ++j)
            negatedRow << negated(coefficientAt(view, t, i, j));
        const QString inner = view.rightHandAt(t, i) + signedTerms(linearForm(negatedRow));
        lines << QStringLiteral("y%1·(%2) = %3·%4 = 0")
                     .arg(i)
                     .arg(inner, factorText(zEntry(view, t, rowVariable(i)).text), factorText(primalValue(view, t, rowVariable(i))));
    }
    for (int j = 0; j < course.n; ++j) {
        QStringList column;
        for (int i = 0; i < rowsAt(course, t); ++i)
            column << coefficientAt(view, t, i, j);
        const QString inner = linearForm(column, QStringLiteral("y")) + signedTerms(negated(view.objective(j)));
        lines << QStringLiteral("x%1·(%2) = %3·%4 = 0")
                     .arg(j)
                     .arg(inner, factorText(primalValue(view, t, columnVariable(j))),
                          factorText(zEntry(view, t, columnVariable(j)).text));
    }
    return lines;
}

} // namespace

double zRowEntry(const Tableau &table, const QString &variable)
{
    const int j = table.columns.indexOf(QLatin1Char('-') + variable);
    return j < 0 ? 0.0 : table.at(table.m, j);
}

DualProblem dualOf(const Course &course, int t)
{
    DualProblem dual;
    dual.maximise = !course.maximise;
    dual.w = course.rightHandsAt(t);
    const std::vector<double> a = course.constraintsAt(t);
    const int m = int(dual.w.size());
    for (int j = 0; j < course.n; ++j) {
        std::vector<double> row;
        for (int i = 0; i < m; ++i)
            row.push_back(a[i * course.n + j]);
        dual.rows.push_back(row);
    }
    dual.c = course.c;
    return dual;
}

bool hasDualPoint(const Course &course, int t)
{
    return course.cutsAt(t) == 0 && (!course.branched() || t <= course.nodes[0].lastTable);
}

QStringList dualProblemLines(const CourseView &view, int t)
{
    const Course &course = view.course();
    const int m = rowsAt(course, t);
    QStringList w, variables;
    for (int i = 0; i < m; ++i) {
        w << view.rightHandAt(t, i);
        variables << QStringLiteral("y") + QString::number(i);
    }
    QStringList lines{tr("Двойственная задача:"),
                      QStringLiteral("W = ") + linearForm(w, QStringLiteral("y"))
                          + (course.maximise ? QStringLiteral(" -> min") : QStringLiteral(" -> max"))};
    const QString relation = course.maximise ? QStringLiteral(" >= ") : QStringLiteral(" <= ");
    for (int j = 0; j < course.n; ++j) {
        QStringList row;
        for (int i = 0; i < m; ++i)
            row << coefficientAt(view, t, i, j);
        lines << linearForm(row, QStringLiteral("y")) + relation + view.objective(j);
    }
    lines << variables.join(QStringLiteral(", ")) + relation + QStringLiteral("0");
    return lines;
}

bool isDualFeasible(const CourseView &view, int t)
{
    const Course &course = view.course();
    for (int i = 0; i < rowsAt(course, t); ++i)
        if (!rightSign(zEntry(view, t, rowVariable(i)), course.maximise))
            return false;
    for (int j = 0; j < course.n; ++j)
        if (!rightSign(zEntry(view, t, columnVariable(j)), course.maximise))
            return false;
    return true;
}

QString dualPointLine(const CourseView &view, int t)
{
    const Course &course = view.course();
    const QString point = tr("двойственная точка: y = (%1), W = %2")
                              .arg(dualCoordinates(view, t).join(QLatin1Char(' ')), wOf(view, t));
    QStringList rows, signs;
    for (int j = 0; j < course.n; ++j)
        if (!rightSign(zEntry(view, t, columnVariable(j)), course.maximise))
            rows << QString::number(j + 1);
    for (int i = 0; i < rowsAt(course, t); ++i)
        if (!rightSign(zEntry(view, t, rowVariable(i)), course.maximise))
            signs << QStringLiteral("y%1%2").arg(i).arg(course.maximise ? QStringLiteral(" >= 0") : QStringLiteral(" <= 0"));
    if (rows.isEmpty() && signs.isEmpty())
        return point + tr(" — допустима");
    QStringList broken;
    if (!rows.isEmpty())
        broken << (rows.size() == 1 ? tr("ограничение %1").arg(rows.first()) : tr("ограничения %1").arg(rows.join(QStringLiteral(", "))))
                      + tr(" двойственной задачи");
    if (!signs.isEmpty())
        broken << (signs.size() == 1 ? tr("условие ") : tr("условия ")) + signs.join(QStringLiteral(", "));
    return point + (rows.size() + signs.size() == 1 ? tr(" — недопустима: нарушено ") : tr(" — недопустима: нарушены "))
           + broken.join(tr(" и "));
}

QString dualStopLine(bool branches)
{
    return branches ? tr("Двойственная задача дальше не выписывается: ветви меняют задачу.")
                    : tr("Двойственная задача дальше не выписывается: отсечения меняют задачу.");
}

QString dualSignNote(const Course &course)
{
    return course.maximise ? QString()
                           : tr("Почему y <= 0: в задаче на минимум оценка ограничения <= неположительна — "
                                "с ростом его правой части минимум не растёт.");
}

std::vector<Explanation> dualExplanations(const CourseView &view)
{
    const Course &course = view.course();
    std::vector<Explanation> lines;
    const bool max = course.maximise;
    for (int k = 0; k < int(course.items.size()); ++k) {
        const Course::Item &item = course.items[k];
        const int t = item.table;
        if (t < 0 || t >= int(course.tables.size()) || !hasDualPoint(course, t))
            continue;
        switch (item.kind) {
        case Course::Item::Bound:
            lines.push_back(
                {k + 1, tr("Почему это оценка: последняя таблица — допустимая точка двойственной задачи, "
                           "y = (%1), и для любой допустимой x: F = c·x %2 y·A·x %2 y·b = W = %3.")
                            .arg(dualCoordinates(view, t).join(QLatin1Char(' ')), max ? QStringLiteral("<=") : QStringLiteral(">="),
                                 wOf(view, t))});
            break;
        case Course::Item::Stage2:
            lines.push_back({k + 1, max ? tr("Во втором этапе каждая таблица — допустимая точка двойственной задачи; W "
                                              "от таблицы к таблице не растёт, пока точка x не станет допустимой: тогда F = W.")
                                        : tr("Во втором этапе каждая таблица — допустимая точка двойственной задачи; W "
                                             "от таблицы к таблице не убывает, пока точка x не станет допустимой: тогда F = W.")});
            break;
        case Course::Item::Value:
            if (course.items[k - 2].kind != Course::Item::OptimumHeading)
                break;
            lines.push_back({k + 1, tr("Проверка: F = W = %1; дополняющая нежёсткость — каждое произведение равно 0:")
                                        .arg(wOf(view, t))});
            for (const QString &line : slacknessLines(view, t))
                lines.push_back({k + 1, line});
            break;
        case Course::Item::NoSolution:
            if (course.ending == Course::Ending::NoCandidate && k == lastItemOf(course, Course::Item::NoSolution)
                && course.endingRow >= 0)
                lines.push_back(
                    {k + 1, tr("В двойственных словах: строка %1 даёт направление, вдоль которого двойственная точка "
                               "остаётся допустимой, а W %2 без предела; поэтому у прямой задачи нет допустимых точек.")
                                .arg(course.tables[t].rows[course.endingRow], max ? tr("убывает") : tr("растёт"))});
            break;
        default:
            break;
        }
    }
    return lines;
}
