// SPDX-License-Identifier: GPL-3.0-or-later
// The practice panel below the last table shown: the student chooses the
// pivot element by a click on a cell of that table (or with the arrow keys
// and Enter, a frame showing the cell), or presses an ending button; with
// "Считать таблицы самому" on, the student then computes the new table in
// the editors at the panel's top ("Проверить", "Показать"). The panel shows
// the feedback, a hint after the second wrong try, and the score at the
// end. It only asks and shows what the report's state says; the state judges.
#ifndef PRACTICEPANEL_H
#define PRACTICEPANEL_H

#include "practice/practice.h"
#include "state/reportstate.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;
class PracticeTable;

class PracticePanel : public QWidget
{
    Q_OBJECT

public:
    PracticePanel(bool maximise, QWidget *parent);
    ~PracticePanel() override;

    // What a click on the table decides: the pivot element, the row to cut
    // by, or the variable to branch on; the prompt says it.
    void setDeciding(PracticeStep::Answer answer);
    // The table whose cells can be chosen now (none at the end), and the
    // cell the keyboard's frame stands on.
    void setTable(QTableWidget *table, int row, int column);
    void setFeedback(const QString &text);
    void setHintOffered(bool offered);
    // The end: no more choices, the score shown; empty while practice goes on.
    void setScore(const QString &score);
    // Whether the student computes the tables, and the table being computed
    // (table `number` of the course, under these labels, its cells as they
    // stand), or none (`number` -1) while the student decides.
    void setTablesOn(bool on);
    void setComputing(int number, const Tableau &labels, const std::vector<CellProgress> &cells);

signals:
    void chosen(const PracticeChoice &choice);
    void framed(int row, int column);
    void hintAsked();
    void tablesToggled(bool on);
    void cellTyped(int row, int column, const QString &text);
    void checkAsked();
    void revealAsked();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *addButton(const char *name, const QString &text, PracticeChoice::Kind kind);
    void setFrame(QLabel *cell);
    void releaseTable();
    void showPrompt();

    QPointer<QTableWidget> table;
    int row = 0, column = 0;
    QPointer<QLabel> framedCell;
    PracticeTable *computed = nullptr; // the table being computed
    int computedNumber = -1;
    PracticeStep::Answer deciding = PracticeStep::Pivot;
    QLabel *prompt, *feedback, *score;
    QPushButton *hint, *tables;
    QWidget *buttons, *cellButtons;
};

#endif // PRACTICEPANEL_H
