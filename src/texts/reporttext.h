// SPDX-License-Identifier: GPL-3.0-or-later
// The report's text forms: the text of every report line, the numbers of a
// course as a view shows them (the method's decimals, or exact fractions),
// and the whole report as plain text and HTML for the clipboard. The stages
// write their lines with these functions, and the views rewrite them.
#ifndef REPORTTEXT_H
#define REPORTTEXT_H

#include "method/basictext.h"
#include "method/course.h"

#include <QString>
#include <QStringList>

#include <vector>

struct ExactCourse;
struct ReplayFailure;

namespace reporttext {

using basictext::decimal;
using basictext::tr;

QString taskLine(bool maximise);
QString pointLine(const QStringList &coordinates);
QString finalPointLine(const QStringList &coordinates);
QString pivotLine(int row, int column);
QString boundLine(bool maximise, const QString &value);
QString stage2Line();
QString optimumLine();
QString valueLine(const QString &value);
QString noSolutionLine();
QString cycledLine();
QString integerSearchLine();
QString integerOptimumLine();
QString noIntegerSolutionLine();
QString cutLimitLine(int cuts);
QString branchSearchLine();

// Why the exact view is unavailable: the field whose value is no finite
// number, named as the form names it, or the table whose pivot element is
// exactly 0.
QString replayFailure(const Course &course, const ReplayFailure &why);

} // namespace reporttext

// The numbers of a course as one view shows them: the decimals the method
// computed, or, given the course replayed exactly, exact fractions. The
// exact replay, where there is one, is at hand in either view for what is
// checked in exact arithmetic whatever the numbers shown (the choices that
// rounding decided).
class CourseView
{
public:
    explicit CourseView(const Course &course, const ExactCourse *exact = nullptr,
                        const ExactCourse *replay = nullptr);

    const Course &course() const { return record; }
    bool isExact() const { return exact; }
    const ExactCourse *exactReplay() const { return replay; }

    // Cell (i, j) of table t, whole, as report lines write it.
    QString number(int t, int i, int j) const;
    // The same as a table cell shows it: an exact fraction longer than
    // kLongestCellFraction characters is shown as the nearest double with
    // "…", and *whole gets the fraction; otherwise *whole is left empty.
    QString cell(int t, int i, int j, QString *whole) const;
    QStringList coordinates(int t) const;
    // The problem as read: objective coefficient j, constraint coefficient
    // (i, j), right-hand side i.
    QString objective(int j) const;
    QString constraint(int i, int j) const;
    QString rightHand(int i) const;
    // The score of column j at pivot p, as its choice computed it; in
    // fractions, where the exact pivot-row entry is 0, that there is none.
    QString score(int p, int j) const;
    // The dual estimate of constraint i read from table t, and the sum of
    // every right-hand side times its estimate.
    QString dualEstimate(int t, int i) const;
    QString dualSum(int t) const;
    // Right-hand side i of the problem that table t belongs to (changes made).
    QString rightHandAt(int t, int i) const;
    // The line of a change after the optimum: "Правая часть Y1: 6 → 10", or
    // the new constraint restated.
    QString changeLine(int change) const;
    // The line of a cut: "Отсечение S1 по строке X1: 1/3·Y0 + 2/3·Y1 >= 1/2",
    // the fractional parts of the row's entries with the column variables
    // and of its free term.
    QString cutLine(int change) const;
    // Branch and bound: the line of a node's bound, "Узел 2 (из узла 1):
    // x0 <= 1"; node k's ending without its name ("F = 44, x = (0 4) —
    // целое, новый рекорд"); the search stopped at its limit of nodes, with
    // the best whole point found.
    QString nodeLine(int change) const;
    QString nodeEnding(int k) const;
    QString nodeLimitLine() const;
    // The text of a report line (any item but a table).
    QString line(const Course::Item &item) const;

private:
    const Course &record;
    const ExactCourse *exact;
    const ExactCourse *replay;
};

// The bound of branch change `change`: "x0 <= 1" or "x0 >= 2".
QString branchBound(const Course &course, int change);

// The coefficients with their variables: "1·x0 + 2·x1", "-1·x0 - 0.5·x1"
// (the variables y0, y1, … of the dual problem with "y").
QString linearForm(const QStringList &coefficients, const QString &variable = QStringLiteral("x"));

// A number as a factor or divisor: in parentheses when negative.
QString factorText(const QString &number);

// In a table cell, exact fractions longer than this many characters are shortened.
constexpr int kLongestCellFraction = 12;

// A line of explanation, shown before item `before` of the course's items
// (after the last item when `before` is their number).
struct Explanation {
    int before;
    QString text;
};

// The problem as solved, one line each: the objective, every constraint,
// the signs of the variables ("F = 1·x0 + 1·x1 -> max", ...).
QStringList problemLines(const CourseView &view);

// The pivot element chosen in table t, if one was: its row and column.
bool isPivotCell(const Course &course, int t, int i, int j);

// A table of its own after the course's items (the ranging): a title, the
// column and row labels, the texts of its cells row by row, and the line
// that says how it is read (shown with the explanations, empty otherwise).
struct TitledGrid {
    QString title;
    QStringList columns, rows;
    std::vector<QStringList> cells;
    QString note;

    bool operator==(const TitledGrid &o) const
    {
        return title == o.title && columns == o.columns && rows == o.rows && cells == o.cells && note == o.note;
    }
    bool operator!=(const TitledGrid &o) const { return !(*this == o); }
};

// One node of the tree of branch and bound: its depth and parent, its line
// in the outline, the lines of its box in the drawing (its bound, F, its
// ending), and whether it is the final record.
struct TreeLine {
    int depth = 0, parent = -1;
    QString text;
    QStringList box;
    bool record = false;
};
// The outline's indent for a depth, in plain text.
QString treeIndent(int depth);

// One block of a report as shown, top to bottom: a line or a table of the
// course, a line of explanation, a wrong try of practice with its feedback
// (kept for the teacher: the documents hold them, the page shows the
// feedback on practice's panel), or a grid of its own with its title and
// the note on how it is read, or a line of the dual problem's view (the
// dual problem, a table's dual point), or the tree of branch and bound
// (under a grid's title: its outline line by line, then its drawing, which
// only the page, the PDF and print show). The page and every document walk
// the same blocks.
struct ReportBlock {
    enum Kind { Line, Table, Explanation, Try, GridTitle, Grid, GridNote, Dual, TreeTitle, TreeLine, Tree };
    Kind kind = Line;
    QString text;            // Line, Explanation, Try, GridTitle, GridNote, Dual, TreeTitle, TreeLine
    int item = -1;           // Line, Table: the course's item
    int index = -1;          // Table: the course's table; the grid's blocks: the grid; TreeLine: its depth
    bool shown = true;       // Line, Table: reached (practice shows the items step by step)
    bool pivotMarked = true; // Table: its pivot element marked (practice hides it until it is chosen)
};

// What a report shows: the numbers of its view, its blocks in order, its
// grids, the tree of branch and bound, and the course the plane picture
// draws (the path so far).
struct ReportContent {
    CourseView view;
    std::vector<ReportBlock> blocks;
    std::vector<TitledGrid> grids;
    const Course *picture;
    std::vector<TreeLine> tree;

    bool marksPivot(const ReportBlock &table, int i, int j) const
    {
        return table.pivotMarked && isPivotCell(view.course(), table.index, i, j);
    }
};

// The grid's lines as plain text: its labels and cells, every column as wide
// as its widest text and right-aligned, the row labels on the left.
QStringList gridLines(const QStringList &columns, const QStringList &rows, const std::vector<QStringList> &cells);

// The whole report as plain text and as HTML: the problem as solved, then
// every block shown, in order; tables as aligned grids and as HTML tables
// with each pivot element marked in bold. Numbers as the view shows them,
// fractions whole.
struct ReportCopy {
    QString text, html;
};
ReportCopy copyOfReport(const ReportContent &content);

#endif // REPORTTEXT_H
