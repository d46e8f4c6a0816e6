// SPDX-License-Identifier: GPL-3.0-or-later
// The snapshot table that shows one tableau on the report page: a table of
// m+1 rows and n+1 columns under the tableau's labels, a label in every
// cell, of fixed size, read-only and without selection; and the marks of a
// cell (the pivot element, and the frame of practice's keyboard). The
// stages' tables, the continuation's and practice's are all made here.
#ifndef SNAPSHOTTABLE_H
#define SNAPSHOTTABLE_H

#include <QLabel>
#include <QStringList>

#include <functional>

class QTableWidget;
class QWidget;

// Fixed size of one cell of a snapshot table, in pixels.
constexpr int kCellHeight = 40;
constexpr int kCellWidth = 110;

// A new snapshot table under the labels, cell (i, j) showing text(i, j).
QTableWidget *makeSnapshotTable(QWidget *parent, const QStringList &columns, const QStringList &rows,
                                const std::function<QString(int, int)> &text);

// The label that shows cell (i, j).
QLabel *snapshotCell(const QTableWidget *table, int i, int j);

// A marked cell is bold on a background a third of the way from the
// palette's base colour to its highlight, so that its text reads in light
// and dark themes alike; a screen reader says that it is the pivot element.
// Only its look changes: text, size and place stay.
void setCellMarked(QLabel *cell, bool marked);

#endif // SNAPSHOTTABLE_H
