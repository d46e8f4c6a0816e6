// SPDX-License-Identifier: GPL-3.0-or-later
// Implements reporttext.h: the report's text forms.
#include "texts/reporttext.h"

#include "method/exact.h"
#include "method/branches.h"
#include "method/fieldtext.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

using reporttext::tr;

// The coordinates with a blank after each, the last one too, in parentheses.
QString coordinateList(const QStringList &coordinates)
{
    QString list;
    for (const QString &x : coordinates)
        list += x + QLatin1Char(' ');
    return list + QLatin1Char(')');
}

} // namespace

namespace reporttext {

QString taskLine(bool maximise)
{
    return maximise ? tr("Задача на максимум. Ищем верхнюю оценку целевой функции")
                    : tr("Задача на минимум. Ищем нижнюю оценку целевой функции");
}

QString pointLine(const QStringList &coordinates)
{
    return tr("точка - (") + coordinateList(coordinates);
}

QString finalPointLine(const QStringList &coordinates)
{
    return tr("достигается в точке - (") + coordinateList(coordinates);
}

QString pivotLine(int row, int column)
{
    return tr("координаты ведущего элемента %1").arg(QString::number(row, 10))
           + tr(",%1").arg(QString::number(column, 10));
}

QString boundLine(bool maximise, const QString &value)
{
    return (maximise ? tr("Верхняя оценка функции - %1") : tr("Нижняя оценка функции - %1")).arg(value);
}

QString stage2Line()
{
    return tr("Ищем оптимальное решение");
}

QString optimumLine()
{
    return tr("Оптимальное решение ");
}

QString valueLine(const QString &value)
{
    return tr("значение функции %1").arg(value);
}

QString noSolutionLine()
{
    return tr("нет решений");
}

QString cycledLine()
{
    return tr("зациклился");
}

QString integerSearchLine()
{
    return tr("Ищем целочисленное решение");
}

QString integerOptimumLine()
{
    return tr("Целочисленное оптимальное решение");
}

QString noIntegerSolutionLine()
{
    return tr("нет целочисленных решений");
}

QString cutLimitLine(int cuts)
{
    return tr("За %1 отсечений целочисленное решение не найдено").arg(cuts);
}

QString branchSearchLine()
{
    return tr("Ищем целочисленное решение методом ветвей и границ");
}

QString replayFailure(const Course &course, const ReplayFailure &why)
{
    if (why.change >= 0)
        return tr("Точного вида нет: значение поля в изменении %1 не является конечным числом").arg(why.change);
    if (why.kind == ReplayFailure::ZeroPivot)
        return tr("Точного вида нет: в точной арифметике ведущий элемент таблицы %1 равен 0").arg(why.table);
    return tr("Точного вида нет: значение поля «%1» («%2») не является конечным числом")
        .arg(course.fieldName(why.field), course.fieldText(why.field).trimmed().left(40));
}

} // namespace reporttext

using reporttext::decimal;

CourseView::CourseView(const Course &course, const ExactCourse *exact, const ExactCourse *replay)
    : record(course), exact(exact), replay(exact ? exact : replay)
{
}

QString CourseView::number(int t, int i, int j) const
{
    return exact ? fractionText(exact->at(record, t, i, j)) : decimal(record.tables[t].at(i, j));
}

QString CourseView::cell(int t, int i, int j, QString *whole) const
{
    whole->clear();
    if (!exact)
        return decimal(record.tables[t].at(i, j));
    const mpq_class &value = exact->at(record, t, i, j);
    const QString fraction = fractionText(value);
    if (fraction.size() <= kLongestCellFraction)
        return fraction;
    *whole = fraction;
    return decimal(nearestDouble(value)) + QChar(0x2026);
}

QStringList CourseView::coordinates(int t) const
{
    QStringList texts;
    if (exact) {
        const Tableau &table = record.tables[t];
        for (const mpq_class &x : basicPoint(table.rows, table.m, table.n,
                                             [&](int i) { return exact->at(record, t, i, table.n); }))
            texts << fractionText(x);
    } else {
        for (double x : record.tables[t].point())
            texts << decimal(x);
    }
    return texts;
}

QString CourseView::objective(int j) const
{
    return exact ? fractionText(exact->c[j]) : decimal(record.c[j]);
}

QString CourseView::constraint(int i, int j) const
{
    const int k = i * record.n + j;
    return exact ? fractionText(exact->a[k]) : decimal(record.a[k]);
}

QString CourseView::rightHand(int i) const
{
    return exact ? fractionText(exact->b[i]) : decimal(record.b[i]);
}

QString CourseView::score(int p, int j) const
{
    const PivotChoice &pivot = record.pivots[p];
    const ColumnScore &score = pivot.scores[j];
    if (!exact || score.kind != ColumnScore::Ratio)
        return decimal(score.value);
    const std::optional<mpq_class> value = exactScore(record, *exact, p, j);
    return value ? fractionText(*value) : tr("нет (в дробях элемент равен 0)");
}

QString CourseView::dualEstimate(int t, int i) const
{
    const int j = record.tables[t].estimateColumn(i);
    return j < 0 ? QStringLiteral("0") : number(t, record.tables[t].m, j);
}

QString CourseView::dualSum(int t) const
{
    const Tableau &table = record.tables[t];
    if (exact) {
        mpq_class sum = 0;
        for (int i = 0; i < table.m; ++i) {
            const int j = table.estimateColumn(i);
            if (j >= 0)
                sum += exact->rightHands[t][i] * exact->at(record, t, table.m, j);
        }
        return fractionText(sum);
    }
    const std::vector<double> b = record.rightHandsAt(t);
    double sum = 0;
    for (int i = 0; i < table.m; ++i) {
        const int j = table.estimateColumn(i);
        if (j >= 0)
            sum += b[i] * table.at(table.m, j);
    }
    return decimal(sum);
}

QString CourseView::rightHandAt(int t, int i) const
{
    return exact ? fractionText(exact->rightHands[t][i]) : decimal(record.rightHandsAt(t)[i]);
}

QString CourseView::cutLine(int c) const
{
    const int t = record.changePivot(c);
    int k = 0;
    for (int earlier = 0; earlier <= c; ++earlier)
        k += record.changes[earlier].cut;
    // The fractional parts are the new row's entries with their signs changed.
    const Tableau &cut = record.tables[t + 1];
    auto part = [&](int j) {
        if (exact)
            return fractionText(-exact->at(record, t + 1, cut.m - 1, j));
        return decimal(0 - cut.at(cut.m - 1, j));
    };
    QStringList terms;
    for (int j = 0; j < cut.n; ++j)
        if (part(j) != QLatin1String("0"))
            terms << part(j) + QStringLiteral("·") + cut.columns[j].mid(1);
    return tr("Отсечение %1 по строке %2: %3 >= %4")
        .arg(cut.rows[cut.m - 1], record.tables[t].rows[record.changes[c].source],
             terms.isEmpty() ? QStringLiteral("0") : terms.join(QStringLiteral(" + ")), part(cut.n));
}

QString CourseView::changeLine(int c) const
{
    const Course::Change &change = record.changes[c];
    const int t = record.changePivot(c);
    if (change.row >= 0)
        return tr("Правая часть Y%1: %2 → %3").arg(change.row).arg(rightHandAt(t, change.row), rightHandAt(t + 1, change.row));
    QStringList coefficients;
    const int i = record.tables[t].m;
    for (int j = 0; j < record.n; ++j)
        coefficients << (exact ? fractionText(exactFieldValue(change.coefficientTexts[j]).value_or(0))
                               : decimal(change.coefficients[j]));
    return tr("Новое ограничение Y%1: %2 <= %3").arg(i).arg(linearForm(coefficients), rightHandAt(t + 1, i));
}

QString CourseView::nodeLine(int change) const
{
    const Course::Change &bound = record.changes[change];
    return tr("Узел %1 (из узла %2): ").arg(bound.node).arg(bound.parentNode) + branchBound(record, change);
}

QString CourseView::nodeEnding(int k) const
{
    using Node = Course::Node;
    const Node &node = record.nodes[k];
    auto value = [this](int t) { return number(t, record.tables[t].m, record.n); };
    const QString f = value(node.lastTable), point = coordinates(node.lastTable).join(QLatin1Char(' '));
    switch (node.end) {
    case Node::Record:
        return tr("F = %1, x = (%2) — целое, новый рекорд").arg(f, point);
    case Node::NoSolution:
        return tr("нет решений — ветвь закрыта");
    case Node::NotBetter:
        return tr("F = %1 не лучше рекорда %2 — ветвь закрыта").arg(f, value(record.nodes[record.recordBefore(k)].lastTable));
    case Node::Branched:
        return tr("F = %1, x = (%2) — ветвим по x%3").arg(f, point).arg(node.variable);
    case Node::Stopped:
        return tr("зациклился — поиск остановлен");
    case Node::Open:
        break;
    }
    return tr("не рассмотрен");
}

QString CourseView::nodeLimitLine() const
{
    const QString stopped = tr("Поиск остановлен на %1 узлах").arg(kNodeLimit);
    if (record.record < 0)
        return stopped + tr("; целая точка не найдена");
    const int t = record.nodes[record.record].lastTable;
    return stopped + tr("; лучшая найденная целая точка: x = (%1), F = %2")
                         .arg(coordinates(t).join(QLatin1Char(' ')), number(t, record.tables[t].m, record.n));
}

QString CourseView::line(const Course::Item &item) const
{
    using namespace reporttext;
    const int n = record.n;
    switch (item.kind) {
    case Course::Item::Task:
        return taskLine(record.maximise);
    case Course::Item::Point:
        return pointLine(coordinates(item.table));
    case Course::Item::Pivot:
        return pivotLine(record.pivots[item.pivot].row, record.pivots[item.pivot].column);
    case Course::Item::Bound:
        return boundLine(record.maximise, number(item.table, record.tables[item.table].m, n));
    case Course::Item::FinalPoint:
        return finalPointLine(coordinates(item.table));
    case Course::Item::Stage2:
        return stage2Line();
    case Course::Item::OptimumHeading:
        return optimumLine();
    case Course::Item::Value:
        return valueLine(number(item.table, record.tables[item.table].m, n));
    case Course::Item::NoSolution:
        return noSolutionLine();
    case Course::Item::Cycled:
        return cycledLine();
    case Course::Item::Change:
        return changeLine(item.pivot);
    case Course::Item::IntegerSearch:
        return integerSearchLine();
    case Course::Item::Cut:
        return cutLine(item.pivot);
    case Course::Item::IntegerOptimum:
        return integerOptimumLine();
    case Course::Item::NoIntegerSolution:
        return noIntegerSolutionLine();
    case Course::Item::CutLimit:
        return cutLimitLine(record.cutCount());
    case Course::Item::BranchSearch:
        return branchSearchLine();
    case Course::Item::Node:
        return nodeLine(item.pivot);
    case Course::Item::NodeEnd:
        return tr("Узел %1: ").arg(item.pivot) + nodeEnding(item.pivot);
    case Course::Item::NodeLimit:
        return nodeLimitLine();
    case Course::Item::Table:
        break;
    }
    return QString();
}

QString treeIndent(int depth)
{
    return QString(4 * depth, QLatin1Char(' '));
}

QString branchBound(const Course &course, int change)
{
    const Course::Change &bound = course.changes[change];
    return QStringLiteral("x%1 %2 %3")
        .arg(bound.variable)
        .arg(bound.upper ? QStringLiteral("<=") : QStringLiteral(">="),
             decimal(bound.upper ? bound.rightHand : -bound.rightHand));
}

QString linearForm(const QStringList &coefficients, const QString &variable)
{
    QString text;
    for (int j = 0; j < coefficients.size(); ++j) {
        const QString &c = coefficients[j];
        const bool negative = c.startsWith(QLatin1Char('-'));
        if (j == 0)
            text += c;
        else
            text += (negative ? QStringLiteral(" - ") : QStringLiteral(" + ")) + (negative ? c.mid(1) : c);
        text += QStringLiteral("·") + variable + QString::number(j);
    }
    return text;
}

QString factorText(const QString &number)
{
    return number.startsWith(QLatin1Char('-')) ? QLatin1Char('(') + number + QLatin1Char(')') : number;
}

QStringList problemLines(const CourseView &view)
{
    const Course &course = view.course();
    QStringList objective, variables;
    for (int j = 0; j < course.n; ++j) {
        objective << view.objective(j);
        variables << QStringLiteral("x") + QString::number(j);
    }
    QStringList lines{QStringLiteral("F = ") + linearForm(objective)
                      + (course.maximise ? QStringLiteral(" -> max") : QStringLiteral(" -> min"))};
    for (int i = 0; i < course.m; ++i) {
        QStringList row;
        for (int j = 0; j < course.n; ++j)
            row << view.constraint(i, j);
        lines << linearForm(row) + QStringLiteral(" <= ") + view.rightHand(i);
    }
    // A problem solved for whole values (continued by cuts or branches) says so.
    lines << variables.join(QStringLiteral(", ")) + QStringLiteral(" >= 0")
                 + (course.integerSearched() ? tr(", целые") : QString());
    return lines;
}

bool isPivotCell(const Course &course, int t, int i, int j)
{
    return t < int(course.pivots.size()) && course.pivots[t].stage != kChangeStage && course.pivots[t].row == i
           && course.pivots[t].column == j;
}

namespace {

// A table as plain text.
QStringList tableLines(const CourseView &view, int t)
{
    const Tableau &table = view.course().tables[t];
    std::vector<QStringList> cells(table.m + 1);
    for (int i = 0; i <= table.m; ++i)
        for (int j = 0; j <= table.n; ++j)
            cells[i] << view.number(t, i, j);
    return gridLines(table.columns, table.rows, cells);
}

// A grid of its own as an HTML table (its title and note are blocks of their own).
QString gridHtml(const TitledGrid &grid)
{
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n<tr><th></th>");
    for (const QString &label : grid.columns)
        html += QStringLiteral("<th>") + label.toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr>\n");
    for (size_t i = 0; i < grid.cells.size(); ++i) {
        html += QStringLiteral("<tr><th>") + grid.rows[int(i)].toHtmlEscaped() + QStringLiteral("</th>");
        for (const QString &cell : grid.cells[i])
            html += QStringLiteral("<td align=\"right\">") + cell.toHtmlEscaped() + QStringLiteral("</td>");
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

// A table as HTML, its pivot element in bold where it is marked.
QString tableHtml(const ReportContent &content, const ReportBlock &block)
{
    const CourseView &view = content.view;
    const int t = block.index;
    const Tableau &table = view.course().tables[t];
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n<tr><th></th>");
    for (const QString &label : table.columns)
        html += QStringLiteral("<th>") + label.toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr>\n");
    for (int i = 0; i <= table.m; ++i) {
        html += QStringLiteral("<tr><th>") + table.rows[i].toHtmlEscaped() + QStringLiteral("</th>");
        for (int j = 0; j <= table.n; ++j) {
            const QString text = view.number(t, i, j).toHtmlEscaped();
            html += QStringLiteral("<td align=\"right\">")
                    + (content.marksPivot(block, i, j) ? QStringLiteral("<b>") + text + QStringLiteral("</b>") : text)
                    + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

} // namespace

QStringList gridLines(const QStringList &columns, const QStringList &rowLabels, const std::vector<QStringList> &cells)
{
    QVector<QStringList> rows(int(cells.size()) + 1);
    rows[0] << QString() << columns;
    for (size_t i = 0; i < cells.size(); ++i)
        rows[int(i) + 1] << rowLabels[int(i)] << cells[i];
    QVector<int> widths(columns.size() + 1, 0);
    for (const QStringList &row : rows)
        for (int k = 0; k < row.size(); ++k)
            widths[k] = std::max(widths[k], int(row[k].size()));
    QStringList lines;
    for (const QStringList &row : rows) {
        QString line = row[0].leftJustified(widths[0]);
        for (int k = 1; k < row.size(); ++k)
            line += QStringLiteral("  ") + row[k].rightJustified(widths[k]);
        lines << line;
    }
    return lines;
}

ReportCopy copyOfReport(const ReportContent &content)
{
    const CourseView &view = content.view;
    const QStringList problem = problemLines(view);
    QStringList text = problem;
    text << QString();
    QStringList problemHtml;
    for (const QString &line : problem)
        problemHtml << line.toHtmlEscaped();
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>\n<p>")
                   + problemHtml.join(QStringLiteral("<br>\n")) + QStringLiteral("</p>\n");
    auto paragraph = [&html](const QString &line, bool italic) {
        const QString escaped = line.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>\n"));
        html += italic ? QStringLiteral("<p><i>") + escaped + QStringLiteral("</i></p>\n")
                       : QStringLiteral("<p>") + escaped + QStringLiteral("</p>\n");
    };
    for (const ReportBlock &block : content.blocks) {
        if (!block.shown)
            continue;
        switch (block.kind) {
        case ReportBlock::Table:
            text << tableLines(view, block.index);
            html += tableHtml(content, block);
            break;
        case ReportBlock::Grid: {
            const TitledGrid &grid = content.grids[block.index];
            text << gridLines(grid.columns, grid.rows, grid.cells);
            html += gridHtml(grid);
            break;
        }
        case ReportBlock::Line:
        case ReportBlock::GridTitle:
        case ReportBlock::TreeTitle:
        case ReportBlock::Dual:
            text << block.text;
            paragraph(block.text, false);
            break;
        case ReportBlock::Explanation:
        case ReportBlock::Try:
        case ReportBlock::GridNote:
            text << block.text;
            paragraph(block.text, true);
            break;
        case ReportBlock::TreeLine:
            text << treeIndent(block.index) + block.text;
            html += QStringLiteral("<p style=\"margin-left: %1em\">").arg(2 * block.index) + block.text.toHtmlEscaped()
                    + QStringLiteral("</p>\n");
            break;
        case ReportBlock::Tree:
            break;
        }
    }
    return {text.join(QLatin1Char('\n')) + QLatin1Char('\n'), html + QStringLiteral("</body></html>\n")};
}
