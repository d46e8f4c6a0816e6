// SPDX-License-Identifier: GPL-3.0-or-later
// Implements branchwords.h: branch and bound in words, in the numbers of a view.
#include "texts/branchwords.h"

#include "method/branches.h"
#include "method/cuts.h"
#include "texts/cutwords.h"

namespace {

using reporttext::tr;
using Node = Course::Node;

QString valueAt(const CourseView &view, int t)
{
    const Tableau &table = view.course().tables[t];
    return view.number(t, table.m, table.n);
}

// Node k's ending in its box, short: F and the verdict, a line each.
QStringList boxEnding(const CourseView &view, int k)
{
    const Node &node = view.course().nodes[k];
    const QString f = QStringLiteral("F = ") + valueAt(view, node.lastTable);
    switch (node.end) {
    case Node::Record:
        return {f, tr("целое")};
    case Node::NoSolution:
        return {tr("нет решений")};
    case Node::NotBetter:
        return {f, tr("закрыта")};
    case Node::Branched:
        return {f, tr("ветвим по x%1").arg(node.variable)};
    case Node::Stopped:
        return {tr("зациклился")};
    case Node::Open:
        break;
    }
    return {};
}

// The row of node k's bound in its first table, as the bound reads it.
QString boundRowWhy(const CourseView &view, int k)
{
    const Course &course = view.course();
    const Node &node = course.nodes[k];
    const Course::Change &bound = course.changes[node.change];
    const Tableau &parent = course.tables[bound.parentTable];
    const int row = parent.rows.indexOf(QStringLiteral("X%1").arg(bound.variable));
    const int first = course.changePivot(node.change) + 1;
    const Tableau &table = course.tables[first];
    const QString v = view.number(bound.parentTable, row, parent.n), b = reporttext::decimal(bound.upper ? bound.rightHand : -bound.rightHand);
    const QString free = view.number(first, table.m - 1, table.n), name = table.rows[table.m - 1];
    return bound.upper ? tr("Строка %1 — граница x%2 <= %3 как %1 = %3 - x%2 >= 0; x%2 взято из его строки в последней "
                            "таблице узла %4, поэтому элементы этой строки с обратным знаком, а свободный член "
                            "%3 - %5 = %6.")
                             .arg(name).arg(bound.variable).arg(b).arg(bound.parentNode).arg(v, free)
                       : tr("Строка %1 — граница x%2 >= %3 как %1 = x%2 - %3 >= 0; x%2 взято из его строки в последней "
                            "таблице узла %4, поэтому элементы этой строки как есть, а свободный член %5 - %3 = %6.")
                             .arg(name).arg(bound.variable).arg(b).arg(bound.parentNode).arg(v, free);
}

// Why node k ended as it did.
QString endingWhy(const CourseView &view, int k)
{
    const Course &course = view.course();
    const Node &node = course.nodes[k];
    const Tableau &table = course.tables[node.lastTable];
    switch (node.end) {
    case Node::Record: {
        const int before = course.recordBefore(k);
        return tr("Почему новый рекорд: все x в точке узла целые, и это %1; ветвить узел дальше незачем — лучше его "
                  "оптимума в его области ничего нет.")
            .arg(before < 0 ? tr("первая найденная целая точка")
                            : tr("лучше прежнего рекорда %1").arg(valueAt(view, course.nodes[before].lastTable)));
    }
    case Node::NoSolution:
        return tr("Почему ветвь закрыта: в области узла нет ни одной точки, а значит, и целой.");
    case Node::NotBetter:
        return tr("Почему ветвь закрыта: F = %1 — лучшее значение во всей области узла, целые точки узла не лучше "
                  "его, а оно не лучше рекорда %2.")
            .arg(valueAt(view, node.lastTable), valueAt(view, course.nodes[course.recordBefore(k)].lastTable));
    case Node::Branched: {
        const int row = cutSourceRow(table, table.cells);
        const QString v = view.number(node.lastTable, row, table.n);
        return tr("Почему ветвим по x%1: ").arg(node.variable) + cutRowReason(view, node.lastTable, row, true)
               + tr(" Между ⌊%1⌋ и ⌈%1⌉ целых значений нет, поэтому каждая целая точка узла лежит в одной из двух "
                    "ветвей; первой берётся ветвь «<=», и поиск идёт в глубину: последняя созданная ветвь — первая "
                    "на очереди.").arg(v);
    }
    case Node::Stopped:
    case Node::Open:
        break;
    }
    return QString();
}

} // namespace

namespace reporttext {

QString treeTitle()
{
    return tr("Дерево ветвей и границ");
}

} // namespace reporttext

std::vector<TreeLine> treeLines(const CourseView &view)
{
    const Course &course = view.course();
    const bool marked = course.ending == Course::Ending::IntegerOptimum || course.ending == Course::Ending::NodeLimit;
    std::vector<TreeLine> lines;
    for (int k = 0; k < int(course.nodes.size()); ++k) {
        const Node &node = course.nodes[k];
        TreeLine line;
        line.depth = node.depth;
        line.text = node.change < 0 ? tr("Узел 0: ")
                                    : tr("Узел %1 (%2): ").arg(k).arg(branchBound(course, node.change));
        line.text += view.nodeEnding(k);
        line.parent = node.parent;
        line.box << (node.change < 0 ? tr("Узел 0") : tr("Узел %1: %2").arg(k).arg(branchBound(course, node.change)));
        line.box << boxEnding(view, k);
        line.record = marked && k == course.record;
        if (line.record)
            line.box << (course.ending == Course::Ending::IntegerOptimum ? tr("оптимум") : tr("лучшая найденная"));
        if (line.record)
            line.text += course.ending == Course::Ending::IntegerOptimum ? tr(" ← оптимум") : tr(" ← лучшая найденная");
        lines.push_back(line);
    }
    return lines;
}

std::vector<Explanation> explainBranches(const CourseView &view)
{
    const Course &course = view.course();
    std::vector<Explanation> explanations;
    for (int k = 0; k < int(course.items.size()); ++k) {
        const Course::Item &item = course.items[k];
        switch (item.kind) {
        case Course::Item::BranchSearch:
            explanations.push_back(
                {k + 1, tr("Метод ветвей и границ: оптимум без условия целости — узел 0. Если у узла в точке есть "
                           "дробное x = v, его целые точки лежат либо при x <= ⌊v⌋, либо при x >= ⌈v⌉: узел делится "
                           "на две ветви. Ветвь добавляет к последней таблице своего родителя строку границы с "
                           "отрицательным свободным членом, и дальше идёт вторая стадия. Ветвь закрывается, когда в "
                           "ней нет решений или её F не лучше рекорда — лучшей найденной целой точки.")});
            break;
        case Course::Item::Node:
            explanations.push_back({k + 2, boundRowWhy(view, course.changes[item.pivot].node)});
            break;
        case Course::Item::NodeEnd:
            explanations.push_back({k + 1, endingWhy(view, item.pivot)});
            break;
        case Course::Item::IntegerOptimum:
            explanations.push_back({k, tr("Почему это целочисленный оптимум: все ветви закрыты; каждая целая точка "
                                          "задачи лежит в одном из закрытых узлов, и ни один не дал лучше рекорда.")});
            break;
        case Course::Item::NoIntegerSolution:
            explanations.push_back({k + 1, tr("Почему нет целочисленных решений: все ветви закрыты, и ни в одной нет "
                                              "целой точки.")});
            break;
        case Course::Item::NodeLimit:
            explanations.push_back({k + 1, tr("Почему остановлено: перебрано %1 узлов — это предел; остальные ветви "
                                              "не рассмотрены, поэтому найденная точка не обязательно оптимальна.")
                                               .arg(kNodeLimit)});
            break;
        default:
            break;
        }
    }
    return explanations;
}
