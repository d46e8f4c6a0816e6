// SPDX-License-Identifier: GPL-3.0-or-later
// The report's text forms: the text of every report line, the numbers of a
// course as a view shows them (the method's decimals, or exact fractions),
// and the whole report as plain text and HTML for the clipboard. The stages
// write their lines with these functions, and the views rewrite them.
#ifndef REPORTTEXT_H
#define REPORTTEXT_H

#include "course.h"

#include <QString>
#include <QStringList>

#include <vector>

struct ExactCourse;

namespace reporttext {

// A fixed text of the program, looked up in the main window's translation
// context as all its texts are.
QString tr(const char *text);

// Real values in report lines and table cells: six significant digits.
QString decimal(double v);

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

} // namespace reporttext

// The numbers of a course as one view shows them: the decimals the method
// computed, or, given the course replayed exactly, exact fractions.
class CourseView
{
public:
    explicit CourseView(const Course &course, const ExactCourse *exact = nullptr);

    const Course &course() const { return record; }
    bool isExact() const { return exact; }

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
    // The score of column j at pivot p, as its choice computed it.
    QString score(int p, int j) const;
    // The dual estimate of constraint i read from table t, and the sum of
    // every right-hand side times its estimate.
    QString dualEstimate(int t, int i) const;
    QString dualSum(int t) const;
    // The text of a report line (any item but a table).
    QString line(const Course::Item &item) const;

private:
    const Course &record;
    const ExactCourse *exact;
};

// In a table cell, exact fractions longer than this many characters are shortened.
constexpr int kLongestCellFraction = 12;

// A line of explanation, shown before item `before` of the course's items
// (after the last item when `before` is their number).
struct Explanation {
    int before;
    QString text;
};

// The whole report as plain text and as HTML: the problem as solved, then
// every item and explanation in order; tables as aligned grids and as HTML
// tables with each pivot element in bold. Numbers as the view shows them,
// fractions whole.
struct ReportCopy {
    QString text, html;
};
ReportCopy copyOfReport(const CourseView &view, const std::vector<Explanation> &explanations);

#endif // REPORTTEXT_H
