// SPDX-License-Identifier: GPL-3.0-or-later
// Implements branches.h: integer solutions by branch and bound, continued
// by the dual simplex method.
#include "method/branches.h"

#include "method/basictext.h"
#include "method/cuts.h"
#include "method/solve.h"

#include <algorithm>
#include <cmath>

namespace {

using basictext::tr;

// A child waiting to be taken: its parent and its bound.
struct Branch {
    int parent;
    int variable;
    bool upper;
    double bound;
};

void addItem(Course &course, Course::Item::Kind kind, int table, int pivot)
{
    course.items.push_back({kind, table, pivot});
}

double valueOf(const Course &course, int table)
{
    const Tableau &t = course.tables[table];
    return t.at(t.m, t.n);
}

// How node k ended, from the second stage's ending and the record so far;
// a node branched on pushes its children, the `<=` one last (taken first).
void endNode(Course &course, int k, std::vector<Branch> &open)
{
    Course::Node &node = course.nodes[k];
    node.lastTable = int(course.tables.size()) - 1;
    const Tableau &table = course.tables[node.lastTable];
    if (course.ending == Course::Ending::NoCandidate)
        node.end = Course::Node::NoSolution;
    else if (course.ending != Course::Ending::Optimum)
        node.end = Course::Node::Stopped;
    else if (course.record >= 0
             && notBetter(course, valueOf(course, node.lastTable),
                          valueOf(course, course.nodes[course.record].lastTable)))
        node.end = Course::Node::NotBetter;
    else if (isWholePoint(table)) {
        node.end = Course::Node::Record;
        course.record = k;
    } else {
        node.end = Course::Node::Branched;
        const int row = cutSourceRow(table, table.cells);
        node.variable = variableOfRow(table.rows[row]);
        const double v = table.at(row, table.n);
        open.push_back({k, node.variable, false, std::ceil(v)});
        open.push_back({k, node.variable, true, std::floor(v)});
    }
    if (node.end != Course::Node::Stopped)
        addItem(course, Course::Item::NodeEnd, node.lastTable, k);
}

// Node k from its branch: the bound recorded as a change, the parent's last
// table with the bound's row Bk before the Z row.
void startNode(Course &course, const Branch &branch)
{
    const int k = int(course.nodes.size());
    const Course::Node parent = course.nodes[branch.parent]; // a copy: the nodes grow below
    Course::Change bound;
    bound.node = k;
    bound.parentNode = branch.parent;
    bound.parentTable = parent.lastTable;
    bound.variable = branch.variable;
    bound.upper = branch.upper;
    bound.coefficients.assign(course.n, 0.0);
    bound.coefficients[branch.variable] = branch.upper ? 1 : -1;
    bound.rightHand = branch.upper ? branch.bound : -branch.bound;
    course.changes.push_back(bound);
    const int change = int(course.changes.size()) - 1;

    Course::Node node;
    node.parent = branch.parent;
    node.change = change;
    node.depth = parent.depth + 1;
    course.nodes.push_back(node);

    Tableau table = course.tables[parent.lastTable];
    const std::vector<double> row = branchRow(table, table.cells, branch.variable, branch.upper, branch.bound);
    table.cells.insert(table.cells.begin() + table.m * (table.n + 1), row.begin(), row.end());
    table.rows.insert(table.m, QStringLiteral("B%1").arg(k));
    ++table.m;
    course.pivots.push_back({kChangeStage, change, -1, -1, {}});
    course.tables.push_back(std::move(table));
    course.ending = Course::Ending::None;
    addItem(course, Course::Item::Node, int(course.tables.size()) - 1, change);
    addItem(course, Course::Item::Table, int(course.tables.size()) - 1, int(course.pivots.size()) - 1);
}

void finish(Course &course)
{
    if (course.record < 0) {
        course.ending = Course::Ending::NoInteger;
        addItem(course, Course::Item::NoIntegerSolution, int(course.tables.size()) - 1, -1);
        return;
    }
    course.ending = Course::Ending::IntegerOptimum;
    const int table = course.nodes[course.record].lastTable;
    for (Course::Item::Kind kind : {Course::Item::IntegerOptimum, Course::Item::FinalPoint, Course::Item::Value})
        addItem(course, kind, table, -1);
}

} // namespace

bool notBetter(const Course &course, double f, double record)
{
    const double tolerance = kTolerance * std::max(1.0, std::fabs(record));
    return course.maximise ? f <= record + tolerance : f >= record - tolerance;
}

QString branchesUnavailable(const Course &course)
{
    if (course.branched())
        return tr("Ветви и границы уже построены");
    if (course.cutCount() > 0)
        return tr("Целые значения уже ищутся отсечениями Гомори; метод ветвей и границ — для задачи без них");
    return cutsUnavailable(course);
}

void continueWithBranches(Course &course)
{
    addItem(course, Course::Item::BranchSearch, int(course.tables.size()) - 1, -1);
    course.nodes.emplace_back();
    std::vector<Branch> open;
    endNode(course, 0, open);
    while (!open.empty()) {
        if (int(course.nodes.size()) > kNodeLimit) {
            course.ending = Course::Ending::NodeLimit;
            addItem(course, Course::Item::NodeLimit, int(course.tables.size()) - 1, -1);
            return;
        }
        const Branch branch = open.back();
        open.pop_back();
        startNode(course, branch);
        secondStage(course);
        const int k = int(course.nodes.size()) - 1;
        endNode(course, k, open);
        if (course.nodes[k].end == Course::Node::Stopped)
            return; // the pivot limit
    }
    finish(course);
}
