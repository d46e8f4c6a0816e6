// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the size of the problem, the input form built for it, and
// the report window that "Вывести решение" opens on the solved course.
#ifndef WIDGET_H
#define WIDGET_H

#include "method/course.h"
#include "method/solve.h"

#include <QList>
#include <QPointer>
#include <QScrollArea>
#include <QStringList>
#include <QVBoxLayout> // complete, so that the meta-object knows step_2's argument type
#include <QWidget>

class QCloseEvent;
class QComboBox;
class QLineEdit;
class QTableWidget;

namespace Ui {
class Widget;
}

// The page of the report window. It carries the report layout and, like the
// window around it, refuses every close request: only the report's "Ok" ends it.
class TForm : public QWidget
{
    Q_OBJECT

protected:
    void closeEvent(QCloseEvent *e) override;
};

// The report window: a top-level scroll area over one TForm page.
class sarea : public QScrollArea
{
protected:
    void closeEvent(QCloseEvent *e) override;
};

// The main window. It holds the whole state of the program: the size of the
// problem, the input form, the tableau of the dual simplex method with its
// labels, and the report window while one is open.
//
// The solve works on the form that is shown, of its own size nl x ml; n and m
// only follow the spin boxes and give the size of the next form.
class Widget : public QWidget
{
    Q_OBJECT

public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    int n;                  // number of variables, follows spinBox
    int m;                  // number of constraints, follows spinBox_2
    int ml, nl;             // m and n of the input form that exists now
    int iter;               // pivots made by the stage that is running
    QComboBox *maxmin;      // "max" / "min" of the current form
    bool flg;               // an input form exists
    bool flgmaxmin;         // true: maximise, false: minimise
    bool flgdel;            // A, Z, L and x0 are allocated
    QList<QLineEdit *> list_A;  // constraint fields, index i*nl + j
    QList<QLineEdit *> list_Z;  // objective fields, index j
    QList<QLineEdit *> list_L;  // right-hand-side fields, index i
    double **A;             // tableau: ml+1 rows of nl+1 values, objective row last
    double *Z;              // objective coefficients as read, sign changed
    double *L;              // right-hand sides as read
    double lead;            // the pivot element before the last pivot
    int r, s;               // row and column of the pivot element
    int step_1_rez;         // 1: the first stage reached a bound, the second stage follows
    int step_2_rez;         // 1: optimum reported, 0: no solution
    double *x0;             // the point last read from the tableau
    QStringList horhead;    // column labels: -X0 ... -X(n-1), L
    QStringList verthead;   // row labels: Y0 ... Y(m-1), Z
    TForm *Form;            // the report page while the report window exists
    sarea *formArea;        // the report window while it exists

    // Transforms the tableau around the element in row `row`, column `col`
    // (one step of modified Jordan elimination) and keeps its old value in lead.
    void pivot(int row, int col);

private slots:
    void on_spinBox_valueChanged(int arg1);
    void on_spinBox_2_valueChanged(int arg1);
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void close_Form();
    void initialhead();
    void swaphead(int yi, int xi);
    QTableWidget *add_table();
    QVBoxLayout *step_1();
    void step_2(QVBoxLayout *vert);

private:
    Ui::Widget *ui;
    // What had the focus in the main window when the report opened.
    QPointer<QWidget> focusBeforeReport;
    // The course of the solve that is running, handed to its report window.
    Course course;

    void allocateArrays(int vars, int cons);
    void releaseArrays();
    void removeForm();
    void buildForm();
    void addField(QLayout *row, QList<QLineEdit *> &list, const QString &name);
    void setFieldWidths();
    void setTabOrderOfForm();
    void readForm();
    void openReportWindow();
    void finishReport(QVBoxLayout *vert);
    void placeReportWindow();

    void recordTableau();
    void keepStage(const StageRun &run);
};

#endif // WIDGET_H
