// SPDX-License-Identifier: GPL-3.0-or-later
// The table the student computes in practice: the new table's labels over
// an editor in every cell (practiceCell_R_C), read as the form's fields
// read numbers. A right cell is locked and shows the report's own text; a
// wrong one is marked as the form marks a text it cannot read, its rule in
// its tooltip and said to a screen reader. Tab goes through the open cells
// in reading order; Enter in a cell asks for the check.
#ifndef PRACTICETABLE_H
#define PRACTICETABLE_H

#include "state/reportstate.h"

#include <QWidget>

class QLineEdit;
class QTableWidget;

class PracticeTable : public QWidget
{
    Q_OBJECT

public:
    PracticeTable(const Tableau &labels, QWidget *parent);

    // The editors as the cells' states say.
    void showCells(const std::vector<CellProgress> &cells);
    // The first open cell takes the keyboard.
    void focusFirstOpen();

signals:
    void typed(int row, int column, const QString &text);
    void checkAsked();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLineEdit *editor(int row, int column) const;

    QTableWidget *table;
    int columns;
};

#endif // PRACTICETABLE_H
