// SPDX-License-Identifier: GPL-3.0-or-later
// Implements explain.h: the report explains itself.
#include "texts/explain.h"

#include "texts/branchwords.h"
#include "texts/cutwords.h"
#include "method/exact.h"

#include <QCoreApplication>
#include <QHash>

namespace {

// Pivots the feasibility search may make: far more than its rule ever needs.
constexpr int kSearchLimit = 1000;

using reporttext::tr;

// The variable a column label stands for: "-X1" is X1.
QString variableOf(const QString &columnLabel)
{
    return columnLabel.mid(1);
}

// The number of a variable in Bland's order: X0 … X(n-1), then Y0 … Y(m-1).
int blandIndex(const QString &label, int n)
{
    const QString name = label.startsWith(QLatin1Char('-')) ? label.mid(1) : label;
    const int k = name.mid(1).toInt();
    return name.startsWith(QLatin1Char('X')) ? k : n + k;
}

// The score of column j at pivot p, as one line of the list of scores.
QString scoreLine(const CourseView &view, int p, int j)
{
    const Course &course = view.course();
    const PivotChoice &pivot = course.pivots[p];
    const Tableau &table = course.tables[p];
    const QString column = table.columns[j], row = table.rows[pivot.row];
    QString line = QStringLiteral("    ") + column + QStringLiteral(": ");
    switch (pivot.scores[j].kind) {
    case ColumnScore::Ratio:
        return line + view.number(p, table.m, j) + QStringLiteral(" / ") + factorText(view.number(p, pivot.row, j))
               + QStringLiteral(" = ") + view.score(p, j);
    case ColumnScore::Zero:
        return line + tr("элемент строки Z близок к нулю, элемент строки %1 отрицателен (%2): оценка 0")
                          .arg(row, view.number(p, pivot.row, j));
    case ColumnScore::ZeroObjective:
        return line + tr("— (элемент строки Z близок к нулю)");
    case ColumnScore::ZeroEntry:
        return line + tr("— (элемент строки %1 близок к нулю)").arg(row);
    case ColumnScore::NoCandidate:
        return line + tr("— (элемент строки %1 не меньше -0.000001)").arg(row);
    }
    return line;
}

// Whether another column scored exactly as the chosen one: then the rule
// kept the leftmost.
bool tiedColumn(const PivotChoice &pivot)
{
    for (int j = 0; j < int(pivot.scores.size()); ++j) {
        const ColumnScore &score = pivot.scores[j];
        if (j != pivot.column && (score.kind == ColumnScore::Ratio || score.kind == ColumnScore::Zero)
            && score.value == pivot.scores[pivot.column].value)
            return true;
    }
    return false;
}

// Where the exact replay shows that the row taken ties with the upper one
// that the rule takes in exact arithmetic, and only rounding decided: a line
// that says so, in either view; otherwise nothing.
QString rowTieLine(const CourseView &view, int p)
{
    const ExactCourse *exact = view.exactReplay();
    const std::optional<ExactTie> tie = exact ? rowTie(view.course(), *exact, p) : std::nullopt;
    if (!tie)
        return QString();
    const QStringList &rows = view.course().tables[p].rows;
    return tr("в дробях строки %1 и %2 равны (%3); в десятичных числах из-за округления меньше %2, поэтому "
              "ведущая она")
        .arg(rows[tie->ruled], rows[tie->taken], fractionText(tie->value));
}

// The same of the column taken and the left one of equal scores.
QString columnTieLine(const CourseView &view, int p)
{
    const ExactCourse *exact = view.exactReplay();
    const std::optional<ExactTie> tie = exact ? columnTie(view.course(), *exact, p) : std::nullopt;
    if (!tie)
        return QString();
    const Course &course = view.course();
    const QStringList &columns = course.tables[p].columns;
    const bool firstStage = course.pivots[p].stage == 1;
    return (firstStage ? tr("в дробях оценки столбцов %1 и %2 равны (%3); в десятичных числах из-за округления "
                            "%4 оценка столбца %2, поэтому ведущий он")
                       : tr("в дробях отношения столбцов %1 и %2 равны (%3); в десятичных числах из-за "
                            "округления %4 отношение столбца %2, поэтому ведущий он"))
        .arg(columns[tie->ruled], columns[tie->taken], fractionText(tie->value),
             course.maximise ? tr("больше") : tr("меньше"));
}

QString chosenColumn(const CourseView &view, int p, const QString &rule)
{
    const PivotChoice &pivot = view.course().pivots[p];
    QString line = rule + QStringLiteral(" — ") + view.score(p, pivot.column)
                   + tr(" в столбце %1: он ведущий").arg(view.course().tables[p].columns[pivot.column]);
    if (tiedColumn(pivot))
        line += tr(" (из равных остаётся левый)");
    line += QLatin1Char('.');
    const QString tie = columnTieLine(view, p);
    return tie.isEmpty() ? line : line + QLatin1Char('\n') + tie;
}

QString firstStagePivot(const CourseView &view, int p)
{
    const Course &course = view.course();
    const PivotChoice &pivot = course.pivots[p];
    const Tableau &table = course.tables[p];
    const bool max = course.maximise;
    QStringList lines{tr("Почему ведущий элемент %1,%2:").arg(pivot.row).arg(pivot.column)};
    lines << (max ? tr("В строке Z первый элемент не больше -0.000001 — это %2 в столбце %1: пока он есть, "
                       "свободный член строки Z не верхняя оценка.")
                  : tr("В строке Z первый элемент не меньше 0.000001 — это %2 в столбце %1: пока он есть, "
                       "свободный член строки Z не нижняя оценка."))
                     .arg(table.columns[pivot.entering], view.number(p, table.m, pivot.entering));
    lines << tr("В этом столбце первый сверху элемент не меньше 0.000001 — это %2 в строке %1: она ведущая.")
                 .arg(table.rows[pivot.row], view.number(p, pivot.row, pivot.entering));
    lines << tr("Оценки столбцов, элемент строки Z / элемент строки %1:").arg(table.rows[pivot.row]);
    for (int j = 0; j < course.n; ++j)
        lines << scoreLine(view, p, j);
    lines << chosenColumn(view, p, max ? tr("Наибольшая оценка меньше 0.000001")
                                       : tr("Наименьшая оценка больше -0.000001"));
    return lines.join(QLatin1Char('\n'));
}

QString secondStagePivot(const CourseView &view, int p)
{
    const Course &course = view.course();
    const PivotChoice &pivot = course.pivots[p];
    const Tableau &table = course.tables[p];
    QStringList lines{tr("Почему ведущий элемент %1,%2:").arg(pivot.row).arg(pivot.column)};
    QString row = tr("Самый отрицательный свободный член — это %1 в строке %2: она ведущая")
                      .arg(view.number(p, pivot.row, course.n), table.rows[pivot.row]);
    bool tied = false;
    for (int i = 0; i < pivot.row; ++i)
        tied = tied || table.at(i, course.n) == table.at(pivot.row, course.n);
    if (tied)
        row += tr(" (из равных остаётся верхняя)");
    lines << row + QLatin1Char('.');
    if (const QString tie = rowTieLine(view, p); !tie.isEmpty())
        lines << tie;
    lines << tr("Отношения элемента строки Z к отрицательному элементу строки %1:").arg(table.rows[pivot.row]);
    for (int j = 0; j < course.n; ++j)
        lines << scoreLine(view, p, j);
    lines << chosenColumn(view, p, course.maximise ? tr("Наибольшее отношение меньше 0.000001")
                                                   : tr("Наименьшее отношение больше -0.000001"));
    return lines.join(QLatin1Char('\n'));
}

// The first stage's bound: why the free term of row Z is one, and whether
// the point of that table satisfies the constraints yet.
QString bound(const CourseView &view, int t)
{
    const Course &course = view.course();
    const Tableau &table = course.tables[t];
    bool violated = false;
    for (int i = 0; i < table.m; ++i)
        violated = violated || isNegativeFreeTerm(table.at(i, course.n));
    QString text = course.maximise
                       ? tr("Почему это верхняя оценка: в строке Z нет элементов не больше -0.000001, так что "
                            "свободный член строки Z (%1) больше функция не станет.")
                       : tr("Почему это нижняя оценка: в строке Z нет элементов не меньше 0.000001, так что "
                            "свободный член строки Z (%1) меньше функция не станет.");
    text = text.arg(view.number(t, table.m, course.n));
    text += QLatin1Char('\n');
    text += violated ? tr("Но в столбце L есть отрицательные свободные члены: точка таблицы ещё нарушает "
                          "ограничения, и второй этап их убирает.")
                     : tr("Отрицательных свободных членов в столбце L нет: точка таблицы уже допустима.");
    return text;
}

QString optimum()
{
    return tr("Почему это оптимум: в столбце L нет свободных членов меньше -0.000001, так что точка "
              "допустима, а строка Z по-прежнему даёт оценку функции, которая в ней достигается.\n"
              "Двойственная оценка ограничения i читается в строке Z, в столбце -Yi (0, если Yi стоит в "
              "строке): на столько меняется оптимальное значение при росте правой части ограничения i на 1.");
}

QString dualSolution(const CourseView &view, int t)
{
    QStringList estimates;
    for (int i = 0; i < view.course().tables[t].m; ++i)
        estimates << QStringLiteral("%1 = %2").arg(view.course().tables[t].problemRowName(i), view.dualEstimate(t, i));
    return tr("двойственные оценки: ") + estimates.join(QStringLiteral(", "));
}

QString dualCheck(const CourseView &view, int t)
{
    QStringList products;
    for (int i = 0; i < view.course().tables[t].m; ++i)
        products << factorText(view.rightHandAt(t, i)) + QStringLiteral("·") + factorText(view.dualEstimate(t, i));
    return tr("проверка: ") + products.join(QStringLiteral(" + ")) + QStringLiteral(" = ") + view.dualSum(t)
           + tr(" — это значение функции");
}

QString contradictoryRow(const CourseView &view, int t, int row)
{
    const Course &course = view.course();
    const QString label = course.tables[t].rows[row];
    return tr("Почему нет решений: ограничения несовместны.\n"
              "В строке %1 свободный член %2 отрицателен, а все её элементы не меньше -0.000001. Строка "
              "читается как %1 = %2 - (её элементы, умноженные на неотрицательные переменные столбцов),\n"
              "так что %1 < 0 в любой неотрицательной точке, а %1 отрицательной быть не может: "
              "ни одна неотрицательная точка не удовлетворяет строке %1.")
        .arg(label, view.number(t, row, course.n));
}

QString noPivotRow(const CourseView &view, int t, int column)
{
    const Course &course = view.course();
    const Tableau &table = course.tables[t];
    QString text = tr("Почему нет решений: в столбце %1 элемент строки Z равен %2, а элементов не меньше 0.000001 "
                      "в нём нет, так что ведущей строки нет.\n"
                      "Так бывает и при неограниченной функции, и при несовместных ограничениях; чтобы узнать, "
                      "при каком, на копии таблицы ищется допустимая точка.\n")
                       .arg(table.columns[column], view.number(t, table.m, column));
    const Feasibility answer = searchFeasiblePoint(table);
    if (!answer.decided)
        return text + tr("Выяснить это не удалось: поиск не закончился.");
    if (answer.feasible)
        return text + (course.maximise
                           ? tr("Она есть, значит, целевая функция не ограничена сверху: при росте %1 ни одна "
                                "переменная строк не уменьшается, а функция растёт без предела.")
                           : tr("Она есть, значит, целевая функция не ограничена снизу: при росте %1 ни одна "
                                "переменная строк не уменьшается, а функция убывает без предела."))
                          .arg(variableOf(table.columns[column]));
    return text + tr("Её нет, значит, ограничения несовместны: поиск приходит к строке %1 с отрицательным "
                     "свободным членом и неотрицательными элементами, которой не удовлетворяет ни одна "
                     "неотрицательная точка.")
                      .arg(answer.row);
}

} // namespace

std::pair<int, int> firstRepetition(const Course &course)
{
    QHash<QString, int> seen;
    for (int t = 0; t < int(course.tables.size()); ++t) {
        const Tableau &table = course.tables[t];
        QStringList key = table.columns + table.rows;
        for (double v : table.cells)
            key << reporttext::decimal(v);
        const QString text = key.join(QLatin1Char(' '));
        const auto earlier = seen.constFind(text);
        if (earlier != seen.constEnd())
            return {t, *earlier};
        seen.insert(text, t);
    }
    return {-1, -1};
}

namespace {

QString cycled(const Course &course)
{
    const std::pair<int, int> repeat = firstRepetition(course);
    if (repeat.first >= 0)
        return tr("Почему «зациклился»: таблица %1 повторяет таблицу %2 (те же метки и те же числа), "
                  "так что дальше метод повторял бы те же замены без конца; после %3 замен он остановлен.")
            .arg(repeat.first)
            .arg(repeat.second)
            .arg(kIterationLimit);
    return tr("Почему «зациклился»: ни одна таблица не повторилась, но за %1 замен этап не пришёл к ответу, "
              "и предел замен исчерпан.")
        .arg(kIterationLimit);
}

QString noColumn()
{
    return tr("Почему отчёт обрывается: ни одному столбцу нельзя дать оценку, потому что в таблице есть "
              "значения, не являющиеся конечными числами (inf или nan).");
}

} // namespace

std::vector<Explanation> explainCourse(const CourseView &view)
{
    const Course &course = view.course();
    std::vector<Explanation> explanations;
    for (int k = 0; k < int(course.items.size()); ++k) {
        const Course::Item &item = course.items[k];
        switch (item.kind) {
        case Course::Item::Pivot: {
            const int p = item.pivot;
            explanations.push_back({k, course.pivots[p].stage == 1 ? firstStagePivot(view, p) : secondStagePivot(view, p)});
            break;
        }
        case Course::Item::Bound:
            explanations.push_back({k, bound(view, item.table)});
            break;
        case Course::Item::OptimumHeading:
            explanations.push_back({k, optimum()});
            break;
        case Course::Item::Value:
            explanations.push_back({k + 1, dualSolution(view, item.table)});
            explanations.push_back({k + 1, dualCheck(view, item.table)});
            break;
        case Course::Item::NoSolution: {
            // A node of branch and bound ends at its own table, by its most negative free term.
            const int t = course.branched() ? item.table : int(course.tables.size()) - 1;
            const int row = course.branched() ? mostNegativeFreeTermRow(course.tables[t]) : course.endingRow;
            explanations.push_back({k + 1, course.ending == Course::Ending::NoCandidate || course.branched()
                                               ? contradictoryRow(view, t, row)
                                               : noPivotRow(view, t, course.endingColumn)});
            break;
        }
        case Course::Item::Cycled:
            explanations.push_back({k + 1, cycled(course)});
            break;
        case Course::Item::Cut:
            explanations.push_back({k, explainCut(view, item.pivot)});
            break;
        case Course::Item::IntegerOptimum:
            if (!course.branched())
                explanations.push_back({k, explainIntegerOptimum()});
            break;
        case Course::Item::NoIntegerSolution:
            if (!course.branched())
                explanations.push_back({k + 1, explainNoInteger(view, int(course.tables.size()) - 1, course.endingRow)});
            break;
        case Course::Item::CutLimit:
            explanations.push_back({k + 1, explainCutLimit(course.cutCount())});
            break;
        default:
            break;
        }
    }
    if (course.ending == Course::Ending::NoColumn)
        explanations.push_back({int(course.items.size()), noColumn()});
    const std::vector<Explanation> branches = explainBranches(view);
    explanations.insert(explanations.end(), branches.begin(), branches.end());
    return explanations;
}

Feasibility searchFeasiblePoint(Tableau tableau)
{
    const int n = tableau.n, m = tableau.m;
    for (int j = 0; j <= n; ++j)
        tableau.cells[m * (n + 1) + j] = 0;
    auto at = [&](int i, int j) { return tableau.at(i, j); };
    Feasibility answer;
    for (int pivots = 0; pivots < kSearchLimit; ++pivots) {
        int r = -1;
        for (int i = 0; i < m; ++i)
            if (isNegativeFreeTerm(at(i, n)) && (r < 0 || blandIndex(tableau.rows[i], n) < blandIndex(tableau.rows[r], n)))
                r = i;
        answer.decided = true;
        if (r < 0) {
            answer.feasible = true;
            return answer;
        }
        int s = -1;
        for (int j = 0; j < n; ++j)
            if (isNegativeEntry(at(r, j))
                && (s < 0 || blandIndex(tableau.columns[j], n) < blandIndex(tableau.columns[s], n)))
                s = j;
        if (s < 0) {
            answer.row = tableau.rows[r];
            return answer;
        }
        pivotCells(tableau.cells.data(), m + 1, n + 1, r, s);
        swapLabels(tableau.columns, tableau.rows, r, s);
        answer.decided = false;
    }
    return answer;
}
