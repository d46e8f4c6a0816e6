// SPDX-License-Identifier: GPL-3.0-or-later
// The course of one solve as data. While the two stages run they append the
// report's items to its page and, beside them, to this record: the problem
// as read, every table the report shows, every pivot with what its choice
// looked at, the report's items in order, and how the course ended. Every
// view of the report (the copy, the exact fractions, the explanations, the
// picture on the plane) reads the record; none re-runs the method.
#ifndef COURSE_H
#define COURSE_H

#include "method/tableau.h"

#include <QStringList>

#include <vector>

// One snapshot table: the tableau under its labels.
struct Tableau {
    int n = 0, m = 0;          // variables and constraints
    QStringList columns, rows; // labels: n + 1 and m + 1 of them
    std::vector<double> cells; // (m + 1) x (n + 1), row by row; the objective row last

    double at(int i, int j) const { return cells[i * (n + 1) + j]; }
    std::vector<double> point() const
    {
        return basicPoint(rows, m, n, [this](int i) { return at(i, n); });
    }
    // The name of row i of the table's problem: "Y" and its number for the
    // problem's constraints, "S" and k for the k-th cut, which come last.
    QString problemRowName(int i) const;
    // Where the dual estimate of row i of the problem stands: the column of
    // its variable ("-Y1", "-S1"), whose objective-row entry it is; -1 when
    // the variable labels a row, and its estimate is 0.
    int estimateColumn(int i) const { return columns.indexOf(QLatin1Char('-') + problemRowName(i)); }
};

// A record of a pivot whose stage is this is no pivot but a change of the
// problem after its optimum ("Что если…"): table k + 1 is table k changed,
// not pivoted; its row is the change's number.
constexpr int kChangeStage = 0;

// One pivot: which stage chose it, where, and what the choice looked at. It
// was chosen in table k of the report and leads to table k + 1.
struct PivotChoice {
    int stage = 1;
    int row = 0, column = 0;
    int entering = -1;                // first stage: the column whose objective entry asked for it
    std::vector<ColumnScore> scores;  // every variable column's score
};

struct Course {
    // What each line or table of the report shows; the report's page holds
    // them in this order, "Ok" after them.
    struct Item {
        enum Kind { Task, Table, Point, Pivot, Bound, FinalPoint, Stage2, OptimumHeading, Value, NoSolution, Cycled,
                    Change, IntegerSearch, Cut, IntegerOptimum, NoIntegerSolution, CutLimit,
                    BranchSearch, Node, NodeEnd, NodeLimit };
        Kind kind;
        int table; // the table it belongs to: shown, or whose point, bound or value it states
        int pivot; // a pivot line: the pivot it names; a change, cut or node line: the change;
                   // a node's ending: the node
    };
    // A change of the problem after an optimum: a right-hand side set anew
    // (row >= 0) or a constraint added (row -1), as typed and as counted;
    // or a cut of Gomory's method, written from row `source` of the table
    // before it, its coefficients and right-hand side its form in x; or the
    // bound of node `node` of branch and bound on variable x`variable`
    // (x <= bound when `upper`, x >= bound otherwise), added to table
    // `parentTable`, the last table of node `parentNode`, its form in x as
    // a constraint (-x <= -bound for a lower bound).
    struct Change {
        int row = -1;
        QString rightHandText;
        QStringList coefficientTexts;
        double rightHand = 0;
        std::vector<double> coefficients;
        bool cut = false;
        int source = -1;
        int node = 0, parentNode = -1, parentTable = -1, variable = -1;
        bool upper = true;

        bool branch() const { return node > 0; }
    };
    // A node of branch and bound: node 0 is the course up to the first
    // optimum, node k the course from its bound (change `change`) to its
    // last table; how it ended, and the variable it was branched on.
    struct Node {
        enum End { Open, Record, NoSolution, NotBetter, Branched, Stopped };
        int parent = -1, change = -1, depth = 0, lastTable = 0;
        End end = Open;
        int variable = -1;
    };
    enum class Ending {
        None,            // still running
        Optimum,         // the second stage found the optimum
        NoPivotRow,      // first stage: the entering column has no pivot row
        NoCandidate,     // second stage: the pivot row has no negative entry
        NoColumn,        // no column could be scored: values that are not finite numbers
        Cycled,          // the iteration limit
        IntegerOptimum,  // after cuts: an optimum whose x are whole
        NoInteger,       // after a cut: the second stage found no pivot column
        CutLimit,        // the limit of cuts, and no whole point
        NodeLimit,       // branch and bound stopped at its limit of nodes
    };

    // The problem as read: the fields' texts and the values the form counts.
    int n = 0, m = 0;
    bool maximise = true;
    QStringList objectiveTexts, constraintTexts, rightHandTexts; // constraints row by row
    std::vector<double> c, a, b;

    std::vector<Tableau> tables;
    std::vector<PivotChoice> pivots;
    std::vector<Item> items;
    std::vector<Change> changes;
    Ending ending = Ending::None;
    int endingRow = -1;    // second stage without a candidate: the pivot row
    int endingColumn = -1; // first stage without a pivot row: the entering column
    std::vector<Node> nodes; // branch and bound: by number, in the order taken
    int record = -1;         // branch and bound: the node of the best whole point

    bool allFinite() const;
    // The cuts made (a course continued by Gomory's method has some), and
    // those made before table t.
    int cutCount() const;
    int cutsAt(int t) const;
    // Whether the course went on by branch and bound; whether by either
    // integer method.
    bool branched() const { return !nodes.empty(); }
    bool integerSearched() const { return branched() || cutCount() > 0; }
    // The table whose point and value the ending states: the last one, or
    // after branch and bound the record's last table.
    int finalTable() const { return record >= 0 ? nodes[record].lastTable : int(tables.size()) - 1; }
    // The record when node k ended: the last node before it that set one; -1 when none did.
    int recordBefore(int k) const;
    // Whether the problem was changed after its optimum ("Что если…").
    bool whatIfMade() const;
    // The table that pivot or change p was made on: table p, or for a
    // branch the last table of its parent node. Table t > 0 comes from
    // table sourceTable(t - 1).
    int sourceTable(int p) const;
    // The pivots and changes that lead from the starting table to table t,
    // in order.
    std::vector<int> pivotsTo(int t) const;
    // The place of change c among the pivots: table changePivot(c) + 1 is
    // the table it makes.
    int changePivot(int c) const;
    // Field k of the form, counted over the objective's fields, then the
    // constraints' row by row, then the right-hand sides: its name as the
    // form names it for a screen reader ("Ограничение 0: коэффициент при
    // x1"), and its text as typed.
    QString fieldName(int k) const;
    QString fieldText(int k) const;
    // The problem that table t belongs to: the right-hand sides and the
    // constraint rows (row by row) with the changes made before it.
    std::vector<double> rightHandsAt(int t) const;
    std::vector<double> constraintsAt(int t) const;
};

// The method's choices on a table, by the rules of tableau.h: the stages
// choose with them, and practice and the explanations read the same
// choices. The first stage's entering column (the first objective entry of
// the wrong sign for a bound) and its pivot row (the first entry of at
// least the tolerance); the second stage's row (the most negative free
// term, the upper of equal ones) and its first column with a negative
// entry. -1 where there is none.
inline int enteringColumn(const Tableau &t, bool maximise)
{
    for (int j = 0; j < t.n; ++j)
        if (entersBound(t.at(t.m, j), maximise))
            return j;
    return -1;
}

inline int firstPositiveRow(const Tableau &t, int column)
{
    for (int i = 0; i < t.m; ++i)
        if (isPositiveEntry(t.at(i, column)))
            return i;
    return -1;
}

inline int mostNegativeFreeTermRow(const Tableau &t)
{
    int row = -1;
    for (int i = 0; i < t.m; ++i)
        if (isNegativeFreeTerm(t.at(i, t.n)) && (row < 0 || t.at(i, t.n) < t.at(row, t.n)))
            row = i;
    return row;
}

inline int firstNegativeEntry(const Tableau &t, int row)
{
    for (int j = 0; j < t.n; ++j)
        if (isNegativeEntry(t.at(row, j)))
            return j;
    return -1;
}

// The pivot column for pivot row `row`: the column whose score the rule
// accepts last. The second stage scores only the columns with a negative
// entry in the row. -1 when no column is accepted; every column's score
// goes to *scores (NoCandidate for a column not scored).
inline int pivotColumn(const Tableau &t, int row, bool negativeEntriesOnly, bool maximise,
                       std::vector<ColumnScore> *scores)
{
    int best = -1;
    double bestScore = 0;
    scores->assign(t.n, ColumnScore());
    for (int j = 0; j < t.n; ++j) {
        if (negativeEntriesOnly && !isNegativeEntry(t.at(row, j)))
            continue;
        const ColumnScore score = columnScore(t.at(t.m, j), t.at(row, j), maximise);
        (*scores)[j] = score;
        if (acceptsScore(score.value, best >= 0, bestScore, maximise)) {
            bestScore = score.value;
            best = j;
        }
    }
    return best;
}

// A right-hand side changed by `delta` in a table: when Y`i` labels a row,
// that row's free term moves by delta; otherwise every row's free term
// moves by delta times its entry in column -Y`i` (the objective's too, by
// the dual estimate).
template <typename T>
void shiftRightHand(const Tableau &labels, std::vector<T> &cells, int i, const T &delta)
{
    const int n = labels.n;
    const int row = labels.rows.indexOf(QStringLiteral("Y") + QString::number(i));
    const int column = labels.estimateColumn(i);
    for (int k = 0; k <= labels.m; ++k) {
        T &free = cells[k * (n + 1) + n];
        if (row >= 0 && k == row)
            free = entryUpdate(free, T(-delta));
        else if (row < 0 && column >= 0)
            free = entryUpdate(free, T(-(cells[k * (n + 1) + column] * delta)));
    }
}

// A constraint a·x <= b added to a table, expressed in the table's basis: a
// basic variable x_j (row r) brings -a_j times its row, a variable of
// column -Xj brings a_j; the new row goes before the objective's.
template <typename T>
std::vector<T> withConstraint(const Tableau &labels, const std::vector<T> &cells, const std::vector<T> &a, const T &b)
{
    const int n = labels.n, m = labels.m;
    std::vector<T> row(n + 1);
    row[n] = b;
    for (int j = 0; j < n; ++j) {
        const int basic = labels.rows.indexOf(QStringLiteral("X") + QString::number(j));
        const int column = labels.columns.indexOf(QStringLiteral("-X") + QString::number(j));
        if (column >= 0)
            row[column] = entryUpdate(row[column], T(-a[j]));
        if (basic < 0)
            continue;
        for (int s = 0; s <= n; ++s)
            row[s] = entryUpdate(row[s], T(a[j] * cells[basic * (n + 1) + s]));
    }
    std::vector<T> grown(cells.begin(), cells.begin() + m * (n + 1));
    grown.insert(grown.end(), row.begin(), row.end());
    grown.insert(grown.end(), cells.begin() + m * (n + 1), cells.end());
    return grown;
}

#endif // COURSE_H
