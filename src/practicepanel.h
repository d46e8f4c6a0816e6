// SPDX-License-Identifier: GPL-3.0-or-later
// The practice panel below the last table shown: the student chooses the
// pivot element by a click on a cell of that table (or with the arrow keys
// and Enter, a frame showing the cell), or presses an ending button; the
// panel shows the feedback, a hint after the second wrong try, and the
// score at the end. It only asks and shows; the report's views judge.
#ifndef PRACTICEPANEL_H
#define PRACTICEPANEL_H

#include "practice.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

class PracticePanel : public QWidget
{
    Q_OBJECT

public:
    PracticePanel(bool maximise, QWidget *parent);

    // The table whose cells can be chosen now; the frame starts on its
    // first cell.
    void setTable(QTableWidget *table);
    void showFeedback(const QString &text);
    void offerHint(bool offer);
    // The end: no more choices, the score shown.
    void finish(const QString &score);

signals:
    void chosen(const PracticeChoice &choice);
    void hintAsked();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *addButton(const char *name, const QString &text, PracticeChoice::Kind kind);
    void frameCell(int row, int column);
    void releaseTable();

    QPointer<QTableWidget> table;
    int row = 0, column = 0;
    QLabel *prompt, *feedback, *score;
    QPushButton *hint;
    QWidget *buttons;
};

#endif // PRACTICEPANEL_H
